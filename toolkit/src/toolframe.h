#pragma once

// Toolkit-internal: the caption bar and frame the toolkit draws around the
// client area of a tool window, in window coordinates (0,0 is the window's
// top-left corner). Every size comes from the system metrics.

#include <orlodock/tk/geometry.h>
#include <orlodock/tk/messages.h>
#include <orlodock/tk/tkstring.h>

class QFont;
class QPainter;

namespace tk::toolframe {

// Where the client area starts.
Point ClientOffset();
Rect ClientRect(int width, int height);
Rect CaptionRect(int width);
Rect CloseButtonRect(int width);
// The smallest window that still shows its frame, caption and close button.
int MinWidth();
int MinHeight();

// The part of a width x height window under a point; borders of a window
// that cannot be sized answer HTBORDER. Near a corner, the corner wins over
// the edges that meet there.
HitTestCode HitTest(int width, int height, Point p, bool sizeable);

enum class CloseButtonState { Normal, Pressed };

void Paint(QPainter& painter, int width, int height, const String& caption, const QFont& font, bool active,
           CloseButtonState closeButton);

} // namespace tk::toolframe
