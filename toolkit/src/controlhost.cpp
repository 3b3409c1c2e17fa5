#include <orlodock/tk/controlhost.h>

#include <QResizeEvent>

#include <orlodock/tk/control.h>

namespace tk {

ControlHost::ControlHost(QWidget* parent) : QWidget(parent) {}

ControlHost::~ControlHost() {
    // The root's window is a child of this widget: it goes with its control,
    // before QWidget's destructor would delete it behind the control's back.
    SetRootControl(nullptr);
}

void ControlHost::SetRootControl(Control* root) {
    if (root == root_.get())
        return;
    Control* old = root_.get();
    if (root)
        root->EmbedIn(this);
    root_ = root;
    if (old)
        old->Free();
    FitRoot();
}

QSize ControlHost::sizeHint() const { return {640, 480}; }

void ControlHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitRoot();
}

void ControlHost::FitRoot() {
    if (Control* root = root_.get())
        root->SetBounds(0, 0, width(), height());
}

} // namespace tk
