#include "app/Sandbox.hpp"

#include "app/AppIcon.hpp"
#include "app/PictureView.hpp"
#include "platform/Console.hpp"
#include "platform/Files.hpp"
#include "platform/Folders.hpp"
#include "render/DevicePixels.hpp"
#include "ui/Rectangles.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

void drainEvents(Sandbox& sandbox) {
    while (const std::optional<InputEvent> event = pollInputEvent(sandbox.window)) {
        const EventOutcome outcome = applyEvent(sandbox.loop, *event);
        if (outcome.closeWindow)
            sandbox.window.close();
        if (outcome.click) {
            const sf::Vector2i click = pictureFromWindow(*outcome.click, sandbox.scale);
            sandbox.elementPanel.handleClick(click, sandbox.window);
            sandbox.viewPanel.handleClick(click, sandbox.window);
        }
        if (outcome.newWindowSize)
            sandbox.window.setView(pictureView(*outcome.newWindowSize, sandbox.scale));
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

// The font and icons are read from the working directory, named "" here; a program started
// anywhere else, from a menu or a file manager, reads those beside it or those it was installed
// with.
std::vector<std::filesystem::path> resourceFolders() {
    std::vector<std::filesystem::path> folders{""};
    std::error_code ignored;
    const std::filesystem::path here = std::filesystem::current_path(ignored);
    for (const std::filesystem::path& folder : dataFolders())
        if (!std::filesystem::equivalent(folder, here, ignored))
            folders.push_back(folder);
    return folders;
}

// Anything named "ARIAL.TTF" counts, so that a broken font is reported rather than passed over.
std::filesystem::path resourceFolder(const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders)
        if (existsInAnyForm(folder / "ARIAL.TTF"))
            return folder;
    return "";
}

std::string shown(const std::filesystem::path& folder) {
    std::error_code ignored;
    return (folder.empty() ? std::filesystem::current_path(ignored) : folder).string();
}

void reportUnusableFont(std::ostream& errors, const std::vector<std::filesystem::path>& folders,
                        const std::filesystem::path& folder) {
    if (existsInAnyForm(folder / "ARIAL.TTF")) {
        errors << "grainwright: the font \"ARIAL.TTF\" in " << shown(folder)
               << " cannot be read as a font; the sandbox needs it to start\n";
        return;
    }
    errors << "grainwright: the font \"ARIAL.TTF\" was not found in " << shown(folders.front());
    for (std::size_t i = 1; i < folders.size(); ++i)
        errors << ", nor in " << shown(folders[i]);
    errors << "; the sandbox cannot start without it\n";
}

// Larger copies of the icons' pictures, "heat_element@2x.png" up to "@4x", keep them sharp on a
// scaled desktop; without one the 32-pixel picture is enlarged.
constexpr int largestIconCopy = 4;

void addIcon(ButtonPanel& panel, const std::string& name, const std::filesystem::path& folder,
             const std::string& stem, int scale) {
    const std::size_t before = panel.buttons.size();
    if (scale > 1) {
        const std::string copy =
            (folder / (stem + "@" + std::to_string(std::min(scale, largestIconCopy)) + "x.png"))
                .string();
        if (isRegularFile(copy))
            panel.addImageButton(name, copy);
    }
    if (panel.buttons.size() == before)
        panel.addImageButton(name, (folder / (stem + ".png")).string());
}

} // namespace

bool startSandbox(Sandbox& sandbox, std::ostream& errors, const DesktopMetrics& desktop) {
    const std::vector<std::filesystem::path> folders = resourceFolders();
    const std::filesystem::path folder = resourceFolder(folders);
    const int scale = pictureScale(desktop);
    sandbox.scale = scale;
    const unsigned side = pictureSide * static_cast<unsigned>(scale);
    openWindow(sandbox.window, side, side, 32, "Grainwright");
    if (!sandbox.window.isOpen()) {
        errors << "grainwright: no window could be opened; the sandbox needs one to start\n";
        return false;
    }
    // Libraries centre a new window over the whole screen, some by its width alone.
    if (const std::optional<sf::Vector2i> position = windowPosition(desktop, {side, side}))
        sandbox.window.setPosition(*position);
    sandbox.window.setView(pictureView(sandbox.window.getSize(), scale));
    setWindowIcon(sandbox.window, appIconPng, appIconPngSize);
    sandbox.window.setFramerateLimit(15);

    sandbox.elementPanel = ButtonPanel(
        {"sand", "rock", "water"},
        {sf::Color(255, 255, 0, 255), sf::Color(128, 128, 128, 255), sf::Color(0, 128, 255, 255)},
        "right");
    addIcon(sandbox.elementPanel, "heat", folder, "heat_element", scale);
    addIcon(sandbox.elementPanel, "cool", folder, "cool_element", scale);
    addIcon(sandbox.elementPanel, "air", folder, "none_element", scale);

    sandbox.viewPanel = ButtonPanel({"standard"}, {sf::Color(255, 255, 0, 255)}, "bottom");
    addIcon(sandbox.viewPanel, "temperature", folder, "temp_display_element", scale);

    sandbox.inspector.fontPath = (folder / "ARIAL.TTF").string();
    if (!loadFont(sandbox.font, sandbox.inspector.fontPath)) {
        reportUnusableFont(errors, folders, folder);
        return false;
    }
    sandbox.statusText = sharpText(sandbox.font.font, "", 15, scale);
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

HeldInput liveInput(const sf::RenderWindow& window, int scale) {
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
    input.pointer = [&window, scale] {
        return pictureFromWindow(sf::Mouse::getPosition(window), scale);
    };
    return input;
}
