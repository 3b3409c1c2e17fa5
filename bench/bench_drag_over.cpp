// One pointer move of a drag (the manager's DragOver) over four dock sites
// of sixteen zones each: finding the zone under the pointer, moving the
// guide cross, the hit test, the target zone's dock rectangle and the
// preview. Three moves are measured: resting on one guide, crossing into
// another zone on every move (a new cross each time), and along a path
// through every zone and onto its guides. The baseline, in the same run, is
// the same crossing with one zone per site, so the ratio shows what the
// number of zones costs.

#include <benchmark/benchmark.h>

#include "support/bench_main.h"

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/forms.h>

namespace {

// A window with a site on each edge holding `zones` panels, and a second
// window whose site is dragged over them.
struct DragScene {
    std::unique_ptr<tk::Form> Form{new tk::Form(nullptr)};
    std::unique_ptr<tk::Form> Floating{new tk::Form(nullptr)};
    TOrloDockingManager* Manager = new TOrloDockingManager(Form.get());
    TOrloDockSite* Dragged = nullptr;
    std::vector<TOrloDockablePanel*> Panels;

    explicit DragScene(int zones) {
        Form->SetBorderStyle(tk::bsNone);
        Form->SetBounds(0, 0, 1400, 1000);
        for (tk::Align align : {tk::alTop, tk::alBottom, tk::alLeft, tk::alRight}) {
            auto* site = new TOrloDockSite(Form.get());
            site->SetParent(Form.get());
            site->SetAlign(align);
            if (align == tk::alTop || align == tk::alBottom)
                site->SetHeight(250);
            else
                site->SetWidth(250);
            site->SetDockManager(Manager->Intf());
            const tk::Align along = align == tk::alTop || align == tk::alBottom ? tk::alRight : tk::alBottom;
            for (int i = 0; i < zones; ++i) {
                auto* panel = new TOrloDockablePanel(Form.get());
                panel->DockInto(site->SiteIntf(), nullptr, along);
                Panels.push_back(panel);
            }
        }
        Form->Show();
        Floating->SetBounds(600, 450, 200, 150);
        Dragged = new TOrloDockSite(Floating.get());
        Dragged->SetParent(Floating.get());
        Dragged->SetAlign(tk::alClient);
        Dragged->SetDockManager(Manager->Intf());
        (new TOrloDockablePanel(Floating.get()))->DockInto(Dragged->SiteIntf(), nullptr, tk::alNone);
        QApplication::processEvents();
        Manager->BeginDrag(Dragged->SiteIntf(), {700, 500});
        // The guide and preview windows on the screen, so that the moves paint them.
        Over(Centre(Panels.front()));
        QApplication::processEvents();
    }
    ~DragScene() { Manager->CancelDrag(); }

    tk::Point Centre(const TOrloDockablePanel* panel) const {
        return panel->ClientToScreen({panel->Width() / 2, panel->Height() / 2});
    }
    bool Over(tk::Point p) { return Manager->DragOver(Dragged->SiteIntf(), p, {}); }
};

void BM_DragOverResting(benchmark::State& state) {
    DragScene scene(16);
    const tk::Point p = scene.Centre(scene.Panels[5]);
    scene.Over(p);
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.Over(p));
}

// Every move lands in another zone: a new cross, a lit tab, a new preview.
void CrossZones(benchmark::State& state, int zones) {
    DragScene scene(zones);
    std::vector<tk::Point> points;
    for (const TOrloDockablePanel* panel : scene.Panels)
        points.push_back(scene.Centre(panel));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.Over(points[i++ % points.size()]));
}

void BM_DragOverCrossing64(benchmark::State& state) { CrossZones(state, 16); }
void BM_DragOverCrossing4(benchmark::State& state) { CrossZones(state, 1); }

// Through each zone: its centre, then five steps onto its left arrow, as a
// pointer drawn across the sites moves.
void BM_DragOverPath(benchmark::State& state) {
    DragScene scene(16);
    std::vector<tk::Point> points;
    for (const TOrloDockablePanel* panel : scene.Panels) {
        const tk::Point c = scene.Centre(panel);
        for (int step = 0; step <= 5; ++step)
            points.push_back({c.X - step * 8, c.Y});
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.Over(points[i++ % points.size()]));
}

BENCHMARK(BM_DragOverResting)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragOverCrossing64)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragOverCrossing4)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragOverPath)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Single runs, or the medians of repeated ones.
    bench::RatioReporter reporter(
        "Time per pointer move (us; budget 500), ratio against crossing 4 sites of 1 zone",
        {"BM_DragOverResting", "BM_DragOverCrossing64", "BM_DragOverPath", "BM_DragOverCrossing4"},
        "BM_DragOverCrossing4", "4 zones", [](const benchmark::BenchmarkReporter::Run& run) -> std::optional<double> {
            if (run.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration && run.aggregate_name != "median")
                return std::nullopt;
            return run.GetAdjustedRealTime();
        });
    return bench::RunBenchmarks(argc, argv, &reporter);
}
