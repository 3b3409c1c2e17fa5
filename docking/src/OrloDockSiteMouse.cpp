#include "OrloDockSiteMouse.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include <orlodock/docking/OrloDockZones.h>

namespace {

// Splitter thickness and minimum zone size when no theme can be asked.
constexpr int kDefaultSplitterSize = 4;
// How far a pressed title bar moves before its zone is torn off.
constexpr int kTearOffDistance = 5;
constexpr int kDefaultMinimumZoneSize = 10;

bool IsTitleBarButton(TOrloDockHitArea kind) { return kind == zhCloseButton || kind == zhPinButton; }

tk::Cursor ResizeCursor(TOrloDockOrientation orientation) {
    switch (orientation) {
    case voVert:
        return tk::crHSplit;
    case voHorz:
    case voTabbed:
        return tk::crVSplit;
    default:
        return tk::crDefault;
    }
}

// How the zone and its next sibling are arranged, which decides the direction of their splitter.
TOrloDockOrientation SplitOrientation(const TOrloDockZone* zone) {
    const TOrloDockContainerZone* parent = zone->ParentZone();
    return parent ? parent->ChildOrientation() : voNoOrient;
}

// The axis the splitter after the zone moves along.
tk::Axis SplitAxis(const TOrloDockZone* zone) { return ArrangementAxis(SplitOrientation(zone)); }

void ReleasePressed(TOrloDockZone* zone) {
    bool released = false;
    if (zone->CloseButtonState() == dbsPressed) {
        zone->SetCloseButtonState(dbsNormal);
        released = true;
    }
    if (zone->PinButtonState() == dbsPressed) {
        zone->SetPinButtonState(dbsNormal);
        released = true;
    }
    if (released)
        zone->PaintTitleBar();
    if (TOrloDockContainerZone* container = zone->AsContainer())
        for (int i = 0; i < container->ChildCount(); ++i)
            ReleasePressed(container->Child(i));
}

} // namespace

TOrloDockSiteMouse::TOrloDockSiteMouse(TOrloDockSite& site) : site_(site), patternBrush_(tk::DragBarBrush()) {}

// ---- hit test and hover ----

TOrloDockZone* TOrloDockSiteMouse::HitTest(tk::Point point, TOrloDockHitArea& kind) {
    kind = zhNone;
    TOrloDockRootZone* root = site_.RootZone();
    if (!root)
        return nullptr;
    TOrloDockZone* zone = root->ZoneAtPoint(point, false, kind);
    if (!zone) {
        kind = zhNone;
        return nullptr;
    }
    // A tab group answers with its current tab, but the buttons drawn in its
    // title bar and its splitter are the group's.
    if (IsTitleBarButton(kind) || kind == zhSplitter)
        if (TOrloDockContainerZone* parent = zone->ParentZone(); parent && parent->AsTabGroup())
            return parent;
    return zone;
}

void TOrloDockSiteMouse::HoverOver(TOrloDockZone* hit, TOrloDockHitArea kind) {
    if (hit != activeZone_) {
        if (activeZone_ && IsTitleBarButton(mouseState_)) {
            activeZone_->SetCloseButtonState(dbsNormal);
            activeZone_->SetPinButtonState(dbsNormal);
            activeZone_->PaintTitleBar();
        }
        if (hit) {
            if (kind == zhCloseButton)
                hit->SetCloseButtonState(dbsHot);
            else if (kind == zhPinButton)
                hit->SetPinButtonState(dbsHot);
            if (IsTitleBarButton(kind))
                hit->PaintTitleBar();
        }
    } else if (hit && kind != mouseState_) {
        hit->SetCloseButtonState(dbsNormal);
        hit->SetPinButtonState(dbsNormal);
        if (kind == zhCloseButton)
            hit->SetCloseButtonState(dbsHot);
        else if (kind == zhPinButton)
            hit->SetPinButtonState(dbsHot);
        if (IsTitleBarButton(mouseState_) || IsTitleBarButton(kind))
            hit->PaintTitleBar();
    }
    activeZone_ = hit;
    mouseState_ = kind;
}

