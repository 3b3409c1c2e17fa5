#include <orlodock/docking/OrloDockContainerZone.h>

#include <algorithm>
#include <typeinfo>
#include <utility>

#include <orlodock/docking/OrloDockControlZone.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockTabbedContainerZone.h>
#include <orlodock/tk/control.h>

namespace {

// Zones of classes other than this library's, listed in a container: while
// there are any, containers do not keep whether they are visible.
int g_foreignZonesListed = 0;

bool IsLibraryZone(const TOrloDockZone& zone) {
    const std::type_info& type = typeid(zone);
    return type == typeid(TOrloDockControlZone) || type == typeid(TOrloDockContainerZone) ||
           type == typeid(TOrloDockTabbedContainerZone) || type == typeid(TOrloDockRootZone);
}

} // namespace

void TOrloDockContainerZone::NoteListed(TOrloDockZone* zone) {
    if (!zone->foreignListed_ && !IsLibraryZone(*zone)) {
        zone->foreignListed_ = true;
        ++g_foreignZonesListed;
    }
}

void TOrloDockContainerZone::NoteUnlisted(TOrloDockZone* zone) {
    if (zone->foreignListed_) {
        zone->foreignListed_ = false;
        --g_foreignZonesListed;
    }
}

TOrloDockContainerZone::TOrloDockContainerZone(tk::Component* owner) : TOrloDockZone(owner) {}

TOrloDockContainerZone::~TOrloDockContainerZone() { ClearChildren(); }

// ---- overrides ----

void TOrloDockContainerZone::SetBounds(const tk::Rect& bounds) {
    if (bounds == Bounds()) {
        // Nothing to lay out; but the parent's extent may have changed
        // around the same rectangle, and the share must say what it covers.
        if (!IsLoading())
            UpdateParentSizePercentage();
        return;
    }
    TOrloDockUpdateGuard update(DockSite());
    TOrloDockZone::SetBounds(bounds);
    LayOutChildren();
}

void TOrloDockContainerZone::LayOutChildren() {
    ChildLayout layout(*this);
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->UpdateBounds();
}

TOrloDockContainerZone::ChildLayout::ChildLayout(TOrloDockContainerZone& container)
    : container_(container), outer_(container.layingOut_) {
    container_.layingOut_ = true;
    container_.childrenPlaced_ = false;
    if (!outer_)
        container_.disturbed_ = false;
}

TOrloDockContainerZone::ChildLayout::~ChildLayout() {
    container_.layingOut_ = outer_;
    if (outer_)
        return;
    bool placed = !container_.disturbed_;
    for (const TOrloDockZone* child : container_.children_)
        if (const TOrloDockContainerZone* inner = child->AsContainer(); inner && !inner->childrenPlaced_)
            placed = false;
    container_.childrenPlaced_ = placed;
    container_.placedFrom_ = container_.CurrentPlacement();
    container_.NoteRoomCheck();
}

TOrloDockContainerZone::Placement TOrloDockContainerZone::CurrentPlacement() {
    Placement placement;
    placement.Bounds = Bounds();
    placement.Client = Bounds();
    AdjustClientRect(placement.Client);
    // Title bars and splitters are the theme's: its metrics place the panels.
    if (IOrloDockTheme* theme = ThemeInUse()) {
        placement.Theme = theme;
        placement.TitleBarHeight = theme->GetTitleBarHeight();
        placement.SplitterSize = theme->GetZoneSplitterSize();
    }
    return placement;
}

bool TOrloDockContainerZone::ChildrenInPlace() {
    // A zone of another class may move or change its visibility unheard of.
    if (!childrenPlaced_ || g_foreignZonesListed != 0)
        return false;
    const Placement now = CurrentPlacement();
    return now.Bounds == placedFrom_.Bounds && now.Client == placedFrom_.Client && now.Theme == placedFrom_.Theme &&
           now.TitleBarHeight == placedFrom_.TitleBarHeight && now.SplitterSize == placedFrom_.SplitterSize;
}

void TOrloDockContainerZone::InvalidateLayout() {
    NoteRoomCheck();
    for (TOrloDockContainerZone* container = this; container; container = container->ParentZone()) {
        if (container->layingOut_) {
            container->disturbed_ = true;
            return;
        }
        // Already clear here, so above as well.
        if (!std::exchange(container->childrenPlaced_, false))
            return;
    }
}

