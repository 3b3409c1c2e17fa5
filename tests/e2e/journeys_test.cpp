// What a user does with the demonstration window: tear a panel off by its
// title bar and drop it on a guide, tear a tab off its group and put it
// back, drag a floating window by its caption, change their mind with
// Escape, and take the last panel out of the bottom or right site.

#include <QtCore/qnamespace.h>

#include "journey_fixture.h"
#include "support/toolkit_helpers.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/metrics.h>

namespace {

struct CrossDrop {
    TOrloDockDropKind kind;
    const char* name;
    // How the dropped panel stands to the target: beside it along this
    // orientation, before or after it (voTabbed: a tab of the same group).
    TOrloDockOrientation orientation;
    bool before;
};

class CrossJourney : public JourneyTest, public ::testing::WithParamInterface<CrossDrop> {};

// (a) Test Panel 1 pulled off the left site and dropped on the cross over
// Test Panel 2 in the right site.
TEST_P(CrossJourney, TearOffAndDropOnTheCross) {
    const CrossDrop drop = GetParam();
    TOrloDockablePanel* moved = form->TestPanel1;
    TOrloDockablePanel* target = form->TestPanel2;
    TOrloFloatingDockSiteHostForm* window = TearOff(moved);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(SiteOf(moved), window->Site());
    EXPECT_EQ(form->LeftDock->RootZone()->FindControlZone(moved), nullptr);

    MoveTo(Inside(target));
    ASSERT_EQ(Manager()->CompassWindow()->ZoneUnderMouse()->Zone(), LeafOf(target)->ZoneIntf());
    MoveTo(OnCross(drop.kind), 2);
    EXPECT_TRUE(Manager()->PreviewWindow()->Showing());
    EXPECT_EQ(Manager()->PreviewWindow()->IsTab(), drop.kind == dkTab);
    // The window stays put while a guide is lit.
    const tk::Rect still = window->BoundsRect();
    MoveTo({Pointer().X + 1, Pointer().Y}, 1);
    EXPECT_EQ(window->BoundsRect(), still);
    Shot(drop.kind == dkTab ? "cross-tab" : "cross-side");
    mouse.Release(Pointer());
    ExpectSettled();

    EXPECT_TRUE(FloatingWindows().empty()) << "the emptied window is released";
    ASSERT_EQ(SiteOf(moved), form->RightDock);
    TOrloDockControlZone* landed = LeafOf(moved);
    TOrloDockControlZone* beside = LeafOf(target);
    ASSERT_EQ(landed->ParentZone(), beside->ParentZone());
    const tk::Rect m = moved->BoundsRect();
    const tk::Rect t = target->BoundsRect();
    if (drop.orientation == voTabbed) {
        EXPECT_NE(landed->ParentZone()->AsTabGroup(), nullptr);
        EXPECT_EQ(m, t);
    } else {
        EXPECT_EQ(landed->ParentZone()->ChildOrientation(), drop.orientation);
        EXPECT_EQ(drop.before ? landed->NextSibling() : landed->PrevSibling(), beside);
        const bool row = drop.orientation == voVert;
        EXPECT_EQ(row ? m.Top : m.Left, row ? t.Top : t.Left);
        if (drop.before)
            EXPECT_LT(row ? m.Right : m.Bottom, row ? t.Left : t.Top);
        else
            EXPECT_GT(row ? m.Left : m.Top, row ? t.Right : t.Bottom);
    }
    Shot(drop.kind == dkTab ? "dropped-tab" : "dropped-side");
}

INSTANTIATE_TEST_SUITE_P(Journeys, CrossJourney,
                         ::testing::Values(CrossDrop{dkLeft, "Left", voVert, true},
                                           CrossDrop{dkRight, "Right", voVert, false},
                                           CrossDrop{dkTop, "Top", voHorz, true},
                                           CrossDrop{dkBottom, "Bottom", voHorz, false},
                                           CrossDrop{dkTab, "Tab", voTabbed, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class EdgeJourney : public JourneyTest, public ::testing::WithParamInterface<tk::Align> {};

// (b) Dropped on a site's edge guide, the panel docks at that site's outer edge.
TEST_P(EdgeJourney, DropOnTheEdgeGuide) {
    const tk::Align align = GetParam();
    TOrloDockSite* site = align == tk::alLeft    ? form->LeftDock
                          : align == tk::alRight ? form->RightDock
                          : align == tk::alTop   ? form->TopDock
                                                 : form->BottomDock;
    TOrloDockablePanel* moved = form->TestPanel3;
    ASSERT_NE(TearOff(moved), nullptr);
    const tk::Point guide = OnEdgeGuide(site);
    MoveTo(guide, 2);
    EXPECT_EQ(Manager()->TargetAlign(), align);
    EXPECT_TRUE(Manager()->PreviewWindow()->Showing());
    Shot("edge-guide");
    mouse.Release(guide);
    ExpectSettled();

    ASSERT_EQ(SiteOf(moved), site);
    TOrloDockRootZone* root = site->RootZone();
    const bool before = align == tk::alLeft || align == tk::alTop;
    // At the outer edge: the first or last zone along the site.
    TOrloDockZone* edgeZone = LeafOf(moved);
    while (edgeZone->ParentZone() != root)
        edgeZone = edgeZone->ParentZone();
    EXPECT_EQ(edgeZone, before ? root->FirstChild() : root->LastChild());
    EXPECT_FALSE(site->Collapsed());
    EXPECT_TRUE(FloatingWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(Journeys, EdgeJourney, ::testing::Values(tk::alLeft, tk::alRight, tk::alTop, tk::alBottom),
                         [](const auto& info) {
                             return std::string(info.param == tk::alLeft    ? "Left"
                                                : info.param == tk::alRight ? "Right"
                                                : info.param == tk::alTop   ? "Top"
                                                                            : "Bottom");
                         });

// (c) A tab pulled off its group floats; dropped on the group's tab guide it
// is a tab of the group again.
TEST_F(JourneyTest, TearATabOffItsGroupAndPutItBack) {
    TOrloDockablePanel* tab = form->TestPanel4;
    TearOff(tab);
    MoveTo(Inside(form->TestPanel2));
    MoveTo(OnCross(dkTab), 2);
    mouse.Release(OnCross(dkTab));
    ExpectSettled();
    TOrloDockTabbedContainerZone* group = LeafOf(tab)->ParentZone()->AsTabGroup();
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->ChildCount(), 2);

    // Pressed on its tab and pulled off the strip, down into the window.
    TOrloDockTabs* strip = group->Tabs();
    ASSERT_TRUE(strip->Visible());
    TOrloDockTab* item = strip->GetTab(group->IndexOf(LeafOf(tab)));
    const tk::Point onTab = strip->ClientToScreen({item->Left() + item->Width() / 2, strip->Height() / 2});
    mouse.Move(onTab);
    mouse.Press(onTab);
    mouse.Move({onTab.X - 150, onTab.Y + 40});
    mouse.Move({onTab.X - 160, onTab.Y + 45});
    ASSERT_EQ(FloatingWindows().size(), 1u) << "the tab was torn off";
    TOrloFloatingDockSiteHostForm* window = FloatingWindows().front();
    EXPECT_EQ(SiteOf(tab), window->Site());
    EXPECT_EQ(LeafOf(form->TestPanel2)->ParentZone()->AsTabGroup(), nullptr) << "a group of one is no group";

    mouse.Move(Inside(form->TestPanel2));
    Shot("torn-tab");
    const tk::Point guide = OnCross(dkTab);
    mouse.Move(guide);
    mouse.Release(guide);
    ExpectSettled();
    group = LeafOf(tab)->ParentZone()->AsTabGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(LeafOf(form->TestPanel2)->ParentZone(), group);
    EXPECT_TRUE(FloatingWindows().empty());
}

// (d) Floated where no guide is, then carried by its caption and docked back.
TEST_F(JourneyTest, FloatMoveByTheCaptionAndDockBack) {
    TOrloDockablePanel* moved = form->TestPanel1;
    TOrloFloatingDockSiteHostForm* window = TearOff(moved);
    ASSERT_NE(window, nullptr);
    const tk::Point empty = form->Memo1->ClientToScreen({200, 100});
    MoveTo(empty);
    mouse.Release(empty);
    ExpectSettled();
    ASSERT_EQ(FloatingWindows().size(), 1u);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(window->StaysOnTop());
    EXPECT_EQ(SiteOf(moved), window->Site());
    Shot("floating");

    // Carried by the caption over a spot without guides: the window follows.
    const tk::Rect before = window->BoundsRect();
    const tk::Point grip = Caption(window);
    mouse.Move(grip);
    mouse.Press(grip);
    EXPECT_TRUE(window->Dragging());
    mouse.Move(grip);
    EXPECT_EQ(window->BoundsRect(), before) << "a move of nothing moves nothing";
    mouse.Move({grip.X + 30, grip.Y + 20});
    mouse.Release({grip.X + 30, grip.Y + 20});
    EXPECT_EQ(window->Left(), before.Left + 30);
    EXPECT_EQ(window->Top(), before.Top + 20);
    ExpectSettled();

    // And onto the cross over Test Panel 3, left of it.
    mouse.Move(Caption(window));
    mouse.Press(Caption(window));
    Pointer() = Caption(window);
    MoveTo(Inside(form->TestPanel3));
    MoveTo(OnCross(dkLeft), 2);
    mouse.Release(OnCross(dkLeft));
    ExpectSettled();
    ASSERT_EQ(SiteOf(moved), form->LeftDock);
    EXPECT_EQ(LeafOf(moved)->NextSibling(), LeafOf(form->TestPanel3));
    EXPECT_TRUE(FloatingWindows().empty());
    Shot("docked-back");
}

// (e) Escape in the middle of a tear-off or of a caption drag: the guides and
// the preview go, the window stays where it is, nothing docks.
TEST_F(JourneyTest, EscapeLeavesTheWindowWhereItIs) {
    TOrloDockablePanel* moved = form->TestPanel1;
    TOrloFloatingDockSiteHostForm* window = TearOff(moved);
    ASSERT_NE(window, nullptr);
    MoveTo(Inside(form->TestPanel2));
    MoveTo(OnCross(dkBottom), 2);
    ASSERT_TRUE(GuidesOrPreviewShow());
    const tk::Rect where = window->BoundsRect();
    tktest::PressKey(Qt::Key_Escape);
    EXPECT_FALSE(GuidesOrPreviewShow());
    mouse.Release(Pointer());
    ExpectSettled();
    EXPECT_EQ(window->BoundsRect(), where);
    EXPECT_EQ(SiteOf(moved), window->Site()) << "nothing docked";
    EXPECT_EQ(form->LeftDock->DragState(), TOrloDockDragState::Idle);

    const tk::Point grip = Caption(window);
    mouse.Move(grip);
    mouse.Press(grip);
    Pointer() = grip;
    MoveTo(Inside(form->TestPanel5));
    MoveTo(OnCross(dkTab), 2);
    ASSERT_TRUE(GuidesOrPreviewShow());
    const tk::Rect there = window->BoundsRect();
    tktest::PressKey(Qt::Key_Escape);
    EXPECT_FALSE(window->Dragging());
    mouse.Release(Pointer());
    ExpectSettled();
    EXPECT_EQ(window->BoundsRect(), there);
    EXPECT_EQ(SiteOf(moved), window->Site());
}

// (f) The last panel of the bottom site: the site collapses under the
// pointer, and the window still follows the pointer's movement.
struct LastPanel {
    const char* name;
    bool bottom; // else the right site
};

class LastPanelJourney : public JourneyTest, public ::testing::WithParamInterface<LastPanel> {};

// (f) Once a bottom (right) site is empty, the drag measures from the pointer
// plus the floating window's height (width), which stands in for the site's.
TEST_P(LastPanelJourney, TheLastPanelOfTheSite) {
    const bool bottom = GetParam().bottom;
    TOrloDockSite* site = bottom ? form->BottomDock : form->RightDock;
    TOrloDockablePanel* moved = bottom ? form->TestPanel5 : form->TestPanel2;
    if (!bottom) // the right site's other panel goes first, so the torn one is its last
        form->TestPanel4->DockInto(form->LeftDock->SiteIntf(), nullptr, tk::alBottom);
    // Pulled just far enough to tear off, so the window has not moved yet.
    const tk::Point bar = TitleBar(moved);
    mouse.Move(bar);
    mouse.Press(bar);
    Pointer() = bar;
    MoveTo({bar.X, bar.Y + 5}, 1);
    ASSERT_EQ(FloatingWindows().size(), 1u);
    TOrloFloatingDockSiteHostForm* window = FloatingWindows().back();
    EXPECT_TRUE(site->Collapsed());
    const tk::Rect torn = window->BoundsRect();
    const tk::Point away = form->Memo1->ClientToScreen({150, 60});
    MoveTo(away, 4);
    const int along =
        bottom ? window->Top() - torn.Top - (away.Y - bar.Y) : window->Left() - torn.Left - (away.X - bar.X);
    const int across =
        bottom ? window->Left() - torn.Left - (away.X - bar.X) : window->Top() - torn.Top - (away.Y - bar.Y);
    // Across the site's axis the window follows the pointer from the press;
    // along it, it lags by its frame, not by the extent the site collapsed.
    EXPECT_EQ(across, 0);
    EXPECT_GE(along, 0);
    EXPECT_LE(along, 2 * tk::CaptionHeight()) << "the window jumped by the collapsed site's extent";
    mouse.Release(away);
    ExpectSettled();
    EXPECT_EQ(SiteOf(moved), window->Site());

    // Docked back: the site opens again.
    mouse.Move(Caption(window));
    mouse.Press(Caption(window));
    Pointer() = Caption(window);
    const tk::Point guide = OnEdgeGuide(site);
    MoveTo(guide);
    mouse.Release(guide);
    ExpectSettled();
    EXPECT_EQ(SiteOf(moved), site);
    EXPECT_FALSE(site->Collapsed());
}

INSTANTIATE_TEST_SUITE_P(Journeys, LastPanelJourney,
                         ::testing::Values(LastPanel{"Bottom", true}, LastPanel{"Right", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Quitting with floating windows open frees everything once (the address
// sanitizer watches); a floating window's close button hides its panels.
TEST_F(JourneyTest, CloseButtonHidesAndQuittingWithFloatingWindowsIsClean) {
    TOrloFloatingDockSiteHostForm* window = TearOff(form->TestPanel1);
    mouse.Release(Pointer());
    TearOff(form->TestPanel2);
    mouse.Release(Pointer());
    ExpectSettled();
    ASSERT_EQ(FloatingWindows().size(), 2u);

    const tk::Point close{window->Left() + window->Width() - tk::BorderWidth() - tk::CaptionHeight() / 2,
                          window->Top() + tk::BorderHeight() + tk::CaptionHeight() / 2};
    mouse.Click(close);
    tktest::PumpEvents();
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(form->TestPanel1->Visible());
    EXPECT_EQ(FloatingWindows().size(), 2u) << "hidden, not freed";
    form->Button6->Click();
    tktest::PumpEvents();
    EXPECT_TRUE(window->Visible()) << "showing its panel shows the window";
}

} // namespace
