#include "bench/SquareGridDrawing.hpp"

#include "render/GridRenderer.hpp"
#include "sim/Simulation.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

void drawGridSquareBySquare(const Simulation& simulation, sf::RenderWindow& window,
                            bool temperatureView) {
    const int pitch = simulation.cellSize + simulation.cellGap;
    const auto size = static_cast<float>(simulation.cellSize);
    sf::RectangleShape square({size, size});
    for (int x = 0; x < simulation.width; ++x) {
        for (int y = 0; y < simulation.height; ++y) {
            const Cell& cell =
                simulation.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            square.setFillColor(temperatureView ? temperatureColor(cell.temperature) : cell.color);
            square.setPosition({static_cast<float>(x * pitch), static_cast<float>(y * pitch)});
            window.draw(square);
        }
    }
}
