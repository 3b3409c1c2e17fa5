#pragma once

// Sites and zones for the drop-guide tests: a site whose alignment and
// screen rectangle a test sets, owning a root zone with fixed screen bounds.

#include "support/fake_dock_site.h"
#include <orlodock/docking/OrloDockZone.h>

// Owned by a site and freed with it (or with Free()), as zones are.
class ScreenZone : public TOrloDockZone {
public:
    ScreenZone(tk::Component* owner, const tk::Rect& screen) : TOrloDockZone(owner), Screen(screen) {}
    tk::Rect Screen;
    void GetScreenBounds(tk::Rect& rect) override { rect = Screen; }
    bool IsVisible() const override { return true; }
    bool IsContainer() const override { return false; }
    bool GetDockRect(IOrloDockZone*, IOrloDockZone*, tk::Rect&, tk::Align) override { return false; }
};

class GuideSite : public FakeDockSite {
public:
    GuideSite(tk::Align align, const tk::Rect& screen) : Align(align), Root(new ScreenZone(this, screen)) {
        SetControlBounds(screen);
    }
    tk::Align Align;
    ScreenZone* Root;
    tk::Align GetAlign() override { return Align; }
    void GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) override { zone = tk::IPtr<IOrloDockZone>(Root); }
};
