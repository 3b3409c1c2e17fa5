// Painting read back as pixels: background, flat title bars in the active and
// inactive colours, glyphs by button state and focus, the caption cut with an
// ellipsis before the pin button, design mode, the unassigned-zone assertion.

#include <string>
#include <vector>

#include "theme_fixture.h"
#include <orlodock/tk/exceptions.h>

using tk::MakeRect;

namespace {

const std::vector<std::string> kClose = {"..........", ".XX....XX.", ".XXX..XXX.", "..XXXXXX..", "...XXXX...",
                                         "...XXXX...", "..XXXXXX..", ".XXX..XXX.", ".XX....XX.", ".........."};
const std::vector<std::string> kPinned = {"..XXXXX..", "..X..XX..", "..X..XX..", "..X..XX..", "..X..XX..",
                                          ".XXXXXXX.", "....X....", "....X....", "....X...."};

// Zone (20, 10, 220, 70): title bar (20, 10, 220, 28), close button
// (202, 14, 214, 24), pin button (183, 14, 195, 24), text (23, 11, 181, 27).
const tk::Rect kBounds = MakeRect(20, 10, 220, 70);
const tk::Rect kTitle = MakeRect(20, 10, 220, 28);
const tk::Rect kClose_ = MakeRect(202, 14, 214, 24);
const tk::Rect kPin = MakeRect(183, 14, 195, 24);
const tk::Rect kText = MakeRect(23, 11, 181, 27);

class ThemePaintTest : public ThemeTest {
protected:
    Owned<PaintedZone> zone = LoneZone(kBounds);

    void ExpectGlyph(const tk::Rect& button, const std::vector<std::string>& rows, tk::Color ink, tk::Color paper,
                     const char* what) {
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
                EXPECT_EQ(At(button.Left + 1 + x, button.Top + 1 + y), rows[y][x] == 'X' ? ink : paper)
                    << what << " glyph at " << x << "," << y;
    }

    // The frame drawn around a hot or pressed button, corners included.
    void ExpectFrame(const tk::Rect& button, tk::Color topLeft, tk::Color bottomRight, const char* what) {
        const tk::Rect f = tk::InflateRect(button, 2, 1);
        for (int y = f.Top; y <= f.Bottom; ++y) {
            EXPECT_EQ(At(f.Left, y), topLeft) << what << " left edge y=" << y;
            if (y > f.Top) {
                EXPECT_EQ(At(f.Right, y), bottomRight) << what << " right edge y=" << y;
            }
        }
        for (int x = f.Left; x <= f.Right; ++x) {
            EXPECT_EQ(At(x, f.Top), x < f.Right ? topLeft : bottomRight) << what << " top edge x=" << x;
            if (x > f.Left) {
                EXPECT_EQ(At(x, f.Bottom), bottomRight) << what << " bottom edge x=" << x;
            }
        }
    }

    // Bounding box of the pixels of rect that differ from color; empty when none.
    tk::Rect InkBox(const tk::Rect& rect, tk::Color color) const {
        tk::Rect box{rect.Right, rect.Bottom, rect.Left, rect.Top};
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                if (At(x, y) != color)
                    box = MakeRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                   std::max(box.Bottom, y + 1));
        return box;
    }

    bool HasPixel(const tk::Rect& rect, bool (*pred)(tk::Color)) const {
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                if (pred(At(x, y)))
                    return true;
        return false;
    }
};

TEST_F(ThemePaintTest, InactiveZoneIsAFlatBackgroundWithBlackGlyphs) {
    Theme()->PaintZone(zone->ZoneIntf());
    const tk::Color face = RGBOf(tk::clBtnFace);

    // Exactly the zone's bounds are painted.
    EXPECT_EQ(At(19, 30), kUntouched);
    EXPECT_EQ(At(220, 30), kUntouched);
    EXPECT_EQ(At(30, 9), kUntouched);
    EXPECT_EQ(At(30, 70), kUntouched);
    EXPECT_EQ(CountOther(MakeRect(20, 28, 220, 70), face), 0);
    // The inactive title bar has the background's colour: nothing but glyphs shows.
    EXPECT_EQ(CountOther(MakeRect(20, 10, 183, 28), face), 0);
    ExpectGlyph(kClose_, kClose, tk::clBlack, face, "close");
    ExpectGlyph(kPin, kPinned, tk::clBlack, face, "pin");
}

