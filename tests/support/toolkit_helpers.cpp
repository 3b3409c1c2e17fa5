#include "toolkit_helpers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <orlodock/tk/customcontrol.h>

namespace tktest {

void PumpEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void PressKey(int qtKey) {
    tk::Control* capture = tk::Control::KeyboardCaptureControl();
    QWidget* target = capture ? capture->Widget() : nullptr;
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

QImage GrabControl(tk::Control* control) {
    if (auto* custom = dynamic_cast<tk::CustomControl*>(control))
        custom->RefreshBuffer();
    return control->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

tk::Color PixelOf(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return tk::clNone;
    QRgb p = image.pixel(x, y);
    return tk::RGBColor(qRed(p), qGreen(p), qBlue(p));
}

int CountDifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if ((x.pixel(col, row) & 0xFFFFFF) != (y.pixel(col, row) & 0xFFFFFF))
                ++n;
    return n;
}

} // namespace tktest
