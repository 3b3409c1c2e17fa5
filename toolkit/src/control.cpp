#include <orlodock/tk/control.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

#include "controlwidget.h"
#include "toolkit_internal.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

namespace tk {

namespace {

Control* g_capture = nullptr;
std::uint64_t g_visibilityChanges = 1;
Control* g_keyCapture = nullptr;

std::unordered_map<const QWidget*, Control*>& Registry() {
    static std::unordered_map<const QWidget*, Control*> map;
    return map;
}

} // namespace

// ---- SizeConstraints ----

void SizeConstraints::SetMinWidth(int v) {
    if (v != minWidth_) {
        minWidth_ = std::max(v, 0);
        if (maxWidth_ && maxWidth_ < minWidth_)
            maxWidth_ = minWidth_;
        Changed();
    }
}

void SizeConstraints::SetMinHeight(int v) {
    if (v != minHeight_) {
        minHeight_ = std::max(v, 0);
        if (maxHeight_ && maxHeight_ < minHeight_)
            maxHeight_ = minHeight_;
        Changed();
    }
}

void SizeConstraints::SetMaxWidth(int v) {
    if (v != maxWidth_) {
        maxWidth_ = std::max(v, 0);
        if (maxWidth_ && minWidth_ > maxWidth_)
            minWidth_ = maxWidth_;
        Changed();
    }
}

void SizeConstraints::SetMaxHeight(int v) {
    if (v != maxHeight_) {
        maxHeight_ = std::max(v, 0);
        if (maxHeight_ && minHeight_ > maxHeight_)
            minHeight_ = maxHeight_;
        Changed();
    }
}

void SizeConstraints::Apply(int& width, int& height) const {
    if (maxWidth_ > 0 && width > maxWidth_)
        width = maxWidth_;
    if (minWidth_ > 0 && width < minWidth_)
        width = minWidth_;
    if (maxHeight_ > 0 && height > maxHeight_)
        height = maxHeight_;
    if (minHeight_ > 0 && height < minHeight_)
        height = minHeight_;
}

// ---- construction and destruction ----

Control::Control(Component* owner) : Control(owner, new ControlWidget(this)) {}

Control::Control(Component* owner, QWidget* widget) : Component(owner), widget_(widget) { Init(); }

void Control::Init() {
    Registry()[widget_.get()] = this;
    bridge_ =
        std::make_unique<ControlBridge>(this, widget_.get(), dynamic_cast<ControlWidget*>(widget_.get()) != nullptr);
    font_.OnChange = [this] { FontChangedInternal(); };
    constraints_.OnChange = [this] { SetBounds(left_, top_, width_, height_); };
    windowProc_ = [this](Message& m) { WndProc(m); };
    // Without a parent a control has no window on the screen (forms show theirs).
    widget_->hide();
}

Control::~Control() {
    // Children leaving must not notify or realign a dying parent (a local
    // control reaches this without Free()).
    SetState(csDestroying, true);
    DestroyChildControls();
    if (g_capture == this)
        ReleaseCapture();
    SetKeyboardCapture(false);
    if (Form* form = ParentForm(); form && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    if (parent_) {
        parent_->RemoveControl(this);
        parent_ = nullptr;
    }
    internal::NoteControlGone(this);
    lifeToken_.reset();
    Registry().erase(widget_.get());
    // The layer is a child window; it goes before its host.
    invertLayer_.reset();
    bridge_->Detach();
    if (auto* cw = dynamic_cast<ControlWidget*>(widget_.get()))
        cw->Detach();
    if (ControlBridge::IsDispatching(widget_.get())) {
        // Freed from inside one of its own events: Qt is still using the window
        // and the bridge that is delivering the event.
        bridge_.release()->deleteLater();
        QWidget* w = widget_.release();
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
    } else {
        bridge_.reset();
        widget_.reset();
    }
}

void Control::DestroyChildControls() {
    while (!controls_.empty()) {
        Control* c = controls_.back();
        if (c->IsDestroying()) {
            // Already going further up the stack: just let go of it.
            controls_.pop_back();
            c->parent_ = nullptr;
            continue;
        }
        c->Free(); // takes itself off the list
        if (!controls_.empty() && controls_.back() == c) {
            controls_.pop_back();
            c->parent_ = nullptr;
        }
    }
}

void Control::Notification(Component* component, Operation operation) { Component::Notification(component, operation); }

Control* Control::FromWidget(const QWidget* widget) {
    auto it = Registry().find(widget);
    return it == Registry().end() ? nullptr : it->second;
}

// ---- parent and children ----

Control* Control::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(QStringLiteral("Control index out of bounds (%1)").arg(index));
    return controls_[static_cast<size_t>(index)];
}

bool Control::ContainsControl(const Control* control) const {
    for (const Control* c = control; c; c = c->parent_)
        if (c == this)
            return true;
    return false;
}

Form* Control::ParentForm() const {
    for (const Control* c = this; c; c = c->parent_)
        if (c->IsTopLevel())
            return dynamic_cast<Form*>(const_cast<Control*>(c));
    return nullptr;
}

Control* Control::TopLevelControl() const {
    const Control* c = this;
    while (c->parent_)
        c = c->parent_;
    return const_cast<Control*>(c);
}

bool Control::Embedded() const { return !parent_ && !IsTopLevel() && widget_->parentWidget(); }

void Control::EmbedIn(QWidget* host) {
    if (parent_ || IsTopLevel())
        throw Exception(QStringLiteral("Only a control without parent control can be embedded in a widget"));
    widget_->setParent(host);
    ApplyGeometry();
    ApplyVisible();
}

void Control::SetParent(Control* parent) {
    if (parent == parent_)
        return;
    if (parent && ContainsControl(parent))
        throw Exception(QStringLiteral("A control cannot be its own parent"));
    if (parent && IsTopLevel())
        throw Exception(QStringLiteral("A form cannot have a parent control"));
    if (parent_) {
        Control* old = parent_;
        old->RemoveControl(this);
        parent_ = nullptr;
    }
    if (parent) {
        widget_->setParent(parent->widget_.get());
        parent_ = parent;
        ForgetAlignedPlace();
        anchorBase_.Set = false;
        parent->InsertControl(this);
        if (parentFont_)
            UpdateParentFont();
    } else {
        widget_->setParent(nullptr);
    }
    ApplyGeometry();
    ApplyVisible();
    if (parent && parent->invertLayer_ && !parent->invertLayer_->Empty())
        parent->invertLayer_->raise();
    if (parent_)
        RequestAlign();
}

void Control::InsertControl(Control* child) {
    controls_.push_back(child);
    ControlChange(child, true);
    Perform(TK_CONTROLCHANGE, 1, reinterpret_cast<long long>(child));
}

void Control::RemoveControl(Control* child) {
    auto it = std::find(controls_.begin(), controls_.end(), child);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    if (IsDestroying())
        return;
    ControlChange(child, false);
    Perform(TK_CONTROLCHANGE, 0, reinterpret_cast<long long>(child));
    if (child->align_ != alNone && child->visible_)
        Realign();
}

void Control::ControlChange(Control* child, bool inserted) {
    (void)child;
    (void)inserted;
}

Component* Control::GetParentComponent() const { return parent_; }

void Control::SetParentComponent(Component* parent) {
    if (auto* c = dynamic_cast<Control*>(parent))
        SetParent(c);
}

void Control::GetChildren(const std::function<void(Component*)>& proc, Component* root) {
    for (Control* c : std::vector<Control*>(controls_))
        if (c->Owner() == root)
            proc(c);
}

// ---- alignment ----

void CheckAlign(tk::Align value) {
    if (value < alNone || value > alCustom)
        throw ERangeError(QStringLiteral("Alignment %1 is not one of alNone to alCustom").arg(int(value)));
}

void Control::SetAlign(tk::Align value) {
    CheckAlign(value);
    if (value == align_)
        return;
    const tk::Align old = align_;
    align_ = value;
    ForgetAlignedPlace();
    static const tk::Anchors anchorsFor[] = {akLeft | akTop,
                                             akLeft | akTop | akRight,
                                             akLeft | akRight | akBottom,
                                             akLeft | akTop | akBottom,
                                             akRight | akTop | akBottom,
                                             akLeft | akTop | akRight | akBottom,
                                             akLeft | akTop};
    anchors_ = anchorsFor[value];
    anchorBase_.Set = false;
    // Turning between a horizontal and a vertical edge keeps the thickness.
    const bool oldHorizontal = old == alTop || old == alBottom;
    const bool newVertical = value == alLeft || value == alRight;
    if (oldHorizontal == newVertical && old != alNone && old != alClient && old != alCustom && value != alNone &&
        value != alClient && value != alCustom)
        SetBounds(left_, top_, height_, width_);
    RequestAlign();
}

void Control::SetAnchors(tk::Anchors value) {
    anchors_ = value;
    anchorBase_.Set = false;
}

void Control::RequestAlign() {
    if (parent_ && !parent_->IsDestroying())
        parent_->AlignControl(this);
}

void Control::Realign() { AlignControl(nullptr); }

void Control::AlignControl(Control* control) {
    if (IsDestroying())
        return;
    if (alignDisabled_ > 0) {
        alignPending_ = true;
        return;
    }
    DisableAlign();
    Rect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(control, rect);
    EnableAlign();
}

void Control::EnableAlign() {
    if (alignDisabled_ > 0)
        --alignDisabled_;
    // A child that moved during a pass asks for another; sizes settle quickly,
    // the bound only guards against constraints that never agree.
    for (int pass = 0; alignDisabled_ == 0 && alignPending_ && pass < 8; ++pass) {
        alignPending_ = false;
        AlignControl(nullptr);
    }
    if (alignDisabled_ == 0)
        alignPending_ = false;
}

void Control::AdjustClientRect(Rect& rect) { (void)rect; }

void Control::AlignControls(Control* control, Rect& rect) {
    static const tk::Align order[] = {alTop, alBottom, alLeft, alRight, alClient};
    const std::weak_ptr<int> self = lifeToken_;
    for (tk::Align a : order) {
        std::vector<Control*> list;
        for (Control* c : controls_)
            if (c->align_ == a && c->visible_)
                list.push_back(c);
        const std::optional<Edge> edge = AlignedEdge(a);
        // Outermost first, by the distance from the edge. A control that was
        // only resized since the last pass counts where that pass put it, so
        // that growing never carries it past a neighbour (a collapsed one
        // stands where its neighbour starts); equal ones keep the order of
        // the last pass, newcomers the z-order.
        const auto depth = [&edge](const Control* c) -> long long {
            if (!edge)
                return 0;
            const Rect bounds = c->MovedSinceAligned() ? c->BoundsRect() : c->alignedBounds_;
            return edge->Outward < 0 ? Start(bounds, edge->Across) : -static_cast<long long>(End(bounds, edge->Across));
        };
        std::stable_sort(list.begin(), list.end(), [&depth](const Control* c1, const Control* c2) {
            const long long d1 = depth(c1);
            const long long d2 = depth(c2);
            return d1 != d2 ? d1 < d2 : c1->alignRank_ < c2->alignRank_;
        });
        // The control that asked goes first among equals where it was moved,
        // newly aligned or shown: it asked to stand there.
        if (const auto asker = std::find(list.begin(), list.end(), control);
            asker != list.end() && control->MovedSinceAligned()) {
            const auto firstEqual =
                std::find_if(list.begin(), asker, [&](const Control* c) { return depth(c) == depth(control); });
            std::rotate(firstEqual, asker, asker + 1);
        }

        // A handler may free a control of the list, or this one.
        std::vector<std::weak_ptr<int>> alive;
        for (Control* c : list)
            alive.push_back(c->lifeToken_);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (alive[i].expired())
                continue;
            Control* c = list[i];
            c->alignRank_ = static_cast<int>(i);
            Rect offered = rect;
            if (edge)
                offered = Band(rect, *edge, Extent(c->BoundsRect(), edge->Across));
            c->SetBounds(offered.Left, offered.Top, std::max(offered.Width(), 0), std::max(offered.Height(), 0));
            if (self.expired())
                return;
            // The control may not have taken the size offered (constraints,
            // refusal); one that is gone takes none.
            if (alive[i].expired())
                continue;
            c->alignedBounds_ = c->BoundsRect();
            c->aligned_ = true;
            if (edge)
                MoveEdge(rect, *edge, -Extent(c->BoundsRect(), edge->Across));
        }
    }
}

