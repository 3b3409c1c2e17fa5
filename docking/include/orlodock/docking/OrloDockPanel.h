#pragma once

// The panel an application fills with its own controls and hands to a dock
// site. Its size and position belong to the zone tree: bounds change only
// right after the control zone (or the insertion) has unlocked them, so
// nothing else can move a docked panel away from its zone.

#include <cstdint>

#include <orlodock/docking/OrloDockingIntf.h>
#include <orlodock/tk/component.h>
#include <orlodock/tk/panel.h>

class QWidget;

namespace tk {
class WidgetContainer;
}

class TOrloDockablePanel : public tk::Panel, public virtual IOrloDockablePanel {
public:
    explicit TOrloDockablePanel(tk::Component* owner);
    ~TOrloDockablePanel() override;

    // ---- published properties ----
    tk::String TitleBarCaption() const { return Caption(); }
    int ImageIndex() const { return imageIndex_; }
    // Repaints the site (which draws the image on the panel's tab) when the
    // value changes and the site has an image list.
    void SetImageIndex(int index);

    // ---- fields ----
    // The control of the site the panel is docked in, or nullptr.
    tk::Control* DockSite() const { return dockSite_; }
    bool BoundsUnlocked() const { return boundsUnlocked_; }
    // Lets the next SetBounds through (once).
    void SetBoundsUnlocked(bool unlocked) { boundsUnlocked_ = unlocked; }

    // Docks this panel into `site` at `position` relative to `relativePanel`
    // (or to the site as a whole when none); the site does the work.
    void DockInto(IOrloDockSite* site, TOrloDockablePanel* relativePanel, tk::Align position);

    // Refused unless BoundsUnlocked is set; clears it when applied.
    void SetBounds(int left, int top, int width, int height) override;

    // ---- content of the application's ----
    // Fills the client area with a QWidget (a tree view, an editor, a widget
    // with its own layout); the panel adopts it through a tk::WidgetContainer,
    // whose header says who deletes what. A replaced widget is deleted;
    // nullptr only empties the panel. Focus inside the widget is focus in the
    // panel: its title bar shows active.
    void SetContent(QWidget* content);
    QWidget* Content() const;
    // The control that holds the content (created by the first SetContent), or nullptr.
    tk::WidgetContainer* ContentContainer() const { return content_.get(); }

    // ---- IOrloDockablePanel ----
    void SetTitleBarCaption(const tk::String& caption) override { SetCaption(caption); }
    tk::String GetTitleBarCaption() override { return Caption(); }
    tk::IPtr<IOrloDockSite> GetDockSite() override;
    // With a site: the site's control becomes DockSite and the panel's parent;
    // with none: neither.
    void SetDockSite(IOrloDockSite* site) override;
    void GetBoundsRect(tk::Rect& rect) override { rect = BoundsRect(); }
    TOrloDockablePanel* GetControl() override { return this; }
    // True when the screen's active control lies inside the panel (the panel
    // itself does not count); false in the designer.
    bool HasFocus() override;

    IOrloDockablePanel* PanelIntf() { return static_cast<IOrloDockablePanel*>(this); }

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    void ReadState(tk::Reader& reader) override;
    void SetParentComponent(tk::Component* parent) override;
    tk::String ClassName() const override;

protected:
    void Paint() override;

private:
    void SetDockSiteControl(tk::Control* site) { dockSite_ = site; }

    // Cleared when the site control is destroyed.
    tk::ComponentRef<tk::Control> dockSite_;
    tk::ComponentRef<tk::WidgetContainer> content_;
    bool boundsUnlocked_ = false;
    std::int32_t imageIndex_ = -1;
};
