#pragma once

// A bitmap: pixels in memory, loadable from the embedded resources by name,
// drawable onto a canvas with an optional transparent key colour.

#include <cstdint>
#include <memory>

#include <orlodock/tk/geometry.h>
#include <orlodock/tk/graphics.h>

class QImage;

namespace tk {

class Canvas;

enum PixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

class Bitmap {
public:
    Bitmap();
    Bitmap(int width, int height);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    ~Bitmap();

    // Loads resources/<name>.bmp embedded in the program; raises EResNotFound
    // when there is no such resource or it cannot be decoded. A resource is
    // decoded once: loading it again is cheap, and the bitmap shares the
    // decoded pixels until it changes them.
    void LoadFromResourceName(const String& name);
    // True when a resource of that name exists.
    static bool ResourceExists(const String& name);
    void LoadFromFile(const String& fileName);

    int Width() const;
    int Height() const;
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    bool Empty() const;

    // RGB value (0x00BBGGRR) of a pixel; clNone outside the bitmap.
    tk::Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, tk::Color color);

    // Row y (0 <= y < Height()) as Width() opaque pixels 0xFFRRGGBB, for
    // reading a whole bitmap fast; valid until the bitmap changes.
    const std::uint32_t* ScanLine(int y) const;
    // The ScanLine value of a colour (system colours resolved).
    static std::uint32_t ScanLineValue(tk::Color color);
    // Identifies the pixels: the same for copies that share them, different
    // after any change to them, never reused for other pixels.
    std::int64_t ContentKey() const;

    // When transparent, pixels of TransparentColor are left out when drawing.
    // The transparent colour defaults to the bottom-left pixel.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    tk::Color TransparentColor() const;
    void SetTransparentColor(tk::Color color);

    // The format the bitmap was loaded in (or pf32bit for a bitmap made in memory).
    tk::PixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(tk::PixelFormat format) { format_ = format; }

    // A canvas drawing into this bitmap.
    tk::Canvas* Canvas();

    void Assign(const Bitmap& other) { *this = other; }

    // Toolkit side: the pixels (ARGB32).
    const QImage& Image() const;
    QImage& Image();
    void SetImage(const QImage& image);

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<tk::Canvas> canvas_;
    bool transparent_ = false;
    bool transparentColorSet_ = false;
    tk::Color transparentColor_ = clNone;
    tk::PixelFormat format_ = pf32bit;
};

// The 8x8 two-colour checker pattern used for drag bars (pixels alternate a/b).
Bitmap MakeCheckerPattern(tk::Color a, tk::Color b);

} // namespace tk
