#include "elements/Elements.hpp"

#include <algorithm>
#include <array>
#include <sstream>

std::unordered_map<ElementId, sf::Color> elementColors = {
    {ElementId::Air, sf::Color(25, 25, 25, 255)},
    {ElementId::Sand, sf::Color(255, 255, 0, 255)},
    {ElementId::Rock, sf::Color(128, 128, 128, 255)},
    {ElementId::Water, sf::Color(0, 128, 255, 255)},
    {ElementId::Ice, sf::Color(131, 206, 255, 255)},
    {ElementId::Steam, sf::Color(200, 200, 200, 255)},
    {ElementId::Lava, sf::Color(255, 115, 0, 255)},
    {ElementId::MoltenGlass, sf::Color(255, 188, 79, 255)},
    {ElementId::Glass, sf::Color(207, 255, 245, 255)},
    {ElementId::Fallback, sf::Color(255, 255, 255, 255)},
};

std::unordered_map<ElementId, int> colorVariation = {
    {ElementId::Air, 0},      {ElementId::Sand, 25},        {ElementId::Rock, 5},
    {ElementId::Water, 15},   {ElementId::Ice, 15},         {ElementId::Steam, 5},
    {ElementId::Lava, 25},    {ElementId::MoltenGlass, 20}, {ElementId::Glass, 5},
    {ElementId::Fallback, 0},
};

std::unordered_map<ElementId, float> elementDensity = {
    {ElementId::Air, 0.0f},         {ElementId::Steam, 0.0f}, {ElementId::Water, 0.1f},
    {ElementId::MoltenGlass, 0.2f}, {ElementId::Lava, 0.3f},  {ElementId::Sand, 1.1f},
    {ElementId::Rock, 4.0f},        {ElementId::Ice, 4.0f},   {ElementId::Glass, 4.0f},
};

namespace {

// Indexed by ElementId 0..8; Fallback is everything else.
constexpr std::array<const char*, 9> elementNames = {
    "air", "sand", "rock", "water", "ice", "steam", "lava", "molten glass", "glass",
};

constexpr std::array<const char*, 5> stateNames = {
    "special", "solid", "liquid", "gas", "powder",
};

std::uint8_t offsetChannel(std::uint8_t base, int variation, std::mt19937& rng) {
    std::uniform_int_distribution<int> offset(-variation, variation);
    return static_cast<std::uint8_t>(std::clamp(base + offset(rng), 0, 255));
}

} // namespace

std::string elementName(ElementId id) {
    const auto index = static_cast<std::int32_t>(id);
    if (index < 0 || index >= static_cast<std::int32_t>(elementNames.size()))
        return "fallback";
    return elementNames[static_cast<std::size_t>(index)];
}

ElementId elementFromName(const std::string& name) {
    for (std::size_t i = 0; i < elementNames.size(); ++i)
        if (name == elementNames[i])
            return static_cast<ElementId>(i);
    return ElementId::Fallback;
}

std::string stateName(MatterState state) {
    const auto index = static_cast<std::int32_t>(state);
    if (index < 0 || index >= static_cast<std::int32_t>(stateNames.size()))
        return "special";
    return stateNames[static_cast<std::size_t>(index)];
}

MatterState paintedState(ElementId id) {
    switch (id) {
    case ElementId::Sand:
        return MatterState::Powder;
    case ElementId::Rock:
    case ElementId::Ice:
    case ElementId::Glass:
        return MatterState::Solid;
    case ElementId::Water:
        return MatterState::Liquid;
    case ElementId::Steam:
        return MatterState::Gas;
    default:
        return MatterState::Special;
    }
}

sf::Color variedColor(ElementId id, std::mt19937& rng) {
    return variedColor(elementColors[id], colorVariation[id], rng);
}

sf::Color variedColor(sf::Color base, int variation, std::mt19937& rng) {
    // Separate statements: the draws must happen red, green, blue in that order.
    const std::uint8_t red = offsetChannel(base.r, variation, rng);
    const std::uint8_t green = offsetChannel(base.g, variation, rng);
    const std::uint8_t blue = offsetChannel(base.b, variation, rng);
    return sf::Color(red, green, blue, base.a);
}

std::string formatTemperature(float temperature) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.setf(std::ios::fixed, std::ios::floatfield);
    text.precision(2);
    text << temperature;
    return text.str();
}
