#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace worldtest;

float above(float t) {
    return std::nextafter(t, std::numeric_limits<float>::infinity());
}
float below(float t) {
    return std::nextafter(t, -std::numeric_limits<float>::infinity());
}

// A one-cell world has no neighbours: nothing moves and the exchange keeps the temperature.
Simulation loneCell(ElementId element, float temperature, int cooldown = 0) {
    Simulation world = seededWorld(9, 1, 1);
    place(world, {0, 0}, element, temperature, cooldown);
    return world;
}

struct ThresholdCase {
    ElementId from;
    float temperature;
    ElementId to;
    MatterState state;
    const char* discovered;
};

TEST(Transformation, EveryThresholdOnBothSides) {
    using E = ElementId;
    using S = MatterState;
    const std::vector<ThresholdCase> cases = {
        {E::Sand, 1700.0f, E::Sand, S::Powder, nullptr},
        {E::Sand, above(1700.0f), E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Rock, below(1200.0f), E::Rock, S::Solid, nullptr},
        {E::Rock, 1200.0f, E::Lava, S::Liquid, "lava"},
        {E::Water, above(0.0f), E::Water, S::Liquid, nullptr},
        {E::Water, 0.0f, E::Ice, S::Solid, "ice"},
        {E::Water, -273.0f, E::Ice, S::Solid, "ice"},
        {E::Water, below(100.0f), E::Water, S::Liquid, nullptr},
        {E::Water, 100.0f, E::Steam, S::Gas, "steam"},
        {E::Water, 5000.0f, E::Steam, S::Gas, "steam"},
        {E::Ice, 0.0f, E::Ice, S::Solid, nullptr},
        {E::Ice, above(0.0f), E::Water, S::Liquid, nullptr},
        {E::Steam, 100.0f, E::Steam, S::Gas, nullptr},
        {E::Steam, below(100.0f), E::Water, S::Liquid, nullptr},
        {E::Lava, 1000.0f, E::Lava, S::Special, nullptr},
        {E::Lava, below(1000.0f), E::Rock, S::Solid, nullptr},
        {E::MoltenGlass, 1500.0f, E::MoltenGlass, S::Special, nullptr},
        {E::MoltenGlass, below(1500.0f), E::Glass, S::Solid, "glass"},
        {E::Glass, 1200.0f, E::Glass, S::Solid, nullptr},
        {E::Glass, above(1200.0f), E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Air, 5000.0f, E::Air, S::Special, nullptr},
        {E::Air, -273.0f, E::Air, S::Special, nullptr},
        {E::Fallback, 5000.0f, E::Fallback, S::Special, nullptr},
        {E::Fallback, -273.0f, E::Fallback, S::Special, nullptr},
    };
    for (const ThresholdCase& c : cases) {
        SCOPED_TRACE(testing::Message() << elementName(c.from) << " at " << c.temperature);
        Simulation world = loneCell(c.from, c.temperature);
        cellAt(world, {0, 0}).density = 0.75f;
        const sf::Color before = cellAt(world, {0, 0}).color;
        world.step();
        const Cell& cell = cellAt(world, {0, 0});
        EXPECT_EQ(cell.element, c.to);
        EXPECT_EQ(cell.state, c.state);
        EXPECT_EQ(cell.temperature, c.temperature);
        EXPECT_EQ(cell.density, 0.75f);
        if (c.to != c.from) {
            EXPECT_EQ(cell.transformCooldown, 5);
            EXPECT_TRUE(hasVariedColour(cell.color, c.to));
        } else {
            EXPECT_EQ(cell.transformCooldown, 0);
            EXPECT_EQ(cell.color, before);
        }
        if (c.discovered != nullptr)
            EXPECT_EQ(world.discoveredElements,
                      (std::unordered_map<std::string, bool>{{c.discovered, true}}));
        else
            EXPECT_TRUE(world.discoveredElements.empty());
    }
}

