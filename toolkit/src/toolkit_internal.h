#pragma once

// Toolkit-internal bookkeeping shared between the control, form, screen and
// application units.

#include <orlodock/tk/geometry.h>

class QWidget;

namespace tk {
class Control;
class Form;
} // namespace tk

namespace tk::internal {

// No window system behind the windows (the offscreen platform of the tests).
bool Headless();
// Raises a window; headless there is no stacking to change (the toolkit keeps its own).
void RaiseWindow(QWidget* window);

// Headless platforms activate every window they show. A form shown without
// activation is noted here; when the platform activates it anyway the
// activation goes back to the window that had it, and the toolkit's own
// focus bookkeeping ignores the detour.
void NoteShownWithoutActivation(Form* form);
void FormWindowActivated(Form* form);
void FormWindowDeactivated(Form* form);
bool ActivationBeingUndone(const Form* form);

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
