#pragma once

#include "platform/SfmlCompat.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <optional>
#include <string>

class Simulation;

/// Three lines describing the cell under the window pixel (mouseX, mouseY): element name,
/// "Temp: " with two decimals, "State: " and the state name. Nothing when the pointer is not
/// over the grid; pixel row 0 and column 0 count as outside.
std::optional<std::string> hoverReadout(const Simulation& simulation, int mouseX, int mouseY);

/// Shows the read-out of the cell under the pointer at a fixed spot right of and below the
/// grid, at (550, 590), in the font "ARIAL.TTF" at size 15.
class HoverInspector {
public:
    /// Draws the read-out, or nothing when the pointer is off the grid. The font is read from
    /// `fontPath` the first time it is needed and kept; while it cannot be read the read-out is
    /// skipped and reading is tried again next time.
    void draw(const Simulation& simulation, sf::RenderWindow& window, int mouseX, int mouseY);

    std::string fontPath = "ARIAL.TTF";

private:
    LoadedFont font;
};
