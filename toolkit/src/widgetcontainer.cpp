#include <orlodock/tk/widgetcontainer.h>

#include <QWidget>

namespace tk {

WidgetContainer::WidgetContainer(Component* owner) : Control(owner) {}

WidgetContainer::~WidgetContainer() = default;

void WidgetContainer::SetContent(QWidget* content) {
    if (content == content_.data())
        return;
    QWidget* old = TakeContent();
    if (old) {
        // Kept as a hidden child until it goes: a widget being replaced from
        // one of its own signals is still in use on the way back.
        old->hide();
        old->setParent(Widget());
        old->deleteLater();
    }
    Adopt(content);
}

QWidget* WidgetContainer::TakeContent() {
    QWidget* content = content_.data();
    content_ = nullptr;
    if (!content)
        return nullptr;
    Widget()->setFocusProxy(nullptr);
    content->setParent(nullptr);
    return content;
}

void WidgetContainer::Adopt(QWidget* content) {
    content_ = content;
    if (!content)
        return;
    content->setParent(Widget());
    // SetFocus and a click on the container go to the content.
    Widget()->setFocusProxy(content);
    FitContent();
    content->show();
}

void WidgetContainer::BoundsChanged() {
    Control::BoundsChanged();
    FitContent();
}

void WidgetContainer::FitContent() {
    if (QWidget* content = content_.data())
        content->setGeometry(0, 0, Width(), Height());
}

} // namespace tk
