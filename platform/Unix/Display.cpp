#include "platform/Display.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

std::string missingDisplay() {
    // SFML aborts when it cannot reach the X server; try it first and say what is wrong.
    if (Display* display = XOpenDisplay(nullptr)) {
        XCloseDisplay(display);
        return "";
    }
    const char* name = std::getenv("DISPLAY");
    const std::string which = name != nullptr && *name != '\0'
                                  ? "cannot open the X display \"" + std::string(name) + "\""
                                  : "no X display to open: DISPLAY is not set";
    return "grainwright: " + which + "; on a Wayland desktop the sandbox needs XWayland\n";
}
