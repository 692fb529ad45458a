#include "elements/Elements.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

struct CatalogueRow {
    ElementId id;
    const char* name;
    sf::Color colour;
    int variation;
    float density;
    MatterState painted;
};

const std::vector<CatalogueRow> catalogue = {
    {ElementId::Air, "air", {25, 25, 25, 255}, 0, 0.0f, MatterState::Special},
    {ElementId::Sand, "sand", {255, 255, 0, 255}, 25, 1.1f, MatterState::Powder},
    {ElementId::Rock, "rock", {128, 128, 128, 255}, 5, 4.0f, MatterState::Solid},
    {ElementId::Water, "water", {0, 128, 255, 255}, 15, 0.1f, MatterState::Liquid},
    {ElementId::Ice, "ice", {131, 206, 255, 255}, 15, 4.0f, MatterState::Solid},
    {ElementId::Steam, "steam", {200, 200, 200, 255}, 5, 0.0f, MatterState::Gas},
    {ElementId::Lava, "lava", {255, 115, 0, 255}, 25, 0.3f, MatterState::Special},
    {ElementId::MoltenGlass, "molten glass", {255, 188, 79, 255}, 20, 0.2f, MatterState::Special},
    {ElementId::Glass, "glass", {207, 255, 245, 255}, 5, 4.0f, MatterState::Solid},
};

TEST(CatalogueTables, RowsOfEveryElement) {
    for (const CatalogueRow& row : catalogue) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(elementName(row.id), row.name);
        EXPECT_EQ(elementFromName(row.name), row.id);
        EXPECT_EQ(elementColors.at(row.id), row.colour);
        EXPECT_EQ(colorVariation.at(row.id), row.variation);
        EXPECT_EQ(elementDensity.at(row.id), row.density);
        EXPECT_EQ(paintedState(row.id), row.painted);
    }
    EXPECT_EQ(elementColors.at(ElementId::Fallback), sf::Color(255, 255, 255, 255));
    EXPECT_EQ(colorVariation.at(ElementId::Fallback), 0);
    EXPECT_EQ(elementColors.size(), 10u);
    EXPECT_EQ(colorVariation.size(), 10u);
}

TEST(CatalogueTables, FallbackDensityLookupAddsAZeroRow) {
    // Whether an earlier test already added the row does not matter: the outcome is the same.
    EXPECT_EQ(elementDensity[ElementId::Fallback], 0.0f);
    EXPECT_EQ(elementDensity.size(), 10u);
    EXPECT_EQ(elementDensity[ElementId::Fallback], 0.0f);
    EXPECT_EQ(elementDensity.size(), 10u);
}

TEST(CatalogueNames, OtherIdentifiersAreFallback) {
    for (int id : {9, -1, 10, 42, INT_MIN, INT_MAX})
        EXPECT_EQ(elementName(static_cast<ElementId>(id)), "fallback") << id;
    EXPECT_EQ(paintedState(static_cast<ElementId>(42)), MatterState::Special);
    EXPECT_EQ(paintedState(ElementId::Fallback), MatterState::Special);
}

TEST(CatalogueNames, OnlyExactNamesAreRecognised) {
    const std::vector<std::string> unknown = {"Sand",
                                              "SAND",
                                              "",
                                              "none",
                                              "heat",
                                              "cool",
                                              "fallback",
                                              "sand ",
                                              " sand",
                                              "san",
                                              "sands",
                                              "moltenglass",
                                              "molten  glass",
                                              "Molten glass",
                                              "molten_glass",
                                              std::string("sand\0", 5),
                                              std::string("\0", 1)};
    for (const std::string& name : unknown)
        EXPECT_EQ(elementFromName(name), ElementId::Fallback) << '"' << name << '"';
}

TEST(CatalogueNames, StateNames) {
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "special"}, {1, "solid"},    {2, "liquid"},        {3, "gas"},          {4, "powder"},
        {5, "special"}, {-1, "special"}, {INT_MAX, "special"}, {INT_MIN, "special"}};
    for (const auto& [value, name] : cases)
        EXPECT_EQ(stateName(static_cast<MatterState>(value)), name) << value;
}

// Draws many colours and checks every channel covers exactly its clamped range.
TEST(CatalogueColours, VariedColoursCoverExactlyTheClampedRange) {
    std::mt19937 rng(7);
    std::vector<CatalogueRow> rows = catalogue;
    rows.push_back(
        {ElementId::Fallback, "fallback", {255, 255, 255, 255}, 0, 0.0f, MatterState::Special});
    for (const CatalogueRow& row : rows) {
        SCOPED_TRACE(row.name);
        const int base[3] = {row.colour.r, row.colour.g, row.colour.b};
        int low[3] = {255, 255, 255};
        int high[3] = {0, 0, 0};
        for (int i = 0; i < 3000; ++i) {
            const sf::Color c = variedColor(row.id, rng);
            ASSERT_EQ(c.a, 255);
            const int channels[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], channels[k]);
                high[k] = std::max(high[k], channels[k]);
            }
        }
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(low[k], std::max(base[k] - row.variation, 0)) << "channel " << k;
            EXPECT_EQ(high[k], std::min(base[k] + row.variation, 255)) << "channel " << k;
        }
    }
}

TEST(CatalogueColours, EachColourTakesThreeDrawsRedGreenBlue) {
    for (ElementId id : {ElementId::Air, ElementId::Sand, ElementId::Water, ElementId::Fallback}) {
        SCOPED_TRACE(elementName(id));
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            std::mt19937 rng(seed);
            std::mt19937 expected(seed);
            const sf::Color base = elementColors.at(id);
            const int v = colorVariation.at(id);
            std::uniform_int_distribution<int> offset(-v, v);
            const int r = std::clamp(base.r + offset(expected), 0, 255);
            const int g = std::clamp(base.g + offset(expected), 0, 255);
            const int b = std::clamp(base.b + offset(expected), 0, 255);

            EXPECT_EQ(variedColor(id, rng), sf::Color(r, g, b, 255));
            EXPECT_TRUE(rng == expected) << "not exactly three draws";
        }
    }
}

TEST(CatalogueText, TemperaturesHaveTwoDecimals) {
    const std::vector<std::pair<float, const char*>> cases = {
        {20.0f, "20.00"},       {-273.0f, "-273.00"}, {5000.0f, "5000.00"},   {0.5f, "0.50"},
        {0.0f, "0.00"},         {-0.5f, "-0.50"},     {1234.567f, "1234.57"}, {99.999f, "100.00"},
        {1.0e6f, "1000000.00"}, {1.0e-6f, "0.00"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatTemperature(value), text) << value;
}

} // namespace
