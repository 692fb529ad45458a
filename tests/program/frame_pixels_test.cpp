#include "app/Sandbox.hpp"
#include "bench/BusyWorld.hpp"
#include "bench/ReferenceFrame.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <iostream>

namespace {

// Runs where the program's font and icons are, on an X display.
TEST(FramePixels, SameAsDrawnShapeByShape) {
    Sandbox sandbox;
    ASSERT_TRUE(startSandbox(sandbox, std::cerr));
    sandbox.elementPanel.addColorButton("glass", sf::Color(207, 255, 245));
    Simulation bigCells(3, 2);
    bigCells.cellSize = 300;
    bigCells.cellGap = -100;
    for (int x = 0; x < 3; ++x)
        for (Cell& cell : bigCells.grid[x])
            cell.color = sf::Color(200, 40, static_cast<std::uint8_t>(x * 90), x ? 255 : 150);
    // World, selected element and view, pointer, brush, pause line. The last world's squares,
    // larger than the driver's points, go out as triangles, and translucent ones overlap.
    const std::tuple<Simulation, int, int, sf::Vector2i, int, const char*> scenes[] = {
        {makeBusyWorld(50, 50), 6, 1, {300, 300}, 9, "\n"},
        {makeBusyWorld(50, 50), 2, 0, {5, 545}, 50, "paused\n"},
        {makeBusyWorld(50, 50), -1, -1, {600, 20}, 5, "\n"},
        {bigCells, 0, 0, {200, 100}, 1, "\n"}};
    for (const auto& [world, element, view, mouse, brush, pauseLine] : scenes) {
        sandbox.simulation = world;
        sandbox.elementPanel.selectedIndex = element;
        sandbox.viewPanel.selectedIndex = view;
        sandbox.loop.brushSize = brush;
        sandbox.loop.pauseLine = pauseLine;
        const DisplayMode mode = displayModeFor(sandbox.viewPanel.selectedName());
        sandbox.loop.displayModeName = displayModeName(mode);
        // The window's pixels, read back before they are shown.
        const auto picture = [&, at = mouse](auto draw) {
            sandbox.window.clear(sf::Color::Black);
            draw(sandbox, mode, at);
            sf::Texture texture;
            EXPECT_TRUE(resizeTexture(texture, 650, 650));
            texture.update(sandbox.window);
            const sf::Image image = texture.copyToImage();
            sandbox.window.display();
            return std::vector<std::uint8_t>(image.getPixelsPtr(),
                                             image.getPixelsPtr() + 650 * 650 * 4);
        };
        EXPECT_TRUE(picture(drawFrame) == picture(drawReferenceFrame)) << element << ", " << view;
    }
}

} // namespace
