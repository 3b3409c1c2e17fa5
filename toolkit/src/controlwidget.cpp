#include "controlwidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "qtconvert.h"
#include "toolkit_internal.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

namespace tk {

namespace {

// Windows whose events are being handled right now, innermost last.
std::vector<const QWidget*>& Dispatching() {
    static std::vector<const QWidget*> stack;
    return stack;
}

struct DispatchScope {
    explicit DispatchScope(const QWidget* w) { Dispatching().push_back(w); }
    ~DispatchScope() { Dispatching().pop_back(); }
};

MouseButton ButtonFromQt(Qt::MouseButton b) {
    switch (b) {
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

} // namespace

ShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    ShiftState s = 0;
    if (modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (modifiers & Qt::AltModifier)
        s |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

int VirtualKeyFromQt(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

// ---- ControlWidget ----

ControlWidget::ControlWidget(Control* control) : control_(control) {
    // Controls paint every pixel of themselves; Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void ControlWidget::paintEvent(QPaintEvent* event) {
    if (auto* custom = dynamic_cast<CustomControl*>(control_)) {
        DispatchScope scope(this);
        custom->PaintEvent(event);
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), palette().window());
}

void ControlWidget::closeEvent(QCloseEvent* event) {
    auto* form = dynamic_cast<Form*>(control_);
    if (!form) {
        event->accept();
        return;
    }
    DispatchScope scope(this);
    bool accept = true;
    SafeCall([&] { form->WindowClosing(accept); });
    // The form hides or frees itself; the window system must not close it behind its back.
    event->ignore();
}

// ---- ControlBridge ----

ControlBridge::ControlBridge(Control* control, QWidget* widget, bool ownsInput)
    : control_(control), widget_(widget), ownsInput_(ownsInput) {
    widget_->installEventFilter(this);
    widget_->setMouseTracking(true);
}

ControlBridge::~ControlBridge() { Detach(); }

void ControlBridge::Detach() {
    if (widget_)
        widget_->removeEventFilter(this);
    widget_ = nullptr;
    control_ = nullptr;
}

bool ControlBridge::IsDispatching(const QWidget* widget) {
    for (const QWidget* w : Dispatching())
        for (const QWidget* p = w; p; p = p->parentWidget())
            if (p == widget)
                return true;
    return false;
}

bool ControlBridge::HandleMouse(QEvent* event) {
    auto* me = static_cast<QMouseEvent*>(event);
    const Point global = FromQPoint(me->globalPosition().toPoint());
    Screen::NoteCursorPos(global);
    // Capture routes every mouse message to the capturing control, wherever it happened.
    Control* target = control_;
    Point client = FromQPoint(me->position().toPoint());
    Control* capture = Control::CaptureControl();
    if (capture && capture != control_) {
        target = capture;
        client = capture->ScreenToClient(global);
    } else {
        client = control_->ScreenToClient(global);
    }
    const ShiftState shift = ShiftFromQt(me->modifiers(), me->buttons());
    // Decided now: a handler may free the control and this bridge with it.
    const bool consumed = ownsInput_ || target != control_;
    // Qt gives focus on a press only for events from the window system; a
    // synthesized press into one of Qt's widgets (an edit) focuses it as well.
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && !ownsInput_ && !consumed && !event->spontaneous() && (widget_->focusPolicy() & Qt::ClickFocus) &&
        QApplication::focusWidget() != widget_ && widget_->isEnabled()) {
        std::weak_ptr<int> alive = control_->LifeToken();
        widget_->setFocus(Qt::MouseFocusReason);
        if (alive.expired())
            return true;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        target->DispatchMouseDown(ButtonFromQt(me->button()), shift, client);
        break;
    case QEvent::MouseButtonDblClick:
        target->DispatchMouseDown(ButtonFromQt(me->button()), shift | ssDouble, client, true);
        break;
    case QEvent::MouseButtonRelease:
        target->DispatchMouseUp(ButtonFromQt(me->button()), shift, client);
        break;
    case QEvent::MouseMove:
        target->DispatchMouseMove(shift, client);
        break;
    default:
        break;
    }
    return consumed;
}

bool ControlBridge::eventFilter(QObject* watched, QEvent* event) {
    if (!control_ || watched != widget_)
        return false;
    DispatchScope scope(widget_);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return HandleMouse(event);
    case QEvent::Enter:
        control_->DispatchMouseEnter();
        return false;
    case QEvent::Leave:
        control_->DispatchMouseLeave();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        int key = VirtualKeyFromQt(ke->key());
        if (key == 0)
            return false;
        const ShiftState shift = ShiftFromQt(ke->modifiers(), QApplication::mouseButtons());
        if (event->type() == QEvent::KeyPress)
            control_->DispatchKeyDown(key, shift);
        else
            control_->DispatchKeyUp(key, shift);
        // A handler that zeroes the key has consumed it.
        return key == 0;
    }
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason &&
            internal::ActivationBeingUndone(control_->ParentForm()))
            return false;
        SafeCall([this] { control_->DoEnter(); });
        return false;
    case QEvent::FocusOut:
        SafeCall([this] { control_->DoExit(); });
        return false;
    case QEvent::Move:
    case QEvent::Resize:
        if (widget_->isWindow())
            control_->WindowGeometryChanged();
        return false;
    case QEvent::ActivationChange:
        // A drawn caption shows whether its window is the active one.
        if (auto* form = dynamic_cast<Form*>(control_))
            form->InvalidateFrame();
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (auto* form = dynamic_cast<Form*>(control_)) {
            if (event->type() == QEvent::WindowActivate)
                internal::FormWindowActivated(form);
            else
                internal::FormWindowDeactivated(form);
        }
        return false;
    default:
        return false;
    }
}

