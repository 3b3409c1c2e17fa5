#include <orlodock/tk/screen.h>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <optional>

#include "toolkit_internal.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/forms.h>

namespace tk {

namespace {

Control* g_activeControl = nullptr;
Form* g_activeForm = nullptr;
std::optional<Point> g_cursorPos;
tk::Cursor g_screenCursor = crDefault;

struct ActiveControlEntry {
    int Id;
    std::shared_ptr<Screen::ActiveControlListener> Listener;
};

std::vector<ActiveControlEntry>& ActiveControlListeners() {
    static std::vector<ActiveControlEntry> listeners;
    return listeners;
}

bool IsListening(int id) {
    const auto& all = ActiveControlListeners();
    return std::any_of(all.begin(), all.end(), [id](const ActiveControlEntry& e) { return e.Id == id; });
}

void SetActiveControl(Control* control) {
    Control* old = g_activeControl;
    if (old == control)
        return;
    g_activeControl = control;
    // A copy: listeners may add or remove listeners, or free controls, while they run.
    const std::vector<ActiveControlEntry> listeners = ActiveControlListeners();
    for (const ActiveControlEntry& e : listeners)
        if (IsListening(e.Id))
            SafeCall([&] { (*e.Listener)(old, control); });
}

// Qt's focus can move without an event reaching a toolkit control's bridge
// (into a window inside one of Qt's own widgets, or an application's widget
// adopted by a control): follow it to the control. Focus that goes to a
// widget of the application's outside every control leaves no control active.
void FollowQtFocus() {
    static bool connected = false;
    if (connected || !qApp)
        return;
    connected = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        for (QWidget* w = now; w; w = w->parentWidget())
            if (Control* control = Control::FromWidget(w)) {
                if (!internal::ActivationBeingUndone(control->ParentForm()))
                    internal::NoteFocus(control);
                return;
            }
        if (now)
            SetActiveControl(nullptr);
    });
}

// Forms shown without activation on a headless platform, and the window that
// is to get the activation back.
struct UnwantedActivation {
    Form* form;
    QPointer<QWidget> previous;
    bool activated = false;
};

std::vector<UnwantedActivation>& UnwantedActivations() {
    static std::vector<UnwantedActivation> list;
    return list;
}

UnwantedActivation* FindUnwanted(const Form* form) {
    for (UnwantedActivation& u : UnwantedActivations())
        if (u.form == form)
            return &u;
    return nullptr;
}

void ForgetUnwanted(const Form* form) {
    auto& list = UnwantedActivations();
    list.erase(std::remove_if(list.begin(), list.end(), [form](const UnwantedActivation& u) { return u.form == form; }),
               list.end());
}

// Top-level forms, topmost first, as the toolkit stacked them.
std::vector<Form*>& Stack() {
    static std::vector<Form*> stack;
    return stack;
}

void MoveToFront(Form* form) {
    auto& s = Stack();
    s.erase(std::remove(s.begin(), s.end(), form), s.end());
    s.insert(s.begin(), form);
}

// Windows that stay on top stay above an ordinary window that comes to the
// front, even where no window manager keeps them there.
void KeepOnTopFormsAbove(Form* raised) {
    if (raised->StaysOnTop())
        return;
    std::vector<Form*> onTop;
    for (Form* f : Stack())
        if (f->StaysOnTop() && f->Widget()->isVisible())
            onTop.push_back(f);
    for (auto it = onTop.rbegin(); it != onTop.rend(); ++it)
        internal::RaiseWindow((*it)->Widget());
}

} // namespace

Control* Screen::ActiveControl() { return g_activeControl; }
Form* Screen::ActiveForm() { return g_activeForm; }

int Screen::AddActiveControlListener(ActiveControlListener listener) {
    static int lastId = 0;
    FollowQtFocus();
    const int id = ++lastId;
    ActiveControlListeners().push_back({id, std::make_shared<ActiveControlListener>(std::move(listener))});
    return id;
}

