#include "app/Sandbox.hpp"
#include "platform/SfmlCompat.hpp"
#include "render/GridRenderer.hpp"
#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"
#include "support/ReadPixels.hpp"
#include "support/SquareGridDrawing.hpp"
#include "ui/ButtonPanel.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

const sf::Color black = sf::Color::Black;

// Each cell a 10-pixel square at an 11-pixel pitch, everything else black.
testing::AssertionResult showsWorld(const WindowPixels& pixels, const Simulation& world,
                                    bool temperatureView) {
    return matchesEverywhere(pixels, [&](unsigned x, unsigned y) {
        if (x >= 550 || y >= 550 || x % 11 == 10 || y % 11 == 10)
            return black;
        const Cell& cell = world.grid[x / 11][y / 11];
        return temperatureView ? temperatureColor(cell.temperature) : cell.color;
    });
}

bool inside(unsigned x, unsigned y, int left, int top, int width, int height) {
    return static_cast<int>(x) >= left && static_cast<int>(x) < left + width &&
           static_cast<int>(y) >= top && static_cast<int>(y) < top + height;
}

// Left half red, top half green: a wrong scale or place moves the quarters.
sf::Color quarter(int x, int y, int width, int height) {
    return sf::Color(x < width / 2 ? 255 : 0, y < height / 2 ? 255 : 0, 77);
}

// A 32-bit uncompressed BMP, which every SFML version reads, bottom row first.
void writeBmp(const fs::path& path, int width, int height) {
    std::vector<std::uint8_t> bytes(54);
    const auto put = [&bytes](std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(54 + width * height * 4));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<std::uint32_t>(width));
    put(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 32;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const sf::Color c = quarter(x, y, width, height);
            bytes.insert(bytes.end(), {c.b, c.g, c.r, 255});
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
    void TearDown() override { fs::remove_all(folder); }

    WindowPixels drawn(const std::function<void()>& draw) {
        window.clear(black);
        draw();
        return readWindowPixels(window);
    }

    // Only the 32-pixel squares at `lefts` and `top` show the image, scaled to fill them.
    testing::AssertionResult showsImageAt(const WindowPixels& pixels, std::vector<int> lefts,
                                          int top) {
        return matchesEverywhere(pixels, [&](unsigned x, unsigned y) {
            for (const int left : lefts)
                if (inside(x, y, left, top, 32, 32))
                    return quarter(static_cast<int>(x) - left, static_cast<int>(y) - top, 32, 32);
            return black;
        });
    }

    fs::path folder;
    sf::RenderWindow window;
};

TEST_F(WindowTest, FreshGridIsAirSquaresOnBlack) {
    const WindowPixels pixels = drawn([&] { GridRenderer::draw(Simulation(), window, false); });
    ASSERT_EQ(pixels.width, 650u);
    EXPECT_TRUE(matchesEverywhere(pixels, [](unsigned x, unsigned y) {
        return x < 550 && y < 550 && x % 11 != 10 && y % 11 != 10 ? sf::Color(25, 25, 25) : black;
    }));
    // The last cell spans pixels 539 to 548.
    EXPECT_EQ(pixels.at(539, 548).r, 25);
    EXPECT_EQ(pixels.at(549, 545).r, 0);
}

TEST_F(WindowTest, GridMatchesSquareBySquareDrawingInBothViews) {
    struct Geometry {
        int width, height, cellSize, cellGap;
    };
    // The designed world, a narrow one, squares without gaps, wide gaps, overlapping squares.
    for (const Geometry g :
         {Geometry{50, 50, 10, 1}, Geometry{13, 40, 10, 1}, Geometry{30, 20, 7, 0},
          Geometry{20, 30, 4, 3}, Geometry{25, 25, 9, -3}}) {
        Simulation world(g.width, g.height);
        world.cellSize = g.cellSize;
        world.cellGap = g.cellGap;
        std::mt19937 rng(3);
        for (auto& column : world.grid)
            for (Cell& cell : column) {
                cell.element = static_cast<ElementId>(rng() % 10);
                cell.color = variedColor(cell.element, rng);
                // Translucent squares too, except in the designed world, read back below.
                if (g.width != 50 && rng() % 2 == 0)
                    cell.color.a = static_cast<std::uint8_t>(128 + rng() % 127);
                cell.temperature = std::uniform_real_distribution<float>(-273.0f, 5000.0f)(rng);
            }
        world.grid[0][0].temperature = 20.0f;
        for (const bool view : {false, true}) {
            const auto reference = drawn([&] { drawGridSquareBySquare(world, window, view); });
            const auto pixels = drawn([&] { GridRenderer::draw(world, window, view); });
            EXPECT_TRUE(pixels.rgba == reference.rgba)
                << g.width << "x" << g.height << " size " << g.cellSize << " gap " << g.cellGap
                << ", temperature view " << view;
            if (g.width == 50) {
                EXPECT_TRUE(showsWorld(pixels, world, view));
            }
            if (g.width == 50 && view) {
                EXPECT_EQ(pixels.at(5, 5), sf::Color(5, 0, 255, pixels.at(5, 5).a));
            }
        }
    }
}

