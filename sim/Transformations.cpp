#include "sim/Transformations.hpp"

#include <array>

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
    {ElementId::Sand, Comparison::Above, 1700.0f,
     {ElementId::MoltenGlass, MatterState::Liquid, "molten glass"}},
    {ElementId::Rock, Comparison::AtLeast, 1200.0f,
     {ElementId::Lava, MatterState::Liquid, "lava"}},
    {ElementId::Water, Comparison::AtMost, 0.0f, {ElementId::Ice, MatterState::Solid, "ice"}},
    {ElementId::Water, Comparison::AtLeast, 100.0f,
     {ElementId::Steam, MatterState::Gas, "steam"}},
    {ElementId::Ice, Comparison::Above, 0.0f, {ElementId::Water, MatterState::Liquid, nullptr}},
    {ElementId::Steam, Comparison::Below, 100.0f,
     {ElementId::Water, MatterState::Liquid, nullptr}},
    {ElementId::Lava, Comparison::Below, 1000.0f, {ElementId::Rock, MatterState::Solid, nullptr}},
    {ElementId::MoltenGlass, Comparison::Below, 1500.0f,
     {ElementId::Glass, MatterState::Solid, "glass"}},
    {ElementId::Glass, Comparison::Above, 1200.0f,
     {ElementId::MoltenGlass, MatterState::Liquid, "molten glass"}},
}};

bool holds(Comparison comparison, float value, float threshold) {
    switch (comparison) {
    case Comparison::Below:
        return value < threshold;
    case Comparison::AtMost:
        return value <= threshold;
    case Comparison::AtLeast:
        return value >= threshold;
    case Comparison::Above:
        return value > threshold;
    }
    return false;
}

} // namespace

std::optional<Transformation> transformationFor(ElementId element, float temperature) {
    for (const Rule& rule : rules)
        if (rule.from == element && holds(rule.comparison, temperature, rule.threshold))
            return rule.result;
    return std::nullopt;
}
