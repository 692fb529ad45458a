#include "sim/Simulation.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

static const char* const names[] = {"sand",  "rock",         "water", "ice",  "steam", "lava",
                                    "glass", "molten glass", "air",   "heat", "cool",  "none"};

// Paint and step calls from raw bytes, with any brush, position, name and strength, in worlds
// of any size: nothing reads or writes out of bounds and temperatures stay numbers within
// bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Simulation world = in.ConsumeBool() ? Simulation(in.ConsumeIntegralInRange(-2, 20),
                                                     in.ConsumeIntegralInRange(-2, 20))
                                        : Simulation();
    world.rng.seed(in.ConsumeIntegral<std::uint32_t>());
    for (int calls = 0; in.remaining_bytes() > 0 && calls < 64; ++calls) {
        if (in.ConsumeBool()) {
            world.step();
        } else {
            const int brush = in.ConsumeIntegral<int>() % 70, x = in.ConsumeIntegral<int>(),
                      y = in.ConsumeIntegral<int>();
            world.paint(brush, x % 700, in.ConsumeBool() ? y : y % 700,
                        in.ConsumeBool() ? names[in.ConsumeIntegralInRange(0, 11)]
                                         : in.ConsumeRandomLengthString(14),
                        in.ConsumeFloatingPoint<float>());
        }
        for (const auto& column : world.grid)
            for (const Cell& cell : column)
                if (!(cell.temperature >= minTemperature && cell.temperature <= maxTemperature))
                    std::abort();
    }
    return 0;
}
