#include "platform/Console.hpp"

#include <cstdio>
#include <iostream>
#include <unistd.h>

void clearConsole() {
    // Home the cursor and clear the screen; only a terminal understands it.
    if (isatty(STDOUT_FILENO) == 1) {
        std::fputs("\x1b[H\x1b[2J", stdout);
        std::fflush(stdout);
    }
}

void reportStartupFailure(const std::string& message) {
    std::cerr << message << std::flush;
}
