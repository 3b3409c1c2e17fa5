// Whether the screen has a compositing manager, which translucent windows need.

#include <orlodock/tk/screen.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <xcb/xcb.h>

namespace tk {

namespace {

std::optional<bool> g_compositingForTesting;

// The X screen Qt connected to: like Qt, xcb takes it from $DISPLAY.
int DefaultX11Screen() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen))
        return 0;
    std::free(host);
    return screen;
}

bool X11HasCompositingManager(xcb_connection_t* connection) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultX11Screen());
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    // With only_if_exists set, no atom means nobody ever owned the selection.
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace

void Screen::SetCompositingForTesting(std::optional<bool> answer) { g_compositingForTesting = answer; }

bool Screen::CompositingAvailable() {
    if (g_compositingForTesting)
        return *g_compositingForTesting;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        return x11 && x11->connection() && X11HasCompositingManager(x11->connection());
    }
    // These always composite their windows.
    return platform == QLatin1String("wayland") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

} // namespace tk
