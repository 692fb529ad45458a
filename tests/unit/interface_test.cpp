#include "app/Interaction.hpp"
#include "app/PictureView.hpp"
#include "app/StatusOverlay.hpp"
#include "render/GridRenderer.hpp"
#include "render/HoverInspector.hpp"
#include "sim/Simulation.hpp"
#include "ui/ButtonPanel.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

namespace {

// Any delta moves the brush by one within 1 to 50, and the horizontal wheel not at all; a digit
// sets 15 frames a second per unit, once.
TEST(Input, WheelDigitsAndHeldKeys) {
    const std::tuple<int, float, int> wheels[] = {
        {5, 0.01f, 6}, {5, -30.0f, 4}, {50, 1.0f, 50}, {1, -1.0f, 1}, {5, 0.0f, 5}};
    for (const auto& [size, delta, expected] : wheels) {
        LoopState state;
        state.brushSize = size;
        applyEvent(state, {InputEvent::Kind::MouseWheelScrolled, {}, true, delta, 0, {}});
        applyEvent(state, {InputEvent::Kind::MouseWheelScrolled, {}, false, 1.0f, 0, {}});
        EXPECT_EQ(state.brushSize, expected) << size << " " << delta;
    }
    LoopState state;
    const auto type = [&state](char32_t c) {
        return applyEvent(state, {InputEvent::Kind::TextEntered, {}, false, 0, c, {}})
            .newFramerateLimit;
    };
    for (const char32_t other : {U'0', U'/', U':', U'a', char32_t{0x0661}, U'1'})
        EXPECT_EQ(type(other), std::nullopt) << int(other);
    EXPECT_EQ(type(U'4'), 60);
    EXPECT_EQ(type(U'9'), 135);
    EXPECT_EQ(state.framerateLimit, 135);

    // Held keys: a step shuffles with the world's engine, whose state tells if one was taken.
    using K = HeldKey;
    Simulation world, stepped;
    std::set<K> held;
    int waits = 0;
    const HeldInput input{[] { return true; }, [&](K key) { return held.count(key) > 0; },
                          [] { return sf::Vector2i(55, 65); }};
    // Whether the loop goes on, the pause line, the waits so far and whether the world stepped.
    const auto frame = [&](std::set<K> keys, const char* brush = "sand") {
        held = std::move(keys);
        const bool goesOn = applyHeldInput(state, world, brush, input, [&] { ++waits; });
        return std::tuple(goesOn, state.pauseLine, waits, world.rng == stepped.rng);
    };
    stepped = world;
    stepped.step();
    EXPECT_EQ(frame({K::F}), std::tuple(true, "\n", 0, false)) << "F steps only when paused";
    EXPECT_EQ(frame({K::Space, K::F}), std::tuple(true, "paused\n", 2, true));
    EXPECT_EQ(frame({K::Escape, K::Space, K::F}), std::tuple(false, "paused\n", 2, true));
    frame({K::LeftButton, K::LeftShift}, "heat");
    EXPECT_EQ(world.grid[5][5].temperature, 70.0f) << "Shift heats five times as much";
    EXPECT_EQ(paintStrength(false, true), 0.5f);
    frame({K::LeftButton, K::RightButton}, "rock");
    EXPECT_EQ(world.grid[5][5].element, ElementId::Air) << "the right button erases last";
}

// The square a brush paints, clipped to the grid, and the outline around it; a gap pixel belongs
// to the cell left of and above it. Brush, pointer, then the painted columns and rows.
TEST(Input, WhatTheBrushCoversAndItsOutline) {
    // clang-format off
    const std::array<int, 7> cases[] = {
        {5, 550, 550, 48, 48, 49, 49}, {1, 551, 0, 0, 0, -1, -1}, {1, 0, 551, 0, 0, -1, -1},
        {5, -1, 20, 0, 0, -1, -1}, {1, 550, 20, 0, 0, -1, -1}, {3, 550, 0, 49, 0, 49, 1},
        {1, 10, 10, 0, 0, 0, 0}, {0, 11, 549, 1, 49, 1, 49}, {-1, 275, 21, 25, 1, 25, 1},
        {2, 275, 275, 24, 24, 26, 26}, {4, 275, 275, 23, 23, 27, 27}, {INT_MAX, 0, 0, 0, 0, 49, 49},
        {50, 549, 538, 24, 23, 49, 49}, {-2, 275, 275, 0, 0, -1, -1}, {INT_MIN, 5, 5, 0, 0, -1, -1},
        {50, INT_MAX, 0, 0, 0, -1, -1}, {5, INT_MIN, INT_MAX, 0, 0, -1, -1}};
    // clang-format on
    for (const auto& [brush, mouseX, mouseY, left, top, right, bottom] : cases) {
        SCOPED_TRACE(testing::Message() << brush << " at " << mouseX << ", " << mouseY);
        Simulation world;
        world.paint(brush, mouseX, mouseY, "rock", 1.0f);
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 50; ++y)
                ASSERT_EQ(world.grid[x][y].element == ElementId::Rock,
                          x >= left && x <= right && y >= top && y <= bottom)
                    << x << ", " << y;
        const PixelRect around{left * 11, top * 11, (right - left + 1) * 11 - 1,
                               (bottom - top + 1) * 11 - 1};
        EXPECT_EQ(brushOutline(world, mouseX, mouseY, brush),
                  right < 0 ? std::nullopt : std::optional(around));
    }
}

