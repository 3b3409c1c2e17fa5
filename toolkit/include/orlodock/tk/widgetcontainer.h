#pragma once

// A control that shows a QWidget of the application's (a tree view, a text
// editor, a widget with its own layout) filling its client area, so that any
// Qt widget can be put where toolkit controls go.
//
// Ownership: SetContent adopts the widget. It becomes a child of this
// control's window and is deleted with the control. A widget that another
// one (or nullptr) replaces is deleted too, from the event loop, so that a
// widget may replace itself from one of its own signals; TakeContent instead
// hands the widget back to the caller, without a parent and not deleted. A
// content widget the application deletes itself simply leaves the container
// empty.
//
// Focus anywhere inside the content (an editor a tree view opens included)
// counts as focus in this control: it is Screen::ActiveControl then, and
// SetFocus gives the focus to the content.

#include <QPointer>
#include <QWidget>

#include <orlodock/tk/control.h>

namespace tk {

class WidgetContainer : public Control {
public:
    explicit WidgetContainer(Component* owner);
    ~WidgetContainer() override;

    void SetContent(QWidget* content);
    QWidget* Content() const { return content_.data(); }
    // The content, no longer adopted (nullptr when there is none).
    QWidget* TakeContent();

protected:
    void BoundsChanged() override;

private:
    void Adopt(QWidget* content);
    void FitContent();
    QPointer<QWidget> content_;
};

} // namespace tk
