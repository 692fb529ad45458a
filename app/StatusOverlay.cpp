#include "app/StatusOverlay.hpp"

#include <SFML/System/Time.hpp>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <unistd.h>

std::string composeStatus(const std::string& pauseLine, const std::string& selectedElement,
                          const std::string& displayModeName, float measuredFps, int framerateLimit,
                          int particleCount) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << pauseLine << "selected element: " << selectedElement
         << "\ndisplay mode: " << displayModeName
         << "\nFPS: " << static_cast<std::int32_t>(measuredFps) << "/" << framerateLimit
         << "\nParticles: " << particleCount;
    return text.str();
}

void FrameRateMeter::countFrame() {
    ++frameCount;
    const float seconds = static_cast<float>(clock.getElapsedTime().asMicroseconds()) / 1000000.0f;
    if (seconds >= 1.0f) {
        measuredFps = static_cast<float>(frameCount) / seconds;
        frameCount = 0;
        clock.restart();
    }
}

void clearConsole() {
    // Home the cursor and clear the screen; only a terminal understands it.
    if (isatty(STDOUT_FILENO) == 1) {
        std::fputs("\x1b[H\x1b[2J", stdout);
        std::fflush(stdout);
    }
}
