#pragma once

// Toolkit-internal bookkeeping shared between the control, form, screen and
// application units.

#include <orlodock/tk/geometry.h>

namespace tk {
class Control;
class Form;
} // namespace tk

namespace tk::internal {

// screen.cpp: focus, stacking order of forms, and forgetting destroyed windows.
void NoteFocus(Control* control);
// The form became the active one; its own active control (may be nullptr) has the focus.
void NoteActivate(Form* form, Control* activeControl);
void NoteControlGone(Control* control);
void NoteFormShown(Form* form);
void NoteFormRaised(Form* form);
void NoteFormLowered(Form* form);
void NoteFormGone(Form* form);

// application.cpp: the hint that follows the pointer over controls with ShowHint.
void PointerOver(Control* control, Point screen);
void PointerLeft(Control* control);

} // namespace tk::internal
