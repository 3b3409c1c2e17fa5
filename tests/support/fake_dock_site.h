#pragma once

// A dock site for zone tests: counts update brackets, records the visibility,
// expand and collapse requests it receives, and lets a test choose whether it
// floats, its control's size and its theme. Its control is owned by the
// double; like a real site control it answers the site's interfaces and it
// counts how often it was invalidated. Docking requests are recorded, not
// carried out; removals are recorded and, when asked for, carried out on the
// root zone the way a site does.

#include <vector>

#include <orlodock/docking/OrloDockZoneIntf.h>
#include <orlodock/tk/component.h>

class FakeDockSite;

class FakeSiteControl : public tk::Control {
public:
    FakeSiteControl(FakeDockSite* site);

    int InvalidateCount = 0;

    bool QueryInterface(const tk::Guid& iid, void** out) override;

protected:
    void Invalidated(const tk::Rect& rect) override;

private:
    FakeDockSite* site_;
};

class FakeDockSite : public tk::Component, public virtual IOrloDockSiteInternal {
public:
    FakeDockSite();

    // One InsertDockablePanel(panel, relative panel, position) call.
    struct InsertCall {
        IOrloDockablePanel* Panel = nullptr;
        IOrloDockablePanel* RelativePanel = nullptr;
        tk::Align Position = tk::alNone;
    };

    // ---- test settings ----
    void SetFloating(bool floating) { floating_ = floating; }
    void SetTheme(IOrloDockTheme* theme) { theme_ = tk::IPtr<IOrloDockTheme>(theme); }
    void SetControlBounds(const tk::Rect& bounds);
    void SetRootZone(TOrloDockRootZone* root) { root_ = root; }
    void SetImages(tk::ImageList* images) { images_ = images; }
    // RemoveDockablePanel and RemoveZone act on the root zone: the panel's
    // leaf is freed, the zone is taken out of the tree and off this site.
    void SetCarryOutRemovals(bool carryOut) { carryOutRemovals_ = carryOut; }

    // ---- records ----
    int BeginUpdateCount = 0;
    int EndUpdateCount = 0;
    int UpdateDepth() const { return BeginUpdateCount - EndUpdateCount; }
    std::vector<bool> SetVisibleCalls;
    int ExpandCount = 0;
    int CollapseCount = 0;
    std::vector<TOrloDockZone*> ZoneDrags;
    std::vector<InsertCall> InsertCalls;
    std::vector<IOrloDockablePanel*> RemovedPanels;
    std::vector<tk::String> RemovedZoneIDs;
    // Zones that told this site they leave its tree.
    std::vector<TOrloDockZone*> LeavingZones;
    void ClearRecords();

    IOrloDockSiteInternal* Intf() { return static_cast<IOrloDockSiteInternal*>(this); }
    tk::Control* Control() const { return control_; }
    FakeSiteControl* SiteControl() const { return control_; }

    // ---- IOrloDockSite ----
    TOrloDockOrientation GetOrientation() override { return voVert; }
    tk::Align GetAlign() override { return tk::alLeft; }
    void GetScreenRect(tk::Rect& rect) override;
    bool GetVisible() override { return visible_; }
    void SetVisible(bool visible) override;
    tk::Control* GetControl() override { return control_; }
    void BeginUpdate() override { ++BeginUpdateCount; }
    void EndUpdate() override { ++EndUpdateCount; }
    bool GetDockTarget(tk::Point, const tk::String&, const TOrloDockPreviewProc&, tk::String&, tk::Align&) override {
        return false;
    }
    void InsertDockablePanel(IOrloDockablePanel*, tk::Align, const tk::String&) override {}
    void InsertDockablePanel(IOrloDockablePanel* panel, IOrloDockablePanel* relativePanel,
                             tk::Align position) override {
        InsertCalls.push_back({panel, relativePanel, position});
    }
    void InsertDockablePanelAtZone(IOrloDockablePanel*, const tk::String&, tk::Align) override {}
    void InsertTabbedZone(TOrloDockTabbedContainerZone*, const tk::String&, tk::Align) override {}
    void RemoveDockablePanel(IOrloDockablePanel* panel) override;
    void RemoveZone(const tk::String& zoneID) override;
    TOrloDockZone* ZoneFromIntf(std::intptr_t, std::intptr_t, IOrloDockZone* zone) override {
        return zone ? zone->GetZoneObject() : nullptr;
    }
    void GetZoneAt(tk::Point, tk::Rect&, tk::IPtr<IOrloDockZone>& zone) override { zone = nullptr; }
    tk::ImageList* GetImages() override { return images_; }
    void GetRootZoneID(tk::String& id) override;
    void GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) override;

    // ---- IOrloDockSiteInternal ----
    TOrloDockRootZone* GetRootZone() override { return root_; }
    TOrloDockSite* GetSite() override { return nullptr; }
    tk::Canvas* GetCanvas() override { return nullptr; }
    tk::Font* GetFont() override;
    void GetTheme(tk::IPtr<IOrloDockTheme>& theme) override { theme = theme_; }
    IOrloDockTheme* ThemeInUse() override { return theme_.get(); }
    tk::Color GetColor() override;
    void Collapse() override { ++CollapseCount; }
    void Expand() override { ++ExpandCount; }
    void BeginZoneDrag(TOrloDockZone* zone, tk::Point) override { ZoneDrags.push_back(zone); }
    bool IsFloating() override { return floating_; }
    void ZoneLeaving(TOrloDockZone* zone) override { LeavingZones.push_back(zone); }

    bool QueryInterface(const tk::Guid& iid, void** out) override;

private:
    FakeSiteControl* control_ = nullptr;
    tk::ImageList* images_ = nullptr;
    tk::IPtr<IOrloDockTheme> theme_;
    TOrloDockRootZone* root_ = nullptr;
    bool floating_ = false;
    bool carryOutRemovals_ = false;
    bool visible_ = true;
};
