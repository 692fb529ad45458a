#pragma once

#include "elements/Elements.hpp"

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
