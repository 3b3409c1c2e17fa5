// Normalize keeps a tree tidy: empty containers go, a container with one
// child gives way to it, and one that arranges its children the way its
// parent arranges it hands them over with shares of its own percentage. The
// root itself stays. Random edit sequences (fixed seed) keep every rule.

#include <functional>
#include <random>

#include "container_fixture.h"

using tk::MakeRect;

namespace {

std::vector<TOrloDockZone*> Children(TOrloDockContainerZone* container) {
    std::vector<TOrloDockZone*> list;
    for (int i = 0; i < container->ChildCount(); ++i)
        list.push_back(container->Child(i));
    return list;
}

std::vector<int> Shares(TOrloDockContainerZone* container) {
    std::vector<int> list;
    for (int i = 0; i < container->ChildCount(); ++i)
        list.push_back(container->Child(i)->ParentSizePercentage());
    return list;
}

// The leaves in depth-first list order.
void CollectLeaves(TOrloDockZone* zone, std::vector<TOrloDockZone*>& out) {
    if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone)) {
        for (int i = 0; i < container->ChildCount(); ++i)
            CollectLeaves(container->Child(i), out);
        return;
    }
    out.push_back(zone);
}

std::vector<TOrloDockZone*> Leaves(TOrloDockZone* top) {
    std::vector<TOrloDockZone*> leaves;
    CollectLeaves(top, leaves);
    return leaves;
}

class NormalizeTest : public ContainerTest {};

TEST_F(NormalizeTest, NestedSingleChildrenCollapseToTheLeaf) {
    // first | [ [ leaf ] ] in 300 pixels, 40/60.
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    FakeLeafZone* first = AddLeaf(root.get());
    TOrloDockContainerZone* outer = AddContainer(root.get(), voHorz);
    TOrloDockContainerZone* inner = AddContainer(outer, voVert);
    TOrloDockablePanel* panel = NewPanel("P");
    TOrloDockControlZone* leaf = AddPanelLeaf(inner, panel);
    Share(root.get(), {40, 60});
    probe->Watch(outer);
    probe->Watch(inner);
    const tk::Rect place = outer->Bounds();
    ASSERT_EQ(place, MakeRect(121, 0, 300, 200));
    const int share = outer->ParentSizePercentage();
    ExpectSoundTightAndBalanced();

    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{first, leaf}));
    EXPECT_EQ(leaf->ParentZone(), root.get());
    EXPECT_EQ(leaf->Orientation(), voVert);
    EXPECT_EQ(leaf->Bounds(), place);
    EXPECT_EQ(leaf->ParentSizePercentage(), share);
    EXPECT_EQ(panel->BoundsRect(), MakeRect(121, 18, 300, 200));
    EXPECT_TRUE(probe->WasFreed(outer));
    EXPECT_TRUE(probe->WasFreed(inner));
    ExpectSoundTightAndBalanced();
}

TEST_F(NormalizeTest, EmptyContainersAreRemovedAndFreed) {
    ShapeRoot(voHorz, MakeRect(0, 0, 300, 200));
    FakeLeafZone* first = AddLeaf(root.get());
    TOrloDockContainerZone* empty = AddContainer(root.get(), voVert);
    TOrloDockContainerZone* holdsEmpty = AddContainer(root.get(), voVert);
    TOrloDockContainerZone* nested = AddContainer(holdsEmpty, voHorz);
    FakeLeafZone* last = AddLeaf(root.get());
    Share(root.get(), {25, 25, 25, 25});
    for (TOrloDockZone* zone : {static_cast<TOrloDockZone*>(empty), static_cast<TOrloDockZone*>(holdsEmpty),
                                static_cast<TOrloDockZone*>(nested)})
        probe->Watch(zone);

    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{first, last}));
    EXPECT_EQ(probe->Freed.size(), 3u);
    EXPECT_EQ(last->Bounds().Bottom, 200);
    ExpectSoundTightAndBalanced();
}

