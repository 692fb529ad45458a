#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

/// Device pixels per unit of the target's current view, across, as a whole number of at least 1:
/// 1 on an unscaled desktop, 2 where the picture is shown twice as large.
int devicePixelScale(const sf::RenderTarget& target);

/// A text `characterSize` view units tall whose glyphs are drawn at the device's resolution for
/// `scale` device pixels per unit, rather than small ones enlarged.
sf::Text sharpText(const sf::Font& font, const std::string& string, unsigned characterSize,
                   int scale);
