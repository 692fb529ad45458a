#pragma once

#include "platform/ScreenArea.hpp"

#include <SFML/System/Vector2.hpp>

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

/// What the desktop says of the monitor a new window should open on, in device pixels.
struct DesktopMetrics {
    /// Device pixels per pixel of an unscaled desktop; 1 where the desktop does not say, or
    /// scales windows itself.
    double scale = 1.0;
    /// The part of that monitor that windows may take, panels and docks left out; of no size
    /// where unknown, and then the window stays where the library puts it.
    ScreenArea workArea;
    /// What a window's frame adds to its width and height.
    sf::Vector2i frame;
};

/// Reads the desktop's scale, the work area of the monitor a new window belongs on and the
/// window frame once, through `display` where the window system needs a connection.
DesktopMetrics desktopMetrics(const DisplayConnection& display);
