#include <orlodock/docking/OrloDockSite.h>

#include <algorithm>
#include <utility>

#include <orlodock/docking/OrloDockZones.h>

// Drag states: 0 idle, 1 inner edge, 2 zone splitter, 3 title bar pressed
// (tear-off armed), 4 tear-off, 5 close button and 6 pin button pressed.
// The mouse is captured during every drag, so the moves and the release of a
// drag come here wherever the pointer goes.

namespace {

// Splitter thickness and minimum zone size when no theme can be asked.
constexpr int kDefaultSplitterSize = 4;
constexpr int kDefaultMinimumZoneSize = 10;

bool IsTitleBarButton(std::uint8_t kind) { return kind == zhCloseButton || kind == zhPinButton; }

// Only a site standing on one edge of its parent has an inner edge to drag.
bool HasInnerEdge(tk::Align align) {
    return align == tk::alTop || align == tk::alBottom || align == tk::alLeft || align == tk::alRight;
}

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

bool Contains(const TOrloDockZone* top, const TOrloDockZone* zone) {
    if (top == zone)
        return true;
    if (auto* container = dynamic_cast<const TOrloDockContainerZone*>(top))
        for (int i = 0; i < container->ChildCount(); ++i)
            if (Contains(container->Child(i), zone))
                return true;
    return false;
}

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
    if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
        for (int i = 0; i < container->ChildCount(); ++i)
            ReleasePressed(container->Child(i));
}

} // namespace

// ---- hit test and hover ----

bool TOrloDockSite::InTree(const TOrloDockZone* zone) const { return rootZone_ && Contains(rootZone_, zone); }

void TOrloDockSite::ForgetVanishedZones() {
    // A zone freed or moved away since the last message is only compared, never used.
    if (activeZone_ && !InTree(activeZone_)) {
        activeZone_ = nullptr;
        mouseState_ = zhNone;
    }
    if (splitZone_ && !InTree(splitZone_)) {
        HideDragBar();
        splitZone_ = nullptr;
    }
}

TOrloDockZone* TOrloDockSite::HitTest(tk::Point point, TOrloDockHitArea& kind) {
    kind = zhNone;
    if (!rootZone_)
        return nullptr;
    TOrloDockZone* zone = rootZone_->ZoneAtPoint(point, false, kind);
    if (!zone) {
        kind = zhNone;
        return nullptr;
    }
    // A tab group answers with its current tab, but the buttons drawn in its
    // title bar and its splitter are the group's.
    if (IsTitleBarButton(kind) || kind == zhSplitter)
        if (auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(zone->ParentZone()))
            return group;
    return zone;
}

