#pragma once

// A tab group: a container whose leaves share one client rectangle, one of
// them shown at a time, chosen through a tab strip along the group's bottom.
//
// Tab i of the strip stands for child i at all times: every insertion, move,
// exchange and removal of a child does the same to the tabs, and every index
// the strip reports is taken as a child index.

#include <orlodock/docking/OrloDockContainerZone.h>

namespace tk {
class ImageList;
} // namespace tk

class TOrloDockTab;
class TOrloDockTabs;

class TOrloDockTabbedContainerZone : public TOrloDockContainerZone {
public:
    explicit TOrloDockTabbedContainerZone(tk::Component* owner = nullptr);
    // Frees the strip before the children go, so it reports nothing about them.
    ~TOrloDockTabbedContainerZone() override;

    // The strip, created with the zone and freed by it; nullptr only if its
    // parent window destroyed it first.
    TOrloDockTabs* Tabs() const { return tabs_; }

    // The strip's current tab; -1 for none.
    int CurrentTabIndex() const;
    // Only the stream writes it: the tab to select once the panels are resolved.
    void SetCurrentTabIndex(int index) { pendingTabIndex_ = index; }
    // -1 again once the panels are resolved.
    int PendingTabIndex() const { return pendingTabIndex_; }
    // After the panels were attached: the tabs show what their panels show,
    // and the tab the stream asked for is current, or the first shown one
    // when that one is missing or hidden.
    void TabsFollowPanels();
    // The child the current tab stands for, or nullptr.
    TOrloDockZone* CurrentTabZone() const;

    // ---- overrides of the zone operations ----
    void SetBounds(const tk::Rect& bounds) override;
    int GetMinimumSize() const override;
    void SetDockSite(IOrloDockSiteInternal* site) override;
    void GetCaption(tk::String& caption) override;
    bool AcceptsTabDock() const override { return true; }
    void ResolveControls(tk::Component* owner) override;
    TOrloDockZone* ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) override;
    // Drops are taken only as a new tab: on the title bar or on the strip.
    void GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect) override;
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override;
    void CloseZone() override;
    void Paint() override;
    void PaintTitleBar() override;
    void AdjustClientRect(tk::Rect& rect) override;
    // A group without parent is not a root: it has nothing to be placed in
    // and must not collapse the site it still names.
    void UpdateBounds() override;
    TOrloDockTabbedContainerZone* AsTabGroup() override { return this; }

    // ---- container operations ----
    void RemoveZone(TOrloDockZone* zone) override;
    // Always appends (the strip's order follows the list); answers the index.
    int InsertZoneAfter(TOrloDockZone* zone, TOrloDockZone* after, bool update) override;
    // Only leaves stand in a tab group.
    int InsertZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) override;
    void MoveZoneAfter(TOrloDockZone* zone, TOrloDockZone* after) override;
    void MoveZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) override;
    void ReplaceZone(TOrloDockZone* oldZone, TOrloDockZone* newZone) override;
    // A tab's panel was shown or hidden: the tab follows, and the group is
    // shown or hidden with its first or last visible tab. Tabs share one
    // rectangle, so there is no room to redistribute.
    void ChildVisibilityChanged(TOrloDockZone* child, bool visible) override;
    // Drops the tab too and lays the group out: the strip has to stay in step.
    void DetachZone(TOrloDockZone* zone) override;

    // ---- component ----
    void Loaded() override;
    void GetProperties(tk::PropertyList& list) override;
    tk::String ClassName() const override;

private:
    // ---- strip events ----
    void TabChange(int oldIndex, int newIndex);
    void TabMoved(int fromIndex, int toIndex);
    void GetImages(tk::ImageList*& images);
    void GetImageIndex(TOrloDockTab* tab);
    void TabDragOut(int index, tk::Point& point);

    // Adds the tab for the child at `index`, matching its visibility.
    void AddTabFor(int index);
    // Shown exactly while two or more tabs are visible.
    void UpdateStripVisibility();
    // Puts the tabs back into the children's order, the same zone staying current.
    void FollowChildOrder();
    // Lays the group and every tab out from scratch, as after its client area changed.
    void Relayout();
    void FreeStrip();
    bool IsLoneFloatingGroup();

    // A child window of the site: it goes with the site's control if that is destroyed before the tree.
    tk::ComponentRef<TOrloDockTabs> tabs_;
    int pendingTabIndex_ = -1;
    // While set, the strip's change event leaves the panels alone: the strip
    // is being brought in line with the children, not switched by the user.
    int quiet_ = 0;
};
