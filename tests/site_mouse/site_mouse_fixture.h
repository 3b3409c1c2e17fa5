#pragma once

// A dock site in a shown window, driven by the test mouse driver at screen
// points as a user would drive it. The window owns the site and the panels.

#include <gtest/gtest.h>

#include <QImage>

#include "support/counting_site.h"
#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/forms.h>

class SiteMouseTest : public ::testing::Test {
protected:
    Owned<tk::Form> form = MakeOwned<tk::Form>(nullptr);
    tktest::MouseDriver mouse;
    CountingSite* site = nullptr;

    void SetUp() override {
        form->SetBorderStyle(tk::bsNone);
        form->SetBounds(100, 100, 600, 500);
        form->SetColor(tk::clWhite);
        form->Show();
        tktest::PumpEvents();
    }

    // A site on one edge of the window, `extent` pixels deep, so that its
    // zones share extent - 4 pixels (the inner-edge strip is 4 wide).
    CountingSite* NewSite(tk::Align align, int extent) {
        site = new CountingSite(form.get());
        site->SetParent(form.get());
        site->SetAlign(align);
        if (align == tk::alTop || align == tk::alBottom)
            site->SetHeight(extent);
        else
            site->SetWidth(extent);
        tktest::PumpEvents();
        return site;
    }

    TOrloDockablePanel* Dock(const char* name, TOrloDockablePanel* relative = nullptr,
                             tk::Align position = tk::alBottom) {
        auto* panel = new TOrloDockablePanel(form.get());
        panel->SetName(tk::String::fromLatin1(name));
        panel->SetTitleBarCaption(tk::String::fromLatin1(name));
        panel->DockInto(site->SiteIntf(), relative, position);
        tktest::PumpEvents();
        return panel;
    }

    TOrloDockControlZone* ZoneOf(TOrloDockablePanel* panel) const { return site->RootZone()->FindControlZone(panel); }

    tk::Point Screen(tk::Point client) const { return site->ClientToScreen(client); }
    tk::Point Screen(int x, int y) const { return Screen(tk::Point{x, y}); }

    tk::IPtr<IOrloDockTheme> Theme() const {
        tk::IPtr<IOrloDockTheme> theme;
        site->GetTheme(theme);
        return theme;
    }
    tk::Rect CloseButton(TOrloDockZone* zone) const {
        tk::Rect r;
        Theme()->GetCloseButtonRect(zone->ZoneIntf(), r);
        return r;
    }
    tk::Rect PinButton(TOrloDockZone* zone) const {
        tk::Rect r;
        Theme()->GetPinButtonRect(zone->ZoneIntf(), r);
        return r;
    }
    static tk::Point Centre(const tk::Rect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    // A point on the splitter strip that ends a zone (its last pixels before the gap).
    static tk::Point OnSplitter(TOrloDockZone* zone, bool sideBySide) {
        const tk::Rect b = zone->Bounds();
        return sideBySide ? tk::Point{b.Right - 2, (b.Top + b.Bottom) / 2}
                          : tk::Point{(b.Left + b.Right) / 2, b.Bottom - 2};
    }
    // A point in the client area of a zone, below its title bar.
    static tk::Point InClient(TOrloDockZone* zone) {
        const tk::Rect b = zone->Bounds();
        return {b.Left + 10, b.Top + 40};
    }

    // Moves to, presses at, moves in steps to and releases at client points of the site.
    void DragSite(tk::Point from, tk::Point to) { mouse.Drag(Screen(from), Screen(to)); }

    QImage Shown() { return tktest::GrabControl(site); }
    QImage ShownWindow() { return tktest::GrabControl(form.get()); }
    tk::Color ShownAt(tk::Point client) { return tktest::PixelOf(Shown(), client.X, client.Y); }

    // Pixels that differ between two images of the same size outside `keep`.
    static int DifferencesOutside(const QImage& a, const QImage& b, const tk::Rect& keep) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (!keep.Contains({x, y}) && tktest::PixelOf(a, x, y) != tktest::PixelOf(b, x, y))
                    ++n;
        return n;
    }
    static int DifferencesInside(const QImage& a, const QImage& b, const tk::Rect& area) {
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (tktest::PixelOf(a, x, y) != tktest::PixelOf(b, x, y))
                    ++n;
        return n;
    }
};
