#include "platform/Display.hpp"

#include <windows.h>

DisplayConnection connectToDisplay() {
    // Every Windows session has a desktop to open a window on.
    return {};
}

// The manifest declares the program aware of the system's DPI, so these are the real figures and
// SFML's own request for awareness per monitor changes nothing.
DesktopMetrics desktopMetrics(const DisplayConnection&) {
    DesktopMetrics metrics;
    if (const HDC screen = GetDC(nullptr)) {
        metrics.scale = GetDeviceCaps(screen, LOGPIXELSY) / 96.0;
        ReleaseDC(nullptr, screen);
    }
    // SFML opens its window on the primary monitor, whose work area this is: the taskbar left out.
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        metrics.workArea = {{area.left, area.top},
                            {area.right - area.left, area.bottom - area.top}};
    // The styles SFML gives a window with a close button only.
    RECT frame{};
    if (AdjustWindowRectEx(&frame, WS_CAPTION | WS_MINIMIZEBOX | WS_SYSMENU, FALSE, 0))
        metrics.frame = {frame.right - frame.left, frame.bottom - frame.top};
    return metrics;
}