TEST(Transformation, PendingCountdownBlocksTheRuleAndCountsDown) {
    Simulation world = loneCell(ElementId::Water, -50.0f, 3);
    world.step();
    EXPECT_EQ(cellAt(world, {0, 0}).element, ElementId::Water);
    EXPECT_EQ(cellAt(world, {0, 0}).transformCooldown, 2);
    EXPECT_TRUE(world.discoveredElements.empty());
}

// Between 1200 and 1500 glass and molten glass turn into each other; the countdown lets an
// unmoved cell change only every sixth step.
TEST(Transformation, GlassFlipsEverySixSteps) {
    Simulation world = loneCell(ElementId::Glass, 1300.0f);
    std::vector<int> flips;
    std::vector<int> countdowns;
    ElementId last = ElementId::Glass;
    for (int step = 1; step <= 20; ++step) {
        world.step();
        const Cell& cell = cellAt(world, {0, 0});
        countdowns.push_back(cell.transformCooldown);
        if (cell.element != last) {
            flips.push_back(step);
            EXPECT_TRUE(hasVariedColour(cell.color, cell.element));
            last = cell.element;
        }
    }
    EXPECT_EQ(flips, (std::vector<int>{1, 7, 13, 19}));
    EXPECT_EQ(countdowns,
              (std::vector<int>{5, 4, 3, 2, 1, 0, 5, 4, 3, 2, 1, 0, 5, 4, 3, 2, 1, 0, 5, 4}));
    EXPECT_EQ(world.discoveredElements,
              (std::unordered_map<std::string, bool>{{"glass", true}, {"molten glass", true}}));
}

// A cell painted onto untouched air inherits the air's countdown of 5.
TEST(Transformation, PaintedCellWaitsForTheAirsCountdown) {
    Simulation world = seededWorld(4, 1, 1);
    world.paint(1, 0, 0, "water", 1.0f);
    world.paint(1, 0, 0, "cool", 10.0f);
    ASSERT_EQ(cellAt(world, {0, 0}).temperature, -80.0f);
    for (int step = 1; step <= 5; ++step) {
        world.step();
        ASSERT_EQ(cellAt(world, {0, 0}).element, ElementId::Water) << "step " << step;
    }
    world.step();
    EXPECT_EQ(cellAt(world, {0, 0}).element, ElementId::Ice);
}

// A moved cell counts down against the record it displaced.
TEST(Transformation, FallingCellCountsDownAgainstTheDisplacedRecord) {
    for (const auto& [airCountdown, expected] : std::vector<std::pair<int, int>>{{5, 2}, {0, 3}}) {
        SCOPED_TRACE(testing::Message() << "air countdown " << airCountdown);
        Simulation world = seededWorld(8);
        place(world, {5, 4}, ElementId::Sand, 20.0f, 3);
        placeRock(world, {{4, 5}, {6, 5}});
        cellAt(world, {5, 5}).transformCooldown = airCountdown;
        world.step();
        ASSERT_EQ(cellAt(world, {5, 5}).element, ElementId::Sand);
        EXPECT_EQ(cellAt(world, {5, 5}).transformCooldown, expected);
    }
}

// The rule is tried on the moved record at its new position.
TEST(Transformation, HotSandMeltsWhereItFalls) {
    Simulation world = seededWorld(6);
    place(world, {5, 4}, ElementId::Sand, 1800.0f);
    placeRock(world, {{4, 5}, {6, 5}});
    world.step();
    const Cell& melted = cellAt(world, {5, 5});
    EXPECT_EQ(melted.element, ElementId::MoltenGlass);
    EXPECT_EQ(melted.state, MatterState::Liquid);
    EXPECT_EQ(melted.transformCooldown, 5);
    EXPECT_EQ(melted.density, 1.1f);
    EXPECT_TRUE(hasVariedColour(melted.color, ElementId::MoltenGlass));
    EXPECT_EQ(cellAt(world, {5, 4}).element, ElementId::Air);
    EXPECT_TRUE(world.discoveredElements.at("molten glass"));
}

} // namespace
