#include "app/Interaction.hpp"
#include "sim/Simulation.hpp"
#include "ui/ButtonPanel.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <set>

static void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ")";
}

namespace {

TEST(InteractionRules, WheelMovesTheBrushOneUnitWithinBounds) {
    struct Case {
        int size;
        bool vertical;
        float delta;
        int expected;
    };
    const Case cases[] = {{5, true, 0.01f, 6},  {5, true, 7.5f, 6},  {5, true, -30.0f, 4},
                          {50, true, 1.0f, 50}, {1, true, -1.0f, 1}, {5, true, 0.0f, 5},
                          {5, true, -0.0f, 5},  {5, false, 1.0f, 5}, {5, false, -1.0f, 5}};
    for (const Case& c : cases) {
        LoopState state;
        state.brushSize = c.size;
        InputEvent wheel;
        wheel.kind = InputEvent::Kind::MouseWheelScrolled;
        wheel.verticalWheel = c.vertical;
        wheel.wheelDelta = c.delta;
        const EventOutcome outcome = applyEvent(state, wheel);
        EXPECT_EQ(state.brushSize, c.expected)
            << c.size << (c.vertical ? " vertical " : " horizontal ") << c.delta;
        EXPECT_FALSE(outcome.closeWindow || outcome.click || outcome.newFramerateLimit);
    }
}

TEST(InteractionRules, OnlyTheDigitsOneToNineChangeTheLimitAndOnlyWhenItDiffers) {
    for (char32_t digit = U'1'; digit <= U'9'; ++digit)
        EXPECT_EQ(framerateLimitFor(digit), static_cast<int>(digit - U'0') * 15);
    // Other scripts' digits and code points whose low byte is a digit do not count.
    for (const char32_t other : {U'0', U'/', U':', U'a', U'F', char32_t{0x0661}, char32_t{0xFF11},
                                 char32_t{0x0131}, char32_t{0x10031}, char32_t{0xFFFFFFFF}})
        EXPECT_EQ(framerateLimitFor(other), std::nullopt) << std::hex << int(other);

    LoopState state;
    const auto type = [&state](char32_t character) {
        InputEvent event;
        event.kind = InputEvent::Kind::TextEntered;
        event.character = character;
        return applyEvent(state, event).newFramerateLimit;
    };
    EXPECT_EQ(type(U'1'), std::nullopt); // the limit at start
    EXPECT_EQ(type(U'4'), 60);
    EXPECT_EQ(type(U'4'), std::nullopt);
    EXPECT_EQ(type(U'0'), std::nullopt);
    EXPECT_EQ(state.framerateLimit, 60);
    EXPECT_EQ(type(U'9'), 135);
    EXPECT_EQ(state.framerateLimit, 135);
}

testing::AssertionResult sameWorld(const Simulation& a, const Simulation& b) {
    for (std::size_t x = 0; x < a.grid.size(); ++x)
        for (std::size_t y = 0; y < a.grid[x].size(); ++y) {
            const Cell& p = a.grid[x][y];
            const Cell& q = b.grid[x][y];
            if (p.element != q.element || p.state != q.state || p.temperature != q.temperature ||
                p.density != q.density || p.color != q.color ||
                p.transformCooldown != q.transformCooldown)
                return testing::AssertionFailure() << "cells differ at (" << x << ", " << y << ")";
        }
    return testing::AssertionSuccess();
}

ElementId elementAt(const Simulation& world, int x, int y) {
    return world.grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)].element;
}

// Runs applyHeldInput with held keys and buttons as a test sets them, counting the waits.
class HeldInputRules : public testing::Test {
protected:
    void SetUp() override {
        // Sand and water in mid-air: any step moves something.
        world.rng.seed(11);
        world.paint(5, 110, 110, "sand", 1.0f);
        world.paint(5, 330, 110, "water", 1.0f);
    }

