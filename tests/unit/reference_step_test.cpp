#include "sim/Simulation.hpp"
#include "support/ReferenceStep.hpp"
#include "support/Scenes.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace worldtest;

// The step must match the plain reading of the rules draw for draw and field for field, in
// worlds where everything moves, melts, freezes and boils at once.
TEST(ReferenceStep, StepMatchesThePlainReading) {
    for (std::uint32_t scene = 1; scene <= 30; ++scene) {
        std::mt19937 gen(scene);
        const bool full = scene % 6 == 0;
        const int width = full ? 50 : std::uniform_int_distribution<int>(1, 16)(gen);
        const int height = full ? 50 : std::uniform_int_distribution<int>(1, 16)(gen);
        Simulation world = seededWorld(scene, width, height);
        scatterAnything(world, gen);
        for (int step = 0; step < 10; ++step) {
            Simulation expected = world;
            referenceStep(expected);
            world.step();
            const std::string difference = firstDifference(expected, world);
            ASSERT_TRUE(difference.empty()) << difference << " (scene " << scene << ", " << width
                                            << " by " << height << ", step " << step << ")";
        }
    }
}

// The same after painting: fresh cells carry the air's countdown and painted states.
TEST(ReferenceStep, StepMatchesAfterPainting) {
    for (std::uint32_t run = 1; run <= 4; ++run) {
        Simulation world = seededWorld(run);
        std::mt19937 gen(run);
        const char* names[] = {"sand", "water", "rock", "lava", "molten glass", "steam",
                               "ice",  "glass", "none", "heat", "cool",         "air"};
        for (int round = 0; round < 12; ++round) {
            for (int i = 0; i < 3; ++i)
                world.paint(std::uniform_int_distribution<int>(0, 9)(gen),
                            std::uniform_int_distribution<int>(0, 550)(gen),
                            std::uniform_int_distribution<int>(0, 550)(gen),
                            names[std::uniform_int_distribution<int>(0, 11)(gen)],
                            std::uniform_real_distribution<float>(0.0f, 300.0f)(gen));
            Simulation expected = world;
            referenceStep(expected);
            world.step();
            const std::string difference = firstDifference(expected, world);
            ASSERT_TRUE(difference.empty())
                << difference << " (run " << run << ", round " << round << ")";
        }
    }
}

} // namespace
