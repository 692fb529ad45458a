#include "sim/StartOfStep.hpp"

namespace {

std::uint32_t bitIf(bool condition, int bit) {
    return static_cast<std::uint32_t>(condition) << bit;
}

std::uint32_t flagsOf(const Cell& cell) {
    const bool isAir = cell.element == ElementId::Air;
    const bool sinkable =
        isAir | (cell.state == MatterState::Liquid) | (cell.state == MatterState::Gas);
    return StartOfStep::inside | bitIf(isAir, StartOfStep::airBit) |
           bitIf(sinkable, StartOfStep::fallTargetBit) |
           bitIf(cell.density == 0.0f, StartOfStep::sideTargetBit);
}

} // namespace

StartOfStep::StartOfStep(const std::vector<std::vector<Cell>>& grid, int width, int height)
    : stride(height + 2),
      cells(static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height + 2),
            ScannedCell{0.0f, 0}) {
    for (int x = 0; x < width; ++x) {
        const Cell* column = grid[static_cast<std::size_t>(x)].data();
        ScannedCell* scanned = cells.data() + (x + 1) * stride + 1;
        for (int y = 0; y < height; ++y)
            scanned[y] = {column[y].temperature, flagsOf(column[y])};
    }
}
