// The caption bar and frame a form draws itself (tool windows): hit testing,
// the non-client messages and their default handling, painting.

#include <orlodock/tk/forms.h>

#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>

#include "qtconvert.h"
#include "toolframe.h"
#include <orlodock/tk/application.h>

namespace tk {

namespace {

bool MovesLeftEdge(HitTestCode part) { return part == HTLEFT || part == HTTOPLEFT || part == HTBOTTOMLEFT; }
bool MovesRightEdge(HitTestCode part) { return part == HTRIGHT || part == HTTOPRIGHT || part == HTBOTTOMRIGHT; }
bool MovesTopEdge(HitTestCode part) { return part == HTTOP || part == HTTOPLEFT || part == HTTOPRIGHT; }
bool MovesBottomEdge(HitTestCode part) { return part == HTBOTTOM || part == HTBOTTOMLEFT || part == HTBOTTOMRIGHT; }

bool IsSizingPart(HitTestCode part) {
    return MovesLeftEdge(part) || MovesRightEdge(part) || MovesTopEdge(part) || MovesBottomEdge(part);
}

Point ScreenPointOf(const Message& message) { return {PointX(message.LParam), PointY(message.LParam)}; }

} // namespace

Rect Form::ClientRect() const {
    if (!HasDrawnFrame())
        return CustomControl::ClientRect();
    const Rect client = toolframe::ClientRect(Width(), Height());
    return MakeRect(0, 0, client.Width(), client.Height());
}

Point Form::ClientOffset() const { return HasDrawnFrame() ? toolframe::ClientOffset() : Point{}; }

HitTestCode Form::HitTest(Point screen) const {
    const Point p{screen.X - Left(), screen.Y - Top()};
    if (!HasDrawnFrame())
        return MakeRect(0, 0, Width(), Height()).Contains(p) ? HTCLIENT : HTNOWHERE;
    return toolframe::HitTest(Width(), Height(), p, borderStyle_ == bsSizeToolWin);
}

void Form::WndProc(Message& message) {
    switch (message.Msg) {
    case TK_NCHITTEST:
        message.Result = HitTest(ScreenPointOf(message));
        break;
    case TK_NCLBUTTONDOWN:
        StartFrameTracking(static_cast<HitTestCode>(message.WParam), ScreenPointOf(message));
        message.Result = 0;
        break;
    case TK_NCLBUTTONUP:
    case TK_NCMOUSEMOVE:
        message.Result = 0;
        break;
    default:
        CustomControl::WndProc(message);
        break;
    }
}

void Form::CloseButtonClick() { Close(); }

void Form::StartFrameTracking(HitTestCode code, Point screen) {
    if (code == HTCAPTION)
        tracking_ = FrameTracking::Moving;
    else if (code == HTCLOSE)
        tracking_ = FrameTracking::CloseButton;
    else if (IsSizingPart(code) && borderStyle_ == bsSizeToolWin)
        tracking_ = FrameTracking::Sizing;
    else
        return;
    trackedPart_ = code;
    trackStart_ = screen;
    trackStartBounds_ = BoundsRect();
    closeButtonDown_ = tracking_ == FrameTracking::CloseButton;
    if (closeButtonDown_)
        InvalidateFrame();
    SetMouseCapture(true);
}

void Form::TrackFrame(Point screen) {
    const int dx = screen.X - trackStart_.X;
    const int dy = screen.Y - trackStart_.Y;
    const Rect& start = trackStartBounds_;
    switch (tracking_) {
    case FrameTracking::Moving:
        SetBounds(start.Left + dx, start.Top + dy, Width(), Height());
        break;
    case FrameTracking::Sizing: {
        int width = start.Width() + (MovesRightEdge(trackedPart_) ? dx : 0) - (MovesLeftEdge(trackedPart_) ? dx : 0);
        int height = start.Height() + (MovesBottomEdge(trackedPart_) ? dy : 0) - (MovesTopEdge(trackedPart_) ? dy : 0);
        Constraints().Apply(width, height);
        width = std::max(width, toolframe::MinWidth());
        height = std::max(height, toolframe::MinHeight());
        // The dragged edge follows; the opposite one stays where it was.
        const int left = MovesLeftEdge(trackedPart_) ? start.Right - width : start.Left;
        const int top = MovesTopEdge(trackedPart_) ? start.Bottom - height : start.Top;
        SetBounds(left, top, width, height);
        break;
    }
    case FrameTracking::CloseButton: {
        const bool down = HitTest(screen) == HTCLOSE;
        if (down != closeButtonDown_) {
            closeButtonDown_ = down;
            InvalidateFrame();
        }
        break;
    }
    case FrameTracking::None:
        break;
    }
}

void Form::EndFrameTracking(Point screen) {
    const bool clicked = tracking_ == FrameTracking::CloseButton && HitTest(screen) == HTCLOSE;
    const bool repaint = closeButtonDown_;
    tracking_ = FrameTracking::None;
    trackedPart_ = HTNOWHERE;
    closeButtonDown_ = false;
    SetMouseCapture(false);
    if (repaint)
        InvalidateFrame();
    // Last: closing may free the form.
    if (clicked)
        CloseButtonClick();
}

bool Form::FrameMouse(MouseAction action, MouseButton button, Point client) {
    const Point screen = ClientToScreen(client);
    if (tracking_ != FrameTracking::None) {
        if (MouseCapture()) {
            if (action == MouseAction::Move)
                SafeCall([&] { TrackFrame(screen); });
            else if (action == MouseAction::Up && button == mbLeft)
                SafeCall([&] { EndFrameTracking(screen); });
            return true;
        }
        // Someone else took the mouse: whatever the press started is over.
        tracking_ = FrameTracking::None;
        closeButtonDown_ = false;
        InvalidateFrame();
    }
    // While a control holds the mouse capture every message is a client one.
    if (!HasDrawnFrame() || CaptureControl())
        return false;
    long long part = HTCLIENT;
    SafeCall([&] { part = Perform(TK_NCHITTEST, 0, PackPoint(screen.X, screen.Y)); });
    if (part == HTCLIENT)
        return false;
    if (action != MouseAction::Move && button != mbLeft)
        return true;
    const unsigned msg = action == MouseAction::Down ? TK_NCLBUTTONDOWN
                         : action == MouseAction::Up ? TK_NCLBUTTONUP
                                                     : TK_NCMOUSEMOVE;
    SafeCall([&] { Perform(msg, part, PackPoint(screen.X, screen.Y)); });
    return true;
}

tk::Cursor Form::GetCursorAt(Point client) {
    if (!HasDrawnFrame())
        return CustomControl::GetCursorAt(client);
    HitTestCode part = trackedPart_;
    if (tracking_ != FrameTracking::Sizing) {
        const Point screen = ClientToScreen(client);
        SafeCall([&] { part = static_cast<HitTestCode>(Perform(TK_NCHITTEST, 0, PackPoint(screen.X, screen.Y))); });
    }
    switch (part) {
    case HTLEFT:
    case HTRIGHT:
        return crSizeWE;
    case HTTOP:
    case HTBOTTOM:
        return crSizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return crSizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return crSizeNESW;
    default:
        return CustomControl::GetCursorAt(client);
    }
}

void Form::PaintNonClient(QPainter& painter) {
    if (!HasDrawnFrame())
        return;
    toolframe::Paint(painter, Width(), Height(), Caption(), ToQFont(*Font()), Widget()->isActiveWindow(),
                     closeButtonDown_ ? toolframe::CloseButtonState::Pressed : toolframe::CloseButtonState::Normal);
}

void Form::InvalidateFrame() {
    if (!HasDrawnFrame())
        return;
    const QRect window(0, 0, Width(), Height());
    Widget()->update(QRegion(window) - QRegion(ToQRect(toolframe::ClientRect(Width(), Height()))));
}

} // namespace tk
