#pragma once

// A leaf zone without a panel whose visibility a test sets directly; it
// behaves towards the zone base like a leaf that is not a tab.

#include <orlodock/docking/OrloDockZone.h>

class FakeLeafZone : public TOrloDockZone {
public:
    explicit FakeLeafZone(bool visible = true) : visible_(visible) {}

    void SetVisibleFlag(bool visible) { visible_ = visible; }
    // Changes the flag and tells the zone, as a panel's visibility change would.
    void Show() {
        visible_ = true;
        ZoneVisibilityChanged(true);
    }
    void Hide() {
        visible_ = false;
        ZoneVisibilityChanged(false);
    }

    bool IsVisible() const override { return visible_; }
    bool IsContainer() const override { return false; }
    bool AcceptsTabDock() const override { return Orientation() != voTabbed; }
    bool GetDockRect(IOrloDockZone*, IOrloDockZone*, tk::Rect&, tk::Align) override { return false; }

private:
    bool visible_;
};
