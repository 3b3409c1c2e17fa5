#pragma once

// A canvas draws into an image (a control's back buffer or a bitmap) with the
// current pen, brush and font. Rectangles are right/bottom exclusive; lines
// leave out their end point.

#include <functional>
#include <memory>

#include <orlodock/tk/geometry.h>
#include <orlodock/tk/graphics.h>

class QImage;
class QPainter;
class QRegion;

namespace tk {

class Bitmap;

// Flags of DrawText.
enum DrawTextFlag : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
};

class Canvas {
public:
    // Where the pixels live and who learns which area changed. The image
    // provider may return nullptr (nothing to draw on: drawing is skipped).
    using ImageProvider = std::function<QImage*()>;
    using ChangedHandler = std::function<void(const Rect&)>;
    Canvas(ImageProvider image, ChangedHandler changed);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    tk::Pen* Pen() { return &pen_; }
    tk::Brush* Brush() { return &brush_; }
    tk::Font* Font() { return &font_; }
    void SetFont(const tk::Font& font) { font_.Assign(font); }

    void FillRect(const Rect& rect);
    // Outline with the pen, inside filled with the brush (unless clear).
    void Rectangle(const Rect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(MakeRect(left, top, right, bottom)); }
    void FrameRect(const Rect& rect);
    void MoveTo(int x, int y);
    // Draws from the pen position to (x, y) without the end point; the pen moves there.
    void LineTo(int x, int y);
    Point PenPos() const { return penPos_; }
    void SetPenPos(Point p) { penPos_ = p; }

    // Text with its top-left corner at (x, y); the background is filled with the
    // brush unless the brush is clear.
    void TextOut(int x, int y, const String& text);
    int TextWidth(const String& text);
    int TextHeight(const String& text);
    // Text into a rectangle; never paints outside it. With DT_CALCRECT only
    // measures: rect gets the size of the text and nothing is drawn. Answers
    // the height of the text.
    int DrawText(const String& text, Rect& rect, unsigned flags);

    void Draw(int x, int y, const Bitmap& bitmap);
    void StretchDraw(const Rect& rect, const Bitmap& bitmap);
    // Toolkit side: draws an image with its alpha channel.
    void DrawImage(int x, int y, const QImage& image);
    // Copies a rectangle of another canvas's pixels (source rect) into dest.
    void CopyRect(const Rect& dest, Canvas& source, const Rect& sourceRect);

    tk::Color Pixel(int x, int y);
    void SetPixel(int x, int y, tk::Color color);

    // Pattern-invert: every pixel of rect is XOR-ed with the brush (its pattern
    // bitmap tiled from the image origin, or its colour). Doing it twice restores the pixels.
    void PatInvert(const Rect& rect, const tk::Brush& brush);

    // Limits drawing to a region of the target (toolkit side: paint handling).
    void SetClipRegion(const QRegion* region);
    // Between these, every drawing on the current image shares one painter
    // instead of opening its own: a control paints many small parts. Each
    // drawing still starts from the painter's plain state.
    void BeginPainting();
    void EndPainting();
    // The size of the image drawn on, (0,0) when none.
    int Width();
    int Height();

private:
    friend class CanvasPainter;
    QImage* Target() const;
    void Changed(const Rect& r) const;

    ImageProvider image_;
    ChangedHandler changed_;
    tk::Pen pen_;
    tk::Brush brush_;
    tk::Font font_;
    Point penPos_;
    std::unique_ptr<QRegion> clip_;
    // The painter shared between BeginPainting and EndPainting, with the
    // image and pixels it was opened on.
    std::unique_ptr<QPainter> shared_;
    const QImage* sharedImage_ = nullptr;
    const uchar* sharedBits_ = nullptr;
};

} // namespace tk
