#include <orlodock/docking/OrloDockZone.h>

#include <algorithm>
#include <utility>

#include <orlodock/docking/OrloDockContainerZone.h>
#include <orlodock/tk/control.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/guid.h>
#include <orlodock/tk/streaming.h>

namespace {

const char* const kUnitName = "OrloDockZones";

// Pixels that `percentage` percent of `extent` make. The product first, in
// 64 bits: exact, so a half stays a half, and a wide site cannot overflow it.
int PercentOf(int extent, int percentage) {
    return tk::RoundHalfEven(double(std::int64_t(extent) * percentage) / 100.0);
}

std::uint64_t g_membershipChanges = 1;

} // namespace

std::uint64_t TOrloDockZone::MembershipChanges() { return g_membershipChanges; }

void TOrloDockZone::MembershipChanged() { ++g_membershipChanges; }

// ---------------------------------------------------------------------------

namespace {

// The component behind a site, looked up once per site: a bracket opens and
// closes around every change of every zone, and the lookup is a cross cast.
tk::Component* SiteComponent(IOrloDockSiteInternal* site) {
    static IOrloDockSiteInternal* lastSite = nullptr;
    // Clears itself when that site is freed, so a new one at its address is looked up anew.
    static tk::ComponentRef<tk::Component> lastComponent;
    if (site != lastSite || !lastComponent.get()) {
        lastSite = site;
        lastComponent = dynamic_cast<tk::Component*>(site);
    }
    return lastComponent.get();
}

} // namespace

TOrloDockUpdateGuard::TOrloDockUpdateGuard(IOrloDockSiteInternal* site) : site_(site) {
    if (!site)
        return;
    if (tk::Component* component = SiteComponent(site)) {
        life_ = component;
        isComponent_ = true;
    }
    site->BeginUpdate();
}

TOrloDockUpdateGuard::~TOrloDockUpdateGuard() {
    if (site_ && (!isComponent_ || life_.get()))
        site_->EndUpdate();
}

// ---------------------------------------------------------------------------

TOrloDockZone::TOrloDockZone(tk::Component* owner) : tk::Component(owner), zoneID_(tk::CreateGuidString()) {}

TOrloDockZone::~TOrloDockZone() {
    // A container that is going away has emptied its list first.
    if (TOrloDockContainerZone* parent = std::exchange(parentZone_, nullptr); parent && !parent->IsDestroying())
        parent->RemoveZone(this);
    LeaveSite();
}

void TOrloDockZone::SetParentZone(TOrloDockContainerZone* parent) {
    if (parent == parentZone_)
        return;
    if (parentZone_)
        parentZone_->RemoveZone(this);
    parentZone_ = parent;
    if (!parent)
        return;
    SetDockSite(parent->DockSite());
    // The orientation has to be the new parent's before the parent lays this
    // zone out: the share is measured along it.
    orientation_ = parent->ChildOrientation();
    parent->InsertZoneAfter(this, nullptr, true);
}

void TOrloDockZone::SetOrientation(TOrloDockOrientation orientation) {
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    ParentLayoutChanged();
}

void TOrloDockZone::SetBoundsField(const tk::Rect& bounds) {
    if (bounds == bounds_)
        return;
    bounds_ = bounds;
    ParentLayoutChanged();
}

void TOrloDockZone::SetParentSizePercentage(int percentage) {
    if (percentage == parentSizePercentage_)
        return;
    parentSizePercentage_ = percentage;
    ParentLayoutChanged();
}

void TOrloDockZone::ParentLayoutChanged() {
    // Moved by its parent's own layout, the zone is where that layout puts it.
    if (parentZone_ && !parentZone_->layingOut_)
        parentZone_->InvalidateLayout();
}

void TOrloDockZone::AncestorLayoutsChanged() {
    if (parentZone_)
        parentZone_->InvalidateLayout();
}

// ---- virtual operations ----

void TOrloDockZone::SetBounds(const tk::Rect& bounds) {
    TOrloDockUpdateGuard update(DockSite());
    SetBoundsField(bounds);
    if (!IsLoading())
        UpdateParentSizePercentage();
}

int TOrloDockZone::GetMinimumSize() const { return ThemeMinimumZoneSize(); }

void TOrloDockZone::SetDockSite(IOrloDockSiteInternal* site) {
    if (site != dockSite_.get())
        LeaveSite();
    dockSite_ = tk::IPtr<IOrloDockSiteInternal>(site);
}

