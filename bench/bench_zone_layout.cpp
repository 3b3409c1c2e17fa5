// Laying out a dock site whose tree holds many zones that show nothing:
// one container with N empty leaves (a layout naming panels that no longer
// exist) between two docked panels, beside the same container with N hidden
// panels, and, as the baseline, with N visible panels. Also a deep tree: N
// panels, each in a container of its own nested in the previous one's, the
// orientations alternating. Each relayout is a resize of the site.
// Reported: time per relayout for each N, the ratios against the baseline at
// the same N, and the growth from the smallest N.

#include <benchmark/benchmark.h>

#include "support/bench_main.h"

#include <QApplication>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/forms.h>

namespace {

enum class Filler { Empty, Hidden, Visible, Nested };

// A form with a site on its bottom edge whose root holds one side-by-side
// container: a panel, N fillers, a panel.
struct Window {
    std::unique_ptr<tk::Form> Form{new tk::Form(nullptr)};
    TOrloDockSite* Site = nullptr;

    Window(int n, Filler filler) {
        Form->SetBounds(0, 0, 1000, 700);
        Site = new TOrloDockSite(Form.get());
        Site->SetParent(Form.get());
        Site->SetAlign(tk::alBottom);
        Site->SetHeight(300);
        TOrloDockUpdateGuard update(Site->InternalIntf());
        auto* row = new TOrloDockContainerZone();
        row->SetChildOrientation(voVert);
        row->SetParentZone(Site->RootZone());
        if (filler == Filler::Nested) {
            Nest(row, n);
            Site->RootZone()->UpdateBounds();
            return;
        }
        AddPanel(row, true);
        for (int i = 0; i < n; ++i) {
            if (filler == Filler::Empty)
                (new TOrloDockControlZone())->SetParentZone(row);
            else
                AddPanel(row, filler == Filler::Visible);
        }
        AddPanel(row, true);
        for (int i = 0; i < row->ChildCount(); ++i)
            row->Child(i)->SetParentSizePercentage(100 / row->ChildCount());
        Site->RootZone()->UpdateBounds();
    }

    // A panel beside a container that holds the other n - 1 the other way round.
    void Nest(TOrloDockContainerZone* container, int n) {
        AddPanel(container, true);
        if (n > 1) {
            auto* inner = new TOrloDockContainerZone();
            inner->SetChildOrientation(container->ChildOrientation() == voVert ? voHorz : voVert);
            inner->SetParentZone(container);
            Nest(inner, n - 1);
        }
        for (int i = 0; i < container->ChildCount(); ++i)
            container->Child(i)->SetParentSizePercentage(50);
    }

    void AddPanel(TOrloDockContainerZone* row, bool visible) {
        auto* panel = new TOrloDockablePanel(Form.get());
        panel->SetVisible(visible);
        auto* leaf = new TOrloDockControlZone();
        leaf->SetControl(panel);
        leaf->SetParentZone(row);
        panel->SetDockSite(Site->SiteIntf());
    }
};

void SetPerOperation(benchmark::State& state, double operations) {
    state.counters["per_op"] =
        benchmark::Counter(operations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Relayout(benchmark::State& state, Filler filler) {
    Window window(static_cast<int>(state.range(0)), filler);
    int round = 0;
    for (auto _ : state)
        window.Site->SetWidth(900 + (round++ % 2) * 50);
    SetPerOperation(state, double(state.iterations()));
}

void BM_EmptyLeaves(benchmark::State& state) { Relayout(state, Filler::Empty); }
void BM_HiddenPanels(benchmark::State& state) { Relayout(state, Filler::Hidden); }
void BM_VisiblePanels(benchmark::State& state) { Relayout(state, Filler::Visible); }
void BM_NestedPanels(benchmark::State& state) { Relayout(state, Filler::Nested); }

BENCHMARK(BM_EmptyLeaves)->Arg(100)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiddenPanels)->Arg(100)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisiblePanels)
    ->Arg(6)
    ->Arg(12)
    ->Arg(18)
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedPanels)->Arg(6)->Arg(12)->Arg(18)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the ratios against the visible panels and the growth with N.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            const auto it = run.counters.find("per_op");
            if (slash == std::string::npos || it == run.counters.end())
                continue;
            results_[name.substr(0, slash)][std::stoi(name.substr(slash + 1))] = it->second.value * 1e3;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nTime per relayout (ms), ratio against N visible panels, growth from the smallest N\n");
        Compare("empty", "BM_EmptyLeaves");
        Compare("hidden", "BM_HiddenPanels");
        Compare("nested", "BM_NestedPanels");
    }

private:
    void Compare(const char* what, const std::string& name) {
        const auto& mine = results_[name];
        const auto& base = results_["BM_VisiblePanels"];
        if (mine.empty() || base.empty())
            return;
        const double first = mine.begin()->second;
        for (const auto& [n, ms] : mine) {
            const auto other = base.find(n);
            if (other == base.end())
                continue;
            std::printf("%-7s N=%-4d %10.3f  visible %10.3f  ratio %6.2f  growth x%7.2f\n", what, n, ms, other->second,
                        ms / other->second, ms / first);
        }
    }

    std::map<std::string, std::map<int, double>> results_;
};

} // namespace

int main(int argc, char** argv) {
    RatioReporter reporter;
    return bench::RunBenchmarks(argc, argv, &reporter);
}
