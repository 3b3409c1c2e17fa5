#pragma once

// The standard look of docked zones: flat title bars in the active caption
// colour (or the button face when inactive) with a close and a pin button,
// 18-pixel title bars, 4-pixel splitters. Every measure and colour is a
// constant, so one instance can serve any number of sites.

#include <cstdint>

#include <orlodock/docking/OrloDockingIntf.h>
#include <orlodock/tk/component.h>

class TOrloDockingOrloDotNetTheme : public tk::Component, public virtual IOrloDockTheme {
public:
    explicit TOrloDockingOrloDotNetTheme(tk::Component* owner = nullptr);

    IOrloDockTheme* Intf() { return static_cast<IOrloDockTheme*>(this); }

    // ---- IOrloDockTheme ----
    int GetTitleBarHeight() override;
    int GetReservedSizeA() override;
    int GetZoneSplitterSize() override;
    int GetSiteSplitterSize() override;
    tk::Color GetBackgroundColor() override;
    tk::Color GetActiveTitleBarColor() override;
    tk::Color GetInactiveTitleBarColor() override;
    int GetReservedSizeB() override;
    int GetMinimumZoneSize() override;
    void GetTitleBarRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void GetCloseButtonRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void GetPinButtonRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void PaintZone(IOrloDockZone* zone) override;
    void PaintZoneBackground(IOrloDockZone* zone) override;
    void PaintTitleBar(IOrloDockZone* zone) override;

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    tk::String ClassName() const override;

private:
    void DrawTitleBar(IOrloDockZone* zone, bool paintBackground);
    void DrawCloseButton(IOrloDockZone* zone);
    void DrawPinButton(IOrloDockZone* zone);
    // The button square `offset` pixels left of the title bar's right end, shrunk to the glyph area.
    void ButtonRect(IOrloDockZone* zone, int offset, tk::Rect& rect);
    // Glyph `baseName` ("_W" on the active colour, "_B" otherwise) in `rect`, framed by state.
    void DrawButton(IOrloDockZone* zone, const tk::Rect& rect, std::uint8_t state, const char* baseName);
};
