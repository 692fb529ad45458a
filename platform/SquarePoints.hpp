#pragma once

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <vector>

/// Draws every vertex as a filled square `side` pixels wide centred on it, in the vertex's
/// colour, in one call. On software rendering a point costs a fraction of two triangles. False,
/// drawing nothing, when the graphics driver cannot make points that large.
bool drawSquarePoints(sf::RenderWindow& window, const std::vector<sf::Vertex>& centres, float side,
                      const sf::RenderStates& states);
