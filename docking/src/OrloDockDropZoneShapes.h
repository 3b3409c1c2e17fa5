#pragma once

// The shape of a guide bitmap: the region of its pixels that differ from a
// key colour. Guide images are positioned on every ShowGuides, always with the
// same few bitmaps, so shapes are kept per bitmap content and key colour.

#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/region.h>

struct TOrloBitmapShape {
    // The region data; empty when every pixel is the key colour.
    tk::Bytes Data;
    // The same pixels as a region, at the origin.
    tk::Region Region;
    bool Empty() const { return Data.isEmpty(); }
};

// The shape of the bitmap's current pixels; valid until the next call.
const TOrloBitmapShape& BitmapShape(const tk::Bitmap& bitmap, tk::Color keyColor);
