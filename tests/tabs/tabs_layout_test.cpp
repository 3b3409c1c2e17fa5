// Layout of the tabs from their captions and images: natural widths, equal
// shares when they do not fit, hidden tabs, and the hit test for both band
// positions.

#include "tabs_fixture.h"
#include <orlodock/tk/imagelist.h>

namespace {

TEST_F(TabsTest, TabsTakeTheirNaturalWidthsWhenTheyFit) {
    AddTabs({"Alpha", "Be", "Gamma ray"}, 0);
    const int w0 = TextWidth("Alpha") + 10;
    const int w1 = TextWidth("Be") + 10;
    const int w2 = TextWidth("Gamma ray") + 10;
    ASSERT_LT(5 + w0 + w1 + w2 + 5, 300);

    EXPECT_FALSE(strip->TabsSqueezed());
    EXPECT_EQ(strip->GetTab(0)->Left(), 5);
    EXPECT_EQ(strip->GetTab(0)->Width(), w0);
    EXPECT_EQ(strip->GetTab(1)->Left(), 5 + w0);
    EXPECT_EQ(strip->GetTab(1)->Width(), w1);
    EXPECT_EQ(strip->GetTab(2)->Left(), 5 + w0 + w1);
    EXPECT_EQ(strip->GetTab(2)->Width(), w2);
}

TEST_F(TabsTest, TabWiderThanTheStripGetsTheWholeWidthInsideTheIndents) {
    strip->SetWidth(100);
    AddTabs({"A caption much wider than a strip of one hundred pixels"}, 0);
    EXPECT_TRUE(strip->TabsSqueezed());
    EXPECT_EQ(strip->GetTab(0)->Left(), 5);
    EXPECT_EQ(strip->GetTab(0)->Width(), 90);
}

TEST_F(TabsTest, SqueezedTabsShareTheWidthAndLeaveTheRemainderEmpty) {
    strip->SetWidth(101);
    AddTabs({"First panel", "Second panel", "Third panel"}, 0);
    EXPECT_TRUE(strip->TabsSqueezed());
    // (101 - 2 * 5) div 3 = 30; one pixel stays empty at the right.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(strip->GetTab(i)->Width(), 30) << i;
        EXPECT_EQ(strip->GetTab(i)->Left(), 5 + 30 * i) << i;
    }
    // Widening the strip lays the tabs out again at their natural widths.
    strip->SetWidth(600);
    EXPECT_FALSE(strip->TabsSqueezed());
    EXPECT_EQ(strip->GetTab(1)->Width(), TextWidth("Second panel") + 10);
}

TEST_F(TabsTest, JustFittingTabsAreNotSqueezed) {
    AddTabs({"Alpha", "Beta"}, 0);
    const int total = 5 + (TextWidth("Alpha") + 10) + (TextWidth("Beta") + 10) + 5;
    strip->SetWidth(total);
    EXPECT_FALSE(strip->TabsSqueezed());
    strip->SetWidth(total - 1);
    EXPECT_TRUE(strip->TabsSqueezed());
}

TEST_F(TabsTest, HiddenTabsTakeNoRoomAreNeverHitAndKeepTheirPlace) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    const int betaLeft = strip->GetTab(1)->Left();
    const int betaWidth = strip->GetTab(1)->Width();
    strip->GetTab(1)->SetVisible(false);
    strip->LayoutTabs();

    EXPECT_EQ(strip->GetTab(2)->Left(), betaLeft); // Gamma moved up
    EXPECT_EQ(strip->GetTab(1)->Left(), betaLeft);
    EXPECT_EQ(strip->GetTab(1)->Width(), betaWidth);
    // Where the hidden tab still "is", Gamma is found.
    EXPECT_EQ(strip->TabAtPos({betaLeft + 1, 10}), 2);

    // Squeezed widths are shared by the visible tabs only.
    strip->SetWidth(45);
    EXPECT_TRUE(strip->TabsSqueezed());
    EXPECT_EQ(strip->GetTab(0)->Width(), 17);
    EXPECT_EQ(strip->GetTab(2)->Left(), 22);
    EXPECT_EQ(strip->GetTab(1)->Width(), betaWidth);
}

TEST_F(TabsTest, ImagesWidenTheTabsThatHaveOne) {
    Owned<tk::ImageList> images = MakeOwned<tk::ImageList>(nullptr);
    images->SetSize(16, 16);
    AddTabs({"Alpha", "Beta"}, 0);
    strip->GetTab(0)->SetImageIndex(0);
    strip->SetImages(images.get());
    EXPECT_EQ(strip->ImageWidth(), 16);
    EXPECT_EQ(strip->GetTab(0)->Width(), TextWidth("Alpha") + 10 + 16 + 5);
    EXPECT_EQ(strip->GetTab(1)->Width(), TextWidth("Beta") + 10);

    strip->SetImages(nullptr);
    EXPECT_EQ(strip->ImageWidth(), 0);
    EXPECT_EQ(strip->GetTab(0)->Width(), TextWidth("Alpha") + 10);
}

TEST_F(TabsTest, BottomBandHitTestCoversTheLowestTabHeightRows) {
    AddTabs({"Alpha", "Beta"}, 0);
    const TOrloDockTab* beta = strip->GetTab(1);
    // Height 21, tab height 20: rows 2 to 21 hit.
    EXPECT_EQ(strip->TabAtPos({8, 1}), -1);
    EXPECT_EQ(strip->TabAtPos({8, 2}), 0);
    EXPECT_EQ(strip->TabAtPos({8, 21}), 0);
    EXPECT_EQ(strip->TabAtPos({8, 22}), -1);
    EXPECT_EQ(strip->TabAtPos({beta->Left() - 1, 10}), 0);
    EXPECT_EQ(strip->TabAtPos({beta->Left(), 10}), 1);
    EXPECT_EQ(strip->TabAtPos({beta->Left() + beta->Width(), 10}), -1);
    EXPECT_EQ(strip->TabAtPos({4, 10}), -1); // the indent
}

TEST_F(TabsTest, TopBandHitTestCoversTheTopTabHeightRows) {
    strip->SetBounds(0, 0, 300, 60);
    strip->SetTabPosition(tpTop);
    AddTabs({"Alpha", "Beta"}, 0);
    EXPECT_EQ(strip->TabAtPos({8, 0}), 0);
    EXPECT_EQ(strip->TabAtPos({8, 19}), 0);
    EXPECT_EQ(strip->TabAtPos({8, 20}), -1);
    EXPECT_EQ(strip->TabAtPos({strip->GetTab(1)->Left(), 5}), 1);
}

} // namespace
