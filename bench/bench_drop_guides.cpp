// The drop guides during a drag: showing a guide window with the edge guides
// of four dock sites and a cross (every image positioned and shaped, the
// window region rebuilt), and one hit test of the pointer, resting on a guide
// or moving between two. The baseline, measured in the same run, is what
// shaping the same ten images costs when every positioning scans its bitmap
// pixel by pixel through the bitmap's canvas.

#include <benchmark/benchmark.h>

#include "support/bench_main.h"

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/forms.h>

namespace {

// A form with a dock site on each edge, one panel in each, and a guide window
// holding the edge guides of all four and a cross over the left site's panel.
struct GuideScene {
    std::unique_ptr<tk::Form> Form{new tk::Form(nullptr)};
    std::unique_ptr<TOrloDockDropWindow> Window{new TOrloDockDropWindow(nullptr)};
    TOrloDockSite* Left = nullptr;

    GuideScene() {
        Form->SetBounds(0, 0, 1000, 700);
        for (tk::Align align : {tk::alLeft, tk::alRight, tk::alTop, tk::alBottom}) {
            auto* site = new TOrloDockSite(Form.get());
            site->SetParent(Form.get());
            site->SetAlign(align);
            auto* panel = new TOrloDockablePanel(Form.get());
            panel->DockInto(site->SiteIntf(), nullptr, tk::alClient);
            Window->AddSiteZone(site->SiteIntf());
            if (align == tk::alLeft)
                Left = site;
        }
        Form->Show();
        QApplication::processEvents();
        TOrloDockZone* zone = Left->RootZone()->Child(0);
        Window->SetZoneUnderMouse(Left->SiteIntf(), zone->ZoneIntf());
        QApplication::processEvents();
    }

    tk::Point Over(TOrloDockDropKind kind) const {
        const TOrloDockDropZoneImage& image = *Window->ZoneUnderMouse()->Image(kind);
        return Window->ClientToScreen({image.Left() + image.Width() / 2, image.Top() + image.Height() / 2});
    }
};

void SetPerOperation(benchmark::State& state) {
    state.counters["per_op"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ShowGuides(benchmark::State& state) {
    GuideScene scene;
    for (auto _ : state)
        scene.Window->ShowGuides(false);
    SetPerOperation(state);
}

void BM_HitTestResting(benchmark::State& state) {
    GuideScene scene;
    const tk::Point over = scene.Over(dkLeft);
    tk::Align align = tk::alNone;
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> zone;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.Window->HitTest(over, align, site, zone));
    SetPerOperation(state);
}

void BM_HitTestMoving(benchmark::State& state) {
    GuideScene scene;
    const tk::Point points[] = {scene.Over(dkLeft), scene.Over(dkTop)};
    tk::Align align = tk::alNone;
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> zone;
    int i = 0;
    // Every test lights another guide: two bitmaps swapped and a repaint asked for.
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.Window->HitTest(points[i++ % 2], align, site, zone));
    SetPerOperation(state);
}

// The ten images a ShowGuides positions (four edge arrows, five cross images
// and the octagon), each scanned pixel by pixel through its canvas.
void BM_PerPixelShapes(benchmark::State& state) {
    std::vector<std::unique_ptr<tk::Bitmap>> bitmaps;
    for (TOrloDockDropKind kind : {dkLeft, dkRight, dkTop, dkBottom, dkLeft, dkRight, dkTop, dkBottom, dkTab})
        bitmaps.push_back(DropZoneTheme->GetZoneBitmap(kind, dsNormal));
    bitmaps.push_back(DropZoneTheme->GetCentreBitmap());
    for (auto _ : state)
        for (const auto& bitmap : bitmaps) {
            tk::Canvas& canvas = *bitmap->Canvas();
            std::optional<tk::Region> region;
            for (int y = 0; y < bitmap->Height(); ++y)
                for (int x = 0; x < bitmap->Width();) {
                    if (canvas.Pixel(x, y) == tk::clLime) {
                        ++x;
                        continue;
                    }
                    const int start = x;
                    while (x < bitmap->Width() && canvas.Pixel(x, y) != tk::clLime)
                        ++x;
                    const tk::Region run(tk::MakeRect(start, y, x, y + 1));
                    region = region ? region->United(run) : run;
                }
            benchmark::DoNotOptimize(region->Data());
        }
    SetPerOperation(state);
}

BENCHMARK(BM_ShowGuides)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PerPixelShapes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestResting)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestMoving)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    bench::RatioReporter reporter(
        "Time per operation (us), ratio against shaping the same images pixel by pixel",
        {"BM_ShowGuides", "BM_HitTestResting", "BM_HitTestMoving", "BM_PerPixelShapes"}, "BM_PerPixelShapes",
        "per-pixel", [](const benchmark::BenchmarkReporter::Run& run) -> std::optional<double> {
            const auto it = run.counters.find("per_op");
            if (run.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration || it == run.counters.end())
                return std::nullopt;
            return it->second.value * 1e6;
        });
    return bench::RunBenchmarks(argc, argv, &reporter);
}
