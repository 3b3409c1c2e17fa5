#include <orlodock/tk/geometry.h>

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tk {

Rect IntersectRect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

std::optional<Edge> AlignedEdge(Align align) {
    switch (align) {
    case alTop:
        return Edge{Axis::Vertical, -1};
    case alBottom:
        return Edge{Axis::Vertical, +1};
    case alLeft:
        return Edge{Axis::Horizontal, -1};
    case alRight:
        return Edge{Axis::Horizontal, +1};
    default:
        return std::nullopt;
    }
}

std::optional<Edge> InnerEdge(Align align) {
    const std::optional<Edge> outer = AlignedEdge(align);
    return outer ? std::optional<Edge>(outer->Opposite()) : std::nullopt;
}

namespace {

int Saturate(long double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(
        std::clamp<long double>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

int RoundHalfEven(double value) {
    // nearbyint honours the default rounding mode, which is to-nearest-even.
    return Saturate(std::nearbyint(value));
}

Point SaturatedOffset(Point p, long long dx, long long dy) {
    return {Saturate(static_cast<long double>(p.X) + dx), Saturate(static_cast<long double>(p.Y) + dy)};
}

QRect ToQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

Rect FromQRect(const QRect& r) { return BoundsRect(r.x(), r.y(), r.width(), r.height()); }

QPoint ToQPoint(Point p) { return QPoint(p.X, p.Y); }

Point FromQPoint(const QPoint& p) { return {p.x(), p.y()}; }

} // namespace tk
