#pragma once

// The control that hosts docked panels. A site owns one zone tree (its root
// zone), gives the panels the rectangles of their zones, collapses to nothing
// when it has nothing to show and keeps a resize strip along its inner edge.
// The tree, the panels and the manager see the site through IOrloDockSite and
// IOrloDockSiteInternal, both answered by this one object.
//
// Every change of the tree is bracketed by BeginUpdate/EndUpdate; brackets
// nest and only the outermost EndUpdate repaints (it invalidates the site, which
// paints once when the event loop runs again). When that bracket closes the
// site also makes sure it follows every panel it hosts: it holds a reference
// to the panel that tells it when the panel is destroyed (so a panel freed
// while docked, by Free() or delete, leaves no zone, whoever owns it) and is
// the panel's dock site.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include <orlodock/docking/OrloDockZoneIntf.h>
#include <orlodock/tk/component.h>
#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/streaming.h>

class TOrloDockControlZone;
class TOrloDockingOrloDotNetTheme;
class TOrloDockSiteMouse;
class TOrloFloatingDockSiteHostForm;

// What the left button is doing in a site.
enum class TOrloDockDragState : std::uint8_t {
    Idle = 0,
    // Dragging the site's inner edge.
    InnerEdge = 1,
    // Dragging the splitter after a zone.
    Splitter = 2,
    // A title bar is pressed: the tear-off is armed.
    TitleBarPressed = 3,
    // A torn-off zone is dragged in its floating window.
    TearOff = 4,
    ClosePressed = 5,
    PinPressed = 6,
};

// A layout could not be saved or a layout file used; raised as itself when
// saving would lose a docked panel.
class EOrloDockLayoutError : public tk::Exception {
    using tk::Exception::Exception;
};

// A layout file could not be written, opened or read, or is too large to be a layout.
class EOrloDockLayoutFileError : public EOrloDockLayoutError {
    using EOrloDockLayoutError::EOrloDockLayoutError;
};

class TOrloDockSite : public tk::CustomControl, public virtual IOrloDockSiteInternal {
public:
    explicit TOrloDockSite(tk::Component* owner);
    ~TOrloDockSite() override;

    // ---- published properties ----
    IOrloDockManager* DockManager() const { return dockManager_.get(); }
    // Registers with the new manager and uses its theme; without a manager the
    // site paints with a theme of its own.
    void SetDockManager(IOrloDockManager* manager);

    // ---- fields ----
    // Derived from the alignment: voHorz for top, bottom and client, voVert otherwise.
    TOrloDockOrientation Orientation() const { return orientation_; }
    TOrloDockRootZone* RootZone() const { return rootZone_; }
    // The resize strip along the inner edge, in client coordinates.
    const tk::Rect& EdgeSplitterRect() const { return edgeSplitterRect_; }
    int UpdateCount() const { return updateCount_; }
    // -1 while expanded; otherwise the width or height the site had before it collapsed.
    int SavedSize() const { return savedSize_; }
    bool Collapsed() const { return savedSize_ != -1; }
    // Moves the edge of `rect` that faces the inside of the window by
    // `distance` towards the inside; false for a site not aligned to an edge.
    static bool MoveInnerEdge(tk::Rect& rect, tk::Align align, int distance);
    // The site's own theme, used only while no manager is set (nullptr otherwise).
    IOrloDockTheme* OwnTheme() const;

    // ---- state of the mouse handling and of a tear-off (OrloDockSiteMouse.cpp) ----
    // The zone under the mouse, or the zone being dragged.
    TOrloDockZone* ActiveZone() const;
    // What the last hit test found under the mouse.
    TOrloDockHitArea MouseState() const;
    // The zone whose splitter is being dragged.
    TOrloDockZone* SplitZone() const;
    bool EdgeDragging() const;
    tk::Point DragPos() const;
    // Where a splitter or edge drag started.
    tk::Point DragStart() const;
    TOrloDockDragState DragState() const;
    // The floating site a tear-off drags, while it does.
    IOrloDockSite* FloatingSite() const;
    // The last floating window a tear-off made; none once it is released.
    TOrloFloatingDockSiteHostForm* FloatingHost() const;
    const tk::String& FloatRootZoneID() const;
    tk::Align FloatPosition() const;
    // Drag bars are drawn with this brush: the grey/white 8x8 pattern.
    const tk::Brush& PatternBrush() const;

