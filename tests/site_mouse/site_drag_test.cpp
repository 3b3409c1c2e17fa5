// Dragging zone splitters and the site's inner edge with the mouse: the bar
// above the panels while the button is held, the clamps, the result on
// release, and the resize cursors.

#include "site_mouse_fixture.h"

namespace {

// Two panels side by side (a left site) or one above the other (a top site),
// sharing 400 pixels, so that every 4 pixels are one percent.
struct SplitCase {
    tk::Align align;
    tk::Align position;
    bool sideBySide;
};

class SiteSplitterTest : public SiteMouseTest, public ::testing::WithParamInterface<SplitCase> {
protected:
    TOrloDockablePanel* a = nullptr;
    TOrloDockablePanel* b = nullptr;
    TOrloDockControlZone* za = nullptr;
    TOrloDockControlZone* zb = nullptr;

    void SetUp() override {
        SiteMouseTest::SetUp();
        NewSite(GetParam().align, 404);
        a = Dock("A");
        b = Dock("B", a, GetParam().position);
        za = ZoneOf(a);
        zb = ZoneOf(b);
        ASSERT_EQ(site->RootZone()->ChildOrientation(), GetParam().sideBySide ? voVert : voHorz);
        ASSERT_EQ(za->NextVisibleSibling(), zb);
    }

