#include <orlodock/tk/customcontrol.h>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>

namespace tk {

CustomControl::CustomControl(Component* owner)
    : Control(owner), buffer_(std::make_unique<QImage>()), invalid_(std::make_unique<QRegion>()) {
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

void CustomControl::EnsureBuffer() {
    const QSize size(ClientWidth(), ClientHeight());
    if (buffer_->size() == size && !buffer_->isNull())
        return;
    if (size.isEmpty()) {
        *buffer_ = QImage();
        return;
    }
    QImage next(size, QImage::Format_ARGB32_Premultiplied);
    next.fill(Qt::white);
    QRegion fresh(0, 0, size.width(), size.height());
    if (!buffer_->isNull()) {
        QPainter p(&next);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, *buffer_);
        fresh -= QRegion(0, 0, buffer_->width(), buffer_->height());
    }
    *buffer_ = next;
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
    SafeCall([this] { Paint(); });
    if (alive.expired())
        return;
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
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : event->region()) {
            const QRect part = r & client;
            if (!part.isEmpty())
                p.drawImage(part, *buffer_, part.translated(-off.X, -off.Y));
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
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