void Control::ApplyAnchors(int oldClientWidth, int oldClientHeight) {
    const std::weak_ptr<int> self = lifeToken_;
    for (Control* c : std::vector<Control*>(controls_)) {
        if (self.expired())
            return;
        if (c->parent_ != this || c->align_ != alNone || c->anchors_ == (akLeft | akTop))
            continue;
        AnchorBase& base = c->anchorBase_;
        if (!base.Set) {
            // Before the first real size there is no layout to keep.
            if (oldClientWidth <= 0 || oldClientHeight <= 0)
                continue;
            base = {c->BoundsRect(), oldClientWidth, oldClientHeight, true};
        }
        // Worked out from where the control was placed, not from where the
        // last change left it: a parent that shrinks below the control and
        // grows back gives it its distances back.
        const int dw = ClientWidth() - base.ParentWidth;
        const int dh = ClientHeight() - base.ParentHeight;
        int l = base.Bounds.Left, t = base.Bounds.Top, w = base.Bounds.Width(), h = base.Bounds.Height();
        if (c->anchors_ & akRight) {
            if (c->anchors_ & akLeft)
                w += dw;
            else
                l += dw;
        } else if (!(c->anchors_ & akLeft)) {
            l += dw / 2;
        }
        if (c->anchors_ & akBottom) {
            if (c->anchors_ & akTop)
                h += dh;
            else
                t += dh;
        } else if (!(c->anchors_ & akTop)) {
            t += dh / 2;
        }
        const std::weak_ptr<int> alive = c->lifeToken_;
        c->anchoring_ = true;
        c->SetBounds(l, t, w, h);
        if (!alive.expired())
            c->anchoring_ = false;
    }
}

