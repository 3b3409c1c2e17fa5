// Docking into a site and taking panels and zones out again: every operation
// leaves a normalised, laid-out tree that holds each panel once.
//
// The tests of the suite SiteInsertion go through the root zone's insertion.

#include <functional>
#include <limits>
#include <regex>

#include "site_fixture.h"
#include <orlodock/docking/OrloDockTabs.h>

namespace {

using tk::MakeRect;

TEST_F(SiteTest, InsertWithAZoneIdentifierLeavesTheTreeAlone) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* docked = NewPanel("Docked");
    TOrloDockablePanel* other = NewPanel("Other");
    HandDock(site, docked);
    const std::string before = TreeText(site);
    site->InsertDockablePanel(other->PanelIntf(), tk::alClient, site->RootZone()->ZoneID());
    EXPECT_EQ(TreeText(site), before);
    EXPECT_EQ(other->Parent(), nullptr);
}

TEST_F(SiteTest, ZoneAtAPointOfTheSite) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    tk::Rect rect = MakeRect(1, 2, 3, 4);
    tk::IPtr<IOrloDockZone> zone;
    site->GetZoneAt(ScreenPoint(site, 20, 20), rect, zone);
    EXPECT_FALSE(zone) << "an empty site has no zone to offer";

    TOrloDockablePanel* panel = NewPanel("Panel");
    TOrloDockControlZone* leaf = HandDock(site, panel);
    site->GetZoneAt(ScreenPoint(site, 20, 5), rect, zone);
    ASSERT_TRUE(zone);
    EXPECT_EQ(zone->GetZoneObject(), leaf);
    EXPECT_EQ(rect, leaf->Bounds());

    site->GetZoneAt(ScreenPoint(site, site->Width() + 3, 5), rect, zone);
    EXPECT_FALSE(zone) << "outside the site";
}

class EmptySiteDropTest : public SiteTest {
protected:
    struct Shown {
        IOrloDockSite* Site = nullptr;
        tk::Rect Rect{};
        bool Show = false;
        int Count = 0;
    } shown;

    TOrloDockPreviewProc Preview() {
        return [this](IOrloDockSite* site, const tk::Rect& rect, bool show) {
            shown.Site = site;
            shown.Rect = rect;
            shown.Show = show;
            ++shown.Count;
        };
    }

    // Asks the site at a client point; the dragged zone is some other one.
    bool Ask(TOrloDockSite* site, int x, int y, tk::String& zoneID, tk::Align& position,
             const tk::String& dragged = S("{OTHER}")) {
        return site->GetDockTarget(ScreenPoint(site, x, y), dragged, Preview(), zoneID, position);
    }
};

TEST_F(EmptySiteDropTest, BandAlongTheOuterEdge) {
    const struct {
        tk::Align align;
        tk::Point inside;
        tk::Point outside;
        tk::Rect band; // in terms of the site's width w and height h, filled below
    } cases[] = {
        {tk::alLeft, {9, 50}, {10, 50}, {}},
        {tk::alRight, {-1, 50}, {-11, 50}, {}},
        {tk::alTop, {50, 9}, {50, 10}, {}},
        {tk::alBottom, {50, -1}, {50, -11}, {}},
    };
    for (const auto& c : cases) {
        TOrloDockSite* site = NewSite(c.align);
        const int w = site->Width(), h = site->Height();
        auto at = [&](tk::Point p) -> tk::Point {
            // Negative coordinates count from the far edge.
            return {p.X < 0 ? w + p.X : p.X, p.Y < 0 ? h + p.Y : p.Y};
        };
        tk::Rect band;
        switch (c.align) {
        case tk::alLeft:
            band = MakeRect(0, 0, 10, h);
            break;
        case tk::alRight:
            band = MakeRect(w - 10, 0, w, h);
            break;
        case tk::alTop:
            band = MakeRect(0, 0, w, 10);
            break;
        default:
            band = MakeRect(0, h - 10, w, h);
            break;
        }
        tk::String id;
        tk::Align position = tk::alNone;
        shown = {};
        ASSERT_TRUE(Ask(site, at(c.inside).X, at(c.inside).Y, id, position)) << "alignment " << c.align;
        EXPECT_EQ(id, site->RootZone()->ZoneID());
        EXPECT_EQ(position, c.align);
        EXPECT_EQ(shown.Site, site->SiteIntf());
        EXPECT_EQ(shown.Rect, band) << "alignment " << c.align;
        EXPECT_TRUE(shown.Show);

        shown = {};
        position = tk::alNone;
        EXPECT_FALSE(Ask(site, at(c.outside).X, at(c.outside).Y, id, position)) << "alignment " << c.align;
        EXPECT_EQ(shown.Count, 0);
        EXPECT_EQ(position, tk::alNone);

        EXPECT_FALSE(Ask(site, at(c.inside).X, at(c.inside).Y, id, position, site->RootZone()->ZoneID()))
            << "a site is no target for its own root";
        site->Free();
    }
}

