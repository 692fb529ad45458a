#include "render/GridRenderer.hpp"

#include "platform/SfmlCompat.hpp"
#include "sim/Simulation.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <algorithm>
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

sf::Color fillOf(const Cell& cell, bool temperatureView) {
    return temperatureView ? temperatureColor(cell.temperature) : cell.color;
}

// For worlds too large for one texture, and for overlapping squares: every square as two
// triangles, in one draw call.
void drawAsTriangles(const Simulation& simulation, sf::RenderWindow& window, bool temperatureView) {
    const int pitch = simulation.cellSize + simulation.cellGap;
    const auto size = static_cast<float>(simulation.cellSize);
    std::vector<sf::Vertex> vertices;
    for (int x = 0; x < simulation.width; ++x) {
        for (int y = 0; y < simulation.height; ++y) {
            const sf::Color fill =
                fillOf(simulation.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)],
                       temperatureView);
            const sf::Vector2f topLeft(static_cast<float>(x * pitch),
                                       static_cast<float>(y * pitch));
            const sf::Vector2f topRight = topLeft + sf::Vector2f(size, 0.0f);
            const sf::Vector2f bottomLeft = topLeft + sf::Vector2f(0.0f, size);
            const sf::Vector2f bottomRight = topLeft + sf::Vector2f(size, size);
            for (const sf::Vector2f& corner :
                 {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight})
                vertices.push_back(sf::Vertex{corner, fill});
        }
    }
    if (!vertices.empty())
        window.draw(vertices.data(), vertices.size(), sf::PrimitiveType::Triangles);
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

// The grid goes out as one texture holding one texel column per cell column, with the gap
// rows fully transparent, stretched over one rectangle per column. On software rendering
// thousands of small shapes cost several times more, and a texture of the whole picture
// costs its upload. Whatever lies under the gaps shows through exactly as between separately
// drawn squares.
void GridRenderer::draw(const Simulation& simulation, sf::RenderWindow& window,
                        bool temperatureView) {
    const int size = simulation.cellSize;
    const int pitch = size + simulation.cellGap;
    const int width = simulation.width * pitch - simulation.cellGap;
    const int height = simulation.height * pitch - simulation.cellGap;
    if (size <= 0 || width <= 0 || height <= 0)
        return;

    // Overlapping squares (a negative gap) blend where they overlap; one texel cannot.
    sf::Texture texture;
    const auto columns = static_cast<unsigned>(simulation.width);
    if (simulation.cellGap < 0 ||
        static_cast<unsigned>(std::max(width, height)) > sf::Texture::getMaximumSize() ||
        !resizeTexture(texture, columns, static_cast<unsigned>(height))) {
        drawAsTriangles(simulation, window, temperatureView);
        return;
    }

    const auto rowLength = static_cast<std::size_t>(columns);
    std::vector<sf::Color> texels(rowLength * static_cast<std::size_t>(height),
                                  sf::Color(0, 0, 0, 0));
    for (int x = 0; x < simulation.width; ++x) {
        const auto& column = simulation.grid[static_cast<std::size_t>(x)];
        for (int y = 0; y < simulation.height; ++y) {
            const sf::Color fill = fillOf(column[static_cast<std::size_t>(y)], temperatureView);
            for (int row = y * pitch; row < y * pitch + size; ++row)
                texels[static_cast<std::size_t>(row) * rowLength + static_cast<std::size_t>(x)] =
                    fill;
        }
    }
    static_assert(sizeof(sf::Color) == 4, "texture upload reads colours as RGBA bytes");
    texture.update(reinterpret_cast<const std::uint8_t*>(texels.data()));

    // Texel column x spans the square's width; rows map one to one.
    std::vector<sf::Vertex> vertices;
    vertices.reserve(rowLength * 6);
    const auto bottom = static_cast<float>(height);
    for (int x = 0; x < simulation.width; ++x) {
        const auto left = static_cast<float>(x * pitch);
        const auto right = left + static_cast<float>(size);
        const auto texel = static_cast<float>(x);
        const sf::Vertex topLeft{{left, 0.0f}, sf::Color::White, {texel, 0.0f}};
        const sf::Vertex topRight{{right, 0.0f}, sf::Color::White, {texel + 1.0f, 0.0f}};
        const sf::Vertex bottomLeft{{left, bottom}, sf::Color::White, {texel, bottom}};
        const sf::Vertex bottomRight{{right, bottom}, sf::Color::White, {texel + 1.0f, bottom}};
        for (const sf::Vertex& corner :
             {topLeft, topRight, bottomLeft, bottomLeft, topRight, bottomRight})
            vertices.push_back(corner);
    }
    sf::RenderStates states;
    states.texture = &texture;
    window.draw(vertices.data(), vertices.size(), sf::PrimitiveType::Triangles, states);
}
