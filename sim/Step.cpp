#include "sim/Neighbourhood.hpp"
#include "sim/Simulation.hpp"
#include "sim/Transformations.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// One position as a visit sees it: its start-of-step record and its record in the working
// copy. Pointers instead of coordinates: every neighbour is read several times per visit.
struct Slot {
    const Cell* start;
    Cell* work;
};

// The neighbours of a cell away from the edges: all eight exist, found from the three
// columns around the cell without a test or a list.
struct InnerNeighbours {
    // Row y of columns x - 1, x and x + 1.
    std::array<Slot, 3> columns;

    static constexpr int besideFrom = 3;
    static constexpr int belowFrom = 5;
    static constexpr int count = 8;

    Slot operator[](int i) const {
        const auto [dx, dy] = neighbourOffsets[static_cast<std::size_t>(i)];
        const Slot& column = columns[static_cast<std::size_t>(dx + 1)];
        return {column.start + dy, column.work + dy};
    }
};

// The neighbours of a cell on an edge: those inside the grid, listed. The neighbour order
// lists the row above first, then the cells beside, then the row below, so each of the three
// lies in one contiguous range of the list.
struct EdgeNeighbours {
    std::array<Slot, 8> cells{};
    int besideFrom = 0;
    int belowFrom = 0;
    int count = 0;

    Slot operator[](int i) const { return cells[static_cast<std::size_t>(i)]; }
};

// At most three candidates per direction; no allocation per visit. The spare entry lets
// `consider` write before it knows whether to keep, which spares a hard-to-predict branch.
struct Candidates {
    std::array<Slot, 4> cells{};
    int count = 0;

    template <typename Neighbours, typename Test>
    void consider(const Neighbours& around, int first, int last, Test test) {
        for (int i = first; i < last; ++i) {
            const Slot n = around[i];
            cells[static_cast<std::size_t>(count)] = n;
            count += test(*n.start) ? 1 : 0;
        }
    }
    bool empty() const { return count == 0; }
};

class Stepper {
public:
    explicit Stepper(Simulation& world) : world(world) {
        start.reserve(world.grid.size());
        work.reserve(world.nextGrid.size());
        for (const auto& column : world.grid)
            start.push_back(column.data());
        for (auto& column : world.nextGrid)
            work.push_back(column.data());
    }

    // Visited positions always lie inside the grid, so plain int arithmetic cannot overflow.
    void visit(int x, int y) {
        const Slot self = slotAt(x, y);
        if (x > 0 && y > 0 && x < world.width - 1 && y < world.height - 1)
            visitWith(self, InnerNeighbours{{{slotAt(x - 1, y), self, slotAt(x + 1, y)}}});
        else
            visitWith(self, edgeNeighbours(x, y));
    }

    int particleCount() const { return particles; }

private:
    Slot slotAt(int x, int y) const {
        const auto column = static_cast<std::size_t>(x);
        return {start[column] + y, work[column] + y};
    }

    // Every neighbour is written at the next free entry, clamped into the grid, and counted
    // only when it lies inside: which neighbours exist changes from visit to visit, and a
    // branch on it would often be guessed wrong.
    EdgeNeighbours edgeNeighbours(int x, int y) const {
        EdgeNeighbours result;
        for (const auto& [dx, dy] : neighbourOffsets) {
            const int nx = x + dx;
            const int ny = y + dy;
            const bool inside = (nx >= 0) & (nx < world.width) & (ny >= 0) & (ny < world.height);
            result.cells[static_cast<std::size_t>(result.count)] =
                slotAt(std::clamp(nx, 0, world.width - 1), std::clamp(ny, 0, world.height - 1));
            result.count += inside ? 1 : 0;
            if (dy < 0)
                result.besideFrom = result.count;
            if (dy <= 0)
                result.belowFrom = result.count;
        }
        return result;
    }

