#include "bench_scenes.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>

#include <random>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/forms.h>

namespace bench {

std::vector<Step> RandomSteps(int n, unsigned seed) {
    std::mt19937 random(seed + static_cast<unsigned>(n));
    std::vector<Step> steps;
    for (int i = 0; i < n; ++i) {
        const int target = i == 0 ? -1 : static_cast<int>(random() % static_cast<unsigned>(i + 1)) - 1;
        steps.push_back({target, static_cast<int>(random() % 7)});
    }
    return steps;
}

void Settle() {
    // A paint or layout may post more work; two rounds see it through.
    for (int round = 0; round < 2; ++round) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

namespace {

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints")))
        return;
    qt_message_output(type, context, message);
}

void InvalidateTree(tk::Control* control) {
    control->Invalidate();
    for (int i = 0; i < control->ControlCount(); ++i)
        InvalidateTree(control->Controls(i));
}

} // namespace

void QuietQtWarnings() { qInstallMessageHandler(QuietHandler); }

// ---- ours ----

OrloScene::OrloScene(int n) : form_(new tk::Form(nullptr)) {
    form_->SetBounds(0, 0, kWindowWidth, kWindowHeight);
    site_ = new TOrloDockSite(form_.get());
    site_->SetParent(form_.get());
    site_->SetAlign(tk::alLeft);
    site_->SetWidth(kWindowWidth / 2);
    for (int i = 0; i < n; ++i) {
        auto* panel = new TOrloDockablePanel(form_.get());
        panel->SetName(tk::String::fromLatin1("Panel%1").arg(i));
        panel->SetTitleBarCaption(panel->Name());
        panels_.push_back(panel);
    }
    form_->Show();
    Settle();
}

OrloScene::~OrloScene() {
    form_.reset();
    Settle();
}

void OrloScene::Dock(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size() && i < panels_.size(); ++i) {
        const Step& step = steps[i];
        panels_[i]->DockInto(site_->SiteIntf(),
                             step.target < 0 ? nullptr : panels_[static_cast<std::size_t>(step.target)],
                             static_cast<tk::Align>(step.position));
    }
}

void OrloScene::Resize(int width, int height) { form_->SetBounds(0, 0, width, height); }

void OrloScene::SetPanelVisible(int i, bool visible) { panels_[static_cast<std::size_t>(i)]->SetVisible(visible); }

tk::Bytes OrloScene::SaveLayout() { return site_->SaveLayout(); }

void OrloScene::LoadLayout(const tk::Bytes& layout) { site_->LoadLayout(layout); }

void OrloScene::InvalidateAll() { InvalidateTree(form_.get()); }

// ---- Qt's ----

QtScene::QtScene(int n) {
    window_.resize(kWindowWidth, kWindowHeight);
    window_.setCentralWidget(new QLabel(QStringLiteral("central")));
    for (int i = 0; i < n; ++i) {
        auto* dock = new QDockWidget(QStringLiteral("Panel%1").arg(i));
        dock->setObjectName(dock->windowTitle());
        dock->setWidget(new QLabel(dock->windowTitle()));
        docks_.push_back(dock);
    }
    window_.show();
    Settle();
}

QtScene::~QtScene() {
    // Docks that never docked have no parent to take them along.
    for (QDockWidget* dock : docks_)
        if (!dock->parent())
            delete dock;
    window_.hide();
    Settle();
}

void QtScene::Dock(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size() && i < docks_.size(); ++i) {
        const Step& step = steps[i];
        QDockWidget* dock = docks_[i];
        if (step.target < 0) {
            window_.addDockWidget(Qt::LeftDockWidgetArea, dock);
            continue;
        }
        QDockWidget* target = docks_[static_cast<std::size_t>(step.target)];
        switch (static_cast<tk::Align>(step.position)) {
        case tk::alClient:
            window_.tabifyDockWidget(target, dock);
            break;
        case tk::alLeft:
        case tk::alRight:
            window_.splitDockWidget(target, dock, Qt::Horizontal);
            break;
        default:
            window_.splitDockWidget(target, dock, Qt::Vertical);
            break;
        }
    }
}

void QtScene::Resize(int width, int height) { window_.resize(width, height); }

void QtScene::SetPanelVisible(int i, bool visible) { docks_[static_cast<std::size_t>(i)]->setVisible(visible); }

QByteArray QtScene::SaveLayout() { return window_.saveState(); }

void QtScene::LoadLayout(const QByteArray& layout) { window_.restoreState(layout); }

void QtScene::InvalidateAll() { window_.update(); }

} // namespace bench
