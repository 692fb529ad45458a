#include "sim/Simulation.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

using Positions = std::vector<std::pair<int, int>>;

struct NeighbourCase {
    int width;
    int height;
    int x;
    int y;
    Positions expected;
};

TEST(Neighbours, InGridCellsInTheFixedOrder) {
    const std::vector<NeighbourCase> cases = {
        {50,
         50,
         10,
         10,
         {{9, 9}, {10, 9}, {11, 9}, {9, 10}, {11, 10}, {9, 11}, {10, 11}, {11, 11}}},
        {50, 50, 0, 0, {{1, 0}, {0, 1}, {1, 1}}},
        {50, 50, 49, 49, {{48, 48}, {49, 48}, {48, 49}}},
        {50, 50, 49, 0, {{48, 0}, {48, 1}, {49, 1}}},
        {50, 50, 0, 49, {{0, 48}, {1, 48}, {1, 49}}},
        {50, 50, 0, 10, {{0, 9}, {1, 9}, {1, 10}, {0, 11}, {1, 11}}},
        {50, 50, 10, 0, {{9, 0}, {11, 0}, {9, 1}, {10, 1}, {11, 1}}},
        {50, 50, 49, 20, {{48, 19}, {49, 19}, {48, 20}, {48, 21}, {49, 21}}},
        {50, 50, 20, 49, {{19, 48}, {20, 48}, {21, 48}, {19, 49}, {21, 49}}},
        // Outside positions list the in-grid cells of their block.
        {50, 50, -1, 5, {{0, 4}, {0, 5}, {0, 6}}},
        {50, 50, 25, -1, {{24, 0}, {25, 0}, {26, 0}}},
        {50, 50, 50, 50, {{49, 49}}},
        {50, 50, 50, -1, {{49, 0}}},
        {50, 50, -2, 5, {}},
        {50, 50, 51, 51, {}},
        // Other sizes use their own bounds.
        {3, 2, 1, 0, {{0, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {1, 1, 0, 0, {}},
        {1, 3, 0, 1, {{0, 0}, {0, 2}}},
        {60, 10, 55, 9, {{54, 8}, {55, 8}, {56, 8}, {54, 9}, {56, 9}}},
    };
    for (const NeighbourCase& c : cases) {
        const Simulation world(c.width, c.height);
        EXPECT_EQ(world.neighbours(c.x, c.y), c.expected)
            << "(" << c.x << ", " << c.y << ") in " << c.width << " by " << c.height;
    }
}

TEST(Neighbours, ExtremeCoordinatesListNothing) {
    const Simulation world;
    for (int x : {INT_MIN, INT_MIN + 1, -1000, 1000, INT_MAX - 1, INT_MAX})
        for (int y : {INT_MIN, 0, 25, 49, INT_MAX})
            EXPECT_TRUE(world.neighbours(x, y).empty()) << x << ", " << y;
    for (int y : {INT_MIN, INT_MAX})
        EXPECT_TRUE(world.neighbours(10, y).empty()) << y;
}

} // namespace
