// Docking panels into a root zone: the first panel, every position against
// leaves, containers, tabs, tab groups and the root, and the panel's own
// leaf and old site going first.

#include "support/dock_tree_fixture.h"

namespace {

using tk::MakeRect;

class InsertPanelTest : public DockTreeTest {};

TEST_F(InsertPanelTest, FirstPanelFillsAnEmptyRoot) {
    root->SetOrientation(voHorz);
    root->SetChildOrientation(voVert);
    TOrloDockablePanel* p1 = NewPanel("P1");
    p1->SetAlign(tk::alClient);
    Dock(p1, nullptr, tk::alNone);

    EXPECT_EQ(Shape(), "H[P1:100]");
    EXPECT_EQ(root->Orientation(), voVert) << "an empty root starts over";
    TOrloDockControlZone* leaf = LeafOf(p1);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->Orientation(), voHorz);
    EXPECT_EQ(leaf->Bounds(), MakeRect(0, 0, 296, 400));
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 296, 400)) << "below the title bar";
    EXPECT_EQ(p1->Parent(), site->Control());
    EXPECT_EQ(p1->DockSite(), site->Control());
    EXPECT_EQ(p1->GetDockSite().get(), static_cast<IOrloDockSite*>(site.get()));
    EXPECT_EQ(p1->Align(), tk::alNone);
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, SecondPanelRightOrAboveOfTheFirst) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    EXPECT_EQ(Shape(), "V[P1:50,P2:50]");
    EXPECT_EQ(LeafOf(p1)->Bounds(), MakeRect(0, 0, 148, 400));
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(149, 0, 296, 400));
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 144, 400)) << "the splitter is the first panel's last strip";
    ExpectSoundTightAndBalanced();

    root->RemovePanel(p2->PanelIntf());
    Tidy();
    Dock(p2, nullptr, tk::alTop);
    EXPECT_EQ(Shape(), "H[P2:50,P1:50]");
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(0, 0, 296, 200));
    EXPECT_EQ(LeafOf(p1)->Bounds(), MakeRect(0, 201, 296, 400));
    ExpectSoundTightAndBalanced();
}

class NoneAndCustomTest : public InsertPanelTest, public ::testing::WithParamInterface<tk::Align> {};

TEST_P(NoneAndCustomTest, DockAsBottom) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, GetParam());
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, GetParam());
    EXPECT_EQ(Shape(), "H[P1:50,P2:50]");
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(0, 201, 296, 400));
    DockNew("P3", p1, GetParam());
    EXPECT_EQ(Shape(), "H[P1:25,P3:25,P2:50]");
    DockNew("P4", p2, GetParam());
    EXPECT_EQ(Shape(), "H[P1:25,P3:25,P2:25,P4:24]") << "the last one takes the rest: 97 of 400";
    ExpectSoundTightAndBalanced();
}

INSTANTIATE_TEST_SUITE_P(Positions, NoneAndCustomTest, ::testing::Values(tk::alNone, tk::alCustom, tk::alBottom));

