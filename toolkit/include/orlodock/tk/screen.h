#pragma once

// The screen: monitors and their work areas, the active control and the
// cursor position. The cursor position is kept by the toolkit too, so that it
// is right where the window system cannot report or move the pointer.

#include <functional>
#include <optional>
#include <vector>

#include <orlodock/tk/cursors.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/metrics.h>

namespace tk {

class Control;
class Form;

struct Monitor {
    int MonitorNum = 0;
    Rect BoundsRect;
    // The bounds without panels and task bars.
    Rect WorkareaRect;
    bool Primary = false;
    Rect WorkArea() const { return WorkareaRect; }
    int Left() const { return BoundsRect.Left; }
    int Top() const { return BoundsRect.Top; }
    int Width() const { return BoundsRect.Width(); }
    int Height() const { return BoundsRect.Height(); }
};

class Screen {
public:
    static int MonitorCount();
    static Monitor Monitors(int index);
    static std::vector<Monitor> AllMonitors();
    // The monitor that contains the point, else the nearest one.
    static Monitor MonitorFromPoint(Point p);
    static Monitor MonitorFromRect(const Rect& r);
    static Monitor PrimaryMonitor();
    // The primary monitor's size and work area.
    static int Width();
    static int Height();
    static Rect WorkAreaRect();
    // The rectangle around all monitors.
    static Rect DesktopRect();
    // The rectangle around the work areas of all monitors; its origin is
    // negative when a monitor lies left of or above the primary one.
    static Rect DesktopWorkAreaRect();
    // Tests: every monitor query answers from this layout instead of the real
    // monitors (MonitorNum is set from the order); an empty list goes back.
    static void SetMonitorLayoutForTesting(std::vector<Monitor> monitors);

    // Whether windows can be translucent: the X11 screen has a compositing
    // manager (an owner of the _NET_WM_CM_S<n> selection), or the platform
    // always composites. False headless. Without it, constant alpha shows an
    // opaque window.
    static bool CompositingAvailable();
    // Tests: CompositingAvailable answers this instead of asking the window
    // system; std::nullopt asks it again.
    static void SetCompositingForTesting(std::optional<bool> answer);

    // The focused control of the active form, or nullptr.
    static Control* ActiveControl();
    static Form* ActiveForm();

    // Called after the active control changed, with the old and the new one
    // (either may be nullptr). The old one may be on its way out, already
    // taken from its parent: ask it no more than where it is. A listener may add or remove listeners while it runs; a
    // removed one is not called again.
    using ActiveControlListener = std::function<void(Control* oldControl, Control* newControl)>;
    // Answers the id to remove the listener with.
    static int AddActiveControlListener(ActiveControlListener listener);
    static void RemoveActiveControlListener(int id);

    static Point CursorPos();
    static void SetCursorPos(Point p);
    // Toolkit side: the pointer was seen at p (from a mouse event).
    static void NoteCursorPos(Point p);

    // A cursor shown over every window (crDefault: none).
    static tk::Cursor Cursor();
    static void SetCursor(tk::Cursor cursor);

    // The top-level form whose window lies under a screen point, topmost first.
    static Form* FormAtPoint(Point p);
    // The top-level forms in stacking order, topmost first.
    static std::vector<Form*> Forms();
};

} // namespace tk
