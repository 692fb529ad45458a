#include "app/Interaction.hpp"

#include "sim/Simulation.hpp"
#include "ui/ButtonPanel.hpp"

#include <algorithm>

EventOutcome applyEvent(LoopState& state, const InputEvent& event) {
    EventOutcome outcome;
    switch (event.kind) {
    case InputEvent::Kind::Closed:
        outcome.closeWindow = true;
        break;
    case InputEvent::Kind::Resized:
        outcome.newWindowSize = event.size;
        break;
    case InputEvent::Kind::MouseButtonPressed:
        outcome.click = event.position;
        break;
    case InputEvent::Kind::MouseWheelScrolled:
        state.brushSize =
            brushSizeAfterWheel(state.brushSize, event.verticalWheel, event.wheelDelta);
        break;
    case InputEvent::Kind::TextEntered:
        if (const auto limit = framerateLimitFor(event.character);
            limit && *limit != state.framerateLimit) {
            state.framerateLimit = *limit;
            outcome.newFramerateLimit = limit;
        }
        break;
    case InputEvent::Kind::Other:
        break;
    }
    return outcome;
}

int brushSizeAfterWheel(int brushSize, bool verticalWheel, float delta) {
    if (!verticalWheel)
        return brushSize;
    if (delta > 0.0f)
        return std::min(brushSize + 1, 50);
    if (delta < 0.0f)
        return std::max(brushSize - 1, 1);
    return brushSize;
}

std::optional<int> framerateLimitFor(char32_t character) {
    if (character < U'1' || character > U'9')
        return std::nullopt;
    return static_cast<int>(character - U'0') * 15;
}

float paintStrength(bool leftShiftHeld, bool leftControlHeld) {
    if (leftShiftHeld)
        return 5.0f;
    if (leftControlHeld)
        return 0.5f;
    return 1.0f;
}

bool applyHeldInput(LoopState& state, Simulation& simulation, const std::string& brushName,
                    const HeldInput& input, const std::function<void()>& wait) {
    // Keys pressed for another program must not end, pause or paint this one.
    if (!input.hasFocus())
        return true;
    if (input.isHeld(HeldKey::Escape))
        return false;
    if (input.isHeld(HeldKey::Space)) {
        state.paused = !state.paused;
        state.pauseLine = state.paused ? "paused\n" : "\n";
        wait();
    }
    // Running, F does nothing: its state is not asked for, a round trip to the display saved.
    if (state.paused && input.isHeld(HeldKey::F)) {
        simulation.step();
        wait();
    }
    if (input.isHeld(HeldKey::LeftButton)) {
        const sf::Vector2i pointer = input.pointer();
        const float strength =
            paintStrength(input.isHeld(HeldKey::LeftShift), input.isHeld(HeldKey::LeftControl));
        simulation.paint(state.brushSize, pointer.x, pointer.y, brushName, strength);
    }
    if (input.isHeld(HeldKey::RightButton)) {
        const sf::Vector2i pointer = input.pointer();
        simulation.paint(state.brushSize, pointer.x, pointer.y, "air", 1.0f);
    }
    return true;
}

DisplayMode displayModeFor(const std::string& viewSelection) {
    return viewSelection == "temperature" ? DisplayMode::Temperature : DisplayMode::Standard;
}

std::string displayModeName(DisplayMode mode) {
    return mode == DisplayMode::Temperature ? "temperature" : "standard";
}

bool unlockGlass(const Simulation& simulation, ButtonPanel& elementPanel) {
    if (simulation.discoveredElements.count("glass") == 0 || elementPanel.hasButton("glass"))
        return false;
    elementPanel.addColorButton("glass", sf::Color(207, 255, 245, 255));
    return true;
}

std::optional<PixelRect> brushOutline(const Simulation& simulation, int mouseX, int mouseY,
                                      int brushSize) {
    const long long pitch = simulation.cellSize + simulation.cellGap;
    if (mouseX < 0 || mouseY < 0 || mouseX > simulation.width * pitch ||
        mouseY > simulation.height * pitch || pitch <= 0)
        return std::nullopt;
    const long long column = mouseX / pitch;
    const long long row = mouseY / pitch;
    const long long half = brushSize / 2;
    const long long left = std::max(column - half, 0LL);
    const long long top = std::max(row - half, 0LL);
    const long long right = std::min(column + half, simulation.width - 1LL);
    const long long bottom = std::min(row + half, simulation.height - 1LL);
    // A one-cell brush just past the last cell paints nothing, so there is nothing to enclose.
    if (right < left || bottom < top)
        return std::nullopt;
    return PixelRect{static_cast<int>(left * pitch), static_cast<int>(top * pitch),
                     static_cast<int>((right - left + 1) * pitch - simulation.cellGap),
                     static_cast<int>((bottom - top + 1) * pitch - simulation.cellGap)};
}