void TOrloDockContainerZone::NoteRoomCheck() {
    IOrloDockSiteInternal* site = IsDestroying() ? nullptr : DockSite();
    TOrloDockRootZone* root = site ? site->GetRootZone() : nullptr;
    if (root && !root->IsDestroying() && roomCheckListedIn_ != root->Serial())
        root->NoteRoomCheck(this);
}

void TOrloDockContainerZone::SetChildOrientation(TOrloDockOrientation orientation) {
    if (orientation == childOrientation_)
        return;
    childOrientation_ = orientation;
    InvalidateLayout();
}

void TOrloDockContainerZone::SetDockSite(IOrloDockSiteInternal* site) {
    const bool moved = site != DockSite();
    TOrloDockZone::SetDockSite(site);
    if (moved)
        InvalidateLayout();
    for (TOrloDockZone* child : children_)
        child->SetDockSite(site);
}

bool TOrloDockContainerZone::IsVisible() const {
    const std::uint64_t membership = MembershipChanges();
    const std::uint64_t controls = tk::Control::VisibilityChanges();
    // A zone of another class may change its visibility unheard of.
    const bool keep = g_foreignZonesListed == 0;
    if (keep && visibleForMembership_ == membership && visibleForControls_ == controls)
        return visible_;
    visible_ = std::any_of(children_.begin(), children_.end(), [](const TOrloDockZone* z) { return z->IsVisible(); });
    visibleForMembership_ = keep ? membership : 0;
    visibleForControls_ = keep ? controls : 0;
    return visible_;
}

void TOrloDockContainerZone::GetCaption(tk::String& caption) {
    caption = tk::Latin1("Orientation : ") + OrientationName(Orientation()) + tk::Latin1(" Width= ") +
              tk::IntToStr(Width()) + tk::Latin1(" Height=") + tk::IntToStr(Height());
}

bool TOrloDockContainerZone::IsActive() {
    for (TOrloDockZone* child : children_)
        if (child->IsActive())
            return true;
    return false;
}

void TOrloDockContainerZone::ResolveControls(tk::Component* owner) {
    for (int i = 0; i < ChildCount(); ++i)
        Child(i)->ResolveControls(owner);
}

TOrloDockZone* TOrloDockContainerZone::ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) {
    if (!tk::PtInRect(Bounds(), point))
        return nullptr;
    if (!docking && PtInSplitter(point)) {
        hitArea = zhSplitter;
        return this;
    }
    for (int i = 0; i < ChildCount(); ++i) {
        TOrloDockZone* child = Child(i);
        if (!child->IsVisible())
            continue;
        if (TOrloDockZone* zone = child->ZoneAtPoint(point, docking, hitArea))
            return zone;
    }
    return nullptr;
}

bool TOrloDockContainerZone::GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect,
                                         tk::Align position) {
    target->GetScreenBounds(rect);
    const tk::Rect targetScreen = rect;
    tk::Rect targetBounds;
    target->GetBounds(targetBounds);
    int h = targetBounds.Height();
    int w = targetBounds.Width();
    if (h == 0)
        h = 75;
    if (w == 0)
        w = 75;

    const int n = ChildCount();
    if (n == 0) {
        tk::Rect sourceScreen;
        source->GetScreenBounds(sourceScreen);
        h = sourceScreen.Height();
        w = sourceScreen.Width();
    } else if (n == 1) {
        h /= 2;
        w /= 2;
    } else {
        h = h / n + 1;
        w = w / n + 1;
    }

    if (ChildOrientation() == voVert || ChildOrientation() == voHorz || ChildOrientation() == voTabbed) {
        // A side gets a strip of the target; the client position keeps the whole of it.
        if (const std::optional<tk::Edge> side = tk::AlignedEdge(position))
            rect = tk::Band(rect, *side, side->Across == tk::Axis::Vertical ? h : w);
        else if (position == tk::alClient)
            rect = targetScreen;
    }
    return true;
}

void TOrloDockContainerZone::UpdateBounds() {
    if (IsLoading() || IsDestroying() || !DockSite())
        return;
    TOrloDockUpdateGuard update(DockSite());
    if (ParentZone()) {
        // A new rectangle lays the children out; each subtree is laid out once.
        tk::Rect r;
        if (PlaceInParent(r) && r != Bounds()) {
            SetBounds(r);
            return;
        }
        SetBounds(Bounds());
    } else {
        if (VisibleChildCount() == 0) {
            DockSite()->Collapse();
            return;
        }
        DockSite()->Expand();
        DockSite()->SetVisible(true);
    }
    // Children already where a layout would put them: their subtrees too.
    if (!ChildrenInPlace())
        LayOutChildren();
}

