// Title bars and their close and pin buttons under the mouse: hover and press
// feedback painted in place, closing on a release over the button only, the
// mouse leaving the site, the right button, and the active title colour.

#include "site_mouse_fixture.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/tk/edit.h>

namespace {

class SiteButtonsTest : public SiteMouseTest {
protected:
    TOrloDockablePanel* a = nullptr;
    TOrloDockablePanel* b = nullptr;
    TOrloDockControlZone* za = nullptr;
    TOrloDockControlZone* zb = nullptr;

    // Two panels one above the other in a left site.
    void StackTwo() {
        NewSite(tk::alLeft, 304);
        a = Dock("A");
        b = Dock("B", a, tk::alBottom);
        za = ZoneOf(a);
        zb = ZoneOf(b);
        ASSERT_NE(za, nullptr);
        ASSERT_NE(zb, nullptr);
    }

    tk::Rect TitleBar(TOrloDockZone* zone) const {
        tk::Rect r;
        Theme()->GetTitleBarRect(zone->ZoneIntf(), r);
        return r;
    }
};

TEST_F(SiteButtonsTest, CloseButtonClosesOnlyWhenReleasedOverIt) {
    StackTwo();
    const tk::Rect bBefore = zb->Bounds();
    const tk::Point close = Centre(CloseButton(za));
    const tk::Point offButton{TitleBar(za).Left + 20, close.Y};

    mouse.Move(Screen(close));
    mouse.Press(Screen(close));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::ClosePressed);
    EXPECT_EQ(za->CloseButtonState(), dbsPressed);
    mouse.Move(Screen(offButton));
    EXPECT_EQ(za->CloseButtonState(), dbsNormal);
    mouse.Release(Screen(offButton));
    EXPECT_TRUE(a->Visible());
    EXPECT_EQ(zb->Bounds(), bBefore);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);

    // Off the button and back onto it before releasing.
    mouse.Move(Screen(close));
    mouse.Press(Screen(close));
    mouse.Move(Screen(offButton));
    mouse.Move(Screen(InClient(za)));
    mouse.Move(Screen(close));
    EXPECT_EQ(za->CloseButtonState(), dbsPressed);
    mouse.Release(Screen(close));
    tktest::PumpEvents();
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(za->IsVisible());
    EXPECT_EQ(za->CloseButtonState(), dbsNormal);
    // The sibling takes the whole site.
    EXPECT_EQ(zb->Bounds(), site->RootZone()->Bounds());
    EXPECT_GT(zb->Height(), bBefore.Height());
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteButtonsTest, PressReleasedOverAnotherZoneClosesNothingAndLeavesNoButtonPressed) {
    StackTwo();
    const tk::Point close = Centre(CloseButton(za));
    mouse.Move(Screen(close));
    mouse.Press(Screen(close));
    // Over the other zone's close button: still not the pressed one.
    mouse.Move(Screen(Centre(CloseButton(zb))));
    mouse.Release(Screen(Centre(CloseButton(zb))));
    EXPECT_TRUE(a->Visible());
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(za->CloseButtonState(), dbsNormal);
    EXPECT_EQ(zb->CloseButtonState(), dbsNormal);
}