TEST_F(InsertPanelTest, LeftOfAStackedPanelSplitsItsPlace) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alBottom);
    LeafOf(p1)->SetParentSizePercentage(40);
    LeafOf(p2)->SetParentSizePercentage(60);
    root->UpdateBounds();

    TOrloDockablePanel* p3 = NewPanel("P3");
    Insert(p3, p2, tk::alLeft);
    EXPECT_EQ(Shape(), "H[P1:40,V[P3:50,P2:50]:60]") << "the new container inherits the target's share";
    Tidy();
    EXPECT_EQ(Shape(), "H[P1:40,V[P3:50,P2:50]:60]");
    EXPECT_EQ(LeafOf(p3)->Bounds(), MakeRect(0, 161, 148, 400));
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(149, 161, 296, 400));
    ExpectSoundTightAndBalanced();

    // Right of it: the new panel goes after the target in the same container.
    DockNew("P4", p3, tk::alRight);
    EXPECT_EQ(Shape(), "H[P1:40,V[P3:25,P4:25,P2:49]:60]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, ClientMakesATabGroupAndAddsTabsBehindTheTarget) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", nullptr, tk::alRight);
    TOrloDockablePanel* p3 = DockNew("P3", p1, tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P3]:50,P2:50]");
    TOrloDockTabbedContainerZone* group = GroupOf(p1);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Bounds(), MakeRect(0, 0, 148, 400));
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p3)) << "the new tab is shown";
    ASSERT_TRUE(group->Tabs()->Visible());
    EXPECT_EQ(group->Tabs()->BoundsRect(), MakeRect(0, 379, 144, 400));
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 144, 378));
    EXPECT_EQ(p3->BoundsRect(), MakeRect(0, 18, 144, 378));
    ExpectSoundTightAndBalanced();

    // Relative to a tab: right behind it.
    TOrloDockablePanel* p4 = DockNew("P4", p1, tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P4,P3]:50,P2:50]");
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p4));
    // Relative to the group itself: behind the last tab.
    Dock(NewPanel("P5"), group, tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P4,P3,P5]:50,P2:50]");
    EXPECT_EQ(GroupOf(p1), group);
    ExpectSoundTightAndBalanced();
}

// The root as target when it already holds two or more zones arranged the
// requested way: along its edge, never into the "SiblingZone <> Self" assertion.
TEST_F(InsertPanelTest, RootTargetDocksAlongTheRootsEdge) {
    DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", nullptr, tk::alRight);
    ASSERT_EQ(Shape(), "V[P1:50,P2:50]");

    DockNew("P3", nullptr, tk::alRight);
    EXPECT_EQ(Shape(), "V[P1:50,P2:25,P3:24]") << "after the last child";
    Dock(NewPanel("P4"), root.get(), tk::alLeft);
    EXPECT_EQ(Shape(), "V[P4:25,P1:25,P2:25,P3:24]") << "before the first child";
    ExpectSoundTightAndBalanced();

    // Across the arrangement: the children move into a container of their own.
    DockNew("P5", nullptr, tk::alBottom);
    EXPECT_EQ(Shape(), "H[V[P4:25,P1:25,P2:25,P3:24]:50,P5:50]");
    DockNew("P6", nullptr, tk::alTop);
    EXPECT_EQ(Shape(), "H[P6:25,V[P4:25,P1:25,P2:25,P3:24]:25,P5:50]");
    ExpectSoundTightAndBalanced();
}

// A tab, or the tab group named directly, as target of a side position: the
// panel docks beside the whole group, whose tabs stay together.
TEST_F(InsertPanelTest, SidePositionsDockBesideTheWholeTabGroup) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", nullptr, tk::alRight);
    DockNew("P3", p1, tk::alClient);
    TOrloDockTabbedContainerZone* group = GroupOf(p1);

    DockNew("P4", p1, tk::alBottom);
    EXPECT_EQ(Shape(), "V[H[T[P1,P3]:50,P4:50]:50,P2:50]");
    EXPECT_EQ(GroupOf(p1), group);
    Dock(NewPanel("P5"), group, tk::alRight);
    EXPECT_EQ(Shape(), "V[H[V[T[P1,P3]:50,P5:49]:50,P4:50]:50,P2:50]");
    Dock(NewPanel("P6"), group, tk::alTop);
    EXPECT_EQ(Shape(), "V[H[V[H[P6:50,T[P1,P3]:49]:50,P5:49]:50,P4:50]:50,P2:50]");
    EXPECT_EQ(group->ChildCount(), 2);
    EXPECT_TRUE(group->Tabs()->Visible());
    ExpectSoundTightAndBalanced();
}

