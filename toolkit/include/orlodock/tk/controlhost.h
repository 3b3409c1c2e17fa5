#pragma once

// A QWidget of the application's that shows a toolkit control filling it, so
// that toolkit controls can live anywhere in a Qt widget tree (a
// QMainWindow's central widget, a page of a QTabWidget). Screen positions,
// mouse capture, drag bars and focus of the controls below work as in a form.
//
// Ownership: the host owns its root control and frees it when the widget is
// destroyed (before Qt deletes the widget's children), or when another root
// replaces it. The application may free the root itself; the host is then empty.

#include <QWidget>

#include <orlodock/tk/component.h>

namespace tk {

class Control;

class ControlHost : public QWidget {
public:
    explicit ControlHost(QWidget* parent = nullptr);
    ~ControlHost() override;

    // Makes `root` (a control without parent control, not a form) the
    // control that fills this widget; the previous root is freed. nullptr
    // only frees the previous one.
    void SetRootControl(Control* root);
    Control* RootControl() const { return root_.get(); }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitRoot();
    ComponentRef<Control> root_;
};

} // namespace tk
