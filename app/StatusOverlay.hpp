#pragma once

#include <SFML/System/Clock.hpp>
#include <SFML/System/Time.hpp>

#include <string>

/// The five status lines: pause state (empty while running), selected brush, display mode,
/// measured frames a second against the limit, and the number of non-air cells.
std::string composeStatus(const std::string& pauseLine, const std::string& selectedElement,
                          const std::string& displayModeName, float measuredFps, int framerateLimit,
                          int particleCount);

/// Counts frames and turns them into a frame rate once a second.
struct FrameRateMeter {
    int frameCount = 0;
    /// Frames a second of the last closed one-second interval; 0 until the first closes.
    float measuredFps = 0.0f;
    sf::Clock clock;

    /// Call at the start of every frame.
    void countFrame();
};
