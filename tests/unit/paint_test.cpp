#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace worldtest;

std::set<Position> nonAir(const Simulation& world) {
    std::set<Position> cells;
    for (int x = 0; x < world.width; ++x)
        for (int y = 0; y < world.height; ++y)
            if (cellAt(world, {x, y}).element != ElementId::Air)
                cells.insert({x, y});
    return cells;
}

std::set<Position> square(int left, int top, int right, int bottom) {
    std::set<Position> cells;
    for (int x = left; x <= right; ++x)
        for (int y = top; y <= bottom; ++y)
            cells.insert({x, y});
    return cells;
}

TEST(Painting, WhichCellsTheBrushCovers) {
    struct Case {
        int brush;
        int mouseX;
        int mouseY;
        std::set<Position> expected;
    };
    const std::vector<Case> cases = {
        {5, 550, 550, square(48, 48, 49, 49)},
        {1, 551, 0, {}},
        {1, 0, 551, {}},
        {5, -1, 20, {}},
        {5, 20, -1, {}},
        {1, 550, 0, {}},
        {3, 550, 0, square(49, 0, 49, 1)},
        {1, 0, 0, {{0, 0}}},
        {1, 10, 10, {{0, 0}}}, // the gap pixel belongs to the cell on its left and above
        {1, 11, 0, {{1, 0}}},
        {1, 539, 0, {{49, 0}}},
        {1, 0, 539, {{0, 49}}},
        {0, 549, 549, {{49, 49}}},
        {0, 275, 275, {{25, 25}}},
        {1, 275, 275, {{25, 25}}},
        {-1, 275, 275, {{25, 25}}},
        {2, 275, 275, square(24, 24, 26, 26)},
        {3, 275, 275, square(24, 24, 26, 26)},
        {4, 275, 275, square(23, 23, 27, 27)},
        {50, 275, 275, square(0, 0, 49, 49)},
        {INT_MAX, 0, 0, square(0, 0, 49, 49)},
        {51, 0, 0, square(0, 0, 25, 25)},
        {-2, 275, 275, {}},
        {-3, 275, 275, {}},
        {INT_MIN, 275, 275, {}},
        {50, INT_MAX, 0, {}},
        {50, INT_MIN, INT_MIN, {}},
        {50, 0, INT_MAX, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "brush " << c.brush << " at (" << c.mouseX << ", " << c.mouseY << ")");
        Simulation world = seededWorld(1);
        world.paint(c.brush, c.mouseX, c.mouseY, "sand", 1.0f);
        EXPECT_EQ(nonAir(world), c.expected);
    }
}

TEST(Painting, SizedWorldsUseTheirOwnBounds) {
    Simulation world = seededWorld(1, 7, 3);
    world.paint(1, 77, 33, "sand", 1.0f);
    world.paint(1, 78, 0, "sand", 1.0f);
    world.paint(1, 0, 34, "sand", 1.0f);
    EXPECT_TRUE(nonAir(world).empty());
    world.paint(3, 76, 32, "sand", 1.0f);
    EXPECT_EQ(nonAir(world), square(5, 1, 6, 2));
}

