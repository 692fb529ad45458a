#include "sim/Simulation.hpp"
#include "support/ReferenceStep.hpp"
#include "support/Scenes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace {

using namespace worldtest;
using E = ElementId;
using S = MatterState;

// Any record the program can make: every element with the states and densities painting and
// transformations give it, temperatures at, just below and just above every threshold,
// countdowns 0 to 5.
void scatterAnything(Simulation& world, std::mt19937& gen) {
    const float thresholds[] = {0, 100, 1000, 1200, 1500, 1700, -273, 5000};
    const auto any = [&gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
    for (auto& column : world.grid)
        for (Cell& cell : column) {
            const auto element = static_cast<E>(any(10));
            float t = std::uniform_real_distribution<float>(-273, 5000)(gen);
            if (any(10) < 6) {
                const float edge = thresholds[any(8)];
                t = std::clamp(std::nextafter(edge, edge + static_cast<float>(any(3) - 1)), -273.0f,
                               5000.0f);
            }
            cell = freshCell(element, t, any(10) < 7 ? 0 : 1 + any(5));
            cell.color = variedColor(element, gen);
            // Transformations keep the density of the element a record was painted as.
            if (element != E::Air && element != E::Fallback && any(2) == 0)
                cell.density = std::array{0.0f, 0.1f, 0.2f, 0.3f, 1.1f, 4.0f}[any(6)];
            if ((element == E::Lava || element == E::MoltenGlass) && any(2) == 0)
                cell.state = S::Liquid;
        }
}

// Records no program makes, written into the grid by hand: infinite and NaN temperatures must
// come out of the exchange as the plain sum over the neighbours inside the grid gives them.
TEST(ReferenceStep, InfiniteAndNaNTemperaturesAsThePlainSum) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    for (const float odd : {inf, -inf, std::numeric_limits<float>::quiet_NaN()})
        for (const auto& [width, height] : {std::pair{1, 1}, {1, 3}, {4, 1}, {3, 3}, {6, 5}}) {
            std::mt19937 gen(static_cast<std::uint32_t>(width * 10 + height));
            Simulation world = seededWorld(7, width, height);
            scatterAnything(world, gen);
            cellAt(world, {width / 2, height / 2}).temperature = odd;
            cellAt(world, {0, 0}).temperature = -odd;
            Simulation expected = world;
            referenceStep(expected);
            world.step();
            // Which of two NaNs an addition passes on is the compiler's choice; NaN it is.
            for (auto* grids : {&expected.grid, &expected.nextGrid, &world.grid, &world.nextGrid})
                for (auto& column : *grids)
                    for (Cell& cell : column)
                        if (std::isnan(cell.temperature))
                            cell.temperature = std::numeric_limits<float>::quiet_NaN();
            EXPECT_EQ(firstDifference(expected, world), "")
                << odd << " in a " << width << " by " << height << " world";
        }
}

// Draw for draw and field for field, in worlds where everything moves, melts, freezes and
// boils at once.
TEST(ReferenceStep, StepMatchesThePlainReading) {
    for (std::uint32_t scene = 1; scene <= 30; ++scene) {
        std::mt19937 gen(scene);
        const bool full = scene % 6 == 0;
        Simulation world = seededWorld(scene, full ? 50 : 1 + static_cast<int>(gen() % 16),
                                       full ? 50 : 1 + static_cast<int>(gen() % 16));
        scatterAnything(world, gen);
        for (int step = 0; step < 10; ++step) {
            Simulation expected = world;
            referenceStep(expected);
            world.step();
            const std::string difference = firstDifference(expected, world);
            ASSERT_TRUE(difference.empty())
                << difference << " in scene " << scene << ", step " << step;
        }
    }
}

struct Placed {
    Position at;
    E element;
    float temperature = 20.0f;
    float density = -1.0f; // made by a transformation: this density and the liquid state
};
using Scene = std::vector<Placed>;

