// Inserting a whole tab group, as a drop from another site does: beside,
// above or below a target, as tabs of a target group, around a target leaf,
// refused into plain containers before anything changes, and relative to
// the root when the target is the group itself.

#include "support/dock_tree_fixture.h"

namespace {

using tk::MakeRect;

class InsertGroupTest : public DockTreeTest {
protected:
    // The site the group comes from; it carries out removals as a site does.
    Owned<FakeDockSite> fromSite = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> fromRoot = MakeOwned<TOrloDockRootZone>();
    TOrloDockablePanel* q1 = nullptr;
    TOrloDockablePanel* q2 = nullptr;
    TOrloDockTabbedContainerZone* moving = nullptr;

    // The other site holds Q0 beside a group of Q1 and Q2 (current).
    void SetUp() override {
        DockTreeTest::SetUp();
        fromSite->SetTheme(theme->Intf());
        fromSite->SetRootZone(fromRoot.get());
        fromSite->SetCarryOutRemovals(true);
        fromRoot->SetDockSite(fromSite->Intf());
        fromRoot->SetBounds(MakeRect(0, 0, 200, 300));
        fromRoot->InsertPanel(NewPanel("Q0")->PanelIntf(), nullptr, tk::alNone);
        q1 = NewPanel("Q1");
        q2 = NewPanel("Q2");
        fromRoot->InsertPanel(q1->PanelIntf(), nullptr, tk::alBottom);
        fromRoot->InsertPanel(q2->PanelIntf(), fromRoot->FindControlZone(q1), tk::alClient);
        moving = dynamic_cast<TOrloDockTabbedContainerZone*>(fromRoot->FindControlZone(q1)->ParentZone());
        ASSERT_NE(moving, nullptr);
        ASSERT_EQ(Shape(fromRoot.get()), "H[Q0:50,T[Q1,Q2]:50]");
    }
    void TearDown() override {
        fromRoot.reset();
        DockTreeTest::TearDown();
    }

    void InsertGroup(TOrloDockZone* target, tk::Align position) {
        root->InsertTabbedZone(moving, target, position);
        Tidy();
    }

    void ExpectMovedHere() {
        EXPECT_EQ(fromSite->RemovedZoneIDs.size(), 1u);
        EXPECT_EQ(Shape(fromRoot.get()), "H[Q0:100]");
        for (TOrloDockablePanel* panel : {q1, q2}) {
            EXPECT_EQ(panel->Parent(), site->Control());
            EXPECT_EQ(panel->GetDockSite().get(), static_cast<IOrloDockSite*>(site.get()));
        }
        EXPECT_TRUE(ZoneForestIsSound({root.get(), fromRoot.get()}));
        EXPECT_TRUE(ZoneLayoutIsTight(root.get()));
        EXPECT_EQ(site->UpdateDepth(), 0);
    }
};

TEST_F(InsertGroupTest, IntoAnEmptySite) {
    InsertGroup(nullptr, tk::alClient);
    EXPECT_EQ(Shape(), "H[T[Q1,Q2]:100]");
    EXPECT_EQ(moving->Bounds(), MakeRect(0, 0, 296, 400));
    EXPECT_EQ(moving->Tabs()->Parent(), site->Control()) << "the strip moves with the group";
    EXPECT_EQ(q2->BoundsRect(), MakeRect(0, 18, 296, 378));
    ExpectMovedHere();
}

TEST_F(InsertGroupTest, BesideALeafOrAlongTheRootsEdge) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", nullptr, tk::alRight);
    InsertGroup(nullptr, tk::alRight);
    EXPECT_EQ(Shape(), "V[P1:50,P2:25,T[Q1,Q2]:24]");
    ExpectMovedHere();

    // alNone stands in a stack before the target.
    root->InsertTabbedZone(moving, LeafOf(p1), tk::alNone);
    Tidy();
    EXPECT_EQ(Shape(), "V[H[T[Q1,Q2]:50,P1:50]:50,P2:50]");
    ExpectSoundTightAndBalanced();
}

TEST_F(InsertGroupTest, SidePositionAtATabDocksBesideItsGroup) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", p1, tk::alClient);
    DockNew("P3", nullptr, tk::alRight);
    ASSERT_EQ(Shape(), "V[T[P1,P2]:50,P3:50]");
    InsertGroup(LeafOf(p1), tk::alRight);
    EXPECT_EQ(Shape(), "V[T[P1,P2]:25,T[Q1,Q2]:25,P3:49]");
    ExpectMovedHere();
}

