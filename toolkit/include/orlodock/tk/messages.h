#pragma once

// Messages that travel through a control's window procedure. The procedure is
// a replaceable value: another object may install its own, pass messages on to
// the one it replaced, and later give that one back unchanged.

#include <cstdint>
#include <functional>

namespace tk {

struct Message {
    unsigned Msg = 0;
    long long WParam = 0;
    long long LParam = 0;
    long long Result = 0;
};

using WindowProcedure = std::function<void(Message&)>;

// Sent after a control has handled a change of its visibility; WParam is the new visibility (0 or 1).
constexpr unsigned TK_VISIBLECHANGED = 0xB00B;
constexpr unsigned TK_ENABLEDCHANGED = 0xB000;
constexpr unsigned TK_FONTCHANGED = 0xB001;
constexpr unsigned TK_COLORCHANGED = 0xB002;
constexpr unsigned TK_TEXTCHANGED = 0xB012;
constexpr unsigned TK_MOUSEENTER = 0xB013;
constexpr unsigned TK_MOUSELEAVE = 0xB014;
// Sent to a parent when a child control is inserted (WParam 1) or removed (0); LParam is the child.
constexpr unsigned TK_CONTROLCHANGE = 0xB036;
// Sent to every ancestor of a control, nearest first, when a mouse button goes
// down in the control and before the control handles the press. WParam is the
// button-down code, LParam the pointer in the receiver's client coordinates
// (PackPoint).
constexpr unsigned TK_PARENTNOTIFY = 0x0210;
constexpr unsigned TK_LBUTTONDOWN = 0x0201;
constexpr unsigned TK_RBUTTONDOWN = 0x0204;
constexpr unsigned TK_MBUTTONDOWN = 0x0207;

// Non-client messages of the windows whose caption and frame the toolkit draws
// (tool windows). TK_NCHITTEST: LParam is a screen point (PackPoint), the
// Result a HitTestCode. The others: WParam is the hit code of the pointer,
// LParam the screen point. A procedure that answers a message without passing
// it on keeps the default handling (moving, sizing, the close button) from
// running. While a control holds the mouse capture, every mouse message is a
// client one.
constexpr unsigned TK_NCHITTEST = 0x0084;
constexpr unsigned TK_NCMOUSEMOVE = 0x00A0;
constexpr unsigned TK_NCLBUTTONDOWN = 0x00A1;
constexpr unsigned TK_NCLBUTTONUP = 0x00A2;

// Parts of a window, as TK_NCHITTEST answers them.
enum HitTestCode : int {
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    // The frame of a window that cannot be sized.
    HTBORDER = 18,
    HTCLOSE = 20,
};

// A point in an LParam: x in the low 16 bits, y in the next 16, both signed.
constexpr long long PackPoint(int x, int y) {
    return (static_cast<long long>(static_cast<std::uint16_t>(y)) << 16) | static_cast<std::uint16_t>(x);
}
constexpr int PointX(long long lparam) { return static_cast<std::int16_t>(lparam & 0xFFFF); }
constexpr int PointY(long long lparam) { return static_cast<std::int16_t>((lparam >> 16) & 0xFFFF); }

// Virtual key codes used by the toolkit and the library.
constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33;
constexpr int VK_NEXT = 34;
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_F1 = 112;

} // namespace tk
