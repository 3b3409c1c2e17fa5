#pragma once

// Rectangles printed as (Left,Top,Right,Bottom) in test failure messages.

#include <ostream>
#include <sstream>
#include <string>

#include <orlodock/tk/geometry.h>

namespace tk {
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}
inline void PrintTo(const Rect& r, std::ostream* os) { *os << r; }
} // namespace tk

namespace tktest {
inline std::string RectText(const tk::Rect& r) {
    std::ostringstream os;
    os << r;
    return os.str();
}
} // namespace tktest
