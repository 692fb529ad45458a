#pragma once

#include "sim/Simulation.hpp"

#include <cstdint>

/// A world that keeps moving for a few dozen steps: sand, water and rock scattered over air,
/// with five-by-five patches far past the melting and boiling points and patches below zero.
/// The same size and seed always give the same world, generator included.
Simulation makeBusyWorld(int width, int height, std::uint32_t seed = 2024);

/// Puts back the cells of `original` (both grids) and leaves the generator and the visiting
/// order running, so that a restored world does not replay the same steps.
void restoreCells(Simulation& world, const Simulation& original);
