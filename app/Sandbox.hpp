#pragma once

#include "app/Interaction.hpp"
#include "app/StatusOverlay.hpp"
#include "platform/Display.hpp"
#include "platform/SfmlCompat.hpp"
#include "render/GridRenderer.hpp"
#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"
#include "ui/ButtonPanel.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <optional>
#include <ostream>

/// Everything the running program owns, in start-up order.
struct Sandbox {
    sf::RenderWindow window;
    Simulation simulation;
    ButtonPanel elementPanel;
    ButtonPanel viewPanel;
    LoadedFont font;
    /// Empty until the font has loaded: a text needs its font.
    std::optional<sf::Text> statusText;
    LoopState loop;
    FrameRateMeter meter;
    GridRenderer grid;
    HoverInspector inspector;
    /// Window pixels per picture pixel, chosen once for the desktop.
    int scale = 1;
};

/// Opens the window, sized and placed for `desktop` (its picture magnified as `pictureScale`
/// says, centred in its work area), builds the panels and loads the font
/// "ARIAL.TTF" and the icons from the working directory or, when it has no "ARIAL.TTF", from the
/// first of `dataFolders()` that has. Returns false, after one line on `errors`, when the window
/// cannot be opened or the font cannot be loaded.
bool startSandbox(Sandbox& sandbox, std::ostream& errors, const DesktopMetrics& desktop = {});

/// Runs one frame: input, one step of the world, drawing. Returns false once the loop should
/// end (Escape held, or the window closed).
bool runFrame(Sandbox& sandbox, const HeldInput& input);

/// Draws one frame's picture over the cleared window, for the pointer at picture pixel `mouse`:
/// the grid in `mode`, the brush outline, the read-out, both panels and the status text.
void drawFrame(Sandbox& sandbox, DisplayMode mode, sf::Vector2i mouse);

/// The live keyboard, mouse and focus state of the sandbox's window, the pointer in picture
/// pixels of a picture magnified `scale` times.
HeldInput liveInput(const sf::RenderWindow& window, int scale);
