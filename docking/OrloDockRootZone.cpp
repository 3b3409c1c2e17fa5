#include "OrloDockRootZone.h"

#include "control.h"

TOrloDockRootZone::TOrloDockRootZone(tk::Component* owner) : TOrloDockContainerZone(owner) {
    SetOrientation(voVert);
    SetChildOrientation(voHorz);
}

void TOrloDockRootZone::RemoveZone(TOrloDockZone* zone) {
    if (!TakeChild(zone))
        return;
    UpdateBounds();
    if (OnZonesChanged)
        OnZonesChanged(this);
}

void TOrloDockRootZone::GetScreenBounds(tk::Rect& rect) {
    if (ChildCount() > 0) {
        TOrloDockContainerZone::GetScreenBounds(rect);
        return;
    }
    tk::Control* control = DockSite() ? DockSite()->GetControl() : nullptr;
    if (!control) {
        rect = Bounds();
        return;
    }
    rect = control->BoundsRect();
    if (tk::Control* parent = control->Parent()) {
        const tk::Point topLeft = parent->ClientToScreen(rect.TopLeft());
        const tk::Point bottomRight = parent->ClientToScreen(rect.BottomRight());
        rect = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    }
}

tk::String TOrloDockRootZone::ClassName() const { return tk::String::fromLatin1("TOrloDockRootZone"); }

void TOrloDockRootZone::InsertPanel(IOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position) {
    (void)panel;
    (void)target;
    (void)position;
}

void TOrloDockRootZone::RemovePanel(IOrloDockablePanel* panel) { (void)panel; }

void TOrloDockRootZone::InsertTabbedZone(TOrloDockTabbedContainerZone* zone, TOrloDockZone* target,
                                         tk::Align position) {
    (void)zone;
    (void)target;
    (void)position;
}
