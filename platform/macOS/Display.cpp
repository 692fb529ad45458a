#include "platform/Display.hpp"

std::string missingDisplay() {
    // SFML opens its windows through Cocoa, which needs no display to be named.
    return "";
}
