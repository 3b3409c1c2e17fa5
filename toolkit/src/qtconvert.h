#pragma once

// Toolkit-internal conversions between toolkit values and Qt ones.

#include <QColor>
#include <QFont>

#include <orlodock/tk/graphics.h>

namespace tk {

// An opaque QColor for a toolkit colour (system colours resolved).
QColor ToQColor(Color color);
// 0x00BBGGRR of a QColor (alpha ignored).
Color FromQColor(const QColor& color);
// Same for a 0xAARRGGBB pixel.
inline Color FromQRgb(unsigned rgb) { return RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
inline unsigned ToQRgb(Color color) {
    Color c = ColorToRGB(color);
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
QFont ToQFont(const Font& font);

} // namespace tk
