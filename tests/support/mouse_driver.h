#pragma once

// Drives the mouse as a user would, at screen points: a message goes to the
// control holding the mouse capture, else to the deepest visible control under
// the point in the topmost form there (or, without one, in the application's
// own window there). Every action moves the cursor
// (tk::Screen::CursorPos) and is delivered through the window's Qt events, so
// the toolkit's own translation and capture routing run as in a real session.

#include <memory>

#include <orlodock/tk/control.h>
#include <orlodock/tk/geometry.h>

namespace tktest {

class MouseDriver {
public:
    void Move(tk::Point screen);
    void Press(tk::Point screen, tk::MouseButton button = tk::mbLeft);
    void Release(tk::Point screen, tk::MouseButton button = tk::mbLeft);
    // Press and release at one point.
    void Click(tk::Point screen, tk::MouseButton button = tk::mbLeft);
    // Press at from, move in steps to to, release there.
    void Drag(tk::Point from, tk::Point to, int steps = 4);
    // Keys held while the mouse acts (tk::ssShift, ssCtrl, ssAlt).
    void SetModifiers(tk::ShiftState shift) { modifiers_ = shift; }

    // The control a message at this point goes to.
    static tk::Control* TargetAt(tk::Point screen);
    // The deepest visible control under the point in the topmost window, ignoring capture.
    static tk::Control* ControlAt(tk::Point screen);

private:
    void Send(int type, tk::Point screen, tk::MouseButton button);
    void UpdateHover(tk::Control* control);

    unsigned buttons_ = 0;
    tk::ShiftState modifiers_ = 0;
    tk::Control* hover_ = nullptr;
    std::weak_ptr<int> hoverAlive_;
};

} // namespace tktest
