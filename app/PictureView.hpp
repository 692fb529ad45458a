#pragma once

#include "platform/Display.hpp"

#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

#include <optional>

/// The side of the window's picture in picture pixels, and of the window on an unscaled desktop.
inline constexpr unsigned pictureSide = 650;

/// Device pixels per picture pixel: the desktop's scale rounded to the nearest whole number
/// (halves up), lowered while a window of `pictureSide` times that, with its frame, does not fit
/// the work area; never below 1. On a scaled desktop a picture pixel is a desktop pixel.
int pictureScale(const DesktopMetrics& desktop);

/// Where the top-left corner of a window of `windowSize`, frame included, goes so that the window
/// lies centred in the desktop's work area; nothing where the work area is unknown.
std::optional<sf::Vector2i> windowPosition(const DesktopMetrics& desktop, sf::Vector2u windowSize);

/// The view that keeps the picture at `scale` window pixels per picture pixel from the window's
/// top-left corner, whatever size a window manager gives the window: the rest stays black. A
/// window of no area gets the picture's own view.
sf::View pictureView(sf::Vector2u windowSize, int scale);

/// The picture pixel under window pixel `pixel`, for a window showing `pictureView(..., scale)`.
sf::Vector2i pictureFromWindow(sf::Vector2i pixel, int scale);