void TOrloDockSiteMouse::TrackHeldButton(tk::Point point) {
    TOrloDockHitArea kind = zhNone;
    TOrloDockZone* hit = HitTest(point, kind);
    const bool close = dragState_ == TOrloDockDragState::ClosePressed;
    if (activeZone_ && activeZone_ == hit && kind != mouseState_) {
        const auto state = kind == (close ? zhCloseButton : zhPinButton) ? dbsPressed : dbsNormal;
        if (close)
            activeZone_->SetCloseButtonState(state);
        else
            activeZone_->SetPinButtonState(state);
        activeZone_->PaintTitleBar();
    }
    activeZone_ = hit;
    mouseState_ = kind;
}

void TOrloDockSiteMouse::ReleasePressedButtons() {
    if (TOrloDockRootZone* root = site_.RootZone())
        ReleasePressed(root);
}

void TOrloDockSiteMouse::ZoneLeaving(TOrloDockZone* zone) {
    if (zone == activeZone_) {
        activeZone_ = nullptr;
        mouseState_ = zhNone;
    }
    if (zone == splitZone_) {
        HideDragBar();
        splitZone_ = nullptr;
    }
}

// ---- drag bars ----

int TOrloDockSiteMouse::ThemeSize(int (IOrloDockTheme::*size)(), int fallback) {
    tk::IPtr<IOrloDockTheme> theme;
    site_.GetTheme(theme);
    return theme ? (theme.get()->*size)() : fallback;
}

void TOrloDockSiteMouse::ShowDragBar(const tk::Rect& rect, bool onParent) {
    HideDragBar();
    tk::Control* window = onParent ? site_.Parent() : &site_;
    if (!window)
        return;
    dragBar_ = rect;
    dragBarWindow_ = window;
    window->InvertRect(rect, patternBrush_);
}

void TOrloDockSiteMouse::HideDragBar() {
    tk::Control* window = std::exchange(dragBarWindow_, nullptr);
    // Inverting the same rectangle again restores what was under the bar.
    if (window && (window == &site_ || window == site_.Parent()))
        window->InvertRect(dragBar_, patternBrush_);
}

tk::Rect TOrloDockSiteMouse::SplitterBarRect() {
    const tk::Axis axis = SplitAxis(splitZone_);
    const int at = tk::Coordinate(dragPos_, axis);
    const int thickness = ThemeSize(&IOrloDockTheme::GetZoneSplitterSize, kDefaultSplitterSize);
    return tk::WithSpan(splitZone_->Bounds(), axis, at, at + thickness);
}

// In the parent's client coordinates: where the strip will stand once the
// site has taken the distance dragged so far.
tk::Rect TOrloDockSiteMouse::EdgeBarRect() {
    const int distance = EdgeDragDistance();
    const int thickness = ThemeSize(&IOrloDockTheme::GetSiteSplitterSize, kDefaultSplitterSize);
    const tk::Rect bounds = site_.BoundsRect();
    const std::optional<tk::Edge> edge = tk::InnerEdge(site_.Align());
    if (!edge)
        return bounds;
    const tk::Axis axis = edge->Across;
    const int start = tk::Start(bounds, axis) + tk::Start(site_.EdgeSplitterRect(), axis) + edge->Outward * distance;
    return tk::WithSpan(bounds, axis, start, start + thickness);
}

// ---- splitter and edge drags ----

void TOrloDockSiteMouse::ClampSplitterDrag() {
    const tk::Axis axis = SplitAxis(splitZone_);
    const tk::Rect bounds = splitZone_->Bounds();
    const int minimum = splitZone_->GetMinimumSize();
    int at = tk::Coordinate(dragPos_, axis);
    if (minimum > at - tk::Start(bounds, axis))
        at = tk::Start(bounds, axis) + minimum;
    // The neighbour's limit is applied last: it wins when the two zones cannot both keep their minimum.
    if (TOrloDockZone* next = splitZone_->NextVisibleSibling()) {
        const int farEnd = tk::End(next->Bounds(), axis);
        const int farMinimum = next->GetMinimumSize();
        if (farMinimum > farEnd - at)
            at = farEnd - farMinimum;
    }
    tk::SetCoordinate(dragPos_, axis, at);
}

