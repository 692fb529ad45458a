#include "bench/ReferenceFrame.hpp"

#include "bench/SquareGridDrawing.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace {

void drawRectangle(sf::RenderWindow& window, sf::Vector2i corner, sf::Vector2f size, sf::Color fill,
                   sf::Color outline = sf::Color::Transparent, float thickness = 0.0f) {
    sf::RectangleShape shape(size);
    shape.setPosition({static_cast<float>(corner.x), static_cast<float>(corner.y)});
    shape.setFillColor(fill);
    shape.setOutlineColor(outline);
    shape.setOutlineThickness(thickness);
    window.draw(shape);
}

void drawText(sf::RenderWindow& window, const sf::Font& font, const std::string& string,
              sf::Vector2f position) {
    sf::Text text = makeText(font, string, 15);
    text.setPosition(position);
    window.draw(text);
}

void drawPanel(sf::RenderWindow& window, const ButtonPanel& panel) {
    const sf::Vector2f square(panelButtonSize, panelButtonSize);
    for (std::size_t i = 0; i < panel.buttons.size(); ++i) {
        const sf::Vector2i corner = panel.buttonPosition(i, window.getSize());
        const PanelButton& button = panel.buttons[i];
        if (const auto* path = std::get_if<std::string>(&button.face)) {
            const sf::Texture& texture = panel.textures.at(*path);
            sf::Sprite sprite(texture);
            sprite.setPosition({static_cast<float>(corner.x), static_cast<float>(corner.y)});
            sprite.setScale({square.x / static_cast<float>(texture.getSize().x),
                             square.y / static_cast<float>(texture.getSize().y)});
            window.draw(sprite);
        } else {
            drawRectangle(window, corner, square, std::get<sf::Color>(button.face));
        }
        if (static_cast<int>(i) == panel.selectedIndex)
            drawRectangle(window, corner, square, sf::Color(0, 0, 0, 0), sf::Color::White, 3.0f);
    }
}

} // namespace

void drawReferenceFrame(Sandbox& sandbox, DisplayMode mode, sf::Vector2i mouse) {
    sf::RenderWindow& window = sandbox.window;
    const Simulation& world = sandbox.simulation;
    drawGridSquareBySquare(world, window, mode == DisplayMode::Temperature);
    if (const auto outline = brushOutline(world, mouse.x, mouse.y, sandbox.loop.brushSize))
        drawRectangle(window, {outline->left, outline->top},
                      {static_cast<float>(outline->width), static_cast<float>(outline->height)},
                      sf::Color(0, 0, 0, 0), sf::Color(255, 0, 0, 255), 2.0f);
    if (const auto readout = hoverReadout(world, mouse.x, mouse.y))
        drawText(window, sandbox.font.font, *readout, {550.0f, 590.0f});
    drawPanel(window, sandbox.elementPanel);
    drawPanel(window, sandbox.viewPanel);
    drawText(window, sandbox.font.font,
             composeStatus(sandbox.loop.pauseLine, sandbox.elementPanel.selectedName(),
                           sandbox.loop.displayModeName, sandbox.meter.measuredFps,
                           sandbox.loop.framerateLimit, world.particleCount),
             {15.0f, 556.0f});
}
