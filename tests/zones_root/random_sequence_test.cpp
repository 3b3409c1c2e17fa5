// Random sequences of docking (into either of two sites, at random targets
// and positions), hiding, showing, closing, selecting tabs, moving tab groups
// and removing 20 panels, with fixed seeds. After every step the trees must
// be sound and laid out, and every docked panel stand in exactly one leaf.

#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "support/dock_tree_fixture.h"
#include "support/rect_print.h"
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/forms.h>

namespace {

class RandomSequenceTest : public DockTreeTest, public ::testing::WithParamInterface<unsigned> {
protected:
    Owned<FakeDockSite> otherSite = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> otherRoot = MakeOwned<TOrloDockRootZone>();
    std::vector<TOrloDockablePanel*> all;
    // The root each docked panel is in; ordered by name, so that a seed
    // always makes the same choices.
    struct ByName {
        bool operator()(const TOrloDockablePanel* a, const TOrloDockablePanel* b) const { return a->Tag() < b->Tag(); }
    };
    std::map<TOrloDockablePanel*, TOrloDockRootZone*, ByName> dockedIn;
    std::mt19937 rng{GetParam()};

    void SetUp() override {
        DockTreeTest::SetUp();
        site->SetCarryOutRemovals(true);
        otherSite->SetTheme(theme->Intf());
        otherSite->SetRootZone(otherRoot.get());
        otherSite->SetCarryOutRemovals(true);
        otherSite->SetControlBounds(tk::MakeRect(0, 0, 400, 250));
        otherRoot->SetDockSite(otherSite->Intf());
        otherRoot->SetBounds(tk::MakeRect(0, 0, 400, 250));
        for (int i = 0; i < 20; ++i) {
            all.push_back(NewPanel("P" + std::to_string(i)));
            all.back()->SetTag(i);
        }
    }
    void TearDown() override {
        otherRoot.reset();
        DockTreeTest::TearDown();
    }

