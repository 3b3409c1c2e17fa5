#include <orlodock/tk/canvas.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>

#include "qtconvert.h"
#include "shaped_text.h"
#include <orlodock/tk/bitmap.h>

namespace tk {

// A painter on the canvas's target with its clip applied; nothing is painted
// when there is no target.
class CanvasPainter {
public:
    explicit CanvasPainter(const Canvas& canvas) : image_(canvas.Target()) {
        if (!image_ || image_->isNull())
            return;
        // The shared painter, while it still paints on these very pixels.
        if (QPainter* shared = canvas.shared_.get(); shared && shared->isActive() && canvas.sharedImage_ == image_ &&
                                                     canvas.sharedBits_ == image_->constBits()) {
            painter_ = shared;
            // Opened with the clip, which stays while it is shared.
            painter_->save();
            return;
        }
        painter_ = &own_.emplace(image_);
        if (canvas.clip_)
            painter_->setClipRegion(*canvas.clip_);
    }
    ~CanvasPainter() {
        if (painter_ && !own_)
            painter_->restore();
    }
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;
    bool Active() const { return painter_ && painter_->isActive(); }
    QPainter& operator*() { return *painter_; }
    QPainter* operator->() { return painter_; }

private:
    QImage* image_;
    std::optional<QPainter> own_;
    QPainter* painter_ = nullptr;
};

namespace {

QRect Normalized(const Rect& r) {
    Rect n{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
    return ToQRect(n);
}

QBrush ToQBrush(const Brush& brush) {
    if (const Bitmap* pattern = brush.PatternBitmap())
        return QBrush(pattern->Image());
    return QBrush(ToQColor(brush.Color()));
}

// Text without the mnemonic markers ("&&" stays a single "&").
String StripPrefix(const String& text) {
    String out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

// The bitmap with the pixels of its transparent colour left out. Glyphs are
// drawn again and again from the same pixels, so the result is kept by the
// pixels' identity and the key colour.
const QImage& KeyedOut(const Bitmap& bitmap) {
    constexpr std::size_t kMaxKept = 64;
    static std::map<std::pair<std::int64_t, QRgb>, QImage> kept;
    const QRgb key = ToQRgb(bitmap.TransparentColor()) & 0xFFFFFF;
    const auto id = std::make_pair(bitmap.ContentKey(), key);
    if (auto it = kept.find(id); it != kept.end())
        return it->second;
    if (kept.size() >= kMaxKept)
        kept.clear();
    QImage masked = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < masked.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col)
            if ((line[col] & 0xFFFFFF) == key)
                line[col] = 0;
    }
    return kept.emplace(id, std::move(masked)).first->second;
}

} // namespace

Canvas::Canvas(ImageProvider image, ChangedHandler changed) : image_(std::move(image)), changed_(std::move(changed)) {}
Canvas::~Canvas() = default;

QImage* Canvas::Target() const { return image_ ? image_() : nullptr; }

void Canvas::Changed(const Rect& r) const {
    if (changed_ && !r.IsEmpty())
        changed_(r);
}

int Canvas::Width() {
    QImage* img = Target();
    return img ? img->width() : 0;
}

int Canvas::Height() {
    QImage* img = Target();
    return img ? img->height() : 0;
}

void Canvas::BeginPainting() {
    EndPainting();
    QImage* image = Target();
    if (!image || image->isNull())
        return;
    shared_ = std::make_unique<QPainter>(image);
    if (clip_)
        shared_->setClipRegion(*clip_);
    sharedImage_ = image;
    sharedBits_ = image->constBits();
}

void Canvas::EndPainting() {
    if (shared_)
        shared_->end();
    shared_.reset();
    sharedImage_ = nullptr;
    sharedBits_ = nullptr;
}

void Canvas::SetClipRegion(const QRegion* region) {
    // A shared painter keeps the clip it was opened with.
    EndPainting();
    if (region)
        clip_ = std::make_unique<QRegion>(*region);
    else
        clip_.reset();
}

void Canvas::FillRect(const Rect& rect) {
    if (brush_.Style() == bsClear)
        return;
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    QRect r = Normalized(rect);
    p->fillRect(r, ToQBrush(brush_));
    Changed(FromQRect(r));
}

void Canvas::FrameRect(const Rect& rect) {
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    QRect r = Normalized(rect);
    if (r.isEmpty())
        return;
    QBrush b = ToQBrush(brush_);
    p->fillRect(QRect(r.left(), r.top(), r.width(), 1), b);
    p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), b);
    p->fillRect(QRect(r.left(), r.top(), 1, r.height()), b);
    p->fillRect(QRect(r.right(), r.top(), 1, r.height()), b);
    Changed(FromQRect(r));
}

