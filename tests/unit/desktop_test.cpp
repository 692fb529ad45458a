#include "app/PictureView.hpp"
#include "platform/DesktopScale.hpp"
#include "platform/XSettings.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

// What the desktops check leaves out: a GDK_SCALE or a factor that is no scale, an Xft.dpi that
// is no desktop's.
TEST(Desktop, ScaleFromWhatTheDesktopSays) {
    using Text = std::optional<std::string>;
    const std::tuple<Text, std::optional<int>, Text, double> desktops[] = {
        {"0", {}, "144", 1.5},     {"-2", {}, {}, 1.0},   {"2.5", {}, {}, 1.0},
        {"99999999999", 3, {}, 3}, {{}, 1, "192", 2.0},   {{}, 0, {}, 1.0},
        {{}, {}, "120", 1.25},     {{}, {}, "1537", 1.0}, {{}, {}, "0.5", 1.0},
        {{}, {}, "nan", 1.0},      {{}, {}, "", 1.0}};
    for (const auto& [gdkScale, factor, dpi, expected] : desktops)
        EXPECT_EQ(desktopScale({gdkScale, factor, dpi}), expected)
            << gdkScale.value_or("-") << " " << factor.value_or(-1) << " " << dpi.value_or("-");
}

// XSETTINGS records, in either byte order: a string, a colour, then two integers.
std::string settings(bool big, std::uint32_t count, const std::string& name, char type) {
    const auto number = [big](std::uint32_t value, int size) {
        std::string bytes;
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> 8 * (big ? size - 1 - i : i));
        return bytes;
    };
    const auto head = [&](char kind, const std::string& key) {
        return std::string{kind, '\0'} + number(static_cast<std::uint32_t>(key.size()), 2) + key +
               std::string((4 - key.size() % 4) % 4, '\0') + number(1, 4);
    };
    return std::string{big, 0, 0, 0} + number(9, 4) + number(count, 4) + head(1, "Net/ThemeName") +
           number(3, 4) + "Abc" + '\0' + head(2, "Gtk/Colour") + std::string(8, 'c') +
           head(0, "Xft/DPI") + number(98304, 4) + head(type, name) + number(-3u, 4);
}

// An integer found past strings and colours; a string of that name, a count beyond the records,
// any cut or a byte order that is neither: nothing, and no read beyond the bytes.
TEST(Desktop, WindowScalingFactorFromXSettings) {
    const std::string name = "Gdk/WindowScalingFactor";
    for (const bool big : {false, true}) {
        const std::string whole = settings(big, 4, name, 0);
        EXPECT_EQ(xsettingsInteger(whole, name), -3) << big;
        EXPECT_EQ(xsettingsInteger(whole, "Xft/DPI"), 98304) << big;
        EXPECT_EQ(xsettingsInteger(settings(big, 4, name, 1), name), std::nullopt) << big;
        EXPECT_EQ(xsettingsInteger(settings(big, 5, name, 0), "Gdk/Window"), std::nullopt);
        for (std::size_t size = 0; size < whole.size(); ++size)
            EXPECT_EQ(xsettingsInteger(whole.substr(0, size), name), std::nullopt) << size;
        EXPECT_EQ(xsettingsInteger('\2' + whole.substr(1), name), std::nullopt);
    }
}

// The monitor under the pointer, else the primary, else the screen, each within the work area;
// the window centred there with its frame, its title bar on the screen when too large.
TEST(Desktop, MonitorAndPlace) {
    const ScreenArea left{{0, 0}, {1920, 1080}}, right{{1920, 0}, {1920, 1080}};
    const ScreenArea screen{{0, 0}, {3840, 1080}}, panel{{0, 30}, {3840, 1050}};
    const std::vector<Monitor> pair{{left, false}, {right, true}};
    const std::tuple<std::vector<Monitor>, std::optional<sf::Vector2i>, std::optional<ScreenArea>,
                     ScreenArea>
        cases[] = {{pair, sf::Vector2i(1919, 1079), {}, left},
                   {pair, sf::Vector2i(5000, 100), {}, right},
                   {pair, {}, panel, {{1920, 30}, {1920, 1050}}},
                   {{{left, false}, {right, false}}, sf::Vector2i(-1, 0), {}, screen},
                   {{{left, false}, {{}, true}}, {}, {}, screen},
                   {{}, {}, ScreenArea{{4000, 0}, {100, 100}}, screen}};
    for (const auto& [monitors, pointer, workArea, expected] : cases) {
        const ScreenArea area = windowArea(monitors, pointer, screen, workArea);
        EXPECT_EQ(std::pair(area.position, area.size), std::pair(expected.position, expected.size))
            << monitors.size() << " " << pointer.value_or(sf::Vector2i()).x;
    }
    EXPECT_EQ(windowPosition({2, {{3840, 100}, {3840, 2060}}, {20, 80}}, {1300, 1300}),
              sf::Vector2i(5100, 440));
    EXPECT_EQ(windowPosition({1, {{9, 9}, {640, 480}}, {10, 40}}, {650, 650}), sf::Vector2i(9, 9));
    EXPECT_EQ(windowPosition({}, {650, 650}), std::nullopt);
}

// The desktop's scale, halves rounded up, lowered until the window and its frame fit the work
// area (of no size: unknown); a window pixel belongs to the picture pixel it magnifies, left and
// up too.
TEST(Desktop, ScaleForTheDesktopAndThePicturePixelPointedAt) {
    const std::tuple<double, int, int, int, int, int> desktops[] = {
        {1.25, 2800, 2800, 0, 0, 1},   {1.5, 2800, 2800, 0, 0, 2},   {2.5, 2800, 2800, 0, 0, 3},
        {2.0, 1280, 1024, 0, 0, 1},    {2.0, 1310, 1340, 10, 40, 2}, {2.0, 1310, 1339, 10, 40, 1},
        {2.0, 1309, 1340, 10, 40, 1},  {3.0, 1950, 1949, 0, 0, 2},   {2.0, 0, 0, 0, 0, 2},
        {std::nan(""), 0, 0, 0, 0, 1}, {HUGE_VAL, 0, 0, 0, 0, 16},   {1e300, 2800, 2800, 0, 0, 4}};
    for (const auto& [scale, width, height, frameWidth, frameHeight, expected] : desktops)
        EXPECT_EQ(pictureScale({scale, {{5, 5}, {width, height}}, {frameWidth, frameHeight}}),
                  expected)
            << scale << " on " << width << "x" << height;
    const std::tuple<int, int, int> pixels[] = {
        {1, 2, 0}, {3, 2, 1},   {-1, 2, -1},           {-3, 2, -2},
        {5, 3, 1}, {-4, 3, -2}, {INT_MAX, 1, INT_MAX}, {INT_MIN, 2, INT_MIN / 2}};
    for (const auto& [pixel, scale, expected] : pixels)
        EXPECT_EQ(pictureFromWindow({pixel, pixel}, scale), sf::Vector2i(expected, expected))
            << pixel << " at " << scale;
}

} // namespace
