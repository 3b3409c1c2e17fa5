#include <orlodock/docking/OrloDockTabs.h>

#include <algorithm>
#include <utility>

#include <orlodock/docking/OrloDockZone.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/imagelist.h>

// ---- TOrloDockTab ----

TOrloDockTab::TOrloDockTab(TCustomOrloDockTabs* owner, TOrloDockZone* zone, int imageIndex)
    : imageIndex_(imageIndex), owner_(owner), zone_(zone) {}

TOrloDockTab::~TOrloDockTab() { zone_ = nullptr; }

tk::String TOrloDockTab::Caption() const {
    tk::String caption;
    if (zone_)
        zone_->GetCaption(caption);
    return caption;
}

// ---- TCustomOrloDockTabs ----

TCustomOrloDockTabs::TCustomOrloDockTabs(tk::Component* owner)
    : tk::CustomControl(owner), imageChangeLink_(std::make_unique<tk::ChangeLink>()) {
    imageChangeLink_->OnChange = [this](tk::ImageList*) { ImagesChanged(); };
    SetDoubleBuffered(true);
    SetControlStyle(tk::csAcceptsControls | tk::csCaptureMouse | tk::csOpaque | tk::csDoubleClicks);
    Font()->SetColor(tk::clInfoText);
    SetBounds(0, 0, 100, 21);
    SetShowHint(true);
    SetParentFont(true);
}

TCustomOrloDockTabs::~TCustomOrloDockTabs() { AssignImages(nullptr); }

TOrloDockTab* TCustomOrloDockTabs::AddTab(int index, TOrloDockZone* zone, int imageIndex) {
    BeginUpdate();
    // Tab i stands for child i of the tab group, so the tab goes where it is asked to.
    const int at = std::clamp(index, 0, TabCount());
    tabs_.insert(tabs_.begin() + at, std::make_unique<TOrloDockTab>(this, zone, imageIndex));
    TOrloDockTab* tab = tabs_[at].get();
    LayoutTabs();
    SetTabIndex(at);
    EndUpdate();
    return tab;
}

void TCustomOrloDockTabs::DeleteTab(int index) {
    if (!ValidIndex(index))
        return;
    tabs_.erase(tabs_.begin() + index);
    if (index == tabIndex_) {
        int next = std::max(index - 1, 0);
        tabIndex_ = next < TabCount() ? next : -1;
    } else if (index < tabIndex_) {
        // Keep the same tab current: its panel, caption and close button belong to it.
        --tabIndex_;
    }
    RepaintStrip();
}

bool TCustomOrloDockTabs::SetTabIndex(int newIndex) {
    // Only a tab that is there can be current, and only a shown one while any is shown.
    if (newIndex != -1 && (!ValidIndex(newIndex) || (!tabs_[newIndex]->Visible() && AnyTabVisible())))
        return false;
    bool allowChange = true;
    if (OnTabChanging)
        OnTabChanging(this, tabIndex_, newIndex, allowChange);
    if (allowChange) {
        BeginUpdate();
        const int old = tabIndex_;
        tabIndex_ = newIndex;
        if (OnTabChange)
            OnTabChange(this, old, newIndex);
        EndUpdate();
    }
    return allowChange;
}

void TCustomOrloDockTabs::SetTabVisible(int index, bool visible) {
    TOrloDockTab* tab = GetTab(index);
    tab->SetVisible(visible);
    LayoutTabs();
    if (visible) {
        SetTabIndex(index);
        return;
    }
    TOrloDockTab* other = PrevVisibleTab(tab);
    if (!other)
        other = NextVisibleTab(tab);
    if (other)
        SetTabIndex(IndexOfTab(other));
}

TOrloDockTab* TCustomOrloDockTabs::GetTab(int index) const {
    if (!ValidIndex(index))
        throw tk::EListError(tk::String::fromLatin1("List index out of bounds (%1)").arg(index));
    return tabs_[index].get();
}

int TCustomOrloDockTabs::IndexOfTab(const TOrloDockTab* tab) const {
    for (int i = 0; i < TabCount(); ++i)
        if (tabs_[i].get() == tab)
            return i;
    return -1;
}

int TCustomOrloDockTabs::TabAtPos(tk::Point point) const {
    if (tabPosition_ == tpTop) {
        if (point.Y > tabHeight_ - 1)
            return -1;
    } else if (point.Y < Height() - tabHeight_ + 1 || point.Y > Height()) {
        return -1;
    }
    for (int i = 0; i < TabCount(); ++i) {
        const TOrloDockTab& tab = *tabs_[i];
        if (tab.Visible() && tab.Left() <= point.X && point.X < tab.Left() + tab.Width())
            return i;
    }
    return -1;
}