TEST_F(ThemePaintTest, ActiveTitleBarCarriesWhiteGlyphsOnTheActiveColour) {
    zone->Active = true;
    Theme()->PaintZone(zone->ZoneIntf());
    const tk::Color active = RGBOf(tk::clActiveCaption);

    EXPECT_EQ(CountOther(MakeRect(20, 10, 183, 28), active), 0);
    EXPECT_EQ(At(21, 27), active);
    EXPECT_EQ(At(219, 27), active);
    // The title bar is flat: no frame, and the background starts right below it.
    EXPECT_EQ(CountOther(MakeRect(20, 28, 220, 70), RGBOf(tk::clBtnFace)), 0);
    ExpectGlyph(kClose_, kClose, tk::clWhite, active, "close");
    ExpectGlyph(kPin, kPinned, tk::clWhite, active, "pin");
}

TEST_F(ThemePaintTest, HotButtonIsRaisedAndPressedButtonSunk) {
    zone->SetCloseButtonState(dbsHot);
    zone->SetPinButtonState(dbsPressed);
    Theme()->PaintZone(zone->ZoneIntf());
    const tk::Color face = RGBOf(tk::clBtnFace);
    const tk::Color light = RGBOf(tk::clBtnHighlight);
    const tk::Color shadow = RGBOf(tk::clBtnShadow);

    ExpectFrame(kClose_, light, shadow, "hot close");
    ExpectFrame(kPin, shadow, light, "pressed pin");
    // The glyphs stay where a resting button has them.
    ExpectGlyph(kClose_, kClose, tk::clBlack, face, "close");
    ExpectGlyph(kPin, kPinned, tk::clBlack, face, "pin");
}

TEST_F(ThemePaintTest, UnknownButtonStateDrawsNothingNotEvenTheGlyph) {
    for (std::uint8_t state : {std::uint8_t{3}, std::uint8_t{255}}) {
        zone->SetCloseButtonState(state);
        zone->SetPinButtonState(state);
        zone->Active = true;
        Theme()->PaintZone(zone->ZoneIntf());
        EXPECT_EQ(CountOther(kTitle, RGBOf(tk::clActiveCaption)), 0) << "state " << int(state);
    }
}

TEST_F(ThemePaintTest, TitleBarAloneLeavesTheBackgroundAlone) {
    zone->Active = true;
    Theme()->PaintTitleBar(zone->ZoneIntf());
    EXPECT_EQ(At(30, 40), kUntouched);
    EXPECT_EQ(At(21, 12), RGBOf(tk::clActiveCaption));

    Theme()->PaintZoneBackground(zone->ZoneIntf());
    EXPECT_EQ(CountOther(kBounds, RGBOf(tk::clBtnFace)), 0); // over the title bar too
    EXPECT_EQ(At(19, 12), kUntouched);
}

TEST_F(ThemePaintTest, DesignModePaintsTitleBarsButNoBackground) {
    theme->SetState(tk::csDesigning, true);
    zone->Active = true;
    Theme()->PaintZone(zone->ZoneIntf());
    EXPECT_EQ(At(30, 40), kUntouched);
    EXPECT_EQ(At(21, 12), RGBOf(tk::clActiveCaption));

    Theme()->PaintZoneBackground(zone->ZoneIntf());
    EXPECT_EQ(At(30, 40), kUntouched);
}

TEST_F(ThemePaintTest, UnassignedZoneFailsTheAssertionBeforePainting) {
    for (bool withBackground : {false, true}) {
        try {
            if (withBackground)
                Theme()->PaintZone(nullptr);
            else
                Theme()->PaintTitleBar(nullptr);
            ADD_FAILURE() << "no assertion";
        } catch (const tk::EAssertionFailed& e) {
            EXPECT_EQ(e.Message(), "AZone is nil!");
            EXPECT_EQ(e.UnitName(), "OrloDockOrloTheme");
        }
    }
    EXPECT_EQ(CountOther(MakeRect(0, 0, surface.Width(), surface.Height()), kUntouched), 0);
}

