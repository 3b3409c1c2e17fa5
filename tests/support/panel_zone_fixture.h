#pragma once

// Dockable panels on a hand-built tree: leaves are attached the way the
// insertion attaches them (the leaf takes the panel, then joins its parent,
// which gives it the site and makes the site's control the panel's parent).

#include "support/zone_tree_fixture.h"

class PanelZoneTest : public ZoneTreeTest {
protected:
    TOrloDockablePanel* NewPanel(const char* name, const char* caption = "") {
        auto* panel = new TOrloDockablePanel(panels.get());
        panel->SetName(tk::String::fromLatin1(name));
        panel->SetTitleBarCaption(tk::String::fromLatin1(caption));
        return panel;
    }
};