// Corners of the first and last button; a button holds its left and top edges, not its right
// and bottom ones nor the gaps. The strips as the program starts, glass button and all, are
// checked on its window.
TEST(Panel, LayoutAndHits) {
    const std::tuple<const char*, int, int, int, int, int> strips[] = {
        {"right", 7, 610, 189, 610, 429}, {"left", 2, 8, 289, 8, 329}, {"top", 3, 269, 8, 349, 8}};
    for (const auto& [anchor, count, x0, y0, x1, y1] : strips) {
        const ButtonPanel panel{std::vector<std::string>(count), std::vector<sf::Color>(count),
                                anchor};
        EXPECT_EQ(panel.buttonPosition(0, {650, 650}), sf::Vector2i(x0, y0)) << anchor << count;
        EXPECT_EQ(panel.buttonPosition(count - 1, {650, 650}), sf::Vector2i(x1, y1)) << anchor;
    }
    const ButtonPanel right(std::vector<std::string>(6), std::vector<sf::Color>(6), "right");
    const std::array<int, 3> hits[] = {{610, 209, 0},  {641, 240, 0},  {642, 220, -1},
                                       {620, 241, -1}, {609, 220, -1}, {620, 208, -1},
                                       {625, 249, 1},  {641, 440, 5}};
    for (const auto& [x, y, expected] : hits)
        EXPECT_EQ(static_cast<int>(right.buttonAt({x, y}, {650, 650}).value_or(-1)), expected)
            << x << ", " << y;
}

// The pixel row and column 0 lie outside the grid; a gap belongs to the cell left of and above.
TEST(Text, StatusReadoutAndTemperatureColours) {
    EXPECT_EQ(composeStatus("paused\n", "none", "temperature", 134.99f, 135, 2500),
              "paused\nselected element: none\ndisplay mode: temperature\nFPS: 134/135\n"
              "Particles: 2500");
    Simulation world;
    for (int x = 0; x < 50; ++x)
        for (int y = 0; y < 50; ++y)
            world.grid[x][y].temperature = static_cast<float>(x * 100 + y);
    for (const auto& [x, y, t] : {std::tuple(1, 1, "0.00"), {11, 21, "101.00"}})
        EXPECT_EQ(hoverReadout(world, x, y), std::string("air\nTemp: ") + t + "\nState: special");
    for (const auto& [x, y] : {std::pair{0, 100}, {100, 0}, {-5, 40}, {550, 300}, {300, 550}})
        EXPECT_EQ(hoverReadout(world, x, y), std::nullopt) << x << ", " << y;
    // Element 9 and state 5 lie just past the last names.
    world.grid[2][3] =
        Cell{-273.0f, 0, static_cast<ElementId>(9), static_cast<MatterState>(5), 0, {}};
    EXPECT_EQ(hoverReadout(world, 25, 35), "fallback\nTemp: -273.00\nState: special");
    // The temperature view's ramp: each band is closed at its top; channels truncate.
    const auto above = [](float t) { return std::nextafter(t, 1.0e9f); };
    const std::pair<float, sf::Color> ramp[] = {
        {-273.0f, {0, 0, 0}},       {-136.5f, {37, 0, 65}},    {0.0f, {75, 0, 130}},
        {above(0), {0, 0, 255}},    {20.0f, {5, 0, 255}},      {1000.0f, {255, 0, 255}},
        {above(1000), {255, 0, 0}}, {1500.0f, {255, 127, 0}},  {2000.0f, {255, 255, 0}},
        {2500.0f, {255, 255, 127}}, {5000.0f, {255, 255, 255}}};
    for (const auto& [temperature, colour] : ramp)
        EXPECT_EQ(temperatureColor(temperature), colour) << temperature;
}

} // namespace
