#pragma once

#include <array>
#include <utility>

/// Offsets of the neighbours in their fixed order: row above left to right, then left and
/// right, then row below left to right.
inline constexpr std::array<std::pair<int, int>, 8> neighbourOffsets = {{
    {-1, -1},
    {0, -1},
    {1, -1},
    {-1, 0},
    {1, 0},
    {-1, 1},
    {0, 1},
    {1, 1},
}};

/// The in-grid cells around a position, in the order of `neighbourOffsets`. Kept on the
/// stack: no allocation per query.
struct Neighbourhood {
    std::array<std::pair<int, int>, 8> cells{};
    int count = 0;

    const std::pair<int, int>* begin() const { return cells.data(); }
    const std::pair<int, int>* end() const { return cells.data() + count; }
};

inline Neighbourhood neighbourhoodOf(int x, int y, int width, int height) {
    Neighbourhood result;
    for (const auto& [dx, dy] : neighbourOffsets) {
        // Wide arithmetic: any int is a valid query, INT_MAX included.
        const long long nx = static_cast<long long>(x) + dx;
        const long long ny = static_cast<long long>(y) + dy;
        if (nx >= 0 && nx < width && ny >= 0 && ny < height)
            result.cells[static_cast<std::size_t>(result.count++)] = {static_cast<int>(nx),
                                                                      static_cast<int>(ny)};
    }
    return result;
}
