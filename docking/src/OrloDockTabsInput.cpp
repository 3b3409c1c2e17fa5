// Mouse and keyboard handling of the tab strip: selecting by pressing,
// reordering by dragging sideways, pulling a tab out by dragging off the tabs,
// Escape to put the dragged tab back.

#include <orlodock/docking/OrloDockTabs.h>

#include <orlodock/tk/messages.h>

bool TCustomOrloDockTabs::MoveCurrentTab(int toIndex) {
    const int from = tabIndex_;
    ExchangeTabs(from, toIndex);
    std::weak_ptr<int> alive = LifeToken();
    if (OnTabMoved)
        OnTabMoved(this, from, toIndex);
    if (alive.expired())
        return false;
    tabIndex_ = toIndex;
    LayoutTabs();
    RepaintStrip();
    return true;
}

void TCustomOrloDockTabs::MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    std::weak_ptr<int> alive = LifeToken();
    tk::CustomControl::MouseDown(button, shift, x, y);
    if (alive.expired())
        return;
    mouseDownPos_ = {x, y};
    const int index = TabAtPos({x, y});
    if (index != -1 && index != tabIndex_) {
        const bool allowed = SetTabIndex(index);
        if (alive.expired())
            return;
        if (allowed)
            RepaintStrip();
    }
    dragging_ = true;
    dragStartIndex_ = tabIndex_;
}

void TCustomOrloDockTabs::MouseMove(tk::ShiftState shift, int x, int y) {
    std::weak_ptr<int> alive = LifeToken();
    tk::CustomControl::MouseMove(shift, x, y);
    if (alive.expired())
        return;
    const int index = TabAtPos({x, y});
    if (dragging_ && ValidIndex(tabIndex_)) {
        if (index != -1 && index != tabIndex_) {
            // The dragged tab travels with the mouse, one exchange per tab it lands on.
            if (!MoveCurrentTab(index))
                return;
        } else if (index == -1 && OnTabDragOut) {
            tk::Point point{0, 0};
            OnTabDragOut(this, tabIndex_, point);
            if (alive.expired())
                return;
            MouseUp(tk::mbLeft, shift, x, y);
            if (alive.expired())
                return;
        }
    }
    if (tabsSqueezed_ && index != -1) {
        const tk::String caption = tabs_[index]->Caption();
        if (Hint() != caption) {
            SetHint(caption);
            ShowHintAt(ClientToScreen({x, y}), caption);
        }
    }
}

void TCustomOrloDockTabs::MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    std::weak_ptr<int> alive = LifeToken();
    tk::CustomControl::MouseUp(button, shift, x, y);
    if (alive.expired())
        return;
    dragging_ = false;
}

void TCustomOrloDockTabs::KeyDown(int& key, tk::ShiftState shift) {
    std::weak_ptr<int> alive = LifeToken();
    tk::CustomControl::KeyDown(key, shift);
    if (alive.expired() || key != tk::VK_ESCAPE)
        return;
    dragging_ = false;
    // One exchange back: the dragged tab returns to where the drag started.
    if (ValidIndex(tabIndex_) && ValidIndex(dragStartIndex_) && tabIndex_ != dragStartIndex_)
        MoveCurrentTab(dragStartIndex_);
}
