#pragma once

// A root zone shown by a site double with the standard theme's measures, and
// an owner component for dockable panels (as a form owns them). Trees are
// built by hand with the Add* helpers, so each test has exactly the tree it
// needs; the folders' fixtures derive from this one.

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

#include "support/fake_dock_site.h"
#include "support/fake_dock_theme.h"
#include "support/fake_leaf_zone.h"
#include "support/owned.h"
#include "support/rect_print.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockZones.h>

class ZoneTreeTest : public ::testing::Test {
protected:
    // Freed in reverse: the root first (it lets go of the panels), then the
    // panels, then the site and the theme.
    Owned<FakeDockTheme> theme = MakeOwned<FakeDockTheme>();
    Owned<FakeDockSite> site = MakeOwned<FakeDockSite>();
    Owned<tk::Component> panels = MakeOwned<tk::Component>(nullptr);
    Owned<TOrloDockRootZone> root = MakeOwned<TOrloDockRootZone>();

    void SetUp() override {
        site->SetTheme(theme->Intf());
        site->SetRootZone(root.get());
        root->SetDockSite(site->Intf());
    }

    // A root laid out over `bounds` with its children arranged `childOrientation`.
    void ShapeRoot(TOrloDockOrientation childOrientation, const tk::Rect& bounds) {
        root->SetChildOrientation(childOrientation);
        root->SetBounds(bounds);
    }

    // A leaf that takes the panel, then joins its parent, as the insertion attaches one.
    static TOrloDockControlZone* AddPanelLeaf(TOrloDockContainerZone* parent, TOrloDockablePanel* panel) {
        auto* leaf = new TOrloDockControlZone();
        leaf->SetControl(panel);
        leaf->SetParentZone(parent);
        return leaf;
    }

    static FakeLeafZone* AddLeaf(TOrloDockContainerZone* parent, bool visible = true) {
        auto* leaf = new FakeLeafZone(visible);
        leaf->SetParentZone(parent);
        return leaf;
    }

    static TOrloDockContainerZone* AddContainer(TOrloDockContainerZone* parent, TOrloDockOrientation childOrientation) {
        auto* container = new TOrloDockContainerZone();
        container->SetChildOrientation(childOrientation);
        container->SetParentZone(parent);
        return container;
    }

    // Gives the children of `parent` these shares and lays the whole tree out again.
    void Share(TOrloDockContainerZone* parent, std::initializer_list<int> percentages) {
        int i = 0;
        for (int p : percentages)
            parent->Child(i++)->SetParentSizePercentage(p);
        root->UpdateBounds();
    }

    void ExpectSoundAndBalanced() {
        EXPECT_TRUE(ZoneTreeIsSound(root.get()));
        EXPECT_EQ(site->UpdateDepth(), 0) << "BeginUpdate/EndUpdate unbalanced";
    }
    void ExpectSoundTightAndBalanced() {
        ExpectSoundAndBalanced();
        EXPECT_TRUE(ZoneLayoutIsTight(root.get()));
    }
};
