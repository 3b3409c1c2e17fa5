// Painting of the strip read back from its back buffer: the band, the current
// tab raised in the strip's colour against the flat others, separators, the
// line over the band, images at the common text top, and the top position.

#include "tabs_fixture.h"
#include <orlodock/tk/imagelist.h>

using tk::MakeRect;

namespace {

const tk::Color kCream = 0x00F0FBFF;

class TabsPaintTest : public TabsTest {
protected:
    // As a tab group configures it, but taller so the area above the band shows.
    void SetUp() override {
        TabsTest::SetUp();
        strip->SetBounds(0, 0, 300, 40);
        strip->SetColor(tk::clBtnFace);
        strip->SetTabBackColor(kCream);
    }
    tk::Color Face() const { return tk::ColorToRGB(tk::clBtnFace); }

    // Left edge of tab i and right end of the last one, as laid out.
    int L(int i) const { return strip->GetTab(i)->Left(); }
    int R(int i) const { return strip->GetTab(i)->Left() + strip->GetTab(i)->Width(); }

    bool HasPixel(const tk::Rect& rect, bool (*pred)(tk::Color)) {
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x)
                if (pred(At(x, y)))
                    return true;
        return false;
    }
};

// Band rows 20..39 (height 40, tab height 20).
TEST_F(TabsPaintTest, CurrentTabStandsOutFromTheFlatOthers) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 1);
    PaintNow();
    const tk::Color light = tk::ColorToRGB(tk::clBtnHighlight);
    const tk::Color shadow = tk::ColorToRGB(tk::clBtnShadow);

    // Above the band: the strip's colour.
    EXPECT_EQ(CountOther(MakeRect(0, 0, 300, 20), Face()), 0);
    // The black line over the band: indent, then over every tab but the current one, then on to the right edge.
    EXPECT_EQ(CountOther(MakeRect(0, 20, L(1), 21), tk::clBlack), 0);
    EXPECT_EQ(CountOther(MakeRect(L(2), 20, 300, 21), tk::clBlack), 0);

    // Tab 0: flat, in the band colour; no separator before the current tab.
    EXPECT_EQ(At(L(0) + 2, 22), kCream);
    EXPECT_EQ(At(L(0) + 2, 38), kCream);
    EXPECT_EQ(At(L(0) + 2, 39), kCream);

    // Tab 1, current: the strip's colour with no line on top, a highlight on
    // the left, black bottom and right edges.
    EXPECT_EQ(At(L(1) + 2, 20), Face());
    EXPECT_EQ(At(L(1) + 2, 22), Face());
    EXPECT_EQ(CountOther(MakeRect(L(1), 20, L(1) + 1, 39), light), 0);
    EXPECT_EQ(CountOther(MakeRect(L(1), 39, R(1), 40), tk::clBlack), 0);
    EXPECT_EQ(CountOther(MakeRect(R(1), 21, R(1) + 1, 40), tk::clBlack), 0);

    // Tab 2, the last: flat, then a shadow separator, then the band runs empty.
    EXPECT_EQ(At(L(2) + 2, 22), kCream);
    EXPECT_EQ(CountOther(MakeRect(R(2), 23, R(2) + 1, 37), shadow), 0);
    EXPECT_EQ(At(R(2), 22), kCream);
    EXPECT_EQ(At(R(2), 37), kCream);
    EXPECT_EQ(CountOther(MakeRect(R(2) + 1, 21, 300, 40), kCream), 0);
}

TEST_F(TabsPaintTest, CurrentTabTextIsButtonTextAndOthersGrey) {
    tk::SetSysColor(tk::COLOR_BTNTEXT, tk::RGBColor(255, 0, 0));
    tk::SetSysColor(tk::COLOR_GRAYTEXT, tk::RGBColor(0, 0, 255));
    auto reddish = [](tk::Color c) { return tk::GetRValue(c) > 200 && tk::GetGValue(c) < 80 && tk::GetBValue(c) < 80; };
    auto bluish = [](tk::Color c) { return tk::GetBValue(c) > 200 && tk::GetRValue(c) < 80 && tk::GetGValue(c) < 80; };
    AddTabs({"HHHH", "IIII", "llll"}, 1);
    PaintNow();
    const tk::Rect current = MakeRect(L(1) + 1, 21, R(1), 39);
    const tk::Rect first = MakeRect(L(0), 21, R(0), 39);
    EXPECT_TRUE(HasPixel(current, reddish));
    EXPECT_FALSE(HasPixel(current, bluish));
    EXPECT_TRUE(HasPixel(first, bluish));
    EXPECT_FALSE(HasPixel(first, reddish));
}

TEST_F(TabsPaintTest, HiddenLastTabEndsTheBandLineAfterTheLastVisibleTab) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    strip->GetTab(2)->SetVisible(false);
    PaintNow();
    // Tab 1 is drawn, Gamma is not; the line stops where Beta ends.
    EXPECT_EQ(At(R(1) - 2, 20), tk::clBlack);
    EXPECT_EQ(CountOther(MakeRect(R(1) + 1, 20, 300, 40), kCream), 0);
}

