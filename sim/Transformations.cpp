#include "sim/Transformations.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace {

enum class Comparison { Below, AtMost, AtLeast, Above };

struct Rule {
    ElementId from;
    Comparison comparison;
    float threshold;
    Transformation result;
};

// The strict and non-strict comparisons differ on purpose: rock melts at 1200 but glass only
// above it, water freezes at 0 but ice melts only above it, and so on.
constexpr std::array<Rule, 9> rules = {{
    {ElementId::Sand,
     Comparison::Above,
     1700.0f,
     {ElementId::MoltenGlass, MatterState::Liquid, "molten glass"}},
    {ElementId::Rock, Comparison::AtLeast, 1200.0f, {ElementId::Lava, MatterState::Liquid, "lava"}},
    {ElementId::Water, Comparison::AtMost, 0.0f, {ElementId::Ice, MatterState::Solid, "ice"}},
    {ElementId::Water, Comparison::AtLeast, 100.0f, {ElementId::Steam, MatterState::Gas, "steam"}},
    {ElementId::Ice, Comparison::Above, 0.0f, {ElementId::Water, MatterState::Liquid, nullptr}},
    {ElementId::Steam, Comparison::Below, 100.0f, {ElementId::Water, MatterState::Liquid, nullptr}},
    {ElementId::Lava, Comparison::Below, 1000.0f, {ElementId::Rock, MatterState::Solid, nullptr}},
    {ElementId::MoltenGlass,
     Comparison::Below,
     1500.0f,
     {ElementId::Glass, MatterState::Solid, "glass"}},
    {ElementId::Glass,
     Comparison::Above,
     1200.0f,
     {ElementId::MoltenGlass, MatterState::Liquid, "molten glass"}},
}};

constexpr float nextUp(float value) {
    if (value == 0.0f)
        return std::numeric_limits<float>::denorm_min();
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return std::bit_cast<float>(value > 0.0f ? bits + 1 : bits - 1);
}

constexpr float nextDown(float value) {
    return -nextUp(-value);
}

// "At most t" is "below the next float after t", and "at least t" is "above the float before
// t": exact for every float, so both kinds of rule become one strict comparison.
constexpr std::array<TransformationLimits, 10> limitsFromRules() {
    std::array<TransformationLimits, 10> limits{};
    for (const Rule& rule : rules) {
        TransformationLimits& row = limits[static_cast<std::size_t>(rule.from)];
        switch (rule.comparison) {
        case Comparison::Below:
            row.coldBelow = rule.threshold;
            row.cold = rule.result;
            break;
        case Comparison::AtMost:
            row.coldBelow = nextUp(rule.threshold);
            row.cold = rule.result;
            break;
        case Comparison::AtLeast:
            row.hotAbove = nextDown(rule.threshold);
            row.hot = rule.result;
            break;
        case Comparison::Above:
            row.hotAbove = rule.threshold;
            row.hot = rule.result;
            break;
        }
    }
    return limits;
}

} // namespace

// Constant-initialised, so that it is ready before any other static object could step a world.
constexpr std::array<TransformationLimits, 10> transformationLimits = limitsFromRules();

std::optional<Transformation> transformationFor(ElementId element, float temperature) {
    if (const Transformation* rule = transformationAt(element, temperature))
        return *rule;
    return std::nullopt;
}
