#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace worldtest;

// Everything else is air at 20 degrees; rock never moves, and at these temperatures never
// transforms, so only the exchange acts.
TEST(HeatExchange, HotRockAmongAir) {
    struct Case {
        Position rock;
        float expected;
    };
    const std::vector<Case> cases = {
        {{10, 10}, 84.0f}, {{0, 0}, 94.0f},  {{49, 0}, 94.0f},  {{0, 49}, 94.0f},
        {{49, 49}, 94.0f}, {{0, 10}, 90.0f}, {{10, 49}, 90.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rock.first << ", " << c.rock.second);
        Simulation world = seededWorld(1);
        place(world, c.rock, ElementId::Rock, 100.0f);
        world.step();
        EXPECT_FLOAT_EQ(cellAt(world, c.rock).temperature, c.expected);
        for (const Position& n : world.neighbours(c.rock.first, c.rock.second))
            EXPECT_FLOAT_EQ(cellAt(world, n).temperature, 22.0f);
        EXPECT_EQ(cellAt(world, {25, 30}).temperature, 20.0f);
    }
}

TEST(HeatExchange, TwoRocksSideBySide) {
    Simulation world = seededWorld(1);
    place(world, {10, 10}, ElementId::Rock, 100.0f);
    place(world, {11, 10}, ElementId::Rock, 20.0f);
    world.step();
    EXPECT_FLOAT_EQ(cellAt(world, {10, 10}).temperature, 78.0f);
    EXPECT_FLOAT_EQ(cellAt(world, {11, 10}).temperature, 28.0f);
}

// The exchanged temperature lands on the visited position, so the falling sand keeps its heat
// unless its new position is visited after it.
TEST(HeatExchange, FallingHotSand) {
    const auto build = [](Simulation& world) {
        place(world, {10, 10}, ElementId::Sand, 500.0f);
        placeRock(world, {{9, 11}, {11, 11}});
    };
    EXPECT_TRUE(
        stepInBothOrders({10, 11}, {10, 10}, build, [](const Simulation& world, bool targetFirst) {
            const Cell& left = cellAt(world, {10, 10});
            const Cell& sand = cellAt(world, {10, 11});
            ASSERT_EQ(left.element, ElementId::Air);
            ASSERT_EQ(sand.element, ElementId::Sand);
            EXPECT_FLOAT_EQ(left.temperature, 332.0f);
            EXPECT_FLOAT_EQ(sand.temperature, targetFirst ? 500.0f : 32.0f);
        }));
}

// Out-of-range neighbours are forged here: writers never store them, so they are the only way
// to drive an exchanged value past the bounds.
TEST(HeatExchange, ResultsAreClamped) {
    struct Case {
        const char* name;
        ElementId centre;
        float centreTemperature;
        ElementId around;
        float aroundTemperature;
        float expected;
    };
    const std::vector<Case> cases = {
        {"hot rock", ElementId::Rock, 4999.0f, ElementId::Rock, 6000.0f, 5000.0f},
        {"cold rock", ElementId::Rock, -200.0f, ElementId::Rock, -1000.0f, -273.0f},
        {"hot air", ElementId::Air, 20.0f, ElementId::Air, 1.0e6f, 5000.0f},
        {"cold air", ElementId::Air, 20.0f, ElementId::Air, -1.0e6f, -273.0f},
        {"at the top", ElementId::Rock, 5000.0f, ElementId::Rock, 5000.0f, 5000.0f},
        {"at the bottom", ElementId::Rock, -273.0f, ElementId::Rock, -273.0f, -273.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulation world = seededWorld(1, 3, 3);
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y)
                place(world, {x, y}, c.around, c.aroundTemperature, 5);
        place(world, {1, 1}, c.centre, c.centreTemperature, 5);
        world.step();
        EXPECT_EQ(cellAt(world, {1, 1}).temperature, c.expected);
    }
}

} // namespace
