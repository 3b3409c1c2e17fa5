#include <orlodock/tk/application.h>

#include <QApplication>
#include <iostream>
#include <memory>

#include "hintwindow.h"
#include "toolkit_internal.h"
#include <orlodock/tk/control.h>
#include <orlodock/tk/forms.h>

namespace tk {

namespace {

// Only when the toolkit had to create the Qt application itself.
std::unique_ptr<QApplication>& OwnQApplication() {
    static std::unique_ptr<QApplication> app;
    return app;
}

} // namespace

Application::Application() : Component(nullptr) {}

Application::~Application() = default;

void Application::Initialize(int& argc, char** argv) {
    if (!QApplication::instance())
        OwnQApplication() = std::make_unique<QApplication>(argc, argv);
    // Forms decide themselves when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
}

void Application::Initialize() {
    static int argc = 1;
    static char name[] = "orlodock";
    static char* argv[] = {name, nullptr};
    Initialize(argc, argv);
}

void Application::AddForm(Form* form) {
    if (!mainForm_)
        mainForm_ = form;
    form->DoCreate();
}

int Application::Run() {
    Initialize();
    if (mainForm_ && !terminated_)
        mainForm_->Show();
    int code = 0;
    if (!terminated_)
        code = QApplication::exec();
    FreeForms();
    return code;
}

void Application::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void Application::FlushPaint() {
    // Invalidated windows wait for one update request each; only those run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void Application::Terminate() {
    terminated_ = true;
    if (QCoreApplication::instance())
        QCoreApplication::quit();
}

void Application::HandleException(const std::exception& error) {
    ++exceptionCount_;
    if (OnException) {
        try {
            OnException(this, error);
            return;
        } catch (const std::exception& again) {
            ShowException(again);
            return;
        } catch (...) {
            std::cerr << "Exception in the exception handler\n";
            return;
        }
    }
    ShowException(error);
}

void Application::HandleUnknownException() {
    std::runtime_error error("Unknown exception");
    HandleException(error);
}

void Application::ShowException(const std::exception& error) { std::cerr << error.what() << std::endl; }

void Application::ActivateHint(Point screen, const String& text) {
    if (!hint_)
        hint_ = std::make_unique<HintWindow>();
    hint_->Disarm();
    hint_->ShowAt(screen, text);
}

void Application::CancelHint() {
    if (hint_)
        hint_->Cancel();
}

bool Application::HintShowing() const { return hint_ && hint_->Showing(); }
String Application::HintText() const { return hint_ ? hint_->Text() : String(); }
Point Application::HintPos() const { return hint_ ? hint_->Pos() : Point{}; }

void Application::FreeForms() {
    // Every owned component except the main form first, the main form last.
    while (ComponentCount() > 0) {
        Component* c = Components(ComponentCount() - 1);
        if (c == mainForm_ && ComponentCount() > 1)
            c = Components(ComponentCount() - 2);
        c->Free();
    }
    mainForm_ = nullptr;
}

void Application::Notification(Component* component, Operation operation) {
    if (operation == Operation::Remove && component == mainForm_)
        mainForm_ = nullptr;
    Component::Notification(component, operation);
}

Application* App() {
    // Never destroyed: it outlives every window, and the windows must go
    // before the Qt application does (FreeForms, Run).
    static Application* app = new Application();
    return app;
}

bool SafeCall(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        App()->HandleException(e);
    } catch (...) {
        App()->HandleUnknownException();
    }
    return false;
}

void Application::HoverHint(Control* control, Point screen) {
    Control* source = control;
    while (source && !(source->ShowHint() && !source->Hint().isEmpty()))
        source = source->Parent();
    if (!source) {
        if (hint_ && hint_->ArmedControl())
            hint_->Cancel();
        return;
    }
    if (!hint_)
        hint_ = std::make_unique<HintWindow>();
    // Below the pointer, clear of the cursor image.
    hint_->Arm(source, {screen.X, screen.Y + 20}, hintPause_);
}

void Application::HoverLeft(Control* control) {
    if (!hint_ || !hint_->ArmedControl())
        return;
    if (control->ContainsControl(hint_->ArmedControl()) || hint_->ArmedControl()->ContainsControl(control))
        hint_->Cancel();
}

namespace internal {

void PointerOver(Control* control, Point screen) { App()->HoverHint(control, screen); }
void PointerLeft(Control* control) { App()->HoverLeft(control); }

} // namespace internal

} // namespace tk