    bool SideBySide() const { return GetParam().sideBySide; }
    // Moves a point along the splitter's axis.
    tk::Point Along(tk::Point p, int distance) const {
        return SideBySide() ? tk::Point{p.X + distance, p.Y} : tk::Point{p.X, p.Y + distance};
    }
    int Near(TOrloDockZone* zone) const { return SideBySide() ? zone->Bounds().Left : zone->Bounds().Top; }
    int Far(TOrloDockZone* zone) const { return SideBySide() ? zone->Bounds().Right : zone->Bounds().Bottom; }
};

TEST_P(SiteSplitterTest, DraggedBeyondEitherNeighbourTheSplitterStopsAtTheMinimumSize) {
    const int minimum = za->GetMinimumSize();
    ASSERT_EQ(minimum, zb->GetMinimumSize());

    const tk::Point start = OnSplitter(za, SideBySide());
    DragSite(start, Along(start, -1000));
    EXPECT_EQ(Far(za), Near(za) + minimum);
    EXPECT_EQ(Near(zb), Far(za) + 1);

    const tk::Point again = OnSplitter(za, SideBySide());
    DragSite(again, Along(again, 1000));
    EXPECT_EQ(Far(za), Far(zb) - minimum);
    EXPECT_EQ(Near(zb), Far(za) + 1);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_P(SiteSplitterTest, ReleasedWhereItStartedTheDragChangesNothing) {
    const tk::Rect aBefore = za->Bounds();
    const tk::Rect bBefore = zb->Bounds();
    const int shareBefore = za->ParentSizePercentage();
    const QImage before = Shown();

    const tk::Point start = OnSplitter(za, SideBySide());
    mouse.Move(Screen(start));
    mouse.Press(Screen(start));
    mouse.Move(Screen(Along(start, 60)));
    mouse.Move(Screen(Along(start, -30)));
    mouse.Move(Screen(start));
    mouse.Release(Screen(start));

    EXPECT_EQ(za->Bounds(), aBefore);
    EXPECT_EQ(zb->Bounds(), bBefore);
    EXPECT_EQ(za->ParentSizePercentage(), shareBefore);
    // No bar is left behind.
    EXPECT_EQ(tktest::CountDifferentPixels(before, Shown()), 0);
}

TEST_P(SiteSplitterTest, TheBarFollowsThePointerAboveThePanelsAndTheZonesFollowOnRelease) {
    const QImage before = Shown();
    const tk::Point start = OnSplitter(za, SideBySide());
    // 40 pixels on: the bar's near edge lands on a multiple of 4, a whole percent.
    const int target = ((SideBySide() ? start.X : start.Y) + 40) / 4 * 4;
    const tk::Point to = SideBySide() ? tk::Point{target, start.Y} : tk::Point{start.X, target};
    mouse.Move(Screen(start));
    mouse.Press(Screen(start));
    mouse.Move(Screen(to));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Splitter);
    EXPECT_EQ(site->SplitZone(), za);

    const QImage during = Shown();
    // The bar: 4 pixels thick at the pointer, as long as the zone is across, over panel B.
    const tk::Rect client = b->BoundsRect();
    const tk::Rect span = za->Bounds();
    const tk::Rect bar = SideBySide() ? tk::MakeRect(target, span.Top, target + 4, span.Bottom)
                                      : tk::MakeRect(span.Left, target, span.Right, target + 4);
    ASSERT_FALSE(tk::IntersectRect(bar, client).IsEmpty());
    EXPECT_EQ(DifferencesInside(before, during, bar), bar.Width() * bar.Height());
    EXPECT_EQ(DifferencesOutside(before, during, bar), 0);
    // Nothing moves before the release.
    EXPECT_EQ(b->BoundsRect(), client);

    mouse.Release(Screen(to));
    EXPECT_EQ(Far(za), target);
    EXPECT_EQ(Near(zb), target + 1);
    EXPECT_EQ(site->SplitZone(), nullptr);
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_P(SiteSplitterTest, ASplitZoneLeavingTheSiteIsLetGoAtOnce) {
    const tk::Point start = OnSplitter(za, SideBySide());
    const tk::Point to = Along(start, 40);
    mouse.Move(Screen(start));
    mouse.Press(Screen(start));
    mouse.Move(Screen(to));
    ASSERT_EQ(site->SplitZone(), za);

    site->RemoveZone(za->ZoneID());
    Owned<TOrloDockZone> removed(za);
    EXPECT_EQ(site->SplitZone(), nullptr) << "before any further mouse message";
    tktest::PumpEvents();
    const QImage gone = Shown();
    const tk::Rect bBefore = zb->Bounds();
    mouse.Release(Screen(to));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle);
    EXPECT_EQ(zb->Bounds(), bBefore);
    EXPECT_EQ(tktest::CountDifferentPixels(gone, Shown()), 0) << "the bar went with the zone";
}

TEST_P(SiteSplitterTest, ResizeCursorOverTheSplitterOnly) {
    const tk::Cursor split = SideBySide() ? tk::crHSplit : tk::crVSplit;
    mouse.Move(Screen(OnSplitter(za, SideBySide())));
    EXPECT_EQ(site->ShownCursor(), split);
    const tk::Rect title = za->Bounds();
    mouse.Move(Screen(title.Left + 5, title.Top + 5));
    EXPECT_EQ(site->ShownCursor(), tk::crDefault);
}

INSTANTIATE_TEST_SUITE_P(Orientations, SiteSplitterTest,
                         ::testing::Values(SplitCase{tk::alLeft, tk::alRight, true},
                                           SplitCase{tk::alTop, tk::alBottom, false}),
                         [](const auto& info) { return info.param.sideBySide ? "SideBySide" : "Stacked"; });

TEST_F(SiteMouseTest, SplitterTradesSpaceWithItsNeighbourOnly) {
    NewSite(tk::alLeft, 404);
    auto* a = Dock("A");
    auto* b = Dock("B", a, tk::alRight);
    auto* c = Dock("C", b, tk::alRight);
    TOrloDockZone* za = ZoneOf(a);
    TOrloDockZone* zb = ZoneOf(b);
    TOrloDockZone* zc = ZoneOf(c);
    ASSERT_EQ(za->NextVisibleSibling(), zb);
    ASSERT_EQ(zb->NextVisibleSibling(), zc);
    const int bWidth = zb->Width();
    const int cWidth = zc->Width();
    ASSERT_GT(bWidth, 60);

    const tk::Point start = OnSplitter(za, true);
    const int target = (start.X + 40) / 4 * 4;
    DragSite(start, {target, start.Y});
    EXPECT_EQ(za->Bounds().Right, target);
    EXPECT_EQ(zb->Bounds().Left, target + 1);
    // Shares are whole percents: a pixel or two either way.
    EXPECT_NEAR(zb->Width(), bWidth - (target - start.X - 2), 2);
    EXPECT_NEAR(zc->Width(), cWidth, 2);
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteMouseTest, TabGroupSplitterMovesTheGroup) {
    NewSite(tk::alLeft, 404);
    auto* a = Dock("A");
    auto* b = Dock("B", a, tk::alClient);
    auto* c = Dock("C", b, tk::alBottom);
    auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(ZoneOf(a)->ParentZone());
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->NextVisibleSibling(), ZoneOf(c));
    const tk::Point start = OnSplitter(group, false);
    mouse.Move(Screen(start));
    EXPECT_EQ(site->ShownCursor(), tk::crVSplit);
    // The window is 500 high: 5 pixels make one percent.
    ASSERT_EQ(site->RootZone()->Height(), 500);
    const int target = (start.Y - 40) / 5 * 5;
    DragSite(start, {start.X, target});
    EXPECT_EQ(group->Bounds().Bottom, target);
    EXPECT_EQ(ZoneOf(c)->Bounds().Top, target + 1);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

// ---- the inner edge ----

struct EdgeCase {
    tk::Align align;
    // Away from the window edge the site stands on.
    tk::Point inward;
    const char* name;
};

class SiteEdgeTest : public SiteMouseTest, public ::testing::WithParamInterface<EdgeCase> {
protected:
    TOrloDockablePanel* a = nullptr;

