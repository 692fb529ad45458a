#include "support/ReferenceStep.hpp"
#include "support/Scenes.hpp"

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace worldtest {

namespace {

using Grid = std::vector<std::vector<Cell>>;
using E = ElementId;
using S = MatterState;

Cell& at(Grid& grid, Position p) {
    return grid[static_cast<std::size_t>(p.first)][static_cast<std::size_t>(p.second)];
}

std::vector<Position> neighboursOf(const Simulation& world, Position p) {
    const Position offsets[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
    std::vector<Position> result;
    for (const auto& [dx, dy] : offsets) {
        const long long x = static_cast<long long>(p.first) + dx;
        const long long y = static_cast<long long>(p.second) + dy;
        if (x >= 0 && x < world.width && y >= 0 && y < world.height)
            result.emplace_back(static_cast<int>(x), static_cast<int>(y));
    }
    return result;
}

struct Rule {
    E from;
    std::string_view comparison;
    float threshold;
    E to;
    S state;
    const char* key;
};

// In the order tried: the two rules of water, freezing first.
const Rule rules[] = {
    {E::Sand, ">", 1700.0f, E::MoltenGlass, S::Liquid, "molten glass"},
    {E::Rock, ">=", 1200.0f, E::Lava, S::Liquid, "lava"},
    {E::Water, "<=", 0.0f, E::Ice, S::Solid, "ice"},
    {E::Water, ">=", 100.0f, E::Steam, S::Gas, "steam"},
    {E::Ice, ">", 0.0f, E::Water, S::Liquid, nullptr},
    {E::Steam, "<", 100.0f, E::Water, S::Liquid, nullptr},
    {E::Lava, "<", 1000.0f, E::Rock, S::Solid, nullptr},
    {E::MoltenGlass, "<", 1500.0f, E::Glass, S::Solid, "glass"},
    {E::Glass, ">", 1200.0f, E::MoltenGlass, S::Liquid, "molten glass"},
};

bool fires(const Rule& rule, float t) {
    if (rule.comparison == ">")
        return t > rule.threshold;
    if (rule.comparison == ">=")
        return t >= rule.threshold;
    if (rule.comparison == "<=")
        return t <= rule.threshold;
    return t < rule.threshold;
}

int drawIndex(Simulation& world, const std::vector<Position>& list) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(list.size()) - 1)(world.rng);
}

sf::Color drawColour(Simulation& world, E element) {
    const sf::Color base = elementColors[element];
    std::uniform_int_distribution<int> offset(-colorVariation[element], colorVariation[element]);
    const auto r = static_cast<std::uint8_t>(std::clamp(base.r + offset(world.rng), 0, 255));
    const auto g = static_cast<std::uint8_t>(std::clamp(base.g + offset(world.rng), 0, 255));
    const auto b = static_cast<std::uint8_t>(std::clamp(base.b + offset(world.rng), 0, 255));
    return sf::Color(r, g, b, base.a);
}

void exchangeHeat(Simulation& world, Position p, const std::vector<Position>& around, float t0,
                  bool ownIsAir) {
    float sum = 0.0f;
    for (const Position& n : around) {
        const Cell& other = at(world.grid, n);
        const float w = (ownIsAir || other.element == E::Air) ? 0.025f : 0.1f;
        sum = sum + (other.temperature - t0) * w;
    }
    at(world.nextGrid, p).temperature = std::clamp(sum + t0, -273.0f, 5000.0f);
}

void visit(Simulation& world, Position p) {
    const Cell visited = at(world.grid, p);
    const std::vector<Position> around = neighboursOf(world, p);
    if (visited.element == E::Air) {
        exchangeHeat(world, p, around, visited.temperature, true);
        return;
    }
    world.particleCount += 1;

    std::vector<Position> fallTargets, riseTargets, sideTargets;
    for (const Position& n : around) {
        const Cell& record = at(world.grid, n);
        if (n.second > p.second &&
            (record.element == E::Air || record.state == S::Liquid || record.state == S::Gas))
            fallTargets.push_back(n);
        if (n.second < p.second && record.element == E::Air)
            riseTargets.push_back(n);
        if (n.second == p.second && record.density == 0.0f)
            sideTargets.push_back(n);
    }

    Position moved = p;
    bool hasMoved = false;
    // Every move swaps two records of the working copy.
    const auto moveTo = [&](Position n) {
        std::swap(at(world.nextGrid, p), at(world.nextGrid, n));
        at(world.nextGrid, n).transformCooldown = visited.transformCooldown;
        moved = n;
    };
    const auto airInBoth = [&](Position n) {
        return at(world.grid, n).element == E::Air && at(world.nextGrid, n).element == E::Air;
    };
    const S state = visited.state;
    if (state != S::Solid && state != S::Gas && !fallTargets.empty()) {
        const Position n = fallTargets[static_cast<std::size_t>(drawIndex(world, fallTargets))];
        if (visited.density > at(world.grid, n).density &&
            visited.density > at(world.nextGrid, n).density) {
            moveTo(n);
            hasMoved = true;
        }
    }
    if (state == S::Gas && !riseTargets.empty() && !hasMoved) {
        const Position n = riseTargets[static_cast<std::size_t>(drawIndex(world, riseTargets))];
        if (airInBoth(n)) {
            moveTo(n);
            hasMoved = true;
        }
    }
    if ((state == S::Liquid || state == S::Gas) && !sideTargets.empty() && !hasMoved) {
        const Position n = sideTargets[static_cast<std::size_t>(drawIndex(world, sideTargets))];
        if (airInBoth(n))
            moveTo(n);
    }

    const Cell c = at(world.nextGrid, moved);
    Cell& record = at(world.nextGrid, moved);
    if (c.transformCooldown <= 0) {
        for (const Rule& rule : rules) {
            if (rule.from == c.element && fires(rule, c.temperature)) {
                record.state = rule.state;
                record.element = rule.to;
                if (rule.key != nullptr)
                    world.discoveredElements[rule.key] = true;
                break;
            }
        }
    }
    if (record.element != c.element) {
        record.transformCooldown = 5;
        record.color = drawColour(world, record.element);
    } else if (at(world.grid, moved).transformCooldown > 0) {
        record.transformCooldown = std::max(record.transformCooldown - 1, 0);
    }

    exchangeHeat(world, p, around, c.temperature, c.element == E::Air);
}

std::string describe(const Cell& cell) {
    std::ostringstream text;
    text.precision(9);
    text << "{t " << cell.temperature << ", d " << cell.density << ", element "
         << static_cast<int>(cell.element) << ", state " << static_cast<int>(cell.state)
         << ", countdown " << cell.transformCooldown << ", rgba " << cell.color.toInteger() << "}";
    return text.str();
}

std::string gridDifference(const char* name, const Grid& expected, const Grid& actual) {
    if (expected.size() != actual.size())
        return std::string(name) + " shapes differ";
    for (std::size_t x = 0; x < expected.size(); ++x) {
        if (expected[x].size() != actual[x].size())
            return std::string(name) + " shapes differ";
        for (std::size_t y = 0; y < expected[x].size(); ++y)
            if (!sameCell(expected[x][y], actual[x][y]))
                return std::string(name) + "[" + std::to_string(x) + "][" + std::to_string(y) +
                       "]: expected " + describe(expected[x][y]) + ", got " +
                       describe(actual[x][y]);
    }
    return {};
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
    if (expected.width != actual.width || expected.height != actual.height)
        return "sizes differ";
    if (std::string d = gridDifference("grid", expected.grid, actual.grid); !d.empty())
        return d;
    if (std::string d = gridDifference("nextGrid", expected.nextGrid, actual.nextGrid); !d.empty())
        return d;
    if (expected.cellOrder != actual.cellOrder)
        return "cellOrder differs";
    if (expected.particleCount != actual.particleCount)
        return "particleCount: expected " + std::to_string(expected.particleCount) + ", got " +
               std::to_string(actual.particleCount);
    if (expected.discoveredElements != actual.discoveredElements)
        return "discoveredElements differ";
    if (expected.rng != actual.rng)
        return "engine states differ: the draws differ in number or kind";
    return {};
}

} // namespace worldtest