    // ---- layouts ----
    // The tree of this site as bytes: the root zone's component stream in an
    // envelope with a checksum. Panels are named, not stored: a docked panel
    // without a name, or with the name of another docked panel, raises
    // EOrloDockLayoutError naming it.
    tk::Bytes SaveLayout();
    // Replaces the tree by one saved with SaveLayout and docks the panels it
    // names (found among the components of the site's owner, or of the site
    // when it has none, and the components those own). Panels of the old tree
    // that the layout does not name are undocked. Damaged or foreign data
    // raises tk::EReadError and leaves the tree and the panels as they were.
    // Zones whose identifiers another site uses get new ones; visible zones
    // the saved shares leave no room get their minimum where there is room.
    void LoadLayout(const tk::Bytes& data);
    // The same with a file. A file that cannot be written, opened or read, or
    // is larger than a layout can be, raises EOrloDockLayoutFileError; its
    // header is read first, and no more than it promises.
    void SaveLayoutToFile(const tk::String& fileName);
    void LoadLayoutFromFile(const tk::String& fileName);

    // ---- IOrloDockSite ----
    TOrloDockOrientation GetOrientation() override { return orientation_; }
    tk::Align GetAlign() override { return Align(); }
    void GetScreenRect(tk::Rect& rect) override;
    bool GetVisible() override { return Visible(); }
    void SetVisible(bool visible) override { tk::CustomControl::SetVisible(visible); }
    tk::Control* GetControl() override { return this; }
    void BeginUpdate() override;
    void EndUpdate() override;
    bool GetDockTarget(tk::Point screenPoint, const tk::String& draggedZoneID, const TOrloDockPreviewProc& preview,
                       tk::String& zoneID, tk::Align& position) override;
    // Does nothing.
    void InsertDockablePanel(IOrloDockablePanel* panel, tk::Align position, const tk::String& zoneID) override;
    void InsertDockablePanel(IOrloDockablePanel* panel, IOrloDockablePanel* relativePanel, tk::Align position) override;
    void InsertDockablePanelAtZone(IOrloDockablePanel* panel, const tk::String& zoneID, tk::Align position) override;
    void InsertTabbedZone(TOrloDockTabbedContainerZone* zone, const tk::String& zoneID, tk::Align position) override;
    void RemoveDockablePanel(IOrloDockablePanel* panel) override;
    // Takes the zone out of the tree without freeing it (it is moving to another site).
    void RemoveZone(const tk::String& zoneID) override;
    TOrloDockZone* ZoneFromIntf(std::intptr_t unused1, std::intptr_t unused2, IOrloDockZone* zone) override;
    void GetZoneAt(tk::Point screenPoint, tk::Rect& rect, tk::IPtr<IOrloDockZone>& zone) override;
    tk::ImageList* GetImages() override;
    void GetRootZoneID(tk::String& id) override;
    void GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) override;

    // ---- IOrloDockSiteInternal ----
    TOrloDockRootZone* GetRootZone() override { return rootZone_; }
    TOrloDockSite* GetSite() override { return this; }
    tk::Canvas* GetCanvas() override { return tk::CustomControl::GetCanvas(); }
    tk::Font* GetFont() override { return Font(); }
    void GetTheme(tk::IPtr<IOrloDockTheme>& theme) override;
    IOrloDockTheme* ThemeInUse() override;
    tk::Color GetColor() override { return Color(); }
    void Collapse() override;
    void Expand() override;
    void BeginZoneDrag(TOrloDockZone* zone, tk::Point point) override;
    bool IsFloating() override { return false; }
    void ZoneLeaving(TOrloDockZone* zone) override;

    // ---- virtual operations of the site ----
    // The root zone took one of its children out. Nothing here; a floating
    // site lets its window go once the root is empty.
    virtual void ZonesChanged(TOrloDockRootZone* sender);

    IOrloDockSite* SiteIntf() { return static_cast<IOrloDockSite*>(this); }
    IOrloDockSiteInternal* InternalIntf() { return static_cast<IOrloDockSiteInternal*>(this); }

    // ---- control and component ----
    // Reserves the resize strip along the inner edge and records it in EdgeSplitterRect.
    void AdjustClientRect(tk::Rect& rect) override;
    void Loaded() override;
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    void DefineProperties(tk::Filer& filer) override;
    tk::String ClassName() const override;