// alClient at a plain container: the panel becomes a tab of the container's
// first leaf instead of overlapping its panels without a strip.
TEST_F(InsertPanelTest, ClientAtAPlainContainerJoinsItsFirstPanel) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    DockNew("P3", nullptr, tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P3]:50,P2:50]");
    Dock(NewPanel("P4"), root.get(), tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P4,P3]:50,P2:50]") << "joins the first leaf's group, behind it";
    ExpectSoundTightAndBalanced();

    // The panel itself as target: its old leaf is gone before the lookup.
    Insert(p1, p1, tk::alClient);
    Tidy();
    EXPECT_EQ(Shape(), "V[T[P4,P1,P3]:50,P2:50]");
    Insert(p2, p2, tk::alClient);
    Tidy();
    EXPECT_EQ(Shape(), "V[T[P4,P2,P1,P3]:100]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, ClientAtContainersWithoutLeavesDocksAsBottom) {
    auto* empty = new TOrloDockContainerZone();
    empty->SetParentZone(root.get());
    TOrloDockablePanel* p1 = NewPanel("P1");
    Insert(p1, nullptr, tk::alClient);
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->ChildOrientation(), voHorz);
    EXPECT_EQ(root->Child(0), empty);
    EXPECT_EQ(root->Child(1), LeafOf(p1));
    EXPECT_EQ(GroupOf(p1), nullptr);
    Tidy();
    EXPECT_EQ(Shape(), "H[P1:100]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, OwnLeafIsNeverTheTarget) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    Dock(p1, p1, tk::alRight);
    EXPECT_EQ(Shape(), "V[P2:50,P1:50]");
    Dock(p2, p2, tk::alBottom);
    EXPECT_EQ(Shape(), "H[P1:50,P2:50]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, TargetOutsideTheTreeFallsBackToTheRoot) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    Owned<TOrloDockControlZone> stray = MakeOwned<TOrloDockControlZone>();
    Dock(NewPanel("P2"), stray.get(), tk::alLeft);
    EXPECT_EQ(Shape(), "V[P2:50,P1:50]");
    EXPECT_EQ(stray->ParentZone(), nullptr);
    (void)p1;
    ExpectSoundTightAndBalanced();
}

// The start-up of the demonstration: the left site gets test panels 1 (none)
// and 3 (right), the right site 2 (bottom) and 4 below 2.
TEST_F(InsertPanelTest, DemoLeftDockLayout) {
    TOrloDockablePanel* p1 = DockNew("TestPanel1", nullptr, tk::alNone);
    TOrloDockablePanel* p3 = DockNew("TestPanel3", nullptr, tk::alRight);
    EXPECT_EQ(Shape(), "V[TestPanel1:50,TestPanel3:50]");
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 144, 400));
    EXPECT_EQ(p3->BoundsRect(), MakeRect(149, 18, 296, 400));
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, DemoRightDockLayout) {
    TOrloDockablePanel* p2 = DockNew("TestPanel2", nullptr, tk::alBottom);
    TOrloDockablePanel* p4 = DockNew("TestPanel4", p2, tk::alBottom);
    EXPECT_EQ(Shape(), "H[TestPanel2:50,TestPanel4:50]");
    EXPECT_EQ(p2->BoundsRect(), MakeRect(0, 18, 296, 196));
    EXPECT_EQ(p4->BoundsRect(), MakeRect(0, 219, 296, 400));
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, PanelDockedElsewhereLeavesItsOldSiteFirst) {
    Owned<FakeDockSite> otherSite = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> otherRoot = MakeOwned<TOrloDockRootZone>();
    otherSite->SetTheme(theme->Intf());
    otherSite->SetRootZone(otherRoot.get());
    otherSite->SetCarryOutRemovals(true);
    otherRoot->SetDockSite(otherSite->Intf());
    otherRoot->SetBounds(MakeRect(0, 0, 200, 300));
    TOrloDockablePanel* p1 = NewPanel("P1");
    otherRoot->InsertPanel(p1->PanelIntf(), nullptr, tk::alNone);
    ASSERT_EQ(p1->Parent(), otherSite->Control());

    Dock(p1, nullptr, tk::alNone);
    EXPECT_EQ(otherSite->RemovedPanels, std::vector<IOrloDockablePanel*>{p1->PanelIntf()});
    EXPECT_EQ(otherRoot->ChildCount(), 0);
    EXPECT_EQ(Shape(), "H[P1:100]");
    EXPECT_EQ(p1->Parent(), site->Control());
    EXPECT_EQ(p1->GetDockSite().get(), static_cast<IOrloDockSite*>(site.get()));
    EXPECT_TRUE(ZoneForestIsSound({root.get(), otherRoot.get()}));

    // Docked again into the site it is in: no detour through the site.
    site->ClearRecords();
    Dock(p1, nullptr, tk::alBottom);
    EXPECT_TRUE(site->RemovedPanels.empty());
    EXPECT_EQ(Shape(), "H[P1:100]");
    otherRoot.reset();
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, RemovingAPanelFreesItsLeafAndTakesItOutOfTheSite) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    root->RemovePanel(p1->PanelIntf());
    EXPECT_EQ(LeafOf(p1), nullptr);
    EXPECT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(0, 0, 296, 400)) << "the root lays itself out";
    EXPECT_EQ(p1->DockSite(), nullptr);
    EXPECT_EQ(p1->Parent(), nullptr);

    // A panel that is not in the tree: nothing happens.
    site->ClearRecords();
    root->RemovePanel(p1->PanelIntf());
    root->RemovePanel(nullptr);
    EXPECT_EQ(site->BeginUpdateCount, 0);
    EXPECT_EQ(Shape(), "V[P2:100]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertPanelTest, ZonesChangedOnlyForChildrenOfTheRoot) {
    std::vector<TOrloDockRootZone*> senders;
    root->OnZonesChanged = [&senders](TOrloDockRootZone* sender) { senders.push_back(sender); };
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    TOrloDockablePanel* p3 = DockNew("P3", p1, tk::alClient);
    DockNew("P4", p2, tk::alBottom);
    ASSERT_EQ(Shape(), "V[T[P1,P3]:50,H[P2:50,P4:50]:50]");
    ASSERT_TRUE(senders.empty()) << "docking takes nothing out of the root";

    root->RemovePanel(p1->PanelIntf());
    root->RemovePanel(p2->PanelIntf());
    EXPECT_TRUE(senders.empty()) << "deeper removals";
    Tidy();
    ASSERT_EQ(Shape(), "V[P3:50,P4:50]");
    root->RemovePanel(p3->PanelIntf());
    EXPECT_EQ(senders, std::vector<TOrloDockRootZone*>{root.get()});
}

