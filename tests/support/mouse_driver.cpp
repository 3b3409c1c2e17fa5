#include "mouse_driver.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

namespace tktest {

namespace {

Qt::MouseButton ToQt(tk::MouseButton b) {
    switch (b) {
    case tk::mbRight:
        return Qt::RightButton;
    case tk::mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

Qt::KeyboardModifiers ModifiersToQt(tk::ShiftState s) {
    Qt::KeyboardModifiers m;
    if (s & tk::ssShift)
        m |= Qt::ShiftModifier;
    if (s & tk::ssCtrl)
        m |= Qt::ControlModifier;
    if (s & tk::ssAlt)
        m |= Qt::AltModifier;
    return m;
}

} // namespace

tk::Control* MouseDriver::ControlAt(tk::Point screen) {
    if (tk::Form* form = tk::Screen::FormAtPoint(screen))
        return form->ControlAtPos(form->ScreenToClient(screen));
    // A window of the application's with toolkit controls inside it (a tk::ControlHost).
    const QPoint global = tk::ToQPoint(screen);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || tk::Control::FromWidget(window) ||
            window->testAttribute(Qt::WA_TransparentForMouseEvents) || !window->geometry().contains(global))
            continue;
        for (QWidget* w = window->childAt(window->mapFromGlobal(global)); w; w = w->parentWidget())
            if (tk::Control* control = tk::Control::FromWidget(w))
                return control->ControlAtPos(control->ScreenToClient(screen));
        return nullptr;
    }
    return nullptr;
}

tk::Control* MouseDriver::TargetAt(tk::Point screen) {
    if (tk::Control* capture = tk::Control::CaptureControl())
        return capture;
    return ControlAt(screen);
}

void MouseDriver::UpdateHover(tk::Control* control) {
    tk::Control* old = hoverAlive_.expired() ? nullptr : hover_;
    if (old == control)
        return;
    if (old) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(old->Widget(), &leave);
    }
    hover_ = control;
    hoverAlive_ = control ? control->LifeToken() : std::weak_ptr<int>();
    if (control) {
        QPointF local = control->Widget()->mapFromGlobal(QPointF(tk::ToQPoint(tk::Screen::CursorPos())));
        QEnterEvent enter(local, local, QPointF(tk::ToQPoint(tk::Screen::CursorPos())));
        QApplication::sendEvent(control->Widget(), &enter);
    }
}

void MouseDriver::Send(int type, tk::Point screen, tk::MouseButton button) {
    tk::Screen::NoteCursorPos(screen);
    tk::Control* target = TargetAt(screen);
    // Enter and leave follow the pointer only while nothing holds the mouse.
    if (!tk::Control::CaptureControl() && buttons_ == 0)
        UpdateHover(ControlAt(screen));
    if (!target)
        return;
    QWidget* w = target->Widget();
    const QPointF global(tk::ToQPoint(screen));
    const QPointF local = w->mapFromGlobal(global);
    const auto qtType = static_cast<QEvent::Type>(type);
    const Qt::MouseButton qtButton = qtType == QEvent::MouseMove ? Qt::NoButton : ToQt(button);
    QMouseEvent event(qtType, local, local, global, qtButton, Qt::MouseButtons::fromInt(buttons_),
                      ModifiersToQt(modifiers_));
    QApplication::sendEvent(w, &event);
}

void MouseDriver::Move(tk::Point screen) { Send(QEvent::MouseMove, screen, tk::mbLeft); }

void MouseDriver::Press(tk::Point screen, tk::MouseButton button) {
    buttons_ |= ToQt(button);
    Send(QEvent::MouseButtonPress, screen, button);
}

void MouseDriver::Release(tk::Point screen, tk::MouseButton button) {
    buttons_ &= ~static_cast<unsigned>(ToQt(button));
    Send(QEvent::MouseButtonRelease, screen, button);
}

void MouseDriver::Click(tk::Point screen, tk::MouseButton button) {
    Move(screen);
    Press(screen, button);
    Release(screen, button);
}

void MouseDriver::Drag(tk::Point from, tk::Point to, int steps) {
    Move(from);
    Press(from);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i)
        Move({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
    Release(to);
}

} // namespace tktest
