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

// A cell as painting makes it, in its element's base colour, `wait` steps from transforming.
Cell painted(E element, float temperature = 20.0f, int wait = 0) {
    return {temperature, elementDensity[element],  element, paintedState(element),
            wait,        elementColors.at(element)};
}

// Cells have no comparison or printing of their own.
auto fields(const Cell& c) {
    return std::tuple(elementName(c.element), stateName(c.state), c.temperature, c.density,
                      c.transformCooldown);
}

// Each name painted over a fresh grid: its 2500 draws reach both ends of every channel's range,
// the base colour spread by the variation and clipped to 0..255.
TEST(Painting, WhatEachNameDoes) {
    // clang-format off
    const std::tuple<const char*, sf::Color, int, float, S> rows[] = {
        {"air", {25, 25, 25}, 0, 0.0f, S::Special},    {"sand", {255, 255, 0}, 25, 1.1f, S::Powder},
        {"rock", {128, 128, 128}, 5, 4.0f, S::Solid},  {"water", {0, 128, 255}, 15, 0.1f, S::Liquid},
        {"ice", {131, 206, 255}, 15, 4.0f, S::Solid},  {"steam", {200, 200, 200}, 5, 0.0f, S::Gas},
        {"lava", {255, 115, 0}, 25, 0.3f, S::Special}, {"molten glass", {255, 188, 79}, 20, 0.2f, S::Special},
        {"glass", {207, 255, 245}, 5, 4.0f, S::Solid}, {"fallback", {255, 255, 255}, 0, 0.0f, S::Special}};
    // clang-format on
    for (const auto& [name, colour, variation, density, state] : rows) {
        Simulation world = seededWorld(3);
        world.paint(99, 275, 275, name, 1.0f);
        EXPECT_EQ(fields(world.grid[7][9]), std::tuple(name, stateName(state), 20.0f, density, 5));
        for (const auto channel : {&sf::Color::r, &sf::Color::g, &sf::Color::b}) {
            std::set<int> seen;
            for (const auto& column : world.grid)
                for (const Cell& each : column)
                    seen.insert(each.color.*channel);
            EXPECT_EQ(std::pair(*seen.begin(), *seen.rbegin()),
                      std::pair(std::max(colour.*channel - variation, 0),
                                std::min(colour.*channel + variation, 255)))
                << name;
        }
    }
    // One cell under a one-cell brush: names paint into air only, "air" erases anything, "none"
    // leaves a plain marker that keeps the temperature, the tools change the temperature alone.
    const std::tuple<const char*, float, E, float, E, float> cases[] = {
        {"air", 1, E::Lava, 900, E::Air, 20},     {"none", 1, E::Air, 80, E::Fallback, 80},
        {"sand", 1, E::Water, 60, E::Water, 60},  {"rock", 1, E::Ice, 6000, E::Ice, 5000},
        {"heat", 5, E::Rock, 20, E::Rock, 70},    {"heat", 1, E::Air, 4995, E::Air, 5000},
        {"cool", 0.5f, E::Lava, 20, E::Lava, 15}, {"heat", -INFINITY, E::Air, 20, E::Air, -273},
        {"cool", -1, E::Rock, 20, E::Rock, 30},   {"heat", NAN, E::Water, 20, E::Water, 20}};
    for (const auto& [name, strength, under, before, after, temperature] : cases) {
        Simulation world = seededWorld(6);
        Cell& cell = world.grid[3][4] = painted(under, before, 4);
        world.paint(1, 33, 44, name, strength);
        EXPECT_EQ(fields(cell), std::tuple(elementName(after), stateName(paintedState(after)),
                                           temperature, elementDensity[after], 4))
            << name << " " << strength << " on " << elementName(under);
    }
}

// A scene drawn row by row from (4, 4): '.' air, 's' sand at 1800 waiting five steps to melt,
// 'w' water, 'r' rock, 'f' a weightless fallback cell, 'g' steam at 150 degrees; 'G' steam and
// 'L' lava at 1100 as made from water and rock, whose density they keep.
E elementOf(char c) {
    return std::array{E::Air, E::Sand, E::Water, E::Rock, E::Fallback, E::Steam, E::Steam, E::Lava}
        [std::string(".swrfgGL").find(c)];
}