TEST_F(WindowTest, ImageButtonsScaleTheirImageAndShareOneRead) {
    const fs::path image = folder / "wide.bmp";
    writeBmp(image, 64, 16);
    ButtonPanel right({}, {}, "right");
    right.addImageButton("wide", image.string());
    EXPECT_TRUE(showsImageAt(drawn([&] { right.draw(window); }), {610}, 309));

    ButtonPanel bottom({}, {}, "bottom");
    bottom.addImageButton("first", image.string());
    fs::remove(image);
    testing::internal::CaptureStderr();
    bottom.addImageButton("second", image.string());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(showsImageAt(drawn([&] { bottom.draw(window); }), {289, 329}, 610));
}

TEST_F(WindowTest, MissingImageIsReportedAndRetriedLater) {
    ButtonPanel panel({"sand"}, {sf::Color::Yellow}, "right");
    const fs::path image = folder / "late.bmp";
    testing::internal::CaptureStderr();
    panel.addImageButton("late", image.string());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Failed to load image: " + image.string() + "\n");
    EXPECT_EQ(panel.buttons.size(), 1u);

    writeBmp(image, 4, 4);
    testing::internal::CaptureStderr();
    panel.addImageButton("late", image.string());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(panel.buttons.size(), 2u);
    EXPECT_EQ(panel.buttons[1].name, "late");
}

TEST_F(WindowTest, ClicksSelectAndTheSelectionHasAWhiteFrame) {
    ButtonPanel panel({"sand", "rock", "water"},
                      {sf::Color::Yellow, sf::Color(128, 128, 128), sf::Color::Blue}, "right");
    // Buttons at x 610 to 641 and y 269, 309, 349; a miss keeps the selection.
    const std::pair<sf::Vector2i, const char*> clicks[] = {
        {{0, 0}, "none"},     {{641, 340}, "rock"}, {{642, 340}, "rock"},
        {{625, 345}, "rock"}, {{641, 300}, "sand"}, {{610, 309}, "rock"}};
    for (const auto& [at, selected] : clicks) {
        panel.handleClick(at, window);
        EXPECT_EQ(panel.selectedName(), selected) << at.x << ", " << at.y;
    }
    EXPECT_TRUE(matchesEverywhere(drawn([&] { panel.draw(window); }), [](unsigned x, unsigned y) {
        if (inside(x, y, 610, 269, 32, 32))
            return sf::Color::Yellow;
        if (inside(x, y, 610, 309, 32, 32))
            return sf::Color(128, 128, 128);
        if (inside(x, y, 610, 349, 32, 32))
            return sf::Color::Blue;
        return inside(x, y, 607, 306, 38, 38) ? sf::Color::White : black;
    }));

    // A seventh button re-centres the strip 20 pixels up.
    panel.addColorButton("glass", sf::Color::White);
    panel.handleClick({610, 369}, window);
    EXPECT_EQ(panel.selectedName(), "glass");
}

bool anyLit(const WindowPixels& pixels, unsigned left = 0, unsigned top = 0) {
    for (unsigned y = top; y < pixels.height; ++y)
        for (unsigned x = left; x < pixels.width; ++x)
            if (pixels.at(x, y).r != 0 || pixels.at(x, y).g != 0 || pixels.at(x, y).b != 0)
                return true;
    return false;
}

TEST_F(WindowTest, ReadoutIsTheCellsTextAt550By590) {
    Simulation world;
    world.grid[27][27].element = ElementId::Water;
    LoadedFont font;
    ASSERT_TRUE(loadFont(font, "ARIAL.TTF"));
    HoverInspector inspector;
    sf::Text reference = makeText(font.font, *hoverReadout(world, 300, 300), 15);
    reference.setPosition({550.0f, 590.0f});
    const WindowPixels pixels = drawn([&] { inspector.draw(world, window, 300, 300); });
    EXPECT_TRUE(anyLit(pixels));
    EXPECT_EQ(pixels.rgba, drawn([&] { window.draw(reference); }).rgba);
    for (const int x : {0, 550})
        EXPECT_FALSE(anyLit(drawn([&] { inspector.draw(world, window, x, 300); }))) << x;
}

TEST(SandboxFrame, BrushOutlineFollowsThePointer) {
    Sandbox sandbox;
    ASSERT_TRUE(startSandbox(sandbox, std::cerr));
    const auto frame = [&sandbox](sf::Vector2i pointer) {
        const HeldInput input{[] { return true; }, [](HeldKey) { return false; },
                              [pointer] { return pointer; }};
        EXPECT_TRUE(runFrame(sandbox, input));
        return readWindowPixels(sandbox.window);
    };
    // A red ring 2 pixels wide just outside the 32-pixel square of the brushed cells.
    const WindowPixels pixels = frame({0, 0});
    for (unsigned y = 0; y < 40; ++y)
        for (unsigned x = 0; x < 40; ++x)
            ASSERT_EQ(pixels.at(x, y) == sf::Color(255, 0, 0, pixels.at(x, y).a),
                      inside(x, y, -2, -2, 36, 36) && !inside(x, y, 0, 0, 32, 32))
                << x << ", " << y;
    EXPECT_FALSE(anyLit(pixels, 550, 590)) << "no read-out at pixel column 0";

    const WindowPixels off = frame({551, 0});
    for (unsigned y = 0; y < 560; ++y)
        for (unsigned x = 0; x < 560; ++x)
            ASSERT_NE(off.at(x, y), sf::Color(255, 0, 0, off.at(x, y).a)) << x << ", " << y;
    EXPECT_FALSE(anyLit(off, 550, 590));
}

} // namespace