void TOrloDockContainerZone::Paint() {
    PaintBackground();
    for (int i = 0; i < ChildCount(); ++i) {
        TOrloDockZone* child = Child(i);
        // A zone squeezed to nothing paints nothing: its title bar and
        // buttons would land on its neighbours.
        if (child->IsVisible() && !child->Bounds().IsEmpty())
            child->Paint();
    }
}

// ---- container operations ----

void TOrloDockContainerZone::Normalize() {
    TOrloDockUpdateGuard update(DockSite());
    for (int i = ChildCount() - 1; i >= 0; --i)
        if (TOrloDockContainerZone* container = Child(i)->AsContainer())
            Prune(container);
}

void TOrloDockContainerZone::Prune(TOrloDockContainerZone* zone) {
    // Pruning a child changes the list only at and behind its index.
    for (int i = zone->ChildCount() - 1; i >= 0; --i)
        if (TOrloDockContainerZone* container = zone->Child(i)->AsContainer())
            Prune(container);

    TOrloDockContainerZone* parent = zone->ParentZone();
    if (!parent)
        return;
    switch (zone->ChildCount()) {
    case 0:
        parent->RemoveZone(zone);
        parent->UpdateBounds();
        zone->SetParentZoneField(nullptr);
        zone->Free();
        return;
    case 1: {
        TOrloDockZone* only = zone->Child(0);
        zone->TakeChild(only);
        parent->ReplaceZone(zone, only);
        parent->UpdateBounds();
        zone->Free();
        // In the container's place the child may arrange its own children the
        // way the parent arranges it: its children join the parent, or the
        // nesting stays, and with it shares cut from a client height that a
        // splitter strip shortens, which shrink a little at every layout.
        if (TOrloDockContainerZone* inner = only->AsContainer();
            inner && inner->ChildCount() >= 2 && inner->Orientation() == inner->ChildOrientation())
            MergeIntoParent(inner);
        return;
    }
    default:
        if (zone->Orientation() == zone->ChildOrientation())
            MergeIntoParent(zone);
        return;
    }
}

void TOrloDockContainerZone::MergeIntoParent(TOrloDockContainerZone* zone) {
    TOrloDockContainerZone* parent = zone->ParentZone();
    const int percentage = zone->ParentSizePercentage();
    int rest = percentage;
    const int index = parent->IndexOf(zone);
    parent->TakeChild(zone);
    for (int i = zone->ChildCount() - 1; i >= 0; --i) {
        TOrloDockZone* child = zone->Child(i);
        // The product first: exact in integers, so a half stays a half.
        const int share = tk::RoundHalfEven(double(child->ParentSizePercentage() * percentage) / 100.0);
        rest -= share;
        zone->TakeChild(child);
        child->SetParentZoneField(parent);
        parent->InsertChild(index, child);
        child->SetParentSizePercentage(i == 0 && rest >= 1 ? share + rest : share);
    }
    zone->SetParentZoneField(nullptr);
    zone->Free();
    parent->UpdateBounds();
}

TOrloDockControlZone* TOrloDockContainerZone::FindControlZone(const tk::Control* control) {
    // No panel is not a panel: an empty leaf must not be taken for its zone.
    if (!control)
        return nullptr;
    for (TOrloDockZone* child : children_) {
        if (TOrloDockControlZone* leaf = child->AsControlZone()) {
            if (leaf->GetControl() == control)
                return leaf;
        } else if (TOrloDockContainerZone* container = child->AsContainer()) {
            if (TOrloDockControlZone* found = container->FindControlZone(control))
                return found;
        }
    }
    return nullptr;
}

void TOrloDockContainerZone::RemoveZone(TOrloDockZone* zone) {
    if (!TakeChild(zone))
        return;
    UpdateBounds();
}

void TOrloDockContainerZone::DetachZone(TOrloDockZone* zone) { TakeChild(zone); }

void TOrloDockContainerZone::ReplaceZone(TOrloDockZone* oldZone, TOrloDockZone* newZone) {
    if (!newZone || IndexOf(oldZone) < 0)
        return;
    // A zone is listed once: a child that replaces a sibling leaves its old entry.
    if (newZone != oldZone)
        TakeChild(newZone);
    const int index = IndexOf(oldZone);
    oldZone->listIndex_ = -1;
    NoteUnlisted(oldZone);
    children_[static_cast<std::size_t>(index)] = newZone;
    NoteListed(newZone);
    MembershipChanged();
    InvalidateLayout();
    newZone->listIndex_ = index;
    newZone->SetParentSizePercentage(oldZone->ParentSizePercentage());
    newZone->SetOrientation(ChildOrientation());
    oldZone->SetParentZoneField(nullptr);
    newZone->SetParentZoneField(this);
    newZone->SetBoundsField(oldZone->Bounds());
    newZone->SetDockSite(DockSite());
    newZone->UpdateBounds();
}