TEST_F(EmptySiteDropTest, CollapsedSiteShowsWhereItWillOpen) {
    TOrloDockSite* left = NewSite(tk::alLeft);
    left->SetWidth(200);
    left->Collapse();
    const int h = left->Height();
    tk::String id;
    tk::Align position = tk::alNone;
    ASSERT_TRUE(Ask(left, 5, 40, id, position));
    EXPECT_EQ(shown.Rect, MakeRect(0, 0, 10 + 200, h));
    EXPECT_EQ(position, tk::alLeft);

    TOrloDockSite* bottom = NewSite(tk::alBottom);
    bottom->SetHeight(120);
    bottom->Collapse();
    ASSERT_TRUE(Ask(bottom, 30, -5, id, position));
    EXPECT_EQ(shown.Rect, MakeRect(0, -10 - 120, bottom->Width(), 0));
    EXPECT_EQ(position, tk::alBottom);
}

TEST_F(EmptySiteDropTest, SiteWithPanelsAnswersTheSideOfTheZone) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    site->SetWidth(300);
    TOrloDockablePanel* panel = NewPanel("Panel");
    TOrloDockControlZone* leaf = HandDock(site, panel);
    const tk::Rect b = leaf->Bounds();
    tk::String id;
    tk::Align position = tk::alNone;
    ASSERT_TRUE(Ask(site, b.Left + 3, (b.Top + b.Bottom) / 2, id, position));
    EXPECT_EQ(id, leaf->ZoneID());
    EXPECT_EQ(position, tk::alLeft);
    EXPECT_EQ(shown.Rect, MakeRect(b.Left, b.Top, b.Left + b.Width() / 2, b.Bottom));

    shown = {};
    EXPECT_FALSE(Ask(site, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2, id, position))
        << "the middle of a leaf is no drop position";
    EXPECT_FALSE(Ask(site, b.Left + 3, (b.Top + b.Bottom) / 2, id, position, leaf->ZoneID()))
        << "a zone is no target for itself";
    EXPECT_EQ(shown.Count, 0);
}

