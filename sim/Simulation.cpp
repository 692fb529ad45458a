#include "sim/Simulation.hpp"

#include "sim/Neighbourhood.hpp"

#include <algorithm>

Simulation::Simulation() : Simulation(50, 50) {}

Simulation::Simulation(int width, int height)
    : height(std::max(height, 1)), width(std::max(width, 1)) {
    Cell air;
    air.temperature = 20.0f;
    air.density = elementDensity[ElementId::Air];
    air.element = ElementId::Air;
    air.state = MatterState::Special;
    air.transformCooldown = transformCooldownSteps;
    air.color = elementColors[ElementId::Air];

    grid.reserve(static_cast<std::size_t>(this->width));
    cellOrder.reserve(static_cast<std::size_t>(this->width) *
                      static_cast<std::size_t>(this->height));
    for (int x = 0; x < this->width; ++x) {
        grid.emplace_back(static_cast<std::size_t>(this->height), air);
        for (int y = 0; y < this->height; ++y)
            cellOrder.emplace_back(x, y);
    }
    nextGrid = grid;
    rng.seed(std::random_device{}());
}

std::vector<std::pair<int, int>> Simulation::neighbours(int x, int y) const {
    const Neighbourhood around = neighbourhoodOf(x, y, width, height);
    return {around.begin(), around.end()};
}
