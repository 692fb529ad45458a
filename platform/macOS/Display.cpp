#include "platform/Display.hpp"

DisplayConnection connectToDisplay() {
    // SFML opens its windows through Cocoa, which needs no display to be named.
    return {};
}

DesktopMetrics desktopMetrics(const DisplayConnection&) {
    // The system scales every window that does not ask otherwise, and SFML does not.
    return {};
}
