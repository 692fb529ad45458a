#include "platform/Display.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void closeDisplay(void* display) {
    XCloseDisplay(static_cast<Display*>(display));
}

// The desktop's setting, as X11 programs read it: "Xft.dpi" in the resource database that the
// desktop (or xrdb) keeps on the screen. Nothing when it is unset or not a number.
double resourceDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr)
        return 0.0;
    XrmInitialize();
    const XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    double dpi = 0.0;
    if (database != nullptr && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) &&
        value.addr != nullptr)
        std::from_chars(value.addr, value.addr + std::strlen(value.addr), dpi);
    if (database != nullptr)
        XrmDestroyDatabase(database);
    return dpi;
}

// The first four numbers of the root window's _NET_WORKAREA, the work area of the first desktop,
// which a window manager publishes; nothing without one.
std::vector<long> workAreaProperty(Display* display) {
    const Atom name = XInternAtom(display, "_NET_WORKAREA", True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> area;
    if (name != None &&
        XGetWindowProperty(display, DefaultRootWindow(display), name, 0, 4, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && count == 4)
        area.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + 4);
    if (data != nullptr)
        XFree(data);
    return area;
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

DesktopMetrics desktopMetrics(const DisplayConnection& connection) {
    DesktopMetrics metrics;
    auto* display = static_cast<Display*>(connection.handle.get());
    if (display == nullptr)
        return metrics;
    // Anything beyond 16 times 96 is no desktop's setting.
    if (const double dpi = resourceDpi(display); dpi >= 1.0 && dpi <= 96.0 * 16)
        metrics.scale = dpi / 96.0;
    const int screen = DefaultScreen(display);
    metrics.workArea = {DisplayWidth(display, screen), DisplayHeight(display, screen)};
    if (const std::vector<long> area = workAreaProperty(display); !area.empty()) {
        metrics.workArea = {static_cast<int>(area[2]), static_cast<int>(area[3])};
        // X11 tells a frame's size only once the window is shown: a title bar and borders as
        // desktops draw them, scaled with everything else.
        metrics.frame = {static_cast<int>(10 * metrics.scale),
                         static_cast<int>(40 * metrics.scale)};
    }
    return metrics;
}
