// Placing zones from their parent: side by side and stacked, the one-pixel
// gap, the last visible child taking the rest, rounding half to even, and the
// share recorded from the rounded rectangle.

#include "zone_fixture.h"

#include <limits>

using tk::MakeRect;

namespace {

class LayoutTest : public ZoneTest {};

TEST_F(LayoutTest, SideBySideChildrenFollowEachOtherWithAOnePixelGap) {
    ShapeRoot(voVert, MakeRect(0, 0, 301, 200));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* b = AddLeaf(root.get());
    FakeLeafZone* c = AddLeaf(root.get());
    Share(root.get(), {33, 33, 80});

    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 99, 200)); // 301 x 33 % = 99.33
    EXPECT_EQ(b->Bounds(), MakeRect(100, 0, 199, 200));
    // The last visible child ends at the parent's edge whatever its share says.
    EXPECT_EQ(c->Bounds(), MakeRect(200, 0, 301, 200));
    EXPECT_EQ(c->ParentSizePercentage(), 34); // recorded from the rectangle: 101 / 301
    ExpectSoundAndBalanced();
}

TEST_F(LayoutTest, StackedChildrenFollowEachOtherWithAOnePixelGap) {
    ShapeRoot(voHorz, MakeRect(10, 20, 110, 320));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* b = AddLeaf(root.get());
    Share(root.get(), {25, 10});

    EXPECT_EQ(a->Bounds(), MakeRect(10, 20, 110, 95)); // starts at the parent's top
    EXPECT_EQ(b->Bounds(), MakeRect(10, 96, 110, 320));
    ExpectSoundAndBalanced();
}

TEST_F(LayoutTest, HiddenChildrenTakeNoRoomFromTheVisibleOnes) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 100));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* hidden = AddLeaf(root.get(), false);
    FakeLeafZone* c = AddLeaf(root.get());
    Share(root.get(), {50, 30, 50});

    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 150, 100));
    EXPECT_EQ(c->Bounds(), MakeRect(151, 0, 300, 100));

    // The first visible child starts at the parent's edge even behind a hidden one.
    a->SetVisibleFlag(false);
    hidden->SetVisibleFlag(false);
    root->UpdateBounds();
    EXPECT_EQ(c->Bounds(), MakeRect(0, 0, 300, 100));
    ExpectSoundAndBalanced();
}

// Shares of a very wide parent: 50 % of 50,000,000 pixels is 25,000,000,
// although the product 50,000,000 x 50 is beyond 32 bits.
TEST_F(LayoutTest, SharesOfAVeryWideParent) {
    ShapeRoot(voVert, MakeRect(0, 0, 50'000'000, 200));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* b = AddLeaf(root.get());
    Share(root.get(), {50, 50});
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 25'000'000, 200));
    EXPECT_EQ(b->Bounds(), MakeRect(25'000'001, 0, 50'000'000, 200));
    EXPECT_EQ(a->ParentSizePercentage(), 50);
    EXPECT_EQ(b->ParentSizePercentage(), 50);

    // A share beyond any extent runs to the parent's edge, where its pixels,
    // added to where it starts, would pass the largest integer.
    FakeLeafZone* c = AddLeaf(root.get());
    Share(root.get(), {50, std::numeric_limits<int>::max(), 50});
    EXPECT_EQ(b->Bounds(), MakeRect(25'000'001, 0, 50'000'000, 200));
    EXPECT_EQ(c->Bounds(), MakeRect(50'000'000, 0, 50'000'000, 200));
}

TEST_F(LayoutTest, PercentToPixelsRoundsHalfToEven) {
    struct Case {
        int width, percentage, expectedWidth;
    };
    // 300 x 33 % = 99; 250 x 33 % = 82.5 -> 82; 150 x 33 % = 49.5 -> 50; 401 x 50 % = 200.5 -> 200.
    for (const Case& c : {Case{300, 33, 99}, Case{250, 33, 82}, Case{150, 33, 50}, Case{401, 50, 200}}) {
        ShapeRoot(voVert, MakeRect(0, 0, c.width, 50));
        if (root->ChildCount() == 0) {
            AddLeaf(root.get());
            AddLeaf(root.get());
        }
        Share(root.get(), {c.percentage, 0});
        EXPECT_EQ(root->Child(0)->Width(), c.expectedWidth) << c.width << " x " << c.percentage << " %";
    }
}

