#pragma once

// Regions: sets of pixels made of rectangles, as values. A window region
// (Form::SetWindowRegion) limits a window to its pixels for drawing and for
// the mouse. The region-data form is a header followed by the rectangles, so
// a region can be stored as bytes and rebuilt exactly.

#include <memory>
#include <vector>

#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/streaming.h>

class QRegion;

namespace tk {

// Region data that cannot be turned into a region.
class ERegionError : public Exception {
    using Exception::Exception;
};

// Layout of the region data, all fields 32-bit little-endian signed integers:
//   header: HeaderSize (32), Type (1: rectangles), Count, RectsSize (Count * 16),
//           bounding box Left, Top, Right, Bottom
//   then Count rectangles: Left, Top, Right, Bottom.
constexpr int RegionDataHeaderSize = 32;
constexpr int RegionDataRectangles = 1;

class Region {
public:
    // The empty region.
    Region();
    explicit Region(const Rect& rect);
    ~Region();
    Region(const Region& other);
    Region& operator=(const Region& other);

    bool IsEmpty() const;
    bool Contains(Point p) const;
    // The smallest rectangle around the region; (0,0,0,0) when empty.
    Rect BoundingBox() const;
    // Disjoint rectangles covering the region, top to bottom, left to right.
    std::vector<Rect> Rects() const;

    Region United(const Region& other) const;
    Region United(const Rect& rect) const { return United(Region(rect)); }
    // The pixels of this region that are not in other.
    Region Subtracted(const Region& other) const;
    Region Offset(int dx, int dy) const;

    // The region-data form (see the layout above).
    Bytes Data() const;
    // Rebuilds a region from its data; raises ERegionError for data that is
    // too short, has the wrong header or holds an empty rectangle.
    static Region FromData(const Bytes& data);

    // Same pixels.
    friend bool operator==(const Region& a, const Region& b);

    // Toolkit side.
    const QRegion& ToQRegion() const;

private:
    explicit Region(const QRegion& region);
    // Never null; shared between copies, never changed once made.
    std::shared_ptr<const QRegion> region_;
};

} // namespace tk
