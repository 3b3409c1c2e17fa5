#include <orlodock/tk/graphics.h>

#include <array>
#include <cmath>

#include "qtconvert.h"
#include <orlodock/tk/bitmap.h>

namespace tk {

namespace {

// A classic light palette; one table so that a theme can replace it.
constexpr std::array<Color, SysColorCount> kDefaultSysColors = {
    RGBColor(200, 200, 200), // scroll bar
    RGBColor(0, 0, 0),       // background
    RGBColor(153, 180, 209), // active caption
    RGBColor(191, 205, 219), // inactive caption
    RGBColor(240, 240, 240), // menu
    RGBColor(255, 255, 255), // window
    RGBColor(100, 100, 100), // window frame
    RGBColor(0, 0, 0),       // menu text
    RGBColor(0, 0, 0),       // window text
    RGBColor(0, 0, 0),       // caption text
    RGBColor(180, 180, 180), // active border
    RGBColor(244, 247, 252), // inactive border
    RGBColor(171, 171, 171), // app workspace
    RGBColor(0, 120, 215),   // highlight
    RGBColor(255, 255, 255), // highlight text
    RGBColor(240, 240, 240), // button face
    RGBColor(160, 160, 160), // button shadow
    RGBColor(109, 109, 109), // grey text
    RGBColor(0, 0, 0),       // button text
    RGBColor(0, 0, 0),       // inactive caption text
    RGBColor(255, 255, 255), // button highlight
    RGBColor(105, 105, 105), // 3D dark shadow
    RGBColor(227, 227, 227), // 3D light
    RGBColor(0, 0, 0),       // info text
    RGBColor(255, 255, 225), // info background
    RGBColor(0, 0, 0),       // (unused)
    RGBColor(0, 102, 204),   // hot light
    RGBColor(185, 209, 234), // gradient active caption
    RGBColor(215, 228, 242), // gradient inactive caption
    RGBColor(51, 153, 255),  // menu highlight
    RGBColor(240, 240, 240), // menu bar
};

std::array<Color, SysColorCount>& SysColors() {
    static std::array<Color, SysColorCount> table = kDefaultSysColors;
    return table;
}

} // namespace

Color SysColor(unsigned index) {
    if (index >= SysColorCount)
        return clBlack;
    return SysColors()[index];
}

void SetSysColor(unsigned index, Color rgb) {
    if (index < SysColorCount)
        SysColors()[index] = rgb & 0xFFFFFF;
}

void ResetSysColors() { SysColors() = kDefaultSysColors; }

Color ColorToRGB(Color color) {
    if (IsSystemColor(color))
        return SysColor(color & 0xFF);
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0xFFFFFF;
}

QColor ToQColor(Color color) {
    Color c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

Color FromQColor(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }

QFont ToQFont(const Font& font) {
    QFont f(font.Name());
    f.setPixelSize(font.Height() > 0 ? font.Height() : 1);
    f.setBold(font.Style() & fsBold);
    f.setItalic(font.Style() & fsItalic);
    f.setUnderline(font.Style() & fsUnderline);
    f.setStrikeOut(font.Style() & fsStrikeOut);
    // Pixel output must not depend on hinting differences between runs.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void Pen::SetColor(tk::Color c) {
    if (c != color_) {
        color_ = c;
        Changed();
    }
}

void Pen::SetWidth(int w) {
    if (w < 1)
        w = 1;
    if (w != width_) {
        width_ = w;
        Changed();
    }
}

void Pen::SetStyle(PenStyle s) {
    if (s != style_) {
        style_ = s;
        Changed();
    }
}

Brush::Brush() = default;
// Listeners belong to the original, not to copies.
Brush::Brush(const Brush& other) : color_(other.color_), style_(other.style_), pattern_(other.pattern_) {}
Brush& Brush::operator=(const Brush& other) {
    color_ = other.color_;
    style_ = other.style_;
    pattern_ = other.pattern_;
    return *this;
}
Brush::~Brush() = default;

void Brush::SetColor(tk::Color c) {
    if (c != color_ || style_ == bsClear) {
        color_ = c;
        if (style_ == bsClear)
            style_ = bsSolid;
        Changed();
    }
}

void Brush::SetStyle(BrushStyle s) {
    if (s != style_) {
        style_ = s;
        Changed();
    }
}

void Brush::SetPatternBitmap(const Bitmap* bitmap) {
    if (bitmap && !bitmap->Empty())
        pattern_ = std::make_shared<const Bitmap>(*bitmap);
    else
        pattern_.reset();
    Changed();
}

String DefaultFontName() { return QStringLiteral("DejaVu Sans"); }
int DefaultFontHeight() { return 11; }

Font::Font() : name_(DefaultFontName()), height_(DefaultFontHeight()) {}

void Font::SetName(const String& name) {
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void Font::SetHeight(int pixels) {
    // A negative height is the character height as well (the sign only
    // distinguished cell from character height on other systems).
    pixels = std::abs(pixels);
    if (pixels == 0)
        pixels = DefaultFontHeight();
    if (pixels != height_) {
        height_ = pixels;
        Changed();
    }
}

int Font::Size() const { return static_cast<int>(std::lround(height_ * 72.0 / 96.0)); }

void Font::SetSize(int points) { SetHeight(static_cast<int>(std::lround(std::abs(points) * 96.0 / 72.0))); }

void Font::SetColor(tk::Color c) {
    if (c != color_) {
        color_ = c;
        Changed();
    }
}

void Font::SetStyle(FontStyles s) {
    if (s != style_) {
        style_ = s;
        Changed();
    }
}

void Font::Assign(const Font& other) {
    if (*this == other)
        return;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

} // namespace tk