void build(Simulation& world, const Scene& scene) {
    for (const Placed& p : scene) {
        Cell& cell = place(world, p.at, p.element, p.temperature);
        if (p.density >= 0.0f) {
            cell.density = p.density;
            cell.state = p.element == E::Steam ? S::Gas : S::Liquid;
        }
    }
}

// Rock walls at x 4 and 6 from row 3 down to the floor under x 5.
Scene shaft(Scene scene, int floor = 6) {
    scene.push_back({{5, floor}, E::Rock});
    for (int y = 3; y <= floor; ++y)
        scene.insert(scene.end(), {{{4, y}, E::Rock}, {{6, y}, E::Rock}});
    return scene;
}

bool holds(const Simulation& world, const std::vector<std::pair<Position, E>>& layout) {
    for (const auto& [at, element] : layout)
        if (cellAt(world, at).element != element)
            return false;
    return true;
}

// Over many seeds the scene's first element must end at each listed position and nowhere
// else. Candidates are judged on start-of-step records; sinking needs a strictly greater
// density.
TEST(Movement, OneStepDestinations) {
    const Scene floor = {{{4, 6}, E::Rock}, {{5, 6}, E::Rock}, {{6, 6}, E::Rock}};
    const auto on = [](Scene a, const Scene& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::tuple<const char*, Scene, std::set<Position>> cases[] = {
        {"sand, air below", {{{5, 4}, E::Sand}}, {{4, 5}, {5, 5}, {6, 5}}},
        {"sand, rock diagonals",
         {{{5, 4}, E::Sand}, {{4, 5}, E::Rock}, {{6, 5}, E::Rock}},
         {{5, 5}}},
        {"sand on the bottom row", {{{5, 49}, E::Sand}}, {{5, 49}}},
        {"rock never moves", {{{5, 4}, E::Rock}}, {{5, 4}}},
        {"water, rock right", on({{{5, 5}, E::Water}, {{6, 5}, E::Rock}}, floor), {{4, 5}}},
        {"weightless side refused",
         on({{{5, 5}, E::Water}, {{6, 5}, E::Fallback}}, floor),
         {{4, 5}, {5, 5}}},
        {"steam in open air", {{{5, 5}, E::Steam, 150}}, {{4, 4}, {5, 4}, {6, 4}}},
        {"steam under a roof",
         {{{5, 5}, E::Steam, 150}, {{4, 4}, E::Rock}, {{5, 4}, E::Rock}, {{6, 4}, E::Rock}},
         {{4, 5}, {6, 5}}},
        {"stacked sand", shaft({{{5, 4}, E::Sand}, {{5, 5}, E::Sand}}, 7), {{5, 4}, {5, 6}}},
        {"sand in water", shaft({{{5, 4}, E::Sand}, {{5, 5}, E::Water}}), {{5, 5}}},
        {"water on painted steam", shaft({{{5, 4}, E::Water}, {{5, 5}, E::Steam, 150}}), {{5, 5}}},
        {"water on steam made from water",
         shaft({{{5, 4}, E::Water}, {{5, 5}, E::Steam, 150, 0.1f}}),
         {{5, 4}}},
        {"sand on lava made from rock",
         shaft({{{5, 4}, E::Sand}, {{5, 5}, E::Lava, 1100, 4.0f}}),
         {{5, 4}}}};
    for (const auto& [name, scene, expected] : cases) {
        std::set<Position> ends;
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            Simulation world = seededWorld(seed, 12, 50);
            build(world, scene);
            world.step();
            for (int x = 0; x < 12; ++x)
                for (int y = 0; y < 50; ++y)
                    if (cellAt(world, {x, y}).element == scene[0].element)
                        ends.insert({x, y});
        }
        EXPECT_EQ(ends, expected) << name;
    }
}

