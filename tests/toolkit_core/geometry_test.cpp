#include <gtest/gtest.h>

#include <QRect>
#include <limits>

#include <orlodock/tk/geometry.h>

namespace {

using tk::Point;
using tk::Rect;

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(tk::RoundHalfEven(0.5), 0);
    EXPECT_EQ(tk::RoundHalfEven(1.5), 2);
    EXPECT_EQ(tk::RoundHalfEven(2.5), 2);
    EXPECT_EQ(tk::RoundHalfEven(3.5), 4);
    EXPECT_EQ(tk::RoundHalfEven(-0.5), 0);
    EXPECT_EQ(tk::RoundHalfEven(-1.5), -2);
    EXPECT_EQ(tk::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(tk::RoundHalfEven(2.4999), 2);
    EXPECT_EQ(tk::RoundHalfEven(2.5001), 3);
    EXPECT_EQ(tk::RoundHalfEven(-2.6), -3);
    // A percentage computed the way zones do it: 150 of 400 pixels.
    EXPECT_EQ(tk::RoundHalfEven(150.0 * 100.0 / 400.0), 38);
    // Beyond the range of int: its nearest end.
    EXPECT_EQ(tk::RoundHalfEven(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(tk::RoundHalfEven(-1e12), std::numeric_limits<int>::min());
}

TEST(Rect, ContainsLeftTopButNotRightBottom) {
    const Rect r = tk::MakeRect(10, 20, 30, 50);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 30);
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({29, 49}));
    EXPECT_FALSE(r.Contains({30, 20}));
    EXPECT_FALSE(r.Contains({10, 50}));
    EXPECT_FALSE(r.Contains({9, 25}));
    EXPECT_FALSE(r.Contains({15, 19}));
    EXPECT_TRUE(tk::PtInRect(r, {29, 20}));
    EXPECT_FALSE(tk::MakeRect(5, 5, 5, 10).Contains({5, 5})) << "an empty rectangle contains nothing";
}

TEST(Rect, OffsetInflateEqualityIntersection) {
    const Rect r = tk::MakeRect(10, 20, 30, 50);
    EXPECT_EQ(tk::OffsetRect(r, 5, -20), tk::MakeRect(15, 0, 35, 30));
    EXPECT_EQ(tk::InflateRect(r, 2, 3), tk::MakeRect(8, 17, 32, 53));
    EXPECT_EQ(tk::InflateRect(r, -10, -15), tk::MakeRect(20, 35, 20, 35));
    EXPECT_TRUE(tk::InflateRect(r, -10, -15).IsEmpty());
    EXPECT_NE(r, tk::MakeRect(10, 20, 30, 51));
    EXPECT_EQ(tk::BoundsRect(10, 20, 20, 30), r);
    EXPECT_EQ(tk::IntersectRect(r, tk::MakeRect(25, 0, 100, 21)), tk::MakeRect(25, 20, 30, 21));
    // Touching rectangles do not overlap: right/bottom are outside.
    EXPECT_EQ(tk::IntersectRect(r, tk::MakeRect(30, 20, 40, 50)), Rect{});
}

TEST(Axis, StartEndExtentAlongEitherAxis) {
    using tk::Axis;
    const Rect r = tk::MakeRect(10, 20, 30, 50);
    EXPECT_EQ(tk::Start(r, Axis::Horizontal), 10);
    EXPECT_EQ(tk::End(r, Axis::Horizontal), 30);
    EXPECT_EQ(tk::Extent(r, Axis::Horizontal), 20);
    EXPECT_EQ(tk::Start(r, Axis::Vertical), 20);
    EXPECT_EQ(tk::End(r, Axis::Vertical), 50);
    EXPECT_EQ(tk::Extent(r, Axis::Vertical), 30);
    Rect s = r;
    tk::SetStart(s, Axis::Vertical, 25);
    tk::SetEnd(s, Axis::Horizontal, 40);
    EXPECT_EQ(s, tk::MakeRect(10, 25, 40, 50));
    EXPECT_EQ(tk::WithSpan(r, Axis::Horizontal, 0, 5), tk::MakeRect(0, 20, 5, 50));
    Point p{3, 4};
    tk::SetCoordinate(p, Axis::Vertical, 9);
    EXPECT_EQ(p, (Point{3, 9}));
    EXPECT_EQ(tk::Coordinate(p, Axis::Horizontal), 3);
}

TEST(Edge, SidesOfAnAlignmentTheirBandsAndMoves) {
    const Rect r = tk::MakeRect(10, 20, 30, 50);
    struct Case {
        tk::Align Align;
        int Position;    // of the side the alignment names
        Rect Band;       // 4 pixels deep along that side
        int InnerAt;     // the opposite, inner side
        Rect InnerMoved; // the inner side moved 5 pixels outwards
    };
    const Case cases[] = {
        {tk::alTop, 20, tk::MakeRect(10, 20, 30, 24), 50, tk::MakeRect(10, 20, 30, 55)},
        {tk::alBottom, 50, tk::MakeRect(10, 46, 30, 50), 20, tk::MakeRect(10, 15, 30, 50)},
        {tk::alLeft, 10, tk::MakeRect(10, 20, 14, 50), 30, tk::MakeRect(10, 20, 35, 50)},
        {tk::alRight, 30, tk::MakeRect(26, 20, 30, 50), 10, tk::MakeRect(5, 20, 30, 50)},
    };
    for (const Case& c : cases) {
        const std::optional<tk::Edge> side = tk::AlignedEdge(c.Align);
        const std::optional<tk::Edge> inner = tk::InnerEdge(c.Align);
        ASSERT_TRUE(side && inner) << c.Align;
        EXPECT_EQ(tk::EdgePosition(r, *side), c.Position) << c.Align;
        EXPECT_EQ(tk::Band(r, *side, 4), c.Band) << c.Align;
        EXPECT_EQ(*inner, side->Opposite()) << c.Align;
        EXPECT_EQ(tk::EdgePosition(r, *inner), c.InnerAt) << c.Align;
        Rect moved = r;
        tk::MoveEdge(moved, *inner, 5);
        EXPECT_EQ(moved, c.InnerMoved) << c.Align;
    }
    for (tk::Align none : {tk::alNone, tk::alClient, tk::alCustom})
        EXPECT_FALSE(tk::AlignedEdge(none) || tk::InnerEdge(none)) << none;
}

TEST(Rect, QRectConversionKeepsExclusiveEdges) {
    const Rect r = tk::MakeRect(-3, 4, 17, 9);
    const QRect q = tk::ToQRect(r);
    EXPECT_EQ(q.left(), -3);
    EXPECT_EQ(q.top(), 4);
    EXPECT_EQ(q.width(), 20);
    EXPECT_EQ(q.height(), 5);
    EXPECT_EQ(q.right(), 16) << "QRect's right() is the last column inside";
    EXPECT_EQ(tk::FromQRect(q), r);
    EXPECT_EQ(tk::FromQRect(QRect(QPoint(1, 2), QPoint(1, 2))), tk::MakeRect(1, 2, 2, 3));
    EXPECT_EQ(tk::FromQPoint(tk::ToQPoint(Point{7, -8})), (Point{7, -8}));
}

} // namespace
