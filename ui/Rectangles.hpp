#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <vector>

/// Appends the two triangles of a filled rectangle, for drawing many in one call.
void appendRectangle(std::vector<sf::Vertex>& triangles, sf::Vector2f corner, sf::Vector2f size,
                     sf::Color color);

/// Appends a frame `thickness` wide just outside a rectangle: the pixels an outlined shape
/// with a transparent fill covers, without drawing the fill.
void appendFrame(std::vector<sf::Vertex>& triangles, sf::Vector2f corner, sf::Vector2f size,
                 float thickness, sf::Color color);
