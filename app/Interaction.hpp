#pragma once

#include "platform/SfmlCompat.hpp"

#include <SFML/System/Vector2.hpp>

#include <functional>
#include <optional>
#include <string>

class ButtonPanel;
class Simulation;

/// How the grid is coloured.
enum class DisplayMode { Standard, Temperature };

/// The interaction state the frame loop carries from frame to frame.
struct LoopState {
    bool paused = false;
    /// 1 to 50; the painted square reaches brushSize / 2 cells to each side.
    int brushSize = 5;
    /// 15 to 135 frames a second.
    int framerateLimit = 15;
    std::string pauseLine = "\n";
    std::string displayModeName = "standard";
};

/// What a window event asks of the frame loop beyond changing `LoopState`.
struct EventOutcome {
    bool closeWindow = false;
    /// A mouse-button press, for both panels.
    std::optional<sf::Vector2i> click;
    /// Set when a typed digit changed the framerate limit.
    std::optional<int> newFramerateLimit;
    /// Set when the window was given another size.
    std::optional<sf::Vector2u> newWindowSize;
};

/// Applies one window event: close, new window size, panel click, wheel for the brush size, digit
/// for the framerate limit. Everything else is ignored.
EventOutcome applyEvent(LoopState& state, const InputEvent& event);

/// Brush size after one wheel event: one unit per event, kept within 1 to 50; the
/// horizontal wheel and a zero delta change nothing.
int brushSizeAfterWheel(int brushSize, bool verticalWheel, float delta);

/// Framerate limit for a typed character: 15 times the digit 1 to 9, nothing otherwise.
std::optional<int> framerateLimitFor(char32_t character);

/// Heat and cool strength of the left button: 5.0 with left Shift, else 0.5 with left
/// Control, else 1.0.
float paintStrength(bool leftShiftHeld, bool leftControlHeld);

/// Keys and buttons whose held state the frame reads.
enum class HeldKey { Escape, Space, F, LeftShift, LeftControl, LeftButton, RightButton };

/// Live input, read at the moment a rule needs it.
struct HeldInput {
    std::function<bool()> hasFocus;
    std::function<bool(HeldKey)> isHeld;
    /// Pointer position relative to the window.
    std::function<sf::Vector2i()> pointer;
};

/// Applies the held keys and buttons of one frame, in order: Escape ends the loop (returns
/// false); Space toggles the pause; F steps once while paused; the left button paints
/// `brushName` and the right button erases. Each pause toggle and single step is followed by
/// `wait`. Nothing happens while the window does not have the input focus.
bool applyHeldInput(LoopState& state, Simulation& simulation, const std::string& brushName,
                    const HeldInput& input, const std::function<void()>& wait);

/// `Temperature` exactly when the view panel's selection is "temperature".
DisplayMode displayModeFor(const std::string& viewSelection);

/// "standard" or "temperature".
std::string displayModeName(DisplayMode mode);

/// Adds the "glass" colour button to the element panel once the world has made glass.
/// Returns whether it added it.
bool unlockGlass(const Simulation& simulation, ButtonPanel& elementPanel);

/// A rectangle in window pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

/// The outline around the cells a brush at the pointer covers, clipped to the grid, from the
/// first cell's corner to the last cell's far corner. Nothing when the pointer is off the grid
/// or the brush covers no cell.
std::optional<PixelRect> brushOutline(const Simulation& simulation, int mouseX, int mouseY,
                                      int brushSize);