bool TCustomOrloDockTabs::AnyTabVisible() const {
    return std::any_of(tabs_.begin(), tabs_.end(), [](const auto& tab) { return tab->Visible(); });
}

TOrloDockTab* TCustomOrloDockTabs::NextVisibleTab(const TOrloDockTab* tab) const {
    const int index = IndexOfTab(tab);
    if (index < 0)
        return nullptr;
    for (int i = index + 1; i < TabCount(); ++i)
        if (tabs_[i]->Visible())
            return tabs_[i].get();
    return nullptr;
}

TOrloDockTab* TCustomOrloDockTabs::PrevVisibleTab(const TOrloDockTab* tab) const {
    const int index = IndexOfTab(tab);
    for (int i = index - 1; i >= 0; --i)
        if (tabs_[i]->Visible())
            return tabs_[i].get();
    return nullptr;
}

void TCustomOrloDockTabs::BeginUpdate() { ++updateCount_; }

void TCustomOrloDockTabs::EndUpdate() {
    --updateCount_;
    if (updateCount_ <= 0) {
        LayoutTabs();
        updateCount_ = 0;
        RepaintStrip();
    }
}

// ---- images ----

void TCustomOrloDockTabs::SetImages(tk::ImageList* images) {
    if (images == images_)
        return;
    BeginUpdate();
    AssignImages(images);
    EndUpdate();
    LayoutTabs();
}

void TCustomOrloDockTabs::AssignImages(tk::ImageList* images) {
    if (images == images_)
        return;
    if (images_)
        images_->UnRegisterChanges(imageChangeLink_.get());
    images_ = images;
    if (images_) {
        imageWidth_ = images_->Width();
        images_->RegisterChanges(imageChangeLink_.get());
    } else {
        imageWidth_ = 0;
    }
}

void TCustomOrloDockTabs::ImagesChanged() {
    if (images_)
        imageWidth_ = images_->Width();
    RepaintStrip();
}

void TCustomOrloDockTabs::ImagesGone() {
    imageWidth_ = 0;
    if (!IsDestroying())
        RepaintStrip();
}

// ---- appearance ----

void TCustomOrloDockTabs::SetTabPosition(TOrloDockTabPosition position) {
    BeginUpdate();
    tabPosition_ = position;
    EndUpdate();
}

void TCustomOrloDockTabs::SetTabHeight(int height) {
    if (height == tabHeight_)
        return;
    BeginUpdate();
    tabHeight_ = height;
    EndUpdate();
}

void TCustomOrloDockTabs::SetTabBackColor(tk::Color color) {
    if (color == tabBackColor_)
        return;
    BeginUpdate();
    tabBackColor_ = color;
    EndUpdate();
}

void TCustomOrloDockTabs::RepaintStrip() {
    // Painted when the event loop runs again, once for all changes until then.
    if (!painting_)
        Invalidate();
}

// ---- layout ----

void TCustomOrloDockTabs::LayoutTabs() {
    tk::Canvas* canvas = GetCanvas();
    canvas->SetFont(*Font());
    tabsSqueezed_ = false;
    int x = indent_;
    int visibleCount = 0;
    for (const auto& tab : tabs_) {
        if (!tab->Visible())
            continue;
        int w = canvas->TextWidth(tab->Caption()) + 2 * tabSpacing_;
        if (imageWidth_ != 0 && tab->ImageIndex() != -1)
            w += imageWidth_ + tabSpacing_;
        tab->SetWidth(w);
        tab->SetLeft(x);
        x += w;
        ++visibleCount;
    }
    x += indent_;
    if (x > Width() && visibleCount >= 1) {
        tabsSqueezed_ = true;
        x = indent_;
        const int w = (Width() - 2 * indent_) / visibleCount;
        for (const auto& tab : tabs_) {
            if (!tab->Visible())
                continue;
            tab->SetWidth(w);
            tab->SetLeft(x);
            x += w;
        }
    }
}

void TCustomOrloDockTabs::AdjustClientRect(tk::Rect& rect) {
    tk::CustomControl::AdjustClientRect(rect);
    if (tabPosition_ == tpTop)
        rect.Top += tabHeight_ + 1;
    else
        rect.Bottom -= tabHeight_ + 1;
}

void TCustomOrloDockTabs::Resize() {
    std::weak_ptr<int> alive = LifeToken();
    tk::CustomControl::Resize();
    if (alive.expired())
        return;
    LayoutTabs();
    RepaintStrip();
}

void TCustomOrloDockTabs::ExchangeTabs(int index1, int index2) { std::swap(tabs_[index1], tabs_[index2]); }

// ---- TOrloDockTabs ----

tk::String TOrloDockTabs::ClassName() const { return tk::String::fromLatin1("TOrloDockTabs"); }