TEST_F(NormalizeTest, MergedChildrenShareTheirContainersPercentage) {
    struct Case {
        int containerShare;
        std::vector<int> childShares;
        std::vector<int> expected;
    };
    // 16.5 -> 16 and 33.5 -> 34 (halves to even); the remainder goes to the first.
    for (const Case& k : {Case{50, {33, 67}, {16, 34}}, Case{50, {30, 70}, {15, 35}},
                          Case{50, {33, 33, 34}, {17, 16, 17}}, Case{45, {50, 50}, {23, 22}}}) {
        // No site: nothing is laid out, the shares are left as computed.
        Owned<TOrloDockContainerZone> top = MakeOwned<TOrloDockContainerZone>();
        top->SetChildOrientation(voVert);
        FakeLeafZone* before = AddLeaf(top.get());
        TOrloDockContainerZone* merged = AddContainer(top.get(), voVert);
        FakeLeafZone* after = AddLeaf(top.get());
        merged->SetParentSizePercentage(k.containerShare);
        std::vector<TOrloDockZone*> expectedOrder{before};
        for (int share : k.childShares) {
            FakeLeafZone* child = AddLeaf(merged);
            child->SetParentSizePercentage(share);
            expectedOrder.push_back(child);
        }
        expectedOrder.push_back(after);
        before->SetParentSizePercentage(20);
        after->SetParentSizePercentage(30);
        probe->Watch(merged);

        top->Normalize();
        EXPECT_EQ(Children(top.get()), expectedOrder);
        std::vector<int> expectedShares{20};
        expectedShares.insert(expectedShares.end(), k.expected.begin(), k.expected.end());
        expectedShares.push_back(30);
        EXPECT_EQ(Shares(top.get()), expectedShares) << "container at " << k.containerShare;
        EXPECT_TRUE(probe->WasFreed(merged));
        EXPECT_TRUE(ZoneTreeIsSound(top.get()));
    }
}

TEST_F(NormalizeTest, MergingInASiteKeepsTheOrderAndTheLayout) {
    ShapeRoot(voVert, MakeRect(0, 0, 400, 100));
    FakeLeafZone* first = AddLeaf(root.get());
    TOrloDockContainerZone* same = AddContainer(root.get(), voVert);
    TOrloDockContainerZone* across = AddContainer(root.get(), voHorz);
    FakeLeafZone* x = AddLeaf(same);
    FakeLeafZone* y = AddLeaf(same);
    FakeLeafZone* u = AddLeaf(across);
    FakeLeafZone* v = AddLeaf(across);
    Share(same, {50, 50});
    Share(root.get(), {25, 50, 25});
    ExpectSoundTightAndBalanced();

    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{first, x, y, across}));
    EXPECT_EQ(Children(across), (std::vector<TOrloDockZone*>{u, v})) << "stacked inside side by side: kept";
    // The merged 50 % is shared by what the children recorded: x 50 % of
    // the 200 pixels, y 48 % (95 pixels, the container's splitter strip being
    // cut off its end) gives 24, and x takes the remaining 26.
    EXPECT_EQ(x->ParentSizePercentage(), 26);
    EXPECT_EQ(y->ParentSizePercentage(), 24);
    EXPECT_EQ(x->Bounds(), MakeRect(101, 0, 205, 100));
    EXPECT_EQ(y->Bounds(), MakeRect(206, 0, 302, 100));
    ExpectSoundTightAndBalanced();
}

// A container that gives way to its only child, itself a container, puts it
// in its parent's arrangement: first | [ [x over y] ] with the root stacked.
// The inner container takes the outer one's place (stacked now, like its
// own children), so it hands x and y to the root: H[first, x, y], not a
// stack inside a stack, whose shares would shrink at every layout. x holds
// 50 % and y 48 % of it (its splitter strip cuts y's end): 25 and 24 of its
// 50 %, and x takes the remainder.
TEST_F(NormalizeTest, AChildThatTakesItsContainersPlaceJoinsItsNewArrangement) {
    ShapeRoot(voHorz, MakeRect(0, 0, 300, 400));
    FakeLeafZone* first = AddLeaf(root.get());
    TOrloDockContainerZone* outer = AddContainer(root.get(), voVert);
    TOrloDockContainerZone* inner = AddContainer(outer, voHorz);
    FakeLeafZone* x = AddLeaf(inner);
    FakeLeafZone* y = AddLeaf(inner);
    Share(inner, {50, 50});
    Share(root.get(), {50, 50});
    probe->Watch(inner);

    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{first, x, y}));
    EXPECT_EQ(Shares(root.get()), (std::vector<int>{50, 26, 24}));
    EXPECT_TRUE(probe->WasFreed(inner));
    ExpectSoundTightAndBalanced();
}

TEST_F(NormalizeTest, TheRootIsNeverPruned) {
    root->Normalize();
    EXPECT_EQ(root->ChildCount(), 0);

    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    FakeLeafZone* only = AddLeaf(root.get());
    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{only}));

    // A root whose only child is a container with several children in the
    // same direction keeps the root and takes the children.
    root->RemoveZone(only);
    only->SetParentZoneField(nullptr);
    only->Free();
    TOrloDockContainerZone* same = AddContainer(root.get(), voHorz);
    root->SetChildOrientation(voHorz);
    same->SetOrientation(voHorz);
    FakeLeafZone* a = AddLeaf(same);
    FakeLeafZone* b = AddLeaf(same);
    root->Normalize();
    EXPECT_EQ(Children(root.get()), (std::vector<TOrloDockZone*>{a, b}));
    ExpectSoundTightAndBalanced();
}