TEST_F(SiteButtonsTest, HoverRaisesAndPressSinksTheButtonRepaintingOnlyItsTitleBar) {
    StackTwo();
    const tk::Rect close = CloseButton(za);
    const tk::Rect pin = PinButton(za);
    const tk::Rect closeFrame = tk::InflateRect(close, 2, 1);
    const tk::Rect pinFrame = tk::InflateRect(pin, 2, 1);
    const tk::Color highlight = tk::ColorToRGB(tk::clBtnHighlight);
    const tk::Color shadow = tk::ColorToRGB(tk::clBtnShadow);
    const tk::Color face = tk::ColorToRGB(tk::clBtnFace);
    const QImage idle = Shown();
    ASSERT_EQ(tktest::PixelOf(idle, closeFrame.Left, closeFrame.Top + 2), face);
    site->Invalidations = 0;

    mouse.Move(Screen(Centre(close)));
    EXPECT_EQ(za->CloseButtonState(), dbsHot);
    EXPECT_EQ(za->PinButtonState(), dbsNormal);
    const QImage hot = Shown();
    // Raised: light left and top edges, dark right and bottom.
    EXPECT_EQ(tktest::PixelOf(hot, closeFrame.Left, closeFrame.Top + 2), highlight);
    EXPECT_EQ(tktest::PixelOf(hot, closeFrame.Left + 2, closeFrame.Top), highlight);
    EXPECT_EQ(tktest::PixelOf(hot, closeFrame.Right, closeFrame.Top + 2), shadow);
    EXPECT_EQ(tktest::PixelOf(hot, closeFrame.Left + 2, closeFrame.Bottom), shadow);
    EXPECT_GT(DifferencesInside(idle, hot, TitleBar(za)), 0);
    EXPECT_EQ(DifferencesOutside(idle, hot, TitleBar(za)), 0);
    EXPECT_EQ(site->Invalidations, 0);

    mouse.Press(Screen(Centre(close)));
    const QImage pressed = Shown();
    // Sunk: the two colours change places.
    EXPECT_EQ(tktest::PixelOf(pressed, closeFrame.Left, closeFrame.Top + 2), shadow);
    EXPECT_EQ(tktest::PixelOf(pressed, closeFrame.Right, closeFrame.Top + 2), highlight);
    EXPECT_EQ(DifferencesOutside(idle, pressed, TitleBar(za)), 0);
    EXPECT_EQ(site->Invalidations, 0);
    mouse.Move(Screen(InClient(za)));
    mouse.Release(Screen(InClient(za)));
    EXPECT_EQ(tktest::CountDifferentPixels(idle, Shown()), 0);

    // From the close button straight to the pin: one goes flat, the other rises.
    mouse.Move(Screen(Centre(close)));
    mouse.Move(Screen(Centre(pin)));
    EXPECT_EQ(za->CloseButtonState(), dbsNormal);
    EXPECT_EQ(za->PinButtonState(), dbsHot);
    const QImage pinHot = Shown();
    EXPECT_EQ(tktest::PixelOf(pinHot, closeFrame.Left, closeFrame.Top + 2), face);
    EXPECT_EQ(tktest::PixelOf(pinHot, pinFrame.Left, pinFrame.Top + 2), highlight);

    // Pressing and releasing the pin only shows the press.
    mouse.Press(Screen(Centre(pin)));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::PinPressed);
    EXPECT_EQ(za->PinButtonState(), dbsPressed);
    EXPECT_EQ(tktest::PixelOf(Shown(), pinFrame.Left, pinFrame.Top + 2), shadow);
    mouse.Release(Screen(Centre(pin)));
    EXPECT_EQ(za->PinButtonState(), dbsNormal);
    EXPECT_TRUE(a->Visible());
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
}

TEST_F(SiteButtonsTest, LeavingTheSiteDropsTheHover) {
    StackTwo();
    mouse.Move(Screen(Centre(CloseButton(za))));
    ASSERT_EQ(za->CloseButtonState(), dbsHot);
    const QImage hot = Shown();
    // Onto the window beside the site.
    mouse.Move(Screen(site->Width() + 50, Centre(CloseButton(za)).Y));
    EXPECT_EQ(za->CloseButtonState(), dbsNormal);
    EXPECT_EQ(site->ActiveZone(), nullptr);
    EXPECT_EQ(site->MouseState(), zhNone);
    const tk::Rect frame = tk::InflateRect(CloseButton(za), 2, 1);
    EXPECT_EQ(tktest::PixelOf(Shown(), frame.Left, frame.Top + 2), tk::ColorToRGB(tk::clBtnFace));
    EXPECT_NE(tktest::PixelOf(hot, frame.Left, frame.Top + 2), tk::ColorToRGB(tk::clBtnFace));
}

TEST_F(SiteButtonsTest, RightButtonDoesNothing) {
    NewSite(tk::alLeft, 304);
    a = Dock("A");
    b = Dock("B", a, tk::alRight);
    za = ZoneOf(a);
    zb = ZoneOf(b);
    const tk::Rect aBefore = za->Bounds();
    const int width = site->Width();

    const tk::Point close = Centre(CloseButton(za));
    mouse.Move(Screen(close));
    mouse.Press(Screen(close), tk::mbRight);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_EQ(za->CloseButtonState(), dbsHot);
    mouse.Release(Screen(close), tk::mbRight);
    EXPECT_TRUE(a->Visible());

    const tk::Point splitter = OnSplitter(za, true);
    mouse.Move(Screen(splitter));
    mouse.Press(Screen(splitter), tk::mbRight);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    mouse.Move(Screen(splitter.X + 40, splitter.Y));
    mouse.Release(Screen(splitter.X + 40, splitter.Y), tk::mbRight);
    EXPECT_EQ(za->Bounds(), aBefore);

    const tk::Point edge = Centre(site->EdgeSplitterRect());
    mouse.Move(Screen(edge));
    mouse.Press(Screen(edge), tk::mbRight);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_FALSE(site->EdgeDragging());
    mouse.Move(Screen(edge.X + 40, edge.Y));
    mouse.Release(Screen(edge.X + 40, edge.Y), tk::mbRight);
    EXPECT_EQ(site->Width(), width);
}

