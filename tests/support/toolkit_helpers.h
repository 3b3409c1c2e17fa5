#pragma once

// Helpers for driving and inspecting toolkit controls in tests.

#include <QImage>

#include <orlodock/tk/control.h>
#include <orlodock/tk/graphics.h>

namespace tktest {

// Dispatches the events that are waiting (queued calls, paints) and runs the
// deferred deletions, as the message loop would between two user actions.
void PumpEvents();

// What the control shows on the screen: its window with its children and any
// inverted bars above them, painted now. Pixels are in the control's window
// coordinates (its client area for ordinary controls).
QImage GrabControl(tk::Control* control);

// The RGB value (0x00BBGGRR) of a pixel of a grabbed image.
tk::Color PixelOf(const QImage& image, int x, int y);

// A key pressed and released as the window system delivers it: to the
// control holding the keyboard capture, else to the focused widget, else to
// the active window. `qtKey` is a Qt::Key.
void PressKey(int qtKey);

// Number of pixels that differ between two images of the same size (-1 when the sizes differ).
int CountDifferentPixels(const QImage& a, const QImage& b);

} // namespace tktest
