#include "platform/Display.hpp"

#include <cstdlib>

std::string missingDisplay() {
    // The X11 backend aborts without a display; say what is wrong instead.
    if (std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr)
        return "";
    return "grainwright: no display found (DISPLAY is not set); start it from a desktop "
           "session, or use scripts/run, which falls back to a virtual display\n";
}