// ---- InvertLayer ----

InvertLayer::InvertLayer(QWidget* host) : QWidget(host) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void InvertLayer::Fit() {
    QWidget* host = parentWidget();
    if (geometry() != host->rect())
        setGeometry(host->rect());
    if (xor_.size() != host->size()) {
        QImage next(host->size(), QImage::Format_RGB32);
        next.fill(0);
        if (!xor_.isNull()) {
            QPainter p(&next);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, xor_);
        }
        xor_ = next;
        lit_ = CountLit(xor_);
    }
}

long long InvertLayer::CountLit(const QImage& image) {
    long long lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            lit += (line[x] & 0xFFFFFF) != 0;
    }
    return lit;
}

void InvertLayer::Invert(const Rect& rect, const Brush& brush) {
    Fit();
    Rect r = IntersectRect(rect, BoundsRect(0, 0, xor_.width(), xor_.height()));
    if (!r.IsEmpty()) {
        const Bitmap* patternBitmap = brush.PatternBitmap();
        const QImage pattern = patternBitmap ? patternBitmap->Image().convertToFormat(QImage::Format_RGB32) : QImage();
        const QRgb solid = ToQRgb(brush.Color()) & 0xFFFFFF;
        // Only the inverted rectangle is touched; the count of lit pixels is
        // kept up to date so that a drag move costs no scan of the whole layer.
        for (int y = r.Top; y < r.Bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(xor_.scanLine(y));
            const auto* patLine =
                pattern.isNull() ? nullptr : reinterpret_cast<const QRgb*>(pattern.constScanLine(y % pattern.height()));
            for (int x = r.Left; x < r.Right; ++x) {
                const QRgb pat = patLine ? (patLine[x % pattern.width()] & 0xFFFFFF) : solid;
                const bool wasLit = (line[x] & 0xFFFFFF) != 0;
                line[x] ^= pat;
                lit_ += static_cast<long long>((line[x] & 0xFFFFFF) != 0) - static_cast<long long>(wasLit);
            }
        }
    }
    any_ = lit_ > 0;
    if (any_) {
        raise();
        show();
        update(ToQRect(r));
    } else {
        hide();
        parentWidget()->update(ToQRect(r));
    }
}

void InvertLayer::ApplyTo(QImage& image, QPoint offset) const {
    if (!any_)
        return;
    for (int y = 0; y < xor_.height(); ++y) {
        int ty = y + offset.y();
        if (ty < 0 || ty >= image.height())
            continue;
        const auto* src = reinterpret_cast<const QRgb*>(xor_.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(ty));
        for (int x = 0; x < xor_.width(); ++x) {
            int tx = x + offset.x();
            if (tx >= 0 && tx < image.width())
                dst[tx] ^= (src[x] & 0xFFFFFF);
        }
    }
}

void InvertLayer::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter p(this);
    // The layer is opaque RGB on purpose: raster operations skip source pixels
    // with zero alpha, and XOR with black (0) already leaves a pixel alone.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(0, 0, xor_);
}

} // namespace tk
