// Docking N panels (16, 64, 256) at random targets and positions into one
// dock site, then resizing the window that holds it, beside the same work
// done with Qt's own QMainWindow and QDockWidget: N dock widgets split or
// tabbed at random in one dock area, and the same window resizes.
//
// Both windows are shown (offscreen by default) and pending events are
// processed after every step, so each side lays out and paints. Reported:
// time per insertion and per relayout for each N, the ratio against the
// baseline at the same N, and how the time per operation grows from the
// smallest N to each larger one.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>

#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/forms.h>

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 700;
constexpr unsigned kSeed = 20261208;

// One docking step: the panel docks relative to panel `target` (-1 for the
// site itself) at `position`, an alignment value from none to custom.
struct Step {
    int target;
    int position;
};

std::vector<Step> RandomSteps(int n) {
    std::mt19937 random(kSeed + static_cast<unsigned>(n));
    std::vector<Step> steps;
    for (int i = 0; i < n; ++i) {
        const int target = i == 0 ? -1 : static_cast<int>(random() % static_cast<unsigned>(i + 1)) - 1;
        steps.push_back({target, static_cast<int>(random() % 7)});
    }
    return steps;
}

void ProcessEvents() { QApplication::processEvents(); }

struct FreeComponent {
    void operator()(tk::Component* c) const {
        if (c)
            c->Free();
    }
};

// A form with one dock site on its left edge and N panels owned by the form.
struct OrloWindow {
    std::unique_ptr<tk::Form, FreeComponent> Form{new tk::Form(nullptr)};
    TOrloDockSite* Site = nullptr;
    std::vector<TOrloDockablePanel*> Panels;

    explicit OrloWindow(int n) {
        Form->SetBounds(0, 0, kWindowWidth, kWindowHeight);
        Site = new TOrloDockSite(Form.get());
        Site->SetParent(Form.get());
        Site->SetAlign(tk::alLeft);
        Site->SetWidth(kWindowWidth / 2);
        for (int i = 0; i < n; ++i) {
            auto* panel = new TOrloDockablePanel(Form.get());
            panel->SetName(tk::String::fromLatin1("Panel%1").arg(i));
            panel->SetTitleBarCaption(panel->Name());
            Panels.push_back(panel);
        }
        Form->Show();
        ProcessEvents();
    }

    void Dock(int i, const Step& step) {
        Panels[static_cast<std::size_t>(i)]->DockInto(
            Site->SiteIntf(), step.target < 0 ? nullptr : Panels[static_cast<std::size_t>(step.target)],
            static_cast<tk::Align>(step.position));
    }

    void Resize(int width, int height) { Form->SetBounds(0, 0, width, height); }
};

// A main window with a central widget and N dock widgets, all in the left dock area.
struct QtWindow {
    QMainWindow Window;
    std::vector<QDockWidget*> Docks;

    explicit QtWindow(int n) {
        Window.resize(kWindowWidth, kWindowHeight);
        Window.setCentralWidget(new QLabel(QStringLiteral("central")));
        for (int i = 0; i < n; ++i) {
            auto* dock = new QDockWidget(QStringLiteral("Panel%1").arg(i));
            dock->setObjectName(dock->windowTitle());
            dock->setWidget(new QLabel(dock->windowTitle()));
            Docks.push_back(dock);
        }
        Window.show();
        ProcessEvents();
    }

    // The same step: tabbed for client, split across for left and right,
    // split along for the other positions; into the area without target.
    void Dock(int i, const Step& step) {
        QDockWidget* dock = Docks[static_cast<std::size_t>(i)];
        if (step.target < 0) {
            Window.addDockWidget(Qt::LeftDockWidgetArea, dock);
            return;
        }
        QDockWidget* target = Docks[static_cast<std::size_t>(step.target)];
        switch (static_cast<tk::Align>(step.position)) {
        case tk::alClient:
            Window.tabifyDockWidget(target, dock);
            break;
        case tk::alLeft:
        case tk::alRight:
            Window.splitDockWidget(target, dock, Qt::Horizontal);
            break;
        default:
            Window.splitDockWidget(target, dock, Qt::Vertical);
            break;
        }
    }

    void Resize(int width, int height) { Window.resize(width, height); }
};

// Seconds per operation (shown per operation in the table; printed in microseconds below it).
void SetPerOperation(benchmark::State& state, double operations) {
    state.counters["per_op"] =
        benchmark::Counter(operations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <class Window> void Insertion(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<Step> steps = RandomSteps(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>(n);
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) {
            window->Dock(i, steps[static_cast<std::size_t>(i)]);
            ProcessEvents();
        }
        state.PauseTiming();
        window.reset();
        ProcessEvents();
        state.ResumeTiming();
    }
    SetPerOperation(state, double(n) * double(state.iterations()));
}

template <class Window> void Relayout(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<Step> steps = RandomSteps(n);
    Window window(n);
    for (int i = 0; i < n; ++i)
        window.Dock(i, steps[static_cast<std::size_t>(i)]);
    ProcessEvents();
    int round = 0;
    for (auto _ : state) {
        // Alternating sizes, so every step changes the size.
        const int grow = (round++ % 2) * 80;
        window.Resize(kWindowWidth + grow, kWindowHeight + grow);
        ProcessEvents();
    }
    SetPerOperation(state, double(state.iterations()));
}

void BM_OrloInsert(benchmark::State& state) { Insertion<OrloWindow>(state); }
void BM_QtInsert(benchmark::State& state) { Insertion<QtWindow>(state); }
void BM_OrloRelayout(benchmark::State& state) { Relayout<OrloWindow>(state); }
void BM_QtRelayout(benchmark::State& state) { Relayout<QtWindow>(state); }

BENCHMARK(BM_OrloInsert)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtInsert)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrloRelayout)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtRelayout)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

// Prints the usual table, then the ratios against the baseline and the growth with N.
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
            results_[name.substr(0, slash)][std::stoi(name.substr(slash + 1))] = it->second.value * 1e6;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nTime per operation (us), ratio against Qt, growth from the smallest N\n");
        Compare("insertion", "BM_OrloInsert", "BM_QtInsert");
        Compare("relayout", "BM_OrloRelayout", "BM_QtRelayout");
    }

private:
    void Compare(const char* what, const std::string& orlo, const std::string& qt) {
        const auto& mine = results_[orlo];
        const auto& base = results_[qt];
        if (mine.empty() || base.empty())
            return;
        const double mineFirst = mine.begin()->second;
        const double baseFirst = base.begin()->second;
        for (const auto& [n, us] : mine) {
            const auto other = base.find(n);
            if (other == base.end())
                continue;
            std::printf("%-9s N=%-4d site %10.2f  Qt %10.2f  site/Qt %6.2f  growth site x%6.2f  Qt x%6.2f\n", what, n,
                        us, other->second, us / other->second, us / mineFirst, other->second / baseFirst);
        }
    }

    std::map<std::string, std::map<int, double>> results_;
};

// The offscreen platform says for every dock widget that it cannot pass size hints on.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints")))
        return;
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
