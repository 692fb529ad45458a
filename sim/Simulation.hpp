#pragma once

#include "elements/Elements.hpp"

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

/// One grid cell: a plain record, copied whole when it moves.
struct Cell {
    float temperature = 20.0f;
    float density = 0.0f;
    ElementId element = ElementId::Air;
    MatterState state = MatterState::Special;
    std::int32_t transformCooldown = 0;
    sf::Color color;
};

/// The world: a grid of cells addressed grid[x][y], x the column, y the row growing downward.
class Simulation {
public:
    /// The 50 by 50 world.
    Simulation();

    /// A world of any size, for tests and benchmarks. Sizes below 1 are taken as 1.
    Simulation(int width, int height);

    /// The cells of the 3 by 3 block around (x, y) that lie inside the grid, row above first,
    /// left to right; (x, y) itself is never listed.
    std::vector<std::pair<int, int>> neighbours(int x, int y) const;

    /// Advances the world by one tick: movement, transformations and heat exchange.
    void step();

    /// Applies a square brush centred on the cell under the window pixel (mouseX, mouseY).
    /// Element names paint into air, "air" erases, "heat" and "cool" change temperatures.
    void paint(int brushSize, int mouseX, int mouseY, std::string brushName, float strength);

    std::int32_t height = 50;
    std::int32_t width = 50;
    std::vector<std::vector<Cell>> grid;
    std::vector<std::vector<Cell>> nextGrid;
    std::vector<std::pair<int, int>> cellOrder;
    std::int32_t cellSize = 10;
    std::int32_t cellGap = 1;
    std::mt19937 rng;
    std::unordered_map<std::string, bool> discoveredElements;
    std::int32_t particleCount = 0;
};

/// Every step gives a transformed cell this many steps before it may transform again.
inline constexpr std::int32_t transformCooldownSteps = 5;
/// Heat exchange weight between two non-air positions.
inline constexpr float heatRate = 0.1f;
/// Heat exchange weight when either side is air.
inline constexpr float airHeatRate = 0.025f;
inline constexpr float minTemperature = -273.0f;
inline constexpr float maxTemperature = 5000.0f;
