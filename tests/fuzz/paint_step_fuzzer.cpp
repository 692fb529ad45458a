#include "sim/Simulation.hpp"
#include "support/WorldChecks.hpp"

#include <bit>
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

    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    std::uint32_t word() {
        return std::uint32_t{byte()} << 24 | byte() << 16 | byte() << 8 | byte();
    }
    // Mostly values from -offset in steps of `scale`, sometimes any int at all.
    int number(int spread, int scale, int offset) {
        const std::uint8_t mode = byte();
        return mode < 220 ? mode % spread * scale - offset : static_cast<int>(word());
    }
};

std::string brushName(ByteReader& in) {
    static const char* names[] = {"sand", "rock",         "water", "ice",      "steam",
                                  "lava", "molten glass", "glass", "air",      "heat",
                                  "cool", "none",         "",      "fallback", "Heat"};
    const std::uint8_t choice = in.byte();
    if (choice < 30)
        return names[choice % 15];
    std::string raw;
    for (int length = choice % 8; length > 0; --length)
        raw.push_back(static_cast<char>(in.byte()));
    return raw;
}

float strength(ByteReader& in) {
    static const float usual[] = {1.0f,
                                  5.0f,
                                  0.5f,
                                  -1.0f,
                                  1.0e30f,
                                  std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::quiet_NaN()};
    const std::uint8_t mode = in.byte();
    return mode < 128 ? usual[mode % 7] : std::bit_cast<float>(in.word());
}

void require(bool holds, const std::string& what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in{data, size};
    // Mostly the real 50 by 50 world; small ones, sizes below 1 included, run faster.
    Simulation world =
        in.byte() % 4 == 0 ? Simulation() : Simulation(in.byte() % 20, in.byte() % 20);
    world.rng.seed(in.word());
    for (int steps = 0; in.at < in.size && steps < 48;) {
        if (in.byte() % 4 == 0) {
            world.step();
            ++steps;
        } else {
            const auto order = world.cellOrder;
            const auto discovered = world.discoveredElements;
            const int count = world.particleCount;
            const int brush = in.number(64, 1, 8);
            const int x = in.number(220, 3, 20);
            const int y = in.number(220, 3, 20);
            world.paint(brush, x, y, brushName(in), strength(in));
            require(world.cellOrder == order && world.discoveredElements == discovered &&
                        world.particleCount == count,
                    "paint touched the step's state");
        }
        const std::string broken = worldtest::invariantViolation(world);
        require(broken.empty(), "invariant broken: " + broken);
    }
    return 0;
}
