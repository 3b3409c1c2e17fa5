#include <orlodock/docking/OrloDockZone.h>

#include <orlodock/docking/OrloDockContainerZone.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/control.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/guid.h>
#include <orlodock/tk/streaming.h>

namespace {

const char* const kUnitName = "OrloDockZones";

// Pixels that `percentage` percent of `extent` make.
int PercentOf(int extent, int percentage) { return tk::RoundHalfEven(double(extent * percentage) / 100.0); }

tk::String Text(const char* latin1) { return tk::String::fromLatin1(latin1); }

} // namespace

// ---------------------------------------------------------------------------

TOrloDockUpdateGuard::TOrloDockUpdateGuard(IOrloDockSiteInternal* site) : site_(site) {
    if (site_)
        site_->BeginUpdate();
}

TOrloDockUpdateGuard::~TOrloDockUpdateGuard() {
    if (site_)
        site_->EndUpdate();
}

// ---------------------------------------------------------------------------

TOrloDockZone::TOrloDockZone(tk::Component* owner) : tk::Component(owner), zoneID_(tk::CreateGuidString()) {
    // Creating any zone pulls in the class registration, so a program that
    // only reads zones from a stream still finds them by name.
    RegisterDockZoneClasses();
}

TOrloDockZone::~TOrloDockZone() {
    // A zone freed with a plain delete still must not stay listed.
    if (parentZone_ && !parentZone_->IsDestroying())
        parentZone_->TakeChild(this);
    LeaveSite();
}

