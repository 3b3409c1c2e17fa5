#include <orlodock/tk/screen.h>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
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
// (into a window inside one of Qt's own widgets): follow it to the control.
void FollowQtFocus() {
    static bool connected = false;
    if (connected || !qApp)
        return;
    connected = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        for (QWidget* w = now; w; w = w->parentWidget())
            if (Control* control = Control::FromWidget(w)) {
                internal::NoteFocus(control);
                return;
            }
    });
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

Monitor FromQScreen(QScreen* screen, int index) {
    Monitor m;
    m.MonitorNum = index;
    m.BoundsRect = FromQRect(screen->geometry());
    m.WorkareaRect = FromQRect(screen->availableGeometry());
    m.Primary = screen == QGuiApplication::primaryScreen();
    return m;
}

long long DistanceSquared(const Rect& r, Point p) {
    long long dx = p.X < r.Left ? r.Left - p.X : (p.X >= r.Right ? p.X - r.Right + 1 : 0);
    long long dy = p.Y < r.Top ? r.Top - p.Y : (p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0);
    return dx * dx + dy * dy;
}

} // namespace

int Screen::MonitorCount() { return static_cast<int>(QGuiApplication::screens().size()); }

Monitor Screen::Monitors(int index) {
    const auto screens = QGuiApplication::screens();
    if (index < 0 || index >= screens.size())
        return PrimaryMonitor();
    return FromQScreen(screens[index], index);
}

std::vector<Monitor> Screen::AllMonitors() {
    std::vector<Monitor> result;
    const auto screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i)
        result.push_back(FromQScreen(screens[i], i));
    return result;
}

Monitor Screen::PrimaryMonitor() {
    const auto screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i)
        if (screens[i] == QGuiApplication::primaryScreen())
            return FromQScreen(screens[i], i);
    Monitor m;
    m.BoundsRect = m.WorkareaRect = MakeRect(0, 0, 1024, 768);
    m.Primary = true;
    return m;
}

Monitor Screen::MonitorFromPoint(Point p) {
    std::vector<Monitor> all = AllMonitors();
    if (all.empty())
        return PrimaryMonitor();
    return *std::min_element(all.begin(), all.end(), [p](const Monitor& a, const Monitor& b) {
        return DistanceSquared(a.BoundsRect, p) < DistanceSquared(b.BoundsRect, p);
    });
}

Monitor Screen::MonitorFromRect(const Rect& r) {
    std::vector<Monitor> all = AllMonitors();
    const Monitor* best = nullptr;
    long long bestArea = -1;
    for (const Monitor& m : all) {
        Rect overlap = IntersectRect(m.BoundsRect, r);
        long long area = static_cast<long long>(overlap.Width()) * overlap.Height();
        if (area > bestArea) {
            bestArea = area;
            best = &m;
        }
    }
    if (!best || bestArea <= 0)
        return MonitorFromPoint({r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    return *best;
}

int Screen::Width() { return PrimaryMonitor().Width(); }
int Screen::Height() { return PrimaryMonitor().Height(); }
Rect Screen::WorkAreaRect() { return PrimaryMonitor().WorkareaRect; }

Rect Screen::DesktopRect() {
    Rect all{};
    bool first = true;
    for (const Monitor& m : AllMonitors()) {
        const Rect& b = m.BoundsRect;
        all = first ? b
                    : MakeRect(std::min(all.Left, b.Left), std::min(all.Top, b.Top), std::max(all.Right, b.Right),
                               std::max(all.Bottom, b.Bottom));
        first = false;
    }
    return all;
}

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
        if (f->FormStyle() == fsStayOnTop)
            result.push_back(f);
    for (Form* f : Stack())
        if (f->FormStyle() != fsStayOnTop)
            result.push_back(f);
    return result;
}

Form* Screen::FormAtPoint(Point p) {
    for (Form* f : Forms())
        if (f->Visible() && f->Widget()->isVisible() && f->BoundsRect().Contains(p) && f->ContainsScreenPoint(p))
            return f;
    return nullptr;
}

int CaptionHeight() { return 19; }
int SmallCaptionHeight() { return 16; }
int BorderWidth() { return 1; }
int BorderHeight() { return 1; }
int FrameWidth() { return 4; }
int FrameHeight() { return 4; }

namespace internal {

void NoteFocus(Control* control) {
    if (control)
        g_activeForm = control->ParentForm();
    SetActiveControl(control);
}

void NoteActivate(Form* form, Control* activeControl) {
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

void NoteFormShown(Form* form) { MoveToFront(form); }
void NoteFormRaised(Form* form) { MoveToFront(form); }

void NoteFormLowered(Form* form) {
    auto& s = Stack();
    s.erase(std::remove(s.begin(), s.end(), form), s.end());
    s.push_back(form);
}

void NoteFormGone(Form* form) {
    auto& s = Stack();
    s.erase(std::remove(s.begin(), s.end(), form), s.end());
    if (g_activeForm == form)
        g_activeForm = nullptr;
    if (g_activeControl && form->ContainsControl(g_activeControl))
        SetActiveControl(nullptr);
}

} // namespace internal

} // namespace tk
