#include "sim/Neighbourhood.hpp"
#include "sim/Simulation.hpp"
#include "sim/StartOfStep.hpp"
#include "sim/Transformations.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// One position as a visit sees it: its start-of-step record and its record in the working
// copy.
struct Slot {
    const Cell* start;
    Cell* work;
};

// Where the neighbours of each move kind start in the neighbour order.
constexpr int rowAbove = 0;
constexpr int beside = 3;
constexpr int rowBelow = 5;

// nthCandidate[mask][j]: the neighbour, counted from the first of its kind, that is the j-th
// candidate when `mask` marks the candidates among up to three.
constexpr std::array<std::array<std::uint8_t, 3>, 8> nthCandidate = {{
    {0, 0, 0},
    {0, 0, 0},
    {1, 0, 0},
    {0, 1, 0},
    {2, 0, 0},
    {0, 2, 0},
    {1, 2, 0},
    {0, 1, 2},
}};

class Stepper {
public:
    explicit Stepper(Simulation& world)
        : world(world), scan(world.grid, world.width, world.height) {
        start.reserve(world.grid.size());
        work.reserve(world.nextGrid.size());
        for (const auto& column : world.grid)
            start.push_back(column.data());
        for (auto& column : world.nextGrid)
            work.push_back(column.data());
    }

    void visit(int x, int y) {
        const Slot self = slotAt(x, y);
        const ScannedBlock block = scan.blockAt(x, y);
        const Cell& visited = *self.start;
        if (visited.element == ElementId::Air) {
            exchangeHeat(self, block, visited.temperature, true);
            return;
        }
        ++particles;
        const Slot moved = move(self, x, y, block, visited);
        const Cell before = *moved.work;
        transform(moved, before);
        exchangeHeat(self, block, before.temperature, before.element == ElementId::Air);
    }

    int particleCount() const { return particles; }

private:
    // Visited positions and chosen neighbours always lie inside the grid.
    Slot slotAt(int x, int y) const {
        const auto column = static_cast<std::size_t>(x);
        return {start[column] + y, work[column] + y};
    }

    Slot neighbourSlot(int x, int y, int neighbour) const {
        const auto [dx, dy] = neighbourOffsets[static_cast<std::size_t>(neighbour)];
        return slotAt(x + dx, y + dy);
    }

    // One draw over the candidates, in neighbour order, as the candidate list would give.
    int pick(unsigned mask, int first) {
        constexpr std::array<int, 8> candidateCount = {0, 1, 1, 2, 1, 2, 2, 3};
        std::uniform_int_distribution<int> index(0, candidateCount[mask] - 1);
        return first + nthCandidate[mask][static_cast<std::size_t>(index(world.rng))];
    }

    // Candidates are judged on start-of-step records, so a cell freed during the step is no
    // target for anyone else until the next step.
    Slot move(Slot self, int x, int y, const ScannedBlock& block, const Cell& visited) {
        const MatterState state = visited.state;
        // A solid tries no move kind, so it draws nothing either.
        if (state == MatterState::Solid)
            return self;

        if (state != MatterState::Gas) {
            if (const unsigned fall = block.rowMask(1, StartOfStep::fallTargetBit)) {
                const Slot n = neighbourSlot(x, y, pick(fall, rowBelow));
                if (visited.density > n.start->density && visited.density > n.work->density)
                    return moveTo(self, n);
            }
        } else if (const unsigned rise = block.rowMask(-1, StartOfStep::airBit)) {
            const Slot n = neighbourSlot(x, y, pick(rise, rowAbove));
            if (isAirInBoth(n))
                return moveTo(self, n);
        }
        if (state == MatterState::Liquid || state == MatterState::Gas) {
            if (const unsigned side = block.besideMask(StartOfStep::sideTargetBit)) {
                const Slot n = neighbourSlot(x, y, pick(side, beside));
                if (isAirInBoth(n))
                    return moveTo(self, n);
            }
        }
        return self;
    }

    static bool isAirInBoth(Slot n) {
        return n.start->element == ElementId::Air && n.work->element == ElementId::Air;
    }

    // Swaps the working copy's records whole, so that a target an earlier visit already wrote
    // is neither lost nor duplicated, and a record carried on keeps its own countdown.
    static Slot moveTo(Slot self, Slot n) {
        std::swap(*self.work, *n.work);
        return n;
    }

    void transform(Slot moved, const Cell& before) {
        Cell& record = *moved.work;
        const Transformation* rule = before.transformCooldown <= 0
                                         ? transformationAt(before.element, before.temperature)
                                         : nullptr;
        if (rule != nullptr) {
            // Every rule makes another element, so a rule that fires is a change.
            record.element = rule->element;
            record.state = rule->state;
            if (rule->discovered != nullptr)
                markDiscovered(*rule);
            record.transformCooldown = transformCooldownSteps;
            record.color = variedColor(record.element, world.rng);
            return;
        }
        // The countdown runs while the start-of-step record's does.
        const bool countingDown = moved.start->transformCooldown > 0;
        record.transformCooldown =
            countingDown ? std::max(record.transformCooldown - 1, 0) : record.transformCooldown;
    }

    // Once a step is enough: nothing else writes the map while the step runs.
    void markDiscovered(const Transformation& rule) {
        const std::uint32_t bit = 1u << static_cast<std::uint32_t>(rule.element);
        if ((discoveredThisStep & bit) != 0)
            return;
        discoveredThisStep |= bit;
        world.discoveredElements[rule.discovered] = true;
    }

    // Neighbour temperatures are start-of-step values: the exchange does not depend on the
    // visiting order, only the record that receives it does. Border cells weigh zero and add
    // a zero to the sum, which leaves it as it is for any finite own temperature.
    [[gnu::always_inline]] void exchangeHeat(Slot self, const ScannedBlock& block, float own,
                                             bool ownIsAir) const {
        const auto& rates = StartOfStep::heatRates[ownIsAir ? 1 : 0];
        float sum = 0.0f;
        if (std::isfinite(own)) [[likely]] {
            block.forEachNeighbour([&](const ScannedCell& n) {
                sum += (n.temperature - own) * rates[n.flags & StartOfStep::rateBits];
            });
        } else {
            // Infinity times a zero weight is no zero: leave the border out.
            block.forEachNeighbour([&](const ScannedCell& n) {
                if ((n.flags & StartOfStep::inside) != 0)
                    sum += (n.temperature - own) * rates[n.flags & StartOfStep::rateBits];
            });
        }
        self.work->temperature = clampTemperature(sum + own);
    }

    // The clamp as two selects the compiler turns into max and min: no branch, and a NaN
    // passes through as with std::clamp.
    static float clampTemperature(float t) {
        t = minTemperature > t ? minTemperature : t;
        return maxTemperature < t ? maxTemperature : t;
    }

    Simulation& world;
    const StartOfStep scan;
    std::vector<const Cell*> start;
    std::vector<Cell*> work;
    int particles = 0;
    std::uint32_t discoveredThisStep = 0;
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
