#include "render/HoverInspector.hpp"

#include "elements/Elements.hpp"
#include "render/DevicePixels.hpp"
#include "sim/Simulation.hpp"

std::optional<std::string> hoverReadout(const Simulation& simulation, int mouseX, int mouseY) {
    const long long pitch = simulation.cellSize + simulation.cellGap;
    if (mouseX < 1 || mouseY < 1 || mouseX >= pitch * simulation.width ||
        mouseY >= pitch * simulation.height)
        return std::nullopt;
    const auto column = static_cast<std::size_t>(mouseX / pitch);
    const auto row = static_cast<std::size_t>(mouseY / pitch);
    const Cell& cell = simulation.grid[column][row];
    return elementName(cell.element) + "\nTemp: " + formatTemperature(cell.temperature) +
           "\nState: " + stateName(cell.state);
}

void HoverInspector::draw(const Simulation& simulation, sf::RenderWindow& window, int mouseX,
                          int mouseY) {
    const std::optional<std::string> readout = hoverReadout(simulation, mouseX, mouseY);
    if (!readout)
        return;
    if (!font.loaded && !loadFont(font, fontPath))
        return;
    sf::Text text = sharpText(font.font, *readout, 15, devicePixelScale(window));
    text.setPosition({550.0f, 590.0f});
    window.draw(text);
}
