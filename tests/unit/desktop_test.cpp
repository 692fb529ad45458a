#include "app/PictureView.hpp"
#include "platform/DesktopScale.hpp"
#include "platform/XSettings.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

// GDK_SCALE when a whole number from 1, else a window scaling factor from 2, else Xft.dpi / 96.
TEST(Desktop, ScaleFromWhatTheDesktopSays) {
    using Text = std::optional<std::string>;
    const std::tuple<Text, std::optional<int>, Text, double> desktops[] = {
        {{}, {}, {}, 1.0},       {"1", 2, "192", 1.0},
        {"3", {}, {}, 3.0},      {"abc", 2, "240", 2.0},
        {"2.5", {}, "144", 1.5}, {"0", {}, {}, 1.0},
        {"-2", {}, {}, 1.0},     {"99999999999", {}, {}, 1.0},
        {{}, 2, "240", 2.0},     {{}, 1, "192", 2.0},
        {{}, 0, {}, 1.0},        {{}, {}, "120", 1.25},
        {{}, {}, "none", 1.0},   {{}, {}, "1537", 1.0},
        {{}, {}, "0.5", 1.0},    {{}, {}, "nan", 1.0},
        {{}, {}, "", 1.0}};
    for (const auto& [gdkScale, factor, dpi, expected] : desktops)
        EXPECT_EQ(desktopScale({gdkScale, factor, dpi}), expected)
            << gdkScale.value_or("unset") << " " << factor.value_or(-1) << " "
            << dpi.value_or("unset");
}

// The settings as a manager writes them, in either byte order.
std::string settings(bool bigEndian, const std::string& records, std::uint32_t count) {
    const auto number = [bigEndian](std::uint32_t value, int size) {
        std::string bytes;
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> 8 * (bigEndian ? size - 1 - i : i));
        return bytes;
    };
    std::string out = std::string(1, bigEndian ? 1 : 0) + std::string(3, '\0') + number(7, 4);
    out += number(count, 4);
    for (std::size_t at = 0; at < records.size();) { // records: "TYPE NAME VALUE;" each
        const std::size_t end = records.find(';', at);
        const std::string record = records.substr(at, end - at);
        const std::string name = record.substr(2, record.find(' ', 2) - 2);
        const std::string value = record.substr(3 + name.size());
        out +=
            number(record[0] - '0', 1) + '\0' + number(static_cast<std::uint32_t>(name.size()), 2);
        out += name + std::string((4 - name.size() % 4) % 4, '\0') + number(3, 4);
        if (record[0] == '0')
            out += number(static_cast<std::uint32_t>(std::stoi(value)), 4);
        else if (record[0] == '1')
            out += number(static_cast<std::uint32_t>(value.size()), 4) + value +
                   std::string((4 - value.size() % 4) % 4, '\0');
        else
            out += std::string(8, 'c');
        at = end + 1;
    }
    return out;
}

// An integer found past strings and colours in either byte order; cut short anywhere, a string of
// that name, a count beyond the records or a byte order that is neither: nothing, and no read
// beyond the bytes.
TEST(Desktop, WindowScalingFactorFromXSettings) {
    const std::string name = "Gdk/WindowScalingFactor";
    const std::string records =
        "1 Net/ThemeName Adwaita;2 Gtk/Colour x;0 Xft/DPI 98304;0 " + name + " 2;";
    for (const bool bigEndian : {false, true}) {
        const std::string whole = settings(bigEndian, records, 4);
        EXPECT_EQ(xsettingsInteger(whole, name), 2) << bigEndian;
        EXPECT_EQ(xsettingsInteger(whole, "Xft/DPI"), 98304) << bigEndian;
        EXPECT_EQ(xsettingsInteger(settings(bigEndian, "0 " + name + " -3;", 1), name), -3);
        EXPECT_EQ(xsettingsInteger(settings(bigEndian, records, 5), "Gdk/Window"), std::nullopt);
        EXPECT_EQ(xsettingsInteger(settings(bigEndian, "1 " + name + " 2;", 1), name),
                  std::nullopt);
        for (std::size_t size = 0; size < whole.size(); ++size)
            EXPECT_EQ(xsettingsInteger(std::string(whole, 0, size), name), std::nullopt) << size;
    }
    std::string otherOrder = settings(false, records, 4);
    otherOrder[0] = 2;
    EXPECT_EQ(xsettingsInteger(otherOrder, name), std::nullopt);
}

// The monitor under the pointer, else the primary, else the screen, each within the work area;
// the window centred there with its frame, its title bar kept on the screen when too large.
TEST(Desktop, MonitorAndPlace) {
    const ScreenArea left{{0, 0}, {1920, 1080}};
    const ScreenArea right{{1920, 0}, {1920, 1080}};
    const ScreenArea screen{{0, 0}, {3840, 1080}};
    const std::vector<Monitor> pair{{left, false}, {right, true}};
    const ScreenArea panel{{0, 30}, {3840, 1050}};
    const std::tuple<std::vector<Monitor>, std::optional<sf::Vector2i>, std::optional<ScreenArea>,
                     ScreenArea>
        cases[] = {{pair, sf::Vector2i(100, 100), {}, left},
                   {pair, sf::Vector2i(1919, 1079), {}, left},
                   {pair, sf::Vector2i(1920, 0), {}, right},
                   {pair, sf::Vector2i(5000, 100), {}, right},
                   {pair, {}, panel, {{1920, 30}, {1920, 1050}}},
                   {{{left, false}, {right, false}}, sf::Vector2i(-1, 0), {}, screen},
                   {{{left, false}, {{{0, 0}, {0, 0}}, true}}, {}, {}, screen},
                   {{}, sf::Vector2i(10, 10), ScreenArea{{4000, 0}, {100, 100}}, screen}};
    for (const auto& [monitors, pointer, workArea, expected] : cases) {
        const ScreenArea area = windowArea(monitors, pointer, screen, workArea);
        EXPECT_EQ(area.position, expected.position) << pointer.value_or(sf::Vector2i(-9, -9)).x;
        EXPECT_EQ(area.size, expected.size) << pointer.value_or(sf::Vector2i(-9, -9)).x;
    }
    const ScreenArea big{{3840, 100}, {3840, 2060}};
    EXPECT_EQ(windowPosition({2.0, big, {20, 80}}, {1300, 1300}), sf::Vector2i(5100, 440));
    EXPECT_EQ(windowPosition({1.0, {{0, 0}, {640, 480}}, {10, 40}}, {650, 650}),
              sf::Vector2i(0, 0));
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
