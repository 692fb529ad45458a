#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

class Simulation;

/// The plain way to draw the grid: one 10 by 10 square, moved, recoloured and drawn once per
/// cell, column by column. What the grid benchmarks measure the renderer against.
void drawGridSquareBySquare(const Simulation& simulation, sf::RenderWindow& window,
                            bool temperatureView);
