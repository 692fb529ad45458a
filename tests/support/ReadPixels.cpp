#include "support/ReadPixels.hpp"

#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

using GlEnum = unsigned int;
using GlInt = int;

constexpr GlEnum glBack = 0x0405;
constexpr GlEnum glPackAlignment = 0x0D05;
constexpr GlEnum glRgba = 0x1908;
constexpr GlEnum glUnsignedByte = 0x1401;

using ReadBufferFn = void (*)(GlEnum);
using PixelStoreFn = void (*)(GlEnum, GlInt);
using ReadPixelsFn = void (*)(GlInt, GlInt, GlInt, GlInt, GlEnum, GlEnum, void*);
using FinishFn = void (*)();

template <typename Fn> Fn glFunction(const char* name) {
    const auto function = sf::Context::getFunction(name);
    if (function == nullptr)
        throw std::runtime_error(std::string("no GL function ") + name);
    return reinterpret_cast<Fn>(function);
}

} // namespace

sf::Color WindowPixels::at(unsigned x, unsigned y) const {
    const std::size_t offset = (static_cast<std::size_t>(y) * width + x) * 4;
    return sf::Color(rgba[offset], rgba[offset + 1], rgba[offset + 2], rgba[offset + 3]);
}

WindowPixels readWindowPixels(sf::RenderWindow& window) {
    if (!window.setActive(true))
        throw std::runtime_error("cannot activate the window's GL context");
    WindowPixels pixels;
    pixels.width = window.getSize().x;
    pixels.height = window.getSize().y;
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * 4;
    std::vector<std::uint8_t> bottomUp(rowBytes * pixels.height);

    glFunction<FinishFn>("glFinish")();
    glFunction<ReadBufferFn>("glReadBuffer")(glBack);
    glFunction<PixelStoreFn>("glPixelStorei")(glPackAlignment, 1);
    glFunction<ReadPixelsFn>("glReadPixels")(0, 0, static_cast<GlInt>(pixels.width),
                                             static_cast<GlInt>(pixels.height), glRgba,
                                             glUnsignedByte, bottomUp.data());

    // GL counts rows from the bottom.
    pixels.rgba.resize(bottomUp.size());
    for (unsigned row = 0; row < pixels.height; ++row)
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * rowBytes), rowBytes,
                    pixels.rgba.begin() +
                        static_cast<std::ptrdiff_t>((pixels.height - 1 - row) * rowBytes));
    return pixels;
}

testing::AssertionResult
matchesEverywhere(const WindowPixels& pixels,
                  const std::function<sf::Color(unsigned x, unsigned y)>& expected) {
    int wrong = 0;
    testing::Message first;
    for (unsigned y = 0; y < pixels.height; ++y)
        for (unsigned x = 0; x < pixels.width; ++x) {
            const sf::Color got = pixels.at(x, y);
            const sf::Color want = expected(x, y);
            if ((got.r != want.r || got.g != want.g || got.b != want.b) && wrong++ == 0)
                first << "first at (" << x << ", " << y << "): got " << int{got.r} << ","
                      << int{got.g} << "," << int{got.b} << ", want " << int{want.r} << ","
                      << int{want.g} << "," << int{want.b};
        }
    if (wrong == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << wrong << " pixels differ; " << first;
}
