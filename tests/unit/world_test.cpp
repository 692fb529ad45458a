#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"
#include "support/WorldChecks.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <tuple>

namespace {

using namespace worldtest;
using E = ElementId;
using S = MatterState;

TEST(World, ConstructionGivesFreshAirInBothGridsAndColumnOrder) {
    const Cell air{20.0f, 0.0f, E::Air, S::Special, 5, sf::Color(25, 25, 25)};
    for (const auto& [w, h] : {std::pair{50, 50}, {7, 3}, {0, 0}, {-3, 4}}) {
        const Simulation world = w == 50 ? Simulation() : Simulation(w, h);
        const int width = std::max(w, 1), height = std::max(h, 1);
        ASSERT_EQ(world.width, width);
        ASSERT_EQ(world.height, height);
        EXPECT_EQ(world.cellSize, 10);
        EXPECT_EQ(world.cellGap, 1);
        for (const auto* grid : {&world.grid, &world.nextGrid}) {
            ASSERT_EQ(grid->size(), static_cast<std::size_t>(width));
            for (const auto& column : *grid) {
                ASSERT_EQ(column.size(), static_cast<std::size_t>(height));
                for (const Cell& cell : column)
                    ASSERT_TRUE(sameCell(cell, air));
            }
        }
        ASSERT_EQ(world.cellOrder.size(), static_cast<std::size_t>(width * height));
        for (int i = 0; i < width * height; ++i)
            ASSERT_EQ(world.cellOrder[static_cast<std::size_t>(i)],
                      std::make_pair(i / height, i % height));
        EXPECT_EQ(world.particleCount, 0);
        EXPECT_TRUE(world.discoveredElements.empty());
    }
    EXPECT_NE(Simulation().rng(), Simulation().rng()) << "every world seeds its own engine";
}

TEST(World, NeighboursAtCornersEdgesAndOutside) {
    using P = std::vector<Position>;
    const std::tuple<int, int, int, int, P> cases[] = {
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
        {50, 50, 20, 49, {{19, 48}, {20, 48}, {21, 48}, {19, 49}, {21, 49}}},
        {50, 50, -1, 5, {{0, 4}, {0, 5}, {0, 6}}},
        {50, 50, 50, -1, {{49, 0}}},
        {50, 50, -2, 5, {}},
        {50, 50, INT_MAX, 49, {}},
        {50, 50, 10, INT_MIN, {}},
        {3, 2, 1, 0, {{0, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {1, 1, 0, 0, {}}};
    for (const auto& [w, h, x, y, expected] : cases)
        EXPECT_EQ(Simulation(w, h).neighbours(x, y), expected) << x << ", " << y << " in " << w;
}

std::set<Position> square(int left, int top, int right, int bottom) {
    std::set<Position> cells;
    for (int x = left; x <= right; ++x)
        for (int y = top; y <= bottom; ++y)
            cells.insert({x, y});
    return cells;
}

// A gap pixel belongs to the cell left of and above it; bounds are strict.
TEST(Painting, WhichCellsTheBrushCovers) {
    // Brush, pointer, then the covered rectangle: left, top, right, bottom (none if right < left).
    struct Case {
        int brush, mouseX, mouseY, left, top, right, bottom;
    };
    // clang-format off
    const Case cases[] = {
        {5, 550, 550, 48, 48, 49, 49}, {1, 551, 0, 0, 0, -1, -1}, {1, 0, 551, 0, 0, -1, -1},
        {5, -1, 20, 0, 0, -1, -1}, {1, 550, 0, 0, 0, -1, -1}, {3, 550, 0, 49, 0, 49, 1},
        {1, 0, 0, 0, 0, 0, 0}, {1, 10, 10, 0, 0, 0, 0}, {1, 11, 0, 1, 0, 1, 0},
        {0, 549, 549, 49, 49, 49, 49}, {-1, 275, 275, 25, 25, 25, 25},
        {2, 275, 275, 24, 24, 26, 26}, {4, 275, 275, 23, 23, 27, 27}, {INT_MAX, 0, 0, 0, 0, 49, 49},
        {51, 0, 0, 0, 0, 25, 25}, {-2, 275, 275, 0, 0, -1, -1}, {INT_MIN, 275, 275, 0, 0, -1, -1},
        {50, INT_MAX, 0, 0, 0, -1, -1}, {50, INT_MIN, INT_MIN, 0, 0, -1, -1}};
    // clang-format on
    // A smaller world has its own bounds.
    const Case small[] = {
        {1, 77, 33, 0, 0, -1, -1}, {1, 0, 34, 0, 0, -1, -1}, {3, 76, 32, 5, 1, 6, 2}};
    const auto check = [](const Case& c, int width, int height) {
        Simulation world = seededWorld(1, width, height);
        std::mt19937 mirror = world.rng;
        world.paint(c.brush, c.mouseX, c.mouseY, "sand", 1.0f);
        std::set<Position> painted;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (cellAt(world, {x, y}).element != E::Air)
                    painted.insert({x, y});
        EXPECT_EQ(painted, square(c.left, c.top, c.right, c.bottom))
            << "brush " << c.brush << " at " << c.mouseX << ", " << c.mouseY << " in " << width;
        // The set's order is the brush's: column by column, top to bottom, one colour each.
        for (const Position& p : painted)
            EXPECT_EQ(cellAt(world, p).color, variedColor(E::Sand, mirror));
        EXPECT_TRUE(world.rng == mirror);
    };
    for (const Case& c : cases)
        check(c, 50, 50);
    for (const Case& c : small)
        check(c, 7, 3);
}

// Names paint onto air only and draw a varied colour; "air" erases anything.
TEST(Painting, WhatEachNameDoesToACell) {
    for (const std::string name : {"sand", "rock", "water", "ice", "steam", "lava", "molten glass",
                                   "glass", "Sand", "", "air"}) {
        Simulation world = seededWorld(6);
        place(world, {3, 4}, name == "air" ? E::Lava : E::Air, 300.0f, 4);
        std::mt19937 mirror = world.rng;
        Cell expected = freshCell(elementFromName(name), 20.0f, 4);
        expected.color = variedColor(expected.element, mirror);
        world.paint(1, 33, 44, name, 1.0f);
        EXPECT_TRUE(sameCell(cellAt(world, {3, 4}), expected)) << name;
        EXPECT_TRUE(world.rng == mirror) << name;
    }
    // "none" marks air with a plain cell that keeps its temperature, without a draw.
    Simulation world = seededWorld(5);
    place(world, {3, 4}, E::Air, 80.0f, 4);
    const std::mt19937 engine = world.rng;
    world.paint(1, 33, 44, "none", 1.0f);
    EXPECT_TRUE(sameCell(cellAt(world, {3, 4}), freshCell(E::Fallback, 80.0f, 4)));
    EXPECT_TRUE(world.rng == engine);
    EXPECT_EQ(elementDensity.size(), 10u);

    // Everything else changes only the temperature, clamped, without a draw. NaN stands for
    // "any number within range".
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<const char*, float, E, float, float> cases[] = {
        {"heat", 1, E::Air, 20, 30},       {"heat", 5, E::Rock, 20, 70},
        {"heat", 0.5f, E::Water, 20, 25},  {"heat", 1, E::Air, 4995, 5000},
        {"heat", -1, E::Air, 20, 10},      {"heat", 1.0e30f, E::Rock, 20, 5000},
        {"heat", -inf, E::Air, 20, -273},  {"heat", nan, E::Water, 20, nan},
        {"cool", 5, E::Air, -250, -273},   {"cool", 0.5f, E::Lava, 20, 15},
        {"cool", -1, E::Rock, 4999, 5000}, {"cool", nan, E::Air, 20, nan},
        {"sand", 1, E::Water, 60, 60},     {"sand", 1, E::Sand, 60, 60},
        {"none", 1, E::Sand, 60, 60},      {"bogus", 1, E::Fallback, 60, 60},
        {"rock", 1, E::Water, 6000, 5000}, {"rock", 1, E::Sand, -300, -273}};
    for (const auto& [name, strength, under, before, after] : cases) {
        Simulation world = seededWorld(6);
        Cell& cell = place(world, {3, 4}, under, before, 4);
        cell.color = sf::Color(1, 2, 3);
        Cell expected = cell;
        const std::mt19937 engine = world.rng;
        world.paint(1, 33, 44, name, strength);
        const float t = cellAt(world, {3, 4}).temperature;
        expected.temperature = std::isnan(after) && t >= -273.0f && t <= 5000.0f ? t : after;
        EXPECT_TRUE(sameCell(cellAt(world, {3, 4}), expected))
            << name << " " << strength << " on " << elementName(under) << " gives " << t;
        EXPECT_TRUE(world.rng == engine) << name;
    }
}

// Records that can move but never transform: temperatures 1 to 99 and a rule-free element
// standing in for any state and weight.
void scatterQuiet(Simulation& world, std::mt19937& gen) {
    const E elements[] = {E::Sand, E::Water, E::Rock, E::Fallback};
    const float densities[] = {0.0f, 0.1f, 0.2f, 1.1f, 4.0f};
    const auto any = [&gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
    for (auto& column : world.grid)
        for (Cell& cell : column) {
            if (any(2) == 0)
                continue;
            const E element = elements[any(4)];
            cell = freshCell(element, std::uniform_real_distribution<float>(1, 99)(gen), any(7));
            cell.color = variedColor(element, gen);
            if (element == E::Fallback) {
                cell.state = static_cast<S>(any(5));
                cell.density = densities[any(5)];
            }
        }
}

TEST(World, StepsNeitherLoseNorCopyMatter) {
    using Record = std::tuple<int, int, float, std::uint32_t>;
    const auto records = [](const Simulation& world) {
        std::vector<Record> all;
        for (const auto& column : world.grid)
            for (const Cell& c : column)
                all.emplace_back(static_cast<int>(c.element), static_cast<int>(c.state), c.density,
                                 c.color.toInteger());
        std::sort(all.begin(), all.end());
        return all;
    };
    for (std::uint32_t scene = 1; scene <= 20; ++scene) {
        Simulation world = scene % 2 ? seededWorld(scene) : seededWorld(scene, 9, 6);
        std::mt19937 gen(scene);
        scatterQuiet(world, gen);
        for (int step = 0; step < 25; ++step) {
            const auto before = records(world);
            world.step();
            ASSERT_EQ(records(world), before) << "scene " << scene << ", step " << step;
        }
    }
}

// Any position, brush, name and strength, including far outside, NaN and huge; painting must
// also leave what the step owns alone.
TEST(World, InvariantsHoldUnderRandomPaintingAndStepping) {
    const std::string names[] = {
        "sand", "rock", "water", "ice",  "steam", "lava", "molten glass",           "glass",
        "air",  "heat", "cool",  "none", "",      "Lava", std::string("glass\0", 6)};
    const int edges[] = {INT_MIN, -1, 0, 549, 550, 551, INT_MAX};
    const float strengths[] = {0.0f,
                               1.0f,
                               5.0f,
                               -5.0f,
                               1.0e30f,
                               -1.0e30f,
                               std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity()};
    const std::pair<int, int> sizes[] = {{50, 50}, {9, 6}, {1, 12}, {17, 1}};
    for (std::uint32_t run = 1; run <= 24; ++run) {
        Simulation world = seededWorld(run, sizes[run % 4].first, sizes[run % 4].second);
        std::mt19937 gen(run * 7919u);
        const auto any = [&gen](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(gen);
        };
        const auto coordinate = [&] { return any(4) == 0 ? edges[any(7)] : any(800) - 100; };
        for (int op = 0; op < 200; ++op) {
            if (any(3) == 0) {
                world.step();
            } else {
                const auto order = world.cellOrder;
                const auto discovered = world.discoveredElements;
                const int count = world.particleCount;
                const int brush = any(4) == 0 ? edges[any(7)] : any(66) - 5;
                world.paint(brush, coordinate(), coordinate(), names[any(15)], strengths[any(8)]);
                ASSERT_TRUE(world.cellOrder == order && world.discoveredElements == discovered &&
                            world.particleCount == count)
                    << "paint changed the step's state";
            }
            const std::string broken = invariantViolation(world);
            ASSERT_TRUE(broken.empty()) << broken << " (run " << run << ", operation " << op << ")";
        }
    }
}

} // namespace
