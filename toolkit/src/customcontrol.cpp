#include <orlodock/tk/customcontrol.h>

#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>

#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>

namespace tk {

CustomControl::CustomControl(Component* owner)
    : Control(owner), storage_(std::make_unique<QImage>()), buffer_(std::make_unique<QImage>()),
      invalid_(std::make_unique<QRegion>()) {
    canvas_ = std::make_unique<tk::Canvas>(
        [this]() -> QImage* {
            EnsureBuffer();
            return buffer_->isNull() ? nullptr : buffer_.get();
        },
        [this](const Rect& r) { BufferChanged(r); });
    canvas_->SetFont(*Font());
}

CustomControl::~CustomControl() = default;

tk::Canvas* CustomControl::GetCanvas() { return canvas_.get(); }

const QImage& CustomControl::BackBuffer() const { return *buffer_; }

bool CustomControl::HasInvalidArea() const { return !invalid_->isEmpty(); }

namespace {

constexpr QImage::Format kBufferFormat = QImage::Format_ARGB32_Premultiplied;

// The storage for a buffer of `needed` pixels that outgrew `room`: the first
// is just as large; once a control grows, it gets half as much again on both
// sides, so a window dragged larger pixel by pixel allocates a few times, not
// at every step.
QSize Room(QSize needed, QSize room) {
    if (room.isEmpty())
        return needed;
    return {std::max(room.width(), needed.width() * 3 / 2), std::max(room.height(), needed.height() * 3 / 2)};
}

void CopyPart(const QImage& from, const QRect& part, QImage& to) {
    if (part.isEmpty())
        return;
    QPainter p(&to);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(part.topLeft(), from, part);
}

// Copies `region` (window coordinates) of the buffer, which starts at
// `origin`, straight into the pixels the painter paints on, when those are an
// image of 32-bit pixels reached by a plain move (every pixel of the buffer
// is opaque, so its bytes are the window's with or without alpha). Qt would copy them through
// a texture fill spread over threads wherever the region is not one
// rectangle, as it is not once children are cut out of it. False when the
// painter paints on something else; nothing is copied then.
bool CopyToWindow(QPainter& painter, const QImage& buffer, const QRegion& region, QPoint origin) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || engine->type() != QPaintEngine::Raster || device->devType() != QInternal::Image)
        return false;
    auto* target = static_cast<QImage*>(device);
    const QTransform transform = painter.deviceTransform();
    if ((target->format() != QImage::Format_RGB32 && target->format() != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != 1.0 || transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::floor(transform.dx()) || transform.dy() != std::floor(transform.dy()))
        return false;
    const QPoint shift(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    // Never past what Qt lets this window paint: children it painted stay.
    const QRegion allowed = engine->systemClip();
    for (const QRect& r : allowed.isEmpty() ? region : region& allowed.translated(-shift)) {
        const QRect to = r.translated(shift) & target->rect();
        const QRect from = to.translated(-shift - origin);
        if (to.isEmpty() || !buffer.rect().contains(from))
            continue;
        const auto bytes = static_cast<std::size_t>(to.width()) * 4;
        for (int row = 0; row < to.height(); ++row)
            std::memcpy(target->scanLine(to.top() + row) + std::size_t(to.left()) * 4,
                        buffer.constScanLine(from.top() + row) + std::size_t(from.left()) * 4, bytes);
    }
    return true;
}

} // namespace

void CustomControl::EnsureBuffer() {
    const QSize size(ClientWidth(), ClientHeight());
    if (buffer_->size() == size && !buffer_->isNull())
        return;
    // A painter shared while painting would paint on the old pixels.
    canvas_->EndPainting();
    if (size.isEmpty()) {
        *buffer_ = QImage();
        return;
    }
    // What the buffer showed before stays where it was; the rest is new.
    const QRect kept = buffer_->isNull() ? QRect() : QRect(QPoint(0, 0), buffer_->size());
    if (storage_->width() < size.width() || storage_->height() < size.height()) {
        QImage larger(Room(size, storage_->size()), kBufferFormat);
        CopyPart(*buffer_, kept, larger);
        *storage_ = std::move(larger);
    } else if (buffer_->constBits() != storage_->constBits()) {
        // A copy of the buffer taken outside made it paint into pixels of its own.
        CopyPart(*buffer_, kept, *storage_);
    }
    // The buffer is the top-left part of the storage, line length and all, so
    // a new size neither allocates nor moves a pixel.
    *buffer_ = QImage(storage_->bits(), size.width(), size.height(), storage_->bytesPerLine(), kBufferFormat);
    QRegion fresh = QRegion(0, 0, size.width(), size.height()) - QRegion(kept);
    if (!fresh.isEmpty()) {
        QPainter p(buffer_.get());
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : fresh)
            p.fillRect(r, Qt::white);
    }
    *invalid_ += fresh;
}

