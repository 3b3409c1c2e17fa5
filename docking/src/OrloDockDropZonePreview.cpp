// The window that shows where a dragged window would land.

#include <orlodock/docking/OrloDockDropZone.h>

#include <algorithm>

#include <orlodock/tk/canvas.h>
#include <orlodock/tk/screen.h>

namespace {

constexpr tk::Color kPreviewColor = 0x00FF8000;
constexpr std::uint8_t kPreviewAlpha = 70;
// The tab of a tab-shaped preview: this far in from the left, this wide.
constexpr int kTabIndent = 5;
constexpr int kTabWidth = 50;

} // namespace

TOrloDockPreviewWindow::TOrloDockPreviewWindow(tk::Component* owner) : tk::Form(owner) {
    SetVisible(false);
    SetColor(kPreviewColor);
    SetAlphaBlend(true);
    SetAlphaBlendValue(kPreviewAlpha);
    SetBorderStyle(tk::bsNone);
    SetDoubleBuffered(true);
    SetBounds(0, 0, 20, 20);
}

void TOrloDockPreviewWindow::Debug(const tk::String& message) {
    if (OnDebug)
        OnDebug(message);
}

void TOrloDockPreviewWindow::ShowPreview(const tk::Rect& rect, bool isTab, int tabHeight) {
    // Pointer moves over the same guide ask for the same preview again and again.
    if (showing_ && rect == previewRect_ && isTab == isTab_)
        return;
    isTab_ = isTab;
    Debug(tk::Latin1("Showing Preview"));
    previewRect_ = rect;
    SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    tk::Region region;
    if (isTab_) {
        Debug(tk::Latin1("TAB PREVIEW"));
        tabRect_ = tk::MakeRect(kTabIndent, height - tabHeight, kTabIndent + kTabWidth, height);
        region = tk::Region(tk::MakeRect(0, 0, width, height - tabHeight)).United(tabRect_);
    } else {
        Debug(tk::Latin1("NOT TAB"));
        region = tk::Region(tk::MakeRect(0, 0, width, height));
    }
    // Without compositing the constant alpha gives an opaque block that hides
    // the target: show only the outline then.
    frameOnly_ = !tk::Screen::CompositingAvailable();
    if (frameOnly_)
        region = region.Subtracted(FrameInside(width, height));
    showing_ = true;
    SetWindowRegion(region);
    ShowOnTop();
    Invalidate();
}

tk::Region TOrloDockPreviewWindow::FrameInside(int width, int height) const {
    constexpr int frame = OutlineWidth + FrameBorderWidth;
    if (!isTab_)
        return tk::Region(tk::MakeRect(frame, frame, width - frame, height - frame));
    const int bodyBottom = tabRect_.Top;
    const tk::Region body(tk::MakeRect(frame, frame, width - frame, bodyBottom - frame));
    // Where the tab hangs from the body their insides meet, so the frame runs
    // around the silhouette and not across the join. Beyond the window's
    // right edge nothing shows: the frame closes at that edge.
    const int tabRight = std::min(tabRect_.Right, width);
    const tk::Rect tab = tk::MakeRect(tabRect_.Left + frame, std::max(frame, bodyBottom - frame), tabRight - frame,
                                      tabRect_.Bottom - frame);
    return body.United(tab);
}

void TOrloDockPreviewWindow::HidePreview() {
    if (!showing_)
        return;
    Debug(tk::Latin1("Hiding Preview"));
    Hide();
    showing_ = false;
}

void TOrloDockPreviewWindow::Paint() {
    tk::Canvas& canvas = *Canvas();
    const tk::Rect client = ClientRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    // The window region clips the outline: under a tab-shaped body its bottom
    // edge shows only below the tab, and the lines below close the silhouette.
    canvas.Pen()->SetColor(tk::clBtnFace);
    canvas.Pen()->SetWidth(OutlineWidth);
    canvas.Rectangle(client);
    if (isTab_) {
        Debug(tk::Latin1("Painting TAB"));
        canvas.MoveTo(0, tabRect_.Top - 1);
        canvas.LineTo(kTabIndent, tabRect_.Top - 1);
        canvas.LineTo(kTabIndent, tabRect_.Bottom - 1);
        canvas.MoveTo(tabRect_.Right - 1, tabRect_.Bottom - 1);
        canvas.LineTo(tabRect_.Right - 1, tabRect_.Top - 1);
        canvas.LineTo(client.Right - 1, tabRect_.Top - 1);
    }
}
