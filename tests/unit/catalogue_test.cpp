#include "app/StatusOverlay.hpp"
#include "elements/Elements.hpp"
#include "render/GridRenderer.hpp"
#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iomanip>
#include <locale>

namespace {

using E = ElementId;
using S = MatterState;

TEST(Catalogue, RowsNamesAndStates) {
    const std::tuple<E, const char*, sf::Color, int, float, S> rows[] = {
        {E::Air, "air", {25, 25, 25}, 0, 0.0f, S::Special},
        {E::Sand, "sand", {255, 255, 0}, 25, 1.1f, S::Powder},
        {E::Rock, "rock", {128, 128, 128}, 5, 4.0f, S::Solid},
        {E::Water, "water", {0, 128, 255}, 15, 0.1f, S::Liquid},
        {E::Ice, "ice", {131, 206, 255}, 15, 4.0f, S::Solid},
        {E::Steam, "steam", {200, 200, 200}, 5, 0.0f, S::Gas},
        {E::Lava, "lava", {255, 115, 0}, 25, 0.3f, S::Special},
        {E::MoltenGlass, "molten glass", {255, 188, 79}, 20, 0.2f, S::Special},
        {E::Glass, "glass", {207, 255, 245}, 5, 4.0f, S::Solid}};
    for (const auto& [id, name, colour, variation, density, painted] : rows) {
        EXPECT_EQ(elementName(id), name);
        EXPECT_EQ(elementFromName(name), id) << name;
        EXPECT_EQ(elementColors.at(id), colour) << name;
        EXPECT_EQ(colorVariation.at(id), variation) << name;
        EXPECT_EQ(elementDensity.at(id), density) << name;
        EXPECT_EQ(paintedState(id), painted) << name;
    }
    EXPECT_EQ(elementColors.at(E::Fallback), sf::Color::White);
    EXPECT_EQ(colorVariation.at(E::Fallback), 0);
    EXPECT_EQ(paintedState(E::Fallback), S::Special);
    EXPECT_EQ(elementDensity[E::Fallback], 0.0f);
    EXPECT_EQ(elementDensity.size(), 10u);

    for (int id : {9, -1, 10, INT_MIN, INT_MAX})
        EXPECT_EQ(elementName(static_cast<E>(id)), "fallback") << id;
    for (const std::string name : {"Sand", "", "none", "heat", "fallback", "sand ", "san", "sands",
                                   "moltenglass", "Molten glass"})
        EXPECT_EQ(elementFromName(name), E::Fallback) << '"' << name << '"';
    EXPECT_EQ(elementFromName(std::string("sand\0", 5)), E::Fallback);

    const std::pair<int, const char*> states[] = {
        {0, "special"}, {1, "solid"},   {2, "liquid"},   {3, "gas"},
        {4, "powder"},  {5, "special"}, {-1, "special"}, {INT_MIN, "special"}};
    for (const auto& [value, name] : states)
        EXPECT_EQ(stateName(static_cast<S>(value)), name) << value;
}

// Mirrors the rule with a second engine: three draws, red, green, blue, each from
// [-variation, +variation], clamped.
TEST(Catalogue, VariedColourTakesThreeClampedDraws) {
    for (int id = 0; id <= 9; ++id) {
        std::mt19937 rng(static_cast<unsigned>(id)), mirror(static_cast<unsigned>(id));
        const sf::Color base = elementColors.at(static_cast<E>(id));
        std::uniform_int_distribution<int> offset(-colorVariation.at(static_cast<E>(id)),
                                                  colorVariation.at(static_cast<E>(id)));
        for (int i = 0; i < 500; ++i) {
            const int r = std::clamp(base.r + offset(mirror), 0, 255);
            const int g = std::clamp(base.g + offset(mirror), 0, 255);
            const int b = std::clamp(base.b + offset(mirror), 0, 255);
            ASSERT_EQ(variedColor(static_cast<E>(id), rng), sf::Color(r, g, b, 255)) << id;
        }
        EXPECT_TRUE(rng == mirror) << id;
    }
}

TEST(Text, TemperaturesStatusAndReadout) {
    const std::pair<float, const char*> temperatures[] = {
        {20.0f, "20.00"}, {-273.0f, "-273.00"},   {5000.0f, "5000.00"}, {-0.5f, "-0.50"},
        {0.0f, "0.00"},   {1234.567f, "1234.57"}, {99.999f, "100.00"},  {1.0e6f, "1000000.00"}};
    for (const auto& [value, text] : temperatures)
        EXPECT_EQ(formatTemperature(value), text) << value;

    EXPECT_EQ(composeStatus("\n", "sand", "standard", 14.9f, 15, 120),
              "\nselected element: sand\ndisplay mode: standard\nFPS: 14/15\nParticles: 120");
    EXPECT_EQ(composeStatus("paused\n", "none", "temperature", 134.99f, 135, 2500),
              "paused\nselected element: none\ndisplay mode: temperature\nFPS: 134/135\n"
              "Particles: 2500");
    struct Grouping : std::numpunct<char> {
        char do_thousands_sep() const override { return ','; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Grouping));
    const std::string grouped = composeStatus("\n", "air", "standard", 1234.5f, 60, 1234567);
    std::locale::global(previous);
    EXPECT_EQ(grouped,
              "\nselected element: air\ndisplay mode: standard\nFPS: 1234/60\nParticles: 1234567");

    Simulation world;
    EXPECT_EQ(hoverReadout(world, 5, 5), "air\nTemp: 20.00\nState: special");
    const std::tuple<E, S, float, const char*> cells[] = {
        {E::Ice, S::Solid, -273.0f, "ice\nTemp: -273.00\nState: solid"},
        {E::MoltenGlass, S::Liquid, 5000.0f, "molten glass\nTemp: 5000.00\nState: liquid"},
        {E::Steam, S::Gas, 100.5f, "steam\nTemp: 100.50\nState: gas"},
        {E::Glass, static_cast<S>(5), 20.0f, "glass\nTemp: 20.00\nState: special"},
        {static_cast<E>(10), S::Powder, 20.0f, "fallback\nTemp: 20.00\nState: powder"}};
    for (const auto& [element, state, temperature, expected] : cells) {
        world.grid[7][3] = Cell{temperature, 0.0f, element, state, 0, {}};
        EXPECT_EQ(hoverReadout(world, 7 * 11 + 4, 3 * 11 + 4), expected);
    }
}

TEST(Text, ReadoutFindsTheCellUnderThePointerGapsIncluded) {
    Simulation world;
    for (int x = 0; x < 50; ++x)
        for (int y = 0; y < 50; ++y)
            world.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].temperature =
                static_cast<float>(x * 100 + y);
    const std::tuple<int, int, const char*> inside[] = {
        {1, 1, "0.00"},  {10, 10, "0.00"},      {11, 11, "101.00"},  {21, 32, "102.00"},
        {1, 12, "1.00"}, {549, 549, "4949.00"}, {549, 1, "4900.00"}, {548, 538, "4948.00"}};
    for (const auto& [x, y, t] : inside)
        EXPECT_EQ(hoverReadout(world, x, y), std::string("air\nTemp: ") + t + "\nState: special")
            << x << ", " << y;
    const std::pair<int, int> outside[] = {{0, 100},   {100, 0},     {-5, 40},    {550, 300},
                                           {300, 550}, {INT_MIN, 5}, {5, INT_MAX}};
    for (const auto& [x, y] : outside)
        EXPECT_EQ(hoverReadout(world, x, y), std::nullopt) << x << ", " << y;
}

