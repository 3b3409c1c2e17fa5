#pragma once

// Toolkit-internal: the window behind a control, the event bridge that
// translates Qt events into the control's handlers, and the layer that holds
// pattern-inverted bars above a control's children.

#include <QImage>
#include <QObject>
#include <QWidget>

#include <orlodock/tk/control.h>

namespace tk {

// The window of controls that paint themselves (and of plain controls).
class ControlWidget : public QWidget {
public:
    explicit ControlWidget(Control* control);
    Control* OwnerControl() const { return control_; }
    void Detach() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Control* control_;
};

// Translates the window's Qt events into the control's handlers; installed
// as an event filter so it works for Qt's own widgets (buttons, edits) too.
class ControlBridge : public QObject {
public:
    ControlBridge(Control* control, QWidget* widget, bool ownsInput);
    ~ControlBridge() override;
    void Detach();

    // Whether a widget (or one of its ancestors' events) is being dispatched right now.
    static bool IsDispatching(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleMouse(QEvent* event);
    Control* control_;
    QWidget* widget_;
    // Our own windows consume the input; Qt's widgets still see it.
    bool ownsInput_;
};

// A transparent window raised above the children of a control; inverted bars
// are XOR-ed into its image and combined with what lies below when painted.
class InvertLayer : public QWidget {
public:
    explicit InvertLayer(QWidget* host);
    void Invert(const Rect& rect, const Brush& brush);
    bool Empty() const { return !any_; }
    // XOR-s the layer over an image of the host (for grabbing what is shown).
    void ApplyTo(QImage& image, QPoint offset) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Fit();
    static long long CountLit(const QImage& image);
    QImage xor_;
    long long lit_ = 0; // pixels the layer currently changes
    bool any_ = false;
};

// Maps a Qt key to the virtual key code (Escape is 27); 0 when unknown.
int VirtualKeyFromQt(int qtKey);
ShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

} // namespace tk
