#pragma once

// Rectangles printed as (Left,Top,Right,Bottom) in test failure messages.

#include <ostream>

#include <orlodock/tk/geometry.h>

namespace tk {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}
} // namespace tk