TEST_F(SiteTest, RemoveZoneByIdentifierHandsTheZoneOverWithoutFreeingIt) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* staying = NewPanel("Staying");
    TOrloDockablePanel* moving = NewPanel("Moving");
    HandDock(site, staying);
    TOrloDockControlZone* leaf = HandDock(site, moving);

    site->RemoveZone(S("{NOT-THERE}"));
    site->RemoveZone(site->RootZone()->ZoneID());
    EXPECT_EQ(site->RootZone()->ChildCount(), 2) << "unknown identifiers and the root change nothing";

    site->RemoveZone(leaf->ZoneID());
    Owned<TOrloDockControlZone> removed(leaf);
    EXPECT_EQ(site->RootZone()->ChildCount(), 1);
    EXPECT_EQ(leaf->ParentZone(), nullptr);
    EXPECT_EQ(leaf->DockSite(), nullptr);
    EXPECT_EQ(leaf->GetControl(), moving) << "the zone moves on with its panel";
    EXPECT_FALSE(moving->GetDockSite());
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteTest, RemoveZoneLeavesNoRedundantContainer) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockablePanel* c = NewPanel("C");
    HandDock(site, a);
    TOrloDockContainerZone* group = HandDockGroup(site, voVert, {b, c});
    auto* leafC = static_cast<TOrloDockControlZone*>(group->Child(1));

    site->RemoveZone(leafC->ZoneID());
    Owned<TOrloDockControlZone> removed(leafC);
    // The group is left with one child: the child takes its place.
    ASSERT_EQ(site->RootZone()->ChildCount(), 2);
    EXPECT_EQ(LeavesHolding(site->RootZone()->Child(1), b), 1);
    EXPECT_TRUE(dynamic_cast<TOrloDockControlZone*>(site->RootZone()->Child(1)));
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

TEST_F(SiteTest, RootLosingAChildTellsTheSite) {
    class WatchingSite : public TOrloDockSite {
    public:
        using TOrloDockSite::TOrloDockSite;
        std::vector<TOrloDockRootZone*> Changes;
        void ZonesChanged(TOrloDockRootZone* sender) override { Changes.push_back(sender); }
    };
    auto* site = new WatchingSite(host.get());
    site->SetParent(host.get());
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockablePanel* c = NewPanel("C");
    HandDock(site, a);
    TOrloDockContainerZone* group = HandDockGroup(site, voVert, {b, c});
    TOrloDockZone* leafC = group->Child(1);
    site->RemoveZone(leafC->ZoneID());
    Owned<TOrloDockZone> removed(leafC);
    EXPECT_TRUE(site->Changes.empty()) << "a deeper removal is not the root's";
    TOrloDockZone* leafA = site->RootZone()->Child(0);
    site->RemoveZone(leafA->ZoneID());
    Owned<TOrloDockZone> removedA(leafA);
    ASSERT_EQ(site->Changes.size(), 1u);
    EXPECT_EQ(site->Changes[0], site->RootZone());
}

TEST_F(SiteTest, ZoneDragFromATabArmsTheTearOff) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* panel = NewPanel("Panel");
    TOrloDockControlZone* leaf = HandDock(site, panel);
    site->BeginZoneDrag(leaf, {0, 0});
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle) << "no tear-off without a manager";
    EXPECT_FALSE(site->MouseCapture());
    site->SetDockManager((new TOrloDockingManager(host.get()))->Intf());
    site->BeginZoneDrag(leaf, {0, 0});
    EXPECT_EQ(site->ActiveZone(), leaf);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::TitleBarPressed);
    EXPECT_EQ(site->MouseState(), 2);
    EXPECT_EQ(site->DragPos(), (tk::Point{leaf->Bounds().Left + 15, leaf->Bounds().Top}));
    EXPECT_TRUE(site->MouseCapture());
    site->DispatchMouseUp(tk::mbLeft, 0, {0, 0});
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle) << "a release disarms it";
    EXPECT_FALSE(site->MouseCapture());

    site->BeginZoneDrag(site->RootZone(), {0, 0});
    EXPECT_EQ(site->ActiveZone(), site->RootZone());
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Idle) << "only a leaf is torn off this way";
}

// ---- panels that are freed while docked ----

