#pragma once

// Rectangles and points in the toolkit's convention: Right and Bottom are the
// first column and row outside the rectangle. QRect's right() is inclusive,
// so all arithmetic is done here and QRect only appears at the conversion.

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
// The overlap of two rectangles, or an empty rectangle at (0,0,0,0).
Rect IntersectRect(const Rect& a, const Rect& b);

// Rounds to the nearest integer, ties to the even neighbour (0.5 -> 0, 1.5 -> 2, -1.5 -> -2).
int RoundHalfEven(double value);

// The only conversions between toolkit and Qt geometry.
QRect ToQRect(const Rect& r);
Rect FromQRect(const QRect& r);
QPoint ToQPoint(Point p);
Point FromQPoint(const QPoint& p);

} // namespace tk