void TOrloDockSiteMouse::ApplySplitterDrag() {
    TOrloDockZone* zone = splitZone_;
    const tk::Axis axis = SplitAxis(zone);
    tk::Rect bounds = zone->Bounds();
    tk::SetEnd(bounds, axis, tk::Coordinate(dragPos_, axis));
    TOrloDockUpdateGuard update(site_.InternalIntf());
    TOrloDockZone* next = zone->NextVisibleSibling();
    zone->SetBounds(bounds);
    // The neighbour across the splitter gives or takes the difference, so
    // that zones further on keep their sizes.
    if (next) {
        tk::Rect far = next->Bounds();
        tk::SetStart(far, axis, tk::End(bounds, axis) + 1);
        next->SetBounds(far);
    }
    if (TOrloDockContainerZone* parent = zone->ParentZone())
        parent->UpdateBounds();
}

int TOrloDockSiteMouse::EdgeDragDistance() {
    const std::optional<tk::Edge> edge = tk::InnerEdge(site_.Align());
    if (!edge)
        return 0;
    const tk::Axis axis = edge->Across;
    const tk::Rect bounds = site_.BoundsRect();
    const tk::Rect room = site_.Parent() ? site_.Parent()->ClientRect() : bounds;
    const int distance = edge->Outward * (tk::Coordinate(dragPos_, axis) - tk::Coordinate(dragStart_, axis));
    const int size = tk::Extent(bounds, axis);
    // The size with the inner edge on the far side of the parent.
    const int largest = edge->Outward * (tk::EdgePosition(room, *edge) - tk::EdgePosition(bounds, edge->Opposite()));
    const int strip = tk::Extent(site_.EdgeSplitterRect(), axis);
    // The strip stays on the parent and above one zone's minimum, so that it can always be dragged back.
    const int smallest =
        std::min(size, strip + ThemeSize(&IOrloDockTheme::GetMinimumZoneSize, kDefaultMinimumZoneSize));
    return std::clamp(distance, smallest - size, std::max(largest - size, 0));
}

void TOrloDockSiteMouse::ApplyEdgeDrag() {
    const int distance = EdgeDragDistance();
    tk::Rect bounds = site_.BoundsRect();
    if (!TOrloDockSite::MoveInnerEdge(bounds, site_.Align(), distance))
        return;
    TOrloDockUpdateGuard update(site_.InternalIntf());
    site_.SetBoundsRect(bounds);
}

// ---- messages ----

void TOrloDockSiteMouse::Down(tk::MouseButton button, tk::Point point) {
    if ((button != tk::mbLeft && !site_.IsDesigning()) || !site_.RootZone())
        return;
    // A drag whose release never came (the capture was taken away) ends here.
    switch (dragState_) {
    case TOrloDockDragState::InnerEdge:
    case TOrloDockDragState::Splitter:
    case TOrloDockDragState::ClosePressed:
    case TOrloDockDragState::PinPressed:
        HideDragBar();
        edgeDragging_ = false;
        splitZone_ = nullptr;
        ReleasePressedButtons();
        dragState_ = TOrloDockDragState::Idle;
        break;
    case TOrloDockDragState::Idle:
    case TOrloDockDragState::TitleBarPressed:
    case TOrloDockDragState::TearOff:
        break;
    }
    // The press acts on what lies under it, even when no move came before it.
    if (dragState_ == TOrloDockDragState::Idle) {
        TOrloDockHitArea kind = zhNone;
        TOrloDockZone* hit = HitTest(point, kind);
        HoverOver(hit, kind);
    }
    if (activeZone_) {
        switch (mouseState_) {
        case zhTitleBar:
            // Armed only: moving the zone out of the site is the tear-off,
            // whose drag is the manager's.
            if (!site_.DockManager())
                break;
            dragPos_ = point;
            dragState_ = TOrloDockDragState::TitleBarPressed;
            site_.SetMouseCapture(true);
            break;
        case zhCloseButton:
            if (site_.IsDesigning())
                break;
            dragState_ = TOrloDockDragState::ClosePressed;
            activeZone_->SetCloseButtonState(dbsPressed);
            activeZone_->PaintTitleBar();
            break;
        case zhPinButton:
            dragState_ = TOrloDockDragState::PinPressed;
            activeZone_->SetPinButtonState(dbsPressed);
            activeZone_->PaintTitleBar();
            break;
        case zhSplitter:
            dragState_ = TOrloDockDragState::Splitter;
            splitZone_ = activeZone_;
            dragPos_ = point;
            dragStart_ = point;
            ShowDragBar(SplitterBarRect(), false);
            break;
        default:
            break;
        }
    } else if (tk::InnerEdge(site_.Align()) && site_.Parent() && site_.EdgeSplitterRect().Contains(point)) {
        dragState_ = TOrloDockDragState::InnerEdge;
        edgeDragging_ = true;
        site_.SetMouseCapture(true);
        dragPos_ = point;
        dragStart_ = point;
        ShowDragBar(EdgeBarRect(), true);
    }
}