// The record painted onto air, whatever it held before.
TEST(Painting, ElementsPaintedOntoAir) {
    struct Case {
        const char* name;
        ElementId element;
        MatterState state;
        float density;
    };
    const std::vector<Case> cases = {
        {"sand", ElementId::Sand, MatterState::Powder, 1.1f},
        {"rock", ElementId::Rock, MatterState::Solid, 4.0f},
        {"water", ElementId::Water, MatterState::Liquid, 0.1f},
        {"ice", ElementId::Ice, MatterState::Solid, 4.0f},
        {"steam", ElementId::Steam, MatterState::Gas, 0.0f},
        {"lava", ElementId::Lava, MatterState::Special, 0.3f},
        {"molten glass", ElementId::MoltenGlass, MatterState::Special, 0.2f},
        {"glass", ElementId::Glass, MatterState::Solid, 4.0f},
        {"fallback", ElementId::Fallback, MatterState::Special, 0.0f},
        {"Sand", ElementId::Fallback, MatterState::Special, 0.0f},
        {"", ElementId::Fallback, MatterState::Special, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation world = seededWorld(2);
        Cell& air = cellAt(world, {3, 4});
        air.temperature = 300.0f;
        air.transformCooldown = 2;
        world.paint(1, 33, 44, c.name, 1.0f);
        const Cell& cell = cellAt(world, {3, 4});
        EXPECT_EQ(cell.element, c.element);
        EXPECT_EQ(cell.state, c.state);
        EXPECT_EQ(cell.density, c.density);
        EXPECT_EQ(cell.temperature, 20.0f);
        EXPECT_EQ(cell.transformCooldown, 2);
        EXPECT_TRUE(hasVariedColour(cell.color, c.element));
    }
}

TEST(Painting, EraseMakesFreshAir) {
    Simulation world = seededWorld(4);
    place(world, {3, 4}, ElementId::Lava, 1500.0f, 3);
    cellAt(world, {3, 5}).temperature = 80.0f;
    world.paint(2, 33, 44, "air", 1.0f);
    for (const Position& p : square(2, 3, 4, 5)) {
        const Cell& cell = cellAt(world, p);
        EXPECT_EQ(cell.element, ElementId::Air);
        EXPECT_EQ(cell.state, MatterState::Special);
        EXPECT_EQ(cell.density, 0.0f);
        EXPECT_EQ(cell.temperature, 20.0f);
        EXPECT_EQ(cell.color, sf::Color(25, 25, 25, 255));
    }
    EXPECT_EQ(cellAt(world, {3, 4}).transformCooldown, 3);
}

TEST(Painting, NoneMarksAirAndKeepsItsTemperature) {
    Simulation world = seededWorld(5);
    cellAt(world, {3, 4}).temperature = 80.0f;
    const std::mt19937 engine = world.rng;
    world.paint(1, 33, 44, "none", 1.0f);
    const Cell& cell = cellAt(world, {3, 4});
    EXPECT_EQ(cell.element, ElementId::Fallback);
    EXPECT_EQ(cell.state, MatterState::Special);
    EXPECT_EQ(cell.density, 0.0f);
    EXPECT_EQ(cell.temperature, 80.0f);
    EXPECT_EQ(cell.color, sf::Color(255, 255, 255, 255));
    EXPECT_TRUE(world.rng == engine);
    EXPECT_EQ(elementDensity.size(), 10u);
}

// Tools change only the temperature, element names change nothing but air; neither draws.
// A NaN expectation stands for "any number within range".
TEST(Painting, WhatStaysUnderToolsAndOverMatter) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        float strength;
        ElementId element;
        float before;
        float expected;
    };
    const std::vector<Case> cases = {
        {"heat", 1.0f, ElementId::Air, 20.0f, 30.0f},
        {"heat", 5.0f, ElementId::Rock, 20.0f, 70.0f},
        {"heat", 0.5f, ElementId::Water, 20.0f, 25.0f},
        {"heat", 1.0f, ElementId::Air, 4995.0f, 5000.0f},
        {"heat", 0.0f, ElementId::Sand, 20.0f, 20.0f},
        {"heat", -1.0f, ElementId::Air, 20.0f, 10.0f},
        {"heat", 1.0e30f, ElementId::Rock, 20.0f, 5000.0f},
        {"heat", inf, ElementId::Air, 20.0f, 5000.0f},
        {"heat", -inf, ElementId::Air, 20.0f, -273.0f},
        {"heat", nan, ElementId::Water, 20.0f, nan},
        {"cool", 5.0f, ElementId::Air, -250.0f, -273.0f},
        {"cool", 1.0f, ElementId::Lava, 20.0f, 10.0f},
        {"cool", 0.5f, ElementId::Air, 20.0f, 15.0f},
        {"cool", -1.0f, ElementId::Rock, 4999.0f, 5000.0f},
        {"cool", std::numeric_limits<float>::max(), ElementId::Air, 20.0f, -273.0f},
        {"cool", nan, ElementId::Air, 20.0f, nan},
        {"sand", 1.0f, ElementId::Water, 60.0f, 60.0f},
        {"sand", 1.0f, ElementId::Rock, 60.0f, 60.0f},
        {"sand", 1.0f, ElementId::Sand, 60.0f, 60.0f},
        {"water", 9.0f, ElementId::Fallback, 60.0f, 60.0f},
        {"none", 1.0f, ElementId::Sand, 60.0f, 60.0f},
        {"bogus", 1.0f, ElementId::Rock, 60.0f, 60.0f},
        // Forged out-of-range temperatures: painting over matter only clamps them.
        {"sand", 1.0f, ElementId::Water, 6000.0f, 5000.0f},
        {"rock", 1.0f, ElementId::Sand, -300.0f, -273.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.strength << " on "
                                        << elementName(c.element) << " at " << c.before);
        Simulation world = seededWorld(6);
        Cell& cell = place(world, {3, 4}, c.element, c.before, 4);
        cell.color = sf::Color(1, 2, 3, 255);
        const Cell before = cell;
        const std::mt19937 engine = world.rng;
        world.paint(1, 33, 44, c.name, c.strength);
        Cell after = cellAt(world, {3, 4});
        if (std::isnan(c.expected)) {
            EXPECT_GE(after.temperature, -273.0f);
            EXPECT_LE(after.temperature, 5000.0f);
        } else {
            EXPECT_EQ(after.temperature, c.expected);
        }
        after.temperature = before.temperature;
        EXPECT_TRUE(sameCell(after, before));
        EXPECT_TRUE(world.rng == engine);
    }
}

