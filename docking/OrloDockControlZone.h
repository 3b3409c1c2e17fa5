#pragma once

// A leaf of the zone tree: holds one dockable panel (not owned) and gives it
// the zone's rectangle minus title bar and splitter strip.

#include "OrloDockZone.h"

class TOrloDockControlZone : public TOrloDockZone, public virtual IOrloDockControlZone {
public:
    explicit TOrloDockControlZone(tk::Component* owner = nullptr);

    // The attached panel's component name, or "" without panel (even when a
    // name was read from a stream and not resolved yet).
    tk::String ControlName() const;
    // Stores the name alone, without looking anything up (only the stream writes it).
    void SetControlName(const tk::String& name) { controlName_ = name; }

    // ---- overrides of the zone operations ----
    bool IsVisible() const override;
    bool AcceptsTabDock() const override { return Orientation() != voTabbed; }
    bool IsContainer() const override { return false; }
    // Forwarded to the parent, which decides; false without parent.
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override;

    // ---- IOrloDockControlZone ----
    tk::Control* GetControl() override { return control_; }

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    tk::String ClassName() const override;

private:
    tk::Control* control_ = nullptr;
    tk::String controlName_;
};
