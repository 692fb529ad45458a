#include "sim/Simulation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using E = ElementId;
using S = MatterState;
using Cells = std::set<std::pair<int, int>>;

Simulation seededWorld(std::uint32_t seed, int width = 50, int height = 50) {
    Simulation world(width, height);
    world.rng.seed(seed);
    return world;
}

// A cell as painting makes it, in its element's base colour.
Cell& place(Simulation& world, int x, int y, E element, float temperature = 20.0f) {
    return world.grid[x][y] =
               Cell{temperature, elementDensity[element],  element, paintedState(element),
                    0,           elementColors.at(element)};
}

TEST(Catalogue, EveryRowAndTheFallbacks) {
    const std::tuple<E, const char*, sf::Color, int, float, S> rows[] = {
        {E::Air, "air", {25, 25, 25}, 0, 0.0f, S::Special},
        {E::Sand, "sand", {255, 255, 0}, 25, 1.1f, S::Powder},
        {E::Rock, "rock", {128, 128, 128}, 5, 4.0f, S::Solid},
        {E::Water, "water", {0, 128, 255}, 15, 0.1f, S::Liquid},
        {E::Ice, "ice", {131, 206, 255}, 15, 4.0f, S::Solid},
        {E::Steam, "steam", {200, 200, 200}, 5, 0.0f, S::Gas},
        {E::Lava, "lava", {255, 115, 0}, 25, 0.3f, S::Special},
        {E::MoltenGlass, "molten glass", {255, 188, 79}, 20, 0.2f, S::Special},
        {E::Glass, "glass", {207, 255, 245}, 5, 4.0f, S::Solid},
        {E::Fallback, "fallback", {255, 255, 255}, 0, 0.0f, S::Special}};
    for (const auto& [id, name, colour, variation, density, painted] : rows)
        EXPECT_TRUE(elementName(id) == name && elementFromName(name) == id &&
                    elementColors.at(id) == colour && colorVariation.at(id) == variation &&
                    (elementDensity.count(id) ? elementDensity.at(id) : 0.0f) == density &&
                    paintedState(id) == painted)
            << name;
    EXPECT_EQ(elementName(static_cast<E>(-1)) + elementName(static_cast<E>(1000)),
              "fallbackfallback");
    for (const char* name : {"Sand", "", "sand ", "molten", "none", "heat"})
        EXPECT_EQ(elementFromName(name), E::Fallback) << name;
    const char* states[] = {"special", "special", "solid", "liquid", "gas", "powder", "special"};
    for (int state = -1; state <= 5; ++state)
        EXPECT_EQ(stateName(static_cast<S>(state)), states[state + 1]) << state;
}

// Neighbours in their order: the row above, then beside, then the row below, left to right.
TEST(World, Neighbours) {
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Simulation().neighbours(49, 0), (P{{48, 0}, {48, 1}, {49, 1}}));
    EXPECT_EQ(Simulation().neighbours(-1, 49), (P{{0, 48}, {0, 49}}));
}