void TOrloDockZone::LeaveSite() {
    // The site may hold this zone as the one under the mouse or being dragged.
    if (tk::IPtr<IOrloDockSiteInternal> site = std::move(dockSite_))
        site->ZoneLeaving(this);
}

void TOrloDockZone::GetCaption(tk::String& caption) { caption.clear(); }

bool TOrloDockZone::IsActive() { return false; }

void TOrloDockZone::ExcludeSplitter(tk::Rect& rect) {
    if (!NextVisibleSibling())
        return;
    if (orientation_ == voVert)
        rect.Right -= SplitterSize();
    else
        rect.Bottom -= SplitterSize();
}

void TOrloDockZone::ZoneVisibilityChanged(bool visible) {
    tk::Assert(parentZone_ != nullptr, "ZoneVisibilityChanged  - ParentZone is nil", kUnitName);
    parentZone_->ChildVisibilityChanged(this, visible);
}

void TOrloDockZone::UpdateParentSizePercentage() {
    if (!parentZone_) {
        parentSizePercentage_ = 100;
        return;
    }
    const int parentExtent = ParentExtent();
    if (parentExtent != 0)
        parentSizePercentage_ = tk::RoundHalfEven(double(Extent()) / double(parentExtent) * 100.0);
}

int TOrloDockZone::GetDockMargin() const { return 15; }

bool TOrloDockZone::AcceptsTabDock() const { return false; }

void TOrloDockZone::ResolveControls(tk::Component* owner) { (void)owner; }

TOrloDockZone* TOrloDockZone::ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) {
    (void)point;
    (void)docking;
    (void)hitArea;
    return nullptr;
}

void TOrloDockZone::GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect) {
    const tk::Rect saved = bounds_;
    position = tk::alNone;
    struct Restore {
        TOrloDockZone* zone;
        tk::Rect bounds;
        ~Restore() { zone->bounds_ = bounds; }
    } restore{this, saved};

    if (!IsVisible()) {
        rect = saved;
        position = orientation_ == voHorz ? tk::alTop : tk::alLeft;
        ExcludeSplitter(rect);
        return;
    }
    if (AcceptsTabDock() && PtInTitleBar(point)) {
        rect = saved;
        position = tk::alClient;
        ExcludeSplitter(rect);
        return;
    }

    const int margin = parentZone_ ? parentZone_->GetDockMargin() : GetDockMargin();
    if (parentZone_)
        bounds_ = tk::InflateRect(saved, -margin, -margin);
    tk::Rect z = bounds_;
    if (!IsContainer()) {
        if (tk::IPtr<IOrloDockTheme> theme = Theme()) {
            tk::Rect titleBar;
            theme->GetTitleBarRect(ZoneIntf(), titleBar);
            z.Top = titleBar.Bottom;
        }
    }

    const int x = point.X;
    const int y = point.Y;
    const bool nearLeft = z.Left + margin > x;
    const bool nearRight = x > z.Right - margin;
    if (z.Top + margin > y) {
        if (nearLeft)
            position = y - z.Top > x - z.Left ? tk::alLeft : tk::alTop;
        else if (nearRight)
            position = y - z.Top > z.Right - x ? tk::alRight : tk::alTop;
        else
            position = tk::alTop;
    } else if (y > z.Bottom - margin) {
        if (nearLeft)
            position = z.Bottom - y > x - z.Left ? tk::alLeft : tk::alBottom;
        else if (nearRight)
            position = z.Bottom - y > z.Right - x ? tk::alRight : tk::alBottom;
        else
            position = tk::alBottom;
    } else if (nearLeft) {
        position = tk::alLeft;
    } else if (nearRight) {
        position = tk::alRight;
    }

    rect = saved;
    // The half of the zone on the side the panel would go to.
    if (const std::optional<tk::Edge> side = tk::AlignedEdge(position))
        rect = tk::Band(rect, *side, tk::Extent(rect, side->Across) / 2);
    ExcludeSplitter(rect);
}

void TOrloDockZone::CloseZone() {}

void TOrloDockZone::UpdateBounds() {
    if (IsLoading() || IsDestroying() || !dockSite_)
        return;
    TOrloDockUpdateGuard update(DockSite());
    tk::Rect r;
    if (PlaceInParent(r))
        SetBounds(r);
}

