#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

/// The colour buffer of a window, top row first, four bytes (RGBA) a pixel.
struct WindowPixels {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> rgba;

    sf::Color at(unsigned x, unsigned y) const;
};

/// Reads the window's back buffer through its own GL context: what has been drawn since the
/// last `display`. Mesa's software rasteriser (Xvfb) keeps it unchanged across `display`, so
/// a frame can also be read right after it was shown. Works on SFML 2.5+ and 3 alike, since
/// it asks the context for glReadPixels instead of linking OpenGL.
WindowPixels readWindowPixels(sf::RenderWindow& window);

/// Compares the red, green and blue of every pixel with `expected(x, y)` (the window's visual
/// may have no alpha to read back); names how many differ and the first.
testing::AssertionResult
matchesEverywhere(const WindowPixels& pixels,
                  const std::function<sf::Color(unsigned x, unsigned y)>& expected);
