#include <orlodock/tk/region.h>

#include <QRegion>
#include <QtEndian>
#include <cstdint>

namespace tk {

namespace {

void PutInt(Bytes& data, int offset, int value) { qToLittleEndian<std::int32_t>(value, data.data() + offset); }

int GetInt(const Bytes& data, int offset) { return qFromLittleEndian<std::int32_t>(data.constData() + offset); }

void PutRect(Bytes& data, int offset, const Rect& r) {
    PutInt(data, offset, r.Left);
    PutInt(data, offset + 4, r.Top);
    PutInt(data, offset + 8, r.Right);
    PutInt(data, offset + 12, r.Bottom);
}

Rect GetRect(const Bytes& data, int offset) {
    return MakeRect(GetInt(data, offset), GetInt(data, offset + 4), GetInt(data, offset + 8),
                    GetInt(data, offset + 12));
}

constexpr int RectSize = 16;

} // namespace

Region::Region() : region_(std::make_shared<const QRegion>()) {}

Region::Region(const Rect& rect)
    : region_(std::make_shared<const QRegion>(rect.IsEmpty() ? QRegion() : QRegion(ToQRect(rect)))) {}

Region::Region(const QRegion& region) : region_(std::make_shared<const QRegion>(region)) {}

Region::~Region() = default;
Region::Region(const Region& other) = default;
Region& Region::operator=(const Region& other) = default;

bool Region::IsEmpty() const { return region_->isEmpty(); }

bool Region::Contains(Point p) const { return region_->contains(ToQPoint(p)); }

Rect Region::BoundingBox() const { return IsEmpty() ? Rect{} : FromQRect(region_->boundingRect()); }

std::vector<Rect> Region::Rects() const {
    std::vector<Rect> result;
    for (const QRect& r : *region_)
        result.push_back(FromQRect(r));
    return result;
}

Region Region::United(const Region& other) const { return Region(region_->united(*other.region_)); }

Region Region::Subtracted(const Region& other) const { return Region(region_->subtracted(*other.region_)); }

Region Region::Offset(int dx, int dy) const { return Region(region_->translated(dx, dy)); }

Bytes Region::Data() const {
    const std::vector<Rect> rects = Rects();
    const int count = static_cast<int>(rects.size());
    Bytes data(RegionDataHeaderSize + count * RectSize, '\0');
    PutInt(data, 0, RegionDataHeaderSize);
    PutInt(data, 4, RegionDataRectangles);
    PutInt(data, 8, count);
    PutInt(data, 12, count * RectSize);
    PutRect(data, 16, BoundingBox());
    for (int i = 0; i < count; ++i)
        PutRect(data, RegionDataHeaderSize + i * RectSize, rects[static_cast<size_t>(i)]);
    return data;
}

Region Region::FromData(const Bytes& data) {
    if (data.size() < RegionDataHeaderSize)
        throw ERegionError(QStringLiteral("Region data too short: %1 bytes").arg(data.size()));
    if (GetInt(data, 0) != RegionDataHeaderSize || GetInt(data, 4) != RegionDataRectangles)
        throw ERegionError(QStringLiteral("Region data has an unknown header"));
    const long long count = GetInt(data, 8);
    if (count < 0 || GetInt(data, 12) != count * RectSize || data.size() != RegionDataHeaderSize + count * RectSize)
        throw ERegionError(QStringLiteral("Region data holds %1 bytes, not the %2 rectangles it announces")
                               .arg(data.size())
                               .arg(count));
    QRegion region;
    for (int i = 0; i < count; ++i) {
        const Rect r = GetRect(data, RegionDataHeaderSize + i * RectSize);
        if (r.IsEmpty())
            throw ERegionError(QStringLiteral("Region data rectangle %1 is empty").arg(i));
        region += ToQRect(r);
    }
    Region result(region);
    if (result.BoundingBox() != GetRect(data, 16))
        throw ERegionError(QStringLiteral("Region data bounding box does not match its rectangles"));
    return result;
}

bool operator==(const Region& a, const Region& b) { return *a.region_ == *b.region_; }

const QRegion& Region::ToQRegion() const { return *region_; }

} // namespace tk
