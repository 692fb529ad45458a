#include "ui/ButtonPanel.hpp"

#include "platform/Files.hpp"
#include "platform/SfmlCompat.hpp"
#include "ui/Rectangles.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <iostream>

ButtonPanel::ButtonPanel(std::vector<std::string> names, std::vector<sf::Color> colors,
                         std::string anchor) {
    if (names.size() != colors.size()) {
        std::cerr << "elements and colors provided do not match";
        return;
    }
    this->anchor = std::move(anchor);
    for (std::size_t i = 0; i < names.size(); ++i)
        buttons.push_back({std::move(names[i]), colors[i]});
}

void ButtonPanel::addImageButton(std::string name, std::string imagePath) {
    if (textures.find(imagePath) == textures.end()) {
        sf::Texture texture;
        bool loaded = false;
        if (isRegularFile(imagePath)) {
            QuietSfmlErrors quiet;
            loaded = texture.loadFromFile(imagePath);
        }
        if (!loaded) {
            std::cerr << "Failed to load image: " << imagePath << std::endl;
            return;
        }
        textures.emplace(imagePath, std::move(texture));
    }
    buttons.push_back({std::move(name), std::move(imagePath)});
}

void ButtonPanel::addColorButton(std::string name, sf::Color color) {
    buttons.push_back({std::move(name), color});
}

bool ButtonPanel::hasButton(const std::string& name) const {
    for (const PanelButton& button : buttons)
        if (button.name == name)
            return true;
    return false;
}

sf::Vector2i ButtonPanel::buttonPosition(std::size_t index, sf::Vector2u windowSize) const {
    // Signed arithmetic: a strip longer than the window stays centred instead of wrapping.
    const long long width = windowSize.x;
    const long long height = windowSize.y;
    const long long length = panelButtonStep * static_cast<long long>(buttons.size()) + panelInset;
    const long long along = panelInset + panelButtonStep * static_cast<long long>(index);
    const bool column = anchor == "left" || anchor == "right";

    // Any other anchor takes the origin of "right" and lays its buttons out in a row.
    long long originX = width - panelDepth;
    long long originY = (height - length) / 2;
    if (anchor == "left") {
        originX = 0;
    } else if (anchor == "top") {
        originX = (width - length) / 2;
        originY = 0;
    } else if (anchor == "bottom") {
        originX = (width - length) / 2;
        originY = height - panelDepth;
    }

    if (column)
        return {static_cast<int>(originX + panelInset), static_cast<int>(originY + along)};
    return {static_cast<int>(originX + along), static_cast<int>(originY + panelInset)};
}

std::optional<std::size_t> ButtonPanel::buttonAt(sf::Vector2i position,
                                                 sf::Vector2u windowSize) const {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const sf::Vector2i corner = buttonPosition(i, windowSize);
        if (corner.x <= position.x && position.x < corner.x + panelButtonSize &&
            corner.y <= position.y && position.y < corner.y + panelButtonSize)
            return i;
    }
    return std::nullopt;
}

namespace {

// The layout follows the view, which is the window's size unless the window was forced to
// another size than its picture's.
sf::Vector2u layoutSize(const sf::RenderWindow& window) {
    const sf::Vector2f size = window.getView().getSize();
    return {static_cast<unsigned>(size.x), static_cast<unsigned>(size.y)};
}

} // namespace

void ButtonPanel::handleClick(sf::Vector2i position, const sf::RenderWindow& window) {
    if (const auto hit = buttonAt(position, layoutSize(window)))
        selectedIndex = static_cast<int>(*hit);
}

// The colour faces and the selection frame go out in one call, after the images: buttons and
// frames never overlap, so the order does not show, and on software rendering every call costs.
void ButtonPanel::draw(sf::RenderWindow& window) const {
    const sf::Vector2u layout = layoutSize(window);
    const sf::Vector2f square(panelButtonSize, panelButtonSize);
    std::vector<sf::Vertex> flat;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const sf::Vector2i corner = buttonPosition(i, layout);
        const sf::Vector2f position(static_cast<float>(corner.x), static_cast<float>(corner.y));
        const PanelButton& button = buttons[i];
        if (const auto* path = std::get_if<std::string>(&button.face)) {
            const auto texture = textures.find(*path);
            if (texture != textures.end()) {
                const sf::Vector2u size = texture->second.getSize();
                sf::Sprite sprite(texture->second);
                sprite.setPosition(position);
                sprite.setScale({panelButtonSize / static_cast<float>(size.x),
                                 panelButtonSize / static_cast<float>(size.y)});
                window.draw(sprite);
            }
        } else {
            appendRectangle(flat, position, square, std::get<sf::Color>(button.face));
        }
        if (static_cast<int>(i) == selectedIndex)
            appendFrame(flat, position, square, 3.0f, sf::Color(255, 255, 255, 255));
    }
    if (!flat.empty())
        window.draw(flat.data(), flat.size(), sf::PrimitiveType::Triangles);
}

std::string ButtonPanel::selectedName() const {
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(buttons.size()))
        return "none";
    return buttons[static_cast<std::size_t>(selectedIndex)].name;
}
