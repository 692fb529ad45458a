#include "app/PictureView.hpp"

#include <SFML/Graphics/Rect.hpp>

sf::View pictureView(sf::Vector2u windowSize) {
    constexpr float side = static_cast<float>(pictureSide);
    sf::View view(sf::FloatRect({0.0f, 0.0f}, {side, side}));
    // A stretched picture would put squares and buttons where the pointer is not.
    if (windowSize.x > 0 && windowSize.y > 0)
        view.setViewport(sf::FloatRect({0.0f, 0.0f}, {side / static_cast<float>(windowSize.x),
                                                      side / static_cast<float>(windowSize.y)}));
    return view;
}
