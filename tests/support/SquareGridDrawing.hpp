#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

class Simulation;

/// The plain way to draw the grid: one 10 by 10 square, moved, recoloured and drawn once per
/// cell, column by column. The reference the grid renderer must match pixel for pixel.
void drawGridSquareBySquare(const Simulation& simulation, sf::RenderWindow& window,
                            bool temperatureView);