void TOrloDockSiteMouse::Move(tk::Point point) {
    if (!site_.RootZone())
        return;
    switch (dragState_) {
    case TOrloDockDragState::Idle: {
        TOrloDockHitArea kind = zhNone;
        TOrloDockZone* hit = HitTest(point, kind);
        HoverOver(hit, kind);
        break;
    }
    case TOrloDockDragState::InnerEdge:
        dragPos_ = point;
        ShowDragBar(EdgeBarRect(), true);
        break;
    case TOrloDockDragState::Splitter:
        if (!splitZone_)
            break;
        dragPos_ = point;
        ClampSplitterDrag();
        ShowDragBar(SplitterBarRect(), false);
        break;
    case TOrloDockDragState::ClosePressed:
    case TOrloDockDragState::PinPressed:
        TrackHeldButton(point);
        break;
    case TOrloDockDragState::TitleBarPressed:
        if (std::abs(dragPos_.X - point.X) >= kTearOffDistance || std::abs(dragPos_.Y - point.Y) >= kTearOffDistance)
            TearOff();
        break;
    case TOrloDockDragState::TearOff:
        MoveFloatingWindow(point);
        break;
    }
}

void TOrloDockSiteMouse::Up(tk::MouseButton button, tk::Point point) {
    // Releasing another button does not end what the left one started.
    if ((button != tk::mbLeft && !site_.IsDesigning()) || !site_.RootZone())
        return;
    switch (dragState_) {
    case TOrloDockDragState::InnerEdge:
        site_.SetMouseCapture(false);
        HideDragBar();
        edgeDragging_ = false;
        dragPos_ = point;
        if (dragPos_ != dragStart_) {
            // Resizing the site runs the application's handlers; they may
            // free the site, and this object with it.
            std::weak_ptr<int> alive = site_.LifeToken();
            ApplyEdgeDrag();
            if (alive.expired())
                return;
        }
        break;
    case TOrloDockDragState::Splitter:
        HideDragBar();
        dragPos_ = point;
        if (splitZone_ && dragPos_ != dragStart_) {
            // Resizing panels runs the application's handlers too.
            std::weak_ptr<int> alive = site_.LifeToken();
            ClampSplitterDrag();
            ApplySplitterDrag();
            if (alive.expired())
                return;
        }
        splitZone_ = nullptr;
        break;
    case TOrloDockDragState::TitleBarPressed:
        site_.SetMouseCapture(false);
        break;
    case TOrloDockDragState::ClosePressed:
        if (activeZone_ && activeZone_->CloseButtonState() == dbsPressed) {
            TOrloDockZone* zone = activeZone_;
            zone->SetCloseButtonState(dbsNormal);
            dragState_ = TOrloDockDragState::Idle;
            // Closing hides a panel, which runs the application's handlers;
            // they may free the site, and this object with it.
            std::weak_ptr<int> alive = site_.LifeToken();
            zone->CloseZone();
            if (alive.expired())
                return;
        }
        ReleasePressedButtons();
        break;
    case TOrloDockDragState::PinPressed:
        // The pin has no further effect.
        if (activeZone_ && activeZone_->PinButtonState() == dbsPressed) {
            activeZone_->SetPinButtonState(dbsNormal);
            activeZone_->PaintTitleBar();
        }
        ReleasePressedButtons();
        break;
    case TOrloDockDragState::TearOff:
        // Docking may free this site, and this object with it.
        EndTearOff(point);
        return;
    case TOrloDockDragState::Idle:
        break;
    }
    dragState_ = TOrloDockDragState::Idle;
}