TEST_F(LayoutTest, PixelsToPercentRoundsHalfToEven) {
    ShapeRoot(voVert, MakeRect(0, 0, 8, 50));
    FakeLeafZone* a = AddLeaf(root.get());
    // 1 of 8 = 12.5 % -> 12; 3 of 8 = 37.5 % -> 38; 5 of 8 = 62.5 % -> 62.
    a->SetBounds(MakeRect(0, 0, 1, 50));
    EXPECT_EQ(a->ParentSizePercentage(), 12);
    a->SetBounds(MakeRect(0, 0, 3, 50));
    EXPECT_EQ(a->ParentSizePercentage(), 38);
    a->SetBounds(MakeRect(0, 0, 5, 50));
    EXPECT_EQ(a->ParentSizePercentage(), 62);
}

TEST_F(LayoutTest, SideBySideShareIsTakenOfTheParentsFullWidthSplitterIncluded) {
    ShapeRoot(voVert, MakeRect(0, 0, 400, 100));
    TOrloDockContainerZone* inner = AddContainer(root.get(), voVert);
    AddLeaf(root.get());
    FakeLeafZone* a = AddLeaf(inner);
    AddLeaf(inner);
    Share(root.get(), {50, 50});
    ASSERT_EQ(inner->Bounds(), MakeRect(0, 0, 200, 100));

    Share(inner, {50, 50});
    // Half of the inner zone's 200, not of its 196-pixel client area.
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 100, 100));
    EXPECT_EQ(inner->Child(1)->Bounds(), MakeRect(101, 0, 196, 100)); // the last ends at the client edge
    ExpectSoundAndBalanced();
}

TEST_F(LayoutTest, StackedShareIsTakenOfTheParentsClientHeight) {
    ShapeRoot(voHorz, MakeRect(0, 0, 100, 400));
    TOrloDockContainerZone* inner = AddContainer(root.get(), voHorz);
    AddLeaf(root.get());
    FakeLeafZone* a = AddLeaf(inner);
    AddLeaf(inner);
    Share(root.get(), {50, 50});
    ASSERT_EQ(inner->Bounds(), MakeRect(0, 0, 100, 200));

    a->SetParentSizePercentage(50);
    a->UpdateBounds();
    // Half of the 196 pixels above the inner zone's splitter strip.
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 100, 98));
}

TEST_F(LayoutTest, NoOrientationFillsTheParentsClientArea) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 100));
    FakeLeafZone* a = AddLeaf(root.get());
    AddLeaf(root.get());
    Share(root.get(), {50, 50});
    a->SetOrientation(voNoOrient);
    a->UpdateBounds();
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 300, 100));
}

TEST_F(LayoutTest, ZeroParentExtentLeavesThePercentageAlone) {
    ShapeRoot(voVert, MakeRect(0, 0, 0, 0));
    FakeLeafZone* a = AddLeaf(root.get());
    a->SetParentSizePercentage(42);
    a->SetBounds(MakeRect(0, 0, 10, 10));
    EXPECT_EQ(a->ParentSizePercentage(), 42);

    // Without a parent the zone has all of it.
    Owned<FakeLeafZone> detached = MakeOwned<FakeLeafZone>();
    detached->SetBounds(MakeRect(0, 0, 10, 10));
    EXPECT_EQ(detached->ParentSizePercentage(), 100);
}

