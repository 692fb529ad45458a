#pragma once

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

/// The side of the window's picture, and of the window as the sandbox asks for it, in pixels.
inline constexpr unsigned pictureSide = 650;

/// The view that keeps the picture at one window pixel per picture pixel from the window's
/// top-left corner, whatever size a window manager gives the window: the rest stays black and
/// a pointer's window pixels are the picture's pixels. A window of no area gets the picture's
/// own view.
sf::View pictureView(sf::Vector2u windowSize);
