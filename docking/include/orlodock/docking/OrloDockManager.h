#pragma once

// The component that ties the dock sites of an application together: it keeps
// the registered sites in order, hands them the shared theme, image list and
// default size, formats debug lines, and runs the drag of a floating window
// over the sites. Sites and panels reach it only through IOrloDockManager.
//
// The drag: BeginDrag shows an edge guide for every other site, DragOver
// keeps a guide cross over the zone under the pointer, lights the guide under
// it and shows where the dragged window would land, and EndDrag docks the
// dragged site's panels there (CancelDrag docks nothing). The guide and
// preview windows are the application's top-level windows; the manager makes
// them (not in a form designer) and frees them when it goes.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/docking/OrloDockingIntf.h>
#include <orlodock/tk/component.h>

class TOrloDockingOrloDotNetTheme;

// Receives each debug line, "hh:nn:ss:zzz : message".
using TOrloDockingManagerDebug = std::function<void(const tk::String& msg)>;

// "hh:nn:ss:zzz : message" for the given local time of day.
tk::String FormatDockDebugLine(int hour, int minute, int second, int millisecond, const tk::String& message);

class TOrloDockingManager : public tk::Component, public virtual IOrloDockManager {
public:
    explicit TOrloDockingManager(tk::Component* owner);
    ~TOrloDockingManager() override;

    // ---- published properties ----
    // Never none: clearing it, or freeing the component behind it, installs a fresh default theme.
    IOrloDockTheme* Theme() const { return theme_; }
    void SetTheme(IOrloDockTheme* theme);
    // Not owned; cleared when the image list is freed.
    tk::ImageList* Images() const { return images_; }
    void SetImages(tk::ImageList* images);
    TOrloDockingManagerDebug OnDebug;
    // Title bars and tabs of every site of this manager show the zone's
    // orientation and share after the caption (the default, useful while
    // arranging), or the caption alone, as applications usually want.
    bool ZoneDetailsInCaptions() const { return zoneDetailsInCaptions_; }
    void SetZoneDetailsInCaptions(bool on);

    // ---- fields ----
    int SiteCount() const { return static_cast<int>(sites_.size()); }
    // The registered sites in order; nullptr when the index is out of range.
    IOrloDockSite* Site(int index) const;
    bool Dragging() const { return dragging_; }
    std::int32_t DefaultSiteSize() const { return defaultSiteSize_; }
    tk::Align TargetAlign() const { return targetAlign_; }
    // The drag windows; none in a form designer, or once the application freed them.
    TOrloDockPreviewWindow* PreviewWindow() const { return previewWindow_.get(); }
    TOrloDockDropWindow* OuterGuideWindow() const { return outerGuideWindow_.get(); }
    TOrloDockDropWindow* CompassWindow() const { return compassWindow_.get(); }

    IOrloDockManager* Intf() { return static_cast<IOrloDockManager*>(this); }

