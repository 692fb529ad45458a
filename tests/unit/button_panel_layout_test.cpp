#include "ui/ButtonPanel.hpp"

#include "support/StderrRedirect.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

const sf::Vector2u window650{650, 650};

// Colour buttons only: textures need a display, which these tests do without.
ButtonPanel colourPanel(const std::string& anchor, int count) {
    ButtonPanel panel({}, {}, anchor);
    for (int i = 0; i < count; ++i)
        panel.addColorButton("b" + std::to_string(i), sf::Color::Yellow);
    return panel;
}

std::vector<sf::Vector2i> corners(const ButtonPanel& panel, sf::Vector2u size = window650) {
    std::vector<sf::Vector2i> result;
    for (std::size_t i = 0; i < panel.buttons.size(); ++i)
        result.push_back(panel.buttonPosition(i, size));
    return result;
}

TEST(PanelLayout, StripsAreCentredOnTheirEdge) {
    using V = std::vector<sf::Vector2i>;
    EXPECT_EQ(corners(colourPanel("right", 6)),
              (V{{610, 209}, {610, 249}, {610, 289}, {610, 329}, {610, 369}, {610, 409}}));
    EXPECT_EQ(corners(colourPanel("bottom", 2)), (V{{289, 610}, {329, 610}}));
    EXPECT_EQ(corners(colourPanel("left", 2)), (V{{8, 289}, {8, 329}}));
    EXPECT_EQ(corners(colourPanel("top", 3)), (V{{269, 8}, {309, 8}, {349, 8}}));
    // The layout follows the window size it is given; halving truncates.
    EXPECT_EQ(corners(colourPanel("right", 2), {800, 601}), (V{{760, 264}, {760, 304}}));
    EXPECT_EQ(corners(colourPanel("bottom", 1), {651, 400}), (V{{309, 360}}));

    ButtonPanel grown = colourPanel("right", 6);
    grown.addColorButton("glass", sf::Color(207, 255, 245, 255));
    EXPECT_EQ(
        corners(grown),
        (V{{610, 189}, {610, 229}, {610, 269}, {610, 309}, {610, 349}, {610, 389}, {610, 429}}));
}

TEST(PanelLayout, LeftAndTopEdgesHitRightAndBottomEdgesMiss) {
    const ButtonPanel right = colourPanel("right", 6);
    const ButtonPanel bottom = colourPanel("bottom", 2);
    const auto none = std::optional<std::size_t>();
    // Right strip: buttons at x 610..641, y 209..240, 249..280, ...; bottom: x 289 and 329.
    const std::tuple<const ButtonPanel&, sf::Vector2i, std::optional<std::size_t>> cases[] = {
        {right, {610, 209}, 0},     {right, {641, 240}, 0},     {right, {642, 220}, none},
        {right, {620, 241}, none},  {right, {609, 220}, none},  {right, {620, 208}, none},
        {right, {625, 248}, none},  {right, {625, 249}, 1},     {right, {641, 440}, 5},
        {right, {641, 441}, none},  {bottom, {289, 610}, 0},    {bottom, {320, 641}, 0},
        {bottom, {321, 620}, none}, {bottom, {328, 620}, none}, {bottom, {329, 620}, 1},
        {bottom, {361, 620}, none}, {bottom, {300, 642}, none}, {bottom, {300, 609}, none}};
    for (const auto& [panel, point, expected] : cases)
        EXPECT_EQ(panel.buttonAt(point, window650), expected)
            << panel.anchor << " at " << point.x << ", " << point.y;
}

TEST(PanelLayout, NamesAndSelection) {
    ButtonPanel panel({"sand", "rock", "water"},
                      {sf::Color::Yellow, sf::Color(128, 128, 128), sf::Color::Blue}, "right");
    EXPECT_EQ(panel.selectedName(), "none");
    panel.selectedIndex = 2;
    EXPECT_EQ(panel.selectedName(), "water");
    EXPECT_TRUE(panel.hasButton("rock"));
    for (const char* absent : {"Rock", "roc", "rocks", "none", ""})
        EXPECT_FALSE(panel.hasButton(absent)) << absent;
}

TEST(PanelLayout, MismatchedListsLeaveThePanelEmptyWithOneMessage) {
    const std::pair<std::vector<std::string>, std::vector<sf::Color>> cases[] = {
        {{"sand", "rock", "water"}, {sf::Color::Yellow, sf::Color::White}},
        {{}, {sf::Color::Yellow}},
        {{"sand"}, {}}};
    for (const auto& [names, colours] : cases) {
        StderrRedirect captured;
        const ButtonPanel panel(names, colours, "right");
        EXPECT_EQ(captured.finish(), "elements and colors provided do not match");
        EXPECT_TRUE(panel.buttons.empty());
        EXPECT_EQ(panel.anchor, "");
        EXPECT_EQ(panel.selectedName(), "none");
    }

    StderrRedirect captured;
    ButtonPanel empty({}, {}, "bottom");
    EXPECT_EQ(captured.finish(), "");
    empty.addColorButton("standard", sf::Color::Yellow);
    EXPECT_EQ(empty.buttonPosition(0, window650), sf::Vector2i(309, 610));
}

} // namespace