// Every move swaps two records of the working copy: the visiting order decides where matter
// ends, but none is lost or copied.
TEST(Movement, SwapsInBothVisitingOrders) {
    using Layout = std::vector<std::pair<Position, E>>;
    const std::tuple<Scene, Layout, Layout> cases[] = {
        {shaft({{{5, 5}, E::Water}, {{5, 4}, E::Sand}}, 7),
         {{{5, 4}, E::Air}, {{5, 5}, E::Sand}, {{5, 6}, E::Water}},
         {{{5, 4}, E::Water}, {{5, 5}, E::Air}, {{5, 6}, E::Sand}}},
        {{{{4, 5}, E::Water},
          {{5, 5}, E::Sand},
          {{3, 5}, E::Rock},
          {{3, 6}, E::Rock},
          {{4, 6}, E::Rock},
          {{6, 6}, E::Rock}},
         {{{4, 5}, E::Air}, {{5, 5}, E::Water}, {{5, 6}, E::Sand}},
         {{{4, 5}, E::Water}, {{5, 5}, E::Air}, {{5, 6}, E::Sand}}}};
    for (const auto& c : cases) {
        const Scene& scene = std::get<0>(c);
        EXPECT_TRUE(stepInBothOrders(
            scene[0].at, scene[1].at, [&](Simulation& world) { build(world, scene); },
            [&](const Simulation& world, bool water) {
                EXPECT_TRUE(holds(world, water ? std::get<1>(c) : std::get<2>(c))) << water;
            }));
    }
}

// Rock among air at 20 degrees: only the exchange acts.
TEST(HeatExchange, DesignedNumbers) {
    const std::tuple<Position, float> lone[] = {{{10, 10}, 84.0f}, {{0, 0}, 94.0f},
                                                {{49, 0}, 94.0f},  {{0, 49}, 94.0f},
                                                {{49, 49}, 94.0f}, {{0, 10}, 90.0f}};
    for (const auto& [rock, expected] : lone) {
        Simulation world = seededWorld(1);
        place(world, rock, E::Rock, 100.0f);
        world.step();
        EXPECT_FLOAT_EQ(cellAt(world, rock).temperature, expected);
        for (const Position& n : world.neighbours(rock.first, rock.second))
            EXPECT_FLOAT_EQ(cellAt(world, n).temperature, 22.0f);
        EXPECT_EQ(cellAt(world, {25, 30}).temperature, 20.0f);
    }

    Simulation pair = seededWorld(1);
    place(pair, {10, 10}, E::Rock, 100.0f);
    place(pair, {11, 10}, E::Rock, 20.0f);
    pair.step();
    EXPECT_FLOAT_EQ(cellAt(pair, {10, 10}).temperature, 78.0f);
    EXPECT_FLOAT_EQ(cellAt(pair, {11, 10}).temperature, 28.0f);

    // The exchanged value lands on the visited position: falling sand keeps its heat unless
    // its new position is visited after it.
    EXPECT_TRUE(stepInBothOrders(
        {10, 11}, {10, 10},
        [](Simulation& world) {
            build(world, {{{10, 10}, E::Sand, 500}, {{9, 11}, E::Rock}, {{11, 11}, E::Rock}});
        },
        [](const Simulation& world, bool targetFirst) {
            ASSERT_EQ(cellAt(world, {10, 11}).element, E::Sand);
            EXPECT_FLOAT_EQ(cellAt(world, {10, 10}).temperature, 332.0f);
            EXPECT_FLOAT_EQ(cellAt(world, {10, 11}).temperature, targetFirst ? 500.0f : 32.0f);
        }));

    // Forged out-of-range neighbours are the only way past the bounds.
    const std::tuple<E, float, float, float> clamped[] = {
        {E::Rock, 4999, 6000, 5000}, {E::Rock, -200, -1000, -273}, {E::Air, 20, 1.0e6f, 5000}};
    for (const auto& [element, centre, around, expected] : clamped) {
        Simulation world = seededWorld(1, 3, 3);
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y)
                place(world, {x, y}, element, around, 5);
        place(world, {1, 1}, element, centre, 5);
        world.step();
        EXPECT_EQ(cellAt(world, {1, 1}).temperature, expected) << centre << " among " << around;
    }
}

