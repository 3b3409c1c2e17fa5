#include <orlodock/tk/button.h>

#include <QPushButton>

#include "qtconvert.h"
#include <orlodock/tk/application.h>

namespace tk {

Button::Button(Component* owner) : Control(owner, new QPushButton()) {
    // Clicks come from the button itself; the generic click detection stays out.
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    button()->setFont(ToQFont(*Font()));
    // Queued, so that a handler may free the button (or its parent) safely:
    // the Qt button has left its own event handling by then.
    std::weak_ptr<int> alive = LifeToken();
    QObject::connect(
        button(), &QPushButton::clicked, button(),
        [this, alive] {
            if (!alive.expired())
                SafeCall([this] { Click(); });
        },
        Qt::QueuedConnection);
}

QPushButton* Button::button() const { return static_cast<QPushButton*>(Widget()); }

void Button::Click() { Control::Click(); }

void Button::SetDefault(bool value) {
    default_ = value;
    button()->setDefault(value);
}

void Button::TextChanged() { button()->setText(Caption()); }

void Button::FontChanged() {
    button()->setFont(ToQFont(*Font()));
    Control::FontChanged();
}

void Button::EnabledChanged() { button()->setEnabled(Enabled()); }

} // namespace tk
