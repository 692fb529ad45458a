#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"

#include <gtest/gtest.h>

#include <climits>

namespace {

Cell& cellAt(Simulation& world, int x, int y) {
    return world.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
}

TEST(HoverReadout, ThreeLinesOfTheCell) {
    Simulation world;
    EXPECT_EQ(hoverReadout(world, 5, 5), "air\nTemp: 20.00\nState: special");

    struct Case {
        ElementId element;
        MatterState state;
        float temperature;
        const char* expected;
    };
    const Case cases[] = {
        {ElementId::Water, MatterState::Liquid, 20.0f, "water\nTemp: 20.00\nState: liquid"},
        {ElementId::Ice, MatterState::Solid, -273.0f, "ice\nTemp: -273.00\nState: solid"},
        {ElementId::Lava, MatterState::Liquid, 5000.0f, "lava\nTemp: 5000.00\nState: liquid"},
        {ElementId::MoltenGlass, MatterState::Liquid, 1500.5f,
         "molten glass\nTemp: 1500.50\nState: liquid"},
        {ElementId::Steam, MatterState::Gas, 100.5f, "steam\nTemp: 100.50\nState: gas"},
        {ElementId::Sand, MatterState::Powder, 0.0f, "sand\nTemp: 0.00\nState: powder"},
        {ElementId::Glass, static_cast<MatterState>(5), 20.0f,
         "glass\nTemp: 20.00\nState: special"},
        {ElementId::Rock, static_cast<MatterState>(-1), 20.0f, "rock\nTemp: 20.00\nState: special"},
        {ElementId::Fallback, MatterState::Solid, 20.0f, "fallback\nTemp: 20.00\nState: solid"},
        {static_cast<ElementId>(10), MatterState::Solid, 20.0f,
         "fallback\nTemp: 20.00\nState: solid"},
        {static_cast<ElementId>(INT_MIN), static_cast<MatterState>(INT_MAX), 20.0f,
         "fallback\nTemp: 20.00\nState: special"},
    };
    for (const Case& c : cases) {
        Cell& cell = cellAt(world, 7, 3);
        cell.element = c.element;
        cell.state = c.state;
        cell.temperature = c.temperature;
        EXPECT_EQ(hoverReadout(world, 7 * 11 + 4, 3 * 11 + 4), c.expected);
    }
}

TEST(HoverReadout, NothingOffTheGridOrOnPixelRowAndColumnZero) {
    const Simulation world;
    const std::pair<int, int> outside[] = {
        {0, 100},   {100, 0},   {0, 0},       {-5, 40},     {550, 300},        {300, 550},
        {550, 550}, {549, 650}, {INT_MIN, 5}, {5, INT_MAX}, {INT_MAX, INT_MAX}};
    for (const auto& [x, y] : outside)
        EXPECT_EQ(hoverReadout(world, x, y), std::nullopt) << x << ", " << y;
}

TEST(HoverReadout, PixelsMapToTheirCellGapsIncluded) {
    Simulation world;
    // Each cell's temperature names it: column * 100 + row.
    for (int x = 0; x < world.width; ++x)
        for (int y = 0; y < world.height; ++y)
            cellAt(world, x, y).temperature = static_cast<float>(x * 100 + y);

    struct Case {
        int px;
        int py;
        const char* temperature;
    };
    const Case cases[] = {{1, 1, "0.00"},        {10, 10, "0.00"},    {11, 11, "101.00"},
                          {21, 32, "102.00"},    {12, 1, "100.00"},   {1, 12, "1.00"},
                          {549, 549, "4949.00"}, {549, 1, "4900.00"}, {1, 549, "49.00"},
                          {548, 538, "4948.00"}};
    for (const Case& c : cases)
        EXPECT_EQ(hoverReadout(world, c.px, c.py),
                  std::string("air\nTemp: ") + c.temperature + "\nState: special")
            << c.px << ", " << c.py;
}

} // namespace