// ---- bounds ----

void Control::SetBounds(int left, int top, int width, int height) {
    constraints_.Apply(width, height);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool sized = width != width_ || height != height_;
    const int oldCW = ClientWidth(), oldCH = ClientHeight();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    // Placed anew: anchoring starts from here.
    if (!anchoring_)
        anchorBase_.Set = false;
    ApplyGeometry();
    // Handlers may free this control; nothing of it is touched after that.
    const std::weak_ptr<int> alive = lifeToken_;
    BoundsChanged();
    if (alive.expired())
        return;
    if (sized) {
        ApplyAnchors(oldCW, oldCH);
        if (alive.expired())
            return;
        Realign();
        if (alive.expired())
            return;
        Resize();
        if (alive.expired())
            return;
    }
    if (align_ != alNone)
        RequestAlign();
}

bool Control::MovedSinceAligned() const { return !aligned_ || alignedBounds_.TopLeft() != BoundsRect().TopLeft(); }

void Control::ForgetAlignedPlace() {
    aligned_ = false;
    alignRank_ = std::numeric_limits<int>::max();
}

void Control::ApplyGeometry() {
    Point off = parent_ ? parent_->ClientOffset() : Point{};
    widget_->setGeometry(left_ + off.X, top_ + off.Y, width_, height_);
}

