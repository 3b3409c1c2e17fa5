#pragma once

// The standard theme painting zones onto a bitmap. A painted zone is a leaf
// whose caption, focus and canvas a test sets; rectangles that depend on the
// tree (the splitter strip) come from a root laid out on a site double.

#include <gtest/gtest.h>

#include <ostream>

#include "support/fake_dock_site.h"
#include "support/fake_leaf_zone.h"
#include "support/owned.h"
#include "support/rect_print.h"
#include <orlodock/docking/OrloDockOrloTheme.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/graphics.h>

class PaintedZone : public FakeLeafZone {
public:
    tk::String Caption;
    bool Active = false;
    tk::Canvas* Target = nullptr;

    void GetCaption(tk::String& caption) override { caption = Caption; }
    bool IsActive() override { return Active; }
    tk::Canvas* GetCanvas() override { return Target; }
};

// Colours as they land in the bitmap.
inline tk::Color RGBOf(tk::Color color) { return tk::ColorToRGB(color); }

class ThemeTest : public ::testing::Test {
protected:
    // Declared so that the root goes first, then the site, then the theme.
    Owned<TOrloDockingOrloDotNetTheme> theme = MakeOwned<TOrloDockingOrloDotNetTheme>();
    Owned<FakeDockSite> site = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> root = MakeOwned<TOrloDockRootZone>();
    // What the zones paint on; filled with a colour no painting uses.
    tk::Bitmap surface{320, 80};
    static constexpr tk::Color kUntouched = tk::RGBColor(255, 0, 255);

    void SetUp() override {
        tk::ResetSysColors();
        site->SetTheme(theme->Intf());
        site->SetRootZone(root.get());
        root->SetDockSite(site->Intf());
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                surface.SetPixel(x, y, kUntouched);
    }
    void TearDown() override { tk::ResetSysColors(); }

    IOrloDockTheme* Theme() { return theme->Intf(); }

    // A zone of its own (no parent, no siblings) at bounds, painting on the surface.
    Owned<PaintedZone> LoneZone(const tk::Rect& bounds, TOrloDockOrientation orientation = voHorz) {
        Owned<PaintedZone> zone(new PaintedZone());
        zone->SetBoundsField(bounds);
        zone->SetOrientation(orientation);
        zone->Target = surface.Canvas();
        return zone;
    }

    tk::Color At(int x, int y) const { return surface.Pixel(x, y); }

    // Counts the pixels of rect that differ from color.
    int CountOther(const tk::Rect& rect, tk::Color color) const {
        int n = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                n += At(x, y) != color ? 1 : 0;
        return n;
    }
};
