#include "platform/Display.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>

namespace {

void closeDisplay(void* display) {
    XCloseDisplay(static_cast<Display*>(display));
}

// The desktop's setting, as X11 programs read it: "Xft.dpi" in the resource database that the
// desktop (or xrdb) keeps on the screen. Nothing when it is unset or not a number.
std::optional<double> resourceDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr)
        return std::nullopt;
    XrmInitialize();
    // A database is made of any text, even an empty one.
    const XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    std::optional<double> dpi;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr) {
        double number{};
        const char* end = value.addr + std::strlen(value.addr);
        if (std::from_chars(value.addr, end, number).ec == std::errc())
            dpi = number;
    }
    XrmDestroyDatabase(database);
    return dpi;
}

// The work area of the first desktop, the first four numbers of the root window's _NET_WORKAREA,
// which a window manager publishes; nothing without one. Asked for as CARDINAL, a property of
// another type comes back empty.
std::optional<sf::Vector2i> workArea(Display* display) {
    const Atom name = XInternAtom(display, "_NET_WORKAREA", False);
    Atom type{};
    int format{};
    unsigned long count{};
    unsigned long after{};
    unsigned char* data = nullptr;
    std::optional<sf::Vector2i> area;
    if (XGetWindowProperty(display, DefaultRootWindow(display), name, 0, 4, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        format == 32 && count == 4) {
        const long* numbers = reinterpret_cast<const long*>(data);
        area = sf::Vector2i(static_cast<int>(numbers[2]), static_cast<int>(numbers[3]));
    }
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
    if (const std::optional<double> dpi = resourceDpi(display);
        dpi && *dpi >= 1.0 && *dpi <= 96.0 * 16)
        metrics.scale = *dpi / 96.0;
    const int screen = DefaultScreen(display);
    metrics.workArea = {DisplayWidth(display, screen), DisplayHeight(display, screen)};
    if (const std::optional<sf::Vector2i> area = workArea(display)) {
        metrics.workArea = *area;
        // X11 tells a frame's size only once the window is shown: a title bar and borders as
        // desktops draw them, scaled with everything else.
        metrics.frame = {static_cast<int>(10 * metrics.scale),
                         static_cast<int>(40 * metrics.scale)};
    }
    return metrics;
}
