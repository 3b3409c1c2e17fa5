// The theme's measures and rectangles: title bars that stop short of a
// side-by-side zone's splitter, the two button rectangles, tiny zones.

#include "theme_fixture.h"

using tk::MakeRect;

namespace {

TEST_F(ThemeTest, MeasuresThatZonesAndSitesRelyOn) {
    EXPECT_EQ(Theme()->GetTitleBarHeight(), 18);
    EXPECT_EQ(Theme()->GetZoneSplitterSize(), 4);
    EXPECT_EQ(Theme()->GetSiteSplitterSize(), 4);
    EXPECT_EQ(Theme()->GetMinimumZoneSize(), 28);
    EXPECT_EQ(Theme()->GetReservedSizeA(), 20);
    EXPECT_EQ(Theme()->GetReservedSizeB(), 25);
    EXPECT_EQ(Theme()->GetBackgroundColor(), 0xFF00000Fu);
    EXPECT_EQ(Theme()->GetActiveTitleBarColor(), 0xFF000002u);
    EXPECT_EQ(Theme()->GetInactiveTitleBarColor(), Theme()->GetBackgroundColor());
}

TEST_F(ThemeTest, SideBySideZoneTitleBarStopsShortOfItsSplitter) {
    root->SetChildOrientation(voVert);
    root->SetBounds(MakeRect(0, 0, 301, 100));
    auto* first = new PaintedZone();
    first->SetParentZone(root.get());
    auto* last = new PaintedZone();
    last->SetParentZone(root.get());
    root->UpdateBounds();
    ASSERT_EQ(first->Orientation(), voVert);

    const tk::Rect a = first->Bounds();
    tk::Rect title;
    Theme()->GetTitleBarRect(first->ZoneIntf(), title);
    EXPECT_EQ(title, MakeRect(a.Left, a.Top, a.Right - 4, a.Top + 18));

    // The last visible zone has no splitter: full width.
    const tk::Rect b = last->Bounds();
    Theme()->GetTitleBarRect(last->ZoneIntf(), title);
    EXPECT_EQ(title, MakeRect(b.Left, b.Top, b.Right, b.Top + 18));

    // A hidden follower leaves no splitter either.
    last->SetVisibleFlag(false);
    Theme()->GetTitleBarRect(first->ZoneIntf(), title);
    EXPECT_EQ(title.Right, a.Right);
}

TEST_F(ThemeTest, StackedZoneTitleBarRunsTheFullWidth) {
    root->SetChildOrientation(voHorz);
    root->SetBounds(MakeRect(10, 20, 210, 220));
    auto* first = new PaintedZone();
    first->SetParentZone(root.get());
    auto* second = new PaintedZone();
    second->SetParentZone(root.get());
    root->UpdateBounds();

    const tk::Rect a = first->Bounds();
    tk::Rect title;
    Theme()->GetTitleBarRect(first->ZoneIntf(), title);
    // The splitter lies along the bottom edge, well below the title bar.
    EXPECT_EQ(title, MakeRect(10, 20, 210, 38));
    EXPECT_EQ(a.Top, 20);
}

TEST_F(ThemeTest, ButtonsSitAtTheRightEndOfTheTitleBar) {
    auto zone = LoneZone(MakeRect(10, 20, 210, 120));
    tk::Rect close, pin;
    Theme()->GetCloseButtonRect(zone->ZoneIntf(), close);
    Theme()->GetPinButtonRect(zone->ZoneIntf(), pin);
    EXPECT_EQ(close, MakeRect(192, 24, 204, 34));
    EXPECT_EQ(pin, MakeRect(173, 24, 185, 34));

    // They follow the shortened title bar of a zone beside a splitter.
    root->SetChildOrientation(voVert);
    root->SetBounds(MakeRect(0, 0, 300, 100));
    auto* first = new PaintedZone();
    first->SetParentZone(root.get());
    (new PaintedZone())->SetParentZone(root.get());
    root->UpdateBounds();
    const int titleRight = first->Bounds().Right - 4;
    Theme()->GetCloseButtonRect(first->ZoneIntf(), close);
    Theme()->GetPinButtonRect(first->ZoneIntf(), pin);
    EXPECT_EQ(close, MakeRect(titleRight - 18, 4, titleRight - 6, 14));
    EXPECT_EQ(pin, MakeRect(titleRight - 37, 4, titleRight - 25, 14));
}

TEST_F(ThemeTest, ZoneNoTallerThanATitleBarStillReportsAFullTitleBar) {
    for (int height : {0, 5, 18}) {
        auto zone = LoneZone(MakeRect(0, 40, 100, 40 + height));
        tk::Rect title;
        Theme()->GetTitleBarRect(zone->ZoneIntf(), title);
        EXPECT_EQ(title, MakeRect(0, 40, 100, 58)) << "height " << height;
    }
}

} // namespace
