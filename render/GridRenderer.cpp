#include "render/GridRenderer.hpp"

#include "sim/Simulation.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstdint>
#include <vector>

namespace {

// Truncates toward zero like a plain float-to-integer conversion, kept inside a channel's
// range so that no input can make the conversion undefined.
std::uint8_t channel(float value) {
    if (!(value > 0.0f))
        return 0;
    if (value >= 255.0f)
        return 255;
    return static_cast<std::uint8_t>(value);
}

} // namespace

sf::Color temperatureColor(float t) {
    if (t <= 0.0f) {
        const float u = (t + 273.0f) / 273.0f;
        return sf::Color(channel(u * 75.0f), 0, channel(u * 130.0f), 255);
    }
    if (t <= 1000.0f)
        return sf::Color(channel(t / 1000.0f * 255.0f), 0, 255, 255);
    if (t <= 2000.0f)
        return sf::Color(255, channel((t - 1000.0f) / 1000.0f * 255.0f), 0, 255);
    return sf::Color(255, 255, channel((t - 2000.0f) / 1000.0f * 255.0f), 255);
}

// All squares go out in one draw call: on software rendering, thousands of separate draws
// cost several times more than one batch, and axis-aligned squares at whole pixels cover
// exactly the same pixels either way.
void GridRenderer::draw(const Simulation& simulation, sf::RenderWindow& window,
                        bool temperatureView) {
    const int pitch = simulation.cellSize + simulation.cellGap;
    const auto size = static_cast<float>(simulation.cellSize);
    std::vector<sf::Vertex> vertices;
    vertices.reserve(static_cast<std::size_t>(simulation.width) *
                     static_cast<std::size_t>(simulation.height) * 6);
    for (int x = 0; x < simulation.width; ++x) {
        const auto& column = simulation.grid[static_cast<std::size_t>(x)];
        for (int y = 0; y < simulation.height; ++y) {
            const Cell& cell = column[static_cast<std::size_t>(y)];
            const sf::Color fill = temperatureView ? temperatureColor(cell.temperature) : cell.color;
            const float left = static_cast<float>(x * pitch);
            const float top = static_cast<float>(y * pitch);
            const sf::Vector2f topLeft(left, top);
            const sf::Vector2f topRight(left + size, top);
            const sf::Vector2f bottomLeft(left, top + size);
            const sf::Vector2f bottomRight(left + size, top + size);
            vertices.push_back(sf::Vertex{topLeft, fill});
            vertices.push_back(sf::Vertex{topRight, fill});
            vertices.push_back(sf::Vertex{bottomLeft, fill});
            vertices.push_back(sf::Vertex{bottomLeft, fill});
            vertices.push_back(sf::Vertex{topRight, fill});
            vertices.push_back(sf::Vertex{bottomRight, fill});
        }
    }
    if (!vertices.empty())
        window.draw(vertices.data(), vertices.size(), sf::PrimitiveType::Triangles);
}
