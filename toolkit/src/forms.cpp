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
        flags = Qt::Tool;
        break;
    case bsDialog:
        flags = Qt::Dialog;
        break;
    default:
        break;
    }
    if (formStyle_ == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    const bool shown = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    // Changing the flags hides the window.
    if (shown)
        Widget()->show();
}

void Form::SetBorderStyle(FormBorderStyle value) {
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    ApplyWindowFlags();
}

void Form::SetFormStyle(tk::FormStyle value) {
    if (value == formStyle_)
        return;
    formStyle_ = value;
    ApplyWindowFlags();
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

void Form::ShowNoActivate() {
    Widget()->setAttribute(Qt::WA_ShowWithoutActivating, true);
    Show();
    Widget()->setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void Form::TextChanged() { Widget()->setWindowTitle(Caption()); }

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
    Widget()->raise();
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

void Form::WndProc(Message& message) { CustomControl::WndProc(message); }

} // namespace tk