bool TOrloDockZone::PlaceInParent(tk::Rect& r) const {
    if (!parentZone_)
        return false;
    // A parent with no room has an empty client area, not an inverted one.
    tk::Rect p = parentZone_->Bounds();
    parentZone_->AdjustClientRect(p);
    p = tk::NonInverted(p);
    if (orientation_ == voNoOrient) {
        r = p;
        return true;
    }
    // Only leaves stand in tab groups, and they place themselves.
    if (orientation_ != voVert && orientation_ != voHorz)
        return false;
    const tk::Axis axis = ArrangementAxis(orientation_);
    const TOrloDockZone* previous = PrevVisibleSibling();
    const int clientEnd = tk::End(p, axis);
    const int start = std::min(previous ? tk::End(previous->Bounds(), axis) + 1 : tk::Start(p, axis), clientEnd);
    int end = clientEnd;
    if (NextVisibleSibling()) {
        // Side by side the share is taken of the parent's full width,
        // splitter strip included; stacked, of its client height.
        const int base = orientation_ == voVert ? ParentExtent() : tk::Extent(p, axis);
        // In 64 bits: a share far out of range saturates its pixels, which must not overflow the sum.
        end = int(std::clamp(std::int64_t(start) + PercentOf(base, parentSizePercentage_), std::int64_t(start),
                             std::int64_t(clientEnd)));
    }
    r = tk::WithSpan(p, axis, start, end);
    return true;
}

void TOrloDockZone::Paint() {}

void TOrloDockZone::PaintBackground() {
    if (tk::IPtr<IOrloDockTheme> theme = Theme())
        theme->PaintZoneBackground(ZoneIntf());
}

void TOrloDockZone::PaintTitleBar() {}

void TOrloDockZone::AdjustClientRect(tk::Rect& rect) { ExcludeSplitter(rect); }

void TOrloDockZone::GetScreenBounds(tk::Rect& rect) {
    tk::Control* control = dockSite_ ? dockSite_->GetControl() : nullptr;
    if (!control) {
        rect = bounds_;
        return;
    }
    const tk::Point topLeft = control->ClientToScreen(bounds_.TopLeft());
    const tk::Point bottomRight = control->ClientToScreen(bounds_.BottomRight());
    rect = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

// ---- helpers ----

int TOrloDockZone::Extent() const { return orientation_ == voVert ? Width() : Height(); }

int TOrloDockZone::ParentExtent() const {
    if (parentZone_)
        return parentZone_->ChildOrientation() == voVert ? parentZone_->Width() : parentZone_->Height();
    tk::Control* control = dockSite_ ? dockSite_->GetControl() : nullptr;
    if (!control)
        return 0;
    return orientation_ == voVert ? control->Width() : control->Height();
}

TOrloDockZone* TOrloDockZone::SiblingAt(int step, bool visibleOnly) const {
    // The parent keeps every child's index, so each step is one lookup.
    const int index = parentZone_ ? parentZone_->IndexOf(this) : -1;
    if (index < 0)
        return nullptr;
    for (int i = index + step; TOrloDockZone* zone = parentZone_->Child(i); i += step)
        if (!visibleOnly || zone->IsVisible())
            return zone;
    return nullptr;
}

TOrloDockZone* TOrloDockZone::NextSibling() const { return SiblingAt(1, false); }

TOrloDockZone* TOrloDockZone::PrevSibling() const { return SiblingAt(-1, false); }

TOrloDockZone* TOrloDockZone::NextVisibleSibling() const { return SiblingAt(1, true); }

TOrloDockZone* TOrloDockZone::PrevVisibleSibling() const { return SiblingAt(-1, true); }

bool TOrloDockZone::Contains(const TOrloDockZone* zone) const {
    if (zone == this)
        return true;
    const TOrloDockContainerZone* container = AsContainer();
    if (!container)
        return false;
    for (int i = 0; i < container->ChildCount(); ++i)
        if (container->Child(i)->Contains(zone))
            return true;
    return false;
}

bool TOrloDockZone::IsOnlyChild() const { return parentZone_ && !NextSibling() && !PrevSibling(); }

bool TOrloDockZone::PtInThemeRect(tk::Point point, void (IOrloDockTheme::*partRect)(IOrloDockZone*, tk::Rect&)) {
    tk::IPtr<IOrloDockTheme> theme = Theme();
    if (!theme)
        return false;
    tk::Rect rect;
    (theme.get()->*partRect)(ZoneIntf(), rect);
    return tk::PtInRect(rect, point);
}

bool TOrloDockZone::PtInTitleBar(tk::Point point) { return PtInThemeRect(point, &IOrloDockTheme::GetTitleBarRect); }

bool TOrloDockZone::PtInCloseButton(tk::Point point) {
    return PtInThemeRect(point, &IOrloDockTheme::GetCloseButtonRect);
}

bool TOrloDockZone::PtInPinButton(tk::Point point) { return PtInThemeRect(point, &IOrloDockTheme::GetPinButtonRect); }

bool TOrloDockZone::PtInSplitter(tk::Point point) {
    // Tabs share one rectangle and have no splitters of their own.
    if (orientation_ == voTabbed || !NextVisibleSibling())
        return false;
    tk::Rect strip = bounds_;
    if (orientation_ == voVert)
        strip.Left = strip.Right - SplitterSize();
    else
        strip.Top = strip.Bottom - SplitterSize();
    return tk::PtInRect(strip, point);
}

TOrloDockHitArea TOrloDockZone::HitAreaAt(tk::Point point) {
    if (PtInPinButton(point))
        return zhPinButton;
    if (PtInCloseButton(point))
        return zhCloseButton;
    if (PtInTitleBar(point))
        return zhTitleBar;
    if (PtInSplitter(point))
        return zhSplitter;
    return zhClient;
}

tk::IPtr<IOrloDockTheme> TOrloDockZone::Theme() const {
    tk::IPtr<IOrloDockTheme> theme;
    if (dockSite_)
        dockSite_->GetTheme(theme);
    return theme;
}

IOrloDockTheme* TOrloDockZone::ThemeInUse() const { return dockSite_ ? dockSite_->ThemeInUse() : nullptr; }

int TOrloDockZone::ThemeMinimumZoneSize() const {
    IOrloDockTheme* theme = ThemeInUse();
    return theme ? theme->GetMinimumZoneSize() : 10;
}

int TOrloDockZone::SplitterSize() const {
    IOrloDockTheme* theme = ThemeInUse();
    return theme ? theme->GetZoneSplitterSize() : 0;
}

// ---- IOrloDockZone ----

tk::Canvas* TOrloDockZone::GetCanvas() { return dockSite_ ? dockSite_->GetCanvas() : nullptr; }

TOrloDockOrientation TOrloDockZone::GetParentOrientation() {
    return parentZone_ ? parentZone_->Orientation() : voNoOrient;
}

// ---- component ----

bool TOrloDockZone::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockZone>(this, iid, out) || tk::Component::QueryInterface(iid, out);
}

