// Region data of the guide bitmaps and the theme that supplies them.

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include <orlodock/docking/OrloDockDropZone.h>

namespace {

// Pixel by pixel, each run of non-key pixels united into the region in scan order.
tk::Bytes ReferenceRegionData(const tk::Bitmap& bitmap, tk::Color key) {
    std::optional<tk::Region> region;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width();) {
            if (bitmap.Pixel(x, y) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < bitmap.Width() && bitmap.Pixel(x, y) != key)
                ++x;
            const tk::Region run(tk::MakeRect(start, y, x, y + 1));
            region = region ? region->United(run) : run;
        }
    return region ? region->Data() : tk::Bytes();
}

// A bitmap from rows of text: '.' is lime, anything else opaque grey.
tk::Bitmap Drawn(std::initializer_list<const char*> rows) {
    const int width = static_cast<int>(std::strlen(*rows.begin()));
    tk::Bitmap bitmap(width, static_cast<int>(rows.size()));
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, row[x] == '.' ? tk::clLime : tk::clGray);
        ++y;
    }
    return bitmap;
}

tk::Bytes Built(const tk::Bitmap& bitmap) {
    TOrloRegionData data;
    BuildRegionData(bitmap, tk::clLime, data);
    return data.Data();
}

} // namespace

TEST(GuideBitmaps, HaveTheirSizesAndDepthsAndTheirRegionsMatchThePixelScan) {
    struct Case {
        TOrloDockDropKind kind;
        int width, height;
    };
    for (Case c : {Case{dkLeft, 30, 43}, Case{dkRight, 30, 43}, Case{dkTop, 43, 30}, Case{dkBottom, 43, 30},
                   Case{dkTab, 33, 33}})
        for (TOrloDockDropState state : {dsNormal, dsHot, dsDisabled}) {
            const auto bitmap = DropZoneTheme->GetZoneBitmap(c.kind, state);
            EXPECT_EQ(bitmap->Width(), c.width) << c.kind;
            EXPECT_EQ(bitmap->Height(), c.height) << c.kind;
            EXPECT_EQ(bitmap->PixelFormat(), tk::pf24bit) << c.kind;
            const tk::Bytes data = Built(*bitmap);
            EXPECT_FALSE(data.isEmpty()) << c.kind << "/" << state;
            EXPECT_EQ(data, ReferenceRegionData(*bitmap, tk::clLime)) << c.kind << "/" << state;
        }
    const auto centre = DropZoneTheme->GetCentreBitmap();
    EXPECT_EQ(centre->Width(), 67);
    EXPECT_EQ(centre->Height(), 67);
    EXPECT_EQ(centre->PixelFormat(), tk::pf32bit);
    EXPECT_EQ(Built(*centre), ReferenceRegionData(*centre, tk::clLime));

    EXPECT_EQ(DropZoneTheme->GetThemeName(), "Orlo2005");
    EXPECT_TRUE(tk::Supports<IOrloDockDropZoneTheme>(DropZoneTheme.get()));
    try {
        DropZoneTheme->GetZoneBitmap(dkCentre, dsNormal);
        ADD_FAILURE() << "dkCentre has no zone bitmap";
    } catch (const tk::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Assertion failure");
        EXPECT_EQ(e.UnitName(), "OrloDockDropZone");
    }
}

TEST(GuideBitmaps, HandMadeShapesMatchThePixelScan) {
    const tk::Bitmap cases[] = {
        // Opaque right-most column and a row of key pixels in between.
        Drawn({"..#", "...", "#.#", "###"}),
        // Runs that touch both edges, and rows repeating each other.
        Drawn({"#..#", "#..#", ".##.", "####"}),
        Drawn({"#"}),
    };
    for (const tk::Bitmap& bitmap : cases) {
        const tk::Bytes data = Built(bitmap);
        EXPECT_EQ(data, ReferenceRegionData(bitmap, tk::clLime));
        const tk::Region region = tk::Region::FromData(data);
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                EXPECT_EQ(region.Contains({x, y}), bitmap.Pixel(x, y) != tk::clLime) << x << "," << y;
    }
}

TEST(GuideBitmaps, AnAllKeyBitmapLeavesTheDataAsItWas) {
    TOrloRegionData data;
    BuildRegionData(Drawn({"...", "..."}), tk::clLime, data);
    EXPECT_EQ(data.Size(), 0);
    const tk::Bitmap shape = Drawn({"#."});
    BuildRegionData(shape, tk::clLime, data);
    const tk::Bytes before = data.Data();
    EXPECT_EQ(data.Size(), tk::RegionDataHeaderSize + 16);
    BuildRegionData(Drawn({"..."}), tk::clLime, data);
    EXPECT_EQ(data.Data(), before);

    data.SetSize(0);
    EXPECT_EQ(data.Size(), 0);
    EXPECT_THROW(data.SetSize(-1), tk::EAssertionFailed);
}

TEST(GuideBitmaps, ChangedPixelsGetANewShape) {
    tk::Bitmap bitmap = Drawn({"#..", "..."});
    const tk::Bitmap copy = bitmap;
    const tk::Bytes first = Built(bitmap);
    bitmap.SetPixel(2, 1, tk::clRed);
    EXPECT_NE(Built(bitmap), first);
    EXPECT_EQ(Built(bitmap), ReferenceRegionData(bitmap, tk::clLime));
    EXPECT_EQ(Built(copy), first);
}
