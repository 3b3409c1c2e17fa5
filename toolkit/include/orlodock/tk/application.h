#pragma once

// The application object: owner of the top-level windows, main form, message
// loop, and the place where exceptions that escape event handlers end up.

#include <exception>
#include <functional>
#include <memory>

#include <orlodock/tk/component.h>
#include <orlodock/tk/geometry.h>

namespace tk {

class Control;
class Form;
class HintWindow;

using ExceptionEvent = std::function<void(Component* sender, const std::exception& error)>;

class Application : public Component {
public:
    Application();
    ~Application() override;

    // Makes sure a Qt application object exists (creates one from argc/argv if not).
    void Initialize(int& argc, char** argv);
    void Initialize();

    // Creates a form owned by the application, runs its OnCreate and, for the
    // first form, makes it the main form.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        AddForm(form);
        return form;
    }
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form and runs the message loop until it closes or
    // Terminate is called; frees the owned forms before returning.
    int Run();
    // Dispatches the messages that are waiting, then returns.
    void ProcessMessages();
    // Controls paint what was invalidated when the message loop runs again,
    // once for all changes until then. This paints it now, and nothing else
    // that waits (for code that needs the pixels at once, such as tests).
    static void FlushPaint();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Reports an exception that escaped an event handler (OnException, else stderr).
    void HandleException(const std::exception& error);
    void HandleUnknownException();
    // The default report: the message on stderr.
    void ShowException(const std::exception& error);
    ExceptionEvent OnException;
    // How many exceptions have been reported.
    int ExceptionCount() const { return exceptionCount_; }

    const String& Title() const { return title_; }
    void SetTitle(const String& title) { title_ = title; }

    // ---- hints ----
    void ActivateHint(Point screen, const String& text);
    void CancelHint();
    bool HintShowing() const;
    String HintText() const;
    Point HintPos() const;
    // Milliseconds before a control's hint appears under a resting pointer.
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }

    // Toolkit side: the pointer rests over a control / left it (hints of controls with ShowHint).
    void HoverHint(Control* control, Point screen);
    void HoverLeft(Control* control);

    // Frees every form the application owns (the main form last).
    void FreeForms();

protected:
    void Notification(Component* component, Operation operation) override;

private:
    void AddForm(Form* form);

    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    int exceptionCount_ = 0;
    int hintPause_ = 500;
    String title_;
    std::unique_ptr<HintWindow> hint_;
};

// The application object (created on first use).
Application* App();

// Runs f and reports any exception through the application object instead of
// letting it leave the event dispatch. Answers false when f threw.
bool SafeCall(const std::function<void()>& f);

} // namespace tk
