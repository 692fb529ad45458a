#pragma once

#include "sim/Simulation.hpp"

#include <algorithm>
#include <bit>
#include <functional>

namespace worldtest {

using Position = std::pair<int, int>;

inline Simulation seededWorld(std::uint32_t seed, int width = 50, int height = 50) {
    Simulation world(width, height);
    world.rng.seed(seed);
    return world;
}

/// A record as painting makes it, but with the plain base colour.
inline Cell freshCell(ElementId element, float temperature = 20.0f, int cooldown = 0) {
    // find, not operator[]: the catalogue's tables are shared by every test.
    const auto density = elementDensity.find(element);
    return Cell{temperature, density == elementDensity.end() ? 0.0f : density->second,
                element,     paintedState(element),
                cooldown,    elementColors.at(element)};
}

/// Every field equal, temperatures and densities bit for bit.
inline bool sameCell(const Cell& a, const Cell& b) {
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    return bits(a.temperature) == bits(b.temperature) && bits(a.density) == bits(b.density) &&
           a.element == b.element && a.state == b.state &&
           a.transformCooldown == b.transformCooldown && a.color == b.color;
}

inline Cell& cellAt(Simulation& world, Position at) {
    return world.grid[static_cast<std::size_t>(at.first)][static_cast<std::size_t>(at.second)];
}
inline const Cell& cellAt(const Simulation& world, Position at) {
    return world.grid[static_cast<std::size_t>(at.first)][static_cast<std::size_t>(at.second)];
}

inline Cell& place(Simulation& world, Position at, ElementId element, float temperature = 20.0f,
                   int cooldown = 0) {
    return cellAt(world, at) = freshCell(element, temperature, cooldown);
}

/// Steps the scene `build` lays out, seed after seed, until both visiting orders of `a` and
/// `b` have come up; `check(world, aFirst)` judges each outcome. False if one never did.
inline bool stepInBothOrders(Position a, Position b, const std::function<void(Simulation&)>& build,
                             const std::function<void(const Simulation&, bool aFirst)>& check) {
    bool seen[2] = {false, false};
    for (std::uint32_t seed = 1; seed <= 300 && !(seen[0] && seen[1]); ++seed) {
        Simulation world = seededWorld(seed);
        build(world);
        world.step();
        // cellOrder keeps the order the step just used.
        const auto& order = world.cellOrder;
        const bool aFirst =
            std::find(order.begin(), order.end(), a) < std::find(order.begin(), order.end(), b);
        seen[aFirst] = true;
        check(world, aFirst);
    }
    return seen[0] && seen[1];
}

} // namespace worldtest
