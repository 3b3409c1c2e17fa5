#include <orlodock/docking/OrloDockSite.h>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "OrloDockSiteMouse.h"
#include <orlodock/docking/OrloDockOrloTheme.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockRegistration.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/graphics.h>
#include <orlodock/tk/screen.h>

namespace {

// Width and height of a site that has no manager to ask.
constexpr int kDefaultSiteSize = 125;
// Thickness of the inner-edge strip without a manager's theme.
constexpr int kDefaultEdgeStrip = 4;
// Depth of the drop band along the outer edge of an empty site.
constexpr int kEmptySiteBand = 10;

TOrloDockOrientation OrientationForAlign(tk::Align align) {
    switch (align) {
    case tk::alTop:
    case tk::alBottom:
    case tk::alClient:
        return voHorz;
    default:
        return voVert;
    }
}

TOrloDockablePanel* PanelOf(IOrloDockablePanel* panel) { return panel ? panel->GetControl() : nullptr; }

} // namespace

void TOrloDockSite::ComponentFree::operator()(tk::Component* component) const {
    if (component)
        component->Free();
}

TOrloDockSite::HostedPanel::HostedPanel(TOrloDockSite* site, TOrloDockablePanel* panel, TOrloDockControlZone* zone)
    : Panel([site, this, panel] { site->DropZoneOfFreedPanel(this, panel); }), Key(zone) {
    Panel = panel;
    Zone = zone;
}

TOrloDockSite::TOrloDockSite(tk::Component* owner) : tk::CustomControl(owner) {
    RegisterDockingClasses();
    SetControlStyle(ControlStyle() | tk::csAcceptsControls | tk::csCaptureMouse | tk::csClickEvents |
                    tk::csDoubleClicks | tk::csSetCaption | tk::csOpaque | tk::csReplicatable);

    auto* root = new TOrloDockRootZone();
    SetRootZone(root, RootOrientation::FromSite);

    themes_.emplace_back(new TOrloDockingOrloDotNetTheme());

    updateCount_ = 0;
    SetColor(tk::clBtnFace);
    if (!IsDesigning())
        SetDoubleBuffered(true);

    mouse_ = std::make_unique<TOrloDockSiteMouse>(*this);

    // No manager can be set yet, so the size is the site's own default.
    SetBounds(Left(), Top(), kDefaultSiteSize, kDefaultSiteSize);
    SetAlign(tk::alLeft);
    savedSize_ = -1;
    tk::CustomControl::SetVisible(true);

    focusListener_ = tk::Screen::AddActiveControlListener(
        [this](tk::Control* oldControl, tk::Control* newControl) { ActiveControlChanged(oldControl, newControl); });
    // Last: a construction that fails leaves nothing behind in the list.
    LiveSites().push_back(this);
}

TOrloDockSite::~TOrloDockSite() {
    std::erase(LiveSites(), this);
    // Freeing the panels below moves the focus; a dying site need not repaint.
    StopFollowingFocus();
    if (IOrloDockManager* manager = dockManager_) {
        dockManager_ = nullptr;
        manager->UnregisterSite(SiteIntf());
    }
    // The mouse goes first: it draws nothing for zones that leave with the tree.
    mouse_.reset();
    hostedPanels_.clear();
    freedPanelZones_.clear();
    // The tree goes before the child controls (the control's destructor
    // frees them): its leaves give the panels their window procedures back
    // and its tab groups free their strips, which are child controls of this site.
    treeBeforeRead_.reset();
    if (TOrloDockRootZone* root = std::exchange(rootZone_, nullptr)) {
        root->OnZonesChanged = nullptr;
        root->Free();
    }
    themes_.clear();
}

void TOrloDockSite::SetRootZone(TOrloDockRootZone* root, RootOrientation orientation) {
    rootZone_ = root;
    trackEveryLeaf_ = true;
    root->OnZonesChanged = [this](TOrloDockRootZone* sender) { ZonesChanged(sender); };
    if (orientation == RootOrientation::FromSite && orientation_ != voNoOrient)
        root->SetOrientation(orientation_);
    root->SetDockSite(InternalIntf());
}