    int Random(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    template <class T> T Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Random(int(items.size())))];
    }

    static void Collect(TOrloDockZone* zone, std::vector<TOrloDockZone*>& out) {
        out.push_back(zone);
        if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
            for (int i = 0; i < container->ChildCount(); ++i)
                Collect(container->Child(i), out);
    }
    std::vector<TOrloDockZone*> Zones(TOrloDockRootZone* tree) {
        std::vector<TOrloDockZone*> zones;
        Collect(tree, zones);
        return zones;
    }
    std::vector<TOrloDockTabbedContainerZone*> Groups(TOrloDockRootZone* tree) {
        std::vector<TOrloDockTabbedContainerZone*> groups;
        for (TOrloDockZone* zone : Zones(tree))
            if (auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(zone))
                groups.push_back(group);
        return groups;
    }
    std::vector<TOrloDockablePanel*> Docked() {
        std::vector<TOrloDockablePanel*> docked;
        for (auto& entry : dockedIn)
            docked.push_back(entry.first);
        return docked;
    }
    TOrloDockRootZone* AnyRoot() { return Random(3) == 0 ? otherRoot.get() : root.get(); }
    static void TidyTree(TOrloDockRootZone* tree) {
        tree->Normalize();
        tree->UpdateBounds();
    }

    // Set by the steps after which the site lays its whole tree out.
    bool laidOut = false;

    // One random step; answers what it did, for the failure message.
    std::string Step() {
        laidOut = false;
        const std::vector<TOrloDockablePanel*> docked = Docked();
        // Docking more often than removing, so the trees grow deep.
        const int kind = docked.empty() ? 0 : Random(10);
        switch (kind) {
        case 0:
        case 1:
        case 2:
        case 3: {
            TOrloDockablePanel* panel = Pick(all);
            TOrloDockRootZone* tree = AnyRoot();
            const std::vector<TOrloDockZone*> zones = Zones(tree);
            TOrloDockZone* target = Random(4) == 0 ? nullptr : Pick(zones);
            const auto position = static_cast<tk::Align>(Random(7));
            tree->InsertPanel(panel->PanelIntf(), target, position);
            TidyTree(tree);
            TidyTree(tree == root.get() ? otherRoot.get() : root.get());
            dockedIn[panel] = tree;
            laidOut = true;
            return "dock " + panel->Name().toStdString() + " at " + std::to_string(position);
        }
        case 4: {
            TOrloDockablePanel* panel = Pick(docked);
            panel->SetVisible(false);
            return "hide " + panel->Name().toStdString();
        }
        case 5: {
            TOrloDockablePanel* panel = Pick(docked);
            panel->SetVisible(true);
            return "show " + panel->Name().toStdString();
        }
        case 6: {
            TOrloDockRootZone* tree = AnyRoot();
            TOrloDockZone* zone = Pick(Zones(tree));
            zone->CloseZone();
            return "close " + zone->ClassName().toStdString();
        }
        case 7: {
            TOrloDockablePanel* panel = Pick(docked);
            TOrloDockRootZone* tree = dockedIn[panel];
            tree->RemovePanel(panel->PanelIntf());
            TidyTree(tree);
            dockedIn.erase(panel);
            laidOut = true;
            return "remove " + panel->Name().toStdString();
        }
        case 8: {
            TOrloDockRootZone* tree = AnyRoot();
            const std::vector<TOrloDockTabbedContainerZone*> groups = Groups(tree);
            if (groups.empty())
                return "no group to select in";
            TOrloDockTabbedContainerZone* group = Pick(groups);
            group->Tabs()->SetTabIndex(Random(group->ChildCount()));
            // A user can only select a visible tab: the strip shows no other.
            if (group->CurrentTabZone() && !group->CurrentTabZone()->IsVisible())
                group->Tabs()->SetTabVisible(group->Tabs()->TabIndex(), false);
            return "select a tab";
        }
        default: {
            TOrloDockRootZone* from = AnyRoot();
            const std::vector<TOrloDockTabbedContainerZone*> groups = Groups(from);
            if (groups.empty())
                return "no group to move";
            TOrloDockTabbedContainerZone* group = Pick(groups);
            std::vector<TOrloDockablePanel*> panels;
            for (int i = 0; i < group->ChildCount(); ++i)
                panels.push_back(static_cast<TOrloDockControlZone*>(group->Child(i))->Panel());
            TOrloDockRootZone* to = AnyRoot();
            const std::vector<TOrloDockZone*> zones = Zones(to);
            TOrloDockZone* target = Random(4) == 0 ? nullptr : Pick(zones);
            const auto position = static_cast<tk::Align>(Random(7));
            const std::string before = Shape(from) + " " + Shape(to);
            try {
                to->InsertTabbedZone(group, target, position);
            } catch (const tk::Exception&) {
                EXPECT_EQ(Shape(from) + " " + Shape(to), before) << "a refused group changes nothing";
                return "group refused at " + std::to_string(position);
            }
            TidyTree(to);
            TidyTree(from);
            for (TOrloDockablePanel* panel : panels)
                dockedIn[panel] = to;
            laidOut = true;
            return "move group at " + std::to_string(position);
        }
        }
    }

    void ExpectConsistent(const std::string& history) {
        SCOPED_TRACE(history);
        ASSERT_TRUE(ZoneForestIsSound({root.get(), otherRoot.get()}));
        // Showing and hiding lay out only the parents concerned, and the
        // shares they record drift against the full layout's (stacked
        // children are cut from the client height, shared out of the whole
        // one); a tab group always lays its own tabs out.
        for (TOrloDockRootZone* tree : {root.get(), otherRoot.get()}) {
            if (laidOut) {
                ASSERT_TRUE(ZoneLayoutIsTight(tree)) << Shape(tree);
            }
            for (TOrloDockTabbedContainerZone* group : Groups(tree))
                ASSERT_TRUE(ZoneLayoutIsTight(group)) << Shape(tree);
        }
        ASSERT_EQ(site->UpdateDepth(), 0);
        ASSERT_EQ(otherSite->UpdateDepth(), 0);
        for (TOrloDockablePanel* panel : all) {
            TOrloDockControlZone* here = root->FindControlZone(panel);
            TOrloDockControlZone* there = otherRoot->FindControlZone(panel);
            auto it = dockedIn.find(panel);
            if (it == dockedIn.end()) {
                ASSERT_TRUE(!here && !there) << panel->Name().toStdString() << " is still docked";
                ASSERT_EQ(panel->DockSite(), nullptr);
                continue;
            }
            const bool inRoot = it->second == root.get();
            ASSERT_TRUE(inRoot ? here && !there : there && !here)
                << panel->Name().toStdString() << " is not in exactly its site's tree";
            ASSERT_EQ(panel->DockSite(), inRoot ? site->Control() : otherSite->Control());
        }
    }
};