TEST_F(SiteButtonsTest, ReleasingTheRightButtonDoesNotEndALeftDrag) {
    // 400 pixels to share: 4 make one percent.
    NewSite(tk::alLeft, 404);
    a = Dock("A");
    b = Dock("B", a, tk::alRight);
    za = ZoneOf(a);
    const tk::Point splitter = OnSplitter(za, true);
    const tk::Point to{(splitter.X + 30) / 4 * 4, splitter.Y};
    mouse.Move(Screen(splitter));
    mouse.Press(Screen(splitter));
    mouse.Move(Screen(to));
    mouse.Press(Screen(to), tk::mbRight);
    mouse.Release(Screen(to), tk::mbRight);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Splitter);
    mouse.Release(Screen(to));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_EQ(za->Bounds().Right, to.X);
}

TEST_F(SiteButtonsTest, TitleBarPressArmsTheTearOffOnlyUntilReleased) {
    StackTwo();
    const tk::Rect title = TitleBar(za);
    const tk::Point p{title.Left + 20, title.Top + 8};
    // The tear-off's drag is the manager's: without one nothing is armed.
    mouse.Move(Screen(p));
    mouse.Press(Screen(p));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    mouse.Release(Screen(p));
    site->SetDockManager((new TOrloDockingManager(form.get()))->Intf());
    mouse.Press(Screen(p));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::TitleBarPressed);
    EXPECT_EQ(site->DragPos(), p);
    // Under five pixels either way tears nothing off.
    mouse.Move(Screen(p.X + 4, p.Y - 4));
    EXPECT_EQ(site->FloatingHost(), nullptr);
    mouse.Release(Screen(p.X + 4, p.Y - 4));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_EQ(tk::Control::CaptureControl(), nullptr);
    EXPECT_EQ(ZoneOf(a), za);
}

TEST_F(SiteButtonsTest, TitleBarShowsTheActiveColourWhileTheFocusIsInsideItsPanel) {
    StackTwo();
    auto* inside = new tk::Edit(form.get());
    inside->SetParent(a);
    inside->SetBounds(10, 60, 80, 20);
    auto* outside = new tk::Edit(form.get());
    outside->SetParent(form.get());
    outside->SetBounds(site->Width() + 20, 20, 80, 20);
    const tk::Point inA{TitleBar(za).Left + 1, TitleBar(za).Top + 5};
    const tk::Point inB{TitleBar(zb).Left + 1, TitleBar(zb).Top + 5};
    const tk::Color active = tk::ColorToRGB(tk::clActiveCaption);
    const tk::Color inactive = tk::ColorToRGB(tk::clBtnFace);
    ASSERT_NE(active, inactive);

    inside->SetFocus();
    site->Invalidate();
    EXPECT_EQ(ShownAt(inA), active);
    EXPECT_EQ(ShownAt(inB), inactive);

    outside->SetFocus();
    site->Invalidate();
    EXPECT_EQ(ShownAt(inA), inactive);
    EXPECT_EQ(ShownAt(inB), inactive);
}

TEST_F(SiteButtonsTest, ButtonsOfATabGroupAreTheGroups) {
    NewSite(tk::alLeft, 304);
    a = Dock("A");
    b = Dock("B", a, tk::alClient);
    auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(ZoneOf(a)->ParentZone());
    ASSERT_NE(group, nullptr);
    const tk::Rect close = CloseButton(group);
    const tk::Rect frame = tk::InflateRect(close, 2, 1);

    mouse.Move(Screen(Centre(close)));
    EXPECT_EQ(group->CloseButtonState(), dbsHot);
    EXPECT_EQ(tktest::PixelOf(Shown(), frame.Left, frame.Top + 2), tk::ColorToRGB(tk::clBtnHighlight));
    auto* currentZone = dynamic_cast<TOrloDockControlZone*>(group->CurrentTabZone());
    ASSERT_NE(currentZone, nullptr);
    TOrloDockablePanel* current = currentZone->Panel();
    mouse.Press(Screen(Centre(close)));
    EXPECT_EQ(group->CloseButtonState(), dbsPressed);
    mouse.Release(Screen(Centre(close)));
    tktest::PumpEvents();
    // The group closes its current tab; the other stays.
    EXPECT_FALSE(current->Visible());
    EXPECT_TRUE((current == a ? b : a)->Visible());
    EXPECT_EQ(group->CloseButtonState(), dbsNormal);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

TEST_F(SiteButtonsTest, AHoveredPanelFreedMeanwhileIsForgotten) {
    StackTwo();
    mouse.Move(Screen(Centre(CloseButton(za))));
    ASSERT_EQ(site->ActiveZone(), za);
    a->Free();
    tktest::PumpEvents();
    // The next messages must not reach the freed zone.
    mouse.Move(Screen(Centre(CloseButton(zb))));
    EXPECT_EQ(site->ActiveZone(), zb);
    EXPECT_EQ(zb->CloseButtonState(), dbsHot);
    mouse.Click(Screen(Centre(CloseButton(zb))));
    EXPECT_FALSE(b->Visible());
}

} // namespace