void TOrloDockZone::BeforeDestruction() {
    // A zone freed while its parent still lists it would leave a dangling
    // entry behind; a container that is going away has emptied its list first.
    if (parentZone_ && !parentZone_->IsDestroying())
        parentZone_->TakeChild(this);
    parentZone_ = nullptr;
    LeaveSite();
    tk::Component::BeforeDestruction();
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

// ---- virtual operations ----

void TOrloDockZone::SetBounds(const tk::Rect& bounds) {
    TOrloDockUpdateGuard update(DockSite());
    bounds_ = bounds;
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
    if (!parentZone_ && dynamic_cast<TOrloDockRootZone*>(this)) {
        // The root lays out the whole tree, collapsing or expanding the site.
        TOrloDockUpdateGuard update(DockSite());
        UpdateBounds();
        return;
    }
    tk::Assert(parentZone_ != nullptr, "ZoneVisibilityChanged  - ParentZone is nil", kUnitName);

    TOrloDockContainerZone* parent = parentZone_;
    const tk::Rect parentBounds = parent->Bounds();
    // Counted after the change: includes this zone when it was just shown.
    const int visibleCount = parent->VisibleChildCount();
    TOrloDockUpdateGuard update(DockSite());

    if (visible) {
        if (IOrloDockSiteInternal* site = DockSite()) {
            site->SetVisible(true);
            site->Expand();
        }
        const int minimum = ThemeMinimumZoneSize();
        int newSize = savedSize_ == -1 ? minimum : savedSize_;
        const int others = visibleCount - 1;
        if (others < 1) {
            parent->ZoneVisibilityChanged(true);
            SetBounds(parentBounds);
        } else {
            const int parentExtent = ParentExtent();
            if (newSize > parentExtent)
                newSize = minimum;
            if (minimum * others > parentExtent - newSize)
                newSize = minimum;
            RedistributeVisibleChildren(parentBounds, -(newSize / others), newSize);
        }
    } else {
        savedSize_ = Extent();
        if (visibleCount < 1)
            parent->ZoneVisibilityChanged(false);
        else
            RedistributeVisibleChildren(parentBounds, savedSize_ / visibleCount, 0);
    }

    if (parentZone_)
        parentZone_->UpdateBounds();
}

void TOrloDockZone::RedistributeVisibleChildren(const tk::Rect& parentBounds, int delta, int newSize) {
    TOrloDockContainerZone* parent = parentZone_;
    const bool sideBySide = parent->ChildOrientation() == voVert;
    TOrloDockZone* previous = nullptr;
    for (int i = 0; i < parent->ChildCount(); ++i) {
        TOrloDockZone* child = parent->Child(i);
        if (!child->IsVisible())
            continue;
        const bool last = child->NextVisibleSibling() == nullptr;
        tk::Rect r = child->Bounds();
        if (child == this) {
            if (sideBySide) {
                r.Top = parentBounds.Top;
                r.Bottom = parentBounds.Bottom;
            } else {
                r.Left = parentBounds.Left;
                r.Right = parentBounds.Right;
            }
        } else if (sideBySide) {
            r.Right += delta;
        } else {
            r.Bottom += delta;
        }

        // Behind the previous visible sibling, size kept.
        tk::Point corner = parentBounds.TopLeft();
        if (previous) {
            const tk::Rect& p = previous->Bounds();
            corner = sideBySide ? tk::Point{p.Right + 1, p.Top} : tk::Point{p.Left, p.Bottom + 1};
        }
        r = tk::OffsetRect(r, corner.X - r.Left, corner.Y - r.Top);

        if (last) {
            if (sideBySide)
                r.Right = parentBounds.Right;
            else
                r.Bottom = parentBounds.Bottom;
        } else if (child == this) {
            if (sideBySide)
                r.Right = r.Left + newSize;
            else
                r.Bottom = r.Top + newSize;
        }
        child->SetBounds(r);
        previous = child;
    }
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
    if (!parentZone_)
        return;

    tk::Rect p = parentZone_->Bounds();
    parentZone_->AdjustClientRect(p);
    tk::Rect r;
    switch (orientation_) {
    case voNoOrient:
        r = p;
        break;
    case voVert: {
        r.Top = p.Top;
        r.Bottom = p.Bottom;
        const TOrloDockZone* previous = PrevVisibleSibling();
        r.Left = previous ? previous->Bounds().Right + 1 : p.Left;
        // Measured against the parent's full width, splitter strip included.
        r.Right = NextVisibleSibling() ? r.Left + PercentOf(ParentExtent(), parentSizePercentage_) : p.Right;
        break;
    }
    case voHorz: {
        r.Left = p.Left;
        r.Right = p.Right;
        const TOrloDockZone* previous = PrevVisibleSibling();
        r.Top = previous ? previous->Bounds().Bottom + 1 : p.Top;
        // Measured against the parent's client height.
        r.Bottom = NextVisibleSibling() ? r.Top + PercentOf(p.Bottom - p.Top, parentSizePercentage_) : p.Bottom;
        break;
    }
    default:
        // Only leaves stand in tab groups, and they place themselves.
        return;
    }
    SetBounds(r);
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

TOrloDockZone* TOrloDockZone::NextSibling() const {
    if (!parentZone_)
        return nullptr;
    const int index = parentZone_->IndexOf(this);
    return index < 0 ? nullptr : parentZone_->Child(index + 1);
}

TOrloDockZone* TOrloDockZone::PrevSibling() const {
    if (!parentZone_)
        return nullptr;
    const int index = parentZone_->IndexOf(this);
    return index < 1 ? nullptr : parentZone_->Child(index - 1);
}

TOrloDockZone* TOrloDockZone::NextVisibleSibling() const {
    TOrloDockZone* zone = NextSibling();
    while (zone && !zone->IsVisible())
        zone = zone->NextSibling();
    return zone;
}

TOrloDockZone* TOrloDockZone::PrevVisibleSibling() const {
    TOrloDockZone* zone = PrevSibling();
    while (zone && !zone->IsVisible())
        zone = zone->PrevSibling();
    return zone;
}

bool TOrloDockZone::IsOnlyChild() const { return parentZone_ && !NextSibling() && !PrevSibling(); }

bool TOrloDockZone::PtInTitleBar(tk::Point point) {
    tk::IPtr<IOrloDockTheme> theme = Theme();
    if (!theme)
        return false;
    tk::Rect rect;
    theme->GetTitleBarRect(ZoneIntf(), rect);
    return tk::PtInRect(rect, point);
}

bool TOrloDockZone::PtInCloseButton(tk::Point point) {
    tk::IPtr<IOrloDockTheme> theme = Theme();
    if (!theme)
        return false;
    tk::Rect rect;
    theme->GetCloseButtonRect(ZoneIntf(), rect);
    return tk::PtInRect(rect, point);
}

bool TOrloDockZone::PtInPinButton(tk::Point point) {
    tk::IPtr<IOrloDockTheme> theme = Theme();
    if (!theme)
        return false;
    tk::Rect rect;
    theme->GetPinButtonRect(ZoneIntf(), rect);
    return tk::PtInRect(rect, point);
}

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

int TOrloDockZone::ThemeMinimumZoneSize() const {
    tk::IPtr<IOrloDockTheme> theme = Theme();
    return theme ? theme->GetMinimumZoneSize() : 10;
}

int TOrloDockZone::SplitterSize() const {
    tk::IPtr<IOrloDockTheme> theme = Theme();
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
        Text("ZoneID"), [this] { return zoneID_; }, [this](const tk::String& id) { SetZoneID(id); });
    list.AddEnum(
        Text("Orientation"), OrientationIdentifiers(), [this] { return int(orientation_); },
        [this](int value) {
            if (value >= voNoOrient && value <= voTabbed)
                orientation_ = TOrloDockOrientation(value);
        });
    list.AddComponent(
        Text("ParentZone"), [this]() -> tk::Component* { return parentZone_; },
        [this](tk::Component* component) {
            auto* container = dynamic_cast<TOrloDockContainerZone*>(component);
            // While reading, the link comes from the reader's parent; an
            // unnamed reference that resolves to nothing must not cut it.
            if (!container && (component || IsLoading()))
                return;
            SetParentZone(container);
        });
    list.AddInteger(
        Text("ParentSizePercentage"), [this] { return std::int64_t(parentSizePercentage_); },
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

tk::String TOrloDockZone::ClassName() const { return Text("TOrloDockZone"); }
