// Splitter strips and hit tests: the splitter is the last strip of a zone
// that a visible sibling follows; title bar and buttons come from the theme.

#include "zone_fixture.h"

using tk::MakeRect;
using tk::Point;

namespace {

class HitTest : public ZoneTest {
protected:
    FakeLeafZone* first = nullptr;
    FakeLeafZone* second = nullptr;

    // Two children of 150 and 149 pixels along the given orientation.
    void MakePair(TOrloDockOrientation orientation) {
        ShapeRoot(orientation, orientation == voVert ? MakeRect(0, 0, 300, 200) : MakeRect(0, 0, 200, 300));
        first = AddLeaf(root.get());
        second = AddLeaf(root.get());
        Share(root.get(), {50, 50});
    }
};

TEST_F(HitTest, SideBySideSplitterIsTheRightStripOfTheFirstZone) {
    MakePair(voVert);
    ASSERT_EQ(first->Bounds(), MakeRect(0, 0, 150, 200));

    tk::Rect r = first->Bounds();
    first->ExcludeSplitter(r);
    EXPECT_EQ(r, MakeRect(0, 0, 146, 200));
    r = first->Bounds();
    first->AdjustClientRect(r);
    EXPECT_EQ(r, MakeRect(0, 0, 146, 200));

    EXPECT_TRUE(first->PtInSplitter(Point{146, 10}));
    EXPECT_TRUE(first->PtInSplitter(Point{149, 199}));
    EXPECT_FALSE(first->PtInSplitter(Point{145, 10}));
    EXPECT_FALSE(first->PtInSplitter(Point{150, 10})); // the gap belongs to nobody
    EXPECT_FALSE(first->PtInSplitter(Point{147, 200}));
}

TEST_F(HitTest, StackedAndUnorientedSplittersAreTheBottomStrip) {
    MakePair(voHorz);
    ASSERT_EQ(first->Bounds(), MakeRect(0, 0, 200, 150));
    tk::Rect r = first->Bounds();
    first->ExcludeSplitter(r);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 146));
    EXPECT_TRUE(first->PtInSplitter(Point{10, 146}));
    EXPECT_FALSE(first->PtInSplitter(Point{10, 150}));
    EXPECT_FALSE(first->PtInSplitter(Point{10, 145}));

    first->SetOrientation(voNoOrient);
    r = first->Bounds();
    first->ExcludeSplitter(r);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 146));
    EXPECT_TRUE(first->PtInSplitter(Point{10, 146}));

    // Tabs share one rectangle and are never splitters.
    first->SetOrientation(voTabbed);
    EXPECT_FALSE(first->PtInSplitter(Point{10, 146}));
}

TEST_F(HitTest, NoSplitterWithoutANextVisibleSibling) {
    MakePair(voVert);
    tk::Rect r = second->Bounds();
    second->ExcludeSplitter(r);
    EXPECT_EQ(r, second->Bounds());
    EXPECT_FALSE(second->PtInSplitter(Point{299, 10}));

    // A hidden follower does not count.
    second->SetVisibleFlag(false);
    r = first->Bounds();
    first->ExcludeSplitter(r);
    EXPECT_EQ(r, first->Bounds());
    EXPECT_FALSE(first->PtInSplitter(Point{148, 10}));
}

TEST_F(HitTest, SplitterSizeComesFromTheTheme) {
    theme->ZoneSplitterSize = 6;
    MakePair(voVert);
    tk::Rect r = first->Bounds();
    first->ExcludeSplitter(r);
    EXPECT_EQ(r.Right, 144);
    EXPECT_TRUE(first->PtInSplitter(Point{144, 10}));
}

TEST_F(HitTest, TitleBarAndButtonsFollowTheThemesRectangles) {
    MakePair(voVert);
    // A side-by-side zone's title bar stops short of its splitter: (0,0,146,18);
    // close button (128,4,140,14), pin button (109,4,121,14).
    EXPECT_TRUE(first->PtInTitleBar(Point{0, 0}));
    EXPECT_TRUE(first->PtInTitleBar(Point{145, 17}));
    EXPECT_FALSE(first->PtInTitleBar(Point{146, 5}));
    EXPECT_FALSE(first->PtInTitleBar(Point{10, 18}));

    EXPECT_TRUE(first->PtInCloseButton(Point{128, 4}));
    EXPECT_TRUE(first->PtInCloseButton(Point{139, 13}));
    EXPECT_FALSE(first->PtInCloseButton(Point{140, 4}));
    EXPECT_FALSE(first->PtInCloseButton(Point{127, 4}));
    EXPECT_FALSE(first->PtInCloseButton(Point{130, 3}));
    EXPECT_FALSE(first->PtInCloseButton(Point{130, 14}));

    EXPECT_TRUE(first->PtInPinButton(Point{109, 4}));
    EXPECT_TRUE(first->PtInPinButton(Point{120, 13}));
    EXPECT_FALSE(first->PtInPinButton(Point{121, 4}));
    EXPECT_FALSE(first->PtInPinButton(Point{128, 4}));

    // The last zone has no splitter: its bar runs to its right edge (151..300).
    EXPECT_TRUE(second->PtInTitleBar(Point{299, 0}));
    EXPECT_TRUE(second->PtInCloseButton(Point{282, 4}));
    EXPECT_TRUE(second->PtInPinButton(Point{263, 4}));
}

TEST_F(HitTest, WithoutSiteNothingIsHit) {
    Owned<FakeLeafZone> detached = MakeOwned<FakeLeafZone>();
    detached->SetBounds(MakeRect(0, 0, 100, 100));
    EXPECT_FALSE(detached->PtInTitleBar(Point{5, 5}));
    EXPECT_FALSE(detached->PtInCloseButton(Point{85, 5}));
    EXPECT_EQ(detached->GetMinimumSize(), 10);
    EXPECT_EQ(detached->GetCanvas(), nullptr);
}

TEST_F(HitTest, ContainerAnswersItsSplitterUnlessDocking) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* inner = AddContainer(root.get(), voHorz);
    AddLeaf(root.get());
    AddLeaf(inner);
    Share(root.get(), {50, 50});

    TOrloDockHitArea area = zhNone;
    EXPECT_EQ(root->ZoneAtPoint(Point{147, 50}, false, area), inner);
    EXPECT_EQ(area, zhSplitter);
    area = zhNone;
    // With the docking flag the splitter is not offered; the leaf below has no hit test of its own.
    EXPECT_EQ(root->ZoneAtPoint(Point{147, 50}, true, area), nullptr);
    EXPECT_EQ(root->ZoneAtPoint(Point{300, 50}, false, area), nullptr);
}

} // namespace
