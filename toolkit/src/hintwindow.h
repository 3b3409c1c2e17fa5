#pragma once

// Toolkit-internal: the small window that shows a hint text at a screen point,
// and the timer that brings up a control's hint when the pointer rests on it.

#include <QTimer>
#include <QWidget>

#include <orlodock/tk/geometry.h>

namespace tk {

class Control;

class HintWindow : public QWidget {
public:
    HintWindow();
    void ShowAt(Point screen, const QString& text);
    void Cancel();
    bool Showing() const { return showing_; }
    const QString& Text() const { return text_; }
    Point Pos() const { return pos_; }

    // The pointer rests over a control whose hint should show after a pause.
    void Arm(Control* control, Point screen, int pauseMs);
    Control* ArmedControl() const { return armed_; }
    void Disarm();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    Point pos_;
    bool showing_ = false;
    Control* armed_ = nullptr;
    Point armedPos_;
    QTimer timer_;
};

} // namespace tk
