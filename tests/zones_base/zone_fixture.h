#pragma once

// A root zone shown by a site double with the standard theme's measures;
// leaves are added by hand, so each test builds exactly the tree it needs.

#include <gtest/gtest.h>

#include <ostream>

#include "OrloDockZones.h"
#include "support/fake_dock_site.h"
#include "support/fake_dock_theme.h"
#include "support/fake_leaf_zone.h"
#include "support/owned.h"
#include "support/zone_invariants.h"

class ZoneTest : public ::testing::Test {
protected:
    // Declared in this order so the root goes first, then the site, then the theme.
    Owned<FakeDockTheme> theme = MakeOwned<FakeDockTheme>();
    Owned<FakeDockSite> site = MakeOwned<FakeDockSite>();
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

    FakeLeafZone* AddLeaf(TOrloDockContainerZone* parent, bool visible = true) {
        auto* leaf = new FakeLeafZone(visible);
        leaf->SetParentZone(parent);
        return leaf;
    }

    TOrloDockContainerZone* AddContainer(TOrloDockContainerZone* parent, TOrloDockOrientation childOrientation) {
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
};

namespace tk {
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}
} // namespace tk
