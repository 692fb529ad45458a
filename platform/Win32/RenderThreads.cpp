#include "platform/RenderThreads.hpp"

#include <cstdlib>

void renderOnCallingThread() {
    // Mesa's software rasteriser, where it stands in for the system's OpenGL, reads its thread
    // count when the first context is made.
    if (std::getenv("LP_NUM_THREADS") == nullptr)
        _putenv_s("LP_NUM_THREADS", "0");
}