// Free() and delete are one path: either way the panel's leaf leaves the
// tree (a group of two becomes a single leaf, a tab group drops the tab), and
// the trees left behind are the same.
TEST_F(SiteTest, FreedOrDeletedPanelLeavesNoZoneAndTheSameTree) {
    const auto shape = [](TOrloDockSite* site) {
        // Identifiers are new in every run.
        return std::regex_replace(TreeText(site), std::regex("ZoneID = '[^']*'"), "");
    };
    for (const char* victim : {"Beside", "Tab"}) {
        std::string trees[2];
        for (bool byDelete : {false, true}) {
            SCOPED_TRACE(std::string(victim) + (byDelete ? " deleted" : " freed"));
            TOrloDockSite* site = NewSite(tk::alLeft);
            TOrloDockablePanel* staying = NewPanel("Staying");
            TOrloDockablePanel* beside = NewPanel("Beside");
            TOrloDockablePanel* tab = NewPanel("Tab");
            site->InsertDockablePanel(staying->PanelIntf(), nullptr, tk::alTop);
            site->InsertDockablePanel(beside->PanelIntf(), staying->PanelIntf(), tk::alBottom);
            site->InsertDockablePanel(tab->PanelIntf(), staying->PanelIntf(), tk::alClient);
            ASSERT_EQ(LeafCount(site->RootZone()), 3);

            TOrloDockablePanel* gone = std::string(victim) == "Tab" ? tab : beside;
            if (byDelete)
                delete gone;
            else
                gone->Free();
            EXPECT_EQ(LeafCount(site->RootZone()), 2);
            EXPECT_EQ(LeavesHolding(site->RootZone(), nullptr), 0) << "no empty leaf is left";
            EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
            EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
            trees[byDelete] = shape(site);
            site->Free();
        }
        EXPECT_EQ(trees[0], trees[1]);
    }
}

TEST_F(SiteTest, PanelOwnedByAnotherSiteAndFreedLeavesNoZoneWhereItIsDocked) {
    // The demonstration's test panel 4: owned by the left site, docked in the right one.
    TOrloDockSite* left = NewSite(tk::alLeft, "LeftDock");
    TOrloDockSite* right = NewSite(tk::alRight, "RightDock");
    TOrloDockablePanel* owned = NewPanel("Panel4", left);
    HandDock(right, NewPanel("Panel2"));
    HandDock(right, owned);
    ASSERT_EQ(LeafCount(right->RootZone()), 2);

    owned->Free();
    EXPECT_EQ(LeafCount(right->RootZone()), 1);
    EXPECT_TRUE(ZoneTreeIsSound(right->RootZone()));
}

TEST_F(SiteTest, PanelOfAnotherFormFreedWithItsFormLeavesNoZone) {
    auto otherForm = MakeOwned<tk::Form>(nullptr);
    TOrloDockSite* site = NewSite(tk::alBottom);
    TOrloDockablePanel* foreign = NewPanel("Foreign", otherForm.get());
    HandDock(site, foreign);
    otherForm.reset();
    EXPECT_EQ(site->RootZone()->ChildCount(), 0);
    EXPECT_TRUE(site->Collapsed()) << "nothing left to show";
}

