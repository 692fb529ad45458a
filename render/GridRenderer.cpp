#include "render/GridRenderer.hpp"

#include "platform/SquarePoints.hpp"
#include "render/DevicePixels.hpp"
#include "sim/Simulation.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>

#include <cstdint>

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

// Each centre becomes the two triangles of its square, in place.
void centresToTriangles(std::vector<sf::Vertex>& vertices, float half) {
    const std::size_t squares = vertices.size();
    vertices.resize(squares * 6);
    for (std::size_t i = squares; i-- > 0;) {
        const sf::Vertex centre = vertices[i];
        const sf::Vector2f topLeft = centre.position - sf::Vector2f(half, half);
        const sf::Vector2f bottomRight = centre.position + sf::Vector2f(half, half);
        const sf::Vector2f topRight(bottomRight.x, topLeft.y);
        const sf::Vector2f bottomLeft(topLeft.x, bottomRight.y);
        std::size_t corner = i * 6;
        for (const sf::Vector2f& point :
             {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight})
            vertices[corner++] = sf::Vertex{point, centre.color};
    }
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

// Every square goes out in one call, as a point the size of a cell where the graphics driver
// makes points that large, else as two triangles. On software rendering a texture of the grid
// costs four times as much and a shape per square a dozen times. Opaque squares go out without
// blending, which gives the same pixels for a third less.
void GridRenderer::draw(const Simulation& simulation, sf::RenderWindow& window,
                        bool temperatureView) {
    if (simulation.cellSize <= 0)
        return;
    const int pitch = simulation.cellSize + simulation.cellGap;
    const float half = static_cast<float>(simulation.cellSize) / 2.0f;
    vertices.clear();
    bool opaque = true;
    for (int x = 0; x < simulation.width; ++x) {
        const auto& column = simulation.grid[static_cast<std::size_t>(x)];
        for (int y = 0; y < simulation.height; ++y) {
            const Cell& cell = column[static_cast<std::size_t>(y)];
            const sf::Color fill =
                temperatureView ? temperatureColor(cell.temperature) : cell.color;
            opaque = opaque && fill.a == 255;
            vertices.push_back(sf::Vertex{
                {static_cast<float>(x * pitch) + half, static_cast<float>(y * pitch) + half},
                fill});
        }
    }
    if (vertices.empty())
        return;
    const sf::RenderStates states(opaque ? sf::BlendNone : sf::BlendAlpha);
    // A point's size is in device pixels, whatever the view.
    const int side = simulation.cellSize * devicePixelScale(window);
    if (drawSquarePoints(window, vertices, static_cast<float>(side), states))
        return;
    centresToTriangles(vertices, half);
    window.draw(vertices.data(), vertices.size(), sf::PrimitiveType::Triangles, states);
}
