#include "app/Sandbox.hpp"
#include "bench/BusyWorld.hpp"
#include "bench/ReferenceFrame.hpp"
#include "bench/SquareGridDrawing.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

sf::Image capture(const sf::RenderWindow& window) {
    sf::Texture texture;
    EXPECT_TRUE(resizeTexture(texture, window.getSize().x, window.getSize().y));
    texture.update(window);
    return texture.copyToImage();
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
    return a.getSize() == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                      b.getPixelsPtr());
}

// Runs where the program's font and icons are, on an X display.
TEST(FramePixels, SameAsDrawnShapeByShape) {
    Sandbox sandbox;
    std::ostringstream errors;
    ASSERT_TRUE(startSandbox(sandbox, errors)) << errors.str();
    sandbox.simulation = makeBusyWorld(50, 50);
    sandbox.simulation.step();
    sandbox.simulation.discoveredElements["glass"] = true;
    unlockGlass(sandbox.simulation, sandbox.elementPanel);
    sandbox.meter.measuredFps = 133.7f;
    sandbox.loop.framerateLimit = 135;
    // Selected element and view, pointer, brush size, paused: the glass button selected in the
    // temperature view; an outline clipped by the grid's corner; nothing selected, pointer away.
    const std::tuple<int, int, sf::Vector2i, int, bool> scenes[] = {
        {6, 1, {300, 300}, 9, false}, {2, 0, {5, 545}, 50, true}, {-1, -1, {600, 20}, 5, false}};
    for (const auto& [element, view, mouse, brush, paused] : scenes) {
        sandbox.elementPanel.selectedIndex = element;
        sandbox.viewPanel.selectedIndex = view;
        sandbox.loop.brushSize = brush;
        sandbox.loop.pauseLine = paused ? "paused\n" : "\n";
        const DisplayMode mode = displayModeFor(sandbox.viewPanel.selectedName());
        sandbox.loop.displayModeName = displayModeName(mode);
        sandbox.window.clear(sf::Color::Black);
        drawFrame(sandbox, mode, mouse);
        const sf::Image drawn = capture(sandbox.window);
        sandbox.window.clear(sf::Color::Black);
        drawReferenceFrame(sandbox, mode, mouse);
        const sf::Image expected = capture(sandbox.window);
        sandbox.window.display();
        const bool same = samePixels(drawn, expected);
        EXPECT_TRUE(same) << "scene with element " << element << ", view " << view;
        if (!same) {
            (void)drawn.saveToFile("frame-drawn-" + std::to_string(element) + ".png");
            (void)expected.saveToFile("frame-expected-" + std::to_string(element) + ".png");
        }
    }
}

// Squares larger than the graphics driver's points go out as triangles; translucent ones blend
// with what lies under them, and the gaps keep it.
TEST(FramePixels, LargeAndTranslucentSquares) {
    sf::RenderWindow window;
    openWindow(window, 650, 650, 32, "Grainwright squares");
    Simulation world(3, 2);
    world.cellSize = 300;
    world.cellGap = -100;
    for (auto& column : world.grid)
        for (Cell& cell : column)
            cell.color = sf::Color(200, 40, static_cast<std::uint8_t>(column.size() * 60), 150);
    GridRenderer grid;
    for (bool translucent : {true, false}) {
        world.grid[1][1].color.a = translucent ? 150 : 255;
        window.clear(sf::Color(30, 90, 60));
        grid.draw(world, window, false);
        const sf::Image drawn = capture(window);
        window.clear(sf::Color(30, 90, 60));
        drawGridSquareBySquare(world, window, false);
        EXPECT_TRUE(samePixels(drawn, capture(window))) << translucent;
        window.display();
    }
}

} // namespace
