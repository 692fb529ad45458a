#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <vector>

class Simulation;

/// Draws the world's cells as 10-pixel squares at an 11-pixel pitch from the window's
/// top-left corner, in pixels of the window's view, which a scaled desktop magnifies; the gaps
/// between them are left as they are.
class GridRenderer {
public:
    /// Draws every cell in its own colour, or in `temperatureColor` of its temperature when
    /// `temperatureView` is true.
    void draw(const Simulation& simulation, sf::RenderWindow& window, bool temperatureView);

private:
    /// Kept from frame to frame so that drawing allocates nothing.
    std::vector<sf::Vertex> vertices;
};

/// Colour ramp of the temperature view: black at -273, violet at 0, then blue to magenta up
/// to 1000, red to yellow up to 2000, yellow to white up to 3000, white above.
sf::Color temperatureColor(float temperature);
