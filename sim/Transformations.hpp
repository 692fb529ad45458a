#pragma once

#include "elements/Elements.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

/// What an element turns into once its temperature crosses a threshold.
struct Transformation {
    ElementId element;
    MatterState state;
    /// Name recorded as discovered, or nullptr for rules that make nothing new.
    const char* discovered;
};

/// The rule of `element` that fires at `temperature`, if any.
std::optional<Transformation> transformationFor(ElementId element, float temperature);

/// The rules of one element as two limits: it transforms into `cold` when its temperature is
/// below `coldBelow`, into `hot` when above `hotAbove`. A missing rule has an infinite limit,
/// and a NaN temperature passes neither.
struct TransformationLimits {
    float coldBelow = -std::numeric_limits<float>::infinity();
    Transformation cold{};
    float hotAbove = std::numeric_limits<float>::infinity();
    Transformation hot{};
};

/// Limits of every element, indexed by the element's value. Values outside the enumeration
/// have no row: they never transform.
extern const std::array<TransformationLimits, 10> transformationLimits;

/// The rule that fires, as `transformationFor`, without a copy: the step asks once per
/// particle.
inline const Transformation* transformationAt(ElementId element, float temperature) {
    const auto row = static_cast<std::uint32_t>(element);
    if (row >= transformationLimits.size())
        return nullptr;
    const TransformationLimits& limits = transformationLimits[row];
    if (temperature < limits.coldBelow)
        return &limits.cold;
    if (temperature > limits.hotAbove)
        return &limits.hot;
    return nullptr;
}
