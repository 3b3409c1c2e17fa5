#include "fake_dock_site.h"

#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/control.h>

FakeSiteControl::FakeSiteControl(FakeDockSite* site) : tk::Control(site), site_(site) {}

bool FakeSiteControl::QueryInterface(const tk::Guid& iid, void** out) {
    // A site control is the site: the site's interfaces are answered here too.
    if (iid == IOrloDockSite::IID || iid == IOrloDockSiteInternal::IID)
        return site_->QueryInterface(iid, out);
    return tk::Control::QueryInterface(iid, out);
}

void FakeSiteControl::Invalidated(const tk::Rect& rect) {
    ++InvalidateCount;
    tk::Control::Invalidated(rect);
}

FakeDockSite::FakeDockSite() : tk::Component(nullptr), control_(new FakeSiteControl(this)) {
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
    InsertCalls.clear();
    RemovedPanels.clear();
    RemovedZoneIDs.clear();
    LeavingZones.clear();
    control_->InvalidateCount = 0;
}

void FakeDockSite::GetScreenRect(tk::Rect& rect) { rect = control_->ScreenRect(); }

void FakeDockSite::SetVisible(bool visible) {
    visible_ = visible;
    SetVisibleCalls.push_back(visible);
}

void FakeDockSite::RemoveDockablePanel(IOrloDockablePanel* panel) {
    RemovedPanels.push_back(panel);
    if (carryOutRemovals_ && root_)
        root_->RemovePanel(panel);
}

void FakeDockSite::RemoveZone(const tk::String& zoneID) {
    RemovedZoneIDs.push_back(zoneID);
    if (!carryOutRemovals_ || !root_)
        return;
    TOrloDockZone* zone = root_->FindZoneByID(zoneID);
    if (!zone || !zone->ParentZone())
        return;
    zone->ParentZone()->RemoveZone(zone);
    zone->SetParentZoneField(nullptr);
    zone->SetDockSite(nullptr);
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