TEST_F(SiteTest, FreeingSitesPanelsAndOwnersInAnyOrderIsClean) {
    // Five things to free; every order, each a fresh arrangement.
    enum Item { FormA, FormB, Manager, PanelInLeft, PanelOfLeftInRight };
    std::vector<int> order{FormA, FormB, Manager, PanelInLeft, PanelOfLeftInRight};
    int runs = 0;
    do {
        auto formA = MakeOwned<tk::Form>(nullptr);
        auto formB = MakeOwned<tk::Form>(nullptr);
        auto* manager = new TOrloDockingManager(formB.get());
        auto* left = new TOrloDockSite(formA.get());
        left->SetParent(formA.get());
        left->SetDockManager(manager->Intf());
        auto* right = new TOrloDockSite(formB.get());
        right->SetParent(formB.get());
        right->SetAlign(tk::alRight);
        right->SetDockManager(manager->Intf());
        auto* inLeft = new TOrloDockablePanel(formB.get());
        auto* ofLeftInRight = new TOrloDockablePanel(left);
        HandDock(left, inLeft);
        HandDock(right, ofLeftInRight);
        HandDock(right, new TOrloDockablePanel(formA.get()));

        // Which of the panels are gone already.
        const std::weak_ptr<int> inLeftAlive = inLeft->LifeToken();
        const std::weak_ptr<int> ofLeftAlive = ofLeftInRight->LifeToken();
        bool managerGone = false;
        for (int item : order) {
            switch (item) {
            case FormA:
                formA.reset();
                break;
            case FormB:
                managerGone = true;
                formB.reset();
                break;
            case Manager:
                if (!managerGone)
                    manager->Free();
                managerGone = true;
                break;
            case PanelInLeft:
                if (!inLeftAlive.expired())
                    inLeft->Free();
                break;
            default:
                if (!ofLeftAlive.expired())
                    ofLeftInRight->Free();
                break;
            }
            if (formA) {
                EXPECT_TRUE(ZoneTreeIsSound(left->RootZone()));
            }
            if (formB) {
                EXPECT_TRUE(ZoneTreeIsSound(right->RootZone()));
                EXPECT_EQ(right->DockManager(), managerGone ? nullptr : manager->Intf());
                EXPECT_EQ(LeafCount(right->RootZone()), (ofLeftAlive.expired() ? 0 : 1) + (formA ? 1 : 0));
            }
        }
        ++runs;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(runs, 120);
}

// ---- through the root zone's insertion ----

using SiteInsertion = SiteTest;

TEST_F(SiteInsertion, DockingThePanelAgainMovesIt) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    a->DockInto(site->SiteIntf(), b, tk::alRight);
    EXPECT_EQ(LeavesHolding(site->RootZone(), a), 1);
    EXPECT_EQ(LeafCount(site->RootZone()), 2);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_EQ(a->GetDockSite().get(), site->SiteIntf());
}

// Re-docking within the site lays the old place out before the insertion
// halves it. The left site is 125 x 500, its root 121 x 500 (less the 4-pixel
// edge strip). B below A: 50 % each, A 250 rows (500 x 50 %), B the other 249.
// B below A again: B leaves, A is laid out alone (100 %), and the halving
// gives 50/50 once more. Laid out only after the insertion, A kept 50 %,
// lost half of it to B (25 % = 125 rows) and B took the other 375 (75 %).
// A tab group moved within the site leaves the same way.
TEST_F(SiteInsertion, RedockingWithinTheSiteHalvesTheTargetsWholePlace) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), a, tk::alBottom);
    b->DockInto(site->SiteIntf(), a, tk::alBottom);
    TOrloDockControlZone* zoneA = site->RootZone()->FindControlZone(a);
    TOrloDockControlZone* zoneB = site->RootZone()->FindControlZone(b);
    EXPECT_EQ(zoneA->ParentSizePercentage(), 50);
    EXPECT_EQ(zoneB->ParentSizePercentage(), 50);
    EXPECT_EQ(zoneA->Bounds(), MakeRect(0, 0, 121, 250));
    EXPECT_EQ(zoneB->Bounds(), MakeRect(0, 251, 121, 500));

    TOrloDockablePanel* c = NewPanel("C");
    c->DockInto(site->SiteIntf(), b, tk::alClient);
    auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(site->RootZone()->FindControlZone(c)->ParentZone());
    ASSERT_NE(group, nullptr);
    site->InsertTabbedZone(group, site->RootZone()->FindControlZone(a)->ZoneID(), tk::alBottom);
    EXPECT_EQ(site->RootZone()->FindControlZone(a)->ParentSizePercentage(), 50);
    EXPECT_EQ(group->ParentSizePercentage(), 50);
    EXPECT_EQ(group->Bounds(), MakeRect(0, 251, 121, 500));
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteInsertion, DockingRelativeToItselfDocksRelativeToTheRoot) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), b, tk::alTop);
    EXPECT_EQ(LeavesHolding(site->RootZone(), b), 1);
    EXPECT_EQ(LeafCount(site->RootZone()), 2);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteInsertion, VisiblePanelDockedBesideHiddenOnesOpensTheSite) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* hidden = NewPanel("Hidden");
    hidden->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    hidden->SetVisible(false);
    ASSERT_TRUE(site->Collapsed());
    TOrloDockablePanel* shown = NewPanel("Shown");
    shown->DockInto(site->SiteIntf(), hidden, tk::alBottom);
    EXPECT_FALSE(site->Collapsed());
    EXPECT_GT(site->Width(), 0);
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteInsertion, AtZoneExpandsAndDocksBesideTheZone) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    site->Collapse();
    TOrloDockControlZone* zoneA = site->RootZone()->FindControlZone(a);
    ASSERT_NE(zoneA, nullptr);
    site->InsertDockablePanelAtZone(b->PanelIntf(), zoneA->ZoneID(), tk::alTop);
    EXPECT_FALSE(site->Collapsed());
    ASSERT_EQ(site->RootZone()->ChildCount(), 2);
    EXPECT_EQ(LeavesHolding(site->RootZone()->Child(0), b), 1) << "above A";
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