// One cell under a one-cell brush: names paint into air only, "air" erases anything, "none"
// leaves a plain marker that keeps the temperature, the tools change the temperature alone.
TEST(Painting, WhatEachNameDoesToACell) {
    const std::tuple<const char*, float, E, float, E, float> cases[] = {
        {"sand", 1, E::Air, 80, E::Sand, 20},     {"glass", 1, E::Air, 80, E::Glass, 20},
        {"Sand", 1, E::Air, 80, E::Fallback, 20}, {"air", 1, E::Lava, 900, E::Air, 20},
        {"none", 1, E::Air, 80, E::Fallback, 80}, {"sand", 1, E::Water, 60, E::Water, 60},
        {"none", 1, E::Sand, 60, E::Sand, 60},    {"rock", 1, E::Ice, 6000, E::Ice, 5000},
        {"heat", 1, E::Air, 20, E::Air, 30},      {"heat", 5, E::Rock, 20, E::Rock, 70},
        {"heat", 1, E::Air, 4995, E::Air, 5000},  {"heat", -INFINITY, E::Air, 20, E::Air, -273},
        {"cool", 0.5f, E::Lava, 20, E::Lava, 15}, {"cool", 5, E::Air, -250, E::Air, -273},
        {"cool", -1, E::Rock, 20, E::Rock, 30},   {"heat", NAN, E::Water, 20, E::Water, 20}};
    for (const auto& [name, strength, under, before, after, temperature] : cases) {
        Simulation world = seededWorld(6);
        Cell& cell = place(world, 3, 4, under, before);
        cell.transformCooldown = 4;
        const Cell old = cell;
        world.paint(1, 33, 44, name, strength);
        const bool painted = after != under || std::string(name) == "air";
        const sf::Color base = painted ? elementColors.at(after) : old.color;
        const int spread = painted && std::string(name) != "none" ? colorVariation.at(after) : 0;
        EXPECT_TRUE(cell.element == after && cell.temperature == temperature &&
                    cell.state == (painted ? paintedState(after) : old.state) &&
                    cell.density == (painted ? elementDensity[after] : old.density) &&
                    cell.transformCooldown == 4 && std::abs(cell.color.r - base.r) <= spread &&
                    std::abs(cell.color.g - base.g) <= spread &&
                    std::abs(cell.color.b - base.b) <= spread)
            << name << " " << strength << " on " << elementName(under) << " gives "
            << elementName(cell.element) << " at " << cell.temperature;
    }
}

// A scene drawn row by row from (4, 4): '.' air, 's' sand, 'w' water, 'r' rock, 'f' a
// weightless fallback cell, 'g' steam at 150 degrees; 'G' steam and 'L' lava at 1100 as
// transformations leave them, with the density of the water and rock they were made of.
E elementOf(char c) {
    return std::array{E::Air, E::Sand, E::Water, E::Rock, E::Fallback, E::Steam, E::Steam, E::Lava}
        [std::string(".swrfgGL").find(c)];
}

void draw(Simulation& world, const std::vector<std::string>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            const float heat = c == 'L' ? 1100.0f : elementOf(c) == E::Steam ? 150.0f : 20.0f;
            Cell& cell = place(world, 4 + int(x), 4 + int(y), elementOf(c), heat);
            if (c == 'G' || c == 'L')
                cell.density = c == 'G' ? 0.1f : 4.0f, cell.state = c == 'G' ? S::Gas : S::Liquid;
        }
}

// Over many seeds, where one step takes the cells drawn as `mover`; none is lost or copied.
Cells ends(const std::vector<std::string>& rows, char mover) {
    Cells found;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Simulation world = seededWorld(seed, 12, 12);
        draw(world, rows);
        const auto contents = [&world] {
            std::multiset<std::uint32_t> colours;
            for (const auto& column : world.grid)
                for (const Cell& cell : column)
                    colours.insert(cell.color.toInteger());
            return colours;
        };
        const auto before = contents();
        world.step();
        EXPECT_EQ(contents(), before);
        for (int x = 0; x < 12; ++x)
            for (int y = 0; y < 12; ++y)
                if (world.grid[x][y].element == elementOf(mover))
                    found.insert({x, y});
    }
    return found;
}

