#include "support/Scenes.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <vector>

namespace worldtest {

namespace {

// Reads without inserting: the catalogue's tables are global and shared by every test.
float densityOf(ElementId element) {
    const auto row = elementDensity.find(element);
    return row == elementDensity.end() ? 0.0f : row->second;
}

template <typename T, std::size_t N>
T pickFrom(const std::array<T, N>& choices, std::mt19937& gen) {
    std::uniform_int_distribution<std::size_t> index(0, N - 1);
    return choices[index(gen)];
}

bool chance(std::mt19937& gen, int percent) {
    return std::uniform_int_distribution<int>(0, 99)(gen) < percent;
}

constexpr std::array<float, 7> sampleDensities = {0.0f, 0.1f, 0.2f, 0.3f, 1.1f, 4.0f, 0.05f};

} // namespace

Simulation seededWorld(std::uint32_t seed, int width, int height) {
    Simulation world(width, height);
    world.rng.seed(seed);
    return world;
}

Cell freshCell(ElementId element, float temperature, int cooldown) {
    Cell cell;
    cell.temperature = temperature;
    cell.density = densityOf(element);
    cell.element = element;
    cell.state = paintedState(element);
    cell.transformCooldown = cooldown;
    cell.color = elementColors.at(element);
    return cell;
}

bool sameCell(const Cell& a, const Cell& b) {
    return std::bit_cast<std::uint32_t>(a.temperature) ==
               std::bit_cast<std::uint32_t>(b.temperature) &&
           std::bit_cast<std::uint32_t>(a.density) == std::bit_cast<std::uint32_t>(b.density) &&
           a.element == b.element && a.state == b.state &&
           a.transformCooldown == b.transformCooldown && a.color == b.color;
}

Cell& cellAt(Simulation& world, Position at) {
    return world.grid[static_cast<std::size_t>(at.first)][static_cast<std::size_t>(at.second)];
}

const Cell& cellAt(const Simulation& world, Position at) {
    return world.grid[static_cast<std::size_t>(at.first)][static_cast<std::size_t>(at.second)];
}

Cell& place(Simulation& world, Position at, ElementId element, float temperature, int cooldown) {
    Cell& cell = cellAt(world, at);
    cell = freshCell(element, temperature, cooldown);
    return cell;
}

void placeRock(Simulation& world, std::initializer_list<Position> at) {
    for (const Position& p : at)
        place(world, p, ElementId::Rock);
}

bool visitedBefore(const Simulation& world, Position first, Position second) {
    const auto firstAt = std::find(world.cellOrder.begin(), world.cellOrder.end(), first);
    const auto secondAt = std::find(world.cellOrder.begin(), world.cellOrder.end(), second);
    return firstAt < secondAt;
}

bool stepInBothOrders(Position a, Position b, const std::function<void(Simulation&)>& build,
                      const std::function<void(const Simulation&, bool aFirst)>& check) {
    bool seen[2] = {false, false};
    for (std::uint32_t seed = 1; seed <= 300 && !(seen[0] && seen[1]); ++seed) {
        Simulation world = seededWorld(seed);
        build(world);
        world.step();
        const bool aFirst = visitedBefore(world, a, b);
        seen[aFirst ? 1 : 0] = true;
        check(world, aFirst);
    }
    return seen[0] && seen[1];
}

bool hasVariedColour(sf::Color colour, ElementId element) {
    const sf::Color base = elementColors.at(element);
    const int variation = colorVariation.at(element);
    const auto within = [variation](int channel, int centre) {
        return channel >= std::max(centre - variation, 0) &&
               channel <= std::min(centre + variation, 255);
    };
    return within(colour.r, base.r) && within(colour.g, base.g) && within(colour.b, base.b) &&
           colour.a == 255;
}

void scatterQuiet(Simulation& world, std::mt19937& gen) {
    constexpr std::array<ElementId, 4> elements = {ElementId::Sand, ElementId::Water,
                                                   ElementId::Rock, ElementId::Fallback};
    constexpr std::array<MatterState, 5> states = {MatterState::Special, MatterState::Solid,
                                                   MatterState::Liquid, MatterState::Gas,
                                                   MatterState::Powder};
    std::uniform_real_distribution<float> temperature(1.0f, 99.0f);
    std::uniform_int_distribution<int> cooldown(0, 6);
    for (auto& column : world.grid) {
        for (Cell& cell : column) {
            if (chance(gen, 50))
                continue;
            const ElementId element = pickFrom(elements, gen);
            cell = freshCell(element, temperature(gen), cooldown(gen));
            cell.color = variedColor(element, gen);
            if (element == ElementId::Fallback) {
                // A rule-free element standing in for gases, liquids and powders of any weight.
                cell.state = pickFrom(states, gen);
                cell.density = pickFrom(sampleDensities, gen);
            }
        }
    }
}

// Densities a record of each element can carry: transformations keep the density of the
// element the record was painted as.
std::vector<float> reachableDensities(ElementId element) {
    switch (element) {
    case ElementId::Sand:
    case ElementId::MoltenGlass:
    case ElementId::Glass:
        return {1.1f, 0.2f, 4.0f};
    case ElementId::Rock:
    case ElementId::Lava:
        return {4.0f, 0.3f};
    case ElementId::Water:
    case ElementId::Ice:
    case ElementId::Steam:
        return {0.1f, 4.0f, 0.0f};
    default:
        return {0.0f};
    }
}

void scatterAnything(Simulation& world, std::mt19937& gen) {
    constexpr std::array<ElementId, 10> elements = {
        ElementId::Air,   ElementId::Sand,    ElementId::Rock, ElementId::Water,
        ElementId::Ice,   ElementId::Steam,   ElementId::Lava, ElementId::MoltenGlass,
        ElementId::Glass, ElementId::Fallback};
    constexpr std::array<float, 8> thresholds = {0.0f,    100.0f,  1000.0f, 1200.0f,
                                                 1500.0f, 1700.0f, -273.0f, 5000.0f};
    std::uniform_real_distribution<float> anyTemperature(-273.0f, 5000.0f);
    for (auto& column : world.grid) {
        for (Cell& cell : column) {
            const ElementId element = pickFrom(elements, gen);
            float t = anyTemperature(gen);
            if (chance(gen, 60)) {
                const float edge = pickFrom(thresholds, gen);
                const int side = std::uniform_int_distribution<int>(-1, 1)(gen);
                t = side == 0 ? edge : std::nextafter(edge, edge + static_cast<float>(side));
                t = std::clamp(t, minTemperature, maxTemperature);
            }
            const int cooldown =
                chance(gen, 70) ? 0 : std::uniform_int_distribution<int>(1, 5)(gen);
            cell = freshCell(element, t, cooldown);
            cell.color = variedColor(element, gen);
            const std::vector<float> densities = reachableDensities(element);
            cell.density =
                densities[std::uniform_int_distribution<std::size_t>(0, densities.size() - 1)(gen)];
            // Lava and molten glass made by a transformation are liquid; painted ones special.
            if ((element == ElementId::Lava || element == ElementId::MoltenGlass) &&
                chance(gen, 50))
                cell.state = MatterState::Liquid;
        }
    }
}

} // namespace worldtest
