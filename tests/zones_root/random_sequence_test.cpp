// Random sequences of docking (into either of two sites, at random targets
// and positions), hiding, showing, closing, selecting tabs, moving tab groups
// and removing 20 panels, with fixed seeds. After every step the trees must
// be sound and laid out, and every docked panel stand in exactly one leaf.

#include <map>
#include <random>
#include <set>

#include "support/dock_tree_fixture.h"

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

} // namespace
