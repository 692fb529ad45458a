#include "app/Sandbox.hpp"
#include "platform/Console.hpp"
#include "platform/Display.hpp"
#include "platform/RenderThreads.hpp"

#include <sstream>

int main() {
    // Held to the end, so that the X server never sees its last client leave meanwhile.
    const DisplayConnection display = connectToDisplay();
    if (!display.problem.empty()) {
        reportStartupFailure(display.problem);
        return 1;
    }
    renderOnCallingThread();
    std::ostringstream failure;
    {
        Sandbox sandbox;
        if (startSandbox(sandbox, failure, desktopMetrics(display))) {
            const HeldInput input = liveInput(sandbox.window, sandbox.scale);
            while (sandbox.window.isOpen() && runFrame(sandbox, input)) {
            }
            return 0;
        }
    } // The window goes first: an empty one must not stand beside the message.
    reportStartupFailure(failure.str());
    return 1;
}
