#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Context.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

/// A window's colour buffer, top row first, RGBA.
struct WindowPixels {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> rgba;

    sf::Color at(unsigned x, unsigned y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
        return sf::Color(rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]);
    }
};

template <typename Fn> Fn glFunction(const char* name) {
    const auto function = sf::Context::getFunction(name);
    if (function == nullptr)
        throw std::runtime_error(std::string("no GL function ") + name);
    return reinterpret_cast<Fn>(function);
}

/// Reads the back buffer through the window's own GL context, with glReadPixels looked up at
/// run time so that nothing links OpenGL on any SFML version. Mesa under Xvfb keeps the
/// buffer across `display`.
inline WindowPixels readWindowPixels(sf::RenderWindow& window) {
    if (!window.setActive(true))
        throw std::runtime_error("cannot activate the window's GL context");
    WindowPixels pixels{window.getSize().x, window.getSize().y, {}};
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * 4;
    std::vector<std::uint8_t> bottomUp(rowBytes * pixels.height);
    glFunction<void (*)()>("glFinish")();
    glFunction<void (*)(unsigned)>("glReadBuffer")(0x0405);          // GL_BACK
    glFunction<void (*)(unsigned, int)>("glPixelStorei")(0x0D05, 1); // GL_PACK_ALIGNMENT
    glFunction<void (*)(int, int, int, int, unsigned, unsigned, void*)>("glReadPixels")(
        0, 0, static_cast<int>(pixels.width), static_cast<int>(pixels.height), 0x1908 /* RGBA */,
        0x1401 /* UNSIGNED_BYTE */, bottomUp.data());
    pixels.rgba.resize(bottomUp.size());
    for (std::size_t row = 0; row < pixels.height; ++row) // GL counts rows from the bottom
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * rowBytes), rowBytes,
                    pixels.rgba.end() - static_cast<std::ptrdiff_t>((row + 1) * rowBytes));
    return pixels;
}

/// Compares red, green and blue of every pixel (the visual may have no alpha) with
/// `expected(x, y)`; names how many differ and the first.
inline testing::AssertionResult
matchesEverywhere(const WindowPixels& pixels,
                  const std::function<sf::Color(unsigned, unsigned)>& expected) {
    int wrong = 0;
    testing::Message first;
    for (unsigned y = 0; y < pixels.height; ++y)
        for (unsigned x = 0; x < pixels.width; ++x) {
            const sf::Color got = pixels.at(x, y), want = expected(x, y);
            if ((got.r != want.r || got.g != want.g || got.b != want.b) && wrong++ == 0)
                first << "first at (" << x << ", " << y << "): got " << got.toInteger() << ", want "
                      << want.toInteger();
        }
    if (wrong == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << wrong << " pixels differ; " << first;
}
