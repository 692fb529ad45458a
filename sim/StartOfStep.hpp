#pragma once

#include "sim/Simulation.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

/// What a step reads of a neighbour: its start-of-step temperature and a few facts as flags.
struct ScannedCell {
    float temperature;
    std::uint32_t flags;
};

/// The 3 by 3 block around a position of the scan: row y of the columns x - 1, x and x + 1.
struct ScannedBlock {
    const ScannedCell* left;
    const ScannedCell* middle;
    const ScannedCell* right;

    /// Bit i set when the i-th cell, left to right, of row y + dy carries flag bit `bit`.
    unsigned rowMask(int dy, int bit) const {
        return has(left[dy], bit) | has(middle[dy], bit) << 1 | has(right[dy], bit) << 2;
    }

    /// Bit 0 for the left neighbour, bit 1 for the right one.
    unsigned besideMask(int bit) const { return has(left[0], bit) | has(right[0], bit) << 1; }

    /// Calls `visit(cell)` for the eight neighbours in neighbour order: row above left
    /// to right, then left and right, then row below left to right.
    template <typename Visit> void forEachNeighbour(Visit visit) const {
        visit(left[-1]);
        visit(middle[-1]);
        visit(right[-1]);
        visit(left[0]);
        visit(right[0]);
        visit(left[1]);
        visit(middle[1]);
        visit(right[1]);
    }

private:
    // A shift, not a test: which neighbours qualify is random, a branch would often miss.
    static unsigned has(const ScannedCell& cell, int bit) { return cell.flags >> bit & 1u; }
};

/// The start-of-step grid as the visits of a step read their neighbours, built once a step:
/// flat, with a border of outside cells, so that every position has eight neighbours and no
/// visit asks which of them exist.
class StartOfStep {
public:
    /// Flag bits. `inside`: a cell of the grid; the border cells have no flag at all.
    /// `fallTarget`: air, a liquid or a gas, what a falling cell may sink into.
    /// `sideTarget`: density exactly zero, where a cell may flow sideways.
    static constexpr int insideBit = 0;
    static constexpr int airBit = 1;
    static constexpr int fallTargetBit = 2;
    static constexpr int sideTargetBit = 3;
    static constexpr std::uint32_t inside = 1u << insideBit;
    /// The flags that choose a neighbour's heat weight.
    static constexpr std::uint32_t rateBits = inside | 1u << airBit;

    /// Heat weights by [own cell is air][neighbour flags & rateBits]; the border weighs zero.
    static constexpr std::array<std::array<float, 4>, 2> heatRates = {{
        {0.0f, heatRate, 0.0f, airHeatRate},
        {0.0f, airHeatRate, 0.0f, airHeatRate},
    }};

    StartOfStep(const std::vector<std::vector<Cell>>& grid, int width, int height);

    ScannedBlock blockAt(int x, int y) const {
        const ScannedCell* middle = cells.data() + (x + 1) * stride + (y + 1);
        return {middle - stride, middle, middle + stride};
    }

private:
    std::ptrdiff_t stride;
    std::vector<ScannedCell> cells;
};