std::vector<TOrloDockSite*>& TOrloDockSite::LiveSites() {
    static std::vector<TOrloDockSite*> sites;
    return sites;
}

IOrloDockTheme* TOrloDockSite::OwnTheme() const {
    return dockManager_ || themes_.empty() ? nullptr : themes_.back()->Intf();
}

// ---- manager ----

void TOrloDockSite::SetDockManager(IOrloDockManager* manager) {
    if (manager == dockManager_.get())
        return;
    if (dockManager_)
        dockManager_->UnregisterSite(SiteIntf());
    dockManager_ = manager;
    if (manager)
        manager->RegisterSite(SiteIntf());
    else if (!IsDestroying())
        themes_.emplace_back(new TOrloDockingOrloDotNetTheme());
    if (!IsDestroying())
        Invalidate();
}

void TOrloDockSite::ManagerGone() {
    // The manager empties its own list of sites as it goes.
    if (IsDestroying())
        return;
    themes_.emplace_back(new TOrloDockingOrloDotNetTheme());
    Invalidate();
}

void TOrloDockSite::GetTheme(tk::IPtr<IOrloDockTheme>& theme) {
    if (dockManager_)
        dockManager_->GetTheme(theme);
    else
        theme = tk::IPtr<IOrloDockTheme>(OwnTheme());
}

IOrloDockTheme* TOrloDockSite::ThemeInUse() {
    if (!dockManager_)
        return OwnTheme();
    // The manager keeps its theme.
    tk::IPtr<IOrloDockTheme> theme;
    dockManager_->GetTheme(theme);
    return theme.get();
}

tk::ImageList* TOrloDockSite::GetImages() { return dockManager_ ? dockManager_->GetImages() : nullptr; }

// ---- update bracket ----

void TOrloDockSite::BeginUpdate() { ++updateCount_; }

void TOrloDockSite::EndUpdate() {
    --updateCount_;
    if (updateCount_ >= 1)
        return;
    updateCount_ = 0;
    if (IsDestroying())
        return;
    DropZonesOfFreedPanels();
    TrackHostedPanels();
    // Painted once the event loop runs again: however many brackets close
    // in between, the site paints once.
    if (Visible() || IsDesigning())
        Invalidate();
    // The size changed while the tree did: the handlers hear of it now that
    // the change is over. They may free the site, so nothing follows.
    if (std::exchange(resizePending_, false))
        tk::CustomControl::Resize();
}

void TOrloDockSite::DropZonesOfFreedPanels() {
    if (freedPanelZones_.empty())
        return;
    // A change of its own, which ends in the caller's EndUpdate; panels freed
    // during it are dropped in the same turn.
    ++updateCount_;
    while (!freedPanelZones_.empty()) {
        for (TOrloDockControlZone* zone : std::exchange(freedPanelZones_, {}))
            // Still in the tree and still empty: nothing has taken its place meanwhile.
            if (zone && !zone->GetControl() && rootZone_->HoldsZone(zone))
                zone->FreeLeaf(TOrloDockLeafRemoval::LayOut);
        TidyTree();
    }
    --updateCount_;
}