// The cell at (5, 5) goes to any free cell of its move kind, or stays when none is free: sand
// to the row below, steam to the row above or else beside it, water beside it on a floor.
TEST(Movement, WhereOneStepTakesACell) {
    for (int free = 0; free < 8; ++free) {
        std::string row = "rrr";
        Cells below, above, beside;
        for (int i = 0; i < 3; ++i)
            if (free >> i & 1) {
                row[i] = '.';
                below.insert({4 + i, 6});
                above.insert({4 + i, 4});
                if (i != 1)
                    beside.insert({4 + i, 5});
            }
        const std::string sides = {row[0], 'w', row[2]};
        EXPECT_EQ(ends({"...", ".s.", row}, 's'), (free ? below : Cells{{5, 5}})) << row;
        EXPECT_EQ(ends({row, ".g.", "..."}, 'g'), (free ? above : Cells{{4, 5}, {6, 5}})) << row;
        EXPECT_EQ(ends({"...", sides, "rrr"}, 'w'), (beside.empty() ? Cells{{5, 5}} : beside));
    }
    // Sinking needs a strictly greater density; targets are judged on start-of-step cells.
    const std::tuple<std::vector<std::string>, char, Cells> cases[] = {
        {{"...", ".wf", "rrr"}, 'w', {{4, 5}, {5, 5}}},
        {{"rsr", "rsr", "r.r"}, 's', {{5, 4}, {5, 6}}},
        {{"rsr", "rwr", "rrr"}, 's', {{5, 5}}},
        {{"rwr", "rGr", "rrr"}, 'w', {{5, 4}}},
        {{"rsr", "rLr", "rrr"}, 's', {{5, 4}}}};
    for (const auto& [rows, mover, expected] : cases)
        EXPECT_EQ(ends(rows, mover), expected) << rows[0] << "/" << rows[1];
}

// Two cells that reach one target in the same step: each move swaps the mover's record with
// the target's, so nothing is lost or copied, whichever is visited first. A scene, three of its
// cells, and what these hold after a step that visits the first or the second cell first.
TEST(Movement, ChainedMovesSwapRecords) {
    using P = std::pair<int, int>;
    const std::tuple<std::vector<std::string>, std::array<P, 3>, const char*, const char*> cases[] =
        {{{"rsr", "rwr", "r.r"}, {{{5, 4}, {5, 5}, {5, 6}}}, "was", "asw"},
         {{"rws.", "rr.r"}, {{{5, 4}, {6, 4}, {6, 5}}}, "aws", "was"}};
    for (const auto& [rows, cells, firstVisitedFirst, secondVisitedFirst] : cases)
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            Simulation world = seededWorld(seed, 12, 12);
            draw(world, rows);
            world.step();
            const auto& order = world.cellOrder;
            std::string after;
            for (const auto& [x, y] : cells)
                after += elementName(world.grid[x][y].element)[0];
            EXPECT_EQ(after, std::find(order.begin(), order.end(), cells[0]) <
                                     std::find(order.begin(), order.end(), cells[1])
                                 ? firstVisitedFirst
                                 : secondVisitedFirst)
                << rows[0] << " seed " << seed;
        }
}

// Each cell exchanges with its eight start-of-step neighbours at 0.1, or 0.025 when either is
// air; the result lands on the visited position, whatever moved there.
TEST(HeatExchange, DesignedNumbers) {
    const std::array<int, 3> rocks[] = {{10, 10, 84}, {0, 0, 94}, {49, 49, 94}, {49, 10, 90}};
    for (const auto& [x, y, expected] : rocks) {
        Simulation world = seededWorld(1);
        place(world, x, y, E::Rock, 100.0f);
        world.step();
        EXPECT_FLOAT_EQ(world.grid[x][y].temperature, expected);
        for (const auto& [nx, ny] : world.neighbours(x, y))
            EXPECT_FLOAT_EQ(world.grid[nx][ny].temperature, 22.0f);
        EXPECT_EQ(world.grid[25][30].temperature, 20.0f);
    }
    Simulation pair = seededWorld(1);
    place(pair, 10, 10, E::Rock, 100.0f);
    place(pair, 11, 10, E::Rock);
    pair.step();
    EXPECT_FLOAT_EQ(pair.grid[10][10].temperature, 78.0f);
    EXPECT_FLOAT_EQ(pair.grid[11][10].temperature, 28.0f);

    // Falling sand keeps its heat unless the cell it falls to is visited after it.
    bool seen[2] = {false, false};
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        Simulation world = seededWorld(seed);
        place(world, 10, 10, E::Sand, 500.0f);
        place(world, 9, 11, E::Rock);
        place(world, 11, 11, E::Rock);
        world.step();
        const auto& order = world.cellOrder;
        const bool targetFirst = std::find(order.begin(), order.end(), std::pair{10, 11}) <
                                 std::find(order.begin(), order.end(), std::pair{10, 10});
        seen[targetFirst] = true;
        EXPECT_FLOAT_EQ(world.grid[10][10].temperature, 332.0f);
        EXPECT_FLOAT_EQ(world.grid[10][11].temperature, targetFirst ? 500.0f : 32.0f);
    }
    EXPECT_TRUE(seen[0] && seen[1]) << "the visiting order is shuffled";
}

