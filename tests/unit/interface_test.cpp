#include "app/Interaction.hpp"
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

TEST(Input, WheelDigitsAndViews) {
    const std::tuple<int, float, int> wheels[] = {
        {5, 0.01f, 6}, {5, -30.0f, 4}, {50, 1.0f, 50}, {1, -1.0f, 1}, {5, 0.0f, 5}};
    for (const auto& [size, delta, expected] : wheels) {
        LoopState state;
        state.brushSize = size;
        applyEvent(state, {InputEvent::Kind::MouseWheelScrolled, {}, true, delta, 0, {}});
        applyEvent(state,
                   {InputEvent::Kind::MouseWheelScrolled, {}, false, 1.0f, 0, {}}); // ignored
        EXPECT_EQ(state.brushSize, expected) << size << " " << delta;
    }
    LoopState state;
    const auto type = [&state](char32_t c) {
        return applyEvent(state, {InputEvent::Kind::TextEntered, {}, false, 0, c, {}})
            .newFramerateLimit;
    };
    for (const char32_t other : {U'0', U'/', U':', U'a', char32_t{0x0661}, U'1'})
        EXPECT_EQ(type(other), std::nullopt) << int(other); // '1': already the limit
    EXPECT_EQ(type(U'4'), 60);
    EXPECT_EQ(type(U'9'), 135);
    EXPECT_EQ(state.framerateLimit, 135);
    EXPECT_TRUE(displayModeFor("temperature") == DisplayMode::Temperature &&
                displayModeFor("Temperature") == DisplayMode::Standard &&
                displayModeName(DisplayMode::Temperature) == "temperature" &&
                displayModeName(DisplayMode::Standard) == "standard");
}

// Keys held for one frame, in the order the frame reads them. Each step shuffles with the
// world's engine, so its state tells whether one was taken.
TEST(Input, HeldKeysPauseStepEndAndPaint) {
    using K = HeldKey;
    LoopState state;
    Simulation world, stepped;
    std::set<K> held;
    bool focus = true;
    int waits = 0;
    const HeldInput input{[&] { return focus; }, [&](K key) { return held.count(key) > 0; },
                          [] { return sf::Vector2i(55, 65); }};
    const auto frame = [&](std::set<K> keys, const char* brush = "sand") {
        held = std::move(keys);
        return applyHeldInput(state, world, brush, input, [&] { ++waits; });
    };
    stepped = world;
    stepped.step();
    EXPECT_TRUE(frame({K::F}) && world.rng != stepped.rng) << "F steps only when paused";
    EXPECT_TRUE(frame({K::Space, K::F}) && state.pauseLine == "paused\n" && waits == 2);
    EXPECT_TRUE(frame({K::Space, K::F}) && state.pauseLine == "\n" && waits == 3);
    focus = false;
    EXPECT_TRUE(frame({K::Escape, K::Space, K::LeftButton}) && !state.paused);
    focus = true;
    EXPECT_FALSE(frame({K::Escape, K::Space, K::LeftButton}));
    EXPECT_TRUE(world.rng == stepped.rng && waits == 3 && !state.paused) << "one step in all";

    // The left button paints, then the right one erases; Shift scales the tools by 5.
    state.brushSize = 1;
    EXPECT_TRUE(frame({K::LeftButton, K::RightButton}, "heat"));
    EXPECT_TRUE(world.grid[5][5].element == ElementId::Air && world.grid[5][5].temperature == 20);
    EXPECT_TRUE(frame({K::LeftButton, K::LeftShift}, "heat") && world.grid[5][5].temperature == 70);
    EXPECT_TRUE(frame({K::LeftButton}, "rock") && world.grid[5][5].element == ElementId::Rock);
    EXPECT_EQ(world.grid[4][5].element, ElementId::Air);
    const std::tuple<bool, bool, float> strengths[] = {
        {false, false, 1.0f}, {true, false, 5.0f}, {false, true, 0.5f}, {true, true, 5.0f}};
    for (const auto& [shift, control, strength] : strengths)
        EXPECT_EQ(paintStrength(shift, control), strength) << shift << control;
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
        Simulation world;
        world.paint(brush, mouseX, mouseY, "rock", 1.0f);
        for (int x = 0; x < 50; ++x)
            for (int y = 0; y < 50; ++y)
                ASSERT_EQ(world.grid[x][y].element == ElementId::Rock,
                          x >= left && x <= right && y >= top && y <= bottom)
                    << brush << " at " << mouseX << ", " << mouseY << ": " << x << ", " << y;
        const auto outline = brushOutline(world, mouseX, mouseY, brush);
        const PixelRect around{left * 11, top * 11, (right - left + 1) * 11 - 1,
                               (bottom - top + 1) * 11 - 1};
        EXPECT_TRUE(right < 0 ? !outline : outline && *outline == around)
            << brush << " at " << mouseX << ", " << mouseY;
    }
}