void TOrloDockSite::TrackHostedPanels() {
    if (!rootZone_ || trackingPanels_)
        return;
    trackingPanels_ = true;
    std::vector<TOrloDockControlZone*> leaves;
    if (std::exchange(trackEveryLeaf_, false)) {
        changedLeaves_.clear();
        CollectLeaves(rootZone_, leaves);
        const std::unordered_set<const TOrloDockZone*> standing(leaves.begin(), leaves.end());
        std::erase_if(hostedPanels_, [&standing](const auto& entry) { return !standing.contains(entry.first); });
    } else {
        // Leaves that left the site were forgotten as they left (ZoneLeaving).
        for (TOrloDockControlZone* leaf : std::exchange(changedLeaves_, {}))
            if (leaf) {
                if (leaf->DockSite() == InternalIntf() && rootZone_->HoldsZone(leaf))
                    leaves.push_back(leaf);
                else
                    hostedPanels_.erase(leaf);
            }
    }
    std::vector<TOrloDockablePanel*> panels;
    for (TOrloDockControlZone* leaf : leaves) {
        TOrloDockablePanel* panel = leaf->Panel();
        if (!panel || panel->IsDestroying()) {
            hostedPanels_.erase(leaf);
            continue;
        }
        // An entry that still holds is kept (a relayout changes none).
        std::unique_ptr<HostedPanel>& entry = hostedPanels_[leaf];
        if (!entry || entry->Panel != panel || entry->Zone != leaf)
            entry = std::make_unique<HostedPanel>(this, panel, leaf);
        panels.push_back(panel);
    }
    // Whatever brought a panel into this tree, the panel's site is this one.
    if (!IsLoading())
        for (TOrloDockablePanel* panel : panels)
            if (panel->GetDockSite().get() != SiteIntf())
                panel->SetDockSite(SiteIntf());
    trackingPanels_ = false;
}

void TOrloDockSite::ZoneLeaving(TOrloDockZone* zone) {
    if (mouse_)
        mouse_->ZoneLeaving(zone);
    // Freed or gone to another site: a leaf's panel is hosted here no more.
    hostedPanels_.erase(zone);
}

void TOrloDockSite::LeafChanged(TOrloDockControlZone* leaf) {
    if (IsDestroying() || trackEveryLeaf_)
        return;
    changedLeaves_.Add(leaf);
}

// ---- geometry ----

void TOrloDockSite::GetScreenRect(tk::Rect& rect) { rect = ScreenRect(); }

void TOrloDockSite::RequestAlign() {
    const TOrloDockOrientation orientation = OrientationForAlign(Align());
    if (orientation != orientation_) {
        orientation_ = orientation;
        if (rootZone_)
            rootZone_->SetOrientation(orientation);
    }
    tk::CustomControl::RequestAlign();
    // The edge strip moves with the alignment even when the size stays.
    if (Align() != laidOutAlign_) {
        laidOutAlign_ = Align();
        if (!IsLoading() && !IsDestroying() && !Collapsed())
            LayOutTree();
    }
}

void TOrloDockSite::Resize() {
    if (updateCount_ > 0) {
        // Resized by a change of its tree (collapsing, expanding): the
        // handlers wait for the change to end, so that one that frees the
        // site does not free the tree under the zones at work.
        resizePending_ = true;
    } else {
        const std::weak_ptr<int> alive = LifeToken();
        tk::CustomControl::Resize();
        if (alive.expired())
            return;
    }
    if (IsLoading() || IsDestroying() || Collapsed())
        return;
    LayOutTree();
}

void TOrloDockSite::LayOutTree() {
    if (!rootZone_ || layoutHeld_ > 0)
        return;
    TOrloDockUpdateGuard update(InternalIntf());
    // The shares that suited the old size may leave a zone below its minimum
    // in the new one: every container is checked once the tree is placed.
    rootZone_->WholePassFollows();
    PlaceRoot();
    rootZone_->KeepMinimumSizes();
}

void TOrloDockSite::PlaceRoot() {
    if (!rootZone_ || layoutHeld_ > 0)
        return;
    tk::Rect client = ClientRect();
    AdjustClientRect(client);
    TOrloDockUpdateGuard update(InternalIntf());
    // A site narrower than its edge strip has no room, not less than none.
    rootZone_->SetBounds(tk::NonInverted(client));
}

void TOrloDockSite::AdjustClientRect(tk::Rect& rect) {
    int strip = kDefaultEdgeStrip;
    if (dockManager_) {
        tk::IPtr<IOrloDockTheme> theme;
        dockManager_->GetTheme(theme);
        if (theme)
            strip = theme->GetZoneSplitterSize();
    }
    const std::optional<tk::Edge> edge = tk::InnerEdge(Align());
    if (!edge)
        return;
    tk::MoveEdge(rect, *edge, -strip);
    edgeSplitterRect_ = tk::Band(tk::MakeRect(0, 0, Width(), Height()), *edge, strip);
}