void CustomControl::BoundsChanged() {
    // A new size repaints the whole control: zones and bars depend on it.
    if (buffer_->size() != QSize(ClientWidth(), ClientHeight()))
        Invalidate();
    Control::BoundsChanged();
}

void CustomControl::Invalidated(const Rect& rect) { *invalid_ += ToQRect(rect); }

void CustomControl::BufferChanged(const Rect& r) {
    // Inside a paint the buffer is copied to the screen right after.
    if (!painting_) {
        const Point off = ClientOffset();
        Widget()->update(ToQRect(OffsetRect(r, off.X, off.Y)));
    }
}

void CustomControl::Paint() {
    tk::Canvas* c = GetCanvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(ClientRect());
}

void CustomControl::RefreshBuffer() {
    EnsureBuffer();
    if (invalid_->isEmpty() || buffer_->isNull())
        return;
    QRegion region = *invalid_ & QRect(0, 0, buffer_->width(), buffer_->height());
    *invalid_ = QRegion();
    painting_ = true;
    canvas_->SetClipRegion(&region);
    canvas_->SetFont(*Font());
    std::weak_ptr<int> alive = LifeToken();
    canvas_->BeginPainting();
    SafeCall([this] { Paint(); });
    if (alive.expired())
        return;
    canvas_->EndPainting();
    canvas_->SetClipRegion(nullptr);
    painting_ = false;
}

void CustomControl::PaintEvent(QPaintEvent* event) {
    std::weak_ptr<int> alive = LifeToken();
    RefreshBuffer();
    if (alive.expired())
        return;
    QPainter p(Widget());
    if (!buffer_->isNull()) {
        // The event speaks window coordinates; the buffer holds the client area.
        const Point off = ClientOffset();
        const QRect client(off.X, off.Y, buffer_->width(), buffer_->height());
        if (!CopyToWindow(p, *buffer_, event->region() & client, QPoint(off.X, off.Y))) {
            p.setCompositionMode(QPainter::CompositionMode_Source);
            for (const QRect& r : event->region()) {
                const QRect part = r & client;
                if (!part.isEmpty())
                    p.drawImage(part, *buffer_, part.translated(-off.X, -off.Y));
            }
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    PaintNonClient(p);
}

void CustomControl::DrawInvertBar(const Rect& rect) { InvertRect(rect, DragBarBrush()); }

void CustomControl::DrawInvertBar(const Rect& rect, const tk::Brush& brush) { InvertRect(rect, brush); }

void CustomControl::DrawInvertBarOnParent(const Rect& parentClientRect) {
    DrawInvertBarOnParent(parentClientRect, DragBarBrush());
}

void CustomControl::DrawInvertBarOnParent(const Rect& parentClientRect, const tk::Brush& brush) {
    if (Parent())
        Parent()->InvertRect(parentClientRect, brush);
}

const Brush& DragBarBrush() {
    static const Brush brush = [] {
        Brush b;
        Bitmap pattern = MakeCheckerPattern(RGBColor(128, 128, 128), clWhite);
        b.SetPatternBitmap(&pattern);
        return b;
    }();
    return brush;
}

} // namespace tk