protected:
    void Notification(tk::Component* component, tk::Operation operation) override;
    void RequestAlign() override;
    // Lays the tree out in the new size. The OnResize handlers run first, or,
    // when a change of the tree resized the site, once that change has ended.
    void Resize() override;
    void KeyDown(int& key, tk::ShiftState shift) override;
    void ControlChange(tk::Control* child, bool inserted) override;
    // A press anywhere in a hosted panel may move the focus, which the title
    // bars show: the site repaints after the inherited handling.
    void WndProc(tk::Message& message) override;

    // ---- painting and mouse (OrloDockSitePaint.cpp, OrloDockSiteMouse.cpp) ----
    // The site's colour, then the zones' title bars and buttons.
    void Paint() override;
    // Handed to the mouse object: only the left button acts (button presses,
    // splitter and edge drags); Escape ends a tear-off.
    void MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void MouseMove(tk::ShiftState shift, int x, int y) override;
    void MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void MouseLeave() override;
    // Resize cursors over zone splitters and the inner edge of a site that shows zones.
    tk::Cursor GetCursorAt(tk::Point client) override;

private:
    struct ComponentFree {
        void operator()(tk::Component* component) const;
    };
    using OwnedTheme = std::unique_ptr<TOrloDockingOrloDotNetTheme, ComponentFree>;
    using OwnedRoot = std::unique_ptr<TOrloDockRootZone, ComponentFree>;
    // Whether a root zone given to the site takes the site's orientation.
    enum class RootOrientation : std::uint8_t { FromSite, Kept };
    // What loading does with panels that are children of the site but stand in no leaf.
    enum class Strays : std::uint8_t { Left, DockAtTheEnd };
    // While one is held, the site does not lay its tree out.
    struct LayoutHold {
        explicit LayoutHold(int& count) : Count(count) { ++Count; }
        ~LayoutHold() { --Count; }
        LayoutHold(const LayoutHold&) = delete;
        LayoutHold& operator=(const LayoutHold&) = delete;
        int& Count;
    };

    // A panel this site hosts and the leaf that held it when the last bracket closed.
    struct HostedPanel {
        HostedPanel(TOrloDockSite* site, TOrloDockablePanel* panel, TOrloDockControlZone* zone);
        tk::ComponentRef<TOrloDockablePanel> Panel;
        tk::ComponentRef<TOrloDockControlZone> Zone;
        // The leaf's address, which the entry is kept under.
        const TOrloDockZone* Key;
    };

    // Gives the site's client rectangle, less the edge strip, to the root
    // zone, then room to zones the new size left below their minimum.
    void LayOutTree();
    // Only the first half: a loaded tree places itself from the shares it read.
    void PlaceRoot();
    // Takes a panel that is docked here out of its place: its container is
    // laid out, its leaf freed and the panel leaves the site. Nothing is
    // normalised, so that the caller's target survives.
    void DetachPanel(IOrloDockablePanel* panel);
    // Ends every operation that changes the tree.
    void TidyTree();
    // The leaves of panels freed during the change that just ended leave the tree.
    void DropZonesOfFreedPanels();
    // The zone of a panel that is being freed leaves the tree, at once or, while
    // the tree is changing, when the change ends. The panel is matched by its
    // address alone: it is only compared, never used.
    void DropZoneOfFreedPanel(HostedPanel* entry, const TOrloDockablePanel* panel);
    // The manager was freed: the site paints with a theme of its own again.
    void ManagerGone();
    // Follows and becomes the site of every panel in the tree; notes which
    // leaf holds which panel. Only the leaves that changed are looked at,
    // unless the whole tree is new.
    void TrackHostedPanels();
    friend class TOrloDockControlZone;
    // A leaf of this site took or let go of a panel, or joined the site.
    void LeafChanged(TOrloDockControlZone* leaf);
    void SetRootZone(TOrloDockRootZone* root, RootOrientation orientation);
    // Every site that exists, in order of creation.
    static std::vector<TOrloDockSite*>& LiveSites();
    // Title bars show which panel holds the focus: repaints when the focus
    // enters, leaves or moves inside this site.
    void ActiveControlChanged(tk::Control* oldControl, tk::Control* newControl);
    void StopFollowingFocus();

    // ---- streaming (OrloDockSiteStreaming.cpp) ----
    // A new tree read from a root zone's component stream and checked; raises EReadError.
    OwnedRoot ReadTree(const tk::Bytes& data);
    // Frees the current tree (letting go of its panels) and makes `fresh` the tree of this site.
    void InstallTree(OwnedRoot fresh);
    // After a tree was read: panels attached by name, identifiers made
    // unique, collapsed or expanded, laid out once finished.
    void FinishLoading(const std::vector<TOrloDockablePanel*>& previousPanels, Strays strays);
    // Attaches the panels the leaves name and settles each one in this site;
    // then the tab groups choose their tabs.
    void ResolvePanels(const std::vector<TOrloDockablePanel*>& previousPanels);
    // Zones with an identifier that a zone of another site has get new ones.
    void RenewClashingZoneIDs();
    // Docks the panels that are children of this site but stand in no leaf.
    void DockStrayPanels();
    // Raises EOrloDockLayoutError for a docked panel a layout could not find again.
    void RefuseLosingPanels();
    // The value of "MyRootZone" as read from a stream.
    void ReadRootZoneProperty(const tk::Bytes& data);

    tk::ComponentRef<IOrloDockManager> dockManager_{[this] { ManagerGone(); }};
    TOrloDockOrientation orientation_ = voNoOrient;
    TOrloDockRootZone* rootZone_ = nullptr;
    tk::Rect edgeSplitterRect_{};
    std::int32_t updateCount_ = 0;
    // Hover, buttons, drags and tear-off; gone once the site is being freed.
    std::unique_ptr<TOrloDockSiteMouse> mouse_;
    // The themes the site created for itself, the one in use (while no
    // manager is set) last. Kept until the site goes, so that whoever still
    // holds one keeps a live object.
    std::vector<OwnedTheme> themes_;
    std::int32_t savedSize_ = -1;

    // The tree this site had before a stream being read replaced it; kept,
    // with its panels, until loading ends, so that a read that fails further
    // on can be handed back.
    OwnedRoot treeBeforeRead_;
    // Which leaf held which panel when the last bracket closed: a leaf lets go
    // of a panel that is being freed before the site hears of it.
    std::unordered_map<const TOrloDockZone*, std::unique_ptr<HostedPanel>> hostedPanels_;
    // The leaves that changed since then, and whether the whole tree is new.
    tk::ComponentRefList<TOrloDockControlZone> changedLeaves_;
    bool trackEveryLeaf_ = true;
    bool trackingPanels_ = false;
    // Leaves of panels freed while the tree was changing; they leave the tree
    // when the change ends.
    tk::ComponentRefList<TOrloDockControlZone> freedPanelZones_;
    // The site was resized while the tree was changing; its handlers hear of
    // it when the change ends.
    bool resizePending_ = false;
    // The alignment the tree was last laid out for.
    tk::Align laidOutAlign_ = tk::alNone;
    // Layout holds in force (LayoutHold).
    int layoutHeld_ = 0;
    // Our active-control listener (0: none) and whether the focus was inside this site when last told.
    int focusListener_ = 0;
    bool focusInside_ = false;
};
