#include "platform/Display.hpp"

DisplayConnection connectToDisplay() {
    // Every Windows session has a desktop to open a window on.
    return {};
}