void TOrloDockSite::Collapse() {
    if (Collapsed() || IsDesigning())
        return;
    const std::optional<tk::Edge> edge = tk::InnerEdge(Align());
    if (!edge)
        return;
    // SavedSize is set first: the resize that follows must not lay out the tree.
    tk::Rect bounds = BoundsRect();
    savedSize_ = tk::Extent(bounds, edge->Across);
    tk::SetEnd(bounds, edge->Across, tk::Start(bounds, edge->Across));
    SetBoundsRect(bounds);
}

void TOrloDockSite::Expand() {
    if (!Collapsed())
        return;
    if (const std::optional<tk::Edge> edge = tk::InnerEdge(Align())) {
        tk::Rect bounds = BoundsRect();
        tk::SetEnd(bounds, edge->Across, tk::Start(bounds, edge->Across) + savedSize_);
        // A resize handler outside a change of the tree may free the site.
        const std::weak_ptr<int> alive = LifeToken();
        SetBoundsRect(bounds);
        if (alive.expired())
            return;
    }
    savedSize_ = -1;
    if (!IsLoading() && !IsDestroying())
        LayOutTree();
}

// ---- docking ----

void TOrloDockSite::InsertDockablePanel(IOrloDockablePanel* panel, tk::Align position, const tk::String& zoneID) {
    (void)panel;
    (void)position;
    (void)zoneID;
}

void TOrloDockSite::DetachPanel(IOrloDockablePanel* panel) {
    // The old container is laid out at once, so its other children hold their
    // real shares when the insertion halves one of them. Nothing is tidied or
    // freed but the leaf, so the target stays.
    rootZone_->RemovePanel(panel);
}

void TOrloDockSite::TidyTree() {
    rootZone_->Normalize();
    rootZone_->UpdateBounds();
    rootZone_->KeepMinimumSizesOfChanged();
}

void TOrloDockSite::InsertDockablePanel(IOrloDockablePanel* panel, IOrloDockablePanel* relativePanel,
                                        tk::Align position) {
    if (!panel)
        return;
    rootZone_->CheckInsertion({PanelOf(panel)}, position);
    TOrloDockUpdateGuard update(InternalIntf());
    // The panel's old zone goes first, so it can never be the target: docking
    // a panel relative to itself docks it relative to the root.
    DetachPanel(panel);
    TOrloDockZone* target = relativePanel ? rootZone_->FindControlZone(PanelOf(relativePanel)) : nullptr;
    rootZone_->InsertPanel(panel, target, position);
    TidyTree();
}

void TOrloDockSite::InsertDockablePanelAtZone(IOrloDockablePanel* panel, const tk::String& zoneID, tk::Align position) {
    if (!panel)
        return;
    rootZone_->CheckInsertion({PanelOf(panel)}, position);
    TOrloDockUpdateGuard update(InternalIntf());
    DetachPanel(panel);
    TOrloDockZone* target = zoneID.isEmpty() ? nullptr : rootZone_->FindZoneByID(zoneID);
    if (Collapsed())
        Expand();
    rootZone_->InsertPanel(panel, target, position);
    TidyTree();
}

void TOrloDockSite::InsertTabbedZone(TOrloDockTabbedContainerZone* zone, const tk::String& zoneID, tk::Align position) {
    if (!zone)
        return;
    rootZone_->CheckInsertion(CollectPanels(zone), position);
    TOrloDockUpdateGuard update(InternalIntf());
    // A group that stands in this tree leaves its place inside the root's
    // insertion, which lays the old container out and refuses a group it
    // cannot take before anything changes.
    TOrloDockZone* target = zoneID.isEmpty() ? nullptr : rootZone_->FindZoneByID(zoneID);
    try {
        if (Collapsed())
            Expand();
        rootZone_->InsertTabbedZone(zone, target, position);
    } catch (...) {
        TidyTree();
        throw;
    }
    TidyTree();
}

