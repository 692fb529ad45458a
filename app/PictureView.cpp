#include "app/PictureView.hpp"

#include <SFML/Graphics/Rect.hpp>

#include <algorithm>
#include <cmath>

int pictureScale(const DesktopMetrics& desktop) {
    // Beyond this a window would outgrow any screen made so far, and its size any integer.
    constexpr double largest = 16.0;
    if (!(desktop.scale >= 1.0))
        return 1;
    int scale = static_cast<int>(std::floor(std::min(desktop.scale, largest) + 0.5));
    const sf::Vector2i area = desktop.workArea.size;
    const auto fits = [&desktop, area](int side) {
        return (area.x <= 0 || side + desktop.frame.x <= area.x) &&
               (area.y <= 0 || side + desktop.frame.y <= area.y);
    };
    while (scale > 1 && !fits(static_cast<int>(pictureSide) * scale))
        --scale;
    return scale;
}

std::optional<sf::Vector2i> windowPosition(const DesktopMetrics& desktop, sf::Vector2u windowSize) {
    const ScreenArea& area = desktop.workArea;
    if (area.size.x <= 0 || area.size.y <= 0)
        return std::nullopt;
    // Too large a window keeps its title bar on the screen, to be moved by.
    const auto centred = [](int start, int room, int frame, unsigned side) {
        return start + std::max(0, (room - frame - static_cast<int>(side)) / 2);
    };
    return sf::Vector2i(centred(area.position.x, area.size.x, desktop.frame.x, windowSize.x),
                        centred(area.position.y, area.size.y, desktop.frame.y, windowSize.y));
}

sf::View pictureView(sf::Vector2u windowSize, int scale) {
    constexpr float side = static_cast<float>(pictureSide);
    sf::View view(sf::FloatRect({0.0f, 0.0f}, {side, side}));
    // A stretched picture would put squares and buttons where the pointer is not.
    const float shown = side * static_cast<float>(scale);
    if (windowSize.x > 0 && windowSize.y > 0)
        view.setViewport(sf::FloatRect({0.0f, 0.0f}, {shown / static_cast<float>(windowSize.x),
                                                      shown / static_cast<float>(windowSize.y)}));
    return view;
}

sf::Vector2i pictureFromWindow(sf::Vector2i pixel, int scale) {
    // Rounded down, so that the pixels left of and above the window map outside the picture too.
    const auto down = [scale](int value) {
        return value >= 0 ? value / scale : -((-(value + 1)) / scale) - 1;
    };
    return {down(pixel.x), down(pixel.y)};
}