void TOrloDockZone::GetProperties(tk::PropertyList& list) {
    tk::Component::GetProperties(list);
    list.AddString(
        tk::Latin1("ZoneID"), [this] { return zoneID_; }, [this](const tk::String& id) { SetZoneID(id); });
    list.AddEnum(
        tk::Latin1("Orientation"), OrientationIdentifiers(), [this] { return int(orientation_); },
        [this](int value) {
            if (value >= voNoOrient && value <= voTabbed)
                orientation_ = TOrloDockOrientation(value);
        });
    list.AddComponent(
        tk::Latin1("ParentZone"), [this]() -> tk::Component* { return parentZone_; },
        [this](tk::Component* component) {
            auto* container = dynamic_cast<TOrloDockContainerZone*>(component);
            // While reading, the link comes from the reader's parent; an
            // unnamed reference that resolves to nothing must not cut it.
            if (!container && (component || IsLoading()))
                return;
            SetParentZone(container);
        });
    list.AddInteger(
        // A zone without room measures less than nothing; what is stored is a part of the parent.
        tk::Latin1("ParentSizePercentage"), [this] { return std::int64_t(std::clamp(parentSizePercentage_, 0, 100)); },
        [this](std::int64_t value) { parentSizePercentage_ = int(value); });
}

void TOrloDockZone::ReadState(tk::Reader& reader) {
    tk::Component::ReadState(reader);
    if (auto* container = dynamic_cast<TOrloDockContainerZone*>(reader.Parent()))
        parentZone_ = container;
}

tk::Component* TOrloDockZone::GetParentComponent() const { return parentZone_; }

tk::Component* TOrloDockZone::GetChildOwner() { return parentZone_; }

void TOrloDockZone::SetParentComponent(tk::Component* parent) {
    auto* container = dynamic_cast<TOrloDockContainerZone*>(parent);
    if (!container)
        return;
    // Zones belong to their container alone: the reader creates them with an
    // owner, and a second owner would free them a second time.
    if (Owner())
        Owner()->RemoveComponent(this);
    if (container == parentZone_ && container->IndexOf(this) < 0) {
        // The link is already set (the reader's parent) but the list lacks us.
        orientation_ = container->ChildOrientation();
        container->InsertZoneAfter(this, nullptr, true);
        return;
    }
    SetParentZone(container);
}

tk::String TOrloDockZone::ClassName() const { return tk::Latin1("TOrloDockZone"); }