    void SetUp() override {
        SiteMouseTest::SetUp();
        NewSite(GetParam().align, 200);
        a = Dock("A");
    }
    bool Vertical() const { return GetParam().align == tk::alTop || GetParam().align == tk::alBottom; }
    int Extent() const { return Vertical() ? site->Height() : site->Width(); }
    tk::Point Inward(tk::Point p, int distance) const {
        return {p.X + GetParam().inward.X * distance, p.Y + GetParam().inward.Y * distance};
    }
    // The outer edge: the side of the window the site stands on.
    int OuterEdge() const {
        switch (GetParam().align) {
        case tk::alTop:
            return site->Top();
        case tk::alBottom:
            return site->Top() + site->Height();
        case tk::alLeft:
            return site->Left();
        default:
            return site->Left() + site->Width();
        }
    }
};

TEST_P(SiteEdgeTest, DraggingTheInnerEdgeResizesTheSiteByTheDistance) {
    const int outer = OuterEdge();
    const tk::Point start = Centre(site->EdgeSplitterRect());
    DragSite(start, Inward(start, 30));
    EXPECT_EQ(Extent(), 230);
    EXPECT_EQ(OuterEdge(), outer);
    EXPECT_FALSE(site->EdgeDragging());

    const tk::Point again = Centre(site->EdgeSplitterRect());
    DragSite(again, Inward(again, -50));
    EXPECT_EQ(Extent(), 180);
    EXPECT_EQ(OuterEdge(), outer);
    // The zones follow the new size.
    tk::Rect client = site->ClientRect();
    site->AdjustClientRect(client);
    EXPECT_EQ(site->RootZone()->Bounds(), client);
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_P(SiteEdgeTest, TheBarIsDrawnOnTheWindowWhereTheEdgeWillBe) {
    const QImage before = ShownWindow();
    const tk::Point start = Centre(site->EdgeSplitterRect());
    mouse.Move(Screen(start));
    mouse.Press(Screen(start));
    EXPECT_EQ(site->DragState(), TOrloDockDragState::InnerEdge);
    EXPECT_TRUE(site->EdgeDragging());
    mouse.Move(Screen(Inward(start, 40)));
    const QImage during = ShownWindow();
    // The strip as it will stand, in the window's coordinates: on the window, beyond the site.
    tk::Rect bar = tk::OffsetRect(site->EdgeSplitterRect(), site->Left(), site->Top());
    bar = tk::OffsetRect(bar, GetParam().inward.X * 40, GetParam().inward.Y * 40);
    EXPECT_EQ(DifferencesInside(before, during, bar), bar.Width() * bar.Height());
    EXPECT_EQ(DifferencesOutside(before, during, bar), 0);
    EXPECT_EQ(Extent(), 200);

    // Back to the start: nothing changes and the bar is gone.
    mouse.Move(Screen(start));
    mouse.Release(Screen(start));
    EXPECT_EQ(Extent(), 200);
    EXPECT_EQ(tktest::CountDifferentPixels(before, ShownWindow()), 0);
}

TEST_P(SiteEdgeTest, TheEdgeStaysOnTheWindowAndAboveOneZone) {
    const tk::Point start = Centre(site->EdgeSplitterRect());
    DragSite(start, Inward(start, 5000));
    const int room = Vertical() ? form->ClientHeight() : form->ClientWidth();
    EXPECT_EQ(Extent(), room);

    const tk::Point again = Centre(site->EdgeSplitterRect());
    DragSite(again, Inward(again, -5000));
    const int strip = Vertical() ? site->EdgeSplitterRect().Height() : site->EdgeSplitterRect().Width();
    EXPECT_EQ(Extent(), strip + ZoneOf(a)->GetMinimumSize());
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_P(SiteEdgeTest, ResizeCursorOverTheInnerEdgeUnlessTheSiteIsEmpty) {
    const tk::Cursor split = Vertical() ? tk::crVSplit : tk::crHSplit;
    mouse.Move(Screen(Centre(site->EdgeSplitterRect())));
    EXPECT_EQ(site->ShownCursor(), split);

    a->Hide();
    tktest::PumpEvents();
    // Hidden panels leave the site collapsed; opened again it shows nothing.
    site->Expand();
    ASSERT_EQ(site->RootZone()->VisibleChildCount(), 0);
    mouse.Move(Screen(Centre(site->EdgeSplitterRect())));
    EXPECT_EQ(site->ShownCursor(), tk::crDefault);
}

INSTANTIATE_TEST_SUITE_P(Alignments, SiteEdgeTest,
                         ::testing::Values(EdgeCase{tk::alTop, {0, 1}, "Top"},
                                           EdgeCase{tk::alBottom, {0, -1}, "Bottom"},
                                           EdgeCase{tk::alLeft, {1, 0}, "Left"},
                                           EdgeCase{tk::alRight, {-1, 0}, "Right"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SiteMouseTest, AnEmptySiteShowsNoResizeCursor) {
    NewSite(tk::alLeft, 200);
    ASSERT_EQ(site->RootZone()->ChildCount(), 0);
    mouse.Move(Screen(Centre(site->EdgeSplitterRect())));
    EXPECT_EQ(site->ShownCursor(), tk::crDefault);
}

} // namespace
