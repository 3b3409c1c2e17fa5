#pragma once

// Forms: top-level windows. Left/Top are screen coordinates of the window;
// the window frame, when the window system draws one, is not part of the
// bounds (frames drawn by the toolkit are: see ClientRect).

#include <orlodock/tk/customcontrol.h>

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

    // Whether a screen point lies in the window (its shape may be less than its bounds).
    virtual bool ContainsScreenPoint(Point p) const { return BoundsRect().Contains(p); }

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
    void WndProc(Message& message) override;

private:
    friend class ControlWidget;
    void WindowClosing(bool& accept);
    void ApplyWindowFlags();
    void PlaceByPosition();

    FormBorderStyle borderStyle_ = bsSizeable;
    tk::FormStyle formStyle_ = fsNormal;
    FormPosition position_ = poDesigned;
    bool autoScroll_ = false;
    bool created_ = false;
    bool placed_ = false;
    bool releasing_ = false;
    Control* activeControl_ = nullptr;
};

} // namespace tk
