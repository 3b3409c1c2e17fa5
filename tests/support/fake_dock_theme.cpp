#include "fake_dock_theme.h"

void FakeDockTheme::GetTitleBarRect(IOrloDockZone* zone, tk::Rect& rect) {
    zone->GetBounds(rect);
    rect.Bottom = rect.Top + GetTitleBarHeight();
    if (zone->GetOrientation() == voVert)
        zone->ExcludeSplitter(rect);
}

void FakeDockTheme::ButtonRect(IOrloDockZone* zone, int offset, tk::Rect& rect) {
    tk::Rect title;
    GetTitleBarRect(zone, title);
    const int h = title.Bottom - title.Top;
    rect = {title.Right - h - offset, title.Top, title.Right - offset, title.Top + h};
    rect = tk::InflateRect(rect, -3, -4);
}

void FakeDockTheme::GetCloseButtonRect(IOrloDockZone* zone, tk::Rect& rect) { ButtonRect(zone, 3, rect); }

void FakeDockTheme::GetPinButtonRect(IOrloDockZone* zone, tk::Rect& rect) { ButtonRect(zone, 22, rect); }
