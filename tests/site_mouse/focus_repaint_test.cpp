#include "site_mouse_fixture.h"
#include <orlodock/tk/edit.h>
#include <orlodock/tk/screen.h>

namespace {

class FocusRepaintTest : public SiteMouseTest {
protected:
    // An edit inside a panel, clear of its title bar.
    tk::Edit* EditIn(TOrloDockablePanel* panel) {
        auto* edit = new tk::Edit(form.get());
        edit->SetParent(panel);
        edit->SetBounds(5, 5, 80, 20);
        tktest::PumpEvents();
        return edit;
    }

    // Pixels of a zone's title bar, as shown now, in the theme's active colour.
    int ActivePixels(TOrloDockZone* zone) {
        tk::Rect bar;
        Theme()->GetTitleBarRect(zone->ZoneIntf(), bar);
        const tk::Color active = tk::ColorToRGB(Theme()->GetActiveTitleBarColor());
        const QImage shown = Shown();
        int n = 0;
        for (int y = bar.Top; y < bar.Bottom; ++y)
            for (int x = bar.Left; x < bar.Right; ++x)
                if (tktest::PixelOf(shown, x, y) == active)
                    ++n;
        return n;
    }

    static tk::Point Middle(tk::Control* control) {
        return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    }
};

} // namespace

TEST_F(FocusRepaintTest, TitleBarFollowsTheFocusInAndOutOfTheSite) {
    NewSite(tk::alLeft, 200);
    TOrloDockablePanel* a = Dock("A");
    TOrloDockablePanel* b = Dock("B", a, tk::alBottom);
    tk::Edit* inA = EditIn(a);
    tk::Edit* inB = EditIn(b);
    auto* outside = new tk::Edit(form.get());
    outside->SetParent(form.get());
    outside->SetBounds(400, 50, 80, 20);

    // Another site, which the focus never enters.
    auto* other = new CountingSite(form.get());
    other->SetParent(form.get());
    other->SetAlign(tk::alRight);
    tktest::PumpEvents();

    outside->SetFocus();
    tktest::PumpEvents();
    ASSERT_EQ(ActivePixels(ZoneOf(a)), 0);
    const int otherInvalidations = other->Invalidations;

    mouse.Click(Middle(inA));
    tktest::PumpEvents();
    EXPECT_EQ(tk::Screen::ActiveControl(), inA);
    EXPECT_GT(ActivePixels(ZoneOf(a)), 0);
    EXPECT_EQ(ActivePixels(ZoneOf(b)), 0);

    mouse.Click(Middle(inB));
    tktest::PumpEvents();
    EXPECT_EQ(tk::Screen::ActiveControl(), inB);
    EXPECT_EQ(ActivePixels(ZoneOf(a)), 0);
    EXPECT_GT(ActivePixels(ZoneOf(b)), 0);

    outside->SetFocus();
    tktest::PumpEvents();
    EXPECT_EQ(ActivePixels(ZoneOf(a)), 0);
    EXPECT_EQ(ActivePixels(ZoneOf(b)), 0);
    EXPECT_EQ(other->Invalidations, otherInvalidations);
}

TEST_F(FocusRepaintTest, FreeingTheFocusedEditTurnsTheTitleBarInactive) {
    NewSite(tk::alLeft, 200);
    TOrloDockablePanel* a = Dock("A");
    tk::Edit* inA = EditIn(a);
    mouse.Click(Middle(inA));
    tktest::PumpEvents();
    ASSERT_GT(ActivePixels(ZoneOf(a)), 0);
    inA->Free();
    tktest::PumpEvents();
    EXPECT_EQ(ActivePixels(ZoneOf(a)), 0);
}

TEST_F(FocusRepaintTest, APressInAHostedPanelRepaintsTheSite) {
    NewSite(tk::alLeft, 200);
    TOrloDockablePanel* a = Dock("A");
    tktest::PumpEvents();
    (void)Shown();
    const int before = site->Invalidations;
    // The panel's own window takes no focus from the driver: only the press tells the site.
    const tk::Control* focused = tk::Screen::ActiveControl();
    mouse.Click(a->ClientToScreen({a->Width() / 2, a->Height() - 5}));
    ASSERT_EQ(tk::Screen::ActiveControl(), focused);
    EXPECT_GT(site->Invalidations, before);
}
