#include <orlodock/tk/panel.h>

#include <orlodock/tk/canvas.h>

namespace tk {

Panel::Panel(Component* owner) : CustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csSetCaption | csOpaque);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void Panel::Changed() {
    Realign();
    Invalidate();
}

void Panel::SetBevelOuter(BevelCut value) {
    if (value != bevelOuter_) {
        bevelOuter_ = value;
        Changed();
    }
}

void Panel::SetBevelInner(BevelCut value) {
    if (value != bevelInner_) {
        bevelInner_ = value;
        Changed();
    }
}

void Panel::SetBevelWidth(int value) {
    value = std::max(value, 1);
    if (value != bevelWidth_) {
        bevelWidth_ = value;
        Changed();
    }
}

void Panel::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (value != borderWidth_) {
        borderWidth_ = value;
        Changed();
    }
}

void Panel::SetShowCaption(bool value) {
    if (value != showCaption_) {
        showCaption_ = value;
        Invalidate();
    }
}

void Panel::AdjustClientRect(Rect& rect) {
    CustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    rect = InflateRect(rect, -inset, -inset);
}

namespace {

// A 3D frame: top-left in one colour, bottom-right in the other.
void Frame3D(Canvas& c, Rect& r, Color topLeft, Color bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        c.Pen()->SetColor(topLeft);
        c.MoveTo(r.Left, r.Bottom - 1);
        c.LineTo(r.Left, r.Top);
        c.LineTo(r.Right - 1, r.Top);
        c.Pen()->SetColor(bottomRight);
        c.LineTo(r.Right - 1, r.Bottom - 1);
        c.LineTo(r.Left - 1, r.Bottom - 1);
        r = InflateRect(r, -1, -1);
    }
}

} // namespace

void Panel::Paint() {
    tk::Canvas& c = *GetCanvas();
    Rect r = ClientRect();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    auto bevel = [&](BevelCut cut) {
        if (cut == bvNone)
            return;
        if (cut == bvSpace) {
            r = InflateRect(r, -bevelWidth_, -bevelWidth_);
            return;
        }
        tk::Color light = cut == bvRaised ? clBtnHighlight : clBtnShadow;
        tk::Color dark = cut == bvRaised ? clBtnShadow : clBtnHighlight;
        Frame3D(c, r, light, dark, bevelWidth_);
    };
    bevel(bevelOuter_);
    // The border between the bevels is in the panel's colour.
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    r = InflateRect(r, -borderWidth_, -borderWidth_);
    bevel(bevelInner_);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    if (showCaption_ && !Caption().isEmpty()) {
        c.Font()->Assign(*Font());
        c.Brush()->SetStyle(bsClear);
        Rect text = r;
        c.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        c.Brush()->SetStyle(bsSolid);
    }
}

void Panel::GetProperties(PropertyList& list) {
    CustomControl::GetProperties(list);
    list.AddEnum(
        "BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, [this] { return static_cast<int>(bevelOuter_); },
        [this](int v) { SetBevelOuter(static_cast<BevelCut>(v)); });
    list.AddInteger(
        "BorderWidth", [this] { return borderWidth_; },
        [this](std::int64_t v) { SetBorderWidth(static_cast<int>(v)); });
}

} // namespace tk
