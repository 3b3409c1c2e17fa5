#include "fake_dock_site.h"

#include "OrloDockZones.h"
#include "control.h"

FakeDockSite::FakeDockSite() : tk::Component(nullptr), control_(new tk::Control(this)) {
    control_->SetBounds(0, 0, 300, 400);
}

void FakeDockSite::SetControlBounds(const tk::Rect& bounds) { control_->SetBoundsRect(bounds); }

void FakeDockSite::ClearRecords() {
    BeginUpdateCount = 0;
    EndUpdateCount = 0;
    SetVisibleCalls.clear();
    ExpandCount = 0;
    CollapseCount = 0;
    ZoneDrags.clear();
}

void FakeDockSite::GetScreenRect(tk::Rect& rect) { rect = control_->ScreenRect(); }

void FakeDockSite::SetVisible(bool visible) {
    visible_ = visible;
    SetVisibleCalls.push_back(visible);
}

void FakeDockSite::GetRootZoneID(tk::String& id) { id = root_ ? root_->ZoneID() : tk::String(); }

void FakeDockSite::GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) {
    zone = root_ ? tk::IPtr<IOrloDockZone>(root_->ZoneIntf()) : nullptr;
}

tk::Font* FakeDockSite::GetFont() { return control_->Font(); }

tk::Color FakeDockSite::GetColor() { return control_->Color(); }

bool FakeDockSite::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockSiteInternal>(this, iid, out) ||
           tk::AnswerInterface<IOrloDockSite>(this, iid, out) || tk::Component::QueryInterface(iid, out);
}
