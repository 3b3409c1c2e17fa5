#include <gtest/gtest.h>

#include <set>

#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/imagelist.h>
#include <orlodock/tk/panel.h>

using namespace tk;

namespace {

Bitmap WhiteBitmap(int w, int h) {
    Bitmap b(w, h);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(MakeRect(0, 0, w, h));
    return b;
}

// The picture of the TK_TEST_*BIT resources (tools/make_test_bitmaps.py).
constexpr Color kMagenta = RGBColor(255, 0, 255);
Color ExpectedTestPixel(int x, int y) {
    static const Color palette[16] = {RGBColor(0, 0, 0),       RGBColor(128, 0, 0),
                                      RGBColor(0, 128, 0),     RGBColor(128, 128, 0),
                                      RGBColor(0, 0, 128),     RGBColor(128, 0, 128),
                                      RGBColor(0, 128, 128),   RGBColor(192, 192, 192),
                                      RGBColor(128, 128, 128), RGBColor(255, 0, 0),
                                      RGBColor(0, 255, 0),     RGBColor(255, 255, 0),
                                      RGBColor(0, 0, 255),     kMagenta,
                                      RGBColor(0, 255, 255),   RGBColor(255, 255, 255)};
    if ((x + y) % 3 == 0)
        return kMagenta;
    int i = (x + 2 * y) % 15;
    return palette[i >= 13 ? i + 1 : i];
}

} // namespace

TEST(Canvas, LineToLeavesOutItsEndPointAndMovesThePen) {
    Bitmap b = WhiteBitmap(20, 20);
    Canvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->MoveTo(2, 3);
    c->LineTo(9, 3);
    for (int x = 2; x < 9; ++x)
        EXPECT_EQ(b.Pixel(x, 3), clBlack) << x;
    EXPECT_EQ(b.Pixel(9, 3), clWhite);
    EXPECT_EQ(b.Pixel(1, 3), clWhite);
    EXPECT_EQ(c->PenPos(), (Point{9, 3}));

    // A polyline closes its corners because each segment starts where the last one stopped.
    c->LineTo(9, 8);
    EXPECT_EQ(b.Pixel(9, 3), clBlack);
    EXPECT_EQ(b.Pixel(9, 7), clBlack);
    EXPECT_EQ(b.Pixel(9, 8), clWhite);

    // Diagonal and backwards lines too.
    c->MoveTo(15, 15);
    c->LineTo(11, 11);
    for (int i = 12; i <= 15; ++i)
        EXPECT_EQ(b.Pixel(i, i), clBlack) << i;
    EXPECT_EQ(b.Pixel(11, 11), clWhite);
}

TEST(Canvas, RectangleAndFillStayInsideTheirRightAndBottomEdges) {
    Bitmap b = WhiteBitmap(12, 12);
    Canvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->Pen()->SetColor(clBlue);
    c->Rectangle(MakeRect(2, 2, 8, 6));
    EXPECT_EQ(b.Pixel(2, 2), clBlue);
    EXPECT_EQ(b.Pixel(7, 5), clBlue);
    EXPECT_EQ(b.Pixel(4, 3), clRed);
    EXPECT_EQ(b.Pixel(8, 5), clWhite);
    EXPECT_EQ(b.Pixel(7, 6), clWhite);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(MakeRect(9, 9, 11, 11));
    EXPECT_EQ(b.Pixel(10, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(b.Pixel(11, 11), clWhite);
}

TEST(Canvas, TextWithEndEllipsisNeverPaintsOutsideItsRectangle) {
    const String text = "A caption much too long for the little rectangle it is given";
    for (Rect r : {MakeRect(10, 10, 70, 26), MakeRect(10, 10, 14, 26), MakeRect(30, 5, 30, 20)}) {
        Bitmap b = WhiteBitmap(120, 40);
        Canvas* c = b.Canvas();
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clBlack);
        Rect target = r;
        c->DrawText(text, target, DT_END_ELLIPSIS);
        int inside = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                if (!r.Contains({x, y})) {
                    ASSERT_EQ(b.Pixel(x, y), clWhite) << "outside at " << x << "," << y;
                } else if (b.Pixel(x, y) != clWhite) {
                    ++inside;
                }
            }
        if (r.Width() >= 50) {
            EXPECT_GT(inside, 20);
        }
    }
}

