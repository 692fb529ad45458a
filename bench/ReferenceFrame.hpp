#pragma once

#include "app/Sandbox.hpp"

/// The frame's picture drawn the plain way, every square, shape, sprite and text made anew
/// and drawn one at a time with the default render states, as the program once drew it: the
/// yardstick for the pixels and the cost of `drawFrame`, which it matches argument for argument.
void drawReferenceFrame(Sandbox& sandbox, DisplayMode mode, sf::Vector2i mouse);