void Control::WindowGeometryChanged() {
    // Only windows the window system may move or size on its own.
    QRect g = widget_->geometry();
    Rect r = FromQRect(g);
    if (r == BoundsRect())
        return;
    const bool sized = r.Width() != width_ || r.Height() != height_;
    const int oldCW = ClientWidth(), oldCH = ClientHeight();
    left_ = r.Left;
    top_ = r.Top;
    width_ = r.Width();
    height_ = r.Height();
    BoundsChanged();
    if (sized)
        SafeCall([&] {
            ApplyAnchors(oldCW, oldCH);
            Realign();
            Resize();
        });
}

Rect Control::ClientRect() const { return MakeRect(0, 0, width_, height_); }

void Control::ClientFrameChanged() {
    for (Control* c : controls_)
        c->ApplyGeometry();
    BoundsChanged();
    Realign();
    Invalidate();
    widget_->update();
}

void Control::SetClientWidth(int value) { SetWidth(value + (width_ - ClientWidth())); }
void Control::SetClientHeight(int value) { SetHeight(value + (height_ - ClientHeight())); }

Point Control::ClientOrigin() const {
    Point off = ClientOffset();
    if (!IsTopLevel() && parent_) {
        Point p = parent_->ClientOrigin();
        return {p.X + left_ + off.X, p.Y + top_ + off.Y};
    }
    if (Embedded())
        return FromQPoint(widget_->parentWidget()->mapToGlobal(QPoint(left_ + off.X, top_ + off.Y)));
    return {left_ + off.X, top_ + off.Y};
}

Point Control::ClientToScreen(Point p) const {
    const Point o = ClientOrigin();
    return SaturatedOffset(p, o.X, o.Y);
}

Point Control::ScreenToClient(Point p) const {
    const Point o = ClientOrigin();
    return SaturatedOffset(p, -static_cast<long long>(o.X), -static_cast<long long>(o.Y));
}

