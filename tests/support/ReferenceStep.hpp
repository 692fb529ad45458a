#pragma once

#include "sim/Simulation.hpp"

#include <string>

namespace worldtest {

/// One step written plainly, visit by visit, every move swapping two records of the working
/// copy. It takes the same draws from `world.rng` in the same order as the real step must.
void referenceStep(Simulation& world);

/// Empty when both worlds hold the same state (both grids, cellOrder, particleCount,
/// discoveredElements, the engine); otherwise the first difference.
std::string firstDifference(const Simulation& expected, const Simulation& actual);

} // namespace worldtest
