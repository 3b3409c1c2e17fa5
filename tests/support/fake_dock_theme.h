#pragma once

// A theme for zone tests: the standard theme's measures (title bar 18,
// splitters 4, minimum zone size 28) and its title-bar and button rectangles,
// painting only recorded.

#include <vector>

#include <orlodock/docking/OrloDockingIntf.h>
#include <orlodock/tk/component.h>

class FakeDockTheme : public tk::Component, public virtual IOrloDockTheme {
public:
    FakeDockTheme() : tk::Component(nullptr) {}

    // Adjustable measures; the standard theme's by default.
    int TitleBarHeight = 18;
    int ZoneSplitterSize = 4;
    int SiteSplitterSize = 4;

    // Zones painted, in call order.
    std::vector<IOrloDockZone*> PaintedZones;
    std::vector<IOrloDockZone*> PaintedBackgrounds;
    std::vector<IOrloDockZone*> PaintedTitleBars;

    IOrloDockTheme* Intf() { return static_cast<IOrloDockTheme*>(this); }

    // ---- IOrloDockTheme ----
    int GetTitleBarHeight() override { return TitleBarHeight; }
    int GetReservedSizeA() override { return 20; }
    int GetZoneSplitterSize() override { return ZoneSplitterSize; }
    int GetSiteSplitterSize() override { return SiteSplitterSize; }
    tk::Color GetBackgroundColor() override { return tk::clBtnFace; }
    tk::Color GetActiveTitleBarColor() override { return tk::clActiveCaption; }
    tk::Color GetInactiveTitleBarColor() override { return GetBackgroundColor(); }
    int GetReservedSizeB() override { return 25; }
    int GetMinimumZoneSize() override { return GetTitleBarHeight() + 10; }
    // The zone's top strip, title-bar high; a side-by-side zone's stops short of its splitter.
    void GetTitleBarRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void GetCloseButtonRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void GetPinButtonRect(IOrloDockZone* zone, tk::Rect& rect) override;
    void PaintZone(IOrloDockZone* zone) override { PaintedZones.push_back(zone); }
    void PaintZoneBackground(IOrloDockZone* zone) override { PaintedBackgrounds.push_back(zone); }
    void PaintTitleBar(IOrloDockZone* zone) override { PaintedTitleBars.push_back(zone); }

    bool QueryInterface(const tk::Guid& iid, void** out) override {
        return tk::AnswerInterface<IOrloDockTheme>(this, iid, out) || tk::Component::QueryInterface(iid, out);
    }

private:
    // The button square `offset` pixels left of the title bar's right end, shrunk to the glyph area.
    void ButtonRect(IOrloDockZone* zone, int offset, tk::Rect& rect);
};
