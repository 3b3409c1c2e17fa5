#pragma once

// A tab strip with no parent window, tabs standing for leaf zones with fixed
// captions, and a log of the strip's events. Painting is forced into the
// strip's back buffer and read back as pixels.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/fake_leaf_zone.h"
#include "support/owned.h"
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>

class CaptionZone : public FakeLeafZone {
public:
    explicit CaptionZone(tk::String caption) : caption_(std::move(caption)) {}
    void GetCaption(tk::String& caption) override { caption = caption_; }

private:
    tk::String caption_;
};

class TabsTest : public ::testing::Test {
protected:
    // Zones outlive the strip, as a tab group's children outlive their tabs.
    std::vector<Owned<CaptionZone>> zones;
    Owned<TOrloDockTabs> strip = MakeOwned<TOrloDockTabs>();
    std::vector<std::string> events;

    void SetUp() override {
        tk::ResetSysColors();
        strip->SetBounds(0, 0, 300, 21);
        strip->OnTabChanging = [this](tk::Component* sender, int current, int next, bool&) {
            EXPECT_EQ(sender, strip.get());
            Log("changing", current, next);
        };
        strip->OnTabChange = [this](tk::Component*, int old, int next) { Log("change", old, next); };
        strip->OnTabMoved = [this](tk::Component*, int from, int to) { Log("moved", from, to); };
    }
    void TearDown() override { tk::ResetSysColors(); }

    void Log(const char* what, int a, int b) {
        events.push_back(std::string(what) + " " + std::to_string(a) + "->" + std::to_string(b));
    }

    CaptionZone* NewZone(const char* caption) {
        zones.emplace_back(new CaptionZone(tk::String::fromUtf8(caption)));
        return zones.back().get();
    }

    // Appends a tab (which becomes current).
    TOrloDockTab* Add(const char* caption) { return strip->AddTab(strip->TabCount(), NewZone(caption), -1); }

    // Appends tabs and makes `current` the current one; the event log starts empty.
    void AddTabs(std::initializer_list<const char*> captions, int current) {
        for (const char* c : captions)
            Add(c);
        strip->SetTabIndex(current);
        events.clear();
    }

    // The captions of the tabs in display order.
    std::vector<std::string> Order() const {
        std::vector<std::string> out;
        for (int i = 0; i < strip->TabCount(); ++i)
            out.push_back(strip->GetTab(i)->Caption().toStdString());
        return out;
    }

    // Text width in the strip's font, measured on a canvas of our own.
    int TextWidth(const char* text) const {
        tk::Bitmap scratch(1, 1);
        scratch.Canvas()->SetFont(*strip->Font());
        return scratch.Canvas()->TextWidth(tk::String::fromUtf8(text));
    }

    // Middle of tab i as laid out now, on the tab band.
    tk::Point TabCentre(int i) const {
        TOrloDockTab* tab = strip->GetTab(i);
        return {tab->Left() + tab->Width() / 2, strip->Height() - 8};
    }

    void Press(tk::Point p) { strip->DispatchMouseDown(tk::mbLeft, tk::ssLeft, p); }
    void Drag(tk::Point p) { strip->DispatchMouseMove(tk::ssLeft, p); }
    void Hover(tk::Point p) { strip->DispatchMouseMove(0, p); }
    void Release(tk::Point p) { strip->DispatchMouseUp(tk::mbLeft, 0, p); }
    void Key(int key) { strip->DispatchKeyDown(key, 0); }

    // Paints the whole strip into its back buffer now.
    void PaintNow() {
        strip->Invalidate();
        strip->RefreshBuffer();
    }
    tk::Color At(int x, int y) { return strip->GetCanvas()->Pixel(x, y); }
    int CountOther(const tk::Rect& rect, tk::Color color) {
        int n = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                n += At(x, y) != color ? 1 : 0;
        return n;
    }
};