TEST(Canvas, EllipsisReplacesTheCutTextAndCalcRectMeasures) {
    const String text = "Test Panel with a long caption";
    Bitmap plain = WhiteBitmap(100, 20), ellipsis = WhiteBitmap(100, 20);
    Rect r = MakeRect(0, 0, 60, 20);
    plain.Canvas()->DrawText(text, r, 0);
    ellipsis.Canvas()->DrawText(text, r, DT_END_ELLIPSIS);
    int differ = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            differ += plain.Pixel(x, y) != ellipsis.Pixel(x, y);
    EXPECT_GT(differ, 0);

    Rect calc = MakeRect(5, 5, 5, 5);
    int h = plain.Canvas()->DrawText("Wide", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Width(), plain.Canvas()->TextWidth("Wide"));
    EXPECT_EQ(calc.Height(), h);
    EXPECT_EQ(h, plain.Canvas()->TextHeight("Wide"));
}

TEST(Bitmap, LoadsFourTwentyFourAndThirtyTwoBitResourcesAlike) {
    struct Case {
        const char* name;
        PixelFormat format;
    };
    for (Case cs : {Case{"TK_TEST_4BIT", pf4bit}, Case{"TK_TEST_24BIT", pf24bit}, Case{"TK_TEST_32BIT", pf32bit}}) {
        Bitmap b;
        b.LoadFromResourceName(cs.name);
        EXPECT_EQ(b.PixelFormat(), cs.format) << cs.name;
        ASSERT_EQ(b.Width(), 8);
        ASSERT_EQ(b.Height(), 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(b.Pixel(x, y), ExpectedTestPixel(x, y)) << cs.name << " " << x << "," << y;
        // Without an explicit key the bottom-left pixel is transparent.
        EXPECT_EQ(b.TransparentColor(), b.Pixel(0, 5));
    }
    Bitmap missing;
    EXPECT_THROW(missing.LoadFromResourceName("NO_SUCH_BITMAP"), EResNotFound);
    EXPECT_FALSE(Bitmap::ResourceExists("NO_SUCH_BITMAP"));
}

TEST(Bitmap, ScanLinesMatchThePixelsAndTheContentKeyFollowsChanges) {
    Bitmap b;
    b.LoadFromResourceName("TK_TEST_24BIT");
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            ASSERT_EQ(b.ScanLine(y)[x], Bitmap::ScanLineValue(b.Pixel(x, y))) << x << "," << y;
    EXPECT_EQ(Bitmap::ScanLineValue(RGBColor(0x12, 0x34, 0x56)), 0xFF123456u);

    const Bitmap copy = b;
    EXPECT_EQ(copy.ContentKey(), b.ContentKey());
    const auto before = b.ContentKey();
    (void)b.ScanLine(0);
    EXPECT_EQ(b.ContentKey(), before);
    b.SetPixel(0, 0, clTeal);
    EXPECT_NE(b.ContentKey(), before);
    EXPECT_EQ(copy.ContentKey(), before);
    const auto changed = b.ContentKey();
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(MakeRect(0, 0, 2, 2));
    EXPECT_NE(b.ContentKey(), changed);

    // A resource is decoded once: loading it again shares the pixels, which
    // the changes above left alone.
    Bitmap again;
    again.LoadFromResourceName("TK_TEST_24BIT");
    EXPECT_EQ(again.ContentKey(), before);
    EXPECT_EQ(again.Pixel(0, 0), ExpectedTestPixel(0, 0));
    EXPECT_EQ(again.Pixel(1, 1), ExpectedTestPixel(1, 1));
}

TEST(Bitmap, TransparentKeyColourLeavesThoseTargetPixelsUntouched) {
    Bitmap glyph;
    glyph.LoadFromResourceName("TK_TEST_24BIT");
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(kMagenta);

    Bitmap target(20, 20);
    target.Canvas()->Brush()->SetColor(clTeal);
    target.Canvas()->FillRect(MakeRect(0, 0, 20, 20));
    target.Canvas()->Draw(5, 7, glyph);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            Color want = ExpectedTestPixel(x, y) == kMagenta ? clTeal : ExpectedTestPixel(x, y);
            ASSERT_EQ(target.Pixel(5 + x, 7 + y), want) << x << "," << y;
        }
    EXPECT_EQ(target.Pixel(4, 7), clTeal);

    // Drawn again after a change of its pixels or of its key, the glyph shows the change.
    glyph.SetPixel(2, 0, clNavy);
    glyph.SetTransparentColor(ExpectedTestPixel(1, 0));
    target.Canvas()->FillRect(MakeRect(0, 0, 20, 20));
    target.Canvas()->Draw(5, 7, glyph);
    EXPECT_EQ(target.Pixel(7, 7), clNavy);
    EXPECT_EQ(target.Pixel(6, 7), clTeal);
    EXPECT_EQ(target.Pixel(8, 7), kMagenta);

    // Not transparent: the key colour is drawn like any other.
    glyph.SetTransparent(false);
    target.Canvas()->Draw(5, 7, glyph);
    EXPECT_EQ(target.Pixel(5, 7), kMagenta);
}

