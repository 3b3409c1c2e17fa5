// What a container answers and how its list changes: the zone under a point
// (splitters left out while docking), the preview rectangle of a drop, finding
// zones by identifier and by panel, replacing, removing, inserting and moving
// children.

#include "container_fixture.h"

using tk::MakeRect;

namespace {

class ContainerOperationsTest : public ContainerTest {
protected:
    FakeLeafZone* a = nullptr;
    TOrloDockContainerZone* middle = nullptr;
    FakeLeafZone* c = nullptr;
    FakeLeafZone* x = nullptr;
    FakeLeafZone* y = nullptr;

    // a | [x over y] | c in 300 x 200 pixels, the middle from 100 to 199.
    void SetUp() override {
        ContainerTest::SetUp();
        ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
        a = AddLeaf(root.get());
        middle = AddContainer(root.get(), voHorz);
        c = AddLeaf(root.get());
        x = AddLeaf(middle);
        y = AddLeaf(middle);
        middle->Child(0)->SetParentSizePercentage(50);
        middle->Child(1)->SetParentSizePercentage(50);
        Share(root.get(), {33, 33, 34});
    }

    std::vector<TOrloDockZone*> Children(TOrloDockContainerZone* container) {
        std::vector<TOrloDockZone*> list;
        for (int i = 0; i < container->ChildCount(); ++i)
            list.push_back(container->Child(i));
        return list;
    }
};

TEST_F(ContainerOperationsTest, ZoneAtPointLeavesSplittersOutWhileDocking) {
    ASSERT_EQ(middle->Bounds(), MakeRect(100, 0, 199, 200));
    TOrloDockHitArea hit = zhNone;
    // The middle's own splitter strip, 195..199.
    EXPECT_EQ(root->ZoneAtPoint({197, 100}, false, hit), middle);
    EXPECT_EQ(hit, zhSplitter);
    hit = zhNone;
    EXPECT_EQ(root->ZoneAtPoint({197, 100}, true, hit), nullptr) << "no child lies under the strip";
    EXPECT_EQ(hit, zhNone);

    // Points in children reach the children, hidden ones excepted.
    EXPECT_EQ(middle->ZoneAtPoint({150, 20}, true, hit), nullptr) << "fake leaves answer nothing themselves";
    EXPECT_EQ(root->ZoneAtPoint({400, 20}, false, hit), nullptr);
    EXPECT_EQ(middle->ZoneAtPoint({50, 20}, false, hit), nullptr);

    // With panels the leaves answer.
    auto* leaf = AddPanelLeaf(middle, NewPanel("P"));
    Share(middle, {40, 40, 20});
    hit = zhNone;
    const tk::Rect r = leaf->Bounds();
    EXPECT_EQ(root->ZoneAtPoint({r.Left + 5, r.Top + 25}, true, hit), leaf);
    EXPECT_EQ(hit, zhClient);
    leaf->Panel()->Hide();
    hit = zhNone;
    EXPECT_EQ(root->ZoneAtPoint({r.Left + 5, r.Top + 25}, true, hit), nullptr);
    ExpectSoundTightAndBalanced();
}

TEST_F(ContainerOperationsTest, DockRectangleIsAShareOfTheTargetOnScreen) {
    // The site's client area starts at (50, 60) on the screen.
    site->SetControlBounds(tk::BoundsRect(50, 60, 300, 200));
    TOrloDockControlZone* leaf = AddPanelLeaf(middle, NewPanel("P"));
    middle->SetBoundsField(MakeRect(100, 10, 300, 90)); // 200 x 80
    IOrloDockZone* target = middle->ZoneIntf();
    const tk::Rect screen = MakeRect(150, 70, 350, 150);
    tk::Rect r;

    // Three children: 200 div 3 + 1 = 67 wide, 80 div 3 + 1 = 27 high.
    ASSERT_EQ(root->ChildCount(), 3);
    ASSERT_TRUE(root->GetDockRect(nullptr, target, r, tk::alLeft));
    EXPECT_EQ(r, MakeRect(150, 70, 217, 150));
    root->GetDockRect(nullptr, target, r, tk::alRight);
    EXPECT_EQ(r, MakeRect(283, 70, 350, 150));
    root->GetDockRect(nullptr, target, r, tk::alTop);
    EXPECT_EQ(r, MakeRect(150, 70, 350, 97));
    root->GetDockRect(nullptr, target, r, tk::alBottom);
    EXPECT_EQ(r, MakeRect(150, 123, 350, 150));
    root->GetDockRect(nullptr, target, r, tk::alClient);
    EXPECT_EQ(r, screen);
    root->GetDockRect(nullptr, target, r, tk::alNone);
    EXPECT_EQ(r, screen);

    // A leaf asks its parent, which has three children too.
    r = {};
    EXPECT_TRUE(leaf->ZoneIntf()->GetDockRect(nullptr, target, r, tk::alLeft));
    EXPECT_EQ(r, MakeRect(150, 70, 217, 150));

    // Children without an orientation leave the target as it is.
    root->SetChildOrientation(voNoOrient);
    root->GetDockRect(nullptr, target, r, tk::alLeft);
    EXPECT_EQ(r, screen);
    root->SetChildOrientation(voVert);

    // One child: halves. A zero extent counts as 75.
    Owned<TOrloDockContainerZone> single = MakeOwned<TOrloDockContainerZone>();
    single->SetDockSite(site->Intf());
    AddLeaf(single.get());
    FakeLeafZone* flat = AddLeaf(root.get());
    flat->SetBoundsField(MakeRect(0, 0, 0, 40));
    ASSERT_TRUE(single->GetDockRect(nullptr, flat->ZoneIntf(), r, tk::alLeft));
    EXPECT_EQ(r.Width(), 37);
    single->GetDockRect(nullptr, flat->ZoneIntf(), r, tk::alTop);
    EXPECT_EQ(r.Height(), 20);

    // No children: the dragged zone's own size.
    middle->SetBoundsField(MakeRect(100, 10, 300, 90));
    Owned<TOrloDockContainerZone> empty = MakeOwned<TOrloDockContainerZone>();
    Owned<TOrloDockContainerZone> dragged = MakeOwned<TOrloDockContainerZone>();
    dragged->SetDockSite(site->Intf());
    dragged->SetBoundsField(MakeRect(0, 0, 120, 40));
    empty->SetDockSite(site->Intf());
    ASSERT_TRUE(empty->GetDockRect(dragged->ZoneIntf(), target, r, tk::alLeft));
    EXPECT_EQ(r, MakeRect(150, 70, 270, 150));
    empty->GetDockRect(dragged->ZoneIntf(), target, r, tk::alBottom);
    EXPECT_EQ(r, MakeRect(150, 110, 350, 150));

    // A leaf without parent has nobody to ask.
    auto* orphan = new TOrloDockControlZone();
    EXPECT_FALSE(orphan->GetDockRect(nullptr, target, r, tk::alLeft));
    orphan->Free();
}

TEST_F(ContainerOperationsTest, FindZonesByIdentifierAndByPanel) {
    EXPECT_EQ(root->FindZoneByID(root->ZoneID()), root.get());
    EXPECT_EQ(root->FindZoneByID(y->ZoneID()), y);
    EXPECT_EQ(root->FindZoneByID(middle->ZoneID()), middle);
    EXPECT_EQ(middle->FindZoneByID(a->ZoneID()), nullptr) << "only below the container";
    EXPECT_EQ(root->FindZoneByID(y->ZoneID().toLower()), nullptr) << "identifiers compare exactly";
    EXPECT_EQ(root->FindZoneByID(tk::String()), nullptr);

    TOrloDockablePanel* deep = NewPanel("Deep");
    TOrloDockContainerZone* inner = AddContainer(middle, voVert);
    AddLeaf(inner);
    TOrloDockControlZone* leaf = AddPanelLeaf(inner, deep);
    auto* empty = new TOrloDockControlZone();
    empty->SetParentZone(root.get());
    EXPECT_EQ(root->FindControlZone(deep), leaf);
    EXPECT_EQ(root->FindZoneByID(leaf->ZoneID()), leaf);
    EXPECT_EQ(root->FindControlZone(NewPanel("Loose")), nullptr);
    EXPECT_EQ(root->FindControlZone(nullptr), nullptr) << "an empty leaf is no panel's zone";
    ExpectSoundAndBalanced();
}

TEST_F(ContainerOperationsTest, ReplaceZonePutsTheNewZoneInTheOldOnesPlace) {
    // A subtree without site takes the middle's place.
    auto* replacement = new TOrloDockContainerZone();
    replacement->SetChildOrientation(voHorz);
    TOrloDockablePanel* panel = NewPanel("P");
    auto* leaf = new TOrloDockControlZone();
    leaf->SetControl(panel);
    leaf->SetParentZone(replacement);
    ASSERT_EQ(leaf->DockSite(), nullptr);
    const tk::Rect place = middle->Bounds();
    const int share = middle->ParentSizePercentage();

    root->ReplaceZone(middle, replacement);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, replacement, c}));
    EXPECT_EQ(replacement->ParentZone(), root.get());
    EXPECT_EQ(replacement->Orientation(), voVert);
    EXPECT_EQ(replacement->ParentSizePercentage(), share);
    EXPECT_EQ(replacement->Bounds(), place);
    EXPECT_EQ(middle->ParentZone(), nullptr);
    EXPECT_EQ(leaf->DockSite(), site->Intf()) << "the whole subtree comes into the site";
    EXPECT_EQ(panel->Parent(), site->Control());
    EXPECT_EQ(leaf->Bounds(), MakeRect(100, 0, 195, 200)) << "laid out in its new place";
    ExpectSoundTightAndBalanced();
    EXPECT_TRUE(ZoneTreeIsSound(middle)) << "the old zone is whole, only unlinked";
    middle->Free();

    // Nothing for a zone that is not a child; a child replacing its sibling is listed once.
    auto* stranger = new FakeLeafZone();
    root->ReplaceZone(stranger, a);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, replacement, c}));
    stranger->Free();
    root->ReplaceZone(a, c);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{c, replacement}));
    EXPECT_EQ(a->ParentZone(), nullptr);
    a->Free();
    ExpectSoundAndBalanced();
}

