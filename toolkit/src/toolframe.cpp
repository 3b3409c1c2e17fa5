#include "toolframe.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "qtconvert.h"
#include <orlodock/tk/metrics.h>

namespace tk::toolframe {

namespace {

// The caption's close button: a square inside the caption bar, off its right end.
constexpr int CloseButtonMargin = 2;

// A one-pixel raised (or sunk) edge just inside r.
void DrawEdge(QPainter& p, const Rect& r, Color topLeft, Color bottomRight) {
    p.fillRect(r.Left, r.Top, r.Width(), 1, ToQColor(topLeft));
    p.fillRect(r.Left, r.Top, 1, r.Height(), ToQColor(topLeft));
    p.fillRect(r.Left, r.Bottom - 1, r.Width(), 1, ToQColor(bottomRight));
    p.fillRect(r.Right - 1, r.Top, 1, r.Height(), ToQColor(bottomRight));
}

void PaintCloseButton(QPainter& p, const Rect& r, CloseButtonState state) {
    const bool pressed = state == CloseButtonState::Pressed;
    p.fillRect(ToQRect(r), ToQColor(clBtnFace));
    DrawEdge(p, r, pressed ? cl3DDkShadow : clBtnHighlight, pressed ? clBtnHighlight : cl3DDkShadow);
    DrawEdge(p, InflateRect(r, -1, -1), pressed ? clBtnShadow : clBtnFace, pressed ? clBtnFace : clBtnShadow);
    // The cross, two pixels thick, moved by one when pressed.
    const int shift = pressed ? 1 : 0;
    const int inset = std::max(r.Width() / 4, 3);
    const QRect glyph(r.Left + inset + shift, r.Top + inset + shift, r.Width() - 2 * inset - 1,
                      r.Height() - 2 * inset - 1);
    p.setPen(QPen(ToQColor(clBtnText), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(glyph.topLeft(), glyph.bottomRight());
    p.drawLine(glyph.bottomLeft(), glyph.topRight());
}

} // namespace

Point ClientOffset() { return {BorderWidth(), BorderHeight() + CaptionHeight()}; }

Rect ClientRect(int width, int height) {
    const Point off = ClientOffset();
    return MakeRect(off.X, off.Y, std::max(width - BorderWidth(), off.X), std::max(height - BorderHeight(), off.Y));
}

Rect CaptionRect(int width) {
    return MakeRect(BorderWidth(), BorderHeight(), std::max(width - BorderWidth(), BorderWidth()),
                    BorderHeight() + CaptionHeight());
}

Rect CloseButtonRect(int width) {
    const Rect caption = CaptionRect(width);
    const int size = CaptionHeight() - 2 * CloseButtonMargin;
    const int right = caption.Right - CloseButtonMargin;
    return MakeRect(right - size, caption.Top + CloseButtonMargin, right, caption.Top + CloseButtonMargin + size);
}

int MinWidth() { return 2 * BorderWidth() + CaptionHeight() + 2 * CloseButtonMargin; }
int MinHeight() { return 2 * BorderHeight() + CaptionHeight(); }

HitTestCode HitTest(int width, int height, Point p, bool sizeable) {
    if (!MakeRect(0, 0, width, height).Contains(p))
        return HTNOWHERE;
    const bool onLeftOrRight = p.X < BorderWidth() || p.X >= width - BorderWidth();
    const bool onTopOrBottom = p.Y < BorderHeight() || p.Y >= height - BorderHeight();
    if (onLeftOrRight || onTopOrBottom) {
        if (!sizeable)
            return HTBORDER;
        // A corner reaches a caption height along both edges that meet there.
        const int reachX = onTopOrBottom ? CaptionHeight() : BorderWidth();
        const int reachY = onLeftOrRight ? CaptionHeight() : BorderHeight();
        const int column = p.X < reachX ? 0 : (p.X >= width - reachX ? 2 : 1);
        const int row = p.Y < reachY ? 0 : (p.Y >= height - reachY ? 2 : 1);
        static const HitTestCode codes[3][3] = {
            {HTTOPLEFT, HTTOP, HTTOPRIGHT}, {HTLEFT, HTNOWHERE, HTRIGHT}, {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT}};
        return codes[row][column];
    }
    if (CaptionRect(width).Contains(p))
        return CloseButtonRect(width).Contains(p) ? HTCLOSE : HTCAPTION;
    return HTCLIENT;
}

void Paint(QPainter& p, int width, int height, const String& caption, const QFont& font, bool active,
           CloseButtonState closeButton) {
    const Rect window = MakeRect(0, 0, width, height);
    const Rect client = ClientRect(width, height);
    // The frame: everything outside the client area and the caption bar.
    const Rect captionRect = CaptionRect(width);
    p.save();
    p.setClipRegion(QRegion(ToQRect(window)) - QRegion(ToQRect(client)) - QRegion(ToQRect(captionRect)));
    p.fillRect(ToQRect(window), ToQColor(clBtnFace));
    p.restore();
    DrawEdge(p, window, clBtnFace, cl3DDkShadow);
    DrawEdge(p, InflateRect(window, -1, -1), clBtnHighlight, clBtnShadow);

    if (captionRect.IsEmpty())
        return;
    QLinearGradient gradient(captionRect.Left, 0, captionRect.Right, 0);
    gradient.setColorAt(0, ToQColor(active ? clActiveCaption : clInactiveCaption));
    gradient.setColorAt(1, ToQColor(active ? clGradientActiveCaption : clGradientInactiveCaption));
    p.fillRect(ToQRect(captionRect), gradient);

    const Rect button = CloseButtonRect(width);
    const Rect textRect = MakeRect(captionRect.Left + 3, captionRect.Top, button.Left - 2, captionRect.Bottom);
    if (textRect.Width() > 0) {
        QFont bold = font;
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        p.setFont(bold);
        p.setPen(ToQColor(active ? clCaptionText : clInactiveCaptionText));
        p.drawText(ToQRect(textRect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   metrics.elidedText(caption, Qt::ElideRight, textRect.Width()));
    }
    if (button.Left >= captionRect.Left)
        PaintCloseButton(p, button, closeButton);
}

} // namespace tk::toolframe
