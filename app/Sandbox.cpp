#include "app/Sandbox.hpp"

#include "app/AppIcon.hpp"
#include "ui/Rectangles.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

constexpr const char* installedDataFolder = GRAINWRIGHT_DATA_DIR;

void drainEvents(Sandbox& sandbox) {
    while (const std::optional<InputEvent> event = pollInputEvent(sandbox.window)) {
        const EventOutcome outcome = applyEvent(sandbox.loop, *event);
        if (outcome.closeWindow)
            sandbox.window.close();
        if (outcome.click) {
            sandbox.elementPanel.handleClick(*outcome.click, sandbox.window);
            sandbox.viewPanel.handleClick(*outcome.click, sandbox.window);
        }
        if (outcome.newFramerateLimit)
            sandbox.window.setFramerateLimit(static_cast<unsigned>(*outcome.newFramerateLimit));
    }
}

void waitAfterToggle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

void drawBrushOutline(Sandbox& sandbox, sf::Vector2i mouse) {
    const auto outline = brushOutline(sandbox.simulation, mouse.x, mouse.y, sandbox.loop.brushSize);
    if (!outline)
        return;
    std::vector<sf::Vertex> frame;
    appendFrame(frame, {static_cast<float>(outline->left), static_cast<float>(outline->top)},
                {static_cast<float>(outline->width), static_cast<float>(outline->height)}, 2.0f,
                sf::Color(255, 0, 0, 255));
    sandbox.window.draw(frame.data(), frame.size(), sf::PrimitiveType::Triangles);
}

bool existsInAnyForm(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// The font and icons are read from the working directory; a program started anywhere else,
// from a menu for one, reads those it was installed with. Anything named "ARIAL.TTF" counts, so
// that a broken font is reported rather than passed over. Empty for the working directory.
std::string resourcePrefix() {
    const std::string installed = std::string(installedDataFolder) + "/";
    return !existsInAnyForm("ARIAL.TTF") && existsInAnyForm(installed + "ARIAL.TTF") ? installed
                                                                                     : "";
}

void reportUnusableFont(std::ostream& errors, const std::string& prefix) {
    std::error_code ignored;
    const std::string here = std::filesystem::current_path(ignored).string();
    if (existsInAnyForm(prefix + "ARIAL.TTF"))
        errors << "grainwright: the font \"ARIAL.TTF\" in "
               << (prefix.empty() ? here : installedDataFolder)
               << " cannot be read as a font; the sandbox needs it to start\n";
    else
        errors << "grainwright: the font \"ARIAL.TTF\" was found neither in " << here << " nor in "
               << installedDataFolder << "; the sandbox needs it in one of them to start\n";
}

} // namespace

bool startSandbox(Sandbox& sandbox, std::ostream& errors) {
    const std::string folder = resourcePrefix();
    openWindow(sandbox.window, 650, 650, 32, "Grainwright");
    setWindowIcon(sandbox.window, appIconPng, appIconPngSize);
    sandbox.window.setFramerateLimit(15);

    sandbox.elementPanel = ButtonPanel(
        {"sand", "rock", "water"},
        {sf::Color(255, 255, 0, 255), sf::Color(128, 128, 128, 255), sf::Color(0, 128, 255, 255)},
        "right");
    sandbox.elementPanel.addImageButton("heat", folder + "heat_element.png");
    sandbox.elementPanel.addImageButton("cool", folder + "cool_element.png");
    sandbox.elementPanel.addImageButton("air", folder + "none_element.png");

    sandbox.viewPanel = ButtonPanel({"standard"}, {sf::Color(255, 255, 0, 255)}, "bottom");
    sandbox.viewPanel.addImageButton("temperature", folder + "temp_display_element.png");

    sandbox.inspector.fontPath = folder + "ARIAL.TTF";
    if (!loadFont(sandbox.font, sandbox.inspector.fontPath)) {
        reportUnusableFont(errors, folder);
        return false;
    }
    sandbox.statusText = makeText(sandbox.font.font, "", 15);
    sandbox.statusText->setPosition({15.0f, 556.0f});
    sandbox.meter.clock.restart();
    return true;
}

bool runFrame(Sandbox& sandbox, const HeldInput& input) {
    sandbox.meter.countFrame();
    drainEvents(sandbox);
    if (!applyHeldInput(sandbox.loop, sandbox.simulation, sandbox.elementPanel.selectedName(),
                        input, waitAfterToggle))
        return false;
    if (!sandbox.loop.paused)
        sandbox.simulation.step();
    const DisplayMode mode = displayModeFor(sandbox.viewPanel.selectedName());
    sandbox.loop.displayModeName = displayModeName(mode);
    unlockGlass(sandbox.simulation, sandbox.elementPanel);
    clearConsole();

    sandbox.window.clear(sf::Color(0, 0, 0, 255));
    drawFrame(sandbox, mode, input.pointer());
    sandbox.window.display();
    return sandbox.window.isOpen();
}

void drawFrame(Sandbox& sandbox, DisplayMode mode, sf::Vector2i mouse) {
    sandbox.statusText->setString(composeStatus(
        sandbox.loop.pauseLine, sandbox.elementPanel.selectedName(), sandbox.loop.displayModeName,
        sandbox.meter.measuredFps, sandbox.loop.framerateLimit, sandbox.simulation.particleCount));
    sandbox.grid.draw(sandbox.simulation, sandbox.window, mode == DisplayMode::Temperature);
    drawBrushOutline(sandbox, mouse);
    sandbox.inspector.draw(sandbox.simulation, sandbox.window, mouse.x, mouse.y);
    sandbox.elementPanel.draw(sandbox.window);
    sandbox.viewPanel.draw(sandbox.window);
    sandbox.window.draw(*sandbox.statusText);
}

HeldInput liveInput(const sf::RenderWindow& window) {
    HeldInput input;
    input.hasFocus = [&window] { return window.hasFocus(); };
    input.isHeld = [](HeldKey key) {
        switch (key) {
        case HeldKey::Escape:
            return sf::Keyboard::isKeyPressed(sf::Keyboard::Key::Escape);
        case HeldKey::Space:
            return sf::Keyboard::isKeyPressed(sf::Keyboard::Key::Space);
        case HeldKey::F:
            return sf::Keyboard::isKeyPressed(sf::Keyboard::Key::F);
        case HeldKey::LeftShift:
            return sf::Keyboard::isKeyPressed(sf::Keyboard::Key::LShift);
        case HeldKey::LeftControl:
            return sf::Keyboard::isKeyPressed(sf::Keyboard::Key::LControl);
        case HeldKey::LeftButton:
            return sf::Mouse::isButtonPressed(sf::Mouse::Button::Left);
        case HeldKey::RightButton:
            return sf::Mouse::isButtonPressed(sf::Mouse::Button::Right);
        }
        return false;
    };
    input.pointer = [&window] { return sf::Mouse::getPosition(window); };
    return input;
}