void TOrloDockSiteMouse::Leave() {
    if (!activeZone_ || !IsTitleBarButton(mouseState_))
        return;
    TOrloDockZone* zone = std::exchange(activeZone_, nullptr);
    mouseState_ = zhNone;
    zone->SetCloseButtonState(dbsNormal);
    zone->SetPinButtonState(dbsNormal);
    zone->PaintTitleBar();
}

void TOrloDockSiteMouse::KeyDown(int key) {
    if (dragState_ == TOrloDockDragState::TearOff && key == tk::VK_ESCAPE)
        CancelTearOff();
}

tk::Cursor TOrloDockSiteMouse::CursorAt(tk::Point point, tk::Cursor inherited) {
    TOrloDockRootZone* root = site_.RootZone();
    if (!root || root->VisibleChildCount() < 1)
        return inherited;
    const TOrloDockOrientation edge = DockPositionOrientation(site_.Align());
    // The cursor of a drag stays while the pointer runs ahead of the clamped bar.
    if (dragState_ == TOrloDockDragState::Splitter && splitZone_)
        return ResizeCursor(SplitOrientation(splitZone_));
    if (dragState_ == TOrloDockDragState::InnerEdge)
        return ResizeCursor(edge);
    TOrloDockHitArea kind = zhNone;
    if (TOrloDockZone* zone = HitTest(point, kind); zone && kind == zhSplitter)
        return ResizeCursor(SplitOrientation(zone));
    if (tk::InnerEdge(site_.Align()) && site_.EdgeSplitterRect().Contains(point))
        return ResizeCursor(edge);
    return inherited;
}

// ---- the site's side ----

TOrloDockZone* TOrloDockSite::ActiveZone() const { return mouse_->ActiveZone(); }
TOrloDockHitArea TOrloDockSite::MouseState() const { return mouse_->MouseState(); }
TOrloDockZone* TOrloDockSite::SplitZone() const { return mouse_->SplitZone(); }
bool TOrloDockSite::EdgeDragging() const { return mouse_->EdgeDragging(); }
tk::Point TOrloDockSite::DragPos() const { return mouse_->DragPos(); }
tk::Point TOrloDockSite::DragStart() const { return mouse_->DragStart(); }
TOrloDockDragState TOrloDockSite::DragState() const { return mouse_->DragState(); }
IOrloDockSite* TOrloDockSite::FloatingSite() const { return mouse_->FloatingSite(); }
TOrloFloatingDockSiteHostForm* TOrloDockSite::FloatingHost() const { return mouse_->FloatingHost(); }
const tk::String& TOrloDockSite::FloatRootZoneID() const { return mouse_->FloatRootZoneID(); }
tk::Align TOrloDockSite::FloatPosition() const { return mouse_->FloatPosition(); }
const tk::Brush& TOrloDockSite::PatternBrush() const { return mouse_->PatternBrush(); }

void TOrloDockSite::BeginZoneDrag(TOrloDockZone* zone, tk::Point point) {
    (void)point;
    mouse_->BeginZoneDrag(zone);
}

void TOrloDockSite::MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseDown(button, shift, x, y);
    if (mouse_)
        mouse_->Down(button, {x, y});
}

void TOrloDockSite::MouseMove(tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseMove(shift, x, y);
    if (mouse_)
        mouse_->Move({x, y});
}

void TOrloDockSite::MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseUp(button, shift, x, y);
    if (mouse_)
        mouse_->Up(button, {x, y});
}

void TOrloDockSite::MouseLeave() {
    tk::CustomControl::MouseLeave();
    if (mouse_)
        mouse_->Leave();
}

void TOrloDockSite::KeyDown(int& key, tk::ShiftState shift) {
    tk::CustomControl::KeyDown(key, shift);
    if (mouse_)
        mouse_->KeyDown(key);
}

tk::Cursor TOrloDockSite::GetCursorAt(tk::Point client) {
    const tk::Cursor inherited = tk::CustomControl::GetCursorAt(client);
    return mouse_ ? mouse_->CursorAt(client, inherited) : inherited;
}