TEST_F(SiteInsertion, RemovingAPanelLeavesNoSingleChildContainer) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockablePanel* c = NewPanel("C");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    c->DockInto(site->SiteIntf(), b, tk::alRight);
    site->RemoveDockablePanel(c->PanelIntf());
    EXPECT_EQ(LeavesHolding(site->RootZone(), c), 0);
    EXPECT_FALSE(c->GetDockSite());
    for (int i = 0; i < site->RootZone()->ChildCount(); ++i)
        EXPECT_TRUE(dynamic_cast<TOrloDockControlZone*>(site->RootZone()->Child(i)))
            << "child " << i << " should be a leaf again";
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));

    site->RemoveDockablePanel(a->PanelIntf());
    site->RemoveDockablePanel(b->PanelIntf());
    EXPECT_TRUE(site->Collapsed()) << "nothing left to show";
}

// A site narrower than its 4-pixel edge strip has no room for its zones:
// each gets an empty rectangle, never an inverted one, and a share between
// 0 and 100 %.
TEST_F(SiteInsertion, SiteNarrowerThanItsEdgeStripGivesEmptyZones) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    NewPanel("B")->DockInto(site->SiteIntf(), a, tk::alRight);
    NewPanel("C")->DockInto(site->SiteIntf(), a, tk::alBottom);
    NewPanel("D")->DockInto(site->SiteIntf(), a, tk::alClient);
    for (int width : {0, 1, 3, 6, 11}) {
        site->SetWidth(width);
        std::vector<TOrloDockZone*> zones{site->RootZone()};
        for (std::size_t i = 0; i < zones.size(); ++i) {
            TOrloDockZone* zone = zones[i];
            EXPECT_GE(zone->Width(), 0) << "site width " << width;
            EXPECT_GE(zone->Height(), 0) << "site width " << width;
            EXPECT_GE(zone->ParentSizePercentage(), 0) << "site width " << width;
            EXPECT_LE(zone->ParentSizePercentage(), 100) << "site width " << width;
            if (TOrloDockContainerZone* container = zone->AsContainer())
                for (int c = 0; c < container->ChildCount(); ++c)
                    zones.push_back(container->Child(c));
        }
        EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone())) << "site width " << width;
    }
}

