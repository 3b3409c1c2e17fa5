#pragma once

// The common base of every zone of a dock site's tree: parent, site,
// orientation, rectangle, identifier and share of the parent; placement of one
// zone from its parent and siblings; redistribution when a zone is hidden or
// shown; hit tests; the side a dragged panel would dock to.
//
// Rectangles are in the site's client coordinates; a zone that follows
// another starts one pixel behind the other's Right (or Bottom).

#include <cstdint>

#include <orlodock/docking/OrloDockZoneIntf.h>
#include <orlodock/tk/component.h>

class TOrloDockContainerZone;
class TOrloDockControlZone;
class TOrloDockTabbedContainerZone;

class TOrloDockZone : public tk::Component, public virtual IOrloDockZone {
public:
    explicit TOrloDockZone(tk::Component* owner = nullptr);
    // A zone freed while its parent still lists it leaves the parent through
    // RemoveZone, so that a tab group drops its tab too.
    ~TOrloDockZone() override;

    // ---- fields and published properties ----
    TOrloDockContainerZone* ParentZone() const { return parentZone_; }
    // Parent assignment: leaves the old parent, takes the new parent's site and
    // orientation and is appended to (and laid out by) the new parent.
    void SetParentZone(TOrloDockContainerZone* parent);
    // Sets the link alone: no list change, no layout.
    void SetParentZoneField(TOrloDockContainerZone* parent) { parentZone_ = parent; }

    IOrloDockSiteInternal* DockSite() const { return dockSite_.get(); }

    TOrloDockOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrloDockOrientation orientation);

    const tk::Rect& Bounds() const { return bounds_; }
    // Stores the rectangle alone: no percentage update, no layout.
    void SetBoundsField(const tk::Rect& bounds);

    const tk::String& ZoneID() const { return zoneID_; }

    int ParentSizePercentage() const { return parentSizePercentage_; }
    void SetParentSizePercentage(int percentage);

    // The extent the zone had when it was last hidden; -1 for none.
    int SavedSize() const { return savedSize_; }
    void SetSavedSize(int size) { savedSize_ = size; }

    std::uint8_t CloseButtonState() const { return closeButtonState_; }
    void SetCloseButtonState(std::uint8_t state) { closeButtonState_ = state; }
    std::uint8_t PinButtonState() const { return pinButtonState_; }
    void SetPinButtonState(std::uint8_t state) { pinButtonState_ = state; }

    // ---- virtual operations, in slot order ----
    virtual void SetBounds(const tk::Rect& bounds);
    virtual bool IsVisible() const = 0;
    virtual int GetMinimumSize() const;
    virtual void SetDockSite(IOrloDockSiteInternal* site);
    void GetCaption(tk::String& caption) override;
    bool IsActive() override;
    void ExcludeSplitter(tk::Rect& rect) override;
    // The zone was shown or hidden: the parent makes room for it or takes its
    // room back (ChildVisibilityChanged). A zone without parent has no room
    // to share and fails an assertion; the root lays the whole tree out.
    virtual void ZoneVisibilityChanged(bool visible);
    virtual void UpdateParentSizePercentage();
    virtual int GetDockMargin() const;
    virtual bool AcceptsTabDock() const;
    virtual bool IsContainer() const = 0;
    virtual void ResolveControls(tk::Component* owner);
    virtual TOrloDockZone* ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea);
    virtual void GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect);
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override = 0;
    virtual void CloseZone();
    virtual void UpdateBounds();
    virtual void Paint();
    virtual void PaintBackground();
    virtual void PaintTitleBar();
    void AdjustClientRect(tk::Rect& rect) override;
    void GetScreenBounds(tk::Rect& rect) override;

    // ---- the kind of zone, answered by the zone itself instead of a type test ----
    // This zone as a container (tab groups and the root included), or nullptr.
    virtual TOrloDockContainerZone* AsContainer() { return nullptr; }
    const TOrloDockContainerZone* AsContainer() const { return const_cast<TOrloDockZone*>(this)->AsContainer(); }
    // This zone as a leaf that holds a panel, or nullptr.
    virtual TOrloDockControlZone* AsControlZone() { return nullptr; }
    // This zone as a tab group, or nullptr.
    virtual TOrloDockTabbedContainerZone* AsTabGroup() { return nullptr; }

    // ---- non-virtual helpers ----
    // True when `zone` is this zone or stands below it. Only compares
    // addresses, walking down from here, so `zone` may be any pointer.
    bool Contains(const TOrloDockZone* zone) const;
    int Width() const { return bounds_.Right - bounds_.Left; }
    int Height() const { return bounds_.Bottom - bounds_.Top; }
    // Width for voVert, height for the other orientations.
    int Extent() const;
    // The parent's width or height along its child orientation (the site
    // control's along the zone's own orientation when there is no parent).
    int ParentExtent() const;
    // Where UpdateBounds puts the zone: its share of the parent's client area
    // behind its previous visible sibling, within that area however little
    // room it has. False without parent, or in a tab group (tabs place themselves).
    bool PlaceInParent(tk::Rect& rect) const;
    TOrloDockZone* NextSibling() const;
    TOrloDockZone* PrevSibling() const;
    TOrloDockZone* NextVisibleSibling() const;
    TOrloDockZone* PrevVisibleSibling() const;
    // Has a parent and no sibling before or after it, visible or not.
    bool IsOnlyChild() const;
    // The theme's title bar, close button and pin button rectangles; false without theme.
    bool PtInTitleBar(tk::Point point);
    bool PtInCloseButton(tk::Point point);
    bool PtInPinButton(tk::Point point);
    bool PtInSplitter(tk::Point point);
    // The part of the zone under a point inside it: pin button, close button,
    // title bar, splitter, else the client area (first match wins).
    TOrloDockHitArea HitAreaAt(tk::Point point);

    // The site's theme, or an empty pointer without site.
    tk::IPtr<IOrloDockTheme> Theme() const;
    // The same without a reference of its own, for reading measures.
    IOrloDockTheme* ThemeInUse() const;
    // The theme's minimum zone size; 10 without a theme.
    int ThemeMinimumZoneSize() const;
    // This zone as IOrloDockZone (no reference is taken).
    IOrloDockZone* ZoneIntf() { return static_cast<IOrloDockZone*>(this); }

    // ---- IOrloDockZone ----
    TOrloDockZone* GetZoneObject() override { return this; }
    void GetZoneID(tk::String& id) override { id = zoneID_; }
    void SetZoneID(const tk::String& id) override { zoneID_ = id; }
    std::uint8_t GetCloseButtonState() override { return closeButtonState_; }
    std::uint8_t GetPinButtonState() override { return pinButtonState_; }
    tk::Canvas* GetCanvas() override;
    void GetBounds(tk::Rect& bounds) override { bounds = bounds_; }
    TOrloDockOrientation GetOrientation() override { return orientation_; }
    TOrloDockOrientation GetParentOrientation() override;

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    void ReadState(tk::Reader& reader) override;
    bool HasParent() const override { return parentZone_ != nullptr; }
    tk::Component* GetParentComponent() const override;
    tk::Component* GetChildOwner() override;
    void SetParentComponent(tk::Component* parent) override;
    tk::String ClassName() const override;

