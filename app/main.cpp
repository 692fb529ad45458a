#include "app/Sandbox.hpp"
#include "platform/Console.hpp"
#include "platform/Display.hpp"
#include "platform/RenderThreads.hpp"

#include <sstream>

int main() {
    if (const std::string problem = missingDisplay(); !problem.empty()) {
        reportStartupFailure(problem);
        return 1;
    }
    renderOnCallingThread();
    Sandbox sandbox;
    std::ostringstream failure;
    if (!startSandbox(sandbox, failure)) {
        // An empty window must not stand beside the message.
        sandbox.window.close();
        reportStartupFailure(failure.str());
        return 1;
    }
    const HeldInput input = liveInput(sandbox.window);
    while (sandbox.window.isOpen() && runFrame(sandbox, input)) {
    }
    return 0;
}
