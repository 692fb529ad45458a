#include "app/StatusOverlay.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <locale>
#include <thread>

namespace {

TEST(StatusText, ComposedByteForByte) {
    struct Case {
        const char* pauseLine;
        const char* selected;
        const char* mode;
        float fps;
        int limit;
        int particles;
        const char* expected;
    };
    const Case cases[] = {
        {"\n", "sand", "standard", 14.9f, 15, 120,
         "\nselected element: sand\ndisplay mode: standard\nFPS: 14/15\nParticles: 120"},
        {"\n", "none", "standard", 0.0f, 15, 0,
         "\nselected element: none\ndisplay mode: standard\nFPS: 0/15\nParticles: 0"},
        {"paused\n", "glass", "temperature", 134.99f, 135, 2500,
         "paused\nselected element: glass\ndisplay mode: temperature\nFPS: 134/135\n"
         "Particles: 2500"},
        {"\n", "air", "standard", -0.9f, 60, -5,
         "\nselected element: air\ndisplay mode: standard\nFPS: 0/60\nParticles: -5"},
        {"\n", "heat", "standard", -3.7f, 15, INT_MAX,
         "\nselected element: heat\ndisplay mode: standard\nFPS: -3/15\nParticles: 2147483647"},
        {"\n", "cool", "standard", 1234567.0f, 15, INT_MIN,
         "\nselected element: cool\ndisplay mode: standard\nFPS: 1234567/15\n"
         "Particles: -2147483648"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(composeStatus(c.pauseLine, c.selected, c.mode, c.fps, c.limit, c.particles),
                  c.expected);
}

// A user's locale with digit grouping must not leak into the figures.
struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(StatusText, IgnoresTheGlobalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Grouping));
    const std::string text = composeStatus("\n", "sand", "standard", 1234.5f, 135, 1234567);
    std::locale::global(previous);
    EXPECT_EQ(text, "\nselected element: sand\ndisplay mode: standard\nFPS: 1234/135\n"
                    "Particles: 1234567");
}

// The closing frame counts, and nothing is measured before a whole second has passed.
TEST(FrameRateMeter, MeasuresOncePerSecondIncludingTheClosingFrame) {
    FrameRateMeter meter;
    meter.clock.restart();
    for (int i = 0; i < 3; ++i)
        meter.countFrame();
    EXPECT_EQ(meter.frameCount, 3);
    EXPECT_EQ(meter.measuredFps, 0.0f);

    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    meter.countFrame();
    EXPECT_EQ(meter.frameCount, 0);
    EXPECT_GT(meter.measuredFps, 3.2f);
    EXPECT_LE(meter.measuredFps, 4.0f);

    meter.countFrame();
    EXPECT_EQ(meter.frameCount, 1);
    EXPECT_GT(meter.measuredFps, 3.2f);
}

} // namespace
