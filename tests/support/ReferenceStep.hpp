#pragma once

#include "sim/Simulation.hpp"

#include <string>

namespace worldtest {

/// One step written plainly, visit by visit, with every move swapping two records of the
/// working copy. It takes the same draws from `world.rng` in the same order as the real step
/// must, so both can run on copies of one world and be compared field by field.
void referenceStep(Simulation& world);

/// Empty when both worlds hold the same state (geometry, every field of both grids,
/// cellOrder, particleCount, discoveredElements, the engine); otherwise the first difference.
std::string firstDifference(const Simulation& expected, const Simulation& actual);

} // namespace worldtest
