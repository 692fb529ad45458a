// Endurance run of the world alone: a busy world stepped many times under random painting,
// checking after every call that the world stays sound and at the end that memory stayed flat.
// Usage: world_soak [STEPS (default 1000000)] [SEED]

#include "sim/Simulation.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>

namespace {

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// What must hold after any paint or step, or empty.
std::string firstFault(const Simulation& world) {
    for (const auto& column : world.grid)
        for (const Cell& cell : column)
            if (!(cell.temperature >= minTemperature && cell.temperature <= maxTemperature))
                return "a temperature left [-273, 5000]: " + std::to_string(cell.temperature);
    std::set<std::pair<int, int>> order(world.cellOrder.begin(), world.cellOrder.end());
    if (order.size() != world.cellOrder.size() ||
        order.size() != world.grid.size() * world.grid[0].size())
        return "cellOrder is no permutation of the positions";
    static const std::set<std::string> made = {"molten glass", "lava", "ice", "steam", "glass"};
    for (const auto& entry : world.discoveredElements)
        if (made.count(entry.first) == 0 || !entry.second)
            return "discoveredElements holds " + entry.first;
    return {};
}

} // namespace

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 1000000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 2026u;
    std::mt19937 input(seed);
    Simulation world;
    world.rng.seed(seed);

    const std::array<std::string, 10> names = {"sand", "rock", "water", "heat", "cool",
                                               "air",  "none", "glass", "lava", ""};
    const std::array<float, 3> strengths = {1.0f, 5.0f, 0.5f};
    auto pick = [&input](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(input);
    };

    const long settled = std::max(steps / 10, 1L);
    long baseline = 0;
    long peak = 0;
    for (long step = 1; step <= steps; ++step) {
        // A few strokes a step, now and then far off the grid or with odd brushes.
        for (int stroke = pick(0, 3); stroke > 0; --stroke) {
            // One stroke in four erases, so that the world stays busy rather than full.
            const std::string& name =
                pick(0, 3) == 0 ? names[5] : names[static_cast<std::size_t>(pick(0, 9))];
            world.paint(pick(-2, 52), pick(-100, 700), pick(-100, 700), name,
                        strengths[static_cast<std::size_t>(pick(0, 2))]);
            if (const std::string fault = firstFault(world); !fault.empty()) {
                std::fprintf(stderr, "world_soak: after a paint in step %ld: %s\n", step,
                             fault.c_str());
                return 1;
            }
        }
        world.step();
        if (const std::string fault = firstFault(world); !fault.empty()) {
            std::fprintf(stderr, "world_soak: after step %ld: %s\n", step, fault.c_str());
            return 1;
        }
        if (step == settled)
            baseline = residentKilobytes();
        if (step > settled && step % 1000 == 0)
            peak = std::max(peak, residentKilobytes());
    }
    const long growth = std::max(peak, residentKilobytes()) - baseline;
    std::printf("world_soak: %ld steps, %d particles at the end, resident memory grew by %ld kB "
                "after step %ld\n",
                steps, world.particleCount, growth, settled);
    if (growth >= 2048) {
        std::fprintf(stderr, "world_soak: memory grew by %ld kB (limit 2048 kB)\n", growth);
        return 1;
    }
    std::printf("world_soak: PASS\n");
    return 0;
}
