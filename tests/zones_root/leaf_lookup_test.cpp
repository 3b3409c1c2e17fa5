// A root finds a panel's leaf through the leaves that hold the panel: the
// answers are those of a search of the tree.

#include "support/dock_tree_fixture.h"

namespace {

class LeafLookupTest : public DockTreeTest {};

TEST_F(LeafLookupTest, AnswersAsASearchWould) {
    TOrloDockablePanel* p1 = DockNew("P1", nullptr, tk::alNone);
    TOrloDockablePanel* p2 = DockNew("P2", p1, tk::alRight);
    TOrloDockControlZone* first = LeafOf(p1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Panel(), p1);
    EXPECT_EQ(LeafOf(NewPanel("Undocked")), nullptr);
    EXPECT_EQ(root->FindControlZone(nullptr), nullptr);

    // A second leaf holding the panel: the first in the tree's order wins.
    TOrloDockControlZone* second = LeafOf(p2);
    second->SetControl(p1);
    EXPECT_EQ(LeafOf(p1), first);
    first->SetControl(nullptr);
    EXPECT_EQ(LeafOf(p1), second);

    // A leaf outside the tree is not found; a freed panel's address finds nothing.
    auto outside = std::make_unique<TOrloDockControlZone>();
    outside->SetControl(p2);
    EXPECT_EQ(LeafOf(p2), nullptr);
    const TOrloDockablePanel* gone = p1;
    p1->Free();
    EXPECT_EQ(root->FindControlZone(gone), nullptr);
    EXPECT_EQ(second->Panel(), nullptr);
}

} // namespace
