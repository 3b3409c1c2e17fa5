// Hiding and showing a zone: the visible siblings give up or take back its
// room, a shown zone gets its saved size (or the theme's minimum), and a
// container whose last visible child goes hides in turn, up to the root.

#include <algorithm>

#include "zone_fixture.h"

using tk::MakeRect;

namespace {

class VisibilityTest : public ZoneTest {};

TEST_F(VisibilityTest, HidingGivesTheRoomToTheOthersAndShowingTakesItBack) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* b = AddLeaf(root.get());
    FakeLeafZone* c = AddLeaf(root.get());
    Share(root.get(), {33, 33, 34});
    ASSERT_EQ(b->Bounds(), MakeRect(100, 0, 199, 200));

    b->Hide();
    EXPECT_EQ(b->SavedSize(), 99);
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 147, 200)); // 99 div 2 = 49 more: 148 wide = 49 %
    EXPECT_EQ(c->Bounds(), MakeRect(148, 0, 300, 200));
    ExpectSoundAndBalanced();

    site->ClearRecords();
    b->Show();
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 99, 200));
    EXPECT_EQ(b->Bounds(), MakeRect(100, 0, 199, 200));
    EXPECT_EQ(c->Bounds(), MakeRect(200, 0, 300, 200));
    ASSERT_FALSE(site->SetVisibleCalls.empty());
    EXPECT_EQ(std::count(site->SetVisibleCalls.begin(), site->SetVisibleCalls.end(), false), 0);
    EXPECT_GE(site->ExpandCount, 1);
    EXPECT_GT(site->BeginUpdateCount, 0);
    ExpectSoundAndBalanced();
}

TEST_F(VisibilityTest, StackedZonesRedistributeHeights) {
    ShapeRoot(voHorz, MakeRect(0, 0, 100, 200));
    FakeLeafZone* a = AddLeaf(root.get());
    FakeLeafZone* b = AddLeaf(root.get());
    Share(root.get(), {50, 50});
    ASSERT_EQ(a->Bounds(), MakeRect(0, 0, 100, 100));

    a->Hide();
    EXPECT_EQ(a->SavedSize(), 100);
    EXPECT_EQ(b->Bounds(), MakeRect(0, 0, 100, 200));
    EXPECT_EQ(b->ParentSizePercentage(), 100);

    a->Show();
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 100, 100));
    EXPECT_EQ(b->Bounds(), MakeRect(0, 101, 100, 200));
    ExpectSoundAndBalanced();
}

class ShowSizeTest : public VisibilityTest {
protected:
    FakeLeafZone* shown = nullptr;
    FakeLeafZone* a = nullptr;
    FakeLeafZone* b = nullptr;

    // A hidden zone first, then two visible ones of 50 % in a 100-pixel root.
    void SetUp() override {
        VisibilityTest::SetUp();
        ShapeRoot(voVert, MakeRect(0, 0, 100, 50));
        shown = AddLeaf(root.get(), false);
        a = AddLeaf(root.get());
        b = AddLeaf(root.get());
        Share(root.get(), {0, 50, 50});
    }
};

TEST_F(ShowSizeTest, SavedSizeIsRestored) {
    shown->SetSavedSize(40);
    shown->Show();
    EXPECT_EQ(shown->Bounds(), MakeRect(0, 0, 40, 50));
    EXPECT_EQ(shown->ParentSizePercentage(), 40);
    EXPECT_EQ(a->Bounds(), MakeRect(41, 0, 71, 50)); // gave up 40 div 2
    EXPECT_EQ(b->Bounds(), MakeRect(72, 0, 100, 50));
    ExpectSoundAndBalanced();
}

TEST_F(ShowSizeTest, NoSavedSizeGivesTheThemesMinimum) {
    ASSERT_EQ(shown->SavedSize(), -1);
    shown->Show();
    EXPECT_EQ(shown->Bounds(), MakeRect(0, 0, 28, 50));
    EXPECT_EQ(a->Bounds(), MakeRect(29, 0, 65, 50));
    EXPECT_EQ(b->Bounds(), MakeRect(66, 0, 100, 50));

    // The minimum is the theme's.
    shown->Hide();
    theme->TitleBarHeight = 20;
    shown->SetSavedSize(-1);
    shown->Show();
    EXPECT_EQ(shown->Width(), 30);
}

TEST_F(ShowSizeTest, SizeLargerThanTheParentIsReplacedByTheMinimum) {
    shown->SetSavedSize(500);
    shown->Show();
    EXPECT_EQ(shown->Width(), 28);
}

TEST_F(ShowSizeTest, SizeLeavingTheOthersLessThanTheMinimumIsReplaced) {
    shown->SetSavedSize(60); // 2 x 28 > 100 - 60
    shown->Show();
    EXPECT_EQ(shown->Width(), 28);
    ExpectSoundAndBalanced();
}

TEST_F(VisibilityTest, LastVisibleChildHidesItsContainerAndTheRootCollapsesTheSite) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* inner = AddContainer(root.get(), voHorz);
    FakeLeafZone* other = AddLeaf(root.get());
    FakeLeafZone* only = AddLeaf(inner);
    Share(root.get(), {50, 50});
    ASSERT_EQ(only->Bounds(), MakeRect(0, 0, 146, 200));
    site->ClearRecords();

    only->Hide();
    EXPECT_FALSE(inner->IsVisible());
    EXPECT_EQ(inner->SavedSize(), 150);
    EXPECT_EQ(other->Bounds(), MakeRect(0, 0, 300, 200));
    EXPECT_EQ(site->CollapseCount, 0);
    ExpectSoundAndBalanced();

    other->Hide();
    EXPECT_GE(site->CollapseCount, 1);
    ExpectSoundAndBalanced();

    // Showing the leaf re-opens its container and expands the site again.
    site->ClearRecords();
    only->Show();
    EXPECT_TRUE(inner->IsVisible());
    EXPECT_GE(site->ExpandCount, 1);
    EXPECT_EQ(site->CollapseCount, 0);
    EXPECT_EQ(inner->Bounds(), MakeRect(0, 0, 300, 200));
    EXPECT_EQ(only->Bounds(), MakeRect(0, 0, 300, 200));
    ExpectSoundAndBalanced();
}

TEST_F(VisibilityTest, RootRelaysTheTreeOut) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    FakeLeafZone* a = AddLeaf(root.get());
    a->SetBounds(MakeRect(5, 5, 10, 10));
    root->ZoneVisibilityChanged(true);
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 300, 200));
    ExpectSoundAndBalanced();
}

TEST_F(VisibilityTest, ZoneWithoutParentFailsTheAssertion) {
    Owned<FakeLeafZone> detached = MakeOwned<FakeLeafZone>();
    detached->SetDockSite(site->Intf());
    try {
        detached->ZoneVisibilityChanged(true);
        FAIL() << "no assertion";
    } catch (const tk::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), tk::String::fromLatin1("ZoneVisibilityChanged  - ParentZone is nil"));
        EXPECT_EQ(e.UnitName(), tk::String::fromLatin1("OrloDockZones"));
    }
    EXPECT_EQ(site->UpdateDepth(), 0);
}

} // namespace
