#pragma once

// A control that paints itself. Its canvas draws into a back buffer at any
// time; what is drawn outside a paint shows at the next update. A paint event
// only repaints (through Paint) the invalidated part of the buffer and copies
// the buffer to the screen.

#include <memory>

#include <orlodock/tk/control.h>

class QImage;
class QPaintEvent;
class QPainter;
class QRegion;

namespace tk {

class Canvas;

class CustomControl : public Control {
public:
    explicit CustomControl(Component* owner);
    ~CustomControl() override;

    // The canvas of the back buffer; usable at any time.
    tk::Canvas* GetCanvas();
    tk::Canvas* Canvas() { return GetCanvas(); }

    // Pattern-invert bars drawn above the child controls with the grey/white
    // 8x8 pattern; drawing one again at the same place erases it.
    // rect is in this control's client coordinates.
    void DrawInvertBar(const Rect& rect);
    // The same on the parent's window; rect is in the parent's client coordinates.
    void DrawInvertBarOnParent(const Rect& parentClientRect);
    // With another brush (for example a site's own pattern brush).
    void DrawInvertBar(const Rect& rect, const tk::Brush& brush);
    void DrawInvertBarOnParent(const Rect& parentClientRect, const tk::Brush& brush);

    // Toolkit side: the back buffer (sized to the client area; its pixels are
    // valid until the size changes) and the part of it that Paint must redraw
    // before the next copy to the screen.
    const QImage& BackBuffer() const;
    bool HasInvalidArea() const;
    // Repaints the invalid part of the back buffer now (without copying it to the screen).
    void RefreshBuffer();

protected:
    // Paints the control into the back buffer; the canvas is clipped to the
    // invalid area while it runs. The base fills the client area with Color().
    void Paint() override;
    void BoundsChanged() override;
    void Invalidated(const Rect& rect) override;
    // Paints what lies around the client area (a frame the toolkit draws), in
    // window coordinates, after the client area was copied to the screen.
    virtual void PaintNonClient(QPainter& painter) { (void)painter; }

private:
    friend class ControlWidget;
    void PaintEvent(QPaintEvent* event);
    void EnsureBuffer();
    void BufferChanged(const Rect& r);

    // The pixels, with room to grow; the buffer is its top-left part.
    std::unique_ptr<QImage> storage_;
    std::unique_ptr<QImage> buffer_;
    std::unique_ptr<QRegion> invalid_;
    std::unique_ptr<tk::Canvas> canvas_;
    bool painting_ = false;
};

// The brush used for drag bars: the 8x8 grey (128,128,128) / white checker.
const Brush& DragBarBrush();

} // namespace tk