// An insertion that cannot be carried out changes nothing: a panel cannot be
// docked into a site that stands inside it, and a position must be one of
// the alignments. The panel stays docked where it was, with its zone.
TEST_F(SiteInsertion, RefusedInsertionsChangeNothing) {
    TOrloDockSite* left = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(left->SiteIntf(), a, tk::alClient);
    auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(left->RootZone()->FindControlZone(a)->ParentZone());
    ASSERT_NE(group, nullptr);
    TOrloDockSite* inner = NewSite(tk::alLeft);
    inner->SetParent(a);
    TOrloDockablePanel* c = NewPanel("C");
    c->DockInto(inner->SiteIntf(), nullptr, tk::alBottom);
    const std::string before = TreeText(left) + TreeText(inner);

    const auto expectRefused = [&](const std::function<void()>& insert, const char* what) {
        EXPECT_THROW(insert(), tk::Exception) << what;
        EXPECT_EQ(TreeText(left) + TreeText(inner), before) << what;
        EXPECT_EQ(a->GetDockSite().get(), left->SiteIntf()) << what;
        EXPECT_EQ(a->Parent(), left) << what;
        EXPECT_EQ(left->UpdateCount(), 0) << what;
    };
    expectRefused([&] { a->DockInto(inner->SiteIntf(), nullptr, tk::alBottom); }, "into a site inside it");
    expectRefused([&] { a->DockInto(inner->SiteIntf(), c, tk::alClient); }, "beside a panel of a site inside it");
    expectRefused([&] { inner->InsertTabbedZone(group, tk::String(), tk::alBottom); }, "its group");
    for (int position : {-1, 7, std::numeric_limits<int>::max()}) {
        const auto align = static_cast<tk::Align>(position);
        expectRefused([&] { b->DockInto(left->SiteIntf(), a, align); }, "position out of range");
        expectRefused([&] { left->InsertDockablePanelAtZone(b->PanelIntf(), group->ZoneID(), align); },
                      "position out of range, at a zone");
        expectRefused([&] { left->InsertTabbedZone(group, tk::String(), align); }, "group, position out of range");
    }
    try {
        a->DockInto(inner->SiteIntf(), nullptr, tk::alBottom);
    } catch (const tk::Exception& e) {
        EXPECT_EQ(e.Message(), S("A control cannot be its own parent"));
    }
    // The panel is still in its zone: hiding it hides the zone.
    a->SetVisible(false);
    EXPECT_EQ(group->Tabs()->TabCount(), 2);
    EXPECT_FALSE(group->Child(0)->IsVisible());
    EXPECT_TRUE(ZoneForestIsSound({left->RootZone(), inner->RootZone()}));
}

// Docking halves a zone's room, but never below the minimum zone size (28)
// while the container has room for all at that size. Six panels docked below
// one another in the 500-row root, each halving the last: 50, 25, 13, 6, 3
// and 2 %, P5 15 rows (500 x 3 %) and P6 the 10 left; the largest zones give
// them 28 each.
TEST_F(SiteInsertion, DockingKeepsZonesAtTheirMinimumSizeWhileThereIsRoom) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    std::vector<TOrloDockablePanel*> panels;
    for (const char* name : {"P1", "P2", "P3", "P4", "P5", "P6"}) {
        panels.push_back(NewPanel(name));
        panels.back()->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    }
    ASSERT_EQ(site->RootZone()->ChildCount(), 6);
    EXPECT_TRUE(ZonesKeepTheirMinimumSize(site->RootZone()));
    EXPECT_GT(site->RootZone()->FindControlZone(panels[0])->Height(), 200) << "the largest gave";
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

