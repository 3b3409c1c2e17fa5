#pragma once

// A panel: a custom control that fills itself with its colour, draws an
// optional bevel and centres its caption.

#include <orlodock/tk/customcontrol.h>

namespace tk {

enum BevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class Panel : public CustomControl {
public:
    explicit Panel(Component* owner);

    BevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(BevelCut value);
    BevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(BevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // Space kept free inside the bevel, for the panel's own drawing and its aligned children.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);

    void AdjustClientRect(Rect& rect) override;
    void GetProperties(PropertyList& list) override;

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }

private:
    void Changed();
    BevelCut bevelOuter_ = bvRaised;
    BevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool showCaption_ = true;
};

} // namespace tk
