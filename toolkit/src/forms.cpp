#include <orlodock/tk/forms.h>

#include <QApplication>
#include <QWidget>

#include "toolkit_internal.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/screen.h>

namespace tk {

Form::Form(Component* owner) : CustomControl(owner) {
    // Forms start hidden; whoever creates one shows it.
    SetVisible(false);
    ApplyWindowFlags();
    SetColor(clBtnFace);
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 320, 240);
}

Form::~Form() { internal::NoteFormGone(this); }

void Form::BeforeDestruction() {
    // The application's handler sees the whole form.
    if (OnDestroy)
        SafeCall([this] { OnDestroy(this); });
    CustomControl::BeforeDestruction();
}

void Form::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle_) {
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        // The toolkit draws the caption and frame itself.
        flags = Qt::Tool | Qt::FramelessWindowHint;
        break;
    case bsDialog:
        flags = Qt::Dialog;
        break;
    default:
        break;
    }
    if (StaysOnTop())
        flags |= Qt::WindowStaysOnTopHint;
    if (Widget()->windowFlags() == flags)
        return;
    const bool shown = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    // Changing the flags hides the window; it comes back as it was, not activated.
    if (shown)
        ShowWindowWithoutActivating();
}

void Form::SetBorderStyle(FormBorderStyle value) {
    if (value == borderStyle_)
        return;
    const bool framed = HasDrawnFrame();
    borderStyle_ = value;
    ApplyWindowFlags();
    if (framed != HasDrawnFrame())
        ClientFrameChanged();
}

void Form::SetFormStyle(tk::FormStyle value) {
    if (value == formStyle_)
        return;
    formStyle_ = value;
    ApplyWindowFlags();
    if (Visible() && StaysOnTop())
        BringToFront();
}

void Form::SetPosition(FormPosition value) {
    position_ = value;
    placed_ = false;
}

void Form::PlaceByPosition() {
    placed_ = true;
    Rect area;
    switch (position_) {
    case poScreenCenter:
        area = Screen::MonitorFromRect(BoundsRect()).WorkareaRect;
        break;
    case poMainFormCenter:
        if (Form* main = App()->MainForm(); main && main != this)
            area = main->BoundsRect();
        else
            area = Screen::MonitorFromRect(BoundsRect()).WorkareaRect;
        break;
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void Form::ApplyGeometry() { Widget()->setGeometry(Left(), Top(), Width(), Height()); }

void Form::ApplyVisible() {
    if (Visible()) {
        if (!placed_)
            PlaceByPosition();
        // An empty window region shows nothing of the window.
        if (hasRegion_ && region_.IsEmpty())
            Widget()->hide();
        else if (showWithoutActivating_)
            ShowWindowWithoutActivating();
        else
            Widget()->show();
        internal::NoteFormShown(this);
        if (OnShow)
            OnShow(this);
    } else {
        const bool wasShown = Widget()->isVisible();
        Widget()->hide();
        if (wasShown && OnHide)
            OnHide(this);
    }
}

void Form::ShowWindowWithoutActivating() {
    QWidget* w = Widget();
    if (!w->isVisible())
        internal::NoteShownWithoutActivation(this);
    const bool before = w->testAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_ShowWithoutActivating, true);
    w->show();
    w->setAttribute(Qt::WA_ShowWithoutActivating, before);
}

void Form::ShowNoActivate() {
    const bool before = showWithoutActivating_;
    showWithoutActivating_ = true;
    Show();
    showWithoutActivating_ = before;
}

void Form::ShowOnTop() {
    if (!StaysOnTop()) {
        shownOnTop_ = true;
        ApplyWindowFlags();
    }
    // Where it is, as it is: no placing by Position.
    placed_ = true;
    if (!Visible())
        ShowNoActivate();
    BringToFront();
}

bool Form::ContainsScreenPoint(Point p) const {
    if (!BoundsRect().Contains(p))
        return false;
    return !hasRegion_ || region_.Contains({p.X - Left(), p.Y - Top()});
}

void Form::SetWindowRegion(const Region& region) {
    region_ = region;
    hasRegion_ = true;
    ApplyWindowRegion();
}

void Form::ClearWindowRegion() {
    region_ = Region();
    hasRegion_ = false;
    ApplyWindowRegion();
}

void Form::ApplyWindowRegion() {
    // Qt takes an empty mask for "no mask": an empty region hides the window
    // instead. Headless there is no window to shape.
    if (hasRegion_ && !region_.IsEmpty() && !internal::Headless())
        Widget()->setMask(region_.ToQRegion());
    else
        Widget()->clearMask();
    if (!Visible())
        return;
    const bool shows = !(hasRegion_ && region_.IsEmpty());
    if (shows && !Widget()->isVisible())
        ShowWindowWithoutActivating();
    else if (!shows && Widget()->isVisible())
        Widget()->hide();
}

void Form::SetAlphaBlend(bool value) {
    alphaBlend_ = value;
    Widget()->setWindowOpacity(alphaBlend_ ? alphaBlendValue_ / 255.0 : 1.0);
}

void Form::SetAlphaBlendValue(std::uint8_t value) {
    alphaBlendValue_ = value;
    SetAlphaBlend(alphaBlend_);
}

void Form::TextChanged() {
    Widget()->setWindowTitle(Caption());
    InvalidateFrame();
}

void Form::DoCreate() {
    if (created_)
        return;
    created_ = true;
    if (OnCreate)
        OnCreate(this);
}

void Form::Close() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    CloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (App()->MainForm() == this) {
        Hide();
        App()->Terminate();
        return;
    }
    if (action == caFree)
        ReleaseLater();
    else
        Hide();
}

void Form::WindowClosing(bool& accept) {
    accept = false;
    Close();
}

void Form::ReleaseLater() {
    if (releasing_)
        return;
    releasing_ = true;
    Hide();
    std::weak_ptr<int> alive = LifeToken();
    QMetaObject::invokeMethod(
        qApp,
        [alive, this] {
            if (!alive.expired())
                Free();
        },
        Qt::QueuedConnection);
}

bool Form::Active() const { return Screen::ActiveForm() == this; }

void Form::Activate() {
    internal::RaiseWindow(Widget());
    Widget()->activateWindow();
    internal::NoteFormRaised(this);
    internal::NoteActivate(this, activeControl_);
}

Control* Form::ActiveControl() const { return activeControl_; }

void Form::SetActiveControl(Control* control) {
    if (control && !ContainsControl(control))
        return;
    activeControl_ = control;
}

} // namespace tk