int TOrloDockContainerZone::InsertZoneAfter(TOrloDockZone* zone, TOrloDockZone* after, bool update) {
    const int afterIndex = after ? IndexOf(after) : -1;
    const int index = afterIndex < 0 ? ChildCount() : afterIndex + 1;
    InsertChild(index, zone);
    if (update)
        UpdateBounds();
    return index;
}

int TOrloDockContainerZone::InsertZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) {
    const int beforeIndex = before ? IndexOf(before) : -1;
    const int index = beforeIndex < 0 ? ChildCount() : beforeIndex;
    InsertChild(index, zone);
    return index;
}

void TOrloDockContainerZone::MoveZoneAfter(TOrloDockZone* zone, TOrloDockZone* after) {
    if (zone && after) {
        TakeChild(zone);
        const int afterIndex = IndexOf(after);
        InsertChild(afterIndex < 0 ? ChildCount() : afterIndex + 1, zone);
    }
    UpdateBounds();
}

void TOrloDockContainerZone::MoveZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) {
    if (zone && before) {
        TakeChild(zone);
        const int beforeIndex = IndexOf(before);
        InsertChild(beforeIndex < 0 ? ChildCount() : beforeIndex, zone);
    }
    UpdateBounds();
}

// ---- a child shown or hidden ----

void TOrloDockContainerZone::ChildVisibilityChanged(TOrloDockZone* child, bool visible) {
    const tk::Rect bounds = Bounds();
    // Counted after the change: includes the child when it was just shown.
    const int visibleCount = VisibleChildCount();
    TOrloDockUpdateGuard update(child->DockSite());

    if (visible) {
        if (IOrloDockSiteInternal* site = child->DockSite()) {
            site->SetVisible(true);
            site->Expand();
        }
        const int minimum = child->ThemeMinimumZoneSize();
        int newSize = child->SavedSize() == -1 ? minimum : child->SavedSize();
        const int others = visibleCount - 1;
        if (others < 1) {
            ZoneVisibilityChanged(true);
            child->SetBounds(bounds);
        } else {
            const int parentExtent = child->ParentExtent();
            if (newSize > parentExtent)
                newSize = minimum;
            if (minimum * others > parentExtent - newSize)
                newSize = minimum;
            RedistributeVisibleChildren(child, bounds, -(newSize / others), newSize);
        }
    } else {
        child->SetSavedSize(child->Extent());
        if (visibleCount < 1)
            ZoneVisibilityChanged(false);
        else
            RedistributeVisibleChildren(child, bounds, child->SavedSize() / visibleCount, 0);
    }

    if (TOrloDockContainerZone* parent = child->ParentZone())
        parent->UpdateBounds();
}

void TOrloDockContainerZone::RedistributeVisibleChildren(TOrloDockZone* changed, const tk::Rect& bounds, int delta,
                                                         int newSize) {
    const bool sideBySide = ChildOrientation() == voVert;
    TOrloDockZone* previous = nullptr;
    for (int i = 0; i < ChildCount(); ++i) {
        TOrloDockZone* child = Child(i);
        if (!child->IsVisible())
            continue;
        const bool last = child->NextVisibleSibling() == nullptr;
        tk::Rect r = child->Bounds();
        if (child == changed) {
            if (sideBySide) {
                r.Top = bounds.Top;
                r.Bottom = bounds.Bottom;
            } else {
                r.Left = bounds.Left;
                r.Right = bounds.Right;
            }
        } else if (sideBySide) {
            r.Right += delta;
        } else {
            r.Bottom += delta;
        }

        // Behind the previous visible sibling, size kept.
        tk::Point corner = bounds.TopLeft();
        if (previous) {
            const tk::Rect& p = previous->Bounds();
            corner = sideBySide ? tk::Point{p.Right + 1, p.Top} : tk::Point{p.Left, p.Bottom + 1};
        }
        r = tk::OffsetRect(r, corner.X - r.Left, corner.Y - r.Top);

        if (last) {
            if (sideBySide)
                r.Right = bounds.Right;
            else
                r.Bottom = bounds.Bottom;
        } else if (child == changed) {
            if (sideBySide)
                r.Right = r.Left + newSize;
            else
                r.Bottom = r.Top + newSize;
        }
        child->SetBounds(r);
        previous = child;
    }
}