TEST(TemperatureRamp, ListedValuesBandEdgesAndTruncation) {
    // Each band is closed at its top; the next starts right above it. Channels truncate.
    const auto above = [](float t) { return std::nextafter(t, 1.0e9f); };
    const std::pair<float, sf::Color> cases[] = {
        {-273.0f, {0, 0, 0}},       {-200.0f, {20, 0, 34}},        {0.0f, {75, 0, 130}},
        {0.5f, {0, 0, 255}},        {20.0f, {5, 0, 255}},          {500.0f, {127, 0, 255}},
        {1000.0f, {255, 0, 255}},   {1000.5f, {255, 0, 0}},        {1500.0f, {255, 127, 0}},
        {2000.0f, {255, 255, 0}},   {2500.0f, {255, 255, 127}},    {3000.0f, {255, 255, 255}},
        {5000.0f, {255, 255, 255}}, {-1.0f, {74, 0, 129}},         {-136.5f, {37, 0, 65}},
        {above(0), {0, 0, 255}},    {3.9f, {0, 0, 255}},           {4.0f, {1, 0, 255}},
        {above(1000), {255, 0, 0}}, {1004.0f, {255, 1, 0}},        {above(2000), {255, 255, 0}},
        {2999.0f, {255, 255, 254}}, {above(3000), {255, 255, 255}}};
    for (const auto& [temperature, want] : cases)
        EXPECT_EQ(temperatureColor(temperature), want) << std::setprecision(9) << temperature;
}

} // namespace