void Canvas::Rectangle(const Rect& rect) {
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    QRect r = Normalized(rect);
    if (r.isEmpty())
        return;
    if (brush_.Style() != bsClear)
        p->fillRect(r, ToQBrush(brush_));
    if (pen_.Style() != psClear) {
        // The outline lies inside the rectangle, pen width pixels thick.
        int w = std::min({pen_.Width(), (r.width() + 1) / 2, (r.height() + 1) / 2});
        QColor c = ToQColor(pen_.Color());
        p->fillRect(QRect(r.left(), r.top(), r.width(), w), c);
        p->fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
        p->fillRect(QRect(r.left(), r.top(), w, r.height()), c);
        p->fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
    }
    Changed(FromQRect(r));
}

void Canvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void Canvas::LineTo(int x, int y) {
    Point from = penPos_;
    penPos_ = {x, y};
    if (pen_.Style() == psClear || from == penPos_)
        return;
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    QColor c = ToQColor(pen_.Color());
    int w = pen_.Width();
    // Bresenham from the start point, stopping before the end point.
    int dx = std::abs(x - from.X), sx = from.X < x ? 1 : -1;
    int dy = -std::abs(y - from.Y), sy = from.Y < y ? 1 : -1;
    int err = dx + dy;
    int cx = from.X, cy = from.Y;
    int half = (w - 1) / 2;
    Rect touched{std::min(from.X, x) - half, std::min(from.Y, y) - half, std::max(from.X, x) - half + w,
                 std::max(from.Y, y) - half + w};
    while (!(cx == x && cy == y)) {
        p->fillRect(QRect(cx - half, cy - half, w, w), c);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
    Changed(touched);
}

int Canvas::TextWidth(const String& text) { return TextWidthIn(ToQFont(font_), text); }

int Canvas::TextHeight(const String& text) {
    (void)text;
    QFontMetrics fm(ToQFont(font_));
    return fm.height();
}

void Canvas::TextOut(int x, int y, const String& text) {
    QFont qf = ToQFont(font_);
    QFontMetrics fm(qf);
    int w = TextWidthIn(qf, text);
    QRect cell(x, y, w, fm.height());
    penPos_ = {x + w, y};
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    if (brush_.Style() != bsClear)
        p->fillRect(cell, ToQColor(brush_.Color()));
    p->setFont(qf);
    p->setPen(ToQColor(font_.Color()));
    DrawShapedText(*p, QPoint(x, y + fm.ascent()), text);
    Changed(FromQRect(cell));
}

int Canvas::DrawText(const String& rawText, Rect& rect, unsigned flags) {
    String text = (flags & DT_NOPREFIX) ? rawText : StripPrefix(rawText);
    QFont qf = ToQFont(font_);
    QFontMetrics fm(qf);
    const int lineHeight = fm.height();
    const int available = std::max(0, rect.Width());

    // Break the text into the lines that will be drawn.
    QStringList lines;
    if (flags & DT_SINGLELINE) {
        lines << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    } else {
        const QStringList paragraphs = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
        for (const QString& para : paragraphs) {
            if (!(flags & DT_WORDBREAK) || TextWidthIn(qf, para) <= available) {
                lines << para;
                continue;
            }
            QString current;
            for (const QString& word : para.split(QLatin1Char(' '))) {
                QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
                if (!current.isEmpty() && TextWidthIn(qf, candidate) > available) {
                    lines << current;
                    current = word;
                } else {
                    current = candidate;
                }
            }
            lines << current;
        }
    }
    if (flags & DT_END_ELLIPSIS) {
        for (QString& line : lines)
            if (TextWidthIn(qf, line) > available)
                line = ElidedText(qf, line, available);
    }
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, TextWidthIn(qf, line));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    int y = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            y = rect.Bottom - lineHeight;
    }

    CanvasPainter p(*this);
    if (!p.Active())
        return textHeight;
    QRect clip = Normalized(rect);
    if (!(flags & DT_NOCLIP)) {
        if (clip.isEmpty())
            return textHeight;
        p->setClipRect(clip, Qt::IntersectClip);
    }
    p->setFont(qf);
    p->setPen(ToQColor(font_.Color()));
    Rect painted{};
    for (const QString& line : lines) {
        int w = TextWidthIn(qf, line);
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (rect.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - w;
        QRect cell(x, y, w, lineHeight);
        if (brush_.Style() != bsClear)
            p->fillRect(cell, ToQColor(brush_.Color()));
        DrawShapedText(*p, QPoint(x, y + fm.ascent()), line);
        Rect c = FromQRect(cell);
        painted = painted.IsEmpty() ? c
                                    : MakeRect(std::min(painted.Left, c.Left), std::min(painted.Top, c.Top),
                                               std::max(painted.Right, c.Right), std::max(painted.Bottom, c.Bottom));
        y += lineHeight;
    }
    Changed((flags & DT_NOCLIP) ? painted : IntersectRect(painted, rect));
    return textHeight;
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
    if (bitmap.Empty())
        return;
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    const QImage& src = bitmap.Image();
    if (bitmap.Transparent()) {
        p->drawImage(QPoint(x, y), KeyedOut(bitmap));
    } else {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->drawImage(QPoint(x, y), src);
    }
    Changed(BoundsRect(x, y, bitmap.Width(), bitmap.Height()));
}

