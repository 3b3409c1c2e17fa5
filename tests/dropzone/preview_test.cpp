// The preview window: its shapes, the identical-call check and the frame
// shown where nothing composites.

#include <gtest/gtest.h>

#include <vector>

#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/tk/screen.h>

namespace {

using Lines = std::vector<tk::String>;

struct PreviewWindow : ::testing::TestWithParam<bool> {
    void SetUp() override {
        tk::Screen::SetCompositingForTesting(GetParam());
        preview->OnDebug = [this](const tk::String& line) { lines.push_back(line); };
    }
    void TearDown() override { tk::Screen::SetCompositingForTesting(std::nullopt); }
    bool Composited() const { return GetParam(); }

    Lines Taken() { return std::exchange(lines, {}); }

    Owned<TOrloDockPreviewWindow> preview{new TOrloDockPreviewWindow(nullptr)};
    Lines lines;
};

const tk::String kShowing = "Showing Preview";

} // namespace

INSTANTIATE_TEST_SUITE_P(Compositing, PreviewWindow, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Translucent" : "FrameOnly"; });

TEST_P(PreviewWindow, StartsHiddenAsATranslucentBlueBorderlessWindow) {
    EXPECT_FALSE(preview->Visible());
    EXPECT_FALSE(preview->Showing());
    EXPECT_EQ(preview->Color(), tk::RGBColor(0, 128, 255));
    EXPECT_TRUE(preview->AlphaBlend());
    EXPECT_EQ(preview->AlphaBlendValue(), 70);
    EXPECT_EQ(preview->BorderStyle(), tk::bsNone);
    EXPECT_EQ(preview->BoundsRect(), tk::BoundsRect(0, 0, 20, 20));
    EXPECT_EQ(preview->PreviewRect(), tk::Rect{});
    // Hiding what does not show says nothing.
    preview->HidePreview();
    EXPECT_TRUE(Taken().empty());
}

TEST_P(PreviewWindow, ATabPreviewHangsA50By20TabBelowItsBody) {
    const tk::Rect rect = tk::MakeRect(100, 100, 400, 300);
    preview->ShowPreview(rect, true, 20);
    EXPECT_EQ(Taken(), (Lines{kShowing, "TAB PREVIEW"}));
    EXPECT_TRUE(preview->Showing());
    EXPECT_TRUE(preview->Visible());
    EXPECT_EQ(preview->BoundsRect(), rect);
    EXPECT_EQ(preview->TabRect(), tk::MakeRect(5, 180, 55, 200));
    const tk::Region silhouette = tk::Region(tk::MakeRect(0, 0, 300, 180)).United(tk::MakeRect(5, 180, 55, 200));
    EXPECT_EQ(preview->FrameOnly(), !Composited());
    if (Composited()) {
        EXPECT_EQ(preview->Region(), silhouette);
    } else {
        // A 5-pixel frame around body and tab as one outline; the inside shows what lies below.
        const tk::Region inside = tk::Region(tk::MakeRect(5, 5, 295, 175)).United(tk::MakeRect(10, 175, 50, 195));
        EXPECT_EQ(preview->Region(), silhouette.Subtracted(inside));
    }

    // The same request again changes nothing; another shape reshapes.
    preview->ShowPreview(rect, true, 20);
    EXPECT_TRUE(Taken().empty());
    preview->ShowPreview(rect, false, 20);
    EXPECT_EQ(Taken(), (Lines{kShowing, "NOT TAB"}));
    const tk::Region whole(tk::MakeRect(0, 0, 300, 200));
    EXPECT_EQ(preview->Region(), Composited() ? whole : whole.Subtracted(tk::Region(tk::MakeRect(5, 5, 295, 195))));

    preview->HidePreview();
    EXPECT_EQ(Taken(), Lines{"Hiding Preview"});
    EXPECT_FALSE(preview->Visible());
    preview->HidePreview();
    EXPECT_TRUE(Taken().empty());
    // Hidden, the same rectangle shows again.
    preview->ShowPreview(rect, false, 20);
    EXPECT_EQ(Taken(), (Lines{kShowing, "NOT TAB"}));
}

TEST_P(PreviewWindow, ANarrowPreviewStillGetsTheWholeTab) {
    preview->ShowPreview(tk::MakeRect(0, 0, 30, 100), true, 20);
    EXPECT_EQ(preview->TabRect(), tk::MakeRect(5, 80, 55, 100));
    EXPECT_TRUE(preview->Region().Contains({54, 90}));
    // The frame closes at the window's right edge.
    EXPECT_TRUE(preview->Region().Contains({27, 90}));
    EXPECT_EQ(preview->Region().Contains({15, 90}), Composited());
}

TEST_P(PreviewWindow, PaintsTheBodyInItsColourOutlinedInButtonFace) {
    preview->ShowPreview(tk::MakeRect(10, 10, 210, 110), true, 20);
    Taken();
    const QImage shot = tktest::GrabControl(preview.get());
    EXPECT_EQ(Taken(), Lines{"Painting TAB"});
    const tk::Color face = tk::ColorToRGB(tk::clBtnFace);
    EXPECT_EQ(tktest::PixelOf(shot, 1, 40), face);
    EXPECT_EQ(tktest::PixelOf(shot, 3, 40), tk::RGBColor(0, 128, 255));
    EXPECT_EQ(tktest::PixelOf(shot, 100, 40), tk::RGBColor(0, 128, 255));
    // The body's bottom edge beside the tab, and the tab's sides.
    EXPECT_EQ(tktest::PixelOf(shot, 100, 79), face);
    EXPECT_EQ(tktest::PixelOf(shot, 5, 90), face);
    EXPECT_EQ(tktest::PixelOf(shot, 54, 90), face);
}