// Column by column, top to bottom; three draws per cell that receives a varied colour and
// none for the cells it skips.
TEST(Painting, ColoursAreDrawnInBrushOrder) {
    for (const char* name : {"sand", "water", "air", "bogus"}) {
        SCOPED_TRACE(name);
        Simulation world = seededWorld(8);
        const std::set<Position> occupied = {{2, 3}, {3, 4}, {4, 3}, {2, 5}};
        for (const Position& p : occupied)
            place(world, p, ElementId::Rock);
        const bool erase = std::string(name) == "air";
        const ElementId element = elementFromName(name);
        std::mt19937 expected = world.rng;
        world.paint(2, 33, 44, name, 1.0f);
        for (const Position& p : square(2, 3, 4, 5)) {
            if (occupied.count(p) != 0 && !erase) {
                EXPECT_EQ(cellAt(world, p).element, ElementId::Rock);
                continue;
            }
            EXPECT_EQ(cellAt(world, p).color, variedColor(element, expected))
                << p.first << ", " << p.second;
        }
        EXPECT_TRUE(world.rng == expected);
    }
}

TEST(Painting, LeavesTheStepsStateAlone) {
    Simulation world = seededWorld(9);
    place(world, {10, 10}, ElementId::Water, -20.0f);
    place(world, {20, 10}, ElementId::Sand);
    world.step();
    world.step();
    ASSERT_FALSE(world.discoveredElements.empty());
    const auto nextGrid = world.nextGrid;
    const auto order = world.cellOrder;
    const auto discovered = world.discoveredElements;
    const int count = world.particleCount;
    for (const char* name : {"sand", "air", "heat", "cool", "none", "lava", "bogus"})
        world.paint(9, 110, 110, name, 5.0f);
    EXPECT_EQ(world.cellOrder, order);
    EXPECT_EQ(world.discoveredElements, discovered);
    EXPECT_EQ(world.particleCount, count);
    bool nextGridUnchanged = true;
    for (std::size_t x = 0; x < nextGrid.size(); ++x)
        for (std::size_t y = 0; y < nextGrid[x].size(); ++y)
            nextGridUnchanged = nextGridUnchanged && sameCell(nextGrid[x][y], world.nextGrid[x][y]);
    EXPECT_TRUE(nextGridUnchanged);
}

} // namespace