TEST(ImageList, DrawsEnabledOrGreyedAndTellsItsLinksOfChanges) {
    ImageList* list = new ImageList(nullptr);
    Owned<ImageList> guard(list);
    list->SetSize(8, 6);
    int changes = 0;
    {
        ChangeLink link;
        link.OnChange = [&](ImageList* sender) {
            EXPECT_EQ(sender, list);
            ++changes;
        };
        list->RegisterChanges(&link);
        Bitmap glyph;
        glyph.LoadFromResourceName("TK_TEST_24BIT");
        EXPECT_EQ(list->AddMasked(glyph, kMagenta), 0);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(list->Count(), 1);
    } // the link unregisters itself when it goes
    list->Clear();
    EXPECT_EQ(changes, 1);

    Bitmap glyph;
    glyph.LoadFromResourceName("TK_TEST_24BIT");
    list->AddMasked(glyph, kMagenta);
    Bitmap enabled = WhiteBitmap(10, 10), disabled = WhiteBitmap(10, 10);
    list->Draw(*enabled.Canvas(), 1, 1, 0, true);
    list->Draw(*disabled.Canvas(), 1, 1, 0, false);
    EXPECT_EQ(enabled.Pixel(1 + 1, 1), ExpectedTestPixel(1, 0));
    EXPECT_EQ(enabled.Pixel(1, 1), clWhite); // (0,0) is a key pixel
    EXPECT_EQ(disabled.Pixel(1, 1), clWhite);
    EXPECT_NE(disabled.Pixel(1 + 1, 1), ExpectedTestPixel(1, 0));
    // An index outside the list draws nothing.
    Bitmap none = WhiteBitmap(10, 10);
    list->Draw(*none.Canvas(), 0, 0, 5, true);
    EXPECT_EQ(none.Pixel(2, 0), clWhite);
}

namespace {

class CountingControl : public CustomControl {
public:
    using CustomControl::CustomControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        CustomControl::Paint();
    }
};

struct ShownForm {
    Owned<Form> form{new Form(nullptr)};
    ShownForm(int w, int h) {
        form->SetBounds(40, 40, w, h);
        form->SetColor(clWindow);
        form->Show();
        tktest::PumpEvents();
    }
    // A white control filling the form, shown and painted.
    CountingControl* WhiteCountingClient() {
        auto* c = new CountingControl(form.get());
        c->SetParent(form.get());
        c->SetAlign(alClient);
        c->SetColor(clWhite);
        tktest::PumpEvents();
        return c;
    }
};

} // namespace

TEST(CustomControl, DrawingOutsidePaintShowsAtTheNextUpdateWithoutRepainting) {
    ShownForm f(120, 80);
    CountingControl* c = f.WhiteCountingClient();
    QImage before = tktest::GrabControl(c);
    ASSERT_GE(c->paints, 1);
    EXPECT_EQ(tktest::PixelOf(before, 10, 10), clWhite);

    const int paints = c->paints;
    c->GetCanvas()->Brush()->SetColor(clRed);
    c->GetCanvas()->FillRect(MakeRect(5, 5, 20, 20));
    tktest::PumpEvents();
    QImage after = tktest::GrabControl(c);
    EXPECT_EQ(tktest::PixelOf(after, 10, 10), clRed);
    EXPECT_EQ(tktest::PixelOf(after, 25, 25), clWhite);
    EXPECT_EQ(c->paints, paints);

    // Invalidating lets Paint redraw the area.
    c->Invalidate();
    QImage repainted = tktest::GrabControl(c);
    EXPECT_EQ(tktest::PixelOf(repainted, 10, 10), clWhite);
    EXPECT_GT(c->paints, paints);
}