    template <typename Neighbours> void visitWith(Slot self, const Neighbours& around) {
        const Cell& visited = *self.start;
        if (visited.element == ElementId::Air) {
            exchangeHeat(self, around, visited.temperature, true);
            return;
        }
        ++particles;
        const Slot moved = move(self, around, visited);
        const Cell before = *moved.work;
        transform(moved, before);
        exchangeHeat(self, around, before.temperature, before.element == ElementId::Air);
    }

    // Candidates are judged on start-of-step records, so a cell freed during the step is no
    // target for anyone else until the next step.
    template <typename Neighbours>
    Slot move(Slot self, const Neighbours& around, const Cell& visited) {
        const MatterState state = visited.state;
        // A solid tries no move kind, so it draws nothing either.
        if (state == MatterState::Solid)
            return self;

        if (state != MatterState::Gas) {
            Candidates fall;
            fall.consider(around, around.belowFrom, around.count, [](const Cell& record) {
                return (record.element == ElementId::Air) | (record.state == MatterState::Liquid) |
                       (record.state == MatterState::Gas);
            });
            if (!fall.empty()) {
                const Slot n = pick(fall);
                if (visited.density > n.start->density && visited.density > n.work->density)
                    return moveTo(self, n, visited);
            }
        } else {
            Candidates rise;
            rise.consider(around, 0, around.besideFrom,
                          [](const Cell& record) { return record.element == ElementId::Air; });
            if (!rise.empty()) {
                const Slot n = pick(rise);
                if (isAirInBoth(n))
                    return moveTo(self, n, visited);
            }
        }
        if (state == MatterState::Liquid || state == MatterState::Gas) {
            Candidates side;
            side.consider(around, around.besideFrom, around.belowFrom,
                          [](const Cell& record) { return record.density == 0.0f; });
            if (!side.empty()) {
                const Slot n = pick(side);
                if (isAirInBoth(n))
                    return moveTo(self, n, visited);
            }
        }
        return self;
    }

    Slot pick(const Candidates& candidates) {
        std::uniform_int_distribution<int> index(0, candidates.count - 1);
        return candidates.cells[static_cast<std::size_t>(index(world.rng))];
    }

    static bool isAirInBoth(Slot n) {
        return n.start->element == ElementId::Air && n.work->element == ElementId::Air;
    }

    // Swaps the working copy's records, so that a target an earlier visit already wrote is
    // neither lost nor duplicated.
    static Slot moveTo(Slot self, Slot n, const Cell& visited) {
        std::swap(*self.work, *n.work);
        n.work->transformCooldown = visited.transformCooldown;
        return n;
    }

    void transform(Slot moved, const Cell& before) {
        Cell& record = *moved.work;
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
            return;
        }
        // The countdown runs while the start-of-step record's does.
        if (moved.start->transformCooldown > 0)
            record.transformCooldown = std::max(record.transformCooldown - 1, 0);
    }

    // Neighbour temperatures are start-of-step values: the exchange does not depend on the
    // visiting order, only the record that receives it does.
    template <typename Neighbours>
    static void exchangeHeat(Slot self, const Neighbours& around, float own, bool ownIsAir) {
        // Looked up rather than chosen by a branch: which neighbours are air is random.
        const std::array<float, 2> rates = {heatRate, airHeatRate};
        float sum = 0.0f;
        for (int i = 0; i < around.count; ++i) {
            const Cell& neighbour = *around[i].start;
            const bool airSide = ownIsAir | (neighbour.element == ElementId::Air);
            sum += (neighbour.temperature - own) * rates[airSide ? 1 : 0];
        }
        self.work->temperature = std::clamp(sum + own, minTemperature, maxTemperature);
    }

    Simulation& world;
    std::vector<const Cell*> start;
    std::vector<Cell*> work;
    int particles = 0;
};

} // namespace

void Simulation::step() {
    std::shuffle(cellOrder.begin(), cellOrder.end(), rng);
    nextGrid = grid;
    Stepper stepper(*this);
    for (const auto& [x, y] : cellOrder)
        stepper.visit(x, y);
    particleCount = stepper.particleCount();
    grid = nextGrid;
}