float above(float t) {
    return std::nextafter(t, std::numeric_limits<float>::infinity());
}
float below(float t) {
    return std::nextafter(t, -std::numeric_limits<float>::infinity());
}

// A one-cell world: nothing moves and the exchange keeps the temperature.
TEST(Transformation, EveryThresholdOnBothSides) {
    const std::tuple<E, float, E, S, const char*> cases[] = {
        {E::Sand, 1700, E::Sand, S::Powder, nullptr},
        {E::Sand, above(1700), E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Rock, below(1200), E::Rock, S::Solid, nullptr},
        {E::Rock, 1200, E::Lava, S::Liquid, "lava"},
        {E::Water, above(0), E::Water, S::Liquid, nullptr},
        {E::Water, 0, E::Ice, S::Solid, "ice"},
        {E::Water, below(100), E::Water, S::Liquid, nullptr},
        {E::Water, 100, E::Steam, S::Gas, "steam"},
        {E::Ice, 0, E::Ice, S::Solid, nullptr},
        {E::Ice, above(0), E::Water, S::Liquid, nullptr},
        {E::Steam, 100, E::Steam, S::Gas, nullptr},
        {E::Steam, below(100), E::Water, S::Liquid, nullptr},
        {E::Lava, 1000, E::Lava, S::Special, nullptr},
        {E::Lava, below(1000), E::Rock, S::Solid, nullptr},
        {E::MoltenGlass, 1500, E::MoltenGlass, S::Special, nullptr},
        {E::MoltenGlass, below(1500), E::Glass, S::Solid, "glass"},
        {E::Glass, 1200, E::Glass, S::Solid, nullptr},
        {E::Glass, above(1200), E::MoltenGlass, S::Liquid, "molten glass"},
        {E::Air, 5000, E::Air, S::Special, nullptr},
        {E::Fallback, -273, E::Fallback, S::Special, nullptr}};
    for (const auto& [from, t, to, state, discovered] : cases) {
        SCOPED_TRACE(testing::Message() << elementName(from) << " at " << t);
        Simulation world = seededWorld(9, 1, 1);
        place(world, {0, 0}, from, t).density = 0.75f;
        world.step();
        const Cell& cell = cellAt(world, {0, 0});
        EXPECT_EQ(cell.element, to);
        EXPECT_EQ(cell.state, state);
        EXPECT_EQ(cell.temperature, t);
        EXPECT_EQ(cell.density, 0.75f);
        EXPECT_EQ(cell.transformCooldown, to != from ? 5 : 0);
        if (discovered)
            EXPECT_EQ(world.discoveredElements,
                      (std::unordered_map<std::string, bool>{{discovered, true}}));
        else
            EXPECT_TRUE(world.discoveredElements.empty());
    }
}

// Between 1200 and 1500 glass and molten glass turn into each other; the countdown lets an
// unmoved cell change only every sixth step.
TEST(Transformation, CooldownLetsGlassFlipEverySixthStep) {
    Simulation world = seededWorld(9, 1, 1);
    place(world, {0, 0}, E::Glass, 1300.0f);
    std::vector<int> countdowns;
    std::string elements;
    for (int step = 1; step <= 14; ++step) {
        world.step();
        countdowns.push_back(cellAt(world, {0, 0}).transformCooldown);
        elements += cellAt(world, {0, 0}).element == E::Glass ? 'g' : 'm';
    }
    EXPECT_EQ(countdowns, (std::vector<int>{5, 4, 3, 2, 1, 0, 5, 4, 3, 2, 1, 0, 5, 4}));
    EXPECT_EQ(elements, "mmmmmmggggggmm");
}

} // namespace