// Over many seeds, where one step takes the cells drawn as `mover`, found whole.
Cells ends(const std::vector<std::string>& rows, char mover) {
    const auto kept = [](auto& c) { return std::tie(c.element, c.state, c.density, c.color); };
    const Cell moving = painted(elementOf(mover));
    Cells found;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Simulation world = seededWorld(seed, 12, 12);
        for (std::size_t y = 0; y < rows.size(); ++y)
            for (std::size_t x = 0; x < rows[y].size(); ++x) {
                const char c = rows[y][x];
                const float heat = c == 'L' ? 1100.0f : elementOf(c) == E::Steam ? 150.0f : 20.0f;
                Cell& cell = world.grid[4 + x][4 + y] = painted(elementOf(c), heat);
                if (c == 's')
                    cell.temperature = 1800.0f, cell.transformCooldown = 5;
                if (c == 'G' || c == 'L')
                    cell.density = c == 'G' ? 0.1f : 4.0f,
                    cell.state = c == 'G' ? S::Gas : S::Liquid;
            }
        world.step();
        for (int x = 0; x < 12; ++x)
            for (int y = 0; y < 12; ++y)
                if (kept(world.grid[x][y]) == kept(moving))
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
            if (free >> i & 1)
                row[i] = '.', below.insert({4 + i, 6}), above.insert({4 + i, 4});
        for (const int i : {0, 2})
            if (row[i] == '.')
                beside.insert({4 + i, 5});
        EXPECT_EQ(ends({"...", ".s.", row}, 's'), (free ? below : Cells{{5, 5}})) << row;
        EXPECT_EQ(ends({row, ".g.", "..."}, 'g'), (free ? above : Cells{{4, 5}, {6, 5}})) << row;
        EXPECT_EQ(ends({"...", {row[0], 'w', row[2]}, "rrr"}, 'w'),
                  (beside.empty() ? Cells{{5, 5}} : beside));
    }
    // Sinking needs a strictly greater density; targets are judged on start-of-step cells, and
    // a move swaps the two records whole, whichever of two movers is visited first.
    const std::tuple<std::vector<std::string>, char, Cells> cases[] = {
        {{"...", ".wf", "rrr"}, 'w', {{4, 5}, {5, 5}}},
        {{"rsr", "rwr", "r.r"}, 's', {{5, 5}, {5, 6}}},
        {{"rsr", "rwr", "r.r"}, 'w', {{5, 4}, {5, 6}}},
        {{"rws.", "rr.r"}, 'w', {{5, 4}, {6, 4}}},
        {{"rsr", "rsr", "r.r"}, 's', {{5, 4}, {5, 6}}},
        {{"rwr", "rGr", "rrr"}, 'w', {{5, 4}}},
        {{"rsr", "rLr", "rrr"}, 's', {{5, 4}}}};
    for (const auto& [rows, mover, expected] : cases)
        EXPECT_EQ(ends(rows, mover), expected) << rows[0] << "/" << rows[1];
}

// Each cell exchanges with its eight neighbours at 0.1, or 0.025 when either is air.
TEST(HeatExchange, DesignedNumbers) {
    const std::array<int, 3> rocks[] = {{10, 10, 84}, {0, 0, 94}, {49, 49, 94}, {49, 10, 90}};
    for (const auto& [x, y, expected] : rocks) {
        Simulation world = seededWorld(1);
        world.grid[x][y] = painted(E::Rock, 100.0f);
        world.step();
        EXPECT_FLOAT_EQ(world.grid[x][y].temperature, expected);
        for (const auto& [nx, ny] : world.neighbours(x, y))
            EXPECT_FLOAT_EQ(world.grid[nx][ny].temperature, 22.0f);
        EXPECT_EQ(world.grid[25][30].temperature, 20.0f);
    }
    Simulation pair = seededWorld(1);
    pair.grid[10][10] = painted(E::Rock, 100.0f), pair.grid[11][10] = painted(E::Rock);
    pair.step();
    EXPECT_EQ(std::pair(pair.grid[10][10].temperature, pair.grid[11][10].temperature),
              std::pair(78.0f, 28.0f));
}

// Each rule at the temperature where it fires and the nearest one where it does not, and where it
// fires but the cell still waits out the five steps since it last transformed. In a one-cell
// world nothing moves and the exchange keeps the temperature; air's countdown stands still.
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
    using Found = std::unordered_map<std::string, bool>;
    for (const auto& [from, fires, stays, to, state, discovered] : rules)
        for (const auto& [t, waiting] : {std::pair(fires, 0), {stays, 0}, {fires, 1}, {fires, 5}}) {
            SCOPED_TRACE(testing::Message() << elementName(from) << " at " << t << ", " << waiting);
            Simulation world = seededWorld(9, 1, 1);
            (world.grid[0][0] = painted(from, t, waiting)).density = 0.75f;
            world.step();
            const bool fired = t == fires && !waiting && to != from;
            const int countdown = fired ? 5 : from == E::Air ? waiting : std::max(waiting - 1, 0);
            EXPECT_EQ(fields(world.grid[0][0]),
                      std::tuple(elementName(fired ? to : from),
                                 stateName(fired ? state : paintedState(from)), t, 0.75f,
                                 countdown));
            EXPECT_EQ(world.particleCount, from != E::Air);
            EXPECT_EQ(world.discoveredElements,
                      (fired && discovered ? Found{{discovered, true}} : Found{}));
        }
}

} // namespace
