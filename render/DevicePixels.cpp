#include "render/DevicePixels.hpp"

#include "platform/SfmlCompat.hpp"

#include <algorithm>
#include <cmath>

int devicePixelScale(const sf::RenderTarget& target) {
    const sf::View& view = target.getView();
    const float left = view.getCenter().x - view.getSize().x / 2.0f;
    const int span = target.mapCoordsToPixel({left + view.getSize().x, 0.0f}).x -
                     target.mapCoordsToPixel({left, 0.0f}).x;
    // The library truncates each end: a span may come out a pixel short.
    return std::max(1, static_cast<int>(std::lround(static_cast<float>(span) / view.getSize().x)));
}

sf::Text sharpText(const sf::Font& font, const std::string& string, unsigned characterSize,
                   int scale) {
    sf::Text text = makeText(font, string, characterSize * static_cast<unsigned>(scale));
    const float shrink = 1.0f / static_cast<float>(scale);
    text.setScale({shrink, shrink});
    return text;
}
