#pragma once

// An ordinary Qt application's window: a QMainWindow at (100, 100) with a
// tool bar above its central widget, a TOrloDockHost, whose middle is a
// QPlainTextEdit. The test mouse driver reaches the sites at screen points.

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QToolBar>
#include <memory>

#include "support/mouse_driver.h"
#include "support/toolkit_helpers.h"
#include <orlodock/docking/OrloDockHost.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>

class QtHostTest : public ::testing::Test {
protected:
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    TOrloDockHost* host = nullptr;
    QPlainTextEdit* central = nullptr;
    tktest::MouseDriver mouse;

    void SetUp() override {
        window->addToolBar(QStringLiteral("File"))->addAction(QStringLiteral("Open"));
        host = new TOrloDockHost;
        window->setCentralWidget(host);
        central = new QPlainTextEdit;
        host->SetCentralWidget(central);
        window->setGeometry(100, 100, 800, 600);
        window->show();
        window->activateWindow();
        tktest::PumpEvents();
    }

    TOrloDockSite* Left() const { return host->Site(tk::alLeft); }
    TOrloDockControlZone* ZoneOf(TOrloDockablePanel* panel) const {
        auto* site = dynamic_cast<TOrloDockSite*>(panel->DockSite());
        return site ? site->RootZone()->FindControlZone(panel) : nullptr;
    }
    TOrloDockablePanel* Add(const char* name, QWidget* content, tk::Align edge = tk::alLeft) {
        TOrloDockablePanel* panel = host->AddPanel(tk::Latin1(name), content, edge);
        tktest::PumpEvents();
        return panel;
    }

    // Where the host's top-left pixel is on the screen, as Qt has it.
    tk::Point HostOrigin() const { return tk::FromQPoint(host->mapToGlobal(QPoint(0, 0))); }
    static tk::Point Centre(const tk::Rect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    tk::IPtr<IOrloDockTheme> Theme(TOrloDockSite* site) const {
        tk::IPtr<IOrloDockTheme> theme;
        site->GetTheme(theme);
        return theme;
    }
    // Pixels of a zone's title bar, as the site shows it now, in the active title colour.
    int ActivePixels(TOrloDockablePanel* panel) {
        auto* site = dynamic_cast<TOrloDockSite*>(panel->DockSite());
        tk::Rect bar;
        Theme(site)->GetTitleBarRect(ZoneOf(panel)->ZoneIntf(), bar);
        const tk::Color active = tk::ColorToRGB(Theme(site)->GetActiveTitleBarColor());
        const QImage shown = tktest::GrabControl(site);
        int n = 0;
        for (int y = bar.Top; y < bar.Bottom; ++y)
            for (int x = bar.Left; x < bar.Right; ++x)
                n += tktest::PixelOf(shown, x, y) == active;
        return n;
    }
};
