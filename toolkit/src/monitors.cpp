// The monitors of the screen and their work areas, from Qt's screens or from
// a layout a test installed.

#include <orlodock/tk/screen.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <optional>

namespace tk {

namespace {

std::optional<std::vector<Monitor>>& TestLayout() {
    static std::optional<std::vector<Monitor>> layout;
    return layout;
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

Rect Union(const Rect& a, const Rect& b) {
    return MakeRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                    std::max(a.Bottom, b.Bottom));
}

} // namespace

void Screen::SetMonitorLayoutForTesting(std::vector<Monitor> monitors) {
    if (monitors.empty()) {
        TestLayout().reset();
        return;
    }
    for (size_t i = 0; i < monitors.size(); ++i)
        monitors[i].MonitorNum = static_cast<int>(i);
    TestLayout() = std::move(monitors);
}

int Screen::MonitorCount() { return static_cast<int>(AllMonitors().size()); }

Monitor Screen::Monitors(int index) {
    const std::vector<Monitor> all = AllMonitors();
    if (index < 0 || index >= static_cast<int>(all.size()))
        return PrimaryMonitor();
    return all[static_cast<size_t>(index)];
}

std::vector<Monitor> Screen::AllMonitors() {
    if (TestLayout())
        return *TestLayout();
    std::vector<Monitor> result;
    const auto screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i)
        result.push_back(FromQScreen(screens[i], i));
    return result;
}

Monitor Screen::PrimaryMonitor() {
    const std::vector<Monitor> all = AllMonitors();
    for (const Monitor& m : all)
        if (m.Primary)
            return m;
    if (!all.empty())
        return all.front();
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
    const std::vector<Monitor> all = AllMonitors();
    Rect result = all.empty() ? PrimaryMonitor().BoundsRect : all.front().BoundsRect;
    for (const Monitor& m : all)
        result = Union(result, m.BoundsRect);
    return result;
}

Rect Screen::DesktopWorkAreaRect() {
    const std::vector<Monitor> all = AllMonitors();
    Rect result = all.empty() ? PrimaryMonitor().WorkareaRect : all.front().WorkareaRect;
    for (const Monitor& m : all)
        result = Union(result, m.WorkareaRect);
    return result;
}

} // namespace tk
