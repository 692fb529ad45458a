#pragma once

#include "sim/Simulation.hpp"

#include <string>

namespace worldtest {

/// Empty while the world keeps what must always hold: both grids `width` columns of `height`
/// cells, every temperature a number within [-273, 5000], `cellOrder` a permutation of all
/// positions, `particleCount` within [0, cells], `discoveredElements` only the five keys that
/// transformations make, each true. Otherwise what broke.
std::string invariantViolation(const Simulation& world);

} // namespace worldtest