TEST_P(RandomSequenceTest, TreesStaySound) {
    std::string history;
    for (int step = 0; step < 400; ++step) {
        history += std::to_string(step) + ": " + Step() + "\n";
        ExpectConsistent(history);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSequenceTest, ::testing::Range(0u, 12u));

// Panels re-docked within their own site, through the site as an
// application docks them, at random panels and positions. After every step
// the trees are sound and laid out, and no visible zone is below its
// minimum size in a container with room for all its visible children. A
// panel re-docked beside another splits that panel's room with it: the two
// end up about equal. (Left with a stale share, the other halved only what it
// held before, and the room the panel had left went to the last child.)
class RedockSequenceTest : public ::testing::TestWithParam<unsigned> {
protected:
    Owned<tk::Form> form = MakeOwned<tk::Form>(nullptr);
    TOrloDockSite* sites[2] = {};
    std::vector<TOrloDockablePanel*> panels;
    std::mt19937 rng{GetParam()};

    int Random(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    TOrloDockSite* SiteOf(std::size_t panel) { return sites[panel % 2]; }

    void SetUp() override {
        form->SetBounds(0, 0, 1016, 900);
        for (tk::Align align : {tk::alBottom, tk::alLeft}) {
            TOrloDockSite*& site = sites[align == tk::alLeft];
            site = new TOrloDockSite(form.get());
            site->SetParent(form.get());
            site->SetAlign(align);
            site->SetBounds(0, 0, 400, 400);
        }
        for (std::size_t i = 0; i < 12; ++i) {
            panels.push_back(new TOrloDockablePanel(form.get()));
            panels.back()->SetName(tk::String::fromStdString("P" + std::to_string(i)));
            panels.back()->DockInto(SiteOf(i)->SiteIntf(), nullptr, tk::alBottom);
        }
    }

    // `checkHalves`: off where panels were hidden, which leaves other rooms to split.
    std::string Step(bool checkHalves = true) {
        const auto index = static_cast<std::size_t>(Random(int(panels.size())));
        TOrloDockablePanel* panel = panels[index];
        TOrloDockRootZone* root = SiteOf(index)->RootZone();
        // Another panel of the same site, or none.
        const auto other = static_cast<std::size_t>(Random(int(panels.size()) / 2) * 2) + index % 2;
        TOrloDockablePanel* relative = other == index || Random(4) == 0 ? nullptr : panels[other];
        const auto position = static_cast<tk::Align>(Random(7));
        TOrloDockControlZone* target = relative ? root->FindControlZone(relative) : nullptr;
        // Splitting the target's room: a side position beside a panel that is not a tab.
        const bool splits = target && position != tk::alClient && target->Orientation() != voTabbed;
        panel->DockInto(SiteOf(index)->SiteIntf(), relative, position);
        std::string done = "redock " + panel->Name().toStdString() + " at " +
                           (relative ? relative->Name().toStdString() : "-") + " " + std::to_string(position);
        if (splits && checkHalves)
            ExpectHalves(root->FindControlZone(panel), root->FindControlZone(relative), done);
        return done;
    }

    // Two siblings that halved one zone's room, P and T: about as large as
    // each other. The tree's tidying may give one of them a few percent more
    // (the remainder when a container hands its children to its parent), and
    // where a zone in their container was given its minimum size the others
    // gave room for it.
    static void ExpectHalves(TOrloDockZone* p, TOrloDockZone* t, const std::string& done) {
        TOrloDockContainerZone* parent = p->ParentZone();
        if (parent != t->ParentZone() || !p->IsVisible() || !t->IsVisible())
            return;
        const tk::Axis axis = ArrangementAxis(parent->ChildOrientation());
        const int slack = tk::Extent(parent->Bounds(), axis) / 100 + 6;
        for (int i = 0; i < parent->ChildCount(); ++i)
            if (TOrloDockZone* child = parent->Child(i);
                child->IsVisible() && tk::Extent(child->Bounds(), axis) <= child->GetMinimumSize() + slack)
                return;
        const int ep = tk::Extent(p->Bounds(), axis);
        const int et = tk::Extent(t->Bounds(), axis);
        EXPECT_LE(std::max(ep, et), std::min(ep, et) * 3 / 2 + slack) << done << ": " << ep << " and " << et;
    }
};

TEST_P(RedockSequenceTest, RedockedPanelsSplitRealRoom) {
    std::string history;
    for (int step = 0; step < 60; ++step) {
        history += std::to_string(step) + ": " + Step() + "\n";
        SCOPED_TRACE(history);
        ASSERT_FALSE(HasFailure());
        ASSERT_TRUE(ZoneForestIsSound({sites[0]->RootZone(), sites[1]->RootZone()}));
        for (TOrloDockSite* site : sites) {
            ASSERT_TRUE(ZoneLayoutIsTight(site->RootZone()));
            ASSERT_TRUE(ZonesKeepTheirMinimumSize(site->RootZone()));
        }
    }
}

// Every zone's rectangle and share, and its panel's rectangle, in tree order.
std::vector<std::string> Placements(TOrloDockZone* zone) {
    std::vector<std::string> lines;
    std::vector<TOrloDockControlZone*> leaves;
    const std::function<void(TOrloDockZone*)> visit = [&](TOrloDockZone* z) {
        std::string line = tktest::RectText(z->Bounds()) + " " + std::to_string(z->ParentSizePercentage()) + "%";
        if (TOrloDockControlZone* leaf = z->AsControlZone(); leaf && leaf->Panel())
            line += " " + leaf->Panel()->Name().toStdString() + " " + tktest::RectText(leaf->Panel()->BoundsRect());
        lines.push_back(line);
        if (TOrloDockContainerZone* container = z->AsContainer())
            for (int i = 0; i < container->ChildCount(); ++i)
                visit(container->Child(i));
    };
    visit(zone);
    return lines;
}

void ForgetEveryLayout(TOrloDockZone* zone) {
    if (TOrloDockContainerZone* container = zone->AsContainer()) {
        container->InvalidateLayout();
        for (int i = 0; i < container->ChildCount(); ++i)
            ForgetEveryLayout(container->Child(i));
    }
}

// A change lays out only the containers whose children it moved, and gives
// room only there: laying the whole tree out afterwards and giving room
// wherever it lacks moves nothing.
TEST_P(RedockSequenceTest, ChangesLeaveTheTreeAsAWholeLayoutWould) {
    std::string history;
    for (int step = 0; step < 60; ++step) {
        history += std::to_string(step) + ": " + Step(false) + "\n";
        if (Random(4) == 0) {
            TOrloDockablePanel* panel = panels[static_cast<std::size_t>(Random(int(panels.size())))];
            panel->SetVisible(!panel->Visible());
            history += "  toggled " + panel->Name().toStdString() + "\n";
        }
        SCOPED_TRACE(history);
        for (TOrloDockSite* site : sites) {
            TOrloDockRootZone* root = site->RootZone();
            const std::vector<std::string> incremental = Placements(root);
            ForgetEveryLayout(root);
            root->UpdateBounds();
            root->KeepMinimumSizes();
            ASSERT_EQ(Placements(root), incremental);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RedockSequenceTest, ::testing::Range(0u, 12u));

} // namespace
