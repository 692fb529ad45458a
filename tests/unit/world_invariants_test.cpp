#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"
#include "support/WorldChecks.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace worldtest;

using Record = std::tuple<int, int, float, std::uint32_t>;

std::vector<Record> records(const Simulation& world) {
    std::vector<Record> all;
    for (const auto& column : world.grid)
        for (const Cell& cell : column)
            all.emplace_back(static_cast<int>(cell.element), static_cast<int>(cell.state),
                             cell.density, cell.color.toInteger());
    std::sort(all.begin(), all.end());
    return all;
}

const std::array<std::pair<int, int>, 5> sizes = {{{50, 50}, {9, 6}, {1, 12}, {17, 1}, {3, 3}}};

TEST(Conservation, StepsNeitherLoseNorCopyMatter) {
    for (std::uint32_t scene = 1; scene <= 30; ++scene) {
        const auto [width, height] = sizes[scene % sizes.size()];
        Simulation world = seededWorld(scene, width, height);
        std::mt19937 gen(scene);
        scatterQuiet(world, gen);
        for (int step = 0; step < 25; ++step) {
            const auto before = records(world);
            world.step();
            ASSERT_EQ(records(world), before) << "scene " << scene << ", step " << step;
        }
    }
}

template <typename T, std::size_t N>
T pickFrom(const std::array<T, N>& choices, std::mt19937& gen) {
    return choices[std::uniform_int_distribution<std::size_t>(0, N - 1)(gen)];
}

int anyCoordinate(std::mt19937& gen) {
    constexpr std::array<int, 9> edges = {INT_MIN, INT_MIN + 1, -1,          0,      549,
                                          550,     551,         INT_MAX - 1, INT_MAX};
    if (std::uniform_int_distribution<int>(0, 3)(gen) == 0)
        return pickFrom(edges, gen);
    return std::uniform_int_distribution<int>(-100, 700)(gen);
}

int anyBrush(std::mt19937& gen) {
    constexpr std::array<int, 6> edges = {INT_MIN, -2, -1, 0, 50, INT_MAX};
    if (std::uniform_int_distribution<int>(0, 3)(gen) == 0)
        return pickFrom(edges, gen);
    return std::uniform_int_distribution<int>(-5, 60)(gen);
}

float anyStrength(std::mt19937& gen) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr std::array<float, 12> strengths = {
        0.0f,    1.0f,     5.0f,
        0.5f,    -1.0f,    -5.0f,
        1.0e30f, -1.0e30f, std::numeric_limits<float>::quiet_NaN(),
        inf,     -inf,     std::numeric_limits<float>::denorm_min()};
    return pickFrom(strengths, gen);
}

TEST(WorldInvariants, HoldUnderRandomPaintingAndStepping) {
    const std::array<std::string, 16> names = {
        "sand",  "rock",     "water",        "ice",
        "steam", "lava",     "molten glass", "glass",
        "air",   "heat",     "cool",         "none",
        "",      "fallback", "Lava",         std::string("glass\0", 6)};
    for (std::uint32_t run = 1; run <= 30; ++run) {
        const auto [width, height] = sizes[run % sizes.size()];
        Simulation world = seededWorld(run, width, height);
        std::mt19937 gen(run * 7919u);
        for (int op = 0; op < 200; ++op) {
            if (std::uniform_int_distribution<int>(0, 2)(gen) == 0) {
                world.step();
            } else {
                world.paint(anyBrush(gen), anyCoordinate(gen), anyCoordinate(gen),
                            pickFrom(names, gen), anyStrength(gen));
            }
            const std::string broken = invariantViolation(world);
            ASSERT_TRUE(broken.empty()) << broken << " (run " << run << ", operation " << op << ")";
        }
    }
}

} // namespace
