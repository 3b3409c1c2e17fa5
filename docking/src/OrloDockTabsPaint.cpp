// Painting of the tab strip. With tabs along the bottom: the band in the tab
// back colour, the current tab raised in the strip's colour with a highlight
// on its left and a black outline, the others flat with grey text and shadow
// separators. Along the top only the band is drawn.

#include <orlodock/docking/OrloDockTabs.h>

#include <utility>

#include <orlodock/tk/canvas.h>
#include <orlodock/tk/imagelist.h>

namespace {

// Marks a paint in progress, so that changes made while painting do not ask
// for another paint; cleared on every way out unless the strip was freed.
class PaintingScope {
public:
    PaintingScope(bool& flag, std::weak_ptr<int> alive) : flag_(flag), alive_(std::move(alive)) { flag_ = true; }
    ~PaintingScope() {
        if (!alive_.expired())
            flag_ = false;
    }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    bool& flag_;
    std::weak_ptr<int> alive_;
};

} // namespace

void TCustomOrloDockTabs::Paint() {
    std::weak_ptr<int> alive = LifeToken();
    PaintingScope scope(painting_, alive);
    if (OnGetImages) {
        tk::ImageList* images = images_;
        OnGetImages(this, images);
        if (alive.expired())
            return;
        AssignImages(images);
    }
    if (images_ && OnGetImageIndex) {
        for (const auto& tab : tabs_)
            OnGetImageIndex(this, tab.get());
        if (alive.expired())
            return;
    }

    tk::Canvas* canvas = GetCanvas();
    canvas->Brush()->SetStyle(tk::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    LayoutTabs();
    if (tabPosition_ == tpTop)
        PaintTabsTop();
    else
        PaintTabsBottom();
}

void TCustomOrloDockTabs::PaintTabsTop() {
    tk::Canvas* canvas = GetCanvas();
    canvas->Pen()->SetColor(tabBackColor_);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetColor(tabBackColor_);
    canvas->Brush()->SetStyle(tk::bsSolid);
    canvas->FillRect(tk::MakeRect(0, 0, Width(), tabHeight_));
    canvas->Pen()->SetColor(tk::clBlack);
    canvas->MoveTo(0, tabHeight_ + 1);
    canvas->LineTo(indent_, tabHeight_ + 1);
}

void TCustomOrloDockTabs::PaintTabContent(TOrloDockTab* tab, int x, int textTop, bool solidText) {
    tk::Canvas* canvas = GetCanvas();
    const int h = Height();
    tk::Rect textRect;
    if (imageWidth_ != 0 && tab->ImageIndex() != -1) {
        images_->Draw(*canvas, x + tabSpacing_, textTop, tab->ImageIndex(), true);
        textRect = tk::MakeRect(x + imageWidth_ + 2 * tabSpacing_, textTop, x + tab->Width(), h);
        solidText = false;
    } else {
        textRect = tk::MakeRect(x + tabSpacing_, textTop, x + tab->Width(), h);
    }
    if (!solidText)
        canvas->Brush()->SetStyle(tk::bsClear);
    canvas->DrawText(tab->Caption(), textRect, tk::DT_END_ELLIPSIS | tk::DT_VCENTER);
    canvas->Brush()->SetStyle(tk::bsSolid);
}

void TCustomOrloDockTabs::PaintTabsBottom() {
    tk::Canvas* canvas = GetCanvas();
    const int h = Height();
    const int w = Width();
    const int th = tabHeight_;
    canvas->Pen()->SetColor(tabBackColor_);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetColor(tabBackColor_);
    canvas->Brush()->SetStyle(tk::bsSolid);
    canvas->FillRect(tk::MakeRect(0, h - th, w, h));
    if (tabs_.empty())
        return;

    // Images and captions of all tabs start at the same y.
    const int sample = imageWidth_ != 0 ? imageWidth_ : canvas->TextHeight(tk::String::fromLatin1("OrloDockingPanel"));
    const int textTop = h - sample - (th - sample) / 2;

    canvas->Pen()->SetColor(tk::clBlack);
    canvas->MoveTo(0, h - th);
    canvas->LineTo(indent_, h - th);
    int x = indent_;
    const int last = TabCount() - 1;
    for (int i = 0; i <= last; ++i) {
        TOrloDockTab* tab = tabs_[i].get();
        if (!tab->Visible())
            continue;
        if (i == tabIndex_) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(tk::MakeRect(x, h - th, x + tab->Width(), h - 1));
            canvas->Pen()->SetColor(tk::clBtnHighlight);
            canvas->MoveTo(x, h - th);
            canvas->LineTo(x, h - 1);
            canvas->Font()->SetColor(tk::clBtnText);
            PaintTabContent(tab, x, textTop, true);
            x += tab->Width();
            canvas->Pen()->SetColor(tk::clBlack);
            canvas->LineTo(x, h - 1);
            canvas->LineTo(x, h - th);
        } else {
            canvas->Brush()->SetColor(tabBackColor_);
            canvas->Pen()->SetColor(tk::clBlack);
            canvas->LineTo(x + tab->Width(), h - th);
            canvas->Font()->SetColor(tk::clGrayText);
            PaintTabContent(tab, x, textTop, false);
            x += tab->Width();
            if (i + 1 != tabIndex_) {
                canvas->Pen()->SetColor(tk::clBtnShadow);
                canvas->MoveTo(x, h - th + 3);
                canvas->LineTo(x, h - 3);
                canvas->MoveTo(x, h - th);
            }
        }
        if (i == last) {
            canvas->Pen()->SetColor(tk::clBlack);
            canvas->LineTo(w, h - th);
        }
    }
}
