#pragma once

// Forms: top-level windows. Left/Top are screen coordinates of the window;
// the window frame, when the window system draws one, is not part of the
// bounds. Tool windows (bsToolWindow, bsSizeToolWin) are frameless windows
// whose caption bar and frame the toolkit draws, hit-tests and handles
// itself, so they look and behave alike under every window manager; their
// frame is part of the bounds, and ClientRect is what lies inside it.

#include <cstdint>

#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/region.h>

namespace tk {

enum FormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum FormStyle { fsNormal, fsStayOnTop };
enum FormPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum CloseAction { caNone, caHide, caFree, caMinimize };

using CloseEvent = std::function<void(Component* sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Component* sender, bool& canClose)>;

class Form : public CustomControl {
public:
    explicit Form(Component* owner);
    ~Form() override;

    FormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(FormBorderStyle value);
    tk::FormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(tk::FormStyle value);
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition value);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }

    // Whether a screen point lies in the window (its window region may be less than its bounds).
    virtual bool ContainsScreenPoint(Point p) const;

    // ---- the caption and frame the toolkit draws (tool windows) ----
    bool HasDrawnFrame() const { return borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin; }
    Rect ClientRect() const override;
    // The part of the window under a screen point: what TK_NCHITTEST answers
    // unless the window procedure answers it otherwise.
    HitTestCode HitTest(Point screen) const;

    // ---- stacking without activation ----
    // Above the application's ordinary windows: fsStayOnTop, or shown with ShowOnTop.
    bool StaysOnTop() const { return formStyle_ == fsStayOnTop || shownOnTop_; }
    // Shows the window above every other one, where it stays from now on,
    // without moving, sizing or activating it.
    void ShowOnTop();
    // Moves the window by (dx, dy) without sizing, restacking or activating it.
    void MoveBy(int dx, int dy) { SetBounds(Left() + dx, Top() + dy, Width(), Height()); }

    // ---- window region: only its pixels are drawn and take the mouse ----
    // In window coordinates (0,0 is the window's top-left corner). The form
    // keeps its own copy; an empty region shows nothing of the window.
    void SetWindowRegion(const Region& region);
    void ClearWindowRegion();
    bool HasWindowRegion() const { return hasRegion_; }
    const Region& WindowRegion() const { return region_; }

    // ---- constant alpha (needs a compositing manager, see Screen::CompositingAvailable) ----
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t value);

    // Runs OnCreate; Application::CreateForm calls it once the form is constructed.
    void DoCreate();
    // Asks OnCloseQuery and OnClose; hides or frees the form as they decide.
    void Close();
    // Frees the form later, from the message loop, not inside the current call.
    void ReleaseLater();
    // Shows the window without making it the active one.
    void ShowNoActivate();
    bool Active() const;
    void Activate();
    // The control that has (or gets, when this form is activated) the focus.
    Control* ActiveControl() const;
    void SetActiveControl(Control* control);

    NotifyEvent OnCreate;
    NotifyEvent OnDestroy;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    CloseEvent OnClose;
    CloseQueryEvent OnCloseQuery;

protected:
    bool IsTopLevel() const override { return true; }
    void ApplyGeometry() override;
    void ApplyVisible() override;
    void TextChanged() override;
    void BeforeDestruction() override;
    // Default handling of the non-client messages: the caption moves the
    // window, a border of a sizeable one sizes it, the close button closes it.
    void WndProc(Message& message) override;
    // The close button of the drawn caption was clicked; the default is Close().
    virtual void CloseButtonClick();

    Point ClientOffset() const override;
    tk::Cursor GetCursorAt(Point client) override;
    bool FrameMouse(MouseAction action, MouseButton button, Point client) override;
    void PaintNonClient(QPainter& painter) override;

private:
    friend class ControlWidget;
    friend class ControlBridge;
    // What a press on the drawn frame started.
    enum class FrameTracking { None, Moving, Sizing, CloseButton };

    void WindowClosing(bool& accept);
    void ApplyWindowFlags();
    void PlaceByPosition();
    void ApplyWindowRegion();
    void ShowWindowWithoutActivating();
    void StartFrameTracking(HitTestCode code, Point screen);
    void TrackFrame(Point screen);
    void EndFrameTracking(Point screen);
    void InvalidateFrame();

    FormBorderStyle borderStyle_ = bsSizeable;
    tk::FormStyle formStyle_ = fsNormal;
    FormPosition position_ = poDesigned;
    bool autoScroll_ = false;
    bool created_ = false;
    bool placed_ = false;
    bool releasing_ = false;
    bool shownOnTop_ = false;
    bool showWithoutActivating_ = false;
    bool hasRegion_ = false;
    Region region_;
    bool alphaBlend_ = false;
    std::uint8_t alphaBlendValue_ = 255;
    FrameTracking tracking_ = FrameTracking::None;
    HitTestCode trackedPart_ = HTNOWHERE;
    Point trackStart_;
    Rect trackStartBounds_;
    bool closeButtonDown_ = false;
    Control* activeControl_ = nullptr;
};

} // namespace tk