// Tells whether a watched component was freed.
class FreeWatcher : public tk::Component {
public:
    FreeWatcher() : tk::Component(nullptr) {}
    bool Freed = false;

protected:
    void Notification(tk::Component* component, tk::Operation operation) override {
        tk::Component::Notification(component, operation);
        Freed = Freed || (operation == tk::Operation::Remove && component->IsDestroying());
    }
};

TEST_F(InsertGroupTest, AsTabsOfAGroupAllTabsMoveLastFirst) {
    Owned<FreeWatcher> watcher = MakeOwned<FreeWatcher>();
    moving->FreeNotification(watcher.get());
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", p1, tk::alClient);
    TOrloDockTabbedContainerZone* target = GroupOf(p1);
    InsertGroup(target, tk::alClient);
    EXPECT_EQ(Shape(), "H[T[P1,P2,Q2,Q1]:100]");
    EXPECT_EQ(GroupOf(q1), target);
    EXPECT_EQ(target->CurrentTabZone(), LeafOf(q1));
    EXPECT_TRUE(watcher->Freed) << "the emptied group goes";
    ExpectMovedHere();
}

TEST_F(InsertGroupTest, ClientAtATabJoinsThatTabsGroup) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", p1, tk::alClient);
    DockNew("P3", nullptr, tk::alRight);
    InsertGroup(LeafOf(p1), tk::alClient);
    EXPECT_EQ(Shape(), "V[T[P1,P2,Q2,Q1]:50,P3:50]") << "no group inside a group";
    ExpectMovedHere();
}

TEST_F(InsertGroupTest, ClientAtALeafMakesItTheGroupsLastTab) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", nullptr, tk::alRight);
    moving->Tabs()->SetTabIndex(0);
    InsertGroup(LeafOf(p2), tk::alClient);
    EXPECT_EQ(Shape(), "V[P1:50,T[Q1,Q2,P2]:50]");
    EXPECT_EQ(moving->CurrentTabZone(), LeafOf(q1)) << "the group's current tab stays";
    EXPECT_EQ(p2->BoundsRect(), MakeRect(149, 18, 296, 378));
    (void)p1;
    ExpectMovedHere();
}

// Refused with the exception, and nothing has changed: the group is still
// in its site, the target tree is as it was.
TEST_F(InsertGroupTest, ClientIntoAPlainContainerIsRefusedBeforeAnythingChanges) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    DockNew("P2", nullptr, tk::alRight);
    const std::string before = Shape();
    site->ClearRecords();
    for (TOrloDockZone* target : {static_cast<TOrloDockZone*>(nullptr), static_cast<TOrloDockZone*>(root.get())}) {
        try {
            root->InsertTabbedZone(moving, target, tk::alClient);
            FAIL() << "not refused";
        } catch (const tk::Exception& e) {
            EXPECT_EQ(e.Message(), tk::String::fromLatin1(
                                       "Inserting Tabbed Zone into non tabbed container in voTabbed orientation!"));
        }
    }
    EXPECT_EQ(Shape(), before);
    EXPECT_EQ(site->ExpandCount, 0);
    EXPECT_EQ(site->UpdateDepth(), 0);
    EXPECT_TRUE(fromSite->RemovedZoneIDs.empty());
    EXPECT_EQ(Shape(fromRoot.get()), "H[Q0:50,T[Q1,Q2]:50]");
    EXPECT_EQ(moving->DockSite(), fromSite->Intf());
    EXPECT_EQ(q1->Parent(), fromSite->Control());
    EXPECT_TRUE(ZoneForestIsSound({root.get(), fromRoot.get()}));
    (void)p1;
}

// Relative to itself or one of its own tabs: relative to the root.
TEST_F(InsertGroupTest, RelativeToItselfGoesRelativeToTheRoot) {
    DockNew("P1", nullptr, tk::alNone);
    InsertGroup(nullptr, tk::alBottom);
    ASSERT_EQ(Shape(), "H[P1:50,T[Q1,Q2]:50]");

    root->InsertTabbedZone(moving, LeafOf(q1), tk::alTop);
    Tidy();
    EXPECT_EQ(Shape(), "H[T[Q1,Q2]:50,P1:50]");
    root->InsertTabbedZone(moving, moving, tk::alRight);
    Tidy();
    EXPECT_EQ(Shape(), "V[P1:50,T[Q1,Q2]:50]");
    // As tabs of the root, which is no tab group.
    EXPECT_THROW(root->InsertTabbedZone(moving, LeafOf(q2), tk::alClient), tk::Exception);
    EXPECT_EQ(Shape(), "V[P1:50,T[Q1,Q2]:50]");
    ExpectSoundTightAndBalanced();
}

} // namespace
