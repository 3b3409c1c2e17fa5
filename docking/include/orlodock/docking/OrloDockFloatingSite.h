#pragma once

// A zone torn off a dock site lives in a small tool window of its own: a
// TOrloFloatingDockSiteHostForm holding one TOrloFloatingDockSite that fills
// it. The floating site is an ordinary dock site that hides and shows its
// window instead of collapsing, and lets the window go once its tree is
// empty. Dragging the window by its caption runs the manager's drag, so the
// window can be docked again through the guides.
//
// The windows are the application's (it owns them) and are made only by a
// tear-off; they release themselves, later, from the message loop.

#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/component.h>
#include <orlodock/tk/forms.h>

class TOrloFloatingDockSiteHostForm;

class TOrloFloatingDockSite : public TOrloDockSite {
public:
    // The owner must be a TOrloFloatingDockSiteHostForm; any other raises
    // tk::EInvalidCast before anything is made.
    explicit TOrloFloatingDockSite(tk::Component* owner);

    TOrloFloatingDockSiteHostForm* HostForm() const { return hostForm_; }

    // Hides the window.
    void Collapse() override;
    // Shows the window, without taking the focus, above the others.
    void Expand() override;
    bool IsFloating() override { return true; }
    // Once the tree is empty the window is released (later, not inside this call).
    void ZonesChanged(TOrloDockRootZone* sender) override;
    tk::String ClassName() const override;

private:
    TOrloFloatingDockSiteHostForm* hostForm_;
};

class TOrloFloatingDockSiteHostForm : public tk::Form {
public:
    // A hidden, stay-on-top tool window whose site uses `manager` (may be none).
    // Whoever makes it gives it its bounds; inserting into the site shows it.
    TOrloFloatingDockSiteHostForm(tk::Component* owner, IOrloDockManager* manager);

    TOrloFloatingDockSite* Site() const { return site_.get(); }
    // The site's interface; none without site.
    void GetDockSite(tk::IPtr<IOrloDockSite>& site);
    // Where the pointer was at the last move of a caption drag, screen coordinates.
    tk::Point LastMousePos() const { return lastMousePos_; }
    bool Dragging() const { return dragging_; }

    tk::String ClassName() const override;

protected:
    // A caption press starts the manager's drag instead of the window's own move.
    void WndProc(tk::Message& message) override;
    void MouseMove(tk::ShiftState shift, int x, int y) override;
    void MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) override;
    // Escape during a caption drag cancels it; the window stays where it is.
    void KeyDown(int& key, tk::ShiftState shift) override;
    // The drawn close button hides every panel in the window (frees none).
    void CloseButtonClick() override;

private:
    IOrloDockManager* Manager() const;
    void EndCaptionDrag(tk::Point screen);

    tk::ComponentRef<TOrloFloatingDockSite> site_;
    tk::Point lastMousePos_{};
    bool dragging_ = false;
};
