#include "hintwindow.h"

#include <QFontMetrics>
#include <QPainter>

#include "qtconvert.h"
#include <orlodock/tk/control.h>

namespace tk {

HintWindow::HintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(ToQFont(Font()));
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        if (armed_)
            ShowAt(armedPos_, armed_->Hint());
    });
}

void HintWindow::ShowAt(Point screen, const QString& text) {
    text_ = text;
    pos_ = screen;
    QFontMetrics fm(font());
    resize(fm.horizontalAdvance(text) + 8, fm.height() + 4);
    move(ToQPoint(screen));
    showing_ = true;
    show();
    raise();
    update();
}

void HintWindow::Cancel() {
    Disarm();
    showing_ = false;
    hide();
}

void HintWindow::Arm(Control* control, Point screen, int pauseMs) {
    if (control == armed_)
        return;
    Cancel();
    armed_ = control;
    armedPos_ = screen;
    if (pauseMs <= 0)
        ShowAt(screen, control->Hint());
    else
        timer_.start(pauseMs);
}

void HintWindow::Disarm() {
    armed_ = nullptr;
    timer_.stop();
}

void HintWindow::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clInfoBk));
    p.setPen(ToQColor(clInfoText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignVCenter, text_);
}

} // namespace tk
