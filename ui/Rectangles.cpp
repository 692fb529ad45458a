#include "ui/Rectangles.hpp"

void appendRectangle(std::vector<sf::Vertex>& triangles, sf::Vector2f corner, sf::Vector2f size,
                     sf::Color color) {
    const sf::Vector2f right(corner.x + size.x, corner.y);
    const sf::Vector2f bottom(corner.x, corner.y + size.y);
    const sf::Vector2f far = corner + size;
    for (const sf::Vector2f& point : {corner, right, bottom, bottom, right, far})
        triangles.push_back(sf::Vertex{point, color});
}

void appendFrame(std::vector<sf::Vertex>& triangles, sf::Vector2f corner, sf::Vector2f size,
                 float thickness, sf::Color color) {
    const float t = thickness;
    appendRectangle(triangles, {corner.x - t, corner.y - t}, {size.x + 2 * t, t}, color);
    appendRectangle(triangles, {corner.x - t, corner.y + size.y}, {size.x + 2 * t, t}, color);
    appendRectangle(triangles, {corner.x - t, corner.y}, {t, size.y}, color);
    appendRectangle(triangles, {corner.x + size.x, corner.y}, {t, size.y}, color);
}