Rect Control::ScreenRect() const {
    if (!IsTopLevel() && parent_) {
        Point o = parent_->ClientOrigin();
        return OffsetRect(BoundsRect(), o.X, o.Y);
    }
    if (Embedded()) {
        const Point o = FromQPoint(widget_->parentWidget()->mapToGlobal(QPoint(0, 0)));
        return OffsetRect(BoundsRect(), o.X, o.Y);
    }
    return BoundsRect();
}

Control* Control::ControlAtPos(Point client) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (!c->visible_ || !c->enabled_ || !c->BoundsRect().Contains(client))
            continue;
        return c->ControlAtPos({client.X - c->left_, client.Y - c->top_});
    }
    return this;
}

// ---- visibility and state ----

void Control::SetVisible(bool value) {
    if (value == visible_)
        return;
    VisibleChanging();
    visible_ = value;
    ++g_visibilityChanges;
    // Shown again, it asks for its place like a newcomer.
    if (!value)
        ForgetAlignedPlace();
    ApplyVisible();
    if (!value && g_capture && ContainsControl(g_capture))
        g_capture->ReleaseCapture();
    if (parent_ && align_ != alNone)
        RequestAlign();
    // Watchers learn of the change after the control has handled it.
    Perform(TK_VISIBLECHANGED, value ? 1 : 0, 0);
}

std::uint64_t Control::VisibilityChanges() { return g_visibilityChanges; }

void Control::ApplyVisible() {
    // A control without parent has no window of its own on the screen, unless
    // it lives inside a widget of the application's.
    widget_->setVisible(visible_ && (parent_ != nullptr || Embedded()));
}

bool Control::Showing() const {
    if (!visible_)
        return false;
    if (IsTopLevel() || Embedded())
        return widget_->isVisible();
    return parent_ && parent_->Showing();
}

void Control::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    widget_->setEnabled(value);
    EnabledChanged();
    Perform(TK_ENABLEDCHANGED, value ? 1 : 0, 0);
    Invalidate();
}

void Control::SetTabStop(bool value) {
    tabStop_ = value;
    widget_->setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---- z-order ----

void Control::BringToFront() {
    if (IsTopLevel())
        internal::RaiseWindow(widget_.get());
    else
        widget_->raise();
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::find(list.begin(), list.end(), this));
        list.push_back(this);
        if (parent_->invertLayer_ && !parent_->invertLayer_->Empty())
            parent_->invertLayer_->raise();
    } else if (IsTopLevel()) {
        internal::NoteFormRaised(static_cast<Form*>(this));
    }
}

void Control::SendToBack() {
    widget_->lower();
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::find(list.begin(), list.end(), this));
        list.insert(list.begin(), this);
    } else if (IsTopLevel()) {
        internal::NoteFormLowered(static_cast<Form*>(this));
    }
}

// ---- appearance ----

void Control::SetColor(tk::Color value) {
    if (value == color_)
        return;
    color_ = value;
    ColorChanged();
    Perform(TK_COLORCHANGED, 0, 0);
}

void Control::ColorChanged() { Invalidate(); }

void Control::SetParentFont(bool value) {
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value)
        UpdateParentFont();
}

void Control::UpdateParentFont() {
    if (!parent_)
        return;
    inFontUpdate_ = true;
    font_.Assign(parent_->font_);
    inFontUpdate_ = false;
}

void Control::FontChangedInternal() {
    // A font set directly no longer follows the parent's.
    if (!inFontUpdate_)
        parentFont_ = false;
    FontChanged();
    Perform(TK_FONTCHANGED, 0, 0);
}

void Control::FontChanged() {
    for (Control* c : controls_)
        if (c->parentFont_)
            c->UpdateParentFont();
    Invalidate();
}

void Control::SetCaption(const String& value) {
    if (value == caption_)
        return;
    caption_ = value;
    TextChanged();
    Perform(TK_TEXTCHANGED, 0, 0);
}

void Control::SetCursor(tk::Cursor value) {
    cursor_ = value;
    widget_->setCursor(ToQCursor(value));
}

void Control::ApplyCursorAt(Point client) {
    tk::Cursor c = Screen::Cursor() != crDefault ? Screen::Cursor() : GetCursorAt(client);
    if (c != shownCursor_ || widget_->cursor().shape() != ToQCursor(c).shape()) {
        shownCursor_ = c;
        widget_->setCursor(ToQCursor(c));
    }
}

tk::Cursor Control::GetCursorAt(Point client) {
    (void)client;
    return cursor_;
}

