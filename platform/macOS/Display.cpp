#include "platform/Display.hpp"

DisplayConnection connectToDisplay() {
    // SFML opens its windows through Cocoa, which needs no display to be named.
    return {};
}
