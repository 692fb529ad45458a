#include "bench/BusyWorld.hpp"

#include <random>

namespace {

ElementId materialFor(int roll) {
    if (roll < 35)
        return ElementId::Air;
    if (roll < 65)
        return ElementId::Sand;
    if (roll < 85)
        return ElementId::Water;
    return ElementId::Rock;
}

// A lone hot cell loses most of its heat to its neighbours in one step; a patch stays past
// its threshold long enough to transform and to keep transforming what moves into it.
float patchTemperature(int roll) {
    if (roll < 15)
        return 4000.0f;
    if (roll < 30)
        return -100.0f;
    return 20.0f;
}

constexpr int patchSize = 5;

} // namespace

Simulation makeBusyWorld(int width, int height, std::uint32_t seed) {
    Simulation world(width, height);
    world.rng.seed(seed);
    std::mt19937 scene(seed + 1);
    std::uniform_int_distribution<int> percent(0, 99);

    const int patchColumns = (world.width + patchSize - 1) / patchSize;
    const int patchRows = (world.height + patchSize - 1) / patchSize;
    std::vector<float> patches(static_cast<std::size_t>(patchColumns * patchRows));
    for (float& t : patches)
        t = patchTemperature(percent(scene));

    for (int x = 0; x < world.width; ++x) {
        for (int y = 0; y < world.height; ++y) {
            Cell& cell = world.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            cell.temperature =
                patches[static_cast<std::size_t>((x / patchSize) * patchRows + y / patchSize)];
            const ElementId id = materialFor(percent(scene));
            if (id == ElementId::Air)
                continue;
            cell.element = id;
            cell.state = paintedState(id);
            cell.density = elementDensity[id];
            cell.color = variedColor(id, scene);
            cell.transformCooldown = 0;
        }
    }
    world.nextGrid = world.grid;
    return world;
}

void restoreCells(Simulation& world, const Simulation& original) {
    world.grid = original.grid;
    world.nextGrid = original.nextGrid;
}