TEST_F(ContainerOperationsTest, RemoveZoneKeepsTheLinkAndLaysOut) {
    root->RemoveZone(middle);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, c}));
    EXPECT_EQ(middle->ParentZone(), root.get()) << "the caller clears the link";
    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 99, 200));
    EXPECT_EQ(c->Bounds(), MakeRect(100, 0, 300, 200));

    site->ClearRecords();
    root->RemoveZone(middle);
    EXPECT_EQ(site->BeginUpdateCount, 0) << "not a child: nothing happens";
    middle->SetParentZoneField(nullptr);
    EXPECT_TRUE(ZoneTreeIsSound(middle));
    middle->Free();
    ExpectSoundTightAndBalanced();
}

TEST_F(ContainerOperationsTest, InsertAndMoveChildren) {
    auto adopt = [this](TOrloDockZone* zone) {
        zone->SetParentZoneField(root.get());
        zone->SetOrientation(root->ChildOrientation());
        zone->SetDockSite(site->Intf());
    };
    auto* p = new CountingLeaf();
    adopt(p);
    EXPECT_EQ(root->InsertZoneAfter(p, a, false), 1);
    EXPECT_EQ(p->UpdateCount, 0) << "no layout without the flag";
    auto* q = new CountingLeaf();
    adopt(q);
    EXPECT_EQ(root->InsertZoneAfter(q, c, true), 4) << "behind the last one: appended";
    EXPECT_GT(q->UpdateCount, 0);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, p, middle, c, q}));
    auto* r = new CountingLeaf();
    adopt(r);
    EXPECT_EQ(root->InsertZoneAfter(r, x, false), 5) << "not a child: appended";
    auto* s = new CountingLeaf();
    adopt(s);
    EXPECT_EQ(root->InsertZoneBefore(s, a), 0);
    auto* t = new CountingLeaf();
    adopt(t);
    EXPECT_EQ(root->InsertZoneBefore(t, nullptr), 7);
    EXPECT_EQ(t->UpdateCount, 0);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{s, a, p, middle, c, q, r, t}));
    ExpectSoundAndBalanced();

    root->MoveZoneAfter(s, c);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, p, middle, c, s, q, r, t}));
    root->MoveZoneAfter(a, t);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{p, middle, c, s, q, r, t, a}));
    root->MoveZoneBefore(a, p);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, p, middle, c, s, q, r, t}));
    root->MoveZoneBefore(t, x);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, p, middle, c, s, q, r, t})) << "appended";
    root->MoveZoneAfter(p, y);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, middle, c, s, q, r, t, p}));
    ExpectSoundTightAndBalanced();

    // Without both zones only the layout runs.
    q->UpdateCount = 0;
    root->MoveZoneAfter(nullptr, a);
    root->MoveZoneBefore(q, nullptr);
    EXPECT_EQ(q->UpdateCount, 2);
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, middle, c, s, q, r, t, p}));
    ExpectSoundTightAndBalanced();
}

} // namespace
