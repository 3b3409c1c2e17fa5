#include <gtest/gtest.h>

#include <QtEndian>
#include <cstdint>

#include <orlodock/tk/region.h>

using namespace tk;

namespace {

// A cross of two bars: the shape of a guide window.
Region Cross() { return Region(MakeRect(10, 0, 20, 30)).United(MakeRect(0, 10, 30, 20)); }

} // namespace

TEST(Region, ArithmeticFollowsThePixels) {
    EXPECT_TRUE(Region().IsEmpty());
    EXPECT_TRUE(Region(MakeRect(5, 5, 5, 9)).IsEmpty());
    EXPECT_EQ(Region().BoundingBox(), Rect{});

    const Region cross = Cross();
    EXPECT_EQ(cross.BoundingBox(), MakeRect(0, 0, 30, 30));
    // Right and bottom edges are outside; the corners of the box are not in the cross.
    EXPECT_TRUE(cross.Contains({10, 0}));
    EXPECT_TRUE(cross.Contains({29, 19}));
    EXPECT_FALSE(cross.Contains({20, 0}));
    EXPECT_FALSE(cross.Contains({30, 15}));
    EXPECT_FALSE(cross.Contains({0, 0}));
    EXPECT_FALSE(cross.Contains({29, 29}));

    // Union and offset are values: the operands stay as they were.
    const Region moved = cross.Offset(-40, 5);
    EXPECT_EQ(moved.BoundingBox(), MakeRect(-40, 5, -10, 35));
    EXPECT_TRUE(moved.Contains({-30, 5}));
    EXPECT_EQ(cross.BoundingBox(), MakeRect(0, 0, 30, 30));

    // Equality compares pixels, not how the region was built.
    const Region sameCross =
        Region(MakeRect(0, 10, 30, 20)).United(MakeRect(10, 0, 20, 10)).United(MakeRect(10, 20, 20, 30));
    EXPECT_EQ(cross, sameCross);
    EXPECT_FALSE(cross == Region(MakeRect(0, 0, 30, 30)));
    EXPECT_EQ(cross.United(Region()), cross);
    EXPECT_EQ(Region(MakeRect(0, 0, 10, 10)).United(MakeRect(10, 0, 20, 10)), Region(MakeRect(0, 0, 20, 10)));

    // Disjoint rectangles covering the cross, top to bottom.
    const std::vector<Rect> rects = cross.Rects();
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], MakeRect(10, 0, 20, 10));
    EXPECT_EQ(rects[1], MakeRect(0, 10, 30, 20));
    EXPECT_EQ(rects[2], MakeRect(10, 20, 20, 30));
}

TEST(Region, SubtractingCutsAHoleAndLeavesTheOperandsAlone) {
    const Region box(MakeRect(0, 0, 30, 30));
    const Region ring = box.Subtracted(Region(MakeRect(5, 5, 25, 25)));
    EXPECT_TRUE(ring.Contains({4, 15}));
    EXPECT_TRUE(ring.Contains({25, 25}));
    EXPECT_FALSE(ring.Contains({5, 5}));
    EXPECT_FALSE(ring.Contains({24, 24}));
    EXPECT_EQ(ring.BoundingBox(), box.BoundingBox());
    EXPECT_TRUE(box.Contains({15, 15}));
    EXPECT_TRUE(box.Subtracted(box).IsEmpty());
    EXPECT_EQ(box.Subtracted(Region(MakeRect(40, 40, 50, 50))), box);
}

TEST(Region, DataRoundTripsExactly) {
    for (const Region& region : {Region(), Region(MakeRect(-7, -3, 4, 2)), Cross(), Cross().Offset(100, -50)}) {
        const Bytes data = region.Data();
        const int count = static_cast<int>(region.Rects().size());
        ASSERT_EQ(data.size(), RegionDataHeaderSize + count * 16);
        EXPECT_EQ(qFromLittleEndian<std::int32_t>(data.constData() + 8), count);
        const Region back = Region::FromData(data);
        EXPECT_EQ(back, region);
        EXPECT_EQ(back.Data(), data);
    }
}

TEST(Region, BadDataRaisesAClearError) {
    const Bytes good = Cross().Data();
    auto patched = [&](int offset, std::int32_t value) {
        Bytes data = good;
        qToLittleEndian(value, data.data() + offset);
        return data;
    };
    const struct {
        const char* what;
        Bytes data;
    } cases[] = {
        {"too short", good.left(31)},
        {"header size", patched(0, 40)},
        {"type", patched(4, 2)},
        {"count beyond the data", patched(8, 4)},
        {"negative count", patched(8, -1)},
        {"rectangle bytes", patched(12, 32)},
        {"trailing bytes", good + Bytes(16, '\0')},
        {"empty rectangle", patched(32 + 8, 10)},
        {"bounding box", patched(16, 1)},
    };
    for (const auto& c : cases)
        EXPECT_THROW(Region::FromData(c.data), ERegionError) << c.what;
}