// ---- hints ----

void Control::ShowHintAt(Point screen, const String& text) { App()->ActivateHint(screen, text); }

void Control::CancelHint() { App()->CancelHint(); }

// ---- painting ----

void Control::Invalidate() { InvalidateRect(ClientRect()); }

void Control::InvalidateRect(const Rect& rect) {
    Invalidated(rect);
    Point off = ClientOffset();
    widget_->update(ToQRect(OffsetRect(rect, off.X, off.Y)));
}

void Control::Repaint() {
    Invalidate();
    Update();
}

void Control::Update() {
    if (widget_->isVisible())
        widget_->repaint();
}

void Control::InvertRect(const Rect& rect, const tk::Brush& brush) {
    if (!invertLayer_)
        invertLayer_ = std::make_unique<InvertLayer>(widget_.get());
    Point off = ClientOffset();
    invertLayer_->Invert(OffsetRect(rect, off.X, off.Y), brush);
}

// ---- focus ----

bool Control::CanFocus() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_)
            return false;
    return ParentForm() != nullptr || TopLevelControl()->Embedded();
}

void Control::SetFocus() {
    if (!CanFocus())
        return;
    if (Form* form = ParentForm()) {
        if (form != this)
            form->SetActiveControl(this);
        if (form->Visible() && !form->Active())
            form->Activate();
    }
    widget_->setFocus(Qt::OtherFocusReason);
    internal::NoteFocus(this);
}

bool Control::Focused() const { return Screen::ActiveControl() == this; }

void Control::DoEnter() {
    internal::NoteFocus(this);
    if (OnEnter)
        OnEnter(this);
}

void Control::DoExit() {
    if (OnExit)
        OnExit(this);
}

// ---- window procedure ----

void Control::SetWindowProc(WindowProcedure proc) {
    if (proc)
        windowProc_ = std::move(proc);
    else
        windowProc_ = [this](Message& m) { WndProc(m); };
}

long long Control::Perform(unsigned msg, long long wparam, long long lparam) {
    Message m{msg, wparam, lparam, 0};
    // A copy: the procedure may replace itself while it runs.
    WindowProcedure proc = windowProc_;
    proc(m);
    return m.Result;
}

void Control::WndProc(Message& message) {
    switch (message.Msg) {
    case TK_MOUSEENTER:
        MouseEnter();
        break;
    case TK_MOUSELEAVE:
        MouseLeave();
        break;
    default:
        break;
    }
}

// ---- mouse capture ----

Control* Control::CaptureControl() { return g_capture; }