// Corners of the first and last button; hits on the left and top edges, misses on the right
// and bottom edges and in the gaps.
TEST(Panel, LayoutHitsNamesAndGlass) {
    const auto strip = [](const std::string& anchor, int count) {
        ButtonPanel panel({}, {}, anchor);
        for (int i = 0; i < count; ++i)
            panel.addColorButton(std::to_string(i), sf::Color::Yellow);
        return panel;
    };
    // clang-format off
    const std::tuple<const char*, int, int, int, int, int> strips[] = {
        {"right", 6, 610, 209, 610, 409}, {"right", 7, 610, 189, 610, 429}, {"left", 2, 8, 289, 8, 329},
        {"bottom", 2, 289, 610, 329, 610}, {"top", 3, 269, 8, 349, 8}};
    // clang-format on
    for (const auto& [anchor, count, x0, y0, x1, y1] : strips) {
        const ButtonPanel panel = strip(anchor, count);
        EXPECT_EQ(panel.buttonPosition(0, {650, 650}), sf::Vector2i(x0, y0)) << anchor << count;
        EXPECT_EQ(panel.buttonPosition(count - 1, {650, 650}), sf::Vector2i(x1, y1)) << anchor;
    }
    const ButtonPanel right = strip("right", 6);
    const std::array<int, 3> hits[] = {{610, 209, 0},  {641, 240, 0},  {642, 220, -1},
                                       {620, 241, -1}, {609, 220, -1}, {620, 208, -1},
                                       {625, 249, 1},  {641, 440, 5}};
    for (const auto& [x, y, expected] : hits)
        EXPECT_EQ(static_cast<int>(right.buttonAt({x, y}, {650, 650}).value_or(-1)), expected)
            << x << ", " << y;

    ButtonPanel panel({"sand", "rock"}, {sf::Color::Yellow, sf::Color::Red}, "right");
    EXPECT_EQ(panel.selectedName(), "none");
    EXPECT_TRUE(panel.hasButton("rock") && !panel.hasButton("Rock") && !panel.hasButton("roc"));
    testing::internal::CaptureStderr();
    const ButtonPanel mismatched({"sand", "rock"}, {sf::Color::Red}, "right");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "elements and colors provided do not match");
    EXPECT_TRUE(mismatched.buttons.empty() && mismatched.anchor.empty());

    // The glass button comes last, once, when "glass" has been discovered.
    Simulation world;
    panel.selectedIndex = 1;
    world.discoveredElements = {{"molten glass", true}, {"Glass", true}};
    EXPECT_FALSE(unlockGlass(world, panel));
    world.discoveredElements["glass"] = true;
    EXPECT_TRUE(unlockGlass(world, panel) && !unlockGlass(world, panel));
    ASSERT_EQ(panel.buttons.size(), 3u);
    EXPECT_EQ(panel.buttons.back().name, "glass");
    EXPECT_EQ(std::get<sf::Color>(panel.buttons.back().face), sf::Color(207, 255, 245));
    EXPECT_EQ(panel.selectedName(), "rock");
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
    // clang-format off
    const std::tuple<int, int, const char*> inside[] = {
        {1, 1, "0.00"}, {10, 10, "0.00"}, {11, 21, "101.00"}, {549, 549, "4949.00"}, {549, 1, "4900.00"}};
    // clang-format on
    for (const auto& [x, y, t] : inside)
        EXPECT_EQ(hoverReadout(world, x, y), std::string("air\nTemp: ") + t + "\nState: special");
    for (const auto& [x, y] : {std::pair{0, 100}, {100, 0}, {-5, 40}, {550, 300}, {300, 550}})
        EXPECT_EQ(hoverReadout(world, x, y), std::nullopt) << x << ", " << y;
    world.grid[2][3] = Cell{-273.0f, 0.0f, ElementId::Steam, MatterState::Gas, 0, {}};
    EXPECT_EQ(hoverReadout(world, 25, 35), "steam\nTemp: -273.00\nState: gas");
    world.grid[2][3] =
        Cell{5000, 0, static_cast<ElementId>(10), static_cast<MatterState>(7), 0, {}};
    EXPECT_EQ(hoverReadout(world, 25, 35), "fallback\nTemp: 5000.00\nState: special");

    // The temperature view's ramp: each band is closed at its top; channels truncate.
    const auto above = [](float t) { return std::nextafter(t, 1.0e9f); };
    // clang-format off
    const std::pair<float, sf::Color> ramp[] = {
        {-273.0f, {0, 0, 0}}, {-136.5f, {37, 0, 65}}, {0.0f, {75, 0, 130}}, {above(0), {0, 0, 255}},
        {20.0f, {5, 0, 255}}, {1000.0f, {255, 0, 255}}, {above(1000), {255, 0, 0}},
        {1500.0f, {255, 127, 0}}, {2000.0f, {255, 255, 0}}, {2500.0f, {255, 255, 127}},
        {5000.0f, {255, 255, 255}}};
    // clang-format on
    for (const auto& [temperature, colour] : ramp)
        EXPECT_EQ(temperatureColor(temperature), colour) << temperature;
}

} // namespace
