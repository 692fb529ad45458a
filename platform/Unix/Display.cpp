#include "platform/Display.hpp"

#include "platform/DesktopScale.hpp"
#include "platform/XSettings.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

void closeDisplay(void* display) {
    XCloseDisplay(static_cast<Display*>(display));
}

// Xlib's own handler ends the program on any error, such as a settings manager's window that
// went away between two requests: while reading, an error just leaves a value unread.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

// A property of the root window or of another program's window; empty when it is not there or
// not of `type`, or the window went away.
std::vector<unsigned char> property(Display* display, Window window, const char* name, Atom type,
                                    int format, long longs) {
    const Atom atom = XInternAtom(display, name, False);
    Atom actualType{};
    int actualFormat{};
    unsigned long count{};
    unsigned long after{};
    unsigned char* data = nullptr;
    std::vector<unsigned char> bytes;
    if (XGetWindowProperty(display, window, atom, 0, longs, False, type, &actualType, &actualFormat,
                           &count, &after, &data) == Success &&
        actualFormat == format && data != nullptr) {
        // Xlib hands 32-bit items over as longs.
        const std::size_t size = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
        bytes.assign(data, data + count * size);
    }
    XFree(data);
    return bytes;
}

std::vector<long> cardinals(Display* display, const char* name) {
    const std::vector<unsigned char> bytes =
        property(display, DefaultRootWindow(display), name, XA_CARDINAL, 32, 1024);
    std::vector<long> numbers(bytes.size() / sizeof(long));
    if (!numbers.empty())
        std::memcpy(numbers.data(), bytes.data(), numbers.size() * sizeof(long));
    return numbers;
}

// "Xft.dpi" in the resource database that the desktop (or xrdb) keeps on the screen.
std::optional<std::string> resourceDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr)
        return std::nullopt;
    XrmInitialize();
    // A database is made of any text, even an empty one.
    const XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    std::optional<std::string> dpi;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr)
        dpi = value.addr;
    XrmDestroyDatabase(database);
    return dpi;
}

// The window scale that the desktop's XSETTINGS manager publishes on its selection's owner.
std::optional<int> windowScalingFactor(Display* display) {
    const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Window owner =
        XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
    if (owner == None)
        return std::nullopt;
    const Atom type = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    const std::vector<unsigned char> settings =
        property(display, owner, "_XSETTINGS_SETTINGS", type, 8, 65536);
    return xsettingsInteger({reinterpret_cast<const char*>(settings.data()), settings.size()},
                            "Gdk/WindowScalingFactor");
}

// RandR's monitors; none where the server predates them.
std::vector<Monitor> monitors(Display* display) {
    int event{};
    int error{};
    int major{};
    int minor{};
    if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return {};
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    std::vector<Monitor> result;
    for (int i = 0; info != nullptr && i < count; ++i)
        result.push_back(
            {{{info[i].x, info[i].y}, {info[i].width, info[i].height}}, info[i].primary != 0});
    if (info != nullptr)
        XRRFreeMonitors(info);
    return result;
}

std::optional<sf::Vector2i> pointerPosition(Display* display) {
    Window root{};
    Window child{};
    sf::Vector2i at;
    sf::Vector2i inChild;
    unsigned buttons{};
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &at.x, &at.y, &inChild.x,
                       &inChild.y, &buttons))
        return std::nullopt;
    return at;
}

// The current desktop's work area, which a window manager publishes; nothing without one.
std::optional<ScreenArea> workArea(Display* display) {
    const std::vector<long> area = cardinals(display, "_NET_WORKAREA");
    const std::vector<long> current = cardinals(display, "_NET_CURRENT_DESKTOP");
    if (area.size() < 4)
        return std::nullopt;
    std::size_t at = 0;
    if (!current.empty() && current[0] >= 0 &&
        static_cast<std::size_t>(current[0]) < area.size() / 4)
        at = 4 * static_cast<std::size_t>(current[0]);
    const auto number = [&](std::size_t i) { return static_cast<int>(area[at + i]); };
    return ScreenArea{{number(0), number(1)}, {number(2), number(3)}};
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
    const auto previous = XSetErrorHandler(ignoreError);
    ScaleSettings settings;
    if (const char* gdkScale = std::getenv("GDK_SCALE"))
        settings.gdkScale = gdkScale;
    settings.windowScalingFactor = windowScalingFactor(display);
    settings.xftDpi = resourceDpi(display);
    metrics.scale = desktopScale(settings);
    const int screen = DefaultScreen(display);
    const ScreenArea whole{{0, 0}, {DisplayWidth(display, screen), DisplayHeight(display, screen)}};
    const std::optional<ScreenArea> published = workArea(display);
    metrics.workArea = windowArea(monitors(display), pointerPosition(display), whole, published);
    if (published) {
        // X11 tells a frame's size only once the window is shown: a title bar and borders as
        // desktops draw them, scaled with everything else (a window is never scaled beyond 16).
        const double scale = std::min(metrics.scale, 16.0);
        metrics.frame = {static_cast<int>(10 * scale), static_cast<int>(40 * scale)};
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return metrics;
}