void TOrloDockSite::HoverOver(TOrloDockZone* hit, TOrloDockHitArea kind) {
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

void TOrloDockSite::ReleasePressedButtons() {
    if (rootZone_)
        ReleasePressed(rootZone_);
}

// ---- drag bars ----

int TOrloDockSite::ThemeSize(int (IOrloDockTheme::*size)(), int fallback) {
    tk::IPtr<IOrloDockTheme> theme;
    GetTheme(theme);
    return theme ? (theme.get()->*size)() : fallback;
}

void TOrloDockSite::ShowDragBar(const tk::Rect& rect, bool onParent) {
    HideDragBar();
    tk::Control* window = onParent ? Parent() : this;
    if (!window || !patternBrush_)
        return;
    dragBar_ = rect;
    dragBarWindow_ = window;
    window->InvertRect(rect, *patternBrush_);
}

void TOrloDockSite::HideDragBar() {
    tk::Control* window = std::exchange(dragBarWindow_, nullptr);
    // Inverting the same rectangle again restores what was under the bar.
    if (window && patternBrush_ && (window == this || window == Parent()))
        window->InvertRect(dragBar_, *patternBrush_);
}

tk::Rect TOrloDockSite::SplitterBarRect() {
    tk::Rect bar = splitZone_->Bounds();
    const int thickness = ThemeSize(&IOrloDockTheme::GetZoneSplitterSize, kDefaultSplitterSize);
    if (SplitOrientation(splitZone_) == voVert) {
        bar.Left = dragPos_.X;
        bar.Right = bar.Left + thickness;
    } else {
        bar.Top = dragPos_.Y;
        bar.Bottom = bar.Top + thickness;
    }
    return bar;
}

// In the parent's client coordinates: where the strip will stand once the
// site has taken the distance dragged so far.
tk::Rect TOrloDockSite::EdgeBarRect() {
    const int distance = EdgeDragDistance();
    const int thickness = ThemeSize(&IOrloDockTheme::GetSiteSplitterSize, kDefaultSplitterSize);
    tk::Rect bar = BoundsRect();
    switch (Align()) {
    case tk::alTop:
        bar.Top += edgeSplitterRect_.Top + distance;
        bar.Bottom = bar.Top + thickness;
        break;
    case tk::alBottom:
        bar.Top += edgeSplitterRect_.Top - distance;
        bar.Bottom = bar.Top + thickness;
        break;
    case tk::alLeft:
        bar.Left += edgeSplitterRect_.Left + distance;
        bar.Right = bar.Left + thickness;
        break;
    case tk::alRight:
        bar.Left += edgeSplitterRect_.Left - distance;
        bar.Right = bar.Left + thickness;
        break;
    default:
        break;
    }
    return bar;
}

// ---- splitter and edge drags ----

void TOrloDockSite::ClampSplitterDrag() {
    const bool sideBySide = SplitOrientation(splitZone_) == voVert;
    const tk::Rect bounds = splitZone_->Bounds();
    const int minimum = splitZone_->GetMinimumSize();
    if (sideBySide) {
        if (minimum > dragPos_.X - bounds.Left)
            dragPos_.X = bounds.Left + minimum;
    } else if (minimum > dragPos_.Y - bounds.Top) {
        dragPos_.Y = bounds.Top + minimum;
    }
    // The neighbour's limit is applied last: it wins when the two zones cannot both keep their minimum.
    TOrloDockZone* next = splitZone_->NextVisibleSibling();
    if (!next)
        return;
    const tk::Rect far = next->Bounds();
    const int farMinimum = next->GetMinimumSize();
    if (sideBySide) {
        if (!(dragPos_.X < far.Right && farMinimum <= far.Right - dragPos_.X))
            dragPos_.X = far.Right - farMinimum;
    } else if (farMinimum > far.Bottom - dragPos_.Y) {
        dragPos_.Y = far.Bottom - farMinimum;
    }
}

void TOrloDockSite::ApplySplitterDrag() {
    TOrloDockZone* zone = splitZone_;
    const bool sideBySide = SplitOrientation(zone) == voVert;
    tk::Rect bounds = zone->Bounds();
    if (sideBySide)
        bounds.Right = dragPos_.X;
    else
        bounds.Bottom = dragPos_.Y;
    TOrloDockUpdateGuard update(InternalIntf());
    TOrloDockZone* next = zone->NextVisibleSibling();
    zone->SetBounds(bounds);
    // The neighbour across the splitter gives or takes the difference, so
    // that zones further on keep their sizes.
    if (next) {
        tk::Rect far = next->Bounds();
        if (sideBySide)
            far.Left = bounds.Right + 1;
        else
            far.Top = bounds.Bottom + 1;
        next->SetBounds(far);
    }
    if (TOrloDockContainerZone* parent = zone->ParentZone())
        parent->UpdateBounds();
}

int TOrloDockSite::EdgeDragDistance() {
    const tk::Point moved{dragPos_.X - dragStart_.X, dragPos_.Y - dragStart_.Y};
    const tk::Rect room = Parent() ? Parent()->ClientRect() : BoundsRect();
    int distance = 0;
    int size = 0;
    int largest = 0;
    int strip = 0;
    switch (Align()) {
    case tk::alTop:
        distance = moved.Y;
        size = Height();
        largest = room.Bottom - Top();
        strip = edgeSplitterRect_.Height();
        break;
    case tk::alBottom:
        distance = -moved.Y;
        size = Height();
        largest = Top() + Height() - room.Top;
        strip = edgeSplitterRect_.Height();
        break;
    case tk::alLeft:
        distance = moved.X;
        size = Width();
        largest = room.Right - Left();
        strip = edgeSplitterRect_.Width();
        break;
    case tk::alRight:
        distance = -moved.X;
        size = Width();
        largest = Left() + Width() - room.Left;
        strip = edgeSplitterRect_.Width();
        break;
    default:
        return 0;
    }
    // The strip stays on the parent and above one zone's minimum, so that it can always be dragged back.
    const int smallest =
        std::min(size, strip + ThemeSize(&IOrloDockTheme::GetMinimumZoneSize, kDefaultMinimumZoneSize));
    return std::clamp(distance, smallest - size, std::max(largest - size, 0));
}

void TOrloDockSite::ApplyEdgeDrag() {
    const int distance = EdgeDragDistance();
    tk::Rect bounds = BoundsRect();
    if (!MoveInnerEdge(bounds, Align(), distance))
        return;
    TOrloDockUpdateGuard update(InternalIntf());
    SetBoundsRect(bounds);
}

// ---- handlers ----

void TOrloDockSite::MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseDown(button, shift, x, y);
    if ((button != tk::mbLeft && !IsDesigning()) || !rootZone_)
        return;
    ForgetVanishedZones();
    const tk::Point point{x, y};
    // A drag whose release never came (the capture was taken away) ends here.
    if (dragState_ == 1 || dragState_ == 2 || dragState_ == 5 || dragState_ == 6) {
        HideDragBar();
        edgeDragging_ = false;
        splitZone_ = nullptr;
        ReleasePressedButtons();
        dragState_ = 0;
    }
    // The press acts on what lies under it, even when no move came before it.
    if (dragState_ == 0) {
        TOrloDockHitArea kind = zhNone;
        TOrloDockZone* hit = HitTest(point, kind);
        HoverOver(hit, kind);
    }
    if (activeZone_) {
        switch (mouseState_) {
        case zhTitleBar:
            // Armed only: moving the zone out of the site is the tear-off.
            dragPos_ = point;
            dragState_ = 3;
            SetMouseCapture(true);
            break;
        case zhCloseButton:
            if (IsDesigning())
                break;
            dragState_ = 5;
            activeZone_->SetCloseButtonState(dbsPressed);
            activeZone_->PaintTitleBar();
            break;
        case zhPinButton:
            dragState_ = 6;
            activeZone_->SetPinButtonState(dbsPressed);
            activeZone_->PaintTitleBar();
            break;
        case zhSplitter:
            dragState_ = 2;
            splitZone_ = activeZone_;
            dragPos_ = point;
            dragStart_ = point;
            ShowDragBar(SplitterBarRect(), false);
            break;
        default:
            break;
        }
    } else if (HasInnerEdge(Align()) && Parent() && edgeSplitterRect_.Contains(point)) {
        dragState_ = 1;
        edgeDragging_ = true;
        SetMouseCapture(true);
        dragPos_ = point;
        dragStart_ = point;
        ShowDragBar(EdgeBarRect(), true);
    }
}