    bool apply(const std::string& brushName = "sand") {
        HeldInput input;
        input.hasFocus = [this] { return focus; };
        input.isHeld = [this](HeldKey key) { return held.count(key) > 0; };
        input.pointer = [this] { return pointer; };
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

TEST_F(HeldInputRules, SpaceAndFTogetherPauseThenStepOnceWaitingTwice) {
    const Simulation expected = steppedOnce();
    ASSERT_FALSE(sameWorld(expected, world)) << "the scene must change in a step";
    held = {HeldKey::Space, HeldKey::F};
    EXPECT_TRUE(apply());
    EXPECT_TRUE(state.paused);
    EXPECT_EQ(state.pauseLine, "paused\n");
    EXPECT_EQ(waits, 2);
    EXPECT_TRUE(sameWorld(world, expected));

    // Held on into the next frame: the toggle unpauses first, so F no longer steps.
    const Simulation before = world;
    EXPECT_TRUE(apply());
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(state.pauseLine, "\n");
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(sameWorld(world, before));
}

TEST_F(HeldInputRules, FStepsOnlyWhilePaused) {
    const Simulation before = world;
    held = {HeldKey::F};
    EXPECT_TRUE(apply());
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(sameWorld(world, before));

    state.paused = true;
    const Simulation expected = steppedOnce();
    EXPECT_TRUE(apply());
    EXPECT_EQ(waits, 1);
    EXPECT_TRUE(sameWorld(world, expected));
}

TEST_F(HeldInputRules, EscapeEndsBeforeAnythingElse) {
    const Simulation before = world;
    held = {HeldKey::Escape, HeldKey::Space, HeldKey::F, HeldKey::LeftButton, HeldKey::RightButton};
    EXPECT_FALSE(apply());
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(sameWorld(world, before));
}

TEST_F(HeldInputRules, LeftPaintsTheBrushAtThePointerRightErasesWhateverIsSelected) {
    world = Simulation();
    state.brushSize = 3;
    held = {HeldKey::LeftButton};
    EXPECT_TRUE(apply("rock"));
    for (int x = 3; x <= 7; ++x)
        for (int y = 3; y <= 7; ++y)
            EXPECT_EQ(elementAt(world, x, y),
                      x >= 4 && x <= 6 && y >= 4 && y <= 6 ? ElementId::Rock : ElementId::Air)
                << x << ", " << y;

    held = {HeldKey::RightButton, HeldKey::LeftShift};
    EXPECT_TRUE(apply("heat"));
    EXPECT_EQ(elementAt(world, 5, 5), ElementId::Air);
    EXPECT_EQ(world.grid[5][5].temperature, 20.0f);

    // Both buttons: paint, then erase.
    held = {HeldKey::LeftButton, HeldKey::RightButton};
    EXPECT_TRUE(apply("sand"));
    EXPECT_EQ(elementAt(world, 5, 5), ElementId::Air);
    EXPECT_TRUE(apply("heat"));
    EXPECT_EQ(world.grid[5][5].temperature, 20.0f);
    EXPECT_EQ(waits, 0);
}

TEST_F(HeldInputRules, LeftButtonStrengthFollowsTheModifiers) {
    const std::pair<std::set<HeldKey>, float> cases[] = {
        {{}, 30.0f},
        {{HeldKey::LeftShift}, 70.0f},
        {{HeldKey::LeftControl}, 25.0f},
        {{HeldKey::LeftShift, HeldKey::LeftControl}, 70.0f}};
    for (const auto& [modifiers, temperature] : cases) {
        world = Simulation();
        state.brushSize = 1;
        held = modifiers;
        held.insert(HeldKey::LeftButton);
        EXPECT_TRUE(apply("heat"));
        EXPECT_EQ(world.grid[5][5].temperature, temperature);
        EXPECT_EQ(world.grid[4][5].temperature, 20.0f);
    }
}

TEST_F(HeldInputRules, WithoutFocusNothingHeldCounts) {
    focus = false;
    held = {HeldKey::Escape,      HeldKey::Space,      HeldKey::F,          HeldKey::LeftShift,
            HeldKey::LeftControl, HeldKey::LeftButton, HeldKey::RightButton};
    for (const bool paused : {false, true}) {
        const Simulation before = world;
        state.paused = paused;
        state.pauseLine = paused ? "paused\n" : "\n";
        EXPECT_TRUE(apply("sand"));
        EXPECT_EQ(state.paused, paused);
        EXPECT_EQ(state.pauseLine, paused ? "paused\n" : "\n");
        EXPECT_EQ(waits, 0);
        EXPECT_TRUE(sameWorld(world, before));
    }
}

TEST(BrushOutline, CornersAndEdgesOfTheGrid) {
    const Simulation world;
    EXPECT_EQ(brushOutline(world, 0, 0, 5), (PixelRect{0, 0, 32, 32}));
    EXPECT_EQ(brushOutline(world, 550, 550, 5), (PixelRect{528, 528, 21, 21}));
    EXPECT_EQ(brushOutline(world, 275, 275, 50), (PixelRect{0, 0, 549, 549}));
    for (const auto& [x, y] : {std::pair{551, 0}, {0, 551}, {-1, 5}, {5, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(brushOutline(world, x, y, 5), std::nullopt) << x << ", " << y;
}

// The outline must enclose exactly the cells the brush paints at the same spot.
TEST(BrushOutline, EnclosesTheCellsThatPaintChanges) {
    for (const int size : {1, 2, 3, 4, 5, 9, 50})
        for (const int px : {0, 1, 10, 11, 273, 538, 549, 550})
            for (const int py : {0, 21, 549, 550}) {
                Simulation world;
                world.paint(size, px, py, "rock", 1.0f);
                int left = world.width, top = world.height, right = -1, bottom = -1;
                for (int x = 0; x < world.width; ++x)
                    for (int y = 0; y < world.height; ++y)
                        if (elementAt(world, x, y) == ElementId::Rock) {
                            left = std::min(left, x);
                            top = std::min(top, y);
                            right = std::max(right, x);
                            bottom = std::max(bottom, y);
                        }
                // A one-cell brush just past the last cell covers nothing: no outline either.
                const auto expected =
                    right < 0
                        ? std::nullopt
                        : std::optional(PixelRect{left * 11, top * 11, (right - left + 1) * 11 - 1,
                                                  (bottom - top + 1) * 11 - 1});
                EXPECT_EQ(brushOutline(world, px, py, size), expected)
                    << "size " << size << " at " << px << ", " << py;
            }
}

TEST(GlassUnlock, AddsTheButtonOnceAndLast) {
    Simulation world;
    ButtonPanel panel({"sand", "rock", "water"},
                      {sf::Color::Yellow, sf::Color(128, 128, 128), sf::Color::Blue}, "right");
    for (const char* name : {"heat", "cool", "air"}) // colour stand-ins: no display needed
        panel.addColorButton(name, sf::Color::White);
    panel.selectedIndex = 2;

    world.discoveredElements["molten glass"] = true;
    world.discoveredElements["Glass"] = true;
    EXPECT_FALSE(unlockGlass(world, panel));
    EXPECT_EQ(panel.buttons.size(), 6u);

    world.discoveredElements["glass"] = false; // presence counts, not the flag
    EXPECT_TRUE(unlockGlass(world, panel));
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_FALSE(unlockGlass(world, panel));
    ASSERT_EQ(panel.buttons.size(), 7u);
    EXPECT_EQ(panel.buttons.back().name, "glass");
    ASSERT_TRUE(std::holds_alternative<sf::Color>(panel.buttons.back().face));
    EXPECT_EQ(std::get<sf::Color>(panel.buttons.back().face), sf::Color(207, 255, 245, 255));
    EXPECT_EQ(panel.selectedName(), "water");
}

TEST(DisplayMode, OnlyTheExactNameTemperatureSwitchesTheView) {
    EXPECT_EQ(displayModeFor("temperature"), DisplayMode::Temperature);
    for (const char* other : {"standard", "none", "Temperature", "temperature ", ""})
        EXPECT_EQ(displayModeFor(other), DisplayMode::Standard) << other;
    EXPECT_EQ(displayModeName(DisplayMode::Temperature), "temperature");
    EXPECT_EQ(displayModeName(DisplayMode::Standard), "standard");
}

} // namespace
