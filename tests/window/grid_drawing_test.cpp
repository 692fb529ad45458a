#include "app/SfmlCompat.hpp"
#include "render/GridRenderer.hpp"
#include "sim/Simulation.hpp"
#include "support/ReadPixels.hpp"
#include "support/SquareGridDrawing.hpp"

#include <gtest/gtest.h>

#include <random>

namespace {

const sf::Color black(0, 0, 0, 255);

// What the window must show: each cell a 10-pixel square at an 11-pixel pitch, the rest black.
sf::Color expectedPixel(const Simulation& world, bool temperatureView, unsigned x, unsigned y) {
    if (x >= 550 || y >= 550 || x % 11 == 10 || y % 11 == 10)
        return black;
    const Cell& cell = world.grid[x / 11][y / 11];
    return temperatureView ? temperatureColor(cell.temperature) : cell.color;
}

testing::AssertionResult showsWorld(const WindowPixels& pixels, const Simulation& world,
                                    bool temperatureView) {
    return matchesEverywhere(pixels, [&](unsigned x, unsigned y) {
        return expectedPixel(world, temperatureView, x, y);
    });
}

class GridDrawing : public testing::Test {
protected:
    void SetUp() override {
        openWindow(window, 650, 650, 32, "grid drawing");
        ASSERT_TRUE(window.isOpen());
    }

    WindowPixels render(const Simulation& world, bool temperatureView, bool squareBySquare) {
        window.clear(black);
        if (squareBySquare)
            drawGridSquareBySquare(world, window, temperatureView);
        else
            GridRenderer::draw(world, window, temperatureView);
        return readWindowPixels(window);
    }

    sf::RenderWindow window;
};

TEST_F(GridDrawing, FreshWorldIsAirSquaresOnBlack) {
    const Simulation world;
    const WindowPixels pixels = render(world, false, false);
    ASSERT_EQ(pixels.width, 650u);
    ASSERT_EQ(pixels.height, 650u);
    EXPECT_TRUE(showsWorld(pixels, world, false));
    // The last cell, spelled out.
    for (const unsigned p : {539u, 548u})
        EXPECT_EQ(pixels.at(p, p), sf::Color(25, 25, 25, pixels.at(p, p).a));
    for (const unsigned p : {538u, 549u})
        EXPECT_EQ(pixels.at(p, 545), sf::Color(0, 0, 0, pixels.at(p, 545).a));
}

TEST_F(GridDrawing, TemperatureViewShowsTheRampNotTheElement) {
    Simulation world;
    world.paint(5, 200, 200, "water", 1.0f);
    struct Spot {
        int x;
        int y;
        float temperature;
        sf::Color colour;
    };
    const Spot spots[] = {{0, 0, -273.0f, {0, 0, 0}},         {1, 0, -200.0f, {20, 0, 34}},
                          {2, 0, 0.0f, {75, 0, 130}},         {18, 18, 20.0f, {5, 0, 255}},
                          {10, 10, 500.0f, {127, 0, 255}},    {20, 5, 1000.5f, {255, 0, 0}},
                          {49, 49, 2500.0f, {255, 255, 127}}, {30, 30, 5000.0f, {255, 255, 255}}};
    for (const Spot& s : spots)
        world.grid[static_cast<std::size_t>(s.x)][static_cast<std::size_t>(s.y)].temperature =
            s.temperature;

    const WindowPixels pixels = render(world, true, false);
    EXPECT_TRUE(showsWorld(pixels, world, true));
    for (const Spot& s : spots)
        for (const auto& [dx, dy] : {std::pair{0, 0}, {9, 9}, {5, 2}}) {
            const sf::Color got = pixels.at(static_cast<unsigned>(s.x * 11 + dx),
                                            static_cast<unsigned>(s.y * 11 + dy));
            EXPECT_EQ(got, sf::Color(s.colour.r, s.colour.g, s.colour.b, got.a))
                << "cell " << s.x << ", " << s.y;
        }
    // The same world in the standard view: the cells' own colours again.
    EXPECT_TRUE(showsWorld(render(world, false, false), world, false));
}

Simulation randomWorld(unsigned seed) {
    Simulation world;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> element(0, 9);
    std::uniform_real_distribution<float> temperature(-273.0f, 5000.0f);
    std::uniform_int_distribution<int> pick(0, 9);
    const float edges[] = {-273.0f, 0.0f, 0.5f, 1000.0f, 2000.0f, 3000.0f, 5000.0f};
    for (auto& column : world.grid)
        for (Cell& cell : column) {
            const auto id = static_cast<ElementId>(element(rng));
            cell.element = id;
            cell.state = paintedState(id);
            cell.color = variedColor(id, rng);
            cell.temperature =
                pick(rng) == 0 ? edges[static_cast<std::size_t>(pick(rng)) % 7] : temperature(rng);
        }
    return world;
}

TEST_F(GridDrawing, MatchesSquareBySquareDrawingPixelForPixel) {
    for (const unsigned seed : {1u, 2u, 3u})
        for (const bool temperatureView : {false, true}) {
            const Simulation world = randomWorld(seed);
            const WindowPixels reference = render(world, temperatureView, true);
            const WindowPixels drawn = render(world, temperatureView, false);
            ASSERT_EQ(drawn.rgba.size(), reference.rgba.size());
            int differing = 0;
            for (std::size_t i = 0; i < drawn.rgba.size(); i += 4)
                if (!std::equal(drawn.rgba.begin() + static_cast<std::ptrdiff_t>(i),
                                drawn.rgba.begin() + static_cast<std::ptrdiff_t>(i + 4),
                                reference.rgba.begin() + static_cast<std::ptrdiff_t>(i)))
                    ++differing;
            EXPECT_EQ(differing, 0) << "seed " << seed << ", temperature view " << temperatureView;
            // Both must show the world, not merely agree with each other.
            EXPECT_TRUE(showsWorld(drawn, world, temperatureView));
        }
}

} // namespace
