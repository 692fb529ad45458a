#include "support/ReferenceStep.hpp"
#include "support/Scenes.hpp"

#include "sim/Transformations.hpp"

#include <algorithm>
#include <vector>

namespace worldtest {

namespace {

using Grid = std::vector<std::vector<Cell>>;
using E = ElementId;
using S = MatterState;

Cell& at(Grid& grid, Position p) {
    return grid[static_cast<std::size_t>(p.first)][static_cast<std::size_t>(p.second)];
}

Position pick(Simulation& world, const std::vector<Position>& list) {
    const int last = static_cast<int>(list.size()) - 1;
    return list[static_cast<std::size_t>(std::uniform_int_distribution<int>(0, last)(world.rng))];
}

void visit(Simulation& world, Position p) {
    const Cell visited = at(world.grid, p);
    std::vector<Position> around, falls, rises, sides;
    for (const auto& [dx, dy] :
         {Position{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}) {
        const Position n{p.first + dx, p.second + dy};
        if (n.first < 0 || n.first >= world.width || n.second < 0 || n.second >= world.height)
            continue;
        around.push_back(n);
        const Cell& r = at(world.grid, n);
        if (dy > 0 && (r.element == E::Air || r.state == S::Liquid || r.state == S::Gas))
            falls.push_back(n);
        if (dy < 0 && r.element == E::Air)
            rises.push_back(n);
        if (dy == 0 && r.density == 0.0f)
            sides.push_back(n);
    }

    Position moved = p;
    // An air visit exchanges with its own start-of-step temperature, whatever moved into p.
    float t0 = visited.temperature;
    bool ownIsAir = true;
    const auto moveTo = [&](Position n) {
        std::swap(at(world.nextGrid, p), at(world.nextGrid, n));
        at(world.nextGrid, n).transformCooldown = visited.transformCooldown;
        moved = n;
    };
    const auto airInBoth = [&](Position n) {
        return at(world.grid, n).element == E::Air && at(world.nextGrid, n).element == E::Air;
    };
    const S state = visited.state;
    if (visited.element != E::Air) {
        world.particleCount += 1;
        if (state != S::Solid && state != S::Gas && !falls.empty()) {
            const Position n = pick(world, falls);
            if (visited.density > at(world.grid, n).density &&
                visited.density > at(world.nextGrid, n).density)
                moveTo(n);
        }
        if (state == S::Gas && !rises.empty() && moved == p) {
            const Position n = pick(world, rises);
            if (airInBoth(n))
                moveTo(n);
        }
        if ((state == S::Liquid || state == S::Gas) && !sides.empty() && moved == p) {
            const Position n = pick(world, sides);
            if (airInBoth(n))
                moveTo(n);
        }
        const Cell c = at(world.nextGrid, moved);
        t0 = c.temperature;
        ownIsAir = c.element == E::Air;
        Cell& record = at(world.nextGrid, moved);
        // The rules themselves are checked on both sides of every threshold elsewhere.
        if (const auto rule = transformationFor(c.element, c.temperature);
            rule && c.transformCooldown <= 0) {
            record.element = rule->element;
            record.state = rule->state;
            if (rule->discovered != nullptr)
                world.discoveredElements[rule->discovered] = true;
        }
        if (record.element != c.element) {
            record.transformCooldown = 5;
            record.color = variedColor(elementColors[record.element],
                                       colorVariation[record.element], world.rng);
        } else if (at(world.grid, moved).transformCooldown > 0) {
            record.transformCooldown = std::max(record.transformCooldown - 1, 0);
        }
    }

    float sum = 0.0f;
    for (const Position& n : around) {
        const Cell& other = at(world.grid, n);
        sum =
            sum + (other.temperature - t0) * (ownIsAir || other.element == E::Air ? 0.025f : 0.1f);
    }
    at(world.nextGrid, p).temperature = std::clamp(sum + t0, -273.0f, 5000.0f);
}

} // namespace

void referenceStep(Simulation& world) {
    std::shuffle(world.cellOrder.begin(), world.cellOrder.end(), world.rng);
    world.nextGrid = world.grid;
    world.particleCount = 0;
    for (const Position& p : world.cellOrder)
        visit(world, p);
    world.grid = world.nextGrid;
}

std::string firstDifference(const Simulation& expected, const Simulation& actual) {
    for (const auto& [name, want, got] : {std::tuple{"grid", &expected.grid, &actual.grid},
                                          {"nextGrid", &expected.nextGrid, &actual.nextGrid}})
        for (std::size_t x = 0; x < want->size(); ++x)
            for (std::size_t y = 0; y < (*want)[x].size(); ++y)
                if (!sameCell((*want)[x][y], got->at(x).at(y)))
                    return std::string(name) + "[" + std::to_string(x) + "][" + std::to_string(y) +
                           "] differs";
    if (expected.cellOrder != actual.cellOrder || expected.particleCount != actual.particleCount ||
        expected.discoveredElements != actual.discoveredElements)
        return "cellOrder, particleCount or discoveredElements differ";
    return expected.rng == actual.rng ? "" : "the draws differ in number or kind";
}

} // namespace worldtest