void TOrloDockSite::RemoveDockablePanel(IOrloDockablePanel* panel) {
    if (!panel || !rootZone_->FindControlZone(PanelOf(panel)))
        return;
    TOrloDockUpdateGuard update(InternalIntf());
    rootZone_->RemovePanel(panel);
    // Out of the tree, out of the site.
    if (TOrloDockablePanel* control = PanelOf(panel);
        control && !rootZone_->FindControlZone(control) && panel->GetDockSite().get() == SiteIntf())
        panel->SetDockSite(nullptr);
    TidyTree();
}

void TOrloDockSite::RemoveZone(const tk::String& zoneID) {
    TOrloDockZone* zone = rootZone_->FindZoneByID(zoneID);
    if (!zone || !zone->ParentZone())
        return;
    TOrloDockUpdateGuard update(InternalIntf());
    zone->ParentZone()->RemoveZone(zone);
    zone->SetParentZoneField(nullptr);
    zone->SetDockSite(nullptr);
    // The zone moves on with its panels; they are this site's no longer.
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(zone, leaves);
    for (TOrloDockControlZone* leaf : leaves)
        if (TOrloDockablePanel* panel = leaf->Panel(); panel && panel->GetDockSite().get() == SiteIntf())
            panel->SetDockSite(nullptr);
    TidyTree();
}

TOrloDockZone* TOrloDockSite::ZoneFromIntf(std::intptr_t unused1, std::intptr_t unused2, IOrloDockZone* zone) {
    (void)unused1;
    (void)unused2;
    return zone ? zone->GetZoneObject() : nullptr;
}

void TOrloDockSite::GetZoneAt(tk::Point screenPoint, tk::Rect& rect, tk::IPtr<IOrloDockZone>& zone) {
    zone = nullptr;
    const tk::Point point = ScreenToClient(screenPoint);
    if (rootZone_->ChildCount() < 1 || !ClientRect().Contains(point))
        return;
    TOrloDockHitArea hit = zhNone;
    if (TOrloDockZone* found = rootZone_->ZoneAtPoint(point, true, hit)) {
        zone = tk::IPtr<IOrloDockZone>(found->ZoneIntf());
        rect = found->Bounds();
    }
}

bool TOrloDockSite::GetDockTarget(tk::Point screenPoint, const tk::String& draggedZoneID,
                                  const TOrloDockPreviewProc& preview, tk::String& zoneID, tk::Align& position) {
    const tk::Point point = ScreenToClient(screenPoint);
    tk::Rect client = ClientRect();
    if (rootZone_->ChildCount() == 0) {
        // An empty site takes drops on a band along the window edge it stands on.
        tk::Rect band = client;
        if (const std::optional<tk::Edge> outer = tk::AlignedEdge(Align()))
            band = tk::Band(client, *outer, kEmptySiteBand);
        if (!band.Contains(point))
            return false;
        if (Collapsed()) {
            // Show where the site will open up.
            MoveInnerEdge(band, Align(), savedSize_);
        }
        if (rootZone_->ZoneID() == draggedZoneID)
            return false;
        zoneID = rootZone_->ZoneID();
        if (preview)
            preview(SiteIntf(), band, true);
        position = Align();
        return true;
    }
    if (!client.Contains(point))
        return false;
    TOrloDockHitArea hit = zhNone;
    TOrloDockZone* zone = rootZone_->ZoneAtPoint(point, true, hit);
    if (!zone || zone->ZoneID() == draggedZoneID)
        return false;
    tk::Align dropPosition = tk::alNone;
    tk::Rect rect{};
    zone->GetDockPosition(point, dropPosition, rect);
    if (dropPosition == tk::alNone)
        return false;
    zoneID = zone->ZoneID();
    position = dropPosition;
    if (preview)
        preview(SiteIntf(), rect, true);
    return true;
}

void TOrloDockSite::GetRootZoneID(tk::String& id) { id = rootZone_->ZoneID(); }

void TOrloDockSite::GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) {
    zone = tk::IPtr<IOrloDockZone>(rootZone_->ZoneIntf());
}

void TOrloDockSite::ZonesChanged(TOrloDockRootZone* sender) { (void)sender; }

