#pragma once

#include "sim/Simulation.hpp"

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace worldtest {

/// Empty while the world keeps what must always hold: both grids width by height, every
/// temperature a number within [-273, 5000], `cellOrder` a permutation of all positions,
/// `particleCount` within [0, cells], `discoveredElements` only the five designed keys, each
/// true. Otherwise what broke.
inline std::string invariantViolation(const Simulation& world) {
    const auto w = static_cast<std::size_t>(world.width);
    const auto h = static_cast<std::size_t>(world.height);
    if (world.width < 1 || world.height < 1 || world.cellOrder.size() != w * h)
        return "sizes or cellOrder's length broken";
    for (const auto* grid : {&world.grid, &world.nextGrid}) {
        if (grid->size() != w)
            return "a grid has the wrong number of columns";
        for (const auto& column : *grid) {
            if (column.size() != h)
                return "a column has the wrong height";
            for (const Cell& cell : column)
                if (std::isnan(cell.temperature) || cell.temperature < minTemperature ||
                    cell.temperature > maxTemperature)
                    return "temperature " + std::to_string(cell.temperature);
        }
    }
    std::vector<bool> seen(w * h, false);
    for (const auto& [x, y] : world.cellOrder) {
        if (x < 0 || x >= world.width || y < 0 || y >= world.height ||
            seen[static_cast<std::size_t>(x) * h + static_cast<std::size_t>(y)])
            return "cellOrder is no permutation";
        seen[static_cast<std::size_t>(x) * h + static_cast<std::size_t>(y)] = true;
    }
    if (world.particleCount < 0 || static_cast<std::size_t>(world.particleCount) > w * h)
        return "particleCount is " + std::to_string(world.particleCount);
    static const std::set<std::string> keys = {"molten glass", "lava", "ice", "steam", "glass"};
    for (const auto& [key, value] : world.discoveredElements)
        if (keys.count(key) == 0 || !value)
            return "discoveredElements holds \"" + key + "\"";
    return {};
}

} // namespace worldtest
