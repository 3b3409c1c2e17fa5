// Which side of a zone a dragged panel docks to, and the preview rectangle.

#include "zone_fixture.h"

using tk::MakeRect;
using tk::Point;

namespace {

class DockPositionTest : public ZoneTest {
protected:
    FakeLeafZone* leaf = nullptr;

    // One leaf filling a 200 x 300 root. With the root's margin of 7 the
    // zone is shrunk to (7,7,193,293); its title bar then ends at 25, so the
    // classified area is (7,25,193,293): top band Y < 32, bottom band
    // Y > 286, left band X < 14, right band X > 186.
    void SetUp() override {
        ZoneTest::SetUp();
        ShapeRoot(voHorz, MakeRect(0, 0, 200, 300));
        leaf = AddLeaf(root.get());
    }

    tk::Align PositionAt(Point p, tk::Rect* preview = nullptr) {
        tk::Align position = tk::alCustom;
        tk::Rect rect{-1, -1, -1, -1};
        leaf->GetDockPosition(p, position, rect);
        if (preview)
            *preview = rect;
        EXPECT_EQ(leaf->Bounds(), MakeRect(0, 0, 200, 300)) << "bounds not restored";
        return position;
    }
};

TEST_F(DockPositionTest, EachSideAnswersItsHalf) {
    tk::Rect r;
    EXPECT_EQ(PositionAt({100, 20}, &r), tk::alTop);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 150));
    EXPECT_EQ(PositionAt({100, 290}, &r), tk::alBottom);
    EXPECT_EQ(r, MakeRect(0, 150, 200, 300));
    EXPECT_EQ(PositionAt({10, 150}, &r), tk::alLeft);
    EXPECT_EQ(r, MakeRect(0, 0, 100, 300));
    EXPECT_EQ(PositionAt({190, 150}, &r), tk::alRight);
    EXPECT_EQ(r, MakeRect(100, 0, 200, 300));
    EXPECT_EQ(PositionAt({100, 150}, &r), tk::alNone);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 300));
    // Just inside the bands' inner edges.
    EXPECT_EQ(PositionAt({100, 31}), tk::alTop);
    EXPECT_EQ(PositionAt({100, 32}), tk::alNone);
    EXPECT_EQ(PositionAt({13, 150}), tk::alLeft);
    EXPECT_EQ(PositionAt({14, 150}), tk::alNone);
    EXPECT_EQ(PositionAt({187, 150}), tk::alRight);
    EXPECT_EQ(PositionAt({186, 150}), tk::alNone);
    EXPECT_EQ(PositionAt({100, 287}), tk::alBottom);
    EXPECT_EQ(PositionAt({100, 286}), tk::alNone);
}

TEST_F(DockPositionTest, CornersChooseTheNearerEdgeAndTiesGoToTopOrBottom) {
    // Top-left: distances to the top (Y - 25) and to the left (X - 7).
    EXPECT_EQ(PositionAt({10, 30}), tk::alLeft); // 5 > 3
    EXPECT_EQ(PositionAt({12, 27}), tk::alTop);  // 2 < 5
    EXPECT_EQ(PositionAt({10, 28}), tk::alTop);  // tie
    // Top-right: to the right edge 193 - X.
    EXPECT_EQ(PositionAt({190, 30}), tk::alRight);
    EXPECT_EQ(PositionAt({190, 28}), tk::alTop);
    // Bottom corners: to the bottom edge 293 - Y.
    EXPECT_EQ(PositionAt({10, 288}), tk::alLeft);
    EXPECT_EQ(PositionAt({10, 290}), tk::alBottom);
    EXPECT_EQ(PositionAt({190, 288}), tk::alRight);
    EXPECT_EQ(PositionAt({190, 290}), tk::alBottom);
    EXPECT_EQ(PositionAt({188, 290}), tk::alBottom);
}

TEST_F(DockPositionTest, LeafTitleBarDocksAsATabOverTheWholeZone) {
    tk::Rect r;
    EXPECT_EQ(PositionAt({100, 10}, &r), tk::alClient);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 300));

    // A zone that takes no tabs is classified as usual there.
    leaf->SetOrientation(voTabbed);
    EXPECT_EQ(PositionAt({100, 10}), tk::alTop);
}

TEST_F(DockPositionTest, PreviewLosesTheSplitterStrip) {
    AddLeaf(root.get());
    Share(root.get(), {50, 50});
    ASSERT_EQ(leaf->Bounds(), MakeRect(0, 0, 200, 150));
    tk::Align position = tk::alNone;
    tk::Rect r;
    leaf->GetDockPosition({100, 5}, position, r);
    EXPECT_EQ(position, tk::alClient);
    EXPECT_EQ(r, MakeRect(0, 0, 200, 146));
    leaf->GetDockPosition({100, 140}, position, r);
    EXPECT_EQ(position, tk::alBottom);
    EXPECT_EQ(r, MakeRect(0, 75, 200, 146));
}

TEST_F(DockPositionTest, HiddenZoneAnswersLeftOrTopByOrientation) {
    tk::Align position = tk::alNone;
    tk::Rect r;
    leaf->SetVisibleFlag(false);
    leaf->GetDockPosition({100, 150}, position, r);
    EXPECT_EQ(position, tk::alTop); // stacked
    EXPECT_EQ(r, MakeRect(0, 0, 200, 300));
    leaf->SetOrientation(voVert);
    leaf->GetDockPosition({100, 150}, position, r);
    EXPECT_EQ(position, tk::alLeft);
}

TEST_F(DockPositionTest, ContainerWithoutParentUsesItsOwnMarginUnshrunk) {
    // The root: margin 7, no title bar, bounds not shrunk.
    tk::Align position = tk::alNone;
    tk::Rect r;
    root->GetDockPosition({100, 6}, position, r);
    EXPECT_EQ(position, tk::alTop);
    root->GetDockPosition({100, 7}, position, r);
    EXPECT_EQ(position, tk::alNone);
    root->GetDockPosition({194, 150}, position, r);
    EXPECT_EQ(position, tk::alRight);
    EXPECT_EQ(r, MakeRect(100, 0, 200, 300));
}

TEST_F(DockPositionTest, LeafWithoutParentUsesItsOwnMarginOf15) {
    Owned<FakeLeafZone> detached = MakeOwned<FakeLeafZone>();
    detached->SetDockSite(site->Intf());
    detached->SetOrientation(voHorz);
    detached->SetBounds(MakeRect(0, 0, 200, 300));
    tk::Align position = tk::alNone;
    tk::Rect r;
    // Title bar ends at 18: the top band is Y < 33, the left band X < 15.
    detached->GetDockPosition({100, 32}, position, r);
    EXPECT_EQ(position, tk::alTop);
    detached->GetDockPosition({14, 150}, position, r);
    EXPECT_EQ(position, tk::alLeft);
    detached->GetDockPosition({15, 150}, position, r);
    EXPECT_EQ(position, tk::alNone);
}

} // namespace
