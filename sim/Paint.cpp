#include "sim/Simulation.hpp"

#include <algorithm>
#include <cmath>

namespace {

// A NaN strength would make a NaN temperature, which the heat exchange then spreads over the
// whole world; such a stroke leaves the temperature alone instead.
float clampedTemperature(float proposed, float current) {
    if (std::isnan(proposed))
        return current;
    return std::clamp(proposed, minTemperature, maxTemperature);
}

} // namespace

void Simulation::paint(int brushSize, int mouseX, int mouseY, std::string brushName,
                       float strength) {
    const long long pitch = cellSize + cellGap;
    if (mouseX < 0 || mouseY < 0 || pitch <= 0)
        return;
    if (mouseX > pitch * width || mouseY > pitch * height)
        return;

    const long long cx = mouseX / pitch;
    const long long cy = mouseY / pitch;
    const long long half = brushSize / 2;

    const ElementId id = elementFromName(brushName);
    const MatterState state = paintedState(id);
    const float density = elementDensity[id];
    const sf::Color base = elementColors[id];
    const int variation = colorVariation[id];
    if (half < 0)
        return;

    const bool heat = brushName == "heat";
    const bool cool = brushName == "cool";
    const bool erase = brushName == "air";
    const bool none = brushName == "none";

    // Clipping the square to the grid visits the same cells in the same order as walking the
    // whole square, without a long walk for a huge brush.
    const long long left = std::max(cx - half, 0LL);
    const long long right = std::min(cx + half, static_cast<long long>(width) - 1);
    const long long top = std::max(cy - half, 0LL);
    const long long bottom = std::min(cy + half, static_cast<long long>(height) - 1);
    for (long long x = left; x <= right; ++x) {
        for (long long y = top; y <= bottom; ++y) {
            Cell& cell = grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
            float t = cell.temperature;
            if (heat) {
                t = t + strength * 10.0f;
            } else if (cool) {
                t = t - strength * 10.0f;
            } else if (cell.element != ElementId::Air && !erase) {
                // Only air takes paint.
            } else {
                t = 20.0f;
                cell.state = state;
                cell.element = id;
                cell.density = density;
                if (none) {
                    // Nothing selected: a plain marker cell that keeps the temperature.
                    cell.color = base;
                    continue;
                }
                cell.color = variedColor(base, variation, rng);
            }
            cell.temperature = clampedTemperature(t, cell.temperature);
        }
    }
}
