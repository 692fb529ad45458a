#include "app/Sandbox.hpp"
#include "app/SfmlCompat.hpp"
#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"
#include "support/ReadPixels.hpp"
#include "support/StderrRedirect.hpp"
#include "ui/ButtonPanel.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

const sf::Color black(0, 0, 0, 255);

bool sameRgb(sf::Color a, sf::Color b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

bool inside(unsigned x, unsigned y, int left, int top, int width, int height) {
    const auto px = static_cast<int>(x);
    const auto py = static_cast<int>(y);
    return px >= left && px < left + width && py >= top && py < top + height;
}

// A 32-bit uncompressed BMP: SFML reads it on every version without us building an sf::Image.
void writeBmp(const fs::path& path, int width, int height,
              const std::function<sf::Color(int, int)>& pixel) {
    std::vector<std::uint8_t> bytes(54);
    const auto put32 = [&bytes](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    const auto dataSize = static_cast<std::uint32_t>(width * height * 4);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 32;
    put32(34, dataSize);
    for (int y = height - 1; y >= 0; --y) // bottom row first
        for (int x = 0; x < width; ++x) {
            const sf::Color c = pixel(x, y);
            bytes.insert(bytes.end(), {c.b, c.g, c.r, c.a});
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/grainwright-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        openWindow(window, 650, 650, 32, "panels and read-out");
        ASSERT_TRUE(window.isOpen());
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    WindowPixels drawn(const std::function<void()>& draw) {
        window.clear(black);
        draw();
        return readWindowPixels(window);
    }

    fs::path folder;
    sf::RenderWindow window;
};

using ButtonPanelDrawing = WindowTest;

// Left half red, top half green: a wrong scale or a misplaced sprite moves the quarters.
sf::Color quarterPattern(int x, int y) {
    return sf::Color(x < 32 ? 255 : 0, y < 8 ? 255 : 0, 77, 255);
}

TEST_F(ButtonPanelDrawing, ImageIsScaledToFillItsSquare) {
    const fs::path image = folder / "wide.bmp";
    writeBmp(image, 64, 16, quarterPattern);
    ButtonPanel panel({}, {}, "right");
    panel.addImageButton("wide", image.string());
    ASSERT_EQ(panel.buttons.size(), 1u);
    ASSERT_EQ(panel.buttonPosition(0, window.getSize()), sf::Vector2i(610, 309));

    const WindowPixels pixels = drawn([&] { panel.draw(window); });
    EXPECT_TRUE(matchesEverywhere(pixels, [](unsigned x, unsigned y) {
        if (!inside(x, y, 610, 309, 32, 32))
            return black;
        return sf::Color(x - 610 < 16 ? 255 : 0, y - 309 < 16 ? 255 : 0, 77);
    }));
}

TEST_F(ButtonPanelDrawing, SelectedButtonHasAThreePixelWhiteFrame) {
    ButtonPanel panel(
        {"sand", "rock", "water"},
        {sf::Color(255, 255, 0, 255), sf::Color(128, 128, 128, 255), sf::Color(0, 128, 255, 255)},
        "right");
    panel.handleClick({610, 309}, window); // the top-left pixel of "rock"
    ASSERT_EQ(panel.selectedName(), "rock");

    const WindowPixels pixels = drawn([&] { panel.draw(window); });
    EXPECT_TRUE(matchesEverywhere(pixels, [](unsigned x, unsigned y) {
        if (inside(x, y, 610, 269, 32, 32))
            return sf::Color(255, 255, 0);
        if (inside(x, y, 610, 309, 32, 32))
            return sf::Color(128, 128, 128);
        if (inside(x, y, 610, 349, 32, 32))
            return sf::Color(0, 128, 255);
        if (inside(x, y, 607, 306, 38, 38))
            return sf::Color(255, 255, 255);
        return black;
    }));
}

TEST_F(ButtonPanelDrawing, ClicksSelectOnHitsAndKeepTheSelectionOnMisses) {
    ButtonPanel panel({"sand", "rock", "water"},
                      {sf::Color::Yellow, sf::Color(128, 128, 128), sf::Color::Blue}, "right");
    ButtonPanel empty({}, {}, "bottom");
    empty.handleClick({300, 620}, window);
    EXPECT_EQ(empty.selectedName(), "none");

    // Buttons at x 610 to 641 and y 269, 309, 349.
    const std::pair<sf::Vector2i, const char*> clicks[] = {
        {{0, 0}, "none"},     {{641, 340}, "rock"}, {{642, 340}, "rock"}, {{625, 345}, "rock"},
        {{641, 300}, "sand"}, {{641, 300}, "sand"}, {{610, 349}, "water"}};
    for (const auto& [at, selected] : clicks) {
        panel.handleClick(at, window);
        EXPECT_EQ(panel.selectedName(), selected) << at.x << ", " << at.y;
    }

    // Appending re-centres the strip 20 pixels up; the selection stays with its button.
    panel.addColorButton("glass", sf::Color(207, 255, 245, 255));
    EXPECT_EQ(panel.selectedName(), "water");
    panel.handleClick({610, 369}, window);
    EXPECT_EQ(panel.selectedName(), "glass");
}

TEST_F(ButtonPanelDrawing, MissingImageIsReportedAndRetriedLater) {
    ButtonPanel panel({"sand"}, {sf::Color::Yellow}, "right");
    const fs::path image = folder / "late.bmp";

    StderrRedirect first;
    panel.addImageButton("late", image.string());
    EXPECT_EQ(first.finish(), "Failed to load image: " + image.string() + "\n");
    EXPECT_EQ(panel.buttons.size(), 1u);
    EXPECT_TRUE(panel.textures.empty());

    writeBmp(image, 4, 4, [](int, int) { return sf::Color::Red; });
    StderrRedirect second;
    panel.addImageButton("late", image.string());
    EXPECT_EQ(second.finish(), "");
    ASSERT_EQ(panel.buttons.size(), 2u);
    EXPECT_EQ(panel.buttons[0].name, "sand");
    EXPECT_EQ(panel.buttons[1].name, "late");
}

TEST_F(ButtonPanelDrawing, OneImageFileIsReadOnceForTwoButtons) {
    const fs::path image = folder / "shared.bmp";
    writeBmp(image, 64, 16, quarterPattern);
    ButtonPanel panel({}, {}, "bottom");
    panel.addImageButton("first", image.string());
    fs::remove(image);

    StderrRedirect captured;
    panel.addImageButton("second", image.string());
    EXPECT_EQ(captured.finish(), "");
    ASSERT_EQ(panel.buttons.size(), 2u);
    EXPECT_EQ(panel.textures.size(), 1u);

    // Both show the image: two buttons of a bottom strip at x 289 and 329, y 610.
    const WindowPixels pixels = drawn([&] { panel.draw(window); });
    EXPECT_TRUE(matchesEverywhere(pixels, [](unsigned x, unsigned y) {
        for (const int left : {289, 329})
            if (inside(x, y, left, 610, 32, 32))
                return sf::Color(static_cast<int>(x) - left < 16 ? 255 : 0, y - 610 < 16 ? 255 : 0,
                                 77);
        return black;
    }));
}

using HoverReadoutDrawing = WindowTest;

bool anyLitPixel(const WindowPixels& pixels) {
    for (unsigned y = 0; y < pixels.height; ++y)
        for (unsigned x = 0; x < pixels.width; ++x)
            if (!sameRgb(pixels.at(x, y), black))
                return true;
    return false;
}

// The working directory is where the read-out looks for its font.
struct WorkingDirectory {
    explicit WorkingDirectory(const fs::path& to) : previous(fs::current_path()) {
        fs::current_path(to);
    }
    ~WorkingDirectory() { fs::current_path(previous); }
    fs::path previous;
};

TEST_F(HoverReadoutDrawing, TextOfTheCellAtAFixedSpotBelowAndRightOfTheGrid) {
    Simulation world;
    world.grid[27][27].element = ElementId::Water;
    world.grid[27][27].state = MatterState::Liquid;
    LoadedFont font;
    ASSERT_TRUE(loadFont(font, "ARIAL.TTF"));

    HoverInspector inspector;
    for (const auto& [x, y] : {std::pair{300, 300}, {1, 1}, {549, 549}}) {
        const WindowPixels pixels = drawn([&] { inspector.draw(world, window, x, y); });
        EXPECT_TRUE(anyLitPixel(pixels));
        EXPECT_TRUE(matchesEverywhere(pixels,
                                      [&pixels](unsigned px, unsigned py) {
                                          return px >= 550 && py >= 590 ? pixels.at(px, py) : black;
                                      }))
            << x << ", " << y;

        sf::Text reference = makeText(font.font, *hoverReadout(world, x, y), 15);
        reference.setPosition({550.0f, 590.0f});
        const WindowPixels expected = drawn([&] { window.draw(reference); });
        EXPECT_EQ(pixels.rgba, expected.rgba) << x << ", " << y;
    }
    // Different cells read differently.
    EXPECT_NE(drawn([&] { inspector.draw(world, window, 300, 300); }).rgba,
              drawn([&] { inspector.draw(world, window, 290, 300); }).rgba);

    for (const auto& [x, y] : {std::pair{0, 100}, {100, 0}, {-5, 40}, {550, 300}, {300, 550}})
        EXPECT_FALSE(anyLitPixel(drawn([&] { inspector.draw(world, window, x, y); })))
            << x << ", " << y;
}

TEST_F(HoverReadoutDrawing, MissingFontSkipsTheReadoutUntilItIsThere) {
    const Simulation world;
    HoverInspector inspector;
    {
        const WorkingDirectory elsewhere(folder);
        EXPECT_FALSE(anyLitPixel(drawn([&] { inspector.draw(world, window, 300, 300); })));
    }
    EXPECT_TRUE(anyLitPixel(drawn([&] { inspector.draw(world, window, 300, 300); })));
    // Once read, the font no longer depends on the file.
    const WorkingDirectory elsewhere(folder);
    EXPECT_TRUE(anyLitPixel(drawn([&] { inspector.draw(world, window, 300, 300); })));
}

// A whole frame of the sandbox, driven by fake held input.
class SandboxFrame : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(startSandbox(sandbox, std::cerr)); }

    WindowPixels frameWithPointerAt(sf::Vector2i pointer) {
        HeldInput input;
        input.hasFocus = [] { return true; };
        input.isHeld = [](HeldKey) { return false; };
        input.pointer = [pointer] { return pointer; };
        EXPECT_TRUE(runFrame(sandbox, input));
        WindowPixels pixels = readWindowPixels(sandbox.window);
        // The first button of each panel ("sand", "standard") is yellow in every frame.
        EXPECT_TRUE(sameRgb(pixels.at(620, 220), sf::Color::Yellow) &&
                    sameRgb(pixels.at(300, 620), sf::Color::Yellow))
            << "the shown frame could not be read back";
        return pixels;
    }

    Sandbox sandbox;
};

// The red 2-pixel outline lies just outside the rectangle around the brushed cells.
testing::AssertionResult hasOutline(const WindowPixels& pixels, int left, int top, int width,
                                    int height) {
    const sf::Color red(255, 0, 0);
    for (int y = top - 4; y < top + height + 4; ++y)
        for (int x = left - 4; x < left + width + 4; ++x) {
            if (x < 0 || y < 0 || x >= 650 || y >= 650)
                continue;
            const auto ux = static_cast<unsigned>(x);
            const auto uy = static_cast<unsigned>(y);
            const bool ring = inside(ux, uy, left - 2, top - 2, width + 4, height + 4) &&
                              !inside(ux, uy, left, top, width, height);
            if (sameRgb(pixels.at(ux, uy), red) != ring)
                return testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") " << (ring ? "not red" : "red");
        }
    return testing::AssertionSuccess();
}

bool litBelowRightOfGrid(const WindowPixels& pixels) {
    for (unsigned y = 590; y < 650; ++y)
        for (unsigned x = 550; x < 650; ++x)
            if (!sameRgb(pixels.at(x, y), black))
                return true;
    return false;
}

TEST_F(SandboxFrame, BrushOutlineAndReadoutFollowThePointer) {
    WindowPixels pixels = frameWithPointerAt({0, 0});
    EXPECT_TRUE(hasOutline(pixels, 0, 0, 32, 32));
    EXPECT_FALSE(litBelowRightOfGrid(pixels));

    pixels = frameWithPointerAt({550, 550});
    EXPECT_TRUE(hasOutline(pixels, 528, 528, 21, 21));
    EXPECT_FALSE(litBelowRightOfGrid(pixels));

    sandbox.loop.brushSize = 1;
    pixels = frameWithPointerAt({300, 300});
    EXPECT_TRUE(hasOutline(pixels, 297, 297, 10, 10));
    EXPECT_TRUE(litBelowRightOfGrid(pixels));

    // Off the grid: neither outline nor read-out.
    pixels = frameWithPointerAt({551, 0});
    for (unsigned y = 0; y < 560; ++y)
        for (unsigned x = 0; x < 560; ++x)
            ASSERT_FALSE(sameRgb(pixels.at(x, y), sf::Color(255, 0, 0))) << x << ", " << y;
    EXPECT_FALSE(litBelowRightOfGrid(pixels));
}

} // namespace
