#pragma once

// A root zone of 296 x 400 (a left site 300 wide minus its edge strip) shown
// by a site double with the standard theme's measures, and dockable panels
// owned by one owner component, as a form owns them. Panels are docked the
// way the site docks them: the root inserts, then the tree is normalised and
// laid out.

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>

#include "support/zone_tree_fixture.h"
#include <orlodock/docking/OrloDockTabs.h>

class DockTreeTest : public ZoneTreeTest {
protected:
    void SetUp() override {
        ZoneTreeTest::SetUp();
        root->SetBounds(tk::MakeRect(0, 0, 296, 400));
    }

    TOrloDockablePanel* NewPanel(const std::string& name) {
        auto* panel = new TOrloDockablePanel(panels.get());
        panel->SetName(tk::String::fromStdString(name));
        panel->SetTitleBarCaption(tk::String::fromStdString(name));
        return panel;
    }

    // Inserts alone, without the site's tidying.
    void Insert(TOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position) {
        root->InsertPanel(panel->PanelIntf(), target, position);
    }
    void Insert(TOrloDockablePanel* panel, std::nullptr_t, tk::Align position) {
        Insert(panel, static_cast<TOrloDockZone*>(nullptr), position);
    }
    void Insert(TOrloDockablePanel* panel, TOrloDockablePanel* relative, tk::Align position) {
        Insert(panel, relative ? root->FindControlZone(relative) : nullptr, position);
    }

    // As the site docks: insert, normalise, lay out.
    void Dock(TOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position) {
        Insert(panel, target, position);
        Tidy();
    }
    void Dock(TOrloDockablePanel* panel, std::nullptr_t, tk::Align position) {
        Dock(panel, static_cast<TOrloDockZone*>(nullptr), position);
    }
    void Dock(TOrloDockablePanel* panel, TOrloDockablePanel* relative, tk::Align position) {
        Dock(panel, relative ? root->FindControlZone(relative) : nullptr, position);
    }
    TOrloDockablePanel* DockNew(const std::string& name, TOrloDockablePanel* relative, tk::Align position) {
        TOrloDockablePanel* panel = NewPanel(name);
        Dock(panel, relative, position);
        return panel;
    }

    TOrloDockablePanel* DockNew(const std::string& name, TOrloDockZone* target, tk::Align position) {
        TOrloDockablePanel* panel = NewPanel(name);
        Dock(panel, target, position);
        return panel;
    }
    TOrloDockablePanel* DockNew(const std::string& name, std::nullptr_t, tk::Align position) {
        return DockNew(name, static_cast<TOrloDockZone*>(nullptr), position);
    }

    void Tidy() {
        root->Normalize();
        root->UpdateBounds();
    }

    TOrloDockControlZone* LeafOf(TOrloDockablePanel* panel) { return root->FindControlZone(panel); }
    TOrloDockTabbedContainerZone* GroupOf(TOrloDockablePanel* panel) {
        TOrloDockControlZone* leaf = LeafOf(panel);
        return leaf ? dynamic_cast<TOrloDockTabbedContainerZone*>(leaf->ParentZone()) : nullptr;
    }

    // The tree as text: a container is its child orientation (V side by side,
    // H stacked, T tabs, N none) with its children in brackets, a leaf its
    // panel's name; `:n` is the share of every child that is not a tab.
    static std::string Shape(TOrloDockZone* zone) {
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone))
            return leaf->Panel() ? leaf->Panel()->Name().toStdString() : std::string("-");
        auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
        if (!container)
            return "?";
        static const char* const kinds[] = {"N", "V", "H", "T"};
        std::string out = kinds[container->ChildOrientation()];
        out += "[";
        for (int i = 0; i < container->ChildCount(); ++i) {
            TOrloDockZone* child = container->Child(i);
            if (i > 0)
                out += ",";
            out += Shape(child);
            if (container->ChildOrientation() != voTabbed)
                out += ":" + std::to_string(child->ParentSizePercentage());
        }
        return out + "]";
    }
    std::string Shape() { return Shape(root.get()); }
};