TEST_F(TabsPaintTest, SqueezedTabsLeaveTheRemainderOfTheDivisionEmpty) {
    strip->SetWidth(101);
    AddTabs({"First panel", "Second panel", "Third panel"}, 0);
    PaintNow();
    ASSERT_EQ(R(2), 95);
    EXPECT_EQ(CountOther(MakeRect(96, 21, 101, 40), kCream), 0);
    EXPECT_EQ(CountOther(MakeRect(95, 20, 101, 21), tk::clBlack), 0);
    // The current tab is exactly 30 wide: right edge at 35.
    EXPECT_EQ(At(35, 30), tk::clBlack);
    EXPECT_EQ(At(34, 21), Face());
}

TEST_F(TabsPaintTest, EmptyStripShowsOnlyTheBand) {
    PaintNow();
    EXPECT_EQ(CountOther(MakeRect(0, 0, 300, 20), Face()), 0);
    EXPECT_EQ(CountOther(MakeRect(0, 20, 300, 40), kCream), 0);
}

TEST_F(TabsPaintTest, TopPositionPaintsTheBandAndAShortLineOnly) {
    strip->SetTabPosition(tpTop);
    AddTabs({"Alpha", "Beta"}, 1);
    PaintNow();
    EXPECT_EQ(CountOther(MakeRect(0, 0, 300, 20), kCream), 0);
    EXPECT_EQ(CountOther(MakeRect(0, 21, 5, 22), tk::clBlack), 0);
    EXPECT_EQ(CountOther(MakeRect(5, 20, 300, 40), Face()), 0);
    EXPECT_EQ(CountOther(MakeRect(0, 20, 5, 21), Face()), 0);
    EXPECT_EQ(CountOther(MakeRect(0, 22, 5, 40), Face()), 0);
}

class TabsImagePaintTest : public TabsPaintTest {
protected:
    Owned<tk::ImageList> images = MakeOwned<tk::ImageList>(nullptr);
    int getImagesCalls = 0;
    std::vector<TOrloDockTab*> imageIndexAsked;

    void SetUp() override {
        TabsPaintTest::SetUp();
        images->SetSize(16, 16);
        tk::Bitmap red(16, 16);
        red.Canvas()->Brush()->SetColor(tk::clRed);
        red.Canvas()->FillRect(MakeRect(0, 0, 16, 16));
        images->Add(red);
        strip->OnGetImages = [this](tk::Component*, tk::ImageList*& list) {
            ++getImagesCalls;
            list = images.get();
        };
        // Only the first tab has an image.
        strip->OnGetImageIndex = [this](tk::Component*, TOrloDockTab* tab) {
            imageIndexAsked.push_back(tab);
            tab->SetImageIndex(tab->Caption() == "Alpha" ? 0 : -1);
        };
    }
};

TEST_F(TabsImagePaintTest, PaintAsksForImagesAndDrawsThemAtTheCommonTextTop) {
    AddTabs({"Alpha", "Beta"}, 1);
    strip->GetTab(1)->SetVisible(false);
    PaintNow();
    EXPECT_GE(getImagesCalls, 1);
    EXPECT_EQ(strip->Images(), images.get());
    EXPECT_EQ(strip->ImageWidth(), 16);
    // Every tab is asked, hidden ones too, in list order.
    ASSERT_GE(imageIndexAsked.size(), 2u);
    EXPECT_EQ(imageIndexAsked[imageIndexAsked.size() - 2], strip->GetTab(0));
    EXPECT_EQ(imageIndexAsked.back(), strip->GetTab(1));

    // TextTop = 40 - 16 - (20 - 16) div 2 = 22; the image is at (Left + 5, 22).
    const int x = L(0) + 5;
    EXPECT_EQ(CountOther(MakeRect(x, 22, x + 16, 38), tk::clRed), 0);
    EXPECT_NE(At(x, 21), tk::clRed);
    EXPECT_NE(At(x - 1, 30), tk::clRed);
    EXPECT_EQ(strip->GetTab(0)->Width(), TextWidth("Alpha") + 10 + 16 + 5);
}

TEST_F(TabsImagePaintTest, TextOfATabWithoutImageStartsAtTheImageTop) {
    AddTabs({"Alpha", "HHHH"}, 0);
    PaintNow();
    // The non-current tab "HHHH": its ink starts no higher than the images' top.
    int top = 40;
    for (int y = 21; y < 40; ++y)
        for (int x = L(1) + 1; x < R(1); ++x)
            if (At(x, y) != kCream && At(x, y) != tk::ColorToRGB(tk::clBtnShadow) && y < top)
                top = y;
    EXPECT_GE(top, 22);
    EXPECT_LE(top, 22 + 6);
}

TEST_F(TabsImagePaintTest, AChangeOfTheImageListRepaints) {
    AddTabs({"Alpha"}, 0);
    PaintNow();
    ASSERT_FALSE(strip->HasInvalidArea());
    images->Change();
    EXPECT_TRUE(strip->HasInvalidArea());
}

TEST_F(TabsImagePaintTest, FreedImageListIsLetGo) {
    AddTabs({"Alpha"}, 0);
    PaintNow();
    ASSERT_EQ(strip->Images(), images.get());
    strip->OnGetImages = nullptr;
    images.reset();
    EXPECT_EQ(strip->Images(), nullptr);
    EXPECT_EQ(strip->ImageWidth(), 0);
    PaintNow(); // paints without the list
    EXPECT_EQ(strip->GetTab(0)->Width(), TextWidth("Alpha") + 10);
}

} // namespace