TEST_F(ThemePaintTest, CaptionTextColourFollowsTheFocus) {
    tk::SetSysColor(tk::COLOR_CAPTIONTEXT, tk::RGBColor(255, 0, 0));
    tk::SetSysColor(tk::COLOR_WINDOWTEXT, tk::RGBColor(0, 0, 255));
    auto reddish = [](tk::Color c) { return tk::GetRValue(c) > 200 && tk::GetGValue(c) < 80 && tk::GetBValue(c) < 80; };
    auto bluish = [](tk::Color c) { return tk::GetBValue(c) > 200 && tk::GetRValue(c) < 80 && tk::GetGValue(c) < 80; };
    zone->Caption = "IIII HHHH llll";

    zone->Active = true;
    Theme()->PaintTitleBar(zone->ZoneIntf());
    EXPECT_TRUE(HasPixel(kText, reddish));
    EXPECT_FALSE(HasPixel(kText, bluish));

    zone->Active = false;
    Theme()->PaintTitleBar(zone->ZoneIntf());
    EXPECT_TRUE(HasPixel(kText, bluish));
    EXPECT_FALSE(HasPixel(kText, reddish));
}

TEST_F(ThemePaintTest, ShortCaptionStartsAtTheTextRectangle) {
    zone->Caption = "Panel";
    Theme()->PaintTitleBar(zone->ZoneIntf());
    const tk::Rect ink = InkBox(MakeRect(20, 10, 183, 28), RGBOf(tk::clBtnFace));
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, kText.Left);
    EXPECT_LE(ink.Left, kText.Left + 3);
    EXPECT_GE(ink.Top, kText.Top);
    EXPECT_LT(ink.Right, kText.Left + 80);
}

TEST_F(ThemePaintTest, LongCaptionEndsInAnEllipsisShortOfThePinButton) {
    zone->Caption = "A caption far too long to fit into the title bar of this zone, by a wide margin";
    zone->SetCloseButtonState(3); // keep the buttons out of the picture
    zone->SetPinButtonState(3);
    Theme()->PaintTitleBar(zone->ZoneIntf());
    const tk::Color face = RGBOf(tk::clBtnFace);

    const tk::Rect ink = InkBox(kTitle, face);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Right, kText.Right);      // never reaches the pin button
    EXPECT_GT(ink.Right, kText.Right - 16); // but fills the room up to it

    // What was drawn is the caption cut with an ellipsis, not merely clipped.
    tk::Bitmap expected(surface.Width(), surface.Height());
    tk::Bitmap clipped(surface.Width(), surface.Height());
    for (tk::Bitmap* b : {&expected, &clipped}) {
        b->Canvas()->Brush()->SetColor(tk::clBtnFace);
        b->Canvas()->FillRect(MakeRect(0, 0, b->Width(), b->Height()));
        b->Canvas()->SetFont(*surface.Canvas()->Font());
        b->Canvas()->Font()->SetColor(tk::clWindowText);
    }
    tk::Rect r = kText;
    expected.Canvas()->DrawText(zone->Caption, r, tk::DT_END_ELLIPSIS);
    r = kText;
    clipped.Canvas()->DrawText(zone->Caption, r, 0);
    int differFromEllipsis = 0, differFromClipped = 0;
    for (int y = kTitle.Top; y < kTitle.Bottom; ++y)
        for (int x = kTitle.Left; x < kTitle.Right; ++x) {
            differFromEllipsis += At(x, y) != expected.Pixel(x, y) ? 1 : 0;
            differFromClipped += At(x, y) != clipped.Pixel(x, y) ? 1 : 0;
        }
    EXPECT_EQ(differFromEllipsis, 0);
    EXPECT_GT(differFromClipped, 0);
}

TEST_F(ThemePaintTest, TitleBarTooNarrowForTextShowsNoCaption) {
    auto narrow = LoneZone(MakeRect(60, 10, 90, 50));
    narrow->Caption = "Caption";
    narrow->SetCloseButtonState(3);
    narrow->SetPinButtonState(3);
    Theme()->PaintZone(narrow->ZoneIntf());
    EXPECT_EQ(CountOther(MakeRect(60, 10, 90, 50), RGBOf(tk::clBtnFace)), 0);
    EXPECT_EQ(CountOther(MakeRect(0, 0, 60, 80), kUntouched), 0);
}

} // namespace
