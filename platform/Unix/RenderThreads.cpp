#include "platform/RenderThreads.hpp"

#include <cstdlib>

void renderOnCallingThread() {
    // Mesa's software rasteriser reads its thread count when the first context is made.
    setenv("LP_NUM_THREADS", "0", 0);
}