// Each rule at the temperature where it fires and the nearest one where it does not; in a
// one-cell world nothing moves and the exchange keeps the temperature.
TEST(Transformation, EveryThresholdOnBothSides) {
    const auto up = [](float t) { return std::nextafter(t, 1e9f); };
    const auto down = [](float t) { return std::nextafter(t, -1e9f); };
    const std::tuple<E, float, float, E, S, const char*> rules[] = {
        {E::Sand, up(1700), 1700, E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Rock, 1200, down(1200), E::Lava, S::Liquid, "lava"},
        {E::Water, 0, up(0), E::Ice, S::Solid, "ice"},
        {E::Water, 100, down(100), E::Steam, S::Gas, "steam"},
        {E::Ice, up(0), 0, E::Water, S::Liquid, nullptr},
        {E::Steam, down(100), 100, E::Water, S::Liquid, nullptr},
        {E::Lava, down(1000), 1000, E::Rock, S::Solid, nullptr},
        {E::MoltenGlass, down(1500), 1500, E::Glass, S::Solid, "glass"},
        {E::Glass, up(1200), 1200, E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Air, 5000, -273, E::Air, S::Special, nullptr},
        {E::Fallback, 5000, -273, E::Fallback, S::Special, nullptr}};
    for (const auto& [from, fires, stays, to, state, discovered] : rules)
        for (const float t : {fires, stays}) {
            Simulation world = seededWorld(9, 1, 1);
            const Cell before = place(world, 0, 0, from, t);
            world.grid[0][0].density = 0.75f;
            world.step();
            const Cell& cell = world.grid[0][0];
            const bool fired = t == fires && to != from;
            EXPECT_TRUE(cell.element == (fired ? to : from) &&
                        cell.state == (fired ? state : before.state) && cell.temperature == t &&
                        cell.density == 0.75f && cell.transformCooldown == (fired ? 5 : 0) &&
                        world.particleCount == (from != E::Air) &&
                        world.discoveredElements.size() == (fired && discovered) &&
                        (!fired || !discovered || world.discoveredElements.at(discovered)))
                << elementName(from) << " at " << t << " gives " << elementName(cell.element);
        }
}

// A cell that has transformed waits five steps before it may transform again, and so does one
// painted into a new world, whose air starts with that countdown: glass between 1200 and 1500
// and molten glass turn into each other every sixth step; water at -50 freezes in the sixth.
TEST(Transformation, FiveStepsBetweenTransformations) {
    const auto history = [](Simulation world, int steps) {
        std::string seen;
        for (int step = 0; step <= steps; ++step, world.step())
            seen += std::to_string(world.grid[0][0].transformCooldown) +
                    elementName(world.grid[0][0].element)[0];
        return seen;
    };
    Simulation glass = seededWorld(9, 1, 1);
    place(glass, 0, 0, E::Glass, 1300.0f);
    EXPECT_EQ(history(glass, 13), "0g5m4m3m2m1m0m5g4g3g2g1g0g5m");
    Simulation water = seededWorld(9, 1, 1);
    water.paint(1, 5, 5, "water", 1.0f);
    water.grid[0][0].temperature = -50.0f;
    EXPECT_EQ(history(water, 7), "5w4w3w2w1w0w5i4i");
}

} // namespace
