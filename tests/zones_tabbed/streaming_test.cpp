// A tree with a tab group survives a trip through the component stream: the
// tabs come back in order for their children, follow their panels'
// visibility once the panels are resolved, and the stored tab is current.

#include "support/dock_tree_fixture.h"
#include <orlodock/tk/streaming.h>

namespace {

class TabGroupStreamingTest : public DockTreeTest {};

TEST_F(TabGroupStreamingTest, RoundTripRestoresTabsAndTheCurrentOne) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", p1, tk::alClient);
    TOrloDockablePanel* p3 = DockNew("P3", GroupOf(p1), tk::alClient);
    DockNew("P4", nullptr, tk::alRight);
    GroupOf(p1)->Tabs()->SetTabIndex(0);
    p2->SetVisible(false);
    const std::string shape = Shape();
    ASSERT_EQ(shape, "V[T[P1,P2,P3]:50,P4:50]");
    ExpectSoundTightAndBalanced();

    const tk::Bytes data = tk::WriteComponent(root.get());
    SCOPED_TRACE(tk::StreamToText(data).toStdString());
    root->ClearChildren();
    ASSERT_EQ(root->ChildCount(), 0);
    tk::ReadComponentInto(data, root.get());
    root->SetDockSite(site->Intf());

    TOrloDockTabbedContainerZone* group = dynamic_cast<TOrloDockTabbedContainerZone*>(root->Child(0));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->PendingTabIndex(), 0);
    EXPECT_EQ(group->Tabs()->TabCount(), 3);
    root->ResolveControls(panels.get());
    root->UpdateBounds();

    EXPECT_EQ(Shape(), shape);
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p1));
    EXPECT_FALSE(group->Tabs()->GetTab(1)->Visible());
    EXPECT_TRUE(group->Tabs()->GetTab(2)->Visible());
    EXPECT_TRUE(group->Tabs()->Visible()) << "two visible tabs";
    EXPECT_EQ(group->Tabs()->Parent(), site->Control());
    EXPECT_EQ(p3->BoundsRect(), p1->BoundsRect());
    ExpectSoundTightAndBalanced();
}

} // namespace
