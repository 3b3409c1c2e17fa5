#pragma once

// Rectangles and points in the toolkit's convention: Right and Bottom are the
// first column and row outside the rectangle. QRect's right() is inclusive,
// so all arithmetic is done here and QRect only appears at the conversion.

#include <cstdint>
#include <optional>

class QRect;
class QPoint;

namespace tk {

struct Point {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr Point TopLeft() const { return {Left, Top}; }
    constexpr Point BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // Left and Top inclusive, Right and Bottom exclusive.
    constexpr bool Contains(Point p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect MakeRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr Rect BoundsRect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
constexpr bool PtInRect(const Rect& r, Point p) { return r.Contains(p); }
constexpr Rect OffsetRect(Rect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }
constexpr Rect InflateRect(Rect r, int dx, int dy) { return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy}; }
// The rectangle with Right and Bottom moved up to Left and Top where they lie
// before them: an inverted rectangle becomes an empty one at its top-left corner.
constexpr Rect NonInverted(Rect r) {
    r.Right = r.Right < r.Left ? r.Left : r.Right;
    r.Bottom = r.Bottom < r.Top ? r.Top : r.Bottom;
    return r;
}
// The overlap of two rectangles, or an empty rectangle at (0,0,0,0).
Rect IntersectRect(const Rect& a, const Rect& b);

// Where a control stands in its parent: on one side of it, filling it, or
// placed freely. Every int is a value of the type, so that a stray one from a
// caller or a stream can be told and refused (CheckAlign).
enum Align : int { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// ---- one rule for both directions ----
// Code that lays out, cuts or drags along a direction is written once for an
// axis instead of once per side or orientation.

enum class Axis : std::uint8_t { Horizontal, Vertical };

// X or Y.
constexpr int Coordinate(Point p, Axis axis) { return axis == Axis::Horizontal ? p.X : p.Y; }
constexpr void SetCoordinate(Point& p, Axis axis, int value) { (axis == Axis::Horizontal ? p.X : p.Y) = value; }
// Left or Top.
constexpr int Start(const Rect& r, Axis axis) { return axis == Axis::Horizontal ? r.Left : r.Top; }
// Right or Bottom: the first coordinate outside.
constexpr int End(const Rect& r, Axis axis) { return axis == Axis::Horizontal ? r.Right : r.Bottom; }
// Width or Height.
constexpr int Extent(const Rect& r, Axis axis) { return End(r, axis) - Start(r, axis); }
constexpr void SetStart(Rect& r, Axis axis, int value) { (axis == Axis::Horizontal ? r.Left : r.Top) = value; }
constexpr void SetEnd(Rect& r, Axis axis, int value) { (axis == Axis::Horizontal ? r.Right : r.Bottom) = value; }
// The rectangle from `start` to `end` along the axis, as wide as `r` across it.
constexpr Rect WithSpan(Rect r, Axis axis, int start, int end) {
    SetStart(r, axis, start);
    SetEnd(r, axis, end);
    return r;
}

// One side of a rectangle: the axis that crosses it, and the direction in
// which that axis leaves the rectangle there (-1 at Left and Top, +1 at Right and Bottom).
struct Edge {
    Axis Across = Axis::Horizontal;
    int Outward = -1;

    constexpr Edge Opposite() const { return {Across, -Outward}; }
    friend constexpr bool operator==(const Edge&, const Edge&) = default;
};

// The coordinate of the side: Left, Top, Right or Bottom.
constexpr int EdgePosition(const Rect& r, Edge edge) {
    return edge.Outward > 0 ? End(r, edge.Across) : Start(r, edge.Across);
}
// Moves the side `distance` pixels outwards (inwards when negative): the rectangle grows by `distance`.
constexpr void MoveEdge(Rect& r, Edge edge, int distance) {
    if (edge.Outward > 0)
        SetEnd(r, edge.Across, End(r, edge.Across) + distance);
    else
        SetStart(r, edge.Across, Start(r, edge.Across) - distance);
}
// The strip of `r` that lies within `depth` pixels of the side.
constexpr Rect Band(Rect r, Edge edge, int depth) {
    if (edge.Outward > 0)
        SetStart(r, edge.Across, End(r, edge.Across) - depth);
    else
        SetEnd(r, edge.Across, Start(r, edge.Across) + depth);
    return r;
}

// The side an alignment names (alTop: the top side); none for alNone, alClient and alCustom.
std::optional<Edge> AlignedEdge(Align align);
// The side of a control with this alignment that faces the inside of its
// parent (alTop: the control's bottom side); none where AlignedEdge has none.
std::optional<Edge> InnerEdge(Align align);

// `p` moved by (dx, dy), each coordinate held within the range of int:
// points from far outside a window must not wrap around.
Point SaturatedOffset(Point p, long long dx, long long dy);

// Rounds to the nearest integer, ties to the even neighbour (0.5 -> 0, 1.5 -> 2,
// -1.5 -> -2); values beyond the range of int give its nearest end.
int RoundHalfEven(double value);

// The only conversions between toolkit and Qt geometry.
QRect ToQRect(const Rect& r);
Rect FromQRect(const QRect& r);
QPoint ToQPoint(Point p);
Point FromQPoint(const QPoint& p);

} // namespace tk