// ---- notifications and input ----

void TOrloDockSite::Notification(tk::Component* component, tk::Operation operation) {
    tk::CustomControl::Notification(component, operation);
    // A new panel beside the site: the tree is laid out again, so a site with
    // nothing to show collapses. Freed panels and managers reach the site
    // through its references.
    if (operation != tk::Operation::Insert || IsDestroying() || IsLoading() || !rootZone_ ||
        !dynamic_cast<TOrloDockablePanel*>(component))
        return;
    TOrloDockUpdateGuard update(InternalIntf());
    rootZone_->UpdateBounds();
}

void TOrloDockSite::DropZoneOfFreedPanel(HostedPanel* entry, const TOrloDockablePanel* panel) {
    if (IsDestroying() || !rootZone_)
        return;
    // A leaf that still holds the panel, or else the one that held it: the
    // leaf may have let go of the panel already, and it is still the panel's
    // zone as long as it stands in the tree empty.
    TOrloDockControlZone* zone = rootZone_->FindControlZone(panel);
    if (TOrloDockControlZone* held = entry->Zone; !zone && held && !held->GetControl() && rootZone_->HoldsZone(held))
        zone = held;
    if (const auto it = hostedPanels_.find(entry->Key); it != hostedPanels_.end() && it->second.get() == entry)
        hostedPanels_.erase(it);
    if (!zone)
        return;
    // Freed while the tree changes (from its own resize handler as the tree
    // gives it its rectangle, say): its leaf, empty now, stays until the
    // change is over, so that no zone at work is freed under it. Freed with
    // the site's owner, which frees the site next: the tree is not tidied and
    // laid out again for every panel that goes.
    if (updateCount_ > 0 || (Owner() && Owner()->IsDestroying())) {
        freedPanelZones_.Add(zone);
        return;
    }
    TOrloDockUpdateGuard update(InternalIntf());
    zone->FreeLeaf(TOrloDockLeafRemoval::LayOut);
    TidyTree();
}

void TOrloDockSite::ControlChange(tk::Control* child, bool inserted) {
    tk::CustomControl::ControlChange(child, inserted);
    Invalidate();
}

void TOrloDockSite::WndProc(tk::Message& message) {
    tk::CustomControl::WndProc(message);
    if (message.Msg == tk::TK_PARENTNOTIFY)
        Invalidate();
}

void TOrloDockSite::ActiveControlChanged(tk::Control* oldControl, tk::Control* newControl) {
    // A control that is being freed has already left its parent; focusInside_ remembers where it was.
    const bool wasInside = focusInside_ || (oldControl && oldControl != this && ContainsControl(oldControl));
    focusInside_ = newControl && newControl != this && ContainsControl(newControl);
    if ((wasInside || focusInside_) && !IsDestroying())
        Invalidate();
}

void TOrloDockSite::StopFollowingFocus() {
    if (focusListener_)
        tk::Screen::RemoveActiveControlListener(std::exchange(focusListener_, 0));
}

// ---- component ----

bool TOrloDockSite::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockSiteInternal>(this, iid, out) ||
           tk::AnswerInterface<IOrloDockSite>(this, iid, out) || tk::CustomControl::QueryInterface(iid, out);
}

void TOrloDockSite::GetProperties(tk::PropertyList& list) {
    tk::CustomControl::GetProperties(list);
    list.AddComponent(
        tk::Latin1("DockManager"), [this] { return dockManager_.AsComponent(); },
        [this](tk::Component* component) {
            SetDockManager(tk::QueryAs<IOrloDockManager>(static_cast<tk::IInterface*>(component)).get());
        });
}

tk::String TOrloDockSite::ClassName() const { return tk::Latin1("TOrloDockSite"); }

bool TOrloDockSite::MoveInnerEdge(tk::Rect& rect, tk::Align align, int distance) {
    const std::optional<tk::Edge> edge = tk::InnerEdge(align);
    if (edge)
        tk::MoveEdge(rect, *edge, distance);
    return edge.has_value();
}