protected:
    // Counts the changes that may change which zones are visible besides a
    // panel shown or hidden: zones joining or leaving a container, leaves
    // taking or losing their panel.
    static std::uint64_t MembershipChanges();
    static void MembershipChanged();
    // The parent's children no longer stand where its last layout put them.
    void ParentLayoutChanged();
    // Each container up from this zone lays its children out again: which
    // of them are visible may have changed.
    void AncestorLayoutsChanged();

private:
    friend class TOrloDockContainerZone;

    // The sibling `step` places away (+1 next, -1 previous), the nearest
    // visible one in that direction when `visibleOnly` is set.
    TOrloDockZone* SiblingAt(int step, bool visibleOnly) const;
    // Tells the site that this zone leaves its tree, and forgets the site.
    void LeaveSite();
    int SplitterSize() const;
    // Whether the point lies in the rectangle the theme gives this zone for a part of its title bar.
    bool PtInThemeRect(tk::Point point, void (IOrloDockTheme::*partRect)(IOrloDockZone*, tk::Rect&));

    TOrloDockContainerZone* parentZone_ = nullptr;
    tk::IPtr<IOrloDockSiteInternal> dockSite_;
    TOrloDockOrientation orientation_ = voNoOrient;
    tk::Rect bounds_{};
    tk::String zoneID_;
    int parentSizePercentage_ = 0;
    int savedSize_ = -1;
    // The zone's index in the list of the container that lists it, kept by
    // that container; -1 while no container lists it.
    int listIndex_ = -1;
    // Counted, kept by that container, as a zone of a class other than this
    // library's standing in a list.
    bool foreignListed_ = false;
    std::uint8_t closeButtonState_ = 0;
    std::uint8_t pinButtonState_ = 0;
};

// Brackets a change of a site's tree with BeginUpdate/EndUpdate, also when the
// change fails. Holds its own reference, so the bracket closes on the site it
// opened on even if the zone changes sites meanwhile; the reference clears
// itself if the site is freed (the outermost EndUpdate runs handlers that
// may free it). Does nothing without site.
class TOrloDockUpdateGuard {
public:
    explicit TOrloDockUpdateGuard(IOrloDockSiteInternal* site);
    ~TOrloDockUpdateGuard();
    TOrloDockUpdateGuard(const TOrloDockUpdateGuard&) = delete;
    TOrloDockUpdateGuard& operator=(const TOrloDockUpdateGuard&) = delete;

private:
    IOrloDockSiteInternal* site_ = nullptr;
    // Cleared when the site, a component, is freed; a site that is no
    // component is closed on as it was opened on.
    tk::ComponentRef<tk::Component> life_;
    bool isComponent_ = false;
};
