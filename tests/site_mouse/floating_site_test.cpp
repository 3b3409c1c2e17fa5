// The floating window on its own: what it may be made with, a caption press
// without a manager, and a window freed in the middle of the tear-off that
// made it. The whole journeys run in tests/e2e.

#include "site_mouse_fixture.h"
#include <orlodock/docking/OrloDockFloatingSite.h>
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/tk/metrics.h>

namespace {

TEST_F(SiteMouseTest, AFloatingSiteLivesInItsHostWindowOnly) {
    EXPECT_THROW(new TOrloFloatingDockSite(form.get()), tk::EInvalidCast);
    EXPECT_EQ(form->ComponentCount(), 0) << "nothing is left of the failed construction";

    // Without a manager the caption press neither drags nor moves the window.
    Owned<TOrloFloatingDockSiteHostForm> host(new TOrloFloatingDockSiteHostForm(nullptr, nullptr));
    TOrloFloatingDockSite* floating = host->Site();
    EXPECT_TRUE(floating->IsFloating());
    EXPECT_EQ(floating->HostForm(), host.get());
    EXPECT_EQ(floating->Align(), tk::alClient);
    EXPECT_FALSE(host->Visible());
    EXPECT_TRUE(host->StaysOnTop());
    host->SetBounds(300, 200, 150, 120);
    host->Show();
    const tk::Point caption{310, 200 + tk::BorderHeight() + tk::CaptionHeight() / 2};
    mouse.Drag(caption, {350, 260});
    EXPECT_FALSE(host->Dragging());
    EXPECT_EQ(host->BoundsRect(), tk::MakeRect(300, 200, 450, 320));
    EXPECT_EQ(tk::Control::CaptureControl(), nullptr);
}

// The window a tear-off made may be freed while the drag runs: the site
// forgets it and the drag ends, leaving no guide on the screen.
TEST_F(SiteMouseTest, AFloatingWindowFreedDuringTheTearOffIsForgotten) {
    auto* manager = new TOrloDockingManager(form.get());
    NewSite(tk::alLeft, 200);
    site->SetDockManager(manager->Intf());
    Dock("A");
    TOrloDockablePanel* b = Dock("B");
    tk::Rect bar{};
    Theme()->GetTitleBarRect(ZoneOf(b)->ZoneIntf(), bar);
    const tk::Point press = Screen(bar.Left + 20, bar.Top + 5);
    mouse.Move(press);
    mouse.Press(press);
    mouse.Move({press.X + 8, press.Y});
    ASSERT_EQ(site->DragState(), TOrloDockDragState::TearOff);
    TOrloFloatingDockSiteHostForm* host = site->FloatingHost();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(site->FloatingSite(), host->Site()->SiteIntf());
    EXPECT_EQ(b->Parent(), host->Site());
    EXPECT_TRUE(manager->Dragging());

    host->Free();
    EXPECT_EQ(site->FloatingHost(), nullptr);
    EXPECT_EQ(site->FloatingSite(), nullptr);
    mouse.Move({press.X + 40, press.Y + 30});
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_FALSE(manager->Dragging());
    EXPECT_FALSE(manager->OuterGuideWindow()->Visible());
    mouse.Release({press.X + 40, press.Y + 30});
    EXPECT_EQ(tk::Control::CaptureControl(), nullptr);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

} // namespace
