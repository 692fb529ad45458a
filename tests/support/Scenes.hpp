#pragma once

#include "sim/Simulation.hpp"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <random>
#include <utility>

namespace worldtest {

using Position = std::pair<int, int>;

/// A freshly constructed world whose engine is seeded, so that a run can be repeated.
Simulation seededWorld(std::uint32_t seed, int width = 50, int height = 50);

/// A record of `element` as painting makes it (painted state, table density) but with the
/// plain base colour and the given temperature and countdown.
Cell freshCell(ElementId element, float temperature = 20.0f, int cooldown = 0);

/// Every field equal, temperatures and densities bit for bit.
bool sameCell(const Cell& a, const Cell& b);

Cell& cellAt(Simulation& world, Position at);
const Cell& cellAt(const Simulation& world, Position at);

/// Writes a fresh record into `grid` (the step copies `grid` into `nextGrid` itself) and
/// returns it, so that a test can adjust its state or density.
Cell& place(Simulation& world, Position at, ElementId element, float temperature = 20.0f,
            int cooldown = 0);

void placeRock(Simulation& world, std::initializer_list<Position> at);

/// Whether the last step visited `first` before `second`: `cellOrder` keeps that step's order.
bool visitedBefore(const Simulation& world, Position first, Position second);

/// Steps the scene that `build` lays out in a fresh world, once per seed, until both visiting
/// orders of `a` and `b` have come up (at most 300 seeds); `check(world, aFirst)` judges each
/// outcome. Returns whether both orders came up.
bool stepInBothOrders(Position a, Position b, const std::function<void(Simulation&)>& build,
                      const std::function<void(const Simulation&, bool aFirst)>& check);

/// Whether each channel lies within the element's variation of its base colour (after the
/// clamp to [0, 255]) and alpha is 255.
bool hasVariedColour(sf::Color colour, ElementId element);

/// Fills about half of the cells with sand, water and rock between 1 and 99 degrees, and with
/// `Fallback` records of every state and several densities: matter moves, but no
/// transformation rule can fire however the heat spreads.
void scatterQuiet(Simulation& world, std::mt19937& gen);

/// Fills the world with any record the program can make: every element, with the states and
/// densities that painting and transformations give it, temperatures on both sides of every
/// threshold and anywhere in range, countdowns from 0 to 5.
void scatterAnything(Simulation& world, std::mt19937& gen);

} // namespace worldtest
