#include "support/WorldChecks.hpp"

#include <cmath>
#include <set>
#include <sstream>
#include <vector>

namespace worldtest {

namespace {

std::string gridViolation(const char* name, const Simulation& world,
                          const std::vector<std::vector<Cell>>& grid) {
    std::ostringstream text;
    if (grid.size() != static_cast<std::size_t>(world.width)) {
        text << name << " has " << grid.size() << " columns";
        return text.str();
    }
    for (std::size_t x = 0; x < grid.size(); ++x) {
        if (grid[x].size() != static_cast<std::size_t>(world.height)) {
            text << name << " column " << x << " has " << grid[x].size() << " cells";
            return text.str();
        }
        for (std::size_t y = 0; y < grid[x].size(); ++y) {
            const float t = grid[x][y].temperature;
            if (std::isnan(t) || t < minTemperature || t > maxTemperature) {
                text << name << "[" << x << "][" << y << "].temperature is " << t;
                return text.str();
            }
        }
    }
    return {};
}

} // namespace

std::string invariantViolation(const Simulation& world) {
    if (world.width < 0 || world.height < 0)
        return "negative size";
    if (auto broken = gridViolation("grid", world, world.grid); !broken.empty())
        return broken;
    if (auto broken = gridViolation("nextGrid", world, world.nextGrid); !broken.empty())
        return broken;

    const std::size_t cells =
        static_cast<std::size_t>(world.width) * static_cast<std::size_t>(world.height);
    if (world.cellOrder.size() != cells)
        return "cellOrder has " + std::to_string(world.cellOrder.size()) + " entries";
    std::vector<bool> seen(cells, false);
    for (const auto& [x, y] : world.cellOrder) {
        if (x < 0 || x >= world.width || y < 0 || y >= world.height)
            return "cellOrder holds an outside position";
        const std::size_t index =
            static_cast<std::size_t>(x) * static_cast<std::size_t>(world.height) +
            static_cast<std::size_t>(y);
        if (seen[index])
            return "cellOrder repeats a position";
        seen[index] = true;
    }

    if (world.particleCount < 0 || static_cast<std::size_t>(world.particleCount) > cells)
        return "particleCount is " + std::to_string(world.particleCount);

    static const std::set<std::string> knownKeys = {"molten glass", "lava", "ice", "steam",
                                                    "glass"};
    for (const auto& [key, value] : world.discoveredElements) {
        if (knownKeys.count(key) == 0)
            return "discoveredElements holds \"" + key + "\"";
        if (!value)
            return "discoveredElements[\"" + key + "\"] is false";
    }
    return {};
}

} // namespace worldtest
