#pragma once

// A push button. Click() runs the click handling as if the button had been
// pressed, whether or not the button is shown.

#include <orlodock/tk/control.h>

class QPushButton;

namespace tk {

class Button : public Control {
public:
    explicit Button(Component* owner);

    void Click() override;
    bool Default() const { return default_; }
    void SetDefault(bool value);

protected:
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    QPushButton* button() const;
    bool default_ = false;
};

} // namespace tk
