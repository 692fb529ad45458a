#include "render/GridRenderer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>

namespace {

TEST(TemperatureRamp, ListedValuesBandEdgesAndTruncation) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, sf::Color> cases[] = {
        {-273.0f, {0, 0, 0}},
        {-200.0f, {20, 0, 34}},
        {0.0f, {75, 0, 130}},
        {0.5f, {0, 0, 255}},
        {20.0f, {5, 0, 255}},
        {500.0f, {127, 0, 255}},
        {1000.0f, {255, 0, 255}},
        {1000.5f, {255, 0, 0}},
        {1500.0f, {255, 127, 0}},
        {2000.0f, {255, 255, 0}},
        {2500.0f, {255, 255, 127}},
        {3000.0f, {255, 255, 255}},
        {3500.0f, {255, 255, 255}},
        {5000.0f, {255, 255, 255}},
        // Each band is closed at its top and the next starts right above it; channels truncate.
        {-0.0f, {75, 0, 130}},
        {-1.0f, {74, 0, 129}},
        {-136.5f, {37, 0, 65}},
        {std::nextafter(0.0f, inf), {0, 0, 255}},
        {3.9f, {0, 0, 255}},
        {4.0f, {1, 0, 255}},
        {std::nextafter(1000.0f, inf), {255, 0, 0}},
        {1004.0f, {255, 1, 0}},
        {std::nextafter(2000.0f, inf), {255, 255, 0}},
        {2999.0f, {255, 255, 254}},
        {std::nextafter(3000.0f, inf), {255, 255, 255}},
    };
    for (const auto& [temperature, want] : cases) {
        const sf::Color got = temperatureColor(temperature);
        EXPECT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b && got.a == 255)
            << std::setprecision(9) << temperature << " gives " << int{got.r} << ", " << int{got.g}
            << ", " << int{got.b} << ", " << int{got.a};
    }
}

} // namespace
