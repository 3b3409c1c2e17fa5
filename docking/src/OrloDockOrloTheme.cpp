#include <orlodock/docking/OrloDockOrloTheme.h>

#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/exceptions.h>

namespace {

constexpr int kTitleBarHeight = 18;
constexpr int kSplitterSize = 4;
// Distance from the title bar's right end to the right edge of each button's square.
constexpr int kCloseButtonOffset = 3;
constexpr int kPinButtonOffset = 22;

} // namespace

TOrloDockingOrloDotNetTheme::TOrloDockingOrloDotNetTheme(tk::Component* owner) : tk::Component(owner) {}

int TOrloDockingOrloDotNetTheme::GetTitleBarHeight() { return kTitleBarHeight; }
int TOrloDockingOrloDotNetTheme::GetReservedSizeA() { return 20; }
int TOrloDockingOrloDotNetTheme::GetZoneSplitterSize() { return kSplitterSize; }
int TOrloDockingOrloDotNetTheme::GetSiteSplitterSize() { return kSplitterSize; }
tk::Color TOrloDockingOrloDotNetTheme::GetBackgroundColor() { return tk::clBtnFace; }
tk::Color TOrloDockingOrloDotNetTheme::GetActiveTitleBarColor() { return tk::clActiveCaption; }
// Inactive title bars blend into the zone background; only text and glyphs show.
tk::Color TOrloDockingOrloDotNetTheme::GetInactiveTitleBarColor() { return GetBackgroundColor(); }
int TOrloDockingOrloDotNetTheme::GetReservedSizeB() { return 25; }
int TOrloDockingOrloDotNetTheme::GetMinimumZoneSize() { return GetTitleBarHeight() + 10; }

void TOrloDockingOrloDotNetTheme::GetTitleBarRect(IOrloDockZone* zone, tk::Rect& rect) {
    if (!zone) {
        rect = {};
        return;
    }
    zone->GetBounds(rect);
    rect.Bottom = rect.Top + GetTitleBarHeight();
    // A side-by-side zone's splitter runs down its right edge; keep the title bar off it.
    if (zone->GetOrientation() == voVert)
        zone->ExcludeSplitter(rect);
}

void TOrloDockingOrloDotNetTheme::ButtonRect(IOrloDockZone* zone, int offset, tk::Rect& rect) {
    tk::Rect title;
    GetTitleBarRect(zone, title);
    const int h = title.Bottom - title.Top;
    rect = tk::MakeRect(title.Right - h - offset + 3, title.Top + 4, title.Right - offset - 3, title.Top + h - 4);
}

void TOrloDockingOrloDotNetTheme::GetCloseButtonRect(IOrloDockZone* zone, tk::Rect& rect) {
    ButtonRect(zone, kCloseButtonOffset, rect);
}

void TOrloDockingOrloDotNetTheme::GetPinButtonRect(IOrloDockZone* zone, tk::Rect& rect) {
    ButtonRect(zone, kPinButtonOffset, rect);
}

void TOrloDockingOrloDotNetTheme::PaintZone(IOrloDockZone* zone) { DrawTitleBar(zone, true); }

void TOrloDockingOrloDotNetTheme::PaintTitleBar(IOrloDockZone* zone) { DrawTitleBar(zone, false); }

void TOrloDockingOrloDotNetTheme::PaintZoneBackground(IOrloDockZone* zone) {
    if (IsDesigning() || !zone)
        return;
    tk::Canvas* canvas = zone->GetCanvas();
    if (!canvas)
        return;
    tk::Rect bounds;
    zone->GetBounds(bounds);
    canvas->Brush()->SetColor(GetBackgroundColor());
    canvas->Pen()->SetColor(GetBackgroundColor());
    canvas->FillRect(bounds);
}

void TOrloDockingOrloDotNetTheme::DrawTitleBar(IOrloDockZone* zone, bool paintBackground) {
    tk::Assert(zone != nullptr, "AZone is nil!", "OrloDockOrloTheme");
    tk::Canvas* canvas = zone->GetCanvas();
    if (!canvas)
        return;
    if (paintBackground)
        PaintZoneBackground(zone);

    tk::Rect r;
    GetTitleBarRect(zone, r);
    const bool active = zone->IsActive();
    canvas->Brush()->SetColor(active ? GetActiveTitleBarColor() : GetInactiveTitleBarColor());
    canvas->Pen()->SetColor(canvas->Brush()->Color());
    canvas->Pen()->SetWidth(1);
    canvas->FillRect(r);
    if (!active) {
        canvas->Pen()->SetColor(tk::clBtnShadow);
        canvas->Pen()->SetWidth(1);
    }

    r = tk::InflateRect(r, -1, -1);
    tk::Rect pin;
    GetPinButtonRect(zone, pin);
    r.Right = pin.Left - 2;
    canvas->Font()->SetColor(active ? tk::clCaptionText : tk::clWindowText);
    r.Left += 2;
    // A title bar too narrow for text gets no caption at all.
    if (!r.IsEmpty()) {
        tk::String caption;
        zone->GetCaption(caption);
        canvas->DrawText(caption, r, tk::DT_END_ELLIPSIS);
    }

    DrawCloseButton(zone);
    DrawPinButton(zone);
}

void TOrloDockingOrloDotNetTheme::DrawCloseButton(IOrloDockZone* zone) {
    tk::Rect r;
    GetCloseButtonRect(zone, r);
    DrawButton(zone, r, zone->GetCloseButtonState(), "ORLO_CLOSE");
}

// The pin always shows the pinned glyph: nothing in the system unpins a zone.
void TOrloDockingOrloDotNetTheme::DrawPinButton(IOrloDockZone* zone) {
    tk::Rect r;
    GetPinButtonRect(zone, r);
    DrawButton(zone, r, zone->GetPinButtonState(), "ORLO_PINNED");
}

void TOrloDockingOrloDotNetTheme::DrawButton(IOrloDockZone* zone, const tk::Rect& rect, std::uint8_t state,
                                             const char* baseName) {
    if (state > dbsPressed)
        return;
    tk::Canvas* canvas = zone->GetCanvas();
    if (!canvas)
        return;

    tk::Bitmap glyph;
    glyph.SetTransparent(true);
    const bool active = zone->IsActive();
    // White glyphs stand on the active colour, black ones on the inactive; the paper is keyed out.
    glyph.LoadFromResourceName(tk::String::fromLatin1(baseName) + (active ? "_W" : "_B"));
    glyph.SetTransparentColor(active ? tk::clBlack : tk::clWhite);

    if (state != dbsNormal) {
        const tk::Color topLeft = state == dbsHot ? tk::clBtnHighlight : tk::clBtnShadow;
        const tk::Color bottomRight = state == dbsHot ? tk::clBtnShadow : tk::clBtnHighlight;
        const tk::Rect frame = tk::InflateRect(rect, 2, 1);
        canvas->Pen()->SetColor(topLeft);
        canvas->MoveTo(frame.Left, frame.Bottom);
        canvas->LineTo(frame.Left, frame.Top);
        canvas->LineTo(frame.Right, frame.Top);
        canvas->Pen()->SetColor(bottomRight);
        canvas->LineTo(frame.Right, frame.Bottom);
        canvas->LineTo(frame.Left, frame.Bottom);
    }
    canvas->Draw(rect.Left + 1, rect.Top + 1, glyph);
}

bool TOrloDockingOrloDotNetTheme::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockTheme>(this, iid, out) || tk::Component::QueryInterface(iid, out);
}

tk::String TOrloDockingOrloDotNetTheme::ClassName() const {
    return tk::String::fromLatin1("TOrloDockingOrloDotNetTheme");
}
