#include "app/Interaction.hpp"
#include "sim/Simulation.hpp"
#include "support/Scenes.hpp"
#include "ui/ButtonPanel.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <set>

static void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ")";
}

namespace {

using worldtest::sameCell;

TEST(InteractionRules, WheelAndDigits) {
    const std::tuple<int, bool, float, int> wheels[] = {{5, true, 0.01f, 6},  {5, true, -30.0f, 4},
                                                        {50, true, 1.0f, 50}, {1, true, -1.0f, 1},
                                                        {5, true, 0.0f, 5},   {5, false, 1.0f, 5}};
    for (const auto& [size, vertical, delta, expected] : wheels) {
        LoopState state;
        state.brushSize = size;
        InputEvent wheel{InputEvent::Kind::MouseWheelScrolled, {}, vertical, delta, 0};
        const EventOutcome outcome = applyEvent(state, wheel);
        EXPECT_EQ(state.brushSize, expected) << size << " " << vertical << " " << delta;
        EXPECT_FALSE(outcome.closeWindow || outcome.click || outcome.newFramerateLimit);
    }

    for (const char32_t other : {U'0', U'/', U':', U'a', char32_t{0x0661}, char32_t{0x10031}})
        EXPECT_EQ(framerateLimitFor(other), std::nullopt) << std::hex << int(other);
    LoopState state;
    const auto type = [&state](char32_t c) {
        return applyEvent(state, InputEvent{InputEvent::Kind::TextEntered, {}, false, 0, c})
            .newFramerateLimit;
    };
    EXPECT_EQ(type(U'1'), std::nullopt); // already the limit
    EXPECT_EQ(type(U'4'), 60);
    EXPECT_EQ(type(U'4'), std::nullopt);
    EXPECT_EQ(type(U'9'), 135);
    EXPECT_EQ(state.framerateLimit, 135);

    EXPECT_EQ(displayModeFor("temperature"), DisplayMode::Temperature);
    for (const char* other : {"standard", "none", "Temperature", ""})
        EXPECT_EQ(displayModeFor(other), DisplayMode::Standard) << other;
    EXPECT_EQ(displayModeName(DisplayMode::Temperature), "temperature");
    EXPECT_EQ(displayModeName(DisplayMode::Standard), "standard");
}

bool sameWorld(const Simulation& a, const Simulation& b) {
    for (std::size_t x = 0; x < a.grid.size(); ++x)
        for (std::size_t y = 0; y < a.grid[x].size(); ++y)
            if (!sameCell(a.grid[x][y], b.grid[x][y]))
                return false;
    return true;
}

// applyHeldInput with keys and buttons as a test holds them, counting the waits.
class HeldInputRules : public testing::Test {
protected:
    void SetUp() override {
        // Sand and water in mid-air: any step moves something.
        world.rng.seed(11);
        world.paint(5, 110, 110, "sand", 1.0f);
        world.paint(5, 330, 110, "water", 1.0f);
    }

    bool apply(const std::string& brushName = "sand") {
        HeldInput input{[this] { return focus; },
                        [this](HeldKey key) { return held.count(key) > 0; },
                        [this] { return pointer; }};
        return applyHeldInput(state, world, brushName, input, [this] { ++waits; });
    }

    Simulation steppedOnce() const {
        Simulation copy = world;
        copy.step();
        return copy;
    }

