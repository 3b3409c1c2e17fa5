#pragma once

// Colours, pens, brushes and fonts: plain values the canvas draws with.
// Colours are 0x00BBGGRR, or 0xFF0000nn for the system colour with index nn,
// resolved through one table (SysColor/SetSysColor) so a palette can change it.

#include <functional>
#include <memory>

#include <orlodock/tk/tkstring.h>

namespace tk {

class Bitmap;

using Color = unsigned;

constexpr Color RGBColor(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned GetRValue(Color c) { return c & 0xFF; }
constexpr unsigned GetGValue(Color c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(Color c) { return (c >> 16) & 0xFF; }

// System colour indices (the low byte of a system colour value).
enum SysColorIndex : unsigned {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    SysColorCount = 31,
};

constexpr Color SystemColor(unsigned index) { return 0xFF000000u | index; }

constexpr Color clBlack = 0x000000;
constexpr Color clMaroon = 0x000080;
constexpr Color clGreen = 0x008000;
constexpr Color clOlive = 0x008080;
constexpr Color clNavy = 0x800000;
constexpr Color clPurple = 0x800080;
constexpr Color clTeal = 0x808000;
constexpr Color clGray = 0x808080;
constexpr Color clSilver = 0xC0C0C0;
constexpr Color clRed = 0x0000FF;
constexpr Color clLime = 0x00FF00;
constexpr Color clYellow = 0x00FFFF;
constexpr Color clBlue = 0xFF0000;
constexpr Color clFuchsia = 0xFF00FF;
constexpr Color clAqua = 0xFFFF00;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clMoneyGreen = 0xC0DCC0;
constexpr Color clSkyBlue = 0xF0CAA6;
constexpr Color clCream = 0xF0FBFF;
constexpr Color clMedGray = 0xA4A0A0;

constexpr Color clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr Color clBackground = SystemColor(COLOR_BACKGROUND);
constexpr Color clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr Color clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr Color clMenu = SystemColor(COLOR_MENU);
constexpr Color clWindow = SystemColor(COLOR_WINDOW);
constexpr Color clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr Color clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr Color clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr Color clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr Color clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr Color clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr Color clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr Color clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr Color clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr Color clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr Color clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr Color clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr Color clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr Color clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr Color clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr Color cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr Color cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr Color clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr Color clInfoBk = SystemColor(COLOR_INFOBK);
constexpr Color clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr Color clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr Color clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);

// "No colour": never drawn.
constexpr Color clNone = 0x1FFFFFFF;
constexpr Color clDefault = 0x20000000;

constexpr bool IsSystemColor(Color c) { return (c & 0xFF000000u) == 0xFF000000u; }
// The RGB value (0x00BBGGRR) a colour stands for; system colours go through the table.
Color ColorToRGB(Color color);
// The system colour table.
Color SysColor(unsigned index);
void SetSysColor(unsigned index, Color rgb);
// Back to the built-in palette.
void ResetSysColors();

enum PenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class Pen {
public:
    Pen() = default;
    // Copies the values only; change listeners stay with the original.
    Pen(const Pen& o) : color_(o.color_), width_(o.width_), style_(o.style_) {}
    Pen& operator=(const Pen& o) {
        color_ = o.color_;
        width_ = o.width_;
        style_ = o.style_;
        return *this;
    }
    tk::Color Color() const { return color_; }
    void SetColor(tk::Color c);
    int Width() const { return width_; }
    void SetWidth(int w);
    PenStyle Style() const { return style_; }
    void SetStyle(PenStyle s);
    void Assign(const Pen& other) {
        color_ = other.color_;
        width_ = other.width_;
        style_ = other.style_;
        Changed();
    }

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange();
    }
    tk::Color color_ = clBlack;
    int width_ = 1;
    PenStyle style_ = psSolid;
};

enum BrushStyle { bsSolid, bsClear };

class Brush {
public:
    Brush();
    Brush(const Brush& other);
    Brush& operator=(const Brush& other);
    ~Brush();

    tk::Color Color() const { return color_; }
    void SetColor(tk::Color c);
    BrushStyle Style() const { return style_; }
    void SetStyle(BrushStyle s);
    // An 8x8 (or larger, tiled) pattern replaces the solid colour; nullptr removes it.
    // The brush keeps its own copy of the pixels.
    void SetPatternBitmap(const Bitmap* bitmap);
    const Bitmap* PatternBitmap() const { return pattern_.get(); }
    void Assign(const Brush& other) {
        *this = other;
        Changed();
    }

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange();
    }
    tk::Color color_ = clWhite;
    BrushStyle style_ = bsSolid;
    std::shared_ptr<const Bitmap> pattern_;
};

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = unsigned;

// A font by family name and either pixel height or point size (96 pixels per inch).
class Font {
public:
    Font();
    // Copies the values only; change listeners stay with the original.
    Font(const Font& o) : name_(o.name_), height_(o.height_), color_(o.color_), style_(o.style_) {}
    Font& operator=(const Font& o) {
        name_ = o.name_;
        height_ = o.height_;
        color_ = o.color_;
        style_ = o.style_;
        return *this;
    }

    const String& Name() const { return name_; }
    void SetName(const String& name);
    // Height of the characters in pixels (positive).
    int Height() const { return height_; }
    void SetHeight(int pixels);
    // Size in points; Size = Height * 72 / 96, rounded.
    int Size() const;
    void SetSize(int points);
    tk::Color Color() const { return color_; }
    void SetColor(tk::Color c);
    FontStyles Style() const { return style_; }
    void SetStyle(FontStyles s);
    void Assign(const Font& other);
    bool operator==(const Font& o) const {
        return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_;
    }

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange();
    }
    String name_;
    int height_;
    tk::Color color_ = clWindowText;
    FontStyles style_ = 0;
};

// The family and height new fonts start with.
String DefaultFontName();
int DefaultFontHeight();

} // namespace tk
