#include "platform/Display.hpp"

std::string missingDisplay() {
    // Every Windows session has a desktop to open a window on.
    return "";
}
