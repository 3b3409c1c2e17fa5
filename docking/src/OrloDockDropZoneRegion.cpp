// Region data of guide bitmaps, read by scan line and kept per content.

#include <orlodock/docking/OrloDockDropZone.h>

#include <map>
#include <utility>

#include "OrloDockDropZoneShapes.h"

namespace {

// A few bitmaps of the theme in use take every place; a theme that makes new
// pixels for every request must not make the cache grow without end.
constexpr std::size_t kMaxCachedShapes = 64;

TOrloBitmapShape ScanShape(const tk::Bitmap& bitmap, tk::Color keyColor) {
    const std::uint32_t key = tk::Bitmap::ScanLineValue(keyColor);
    const int width = bitmap.Width();
    TOrloBitmapShape shape;
    bool any = false;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* line = bitmap.ScanLine(y);
        int x = 0;
        while (x < width) {
            while (x < width && line[x] == key)
                ++x;
            if (x == width)
                break;
            const int start = x;
            while (x < width && line[x] != key)
                ++x;
            // Runs are united one by one, in scan order, as the region was always built.
            const tk::Rect run = tk::MakeRect(start, y, x, y + 1);
            shape.Region = any ? shape.Region.United(run) : tk::Region(run);
            any = true;
        }
    }
    if (any)
        shape.Data = shape.Region.Data();
    return shape;
}

} // namespace

const TOrloBitmapShape& BitmapShape(const tk::Bitmap& bitmap, tk::Color keyColor) {
    static std::map<std::pair<std::int64_t, tk::Color>, TOrloBitmapShape> cache;
    const auto key = std::make_pair(bitmap.ContentKey(), keyColor);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    if (cache.size() >= kMaxCachedShapes)
        cache.clear();
    return cache.emplace(key, ScanShape(bitmap, keyColor)).first->second;
}

void BuildRegionData(const tk::Bitmap& bitmap, tk::Color keyColor, TOrloRegionData& data) {
    const TOrloBitmapShape& shape = BitmapShape(bitmap, keyColor);
    if (!shape.Empty())
        data.Assign(shape.Data);
}
