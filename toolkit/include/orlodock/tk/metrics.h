#pragma once

// System metrics: the frame of the windows whose caption and borders the
// toolkit draws itself (tool windows). Drawing, hit testing and every caller
// that sizes a window around a client area use these numbers, and only these.

namespace tk {

// Height of the caption bar.
int CaptionHeight();
// Thickness of the left and right frame (the horizontal border width).
int BorderWidth();
// Thickness of the top and bottom frame (the vertical border height).
int BorderHeight();

} // namespace tk