TEST_F(InsertPanelTest, EmptyRootAnswersTheSiteControlOnScreen) {
    Owned<tk::Control> parent = MakeOwned<tk::Control>(nullptr);
    parent->SetBounds(50, 60, 500, 500);
    site->Control()->SetParent(parent.get());
    site->SetControlBounds(MakeRect(10, 20, 310, 420));
    tk::Rect screen;
    root->GetScreenBounds(screen);
    EXPECT_EQ(screen, MakeRect(60, 80, 360, 480));

    // With a child the root is a container like any other: its own bounds.
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    (void)p1;
    root->GetScreenBounds(screen);
    EXPECT_EQ(screen, MakeRect(60, 80, 356, 480));
    site->Control()->SetParent(nullptr);
}

// A visible panel docked beside a hidden one gets room of its own. A over a
// hidden B fill the 296 x 400 root (A 100 %, B 0 %). C below B, or with no
// target (below the last child, B), splits A's share, not B's 0: A and C
// 50 % each, A rows 0..200 (400 x 50 %), C the rest from 201.
TEST_F(InsertPanelTest, VisiblePanelDockedBesideAHiddenOneSplitsAVisibleOnesRoom) {
    TOrloDockablePanel* a = DockNew("A", nullptr, tk::alNone);
    TOrloDockablePanel* b = DockNew("B", a, tk::alBottom);
    b->SetVisible(false);
    TOrloDockablePanel* c = NewPanel("C");
    for (TOrloDockablePanel* target : {b, static_cast<TOrloDockablePanel*>(nullptr)}) {
        Dock(c, target, tk::alBottom);
        EXPECT_EQ(Shape(), "H[A:50,B:0,C:50]");
        EXPECT_EQ(LeafOf(a)->Bounds(), MakeRect(0, 0, 296, 200));
        EXPECT_EQ(LeafOf(c)->Bounds(), MakeRect(0, 201, 296, 400));
        ExpectSoundTightAndBalanced();
        root->RemovePanel(c->PanelIntf());
        Tidy();
    }
    // Both hidden in a container: the container gets room in its parent.
    TOrloDockablePanel* d = DockNew("D", nullptr, tk::alRight);
    ASSERT_EQ(Shape(), "V[H[A:100,B:0]:50,D:50]");
    a->SetVisible(false);
    ASSERT_EQ(LeafOf(d)->Bounds(), MakeRect(0, 0, 296, 400));
    Dock(c, b, tk::alBottom);
    TOrloDockContainerZone* column = LeafOf(c)->ParentZone();
    EXPECT_EQ(column->ParentSizePercentage(), 50);
    EXPECT_EQ(LeafOf(d)->ParentSizePercentage(), 50);
    EXPECT_EQ(LeafOf(c)->Bounds(), MakeRect(0, 0, 144, 400)) << "296 x 50 %, less the splitter strip";
    ExpectSoundTightAndBalanced();
}

