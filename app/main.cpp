#include "app/Sandbox.hpp"

#include <cstdlib>
#include <iostream>

int main() {
    // The X11 backend aborts without a display; say what is wrong instead.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        std::cerr << "grainwright: no display found (DISPLAY is not set); start it from a "
                     "desktop session, or use scripts/run, which falls back to a virtual display\n";
        return 1;
    }
    Sandbox sandbox;
    if (!startSandbox(sandbox, std::cerr))
        return 1;
    const HeldInput input = liveInput(sandbox.window);
    while (sandbox.window.isOpen() && runFrame(sandbox, input)) {
    }
    return 0;
}