    // ---- IOrloDockManager, in slot order ----
    void GetTheme(tk::IPtr<IOrloDockTheme>& theme) override { theme = tk::IPtr<IOrloDockTheme>(theme_.get()); }
    void GetTopSite(tk::IPtr<IOrloDockSite>& site) override { site = FirstSiteAligned(tk::alTop); }
    void GetBottomSite(tk::IPtr<IOrloDockSite>& site) override { site = FirstSiteAligned(tk::alBottom); }
    void GetLeftSite(tk::IPtr<IOrloDockSite>& site) override { site = FirstSiteAligned(tk::alLeft); }
    void GetRightSite(tk::IPtr<IOrloDockSite>& site) override { site = FirstSiteAligned(tk::alRight); }
    tk::ImageList* GetImages() override { return images_; }
    // Values below 20 give 20.
    void SetDefaultSiteSize(std::int32_t size) override;
    std::int32_t GetDefaultSiteSize() override { return defaultSiteSize_; }
    void GetTargetSite(tk::IPtr<IOrloDockSite>& site) override { site = tk::IPtr<IOrloDockSite>(targetSite_.get()); }
    void GetTargetZone(tk::IPtr<IOrloDockZone>& zone) override { zone = tk::IPtr<IOrloDockZone>(targetZone_.get()); }
    // Asks each registered site in order; the first that answers true with a
    // position other than alNone is the target site.
    bool GetDockTarget(std::intptr_t leading, const tk::String& draggedZoneID, tk::Point screenPoint,
                       tk::IPtr<IOrloDockSite>& site, tk::String& zoneID, const TOrloDockPreviewProc& preview,
                       tk::Align& position) override;
    // Removes the site from the list (if there) and puts it at the head.
    void MoveSiteToFront(IOrloDockSite* site) override;
    // Appends the site unless it is registered already.
    void RegisterSite(IOrloDockSite* site) override;
    void UnregisterSite(IOrloDockSite* site) override;
    // Shows the edge guides of every registered site but the dragged one and
    // those aligned alClient, over all monitors' work areas. While a drag
    // runs, only shows the edge guides again.
    void BeginDrag(IOrloDockSite* draggedSite, tk::Point screenPoint) override;
    // Moves the cross to the zone under the pointer, lights the guide there
    // and chooses it as the target; true while the pointer is on a guide,
    // and the caller then leaves the dragged window where it is. The preview
    // shows what the target zone answers; when it declines, the previous
    // preview stays. The window rectangle is not read.
    bool DragOver(IOrloDockSite* draggedSite, tk::Point screenPoint, const tk::Rect& draggedWindowRect) override;
    // Hides guides and preview; with a target, docks the control zones and
    // tab groups directly under the dragged site's root there, in their
    // order (other containers stay). The flag and the point are not read.
    void EndDrag(IOrloDockSite* draggedSite, bool flag, tk::Point screenPoint) override;
    // Passes "hh:nn:ss:zzz : message" to OnDebug; formats nothing without it.
    void Debug(const tk::String& message) override;
    void CancelDrag() override;
    bool GetZoneDetailsInCaptions() override { return zoneDetailsInCaptions_; }

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    tk::String ClassName() const override;

private:
    struct ComponentFree {
        void operator()(tk::Component* component) const;
    };

    tk::IPtr<IOrloDockSite> FirstSiteAligned(tk::Align align) const;
    void ResetTargets();
    void CreateDragWindows();
    void HideDragWindows();
    // The cross goes over the zone under the point in the first site (not
    // the dragged one) that has one there, or goes away.
    void FindZoneUnderPointer(IOrloDockSite* draggedSite, tk::Point screenPoint);
    // Paints the guide windows whose guides changed, before the preview shows.
    void RepaintGuides();
    // Moves the dragged root's control zones and tab groups into the target.
    void DockDraggedZones(IOrloDockSite* draggedSite, IOrloDockSite* targetSite, IOrloDockZone* targetZone,
                          tk::Align position);
    // The component behind the theme in use, when it is not the manager's own.
    tk::Component* ThemeComponent() const;

    std::vector<tk::IPtr<IOrloDockSite>> sites_;
    bool zoneDetailsInCaptions_ = true;
    bool dragging_ = false;
    // Another component's theme may be freed first: the manager then installs a default one.
    tk::ComponentRef<IOrloDockTheme> theme_{[this] {
        if (!IsDestroying())
            SetTheme(nullptr);
    }};
    // The default themes the manager created, the one in use (if any) last.
    // Kept until the manager goes: whoever still holds a replaced one keeps a live object.
    std::vector<std::unique_ptr<TOrloDockingOrloDotNetTheme, ComponentFree>> ownThemes_;
    tk::ComponentRef<tk::ImageList> images_;
    std::int32_t defaultSiteSize_ = 125;
    // A site or zone chosen by DragOver may be freed before EndDrag.
    tk::ComponentRef<IOrloDockSite> targetSite_;
    tk::ComponentRef<IOrloDockZone> targetZone_;
    tk::Align targetAlign_ = tk::alNone;
    // The application object owns them and may free them first (when it quits).
    tk::ComponentRef<TOrloDockPreviewWindow> previewWindow_;
    tk::ComponentRef<TOrloDockDropWindow> outerGuideWindow_;
    tk::ComponentRef<TOrloDockDropWindow> compassWindow_;
};
