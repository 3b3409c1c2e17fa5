#pragma once

// The windows the benchmarks work on: one of ours (a form with a dock site
// on its left edge) and Qt's own (a QMainWindow with dock widgets in its left
// dock area), each with N panels that dock by the same random steps, so that
// every operation can be timed on both in the same run.

#include <QMainWindow>

#include <memory>
#include <vector>

#include <orlodock/tk/component.h>
#include <orlodock/tk/streaming.h>

class QDockWidget;
class TOrloDockSite;
class TOrloDockablePanel;

namespace tk {
class Form;
}

namespace bench {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 700;
// The seeds of the two arrangements a layout benchmark switches between.
constexpr unsigned kSeed = 20261208;
constexpr unsigned kOtherSeed = 19970403;

// One docking step: panel i docks relative to panel `target` (-1: the site
// itself) at `position`, an alignment value from none to custom. Beside,
// stacked and tabbed steps are mixed.
struct Step {
    int target;
    int position;
};

std::vector<Step> RandomSteps(int n, unsigned seed);

// Lets the event loop run until what the last change asked for is done:
// layout requests, paints, deferred deletions.
void Settle();

// Installs a message handler that drops the offscreen platform's complaint,
// once for every dock widget, that it cannot pass size hints on.
void QuietQtWarnings();

class OrloScene {
public:
    // A shown, settled window with N undocked panels.
    explicit OrloScene(int n);
    ~OrloScene();

    void Dock(const std::vector<Step>& steps);
    void Resize(int width, int height);
    void SetPanelVisible(int i, bool visible);
    tk::Bytes SaveLayout();
    void LoadLayout(const tk::Bytes& layout);
    // Every control of the window gives up what it painted before.
    void InvalidateAll();
    TOrloDockSite* Site() const { return site_; }

private:
    // `delete` frees a component as Free() does.
    std::unique_ptr<tk::Form> form_;
    TOrloDockSite* site_ = nullptr;
    std::vector<TOrloDockablePanel*> panels_;
};

class QtScene {
public:
    explicit QtScene(int n);
    ~QtScene();

    // The same steps: tabbed for client, split across for left and right,
    // split along for the other positions; into the area without target.
    void Dock(const std::vector<Step>& steps);
    void Resize(int width, int height);
    void SetPanelVisible(int i, bool visible);
    QByteArray SaveLayout();
    void LoadLayout(const QByteArray& layout);
    void InvalidateAll();

private:
    QMainWindow window_;
    std::vector<QDockWidget*> docks_;
};

} // namespace bench