void Control::SetMouseCapture(bool value) {
    if (value) {
        if (g_capture == this)
            return;
        if (g_capture)
            g_capture->ReleaseCapture();
        g_capture = this;
        // The window system's grab keeps real pointer events coming while the
        // pointer is outside; headless platforms have no pointer to grab.
        if (widget_->isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen"))
            widget_->grabMouse();
    } else if (g_capture == this) {
        ReleaseCapture();
    }
}

void Control::ReleaseCapture() {
    if (g_capture != this)
        return;
    g_capture = nullptr;
    if (QWidget::mouseGrabber() == widget_.get())
        widget_->releaseMouse();
}

Control* Control::KeyboardCaptureControl() { return g_keyCapture; }

void Control::SetKeyboardCapture(bool value) {
    if (value) {
        g_keyCapture = this;
        // The window system routes the keys to the grabbing widget; headless
        // platforms have no keyboard to grab.
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            widget_->grabKeyboard();
    } else if (g_keyCapture == this) {
        g_keyCapture = nullptr;
        if (QWidget::keyboardGrabber() == widget_.get())
            widget_->releaseKeyboard();
    }
}

void Control::Click() {
    if (OnClick)
        OnClick(this);
}

// ---- input dispatch ----

bool Control::NotifyParentsOfPress(MouseButton button, Point client) {
    const long long code = button == mbRight ? TK_RBUTTONDOWN : button == mbMiddle ? TK_MBUTTONDOWN : TK_LBUTTONDOWN;
    const Point screen = ClientToScreen(client);
    // Collected first: a receiver may free or move controls on the way up.
    std::vector<std::pair<Control*, std::weak_ptr<int>>> ancestors;
    for (Control* p = parent_; p; p = p->parent_)
        ancestors.emplace_back(p, p->lifeToken_);
    std::weak_ptr<int> alive = lifeToken_;
    for (auto& [ancestor, token] : ancestors) {
        if (token.expired())
            continue;
        const Point local = ancestor->ScreenToClient(screen);
        SafeCall([&] { ancestor->Perform(TK_PARENTNOTIFY, code, PackPoint(local.X, local.Y)); });
        if (alive.expired())
            return false;
    }
    return true;
}

void Control::DispatchMouseDown(MouseButton button, ShiftState shift, Point client, bool doubleClick) {
    if (FrameMouse(MouseAction::Down, button, client))
        return;
    internal::PointerLeft(this);
    if (!NotifyParentsOfPress(button, client))
        return;
    if (button == mbLeft) {
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(true);
        pressed_ = true;
    }
    std::weak_ptr<int> alive = lifeToken_;
    SafeCall([&] {
        if (doubleClick && (controlStyle_ & csDoubleClicks))
            DblClick();
        if (!alive.expired())
            MouseDown(button, shift, client.X, client.Y);
    });
}

void Control::DispatchMouseMove(ShiftState shift, Point client) {
    ApplyCursorAt(client);
    if (FrameMouse(MouseAction::Move, mbLeft, client))
        return;
    if (!(shift & (ssLeft | ssRight | ssMiddle)) && !g_capture)
        internal::PointerOver(this, ClientToScreen(client));
    SafeCall([&] { MouseMove(shift, client.X, client.Y); });
}

void Control::DispatchMouseUp(MouseButton button, ShiftState shift, Point client) {
    if (FrameMouse(MouseAction::Up, button, client))
        return;
    bool click = false;
    if (button == mbLeft) {
        click = pressed_ && (controlStyle_ & csClickEvents) && ClientRect().Contains(client);
        pressed_ = false;
        if ((controlStyle_ & csCaptureMouse) && g_capture == this)
            ReleaseCapture();
    }
    std::weak_ptr<int> alive = lifeToken_;
    SafeCall([&] {
        if (click)
            Click();
        if (!alive.expired())
            MouseUp(button, shift, client.X, client.Y);
    });
}

void Control::DispatchKeyDown(int& key, ShiftState shift) {
    SafeCall([&] { KeyDown(key, shift); });
}

void Control::DispatchKeyUp(int& key, ShiftState shift) {
    SafeCall([&] { KeyUp(key, shift); });
}

void Control::DispatchMouseEnter() {
    SafeCall([&] { Perform(TK_MOUSEENTER, 0, 0); });
}

void Control::DispatchMouseLeave() {
    internal::PointerLeft(this);
    SafeCall([&] { Perform(TK_MOUSELEAVE, 0, 0); });
}

// ---- default handlers: raise the events ----

void Control::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void Control::MouseMove(ShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void Control::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void Control::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void Control::KeyDown(int& key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void Control::KeyUp(int& key, ShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void Control::Resize() {
    if (OnResize)
        OnResize(this);
}

void Control::MouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void Control::MouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- streaming ----

void Control::GetProperties(PropertyList& list) {
    Component::GetProperties(list);
    list.AddInteger(
        "Left", [this] { return left_; }, [this](std::int64_t v) { SetLeft(static_cast<int>(v)); });
    list.AddInteger(
        "Top", [this] { return top_; }, [this](std::int64_t v) { SetTop(static_cast<int>(v)); });
    list.AddInteger(
        "Width", [this] { return width_; }, [this](std::int64_t v) { SetWidth(static_cast<int>(v)); });
    list.AddInteger(
        "Height", [this] { return height_; }, [this](std::int64_t v) { SetHeight(static_cast<int>(v)); });
    list.AddEnum(
        "Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"},
        [this] { return static_cast<int>(align_); }, [this](int v) { SetAlign(static_cast<tk::Align>(v)); });
    list.AddBoolean(
        "Visible", [this] { return visible_; }, [this](bool v) { SetVisible(v); });
    list.AddInteger(
        "Color", [this] { return static_cast<std::int64_t>(color_); },
        [this](std::int64_t v) { SetColor(static_cast<tk::Color>(v)); });
    list.AddString(
        "Caption", [this] { return caption_; }, [this](const String& v) { SetCaption(v); });
    list.SetStored([this] { return !caption_.isEmpty(); });
    list.AddString(
        "Hint", [this] { return hint_; }, [this](const String& v) { SetHint(v); });
    list.SetStored([this] { return !hint_.isEmpty(); });
}

} // namespace tk