    LoopState state;
    Simulation world;
    bool focus = true;
    std::set<HeldKey> held;
    sf::Vector2i pointer{55, 65}; // cell (5, 5)
    int waits = 0;
};

TEST_F(HeldInputRules, SpaceAndFPauseAndStepOnceInOneFrame) {
    held = {HeldKey::F};
    Simulation before = world;
    EXPECT_TRUE(apply());
    EXPECT_TRUE(sameWorld(world, before)) << "F steps only while paused";

    const Simulation expected = steppedOnce();
    ASSERT_FALSE(sameWorld(expected, world));
    held = {HeldKey::Space, HeldKey::F};
    EXPECT_TRUE(apply());
    EXPECT_TRUE(state.paused);
    EXPECT_EQ(state.pauseLine, "paused\n");
    EXPECT_EQ(waits, 2);
    EXPECT_TRUE(sameWorld(world, expected));

    // Held into the next frame: the toggle unpauses first, so F no longer steps.
    before = world;
    EXPECT_TRUE(apply());
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(state.pauseLine, "\n");
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(sameWorld(world, before));

    held = {HeldKey::Escape, HeldKey::Space, HeldKey::F, HeldKey::LeftButton, HeldKey::RightButton};
    EXPECT_FALSE(apply()) << "Escape ends the loop before anything else happens";
    EXPECT_FALSE(state.paused);
    EXPECT_TRUE(sameWorld(world, before));
}

TEST_F(HeldInputRules, WithoutFocusNothingHeldCounts) {
    focus = false;
    held = {HeldKey::Escape, HeldKey::Space, HeldKey::F, HeldKey::LeftButton, HeldKey::RightButton};
    for (const bool paused : {false, true}) {
        const Simulation before = world;
        state.paused = paused;
        EXPECT_TRUE(apply());
        EXPECT_EQ(state.paused, paused);
        EXPECT_EQ(waits, 0);
        EXPECT_TRUE(sameWorld(world, before));
    }
}

TEST_F(HeldInputRules, LeftPaintsWithTheModifiersStrengthRightErases) {
    world = Simulation();
    state.brushSize = 3;
    held = {HeldKey::LeftButton};
    EXPECT_TRUE(apply("rock"));
    for (int x = 3; x <= 7; ++x)
        for (int y = 3; y <= 7; ++y)
            EXPECT_EQ(world.grid[x][y].element,
                      x >= 4 && x <= 6 && y >= 4 && y <= 6 ? ElementId::Rock : ElementId::Air);
    held = {HeldKey::LeftButton, HeldKey::RightButton};
    EXPECT_TRUE(apply("heat"));
    EXPECT_EQ(world.grid[5][5].element, ElementId::Air) << "paint, then erase";
    EXPECT_EQ(world.grid[5][5].temperature, 20.0f);

    const std::pair<std::set<HeldKey>, float> strengths[] = {
        {{}, 30.0f},
        {{HeldKey::LeftShift}, 70.0f},
        {{HeldKey::LeftControl}, 25.0f},
        {{HeldKey::LeftShift, HeldKey::LeftControl}, 70.0f}};
    for (const auto& [modifiers, temperature] : strengths) {
        world = Simulation();
        state.brushSize = 1;
        held = modifiers;
        held.insert(HeldKey::LeftButton);
        EXPECT_TRUE(apply("heat"));
        EXPECT_EQ(world.grid[5][5].temperature, temperature);
        EXPECT_EQ(world.grid[4][5].temperature, 20.0f);
    }
    EXPECT_EQ(waits, 0);
}

TEST(BrushOutline, EnclosesExactlyThePaintedCells) {
    const Simulation fresh;
    EXPECT_EQ(brushOutline(fresh, 0, 0, 5), (PixelRect{0, 0, 32, 32}));
    EXPECT_EQ(brushOutline(fresh, 550, 550, 5), (PixelRect{528, 528, 21, 21}));
    for (const auto& [x, y] : {std::pair{551, 0}, {0, 551}, {-1, 5}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(brushOutline(fresh, x, y, 5), std::nullopt) << x << ", " << y;

    for (const int size : {1, 2, 5, 50})
        for (const int px : {0, 10, 11, 538, 549, 550})
            for (const int py : {0, 21, 550}) {
                Simulation world;
                world.paint(size, px, py, "rock", 1.0f);
                int left = 50, top = 50, right = -1, bottom = -1;
                for (int x = 0; x < 50; ++x)
                    for (int y = 0; y < 50; ++y)
                        if (world.grid[x][y].element == ElementId::Rock) {
                            left = std::min(left, x);
                            top = std::min(top, y);
                            right = std::max(right, x);
                            bottom = std::max(bottom, y);
                        }
                const auto expected =
                    right < 0
                        ? std::nullopt
                        : std::optional(PixelRect{left * 11, top * 11, (right - left + 1) * 11 - 1,
                                                  (bottom - top + 1) * 11 - 1});
                EXPECT_EQ(brushOutline(world, px, py, size), expected)
                    << "size " << size << " at " << px << ", " << py;
            }
}

ButtonPanel colourPanel(const std::string& anchor, int count) {
    ButtonPanel panel({}, {}, anchor);
    for (int i = 0; i < count; ++i)
        panel.addColorButton(std::string("b").append(std::to_string(i)), sf::Color::Yellow);
    return panel;
}

std::vector<sf::Vector2i> corners(const ButtonPanel& panel, sf::Vector2u size = {650, 650}) {
    std::vector<sf::Vector2i> result;
    for (std::size_t i = 0; i < panel.buttons.size(); ++i)
        result.push_back(panel.buttonPosition(i, size));
    return result;
}

TEST(Panel, GeometryEdgeHitsAndGapMisses) {
    using V = std::vector<sf::Vector2i>;
    EXPECT_EQ(corners(colourPanel("right", 6)),
              (V{{610, 209}, {610, 249}, {610, 289}, {610, 329}, {610, 369}, {610, 409}}));
    EXPECT_EQ(
        corners(colourPanel("right", 7)),
        (V{{610, 189}, {610, 229}, {610, 269}, {610, 309}, {610, 349}, {610, 389}, {610, 429}}));
    EXPECT_EQ(corners(colourPanel("bottom", 2)), (V{{289, 610}, {329, 610}}));
    EXPECT_EQ(corners(colourPanel("top", 3)), (V{{269, 8}, {309, 8}, {349, 8}}));

    const ButtonPanel right = colourPanel("right", 6);
    const ButtonPanel bottom = colourPanel("bottom", 2);
    const auto none = std::optional<std::size_t>();
    const std::tuple<const ButtonPanel&, sf::Vector2i, std::optional<std::size_t>> cases[] = {
        {right, {610, 209}, 0},    {right, {641, 240}, 0},     {right, {642, 220}, none},
        {right, {620, 241}, none}, {right, {609, 220}, none},  {right, {620, 208}, none},
        {right, {625, 249}, 1},    {right, {641, 440}, 5},     {right, {641, 441}, none},
        {bottom, {289, 610}, 0},   {bottom, {320, 641}, 0},    {bottom, {321, 620}, none},
        {bottom, {329, 620}, 1},   {bottom, {300, 642}, none}, {bottom, {300, 609}, none}};
    for (const auto& [panel, point, expected] : cases)
        EXPECT_EQ(panel.buttonAt(point, {650, 650}), expected)
            << panel.anchor << " at " << point.x << ", " << point.y;
}

TEST(Panel, NamesAndMismatchMessage) {
    ButtonPanel panel({"sand", "rock", "water"},
                      {sf::Color::Yellow, sf::Color(128, 128, 128), sf::Color::Blue}, "right");
    EXPECT_EQ(panel.selectedName(), "none");
    EXPECT_TRUE(panel.hasButton("rock"));
    for (const char* absent : {"Rock", "roc", "rocks", "none", ""})
        EXPECT_FALSE(panel.hasButton(absent)) << absent;

    for (const auto& [names, colours] :
         {std::pair<std::vector<std::string>, std::vector<sf::Color>>{{"sand", "rock"},
                                                                      {sf::Color::Red}},
          {{}, {sf::Color::Red}}}) {
        testing::internal::CaptureStderr();
        const ButtonPanel mismatched(names, colours, "right");
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "elements and colors provided do not match");
        EXPECT_TRUE(mismatched.buttons.empty());
        EXPECT_EQ(mismatched.selectedName(), "none");
    }
    testing::internal::CaptureStderr();
    const ButtonPanel empty({}, {}, "bottom");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(GlassUnlock, AddsTheButtonOnceAndLast) {
    Simulation world;
    ButtonPanel panel = colourPanel("right", 6);
    panel.selectedIndex = 2;
    world.discoveredElements["molten glass"] = true;
    world.discoveredElements["Glass"] = true;
    EXPECT_FALSE(unlockGlass(world, panel));
    world.discoveredElements["glass"] = false; // presence counts, not the flag
    EXPECT_TRUE(unlockGlass(world, panel));
    EXPECT_FALSE(unlockGlass(world, panel));
    ASSERT_EQ(panel.buttons.size(), 7u);
    EXPECT_EQ(panel.buttons.back().name, "glass");
    EXPECT_EQ(std::get<sf::Color>(panel.buttons.back().face), sf::Color(207, 255, 245));
    EXPECT_EQ(panel.selectedName(), "b2");
}

} // namespace
