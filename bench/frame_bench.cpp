#include "app/Sandbox.hpp"
#include "bench/BusyWorld.hpp"
#include "bench/ReferenceFrame.hpp"
#include "bench/SquareGridDrawing.hpp"
#include "platform/RenderThreads.hpp"
#include "render/GridRenderer.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

namespace {

constexpr int stepsBetweenRestores = 25;
constexpr int warmUpFrames = 10;
const sf::Vector2i pointerOverGrid(300, 300);

// Every frame benchmark asks before its first window, which is when software rendering is set
// up: as in the program, it draws on the calling thread.
bool needDisplay(benchmark::State& state) {
    renderOnCallingThread();
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0')
        return true;
    state.SkipWithError("needs an X display: DISPLAY is not set");
    return false;
}

// The program reads its font and icons from its working directory.
bool enterProgramDirectory(benchmark::State& state) {
    std::error_code failed;
    std::filesystem::current_path(GRAINWRIGHT_PROGRAM_DIR, failed);
    if (!failed)
        return true;
    state.SkipWithError("cannot enter the program's build folder " GRAINWRIGHT_PROGRAM_DIR);
    return false;
}

// A started sandbox showing a busy world in the chosen view, the pointer over the grid and
// no framerate limit, so that presenting never waits. Null, after skipping, when it cannot.
std::unique_ptr<Sandbox> openSandbox(benchmark::State& state, const Simulation& world,
                                     bool temperatureView) {
    if (!needDisplay(state) || !enterProgramDirectory(state))
        return nullptr;
    auto sandbox = std::make_unique<Sandbox>();
    std::ostringstream errors;
    if (!startSandbox(*sandbox, errors)) {
        state.SkipWithError(errors.str().c_str());
        return nullptr;
    }
    sandbox->window.setFramerateLimit(0);
    if (temperatureView) {
        sandbox->viewPanel.selectedIndex = 1;
        if (sandbox->viewPanel.selectedName() != "temperature") {
            state.SkipWithError("the view panel has no temperature button");
            return nullptr;
        }
    }
    sandbox->simulation = world;
    return sandbox;
}

// Runs `frame` once per iteration; the world's cells are put back every few frames, with the
// timer paused, so that it stays busy.
template <typename Frame>
void measureFrames(benchmark::State& state, Sandbox& sandbox, const Simulation& original,
                   Frame frame) {
    // The first frames rasterise glyphs and upload textures; they are not what a frame costs.
    for (int i = 0; i < warmUpFrames; ++i)
        frame();
    restoreCells(sandbox.simulation, original);
    int sinceRestore = 0;
    for (auto _ : state) {
        if (sinceRestore == stepsBetweenRestores) {
            state.PauseTiming();
            restoreCells(sandbox.simulation, original);
            sinceRestore = 0;
            state.ResumeTiming();
        }
        if (!frame()) {
            state.SkipWithError("the window closed");
            break;
        }
        ++sinceRestore;
    }
}

// A frame of a busy world with the pointer over the grid: the step, then the picture from
// clearing to presenting, as the program draws it and as it was once drawn, every shape made
// anew and drawn on its own. The difference is what the drawing saves.
void BM_Frame(benchmark::State& state) {
    const bool temperatureView = state.range(0) != 0;
    const bool shapeByShape = state.range(1) != 0;
    const Simulation original = makeBusyWorld(50, 50);
    const auto sandbox = openSandbox(state, original, temperatureView);
    if (!sandbox)
        return;
    state.SetLabel(shapeByShape ? "shape by shape" : "as the program draws it");
    const DisplayMode mode = temperatureView ? DisplayMode::Temperature : DisplayMode::Standard;
    sandbox->loop.displayModeName = displayModeName(mode);
    measureFrames(state, *sandbox, original, [&] {
        sandbox->simulation.step();
        sandbox->window.clear(sf::Color(0, 0, 0, 255));
        (shapeByShape ? drawReferenceFrame : drawFrame)(*sandbox, mode, pointerOverGrid);
        sandbox->window.display();
        return sandbox->window.isOpen();
    });
}
BENCHMARK(BM_Frame)
    ->ArgNames({"temperature", "shapes"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

using GridDrawing = std::function<void(const Simulation&, sf::RenderWindow&, bool)>;

// Every variant clears, draws and presents: presenting makes the software renderer finish
// the frame, so the drawing is really done inside the iteration that asked for it.
void measureGridDrawing(benchmark::State& state, const GridDrawing& drawGrid) {
    if (!needDisplay(state))
        return;
    sf::RenderWindow window;
    openWindow(window, 650, 650, 32, "Grainwright grid drawing");
    window.setFramerateLimit(0);
    const Simulation world = makeBusyWorld(50, 50);
    const bool temperatureView = state.range(0) != 0;
    for (int i = 0; i < warmUpFrames; ++i) {
        while (pollInputEvent(window)) {
        }
        window.clear(sf::Color(0, 0, 0, 255));
        drawGrid(world, window, temperatureView);
        window.display();
    }
    for (auto _ : state) {
        window.clear(sf::Color(0, 0, 0, 255));
        drawGrid(world, window, temperatureView);
        window.display();
    }
}

void BM_GridRenderer(benchmark::State& state) {
    GridRenderer grid;
    measureGridDrawing(
        state, [&grid](const Simulation& world, sf::RenderWindow& window, bool temperatureView) {
            grid.draw(world, window, temperatureView);
        });
}
BENCHMARK(BM_GridRenderer)
    ->ArgName("temperature")
    ->Arg(0)
    ->Arg(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_GridSquareBySquare(benchmark::State& state) {
    measureGridDrawing(state, drawGridSquareBySquare);
}
BENCHMARK(BM_GridSquareBySquare)
    ->ArgName("temperature")
    ->Arg(0)
    ->Arg(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Clearing and presenting alone: the part of every grid figure above that is not drawing.
void BM_ClearAndDisplay(benchmark::State& state) {
    measureGridDrawing(state, [](const Simulation&, sf::RenderWindow&, bool) {});
}
BENCHMARK(BM_ClearAndDisplay)
    ->ArgName("temperature")
    ->Arg(0)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
