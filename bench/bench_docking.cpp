// What an application does with its panels, on our dock site and, in the
// same run, on Qt's QMainWindow with QDockWidget: dock N panels (beside,
// stacked and tabbed at random), resize the window once, hide and show one
// panel, save a layout, load a layout, repaint the whole window. Every
// operation ends when the window has settled (layouts done, paints painted),
// for N = 16, 64, 256 and 1024. Times are wall-clock; tools/perf-report runs
// this with repetitions and reports medians, ratios and growth exponents.
//
// Names are operation/side/N, so that each figure of ours has Qt's beside it.

#include <benchmark/benchmark.h>

#include "support/bench_main.h"

#include <QApplication>

#include <cstdlib>
#include <functional>
#include <string>

#include "support/bench_scenes.h"

namespace {

using bench::Settle;

// Docking, then settling once, as an application builds its window.
template <class Scene> void DockPanels(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<bench::Step> steps = bench::RandomSteps(n, bench::kSeed);
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<Scene>(n);
        state.ResumeTiming();
        scene->Dock(steps);
        Settle();
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
}

// A docked scene, settled, kept for all iterations of one benchmark.
template <class Scene> std::unique_ptr<Scene> DockedScene(int n) {
    auto scene = std::make_unique<Scene>(n);
    scene->Dock(bench::RandomSteps(n, bench::kSeed));
    Settle();
    return scene;
}

template <class Scene> void ResizeWindow(benchmark::State& state) {
    auto scene = DockedScene<Scene>(static_cast<int>(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        // Alternating sizes, so that every step changes the size of the site.
        const int grow = (round++ % 2 == 0) ? 80 : 0;
        scene->Resize(bench::kWindowWidth + grow, bench::kWindowHeight + grow);
        Settle();
    }
}

template <class Scene> void HideShowPanel(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto scene = DockedScene<Scene>(n);
    for (auto _ : state) {
        scene->SetPanelVisible(n / 2, false);
        Settle();
        scene->SetPanelVisible(n / 2, true);
        Settle();
    }
}

template <class Scene> void SaveLayout(benchmark::State& state) {
    auto scene = DockedScene<Scene>(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(scene->SaveLayout());
}

// Loads switch between two arrangements of the same panels, so that each
// load really moves them.
template <class Scene> void LoadLayout(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto scene = DockedScene<Scene>(n);
    const auto first = scene->SaveLayout();
    scene->Dock(bench::RandomSteps(n, bench::kOtherSeed));
    Settle();
    const auto second = scene->SaveLayout();
    int round = 0;
    for (auto _ : state) {
        scene->LoadLayout(round++ % 2 == 0 ? first : second);
        Settle();
    }
}

template <class Scene> void RepaintWindow(benchmark::State& state) {
    auto scene = DockedScene<Scene>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scene->InvalidateAll();
        Settle();
    }
}

// Qt's docking grows with the square of the number of docks; its figures for
// the largest N would take minutes, so they stop at `qtLimit`.
void Register(const std::string& operation, void (*orlo)(benchmark::State&), void (*qt)(benchmark::State&),
              int qtLimit) {
    for (int n : {16, 64, 256, 1024}) {
        benchmark::RegisterBenchmark((operation + "/orlo").c_str(), orlo)
            ->Arg(n)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
        if (n <= qtLimit)
            benchmark::RegisterBenchmark((operation + "/qt").c_str(), qt)
                ->Arg(n)
                ->UseRealTime()
                ->Unit(benchmark::kMicrosecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    bench::QuietQtWarnings();
    return bench::RunBenchmarks(argc, argv, nullptr, [] {
        Register("dock", DockPanels<bench::OrloScene>, DockPanels<bench::QtScene>, 256);
        Register("resize", ResizeWindow<bench::OrloScene>, ResizeWindow<bench::QtScene>, 256);
        Register("hide_show", HideShowPanel<bench::OrloScene>, HideShowPanel<bench::QtScene>, 256);
        Register("save", SaveLayout<bench::OrloScene>, SaveLayout<bench::QtScene>, 256);
        Register("load", LoadLayout<bench::OrloScene>, LoadLayout<bench::QtScene>, 256);
        Register("repaint", RepaintWindow<bench::OrloScene>, RepaintWindow<bench::QtScene>, 256);
    });
}