TEST(CustomControl, InvertBarDrawnTwiceLeavesEveryPixelAsItWas) {
    ShownForm f(200, 150);
    auto* host = new CustomControl(f.form.get());
    host->SetParent(f.form.get());
    host->SetAlign(alClient);
    host->SetColor(clWhite);
    auto* child = new Panel(f.form.get());
    child->SetParent(host);
    child->SetBevelOuter(bvNone);
    child->SetColor(clOlive);
    child->SetBounds(20, 20, 60, 40);
    tktest::PumpEvents();

    const QImage before = tktest::GrabControl(host);
    const Rect bar = MakeRect(10, 30, 190, 34);
    host->DrawInvertBar(bar);
    tktest::PumpEvents();
    const QImage inverted = tktest::GrabControl(host);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            Color was = tktest::PixelOf(before, x, y), now = tktest::PixelOf(inverted, x, y);
            if (!bar.Contains({x, y})) {
                ASSERT_EQ(now, was) << x << "," << y;
                continue;
            }
            // Grey (128,128,128) and white alternate in the pattern; XOR with what was there.
            Color pattern = (x + y) % 2 == 0 ? RGBColor(128, 128, 128) : clWhite;
            ASSERT_EQ(now, was ^ pattern) << x << "," << y;
        }
    // Above the child too, not only on the host's own background.
    EXPECT_NE(tktest::PixelOf(inverted, 50, 31), tktest::PixelOf(before, 50, 31));

    host->DrawInvertBar(bar);
    tktest::PumpEvents();
    EXPECT_EQ(tktest::CountDifferentPixels(before, tktest::GrabControl(host)), 0);

    // The same on the parent's window, in the parent's coordinates.
    const Rect parentBar = MakeRect(22, 0, 26, 150);
    child->DrawInvertBarOnParent(parentBar);
    tktest::PumpEvents();
    QImage onParent = tktest::GrabControl(host);
    EXPECT_NE(tktest::PixelOf(onParent, 23, 25), tktest::PixelOf(before, 23, 25));
    EXPECT_EQ(tktest::PixelOf(onParent, 30, 25), tktest::PixelOf(before, 30, 25));
    child->DrawInvertBarOnParent(parentBar);
    tktest::PumpEvents();
    EXPECT_EQ(tktest::CountDifferentPixels(before, tktest::GrabControl(host)), 0);
}

TEST(CustomControl, InvalidationsPaintOnceWhenTheLoopRunsOrThePaintIsFlushed) {
    ShownForm f(120, 80);
    CountingControl* c = f.WhiteCountingClient();
    const int paints = c->paints;
    c->Invalidate();
    c->InvalidateRect(MakeRect(1, 1, 5, 5));
    c->SetColor(clRed);
    EXPECT_EQ(c->paints, paints) << "nothing paints before the loop runs";
    Application::FlushPaint();
    EXPECT_EQ(c->paints, paints + 1);
    EXPECT_EQ(c->GetCanvas()->Pixel(10, 10), clRed);
    Application::FlushPaint();
    EXPECT_EQ(c->paints, paints + 1);
}

TEST(CustomControl, TheBackBufferGrowsInStepsAndShowsEverySize) {
    Owned<CountingControl> c(new CountingControl(nullptr));
    c->SetColor(clOlive);
    std::set<const uchar*> allocations;
    for (int size = 100; size <= 200; ++size) {
        c->SetBounds(0, 0, size, size / 2);
        c->RefreshBuffer();
        ASSERT_EQ(c->BackBuffer().size(), QSize(size, size / 2));
        ASSERT_EQ(c->GetCanvas()->Pixel(size - 1, size / 2 - 1), ColorToRGB(clOlive)) << size;
        allocations.insert(c->BackBuffer().constBits());
    }
    EXPECT_LE(allocations.size(), 3u) << "a hundred sizes, a few allocations";
    // Smaller again: the same pixels, no new allocation.
    c->SetBounds(0, 0, 30, 20);
    c->RefreshBuffer();
    EXPECT_EQ(c->GetCanvas()->Pixel(29, 19), ColorToRGB(clOlive));
    EXPECT_TRUE(allocations.count(c->BackBuffer().constBits()));
}
