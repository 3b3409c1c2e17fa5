#pragma once

// Dock sites on a host window, with panels that the host (or a site) owns.
// Panels are docked either through the site (the insertion of the root zone)
// or by hand: a leaf under the root that takes the panel, the way the
// insertion attaches one, so that tests of the site itself do not depend on
// the insertion rules.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "support/counting_site.h"
#include "support/owned.h"
#include "support/rect_print.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/forms.h>

inline tk::String S(const char* text) { return tk::String::fromLatin1(text); }

class SiteTest : public ::testing::Test {
protected:
    // Owns the sites and the panels of a test and is their parent window.
    Owned<tk::Form> host = MakeOwned<tk::Form>(nullptr);

    void SetUp() override { host->SetBounds(100, 100, 800, 500); }

    TOrloDockSite* NewSite(tk::Align align, const char* name = "", tk::Component* owner = nullptr) {
        auto* site = new TOrloDockSite(owner ? owner : host.get());
        site->SetName(S(name));
        site->SetParent(host.get());
        site->SetAlign(align);
        return site;
    }

    TOrloDockablePanel* NewPanel(const char* name, tk::Component* owner = nullptr) {
        auto* panel = new TOrloDockablePanel(owner ? owner : host.get());
        panel->SetName(S(name));
        panel->SetTitleBarCaption(S(name));
        return panel;
    }

    // A leaf under the root that holds the panel; the root's children share
    // its extent equally and the tree is laid out.
    static TOrloDockControlZone* HandDock(TOrloDockSite* site, TOrloDockablePanel* panel) {
        TOrloDockUpdateGuard update(site->InternalIntf());
        auto* leaf = new TOrloDockControlZone();
        leaf->SetControl(panel);
        leaf->SetParentZone(site->RootZone());
        panel->SetDockSite(site->SiteIntf());
        ShareEqually(site->RootZone());
        site->RootZone()->UpdateBounds();
        return leaf;
    }

    // A container under the root arranging its own leaves, one per panel.
    static TOrloDockContainerZone* HandDockGroup(TOrloDockSite* site, TOrloDockOrientation childOrientation,
                                                 std::initializer_list<TOrloDockablePanel*> panels) {
        TOrloDockUpdateGuard update(site->InternalIntf());
        auto* group = new TOrloDockContainerZone();
        group->SetChildOrientation(childOrientation);
        group->SetParentZone(site->RootZone());
        for (TOrloDockablePanel* panel : panels) {
            auto* leaf = new TOrloDockControlZone();
            leaf->SetControl(panel);
            leaf->SetParentZone(group);
            panel->SetDockSite(site->SiteIntf());
        }
        ShareEqually(group);
        ShareEqually(site->RootZone());
        site->RootZone()->UpdateBounds();
        return group;
    }

    static void ShareEqually(TOrloDockContainerZone* container) {
        for (int i = 0; i < container->ChildCount(); ++i)
            container->Child(i)->SetParentSizePercentage(100 / container->ChildCount());
    }

    static int LeafCount(TOrloDockZone* zone) {
        if (dynamic_cast<TOrloDockControlZone*>(zone))
            return 1;
        int n = 0;
        if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
            for (int i = 0; i < container->ChildCount(); ++i)
                n += LeafCount(container->Child(i));
        return n;
    }

    static int LeavesHolding(TOrloDockZone* zone, tk::Control* panel) {
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone))
            return leaf->GetControl() == panel ? 1 : 0;
        int n = 0;
        if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
            for (int i = 0; i < container->ChildCount(); ++i)
                n += LeavesHolding(container->Child(i), panel);
        return n;
    }

    // The tree as written to a stream: classes, identifiers, orientations, shares, panel names, tab index.
    static std::string TreeText(TOrloDockSite* site) {
        return tk::StreamToText(tk::WriteComponent(site->RootZone())).toStdString();
    }

    static tk::Point ScreenPoint(tk::Control* control, int x, int y) { return control->ClientToScreen({x, y}); }
};