void Canvas::DrawImage(int x, int y, const QImage& image) {
    if (image.isNull())
        return;
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    p->drawImage(QPoint(x, y), image);
    Changed(BoundsRect(x, y, image.width(), image.height()));
}

void Canvas::StretchDraw(const Rect& rect, const Bitmap& bitmap) {
    if (bitmap.Empty())
        return;
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    p->drawImage(Normalized(rect), bitmap.Image());
    Changed(rect);
}

void Canvas::CopyRect(const Rect& dest, Canvas& source, const Rect& sourceRect) {
    QImage* src = source.Target();
    if (!src)
        return;
    QImage copy = src->copy(Normalized(sourceRect));
    CanvasPainter p(*this);
    if (!p.Active())
        return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(Normalized(dest), copy);
    Changed(dest);
}

Color Canvas::Pixel(int x, int y) {
    QImage* img = Target();
    if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height())
        return clNone;
    return FromQRgb(img->pixel(x, y));
}

void Canvas::SetPixel(int x, int y, tk::Color color) {
    QImage* img = Target();
    if (!img || x < 0 || y < 0 || x >= img->width() || y >= img->height())
        return;
    if (clip_ && !clip_->contains(QPoint(x, y)))
        return;
    img->setPixel(x, y, ToQRgb(color));
    Changed(BoundsRect(x, y, 1, 1));
}

void Canvas::PatInvert(const Rect& rect, const tk::Brush& brush) {
    QImage* img = Target();
    if (!img || img->isNull())
        return;
    Rect r = IntersectRect(FromQRect(Normalized(rect)), BoundsRect(0, 0, img->width(), img->height()));
    if (r.IsEmpty())
        return;
    if (img->format() != QImage::Format_ARGB32_Premultiplied && img->format() != QImage::Format_RGB32 &&
        img->format() != QImage::Format_ARGB32)
        *img = img->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const Bitmap* pattern = brush.PatternBitmap();
    const QRgb solid = ToQRgb(brush.Color()) & 0xFFFFFF;
    QRegion area = clip_ ? (*clip_ & ToQRect(r)) : QRegion(ToQRect(r));
    for (const QRect& part : area) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = part.left(); x <= part.right(); ++x) {
                QRgb pat = solid;
                if (pattern)
                    pat = pattern->Image().pixel(x % pattern->Width(), y % pattern->Height()) & 0xFFFFFF;
                line[x] ^= pat;
            }
        }
    }
    Changed(r);
}

} // namespace tk