// Random edits of a tree of fake leaves and containers, each followed by the
// invariant checks; every Normalize keeps the leaves in order and leaves no
// container other than the root with fewer than two children.
class RandomEditsTest : public ContainerTest {
protected:
    std::mt19937 rng{20240611u};
    // Normalize calls that removed or merged something.
    int tidied = 0;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::vector<TOrloDockZone*> AllZones() {
        std::vector<TOrloDockZone*> zones;
        std::function<void(TOrloDockZone*)> walk = [&](TOrloDockZone* zone) {
            zones.push_back(zone);
            if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
                for (int i = 0; i < container->ChildCount(); ++i)
                    walk(container->Child(i));
        };
        walk(root.get());
        return zones;
    }

    std::vector<TOrloDockContainerZone*> Containers() {
        std::vector<TOrloDockContainerZone*> list;
        for (TOrloDockZone* zone : AllZones())
            if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
                list.push_back(container);
        return list;
    }

    TOrloDockOrientation RandomDirection() { return Pick(2) ? voVert : voHorz; }

    void Edit() {
        std::vector<TOrloDockZone*> zones = AllZones();
        std::vector<TOrloDockContainerZone*> containers = Containers();
        TOrloDockContainerZone* parent = containers[static_cast<std::size_t>(Pick(int(containers.size())))];
        TOrloDockZone* someZone =
            zones.size() > 1 ? zones[static_cast<std::size_t>(1 + Pick(int(zones.size()) - 1))] : nullptr;
        switch (Pick(8)) {
        case 0:
            AddLeaf(parent, Pick(5) != 0)->SetParentSizePercentage(Pick(100));
            break;
        case 1:
            AddContainer(parent, RandomDirection())->SetParentSizePercentage(Pick(100));
            break;
        case 2:
            if (someZone) {
                someZone->ParentZone()->RemoveZone(someZone);
                someZone->SetParentZoneField(nullptr);
                someZone->Free();
            }
            break;
        case 3:
            if (parent->ChildCount() > 1) {
                TOrloDockZone* zone = parent->Child(Pick(parent->ChildCount()));
                TOrloDockZone* other = parent->Child(Pick(parent->ChildCount()));
                if (Pick(2))
                    parent->MoveZoneAfter(zone, other);
                else
                    parent->MoveZoneBefore(zone, other);
            }
            break;
        case 4:
            if (auto* leaf = dynamic_cast<FakeLeafZone*>(someZone)) {
                if (leaf->IsVisible())
                    leaf->Hide();
                else
                    leaf->Show();
            }
            break;
        case 5:
            if (someZone) {
                TOrloDockZone* fresh = new FakeLeafZone();
                TOrloDockContainerZone* holder = someZone->ParentZone();
                holder->ReplaceZone(someZone, fresh);
                someZone->Free();
            }
            break;
        case 6:
            root->SetBounds(MakeRect(0, 0, 100 + Pick(400), 100 + Pick(300)));
            break;
        default:
            NormalizeAndCheck();
            break;
        }
        ASSERT_TRUE(ZoneTreeIsSound(root.get()));
        ASSERT_EQ(site->UpdateDepth(), 0);
    }

    void NormalizeAndCheck() {
        const std::vector<TOrloDockZone*> before = Leaves(root.get());
        const std::size_t zonesBefore = AllZones().size();
        root->Normalize();
        ASSERT_TRUE(ZoneTreeIsSound(root.get()));
        EXPECT_EQ(Leaves(root.get()), before);
        for (TOrloDockContainerZone* container : Containers()) {
            if (container == root.get())
                continue;
            EXPECT_GE(container->ChildCount(), 2) << "left after Normalize: " << container->ZoneID().toStdString();
        }
        if (AllZones().size() < zonesBefore)
            ++tidied;
        root->UpdateBounds();
        EXPECT_TRUE(ZoneLayoutIsTight(root.get()));
    }
};

TEST_F(RandomEditsTest, EveryEditKeepsTheTreeSound) {
    ShapeRoot(voVert, MakeRect(0, 0, 400, 300));
    for (int round = 0; round < 40; ++round) {
        for (int step = 0; step < 25; ++step) {
            Edit();
            if (HasFatalFailure())
                return;
        }
        NormalizeAndCheck();
        if (HasFailure())
            return;
    }
    EXPECT_GT(AllZones().size(), 1u);
    EXPECT_GT(tidied, 10) << "the sequence should give Normalize work to do";
}

} // namespace