// A container's share follows its rectangle also when a layout leaves the
// rectangle as it was. P1 over P2 fill the 296-wide root; a hidden P3 docked
// to the right halves their container's share to 50, but the container, the
// last visible child, keeps all 296 columns: 100 %.
TEST_F(InsertPanelTest, ContainerShareFollowsAnUnchangedRectangle) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", p1, tk::alBottom);
    TOrloDockablePanel* p3 = NewPanel("P3");
    p3->SetVisible(false);
    Dock(p3, nullptr, tk::alRight);
    EXPECT_EQ(Shape(), "V[H[P1:50,P2:50]:100,P3:0]");
    ExpectSoundTightAndBalanced();
}

TEST(SplitRect, HalvesWithOnePixelBetweenTruncatingTowardZero) {
    const tk::Rect r = MakeRect(10, 20, 111, 71); // 101 wide, 51 high
    tk::Rect a = r;
    tk::Rect b;
    TOrloDockRootZone::SplitRect(voHorz, false, a, b);
    EXPECT_EQ(b, MakeRect(10, 20, 111, 45)) << "b above";
    EXPECT_EQ(a, MakeRect(10, 46, 111, 71));
    a = r;
    TOrloDockRootZone::SplitRect(voHorz, true, a, b);
    EXPECT_EQ(a, MakeRect(10, 20, 111, 45)) << "a above";
    EXPECT_EQ(b, MakeRect(10, 46, 111, 71));
    a = r;
    TOrloDockRootZone::SplitRect(voVert, false, a, b);
    EXPECT_EQ(b, MakeRect(10, 20, 61, 71)) << "b left";
    EXPECT_EQ(a, MakeRect(62, 20, 111, 71));
    a = r;
    TOrloDockRootZone::SplitRect(voVert, true, a, b);
    EXPECT_EQ(a, MakeRect(10, 20, 61, 71)) << "a left";
    EXPECT_EQ(b, MakeRect(62, 20, 111, 71));
    tk::Rect c = r;
    TOrloDockRootZone::SplitRect(voNoOrient, true, c, b);
    EXPECT_EQ(c, MakeRect(10, 20, 111, 45)) << "voNoOrient is cut like voHorz";
}

TEST_F(InsertPanelTest, InsertingBesideTheRootIsRefused) {
    DockNew("P1", nullptr, tk::alNone);
    Owned<TOrloDockControlZone> zone = MakeOwned<TOrloDockControlZone>();
    try {
        root->InsertBeside(zone.get(), root.get(), true);
        FAIL() << "no assertion";
    } catch (const tk::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), tk::String::fromLatin1("SiblingZone <> Self"));
        EXPECT_EQ(e.UnitName(), tk::String::fromLatin1("OrloDockZones"));
    }
    EXPECT_EQ(Shape(), "H[P1:100]");
}

} // namespace
