#include "sim/Simulation.hpp"
#include "support/ReferenceStep.hpp"
#include "support/WorldChecks.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Hands out the input piece by piece; an exhausted input reads as zeros.
struct ByteReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    bool done() const { return at >= size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    std::uint32_t word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        return value;
    }
    int anyInt() { return static_cast<int>(word()); }
};

// Mostly values near the grid, sometimes any int at all.
int coordinate(ByteReader& in) {
    const std::uint8_t mode = in.byte();
    if (mode < 200)
        return static_cast<int>(mode) * 3 - 20 + in.byte() % 3;
    return in.anyInt();
}

int brushSize(ByteReader& in) {
    const std::uint8_t mode = in.byte();
    if (mode < 220)
        return static_cast<int>(mode % 64) - 8;
    return in.anyInt();
}

std::string brushName(ByteReader& in) {
    static const std::array<std::string, 16> names = {
        "sand", "rock", "water", "ice", "steam",    "lava", "molten glass",         "glass", "air",
        "heat", "cool", "none",  "",    "fallback", "Heat", std::string("air\0", 4)};
    const std::uint8_t choice = in.byte();
    if (choice < 2 * names.size())
        return names[choice % names.size()];
    std::string raw;
    for (int length = choice % 8; length > 0; --length)
        raw.push_back(static_cast<char>(in.byte()));
    return raw;
}

float strength(ByteReader& in) {
    static const std::array<float, 8> usual = {1.0f,
                                               5.0f,
                                               0.5f,
                                               0.0f,
                                               -1.0f,
                                               1.0e30f,
                                               std::numeric_limits<float>::infinity(),
                                               std::numeric_limits<float>::quiet_NaN()};
    const std::uint8_t mode = in.byte();
    if (mode < 128)
        return usual[mode % usual.size()];
    return std::bit_cast<float>(in.word());
}

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

void check(const Simulation& world) {
    if (const std::string broken = worldtest::invariantViolation(world); !broken.empty())
        fail("invariant broken", broken);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in{data, size};
    const std::uint8_t shape = in.byte();
    // Most inputs use the real 50 by 50 world; small ones, empty ones included, run faster.
    Simulation world = shape % 4 == 0 ? Simulation() : Simulation(in.byte() % 20, in.byte() % 20);
    world.rng.seed(in.word());
    check(world);

    int steps = 0;
    while (!in.done() && steps < 48) {
        const std::uint8_t op = in.byte();
        if (op % 4 == 0) {
            // The plain reading is slow: the input decides which steps it checks.
            if ((op & 0x10) != 0) {
                Simulation expected = world;
                worldtest::referenceStep(expected);
                world.step();
                if (const std::string difference = worldtest::firstDifference(expected, world);
                    !difference.empty())
                    fail("step differs from the plain reading", difference);
            } else {
                world.step();
            }
            ++steps;
        } else {
            const auto order = world.cellOrder;
            const auto discovered = world.discoveredElements;
            const int count = world.particleCount;
            const int size = brushSize(in);
            const int x = coordinate(in);
            const int y = coordinate(in);
            world.paint(size, x, y, brushName(in), strength(in));
            if (world.cellOrder != order || world.discoveredElements != discovered ||
                world.particleCount != count)
                fail("paint touched the step's state", "");
        }
        check(world);
    }
    return 0;
}