void Screen::RemoveActiveControlListener(int id) {
    auto& all = ActiveControlListeners();
    all.erase(std::remove_if(all.begin(), all.end(), [id](const ActiveControlEntry& e) { return e.Id == id; }),
              all.end());
}

Point Screen::CursorPos() {
    if (g_cursorPos)
        return *g_cursorPos;
    return FromQPoint(QCursor::pos());
}

void Screen::SetCursorPos(Point p) {
    g_cursorPos = p;
    // Headless there is no pointer to move; the toolkit's position is the truth.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QCursor::setPos(ToQPoint(p));
}

void Screen::NoteCursorPos(Point p) { g_cursorPos = p; }

tk::Cursor Screen::Cursor() { return g_screenCursor; }

void Screen::SetCursor(tk::Cursor cursor) {
    g_screenCursor = cursor;
    if (cursor == crDefault)
        QGuiApplication::restoreOverrideCursor();
    else if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(ToQCursor(cursor));
    else
        QGuiApplication::setOverrideCursor(ToQCursor(cursor));
}

std::vector<Form*> Screen::Forms() {
    // Windows that stay on top come before the others.
    std::vector<Form*> result;
    for (Form* f : Stack())
        if (f->StaysOnTop())
            result.push_back(f);
    for (Form* f : Stack())
        if (!f->StaysOnTop())
            result.push_back(f);
    return result;
}

Form* Screen::FormAtPoint(Point p) {
    for (Form* f : Forms())
        if (f->Visible() && f->Widget()->isVisible() && f->BoundsRect().Contains(p) && f->ContainsScreenPoint(p))
            return f;
    return nullptr;
}

namespace internal {

void NoteFocus(Control* control) {
    if (control)
        g_activeForm = control->ParentForm();
    SetActiveControl(control);
}

bool Headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void RaiseWindow(QWidget* window) {
    if (!Headless())
        window->raise();
}

void NoteShownWithoutActivation(Form* form) {
    if (!Headless() || FindUnwanted(form))
        return;
    UnwantedActivations().push_back({form, QApplication::activeWindow()});
}

void FormWindowActivated(Form* form) {
    UnwantedActivation* u = FindUnwanted(form);
    if (!u || u->activated)
        return;
    u->activated = true;
    if (u->previous && u->previous != form->Widget())
        u->previous->activateWindow();
}

void FormWindowDeactivated(Form* form) {
    if (UnwantedActivation* u = FindUnwanted(form); u && u->activated)
        ForgetUnwanted(form);
}

bool ActivationBeingUndone(const Form* form) { return form && FindUnwanted(form); }

void NoteActivate(Form* form, Control* activeControl) {
    // Activated on purpose: nothing to give back.
    ForgetUnwanted(form);
    g_activeForm = form;
    SetActiveControl(activeControl);
}

void NoteControlGone(Control* control) {
    if (g_activeForm == control)
        g_activeForm = nullptr;
    if (g_activeControl == control)
        SetActiveControl(nullptr);
    PointerLeft(control);
}

void NoteFormShown(Form* form) {
    MoveToFront(form);
    KeepOnTopFormsAbove(form);
}

void NoteFormRaised(Form* form) {
    MoveToFront(form);
    KeepOnTopFormsAbove(form);
}

void NoteFormLowered(Form* form) {
    auto& s = Stack();
    s.erase(std::remove(s.begin(), s.end(), form), s.end());
    s.push_back(form);
}

void NoteFormGone(Form* form) {
    ForgetUnwanted(form);
    auto& s = Stack();
    s.erase(std::remove(s.begin(), s.end(), form), s.end());
    if (g_activeForm == form)
        g_activeForm = nullptr;
    if (g_activeControl && form->ContainsControl(g_activeControl))
        SetActiveControl(nullptr);
}

} // namespace internal

} // namespace tk