void TOrloDockSite::MouseMove(tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseMove(shift, x, y);
    if (!rootZone_)
        return;
    ForgetVanishedZones();
    const tk::Point point{x, y};
    switch (dragState_) {
    case 0: {
        TOrloDockHitArea kind = zhNone;
        TOrloDockZone* hit = HitTest(point, kind);
        HoverOver(hit, kind);
        break;
    }
    case 1:
        dragPos_ = point;
        ShowDragBar(EdgeBarRect(), true);
        break;
    case 2:
        if (!splitZone_)
            break;
        dragPos_ = point;
        ClampSplitterDrag();
        ShowDragBar(SplitterBarRect(), false);
        break;
    case 5:
    case 6: {
        // The held button looks pressed only while the pointer is on it.
        TOrloDockHitArea kind = zhNone;
        TOrloDockZone* hit = HitTest(point, kind);
        const bool close = dragState_ == 5;
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
        break;
    }
    default:
        break;
    }
}

void TOrloDockSite::MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    tk::CustomControl::MouseUp(button, shift, x, y);
    // Releasing another button does not end what the left one started.
    if ((button != tk::mbLeft && !IsDesigning()) || !rootZone_)
        return;
    ForgetVanishedZones();
    const tk::Point point{x, y};
    switch (dragState_) {
    case 1:
        SetMouseCapture(false);
        HideDragBar();
        edgeDragging_ = false;
        dragPos_ = point;
        if (dragPos_ != dragStart_)
            ApplyEdgeDrag();
        break;
    case 2:
        HideDragBar();
        dragPos_ = point;
        if (splitZone_ && dragPos_ != dragStart_) {
            ClampSplitterDrag();
            ApplySplitterDrag();
        }
        splitZone_ = nullptr;
        break;
    case 3:
        SetMouseCapture(false);
        break;
    case 5:
        if (activeZone_ && activeZone_->CloseButtonState() == dbsPressed) {
            TOrloDockZone* zone = activeZone_;
            zone->SetCloseButtonState(dbsNormal);
            dragState_ = 0;
            // Closing hides a panel, which runs the application's handlers.
            std::weak_ptr<int> alive = LifeToken();
            zone->CloseZone();
            if (alive.expired())
                return;
        }
        ReleasePressedButtons();
        break;
    case 6:
        // The pin has no further effect.
        if (activeZone_ && activeZone_->PinButtonState() == dbsPressed) {
            activeZone_->SetPinButtonState(dbsNormal);
            activeZone_->PaintTitleBar();
        }
        ReleasePressedButtons();
        break;
    default:
        break;
    }
    dragState_ = 0;
}

void TOrloDockSite::MouseLeave() {
    tk::CustomControl::MouseLeave();
    ForgetVanishedZones();
    if (!activeZone_ || !IsTitleBarButton(mouseState_))
        return;
    TOrloDockZone* zone = std::exchange(activeZone_, nullptr);
    mouseState_ = zhNone;
    zone->SetCloseButtonState(dbsNormal);
    zone->SetPinButtonState(dbsNormal);
    zone->PaintTitleBar();
}

tk::Cursor TOrloDockSite::GetCursorAt(tk::Point client) {
    const tk::Cursor inherited = tk::CustomControl::GetCursorAt(client);
    if (!rootZone_ || rootZone_->VisibleChildCount() < 1)
        return inherited;
    const TOrloDockOrientation edge = DockPositionOrientation(Align());
    // The cursor of a drag stays while the pointer runs ahead of the clamped bar.
    if (dragState_ == 2 && splitZone_ && InTree(splitZone_))
        return ResizeCursor(SplitOrientation(splitZone_));
    if (dragState_ == 1)
        return ResizeCursor(edge);
    TOrloDockHitArea kind = zhNone;
    if (TOrloDockZone* zone = HitTest(client, kind); zone && kind == zhSplitter)
        return ResizeCursor(SplitOrientation(zone));
    if (HasInnerEdge(Align()) && edgeSplitterRect_.Contains(client))
        return ResizeCursor(edge);
    return inherited;
}
