#pragma once

// The tab strip of a tab group: one tab per child zone, switched by clicking,
// reordered by dragging sideways, pulled out by dragging off the tabs. Tabs get
// their natural width from caption and image, or equal shares of the strip
// when they do not all fit. Paints itself; the theme has no say here.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <orlodock/tk/component.h>
#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/graphics.h>

namespace tk {
class ChangeLink;
class ImageList;
} // namespace tk

class TOrloDockZone;
class TCustomOrloDockTabs;

enum TOrloDockTabPosition : std::uint8_t { tpTop = 0, tpBottom = 1 };

// One tab. Its caption is its zone's; the zone is neither owned nor kept alive.
class TOrloDockTab {
public:
    TOrloDockTab(TCustomOrloDockTabs* owner, TOrloDockZone* zone, int imageIndex);
    ~TOrloDockTab();
    TOrloDockTab(const TOrloDockTab&) = delete;
    TOrloDockTab& operator=(const TOrloDockTab&) = delete;

    // Set by the layout.
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    TCustomOrloDockTabs* Owner() const { return owner_; }
    // Hidden tabs take no space, are not drawn and are never hit.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // Set by the layout; the strip's client coordinates.
    int Left() const { return left_; }
    void SetLeft(int left) { left_ = left; }
    TOrloDockZone* Zone() const { return zone_; }
    void SetZone(TOrloDockZone* zone) { zone_ = zone; }

    // The zone's caption; empty without zone.
    tk::String Caption() const;

private:
    int width_ = 0;
    int imageIndex_ = -1;
    TCustomOrloDockTabs* owner_;
    bool visible_ = true;
    int left_ = 0;
    TOrloDockZone* zone_;
};

using TOrloDockTabDragOutEvent = std::function<void(tk::Component* sender, int tabIndex, tk::Point& point)>;
using TOrloDockTabChangeEvent = std::function<void(tk::Component* sender, int oldIndex, int newIndex)>;
using TOrloDockTabChangingEvent =
    std::function<void(tk::Component* sender, int currentIndex, int newIndex, bool& allowChange)>;
using TOrloDockTabMovedEvent = std::function<void(tk::Component* sender, int fromIndex, int toIndex)>;
using TOrloDockGetImagesEvent = std::function<void(tk::Component* sender, tk::ImageList*& images)>;
using TOrloDockGetImageIndexEvent = std::function<void(tk::Component* sender, TOrloDockTab* tab)>;

class TCustomOrloDockTabs : public tk::CustomControl {
public:
    explicit TCustomOrloDockTabs(tk::Component* owner);
    ~TCustomOrloDockTabs() override;

    // ---- tabs ----
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    // Adds a visible tab for zone at index (clamped to the list) and makes it current.
    TOrloDockTab* AddTab(int index, TOrloDockZone* zone, int imageIndex);
    // Destroys the tab at index; an index outside the list is ignored. The
    // current tab stays current when a tab before it goes.
    void DeleteTab(int index);
    // Raises OnTabChanging (which may veto) and, if allowed, OnTabChange;
    // answers whether the change was allowed. -1 = none. Refused (false, no
    // events): an index that names no tab, or a hidden tab while any is shown.
    bool SetTabIndex(int newIndex);
    int TabIndex() const { return tabIndex_; }
    void SetTabVisible(int index, bool visible);
    // Raises tk::EListError outside the list.
    TOrloDockTab* GetTab(int index) const;
    // -1 when absent.
    int IndexOfTab(const TOrloDockTab* tab) const;
    // Index of the visible tab under a client point, or -1.
    int TabAtPos(tk::Point point) const;
    bool AnyTabVisible() const;
    TOrloDockTab* NextVisibleTab(const TOrloDockTab* tab) const;
    TOrloDockTab* PrevVisibleTab(const TOrloDockTab* tab) const;

    // ---- update bracket: layout and repaint wait for the outermost EndUpdate ----
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // ---- appearance ----
    tk::ImageList* Images() const { return images_; }
    void SetImages(tk::ImageList* images);
    int ImageWidth() const { return imageWidth_; }
    TOrloDockTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TOrloDockTabPosition position);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int height);
    tk::Color TabBackColor() const { return tabBackColor_; }
    void SetTabBackColor(tk::Color color);
    int Indent() const { return indent_; }
    int TabSpacing() const { return tabSpacing_; }
    // Set by the layout when the tabs did not fit and share the width equally.
    bool TabsSqueezed() const { return tabsSqueezed_; }

    // ---- drag state ----
    bool Dragging() const { return dragging_; }
    tk::Point MouseDownPos() const { return mouseDownPos_; }
    int DragStartIndex() const { return dragStartIndex_; }

    // Places the visible tabs from their captions and images.
    void LayoutTabs();

    void AdjustClientRect(tk::Rect& rect) override;

    // ---- events ----
    // While dragging, the mouse left the tabs: pull the current tab out.
    TOrloDockTabDragOutEvent OnTabDragOut;
    TOrloDockTabChangeEvent OnTabChange;
    TOrloDockTabChangingEvent OnTabChanging;
    // Two tabs exchanged places (by dragging or Escape).
    TOrloDockTabMovedEvent OnTabMoved;
    // At every paint: the handler supplies the image list.
    TOrloDockGetImagesEvent OnGetImages;
    // At every paint with images, for every tab: the handler sets the tab's image index.
    TOrloDockGetImageIndexEvent OnGetImageIndex;

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void MouseMove(tk::ShiftState shift, int x, int y) override;
    void MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    void KeyDown(int& key, tk::ShiftState shift) override;

private:
    // Stores the list and follows its changes and its destruction; no layout.
    void AssignImages(tk::ImageList* images);
    void ImagesChanged();
    // The image list was freed: the tabs are drawn without images.
    void ImagesGone();
    // Invalidates the strip (painted when the event loop runs again) unless a
    // paint is already running (it picks the change up).
    void RepaintStrip();
    void ExchangeTabs(int index1, int index2);
    // Exchanges the tab at TabIndex with the one at toIndex, reports it and
    // makes toIndex current without the change events. False when the strip
    // was freed by the OnTabMoved handler.
    bool MoveCurrentTab(int toIndex);
    bool ValidIndex(int index) const { return index >= 0 && index < TabCount(); }
    void PaintTabsTop();
    void PaintTabsBottom();
    void PaintTabContent(TOrloDockTab* tab, int x, int textTop, bool solidText);

    std::vector<std::unique_ptr<TOrloDockTab>> tabs_;
    int tabIndex_ = -1;
    tk::ComponentRef<tk::ImageList> images_{[this] { ImagesGone(); }};
    std::unique_ptr<tk::ChangeLink> imageChangeLink_;
    int updateCount_ = 0;
    TOrloDockTabPosition tabPosition_ = tpBottom;
    int tabHeight_ = 20;
    bool tabsSqueezed_ = false;
    int imageWidth_ = 0;
    tk::Color tabBackColor_ = tk::clInfoBk;
    int indent_ = 5;
    int tabSpacing_ = 5;
    bool dragging_ = false;
    tk::Point mouseDownPos_;
    int dragStartIndex_ = -1;
    bool painting_ = false;
};

// The strip as the tab group uses it, with Align, Font and Color published.
class TOrloDockTabs : public TCustomOrloDockTabs {
public:
    explicit TOrloDockTabs(tk::Component* owner = nullptr) : TCustomOrloDockTabs(owner) {}
    tk::String ClassName() const override;
};