TEST_F(LayoutTest, NothingIsPlacedWithoutSiteOrWhileLoading) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 100));
    FakeLeafZone* a = AddLeaf(root.get());
    a->SetBounds(MakeRect(1, 2, 3, 4));

    a->SetState(tk::csLoading, true);
    a->UpdateBounds();
    EXPECT_EQ(a->Bounds(), MakeRect(1, 2, 3, 4));
    a->SetParentSizePercentage(7);
    a->SetBounds(MakeRect(0, 0, 300, 100)); // stored, share not recomputed while loading
    EXPECT_EQ(a->ParentSizePercentage(), 7);
    a->SetState(tk::csLoading, false);

    a->SetDockSite(nullptr);
    a->SetBounds(MakeRect(1, 2, 3, 4));
    a->UpdateBounds();
    EXPECT_EQ(a->Bounds(), MakeRect(1, 2, 3, 4));
}

// The first panel docked into an empty root: the leaf is given the root's
// orientation and rectangle, then handed to the root. It must be measured in
// the root's child orientation, or a 296 x 400 root records 296 / 400 = 74 %.
TEST_F(LayoutTest, ParentAssignmentTakesTheParentsOrientationBeforeTheLayout) {
    root->SetBounds(MakeRect(0, 0, 296, 400));
    auto* leaf = new FakeLeafZone();
    leaf->SetOrientation(root->Orientation());
    leaf->SetDockSite(site->Intf());
    leaf->SetBounds(root->Bounds());
    leaf->SetParentSizePercentage(100);
    leaf->SetParentZone(root.get());

    EXPECT_EQ(leaf->Orientation(), voHorz);
    EXPECT_EQ(leaf->ParentSizePercentage(), 100);
    EXPECT_EQ(leaf->Bounds(), MakeRect(0, 0, 296, 400));
    ExpectSoundAndBalanced();
}

TEST_F(LayoutTest, ParentAssignmentMovesTheZoneBetweenContainers) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 100));
    TOrloDockContainerZone* left = AddContainer(root.get(), voHorz);
    TOrloDockContainerZone* right = AddContainer(root.get(), voHorz);
    FakeLeafZone* a = AddLeaf(left);
    AddLeaf(right);
    EXPECT_EQ(a->DockSite(), site->Intf());

    a->SetParentZone(right);
    EXPECT_EQ(left->ChildCount(), 0);
    EXPECT_EQ(right->IndexOf(a), 1); // appended
    EXPECT_EQ(a->ParentZone(), right);

    // The same parent again changes nothing and lays nothing out.
    site->ClearRecords();
    a->SetParentZone(right);
    EXPECT_EQ(site->BeginUpdateCount, 0);
    EXPECT_EQ(right->ChildCount(), 2);

    a->SetParentZone(nullptr);
    EXPECT_EQ(right->IndexOf(a), -1);
    EXPECT_EQ(a->ParentZone(), nullptr);
    a->Free();
    ExpectSoundAndBalanced();
}

TEST_F(LayoutTest, SiblingsAndExtents) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 100));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* hidden = AddLeaf(root.get(), false);
    FakeLeafZone* c = AddLeaf(root.get());

    EXPECT_EQ(a->NextSibling(), hidden);
    EXPECT_EQ(a->NextVisibleSibling(), c);
    EXPECT_EQ(c->PrevVisibleSibling(), a);
    EXPECT_EQ(a->PrevSibling(), nullptr);
    EXPECT_EQ(c->NextSibling(), nullptr);
    EXPECT_FALSE(a->IsOnlyChild());
    EXPECT_EQ(a->ParentExtent(), 300);
    EXPECT_EQ(a->Extent(), a->Width());

    hidden->SetParentZone(nullptr);
    c->SetParentZone(nullptr);
    EXPECT_TRUE(a->IsOnlyChild());  // visible or not, no sibling is left
    EXPECT_FALSE(c->IsOnlyChild()); // no parent
    hidden->Free();
    c->Free();

    // Without a parent the extent is the site control's, along the zone's own orientation.
    site->SetControlBounds(MakeRect(0, 0, 123, 456));
    EXPECT_EQ(root->ParentExtent(), 123); // the root stands voVert
}

} // namespace