// Shares are whole percentages: a size handed out in pixels comes back from
// its share a pixel or two short, and shares that suited one size leave a
// zone less than its minimum in a smaller one. Shrunk from random sequences:
// after a panel is shown or hidden, and after a site is resized, no zone is
// below its minimum while its container has room for all.
TEST_F(SiteInsertion, ShowingHidingAndResizingKeepZonesAtTheirMinimumSize) {
    struct Case {
        const char* What;
        tk::Align Align;
        std::function<void(TOrloDockSite*)> Steps;
    };
    // Docks the panel of that name, made when there is none, relative to the named one or to nothing.
    const auto dock = [this](TOrloDockSite* site, const char* name, const char* relative, tk::Align position) {
        auto* panel = dynamic_cast<TOrloDockablePanel*>(host->FindComponent(S(name)));
        panel = panel ? panel : NewPanel(name);
        panel->DockInto(site->SiteIntf(), dynamic_cast<TOrloDockablePanel*>(host->FindComponent(S(relative))),
                        position);
        return panel;
    };
    const Case cases[] = {
        {"a panel shown beside the one that took its place", tk::alRight,
         [&](TOrloDockSite* site) {
             TOrloDockablePanel* a = dock(site, "A", "", tk::alLeft);
             a->SetVisible(false);
             dock(site, "B", "A", tk::alNone);
             a->SetVisible(true);
         }},
        {"a hidden panel's room reaches a squeezed tab group", tk::alTop,
         [&](TOrloDockSite* site) {
             dock(site, "A", "", tk::alLeft);
             dock(site, "B", "A", tk::alTop);
             site->InsertDockablePanelAtZone(NewPanel("C")->PanelIntf(), tk::String(), tk::alClient);
             dock(site, "D", "", tk::alTop);
             dock(site, "E", "C", tk::alCustom)->SetVisible(false);
         }},
        {"the window shrinks", tk::alLeft,
         [&](TOrloDockSite* site) {
             TOrloDockablePanel* a = dock(site, "A", "", tk::alBottom);
             a->SetVisible(false);
             site->InsertDockablePanelAtZone(NewPanel("B")->PanelIntf(), tk::String(), tk::alCustom);
             a->SetVisible(true);
             host->SetBounds(50, 50, 995, 230);
         }},
        {"a site beside it grows", tk::alRight,
         [&](TOrloDockSite* site) {
             TOrloDockSite* top = NewSite(tk::alTop);
             dock(site, "A", "", tk::alRight);
             site->InsertDockablePanelAtZone(NewPanel("B")->PanelIntf(), tk::String(), tk::alBottom);
             dock(site, "C", "B", tk::alTop);
             dock(site, "D", "C", tk::alTop);
             top->SetHeight(429);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        host = MakeOwned<tk::Form>(nullptr);
        host->SetBounds(50, 50, 900, 640);
        TOrloDockSite* site = NewSite(c.Align);
        c.Steps(site);
        EXPECT_TRUE(ZonesKeepTheirMinimumSize(site->RootZone()));
        EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
    }
}

TEST_F(SiteInsertion, PanelMovesBetweenSites) {
    TOrloDockSite* left = NewSite(tk::alLeft);
    TOrloDockSite* right = NewSite(tk::alRight);
    TOrloDockablePanel* a = NewPanel("A");
    a->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    a->DockInto(right->SiteIntf(), nullptr, tk::alBottom);
    EXPECT_EQ(LeafCount(left->RootZone()), 0);
    EXPECT_EQ(LeavesHolding(right->RootZone(), a), 1);
    EXPECT_EQ(a->Parent(), right);
    EXPECT_TRUE(ZoneForestIsSound({left->RootZone(), right->RootZone()}));
}

} // namespace

// Title bars and tabs name the zone's orientation and share after the caption
// until the manager turns that off; the tabs follow at once.
TEST_F(SiteTest, ManagerChoosesWhetherCaptionsCarryZoneDetails) {
    auto* manager = new TOrloDockingManager(host.get());
    TOrloDockSite* site = NewSite(tk::alLeft, "Left");
    site->SetDockManager(manager->Intf());
    TOrloDockablePanel* files = NewPanel("Files");
    TOrloDockablePanel* outline = NewPanel("Outline");
    files->DockInto(site->SiteIntf(), nullptr, tk::alTop);
    outline->DockInto(site->SiteIntf(), files, tk::alClient);
    auto* group = site->RootZone()->Child(0)->AsTabGroup();
    ASSERT_NE(group, nullptr);
    tk::String caption;
    group->Child(0)->GetCaption(caption);
    EXPECT_TRUE(caption.startsWith(S("Files voTabbed ")) && caption.endsWith(QLatin1Char('%')))
        << caption.toStdString();

    manager->SetZoneDetailsInCaptions(false);
    group->Child(0)->GetCaption(caption);
    EXPECT_EQ(caption, S("Files"));
    EXPECT_EQ(group->Tabs()->GetTab(1)->Caption(), S("Outline"));
}
