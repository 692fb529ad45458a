#include "sim/Neighbourhood.hpp"
#include "sim/Simulation.hpp"
#include "sim/Transformations.hpp"

#include <algorithm>
#include <array>

namespace {

using Position = std::pair<int, int>;
using Grid = std::vector<std::vector<Cell>>;

Cell& at(Grid& grid, Position p) {
    return grid[static_cast<std::size_t>(p.first)][static_cast<std::size_t>(p.second)];
}

const Cell& at(const Grid& grid, Position p) {
    return grid[static_cast<std::size_t>(p.first)][static_cast<std::size_t>(p.second)];
}

// At most three candidates per direction; no allocation per visit.
struct Candidates {
    std::array<Position, 3> cells{};
    int count = 0;

    void add(Position p) { cells[static_cast<std::size_t>(count++)] = p; }
    bool empty() const { return count == 0; }
};

class StepVisit {
public:
    StepVisit(Simulation& world, Position p)
        : world(world), grid(world.grid), next(world.nextGrid), p(p), visited(at(grid, p)),
          around(neighbourhoodOf(p.first, p.second, world.width, world.height)) {}

    void run() {
        if (visited.element == ElementId::Air) {
            exchangeHeat(visited.temperature, true);
            return;
        }
        ++world.particleCount;
        const Position moved = move();
        const Cell before = at(next, moved);
        transform(moved, before);
        exchangeHeat(before.temperature, before.element == ElementId::Air);
    }

private:
    // Candidates are judged on start-of-step records, so a cell freed during the step is no
    // target for anyone else until the next step.
    Position move() {
        Candidates fall;
        Candidates rise;
        Candidates side;
        for (const Position& n : around) {
            const Cell& record = at(grid, n);
            if (n.second > p.second) {
                if (record.element == ElementId::Air || record.state == MatterState::Liquid ||
                    record.state == MatterState::Gas)
                    fall.add(n);
            } else if (n.second < p.second) {
                if (record.element == ElementId::Air)
                    rise.add(n);
            } else if (record.density == 0.0f) {
                side.add(n);
            }
        }

        const MatterState state = visited.state;
        if (state != MatterState::Solid && state != MatterState::Gas && !fall.empty()) {
            const Position n = pick(fall);
            if (visited.density > at(grid, n).density && visited.density > at(next, n).density)
                return moveTo(n);
        }
        if (state == MatterState::Gas && !rise.empty()) {
            const Position n = pick(rise);
            if (isAirInBoth(n))
                return moveTo(n);
        }
        if ((state == MatterState::Liquid || state == MatterState::Gas) && !side.empty()) {
            const Position n = pick(side);
            if (isAirInBoth(n))
                return moveTo(n);
        }
        return p;
    }

    Position pick(const Candidates& candidates) {
        std::uniform_int_distribution<int> index(0, candidates.count - 1);
        return candidates.cells[static_cast<std::size_t>(index(world.rng))];
    }

    bool isAirInBoth(Position n) const {
        return at(grid, n).element == ElementId::Air && at(next, n).element == ElementId::Air;
    }

    // Swaps the working copy's records, so that a target an earlier visit already wrote is
    // neither lost nor duplicated.
    Position moveTo(Position n) {
        std::swap(at(next, p), at(next, n));
        at(next, n).transformCooldown = visited.transformCooldown;
        return n;
    }

    void transform(Position moved, const Cell& before) {
        Cell& record = at(next, moved);
        if (before.transformCooldown <= 0) {
            if (const auto rule = transformationFor(before.element, before.temperature)) {
                record.element = rule->element;
                record.state = rule->state;
                if (rule->discovered != nullptr)
                    world.discoveredElements[rule->discovered] = true;
            }
        }
        if (record.element != before.element) {
            record.transformCooldown = transformCooldownSteps;
            record.color = variedColor(record.element, world.rng);
        } else if (at(grid, moved).transformCooldown > 0) {
            record.transformCooldown = std::max(record.transformCooldown - 1, 0);
        }
    }

    // Neighbour temperatures are start-of-step values: the exchange does not depend on the
    // visiting order, only the record that receives it does.
    void exchangeHeat(float own, bool ownIsAir) {
        float sum = 0.0f;
        for (const Position& n : around) {
            const Cell& neighbour = at(grid, n);
            const bool airSide = ownIsAir || neighbour.element == ElementId::Air;
            sum += (neighbour.temperature - own) * (airSide ? airHeatRate : heatRate);
        }
        at(next, p).temperature = std::clamp(sum + own, minTemperature, maxTemperature);
    }

    Simulation& world;
    const Grid& grid;
    Grid& next;
    Position p;
    Cell visited;
    Neighbourhood around;
};

} // namespace

void Simulation::step() {
    std::shuffle(cellOrder.begin(), cellOrder.end(), rng);
    nextGrid = grid;
    particleCount = 0;
    for (const auto& position : cellOrder)
        StepVisit(*this, position).run();
    grid = nextGrid;
}
