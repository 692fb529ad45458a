#include "platform/Display.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

void closeDisplay(void* display) {
    XCloseDisplay(static_cast<Display*>(display));
}

} // namespace

DisplayConnection connectToDisplay() {
    // SFML aborts when it cannot reach the X server; try it first and say what is wrong.
    if (Display* display = XOpenDisplay(nullptr))
        return {"", std::shared_ptr<void>(display, closeDisplay)};
    const char* name = std::getenv("DISPLAY");
    const std::string which = name != nullptr && *name != '\0'
                                  ? "cannot open the X display \"" + std::string(name) + "\""
                                  : "no X display to open: DISPLAY is not set";
    return {"grainwright: " + which + "; on a Wayland desktop the sandbox needs XWayland\n", {}};
}
