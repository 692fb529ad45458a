#include "sim/Simulation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

void expectFreshAir(const Cell& cell) {
    EXPECT_EQ(cell.temperature, 20.0f);
    EXPECT_EQ(cell.density, 0.0f);
    EXPECT_EQ(cell.element, ElementId::Air);
    EXPECT_EQ(cell.state, MatterState::Special);
    EXPECT_EQ(cell.transformCooldown, 5);
    EXPECT_EQ(cell.color, sf::Color(25, 25, 25, 255));
}

void expectFreshWorld(const Simulation& world, int width, int height) {
    ASSERT_EQ(world.width, width);
    ASSERT_EQ(world.height, height);
    for (const auto* grid : {&world.grid, &world.nextGrid}) {
        ASSERT_EQ(grid->size(), static_cast<std::size_t>(width));
        for (const auto& column : *grid) {
            ASSERT_EQ(column.size(), static_cast<std::size_t>(height));
            for (const Cell& cell : column)
                expectFreshAir(cell);
        }
    }
    // Column by column, top to bottom.
    ASSERT_EQ(world.cellOrder.size(), static_cast<std::size_t>(width * height));
    for (int i = 0; i < width * height; ++i)
        ASSERT_EQ(world.cellOrder[static_cast<std::size_t>(i)],
                  std::make_pair(i / height, i % height))
            << "entry " << i;
    EXPECT_EQ(world.particleCount, 0);
    EXPECT_TRUE(world.discoveredElements.empty());
}

TEST(WorldConstruction, DefaultWorldIsFiftyByFiftyFreshAir) {
    const Simulation world;
    expectFreshWorld(world, 50, 50);
    EXPECT_EQ(world.cellSize, 10);
    EXPECT_EQ(world.cellGap, 1);
    EXPECT_EQ(world.cellOrder[50], std::make_pair(1, 0));
}

TEST(WorldConstruction, SizedWorlds) {
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{7, 3}, {1, 1}, {3, 9}, {120, 80}}) {
        SCOPED_TRACE(testing::Message() << width << " by " << height);
        const Simulation world(width, height);
        expectFreshWorld(world, width, height);
        EXPECT_EQ(world.cellSize, 10);
        EXPECT_EQ(world.cellGap, 1);
    }
}

// The constructor's documented contract: sizes below 1 are taken as 1.
TEST(WorldConstruction, SizesBelowOneAreTakenAsOne) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 0}, {0, 4}, {-3, -7}}) {
        SCOPED_TRACE(testing::Message() << width << " by " << height);
        const Simulation world(width, height);
        expectFreshWorld(world, std::max(width, 1), std::max(height, 1));
    }
}

TEST(WorldConstruction, EachWorldSeedsItsOwnEngine) {
    Simulation first;
    Simulation second;
    EXPECT_NE(first.rng(), second.rng());
}

} // namespace