// ---- list access ----

TOrloDockZone* TOrloDockContainerZone::Child(int index) const {
    if (index < 0 || index >= ChildCount())
        return nullptr;
    return children_[static_cast<std::size_t>(index)];
}

int TOrloDockContainerZone::IndexOf(const TOrloDockZone* zone) const {
    const int index = zone ? zone->listIndex_ : -1;
    return index >= 0 && index < ChildCount() && children_[static_cast<std::size_t>(index)] == zone ? index : -1;
}

void TOrloDockContainerZone::Reindex(int from) {
    // Every change of the list ends here.
    MembershipChanged();
    InvalidateLayout();
    for (int i = std::max(from, 0); i < ChildCount(); ++i)
        children_[static_cast<std::size_t>(i)]->listIndex_ = i;
}

TOrloDockZone* TOrloDockContainerZone::FirstVisibleChild() const {
    for (TOrloDockZone* child : children_)
        if (child->IsVisible())
            return child;
    return nullptr;
}

int TOrloDockContainerZone::VisibleChildCount() const {
    return static_cast<int>(
        std::count_if(children_.begin(), children_.end(), [](const TOrloDockZone* z) { return z->IsVisible(); }));
}

bool TOrloDockContainerZone::TakeChild(TOrloDockZone* zone) {
    const int index = IndexOf(zone);
    if (index < 0)
        return false;
    children_.erase(children_.begin() + index);
    zone->listIndex_ = -1;
    NoteUnlisted(zone);
    Reindex(index);
    return true;
}

void TOrloDockContainerZone::InsertChild(int index, TOrloDockZone* zone) {
    index = std::clamp(index, 0, ChildCount());
    children_.insert(children_.begin() + index, zone);
    NoteListed(zone);
    Reindex(index);
}

void TOrloDockContainerZone::ExchangeChildren(int index1, int index2) {
    if (!Child(index1) || !Child(index2))
        return;
    std::swap(children_[static_cast<std::size_t>(index1)], children_[static_cast<std::size_t>(index2)]);
    Reindex(std::min(index1, index2));
}

void TOrloDockContainerZone::ClearChildren() {
    std::vector<TOrloDockZone*> children;
    children.swap(children_);
    MembershipChanged();
    InvalidateLayout();
    for (TOrloDockZone* child : children) {
        child->listIndex_ = -1;
        NoteUnlisted(child);
        child->SetParentZoneField(nullptr);
        child->Free();
    }
}

TOrloDockZone* TOrloDockContainerZone::FindZoneByID(const tk::String& id) {
    if (ZoneID() == id)
        return this;
    for (TOrloDockZone* child : children_) {
        if (child->ZoneID() == id)
            return child;
        if (TOrloDockContainerZone* container = child->AsContainer())
            if (TOrloDockZone* found = container->FindZoneByID(id))
                return found;
    }
    return nullptr;
}

// ---- component ----

void TOrloDockContainerZone::GetProperties(tk::PropertyList& list) {
    TOrloDockZone::GetProperties(list);
    list.AddEnum(
        tk::Latin1("ChildOrientation"), OrientationIdentifiers(), [this] { return int(childOrientation_); },
        [this](int value) {
            if (value >= voNoOrient && value <= voTabbed)
                childOrientation_ = TOrloDockOrientation(value);
        });
}

void TOrloDockContainerZone::GetChildren(const std::function<void(tk::Component*)>& proc, tk::Component* root) {
    (void)root;
    for (TOrloDockZone* child : children_)
        proc(child);
}

tk::String TOrloDockContainerZone::ClassName() const { return tk::Latin1("TOrloDockContainerZone"); }

void CollectLeaves(TOrloDockZone* zone, std::vector<TOrloDockControlZone*>& leaves) {
    if (TOrloDockControlZone* leaf = zone->AsControlZone()) {
        leaves.push_back(leaf);
        return;
    }
    if (TOrloDockContainerZone* container = zone->AsContainer())
        for (int i = 0; i < container->ChildCount(); ++i)
            CollectLeaves(container->Child(i), leaves);
}

std::vector<TOrloDockablePanel*> CollectPanels(TOrloDockZone* zone) {
    std::vector<TOrloDockablePanel*> panels;
    if (!zone)
        return panels;
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(zone, leaves);
    for (TOrloDockControlZone* leaf : leaves)
        if (leaf->Panel())
            panels.push_back(leaf->Panel());
    return panels;
}
