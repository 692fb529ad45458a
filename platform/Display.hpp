#pragma once

#include <memory>
#include <string>

/// The program's own connection to the window system, opened before SFML opens its own and held
/// for as long as this value lives. An X server started without -noreset (a bare Xvfb, xvfb-run,
/// Xephyr) resets as its last client leaves: a connection closed before SFML connected could
/// leave SFML reaching a server in the middle of its reset.
struct DisplayConnection {
    /// Why no window can be opened, in one line; empty when the display is there.
    std::string problem;
    /// Closes the connection when the last copy goes; empty where nothing is held.
    std::shared_ptr<void> handle;
};

/// Connects to the display that SFML's windows will use, or says why no window can be opened.
DisplayConnection connectToDisplay();
