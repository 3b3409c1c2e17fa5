#include <gtest/gtest.h>

#include "support/owned.h"
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>

using namespace tk;

TEST(Colors, SystemColoursResolveThroughOneTable) {
    EXPECT_EQ(ColorToRGB(clOlive), RGBColor(128, 128, 0));
    EXPECT_EQ(ColorToRGB(0x00FF8000), RGBColor(0, 128, 255));
    const Color face = ColorToRGB(clBtnFace);
    SetSysColor(COLOR_BTNFACE, RGBColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGBColor(1, 2, 3));
    Bitmap b(2, 2);
    b.Canvas()->Brush()->SetColor(clBtnFace);
    b.Canvas()->FillRect(MakeRect(0, 0, 2, 2));
    EXPECT_EQ(b.Pixel(1, 1), RGBColor(1, 2, 3));
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), face);
}

TEST(Canvas, PatInvertTwiceRestoresAndCentredTextIsCentred) {
    Bitmap b(16, 16);
    b.Canvas()->Brush()->SetColor(clOlive);
    b.Canvas()->FillRect(MakeRect(0, 0, 16, 16));
    Brush pattern;
    Bitmap checker = MakeCheckerPattern(RGBColor(128, 128, 128), clWhite);
    pattern.SetPatternBitmap(&checker);
    b.Canvas()->PatInvert(MakeRect(2, 2, 10, 6), pattern);
    EXPECT_EQ(b.Pixel(2, 2), clOlive ^ RGBColor(128, 128, 128));
    EXPECT_EQ(b.Pixel(3, 2), clOlive ^ clWhite);
    EXPECT_EQ(b.Pixel(10, 2), clOlive);
    b.Canvas()->PatInvert(MakeRect(2, 2, 10, 6), pattern);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(b.Pixel(x, y), clOlive);

    // Centred in both directions: the ink keeps about equal margins.
    Bitmap t(120, 40);
    t.Canvas()->Brush()->SetColor(clWhite);
    t.Canvas()->FillRect(MakeRect(0, 0, 120, 40));
    Rect r = MakeRect(0, 0, 120, 40);
    t.Canvas()->DrawText("HHHH", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int left = 120, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (t.Pixel(x, y) != clWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR(left, 119 - right, 3);
    EXPECT_NEAR(top, 39 - bottom, 4);
}

TEST(Controls, ParentFontFollowsUntilTheChildGetsItsOwn) {
    Owned<Form> form(new Form(nullptr));
    auto* parent = new Panel(form.get());
    parent->SetParent(form.get());
    auto* child = new Panel(form.get());
    child->SetParent(parent);
    parent->Font()->SetName("DejaVu Serif");
    parent->Font()->SetHeight(14);
    EXPECT_EQ(child->Font()->Name(), "DejaVu Serif");
    EXPECT_EQ(child->Font()->Height(), 14);
    EXPECT_TRUE(child->ParentFont());
    child->Font()->SetHeight(9);
    EXPECT_FALSE(child->ParentFont());
    parent->Font()->SetHeight(20);
    EXPECT_EQ(child->Font()->Height(), 9);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font()->Height(), 20);
    Font f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), 11);
    EXPECT_EQ(f.Size(), 8);
}

TEST(Controls, TurningFromAHorizontalToAVerticalEdgeKeepsTheThickness) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* p = new Panel(form.get());
    p->SetParent(form.get());
    p->SetBounds(0, 0, 125, 40);
    p->SetAlign(alTop);
    EXPECT_EQ(p->BoundsRect(), MakeRect(0, 0, 300, 40));
    p->SetAlign(alLeft);
    EXPECT_EQ(p->BoundsRect(), MakeRect(0, 0, 40, 200));
    p->SetAlign(alRight);
    EXPECT_EQ(p->BoundsRect(), MakeRect(260, 0, 300, 200));
}

TEST(MouseCapture, HidingTheHolderReleasesTheCapture) {
    Owned<Form> form(new Form(nullptr));
    auto* p = new Panel(form.get());
    p->SetParent(form.get());
    p->SetMouseCapture(true);
    EXPECT_EQ(Control::CaptureControl(), p);
    form->Show();
    p->Hide();
    EXPECT_EQ(Control::CaptureControl(), nullptr);
    p->Show();
    p->SetMouseCapture(true);
    p->Free();
    EXPECT_EQ(Control::CaptureControl(), nullptr);
}
