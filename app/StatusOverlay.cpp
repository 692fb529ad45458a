#include "app/StatusOverlay.hpp"

#include <SFML/System/Time.hpp>

#include <cstdint>
#include <sstream>

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
