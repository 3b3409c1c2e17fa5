#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/forms.h>
#include <orlodock/tk/metrics.h>

using namespace tk;

namespace {

// A tool window that records its non-client button messages and can answer a
// caption press itself, as a window that runs its own drag does.
class ToolForm : public Form {
public:
    explicit ToolForm(Component* owner) : Form(owner) {
        SetBorderStyle(bsSizeToolWin);
        SetBounds(100, 100, 200, 150);
        SetColor(clLime);
    }
    bool answerCaptionPress = false;
    std::vector<std::pair<unsigned, long long>> buttons;
    int closeButtonClicks = 0;
    std::vector<Point> clientPresses;

protected:
    void WndProc(Message& m) override {
        if (m.Msg == TK_NCLBUTTONDOWN || m.Msg == TK_NCLBUTTONUP)
            buttons.emplace_back(m.Msg, m.WParam);
        if (answerCaptionPress && m.Msg == TK_NCLBUTTONDOWN && m.WParam == HTCAPTION) {
            m.Result = 0;
            return;
        }
        Form::WndProc(m);
    }
    void CloseButtonClick() override {
        ++closeButtonClicks;
        Form::CloseButtonClick();
    }
    void MouseDown(MouseButton b, ShiftState s, int x, int y) override {
        clientPresses.push_back({x, y});
        Form::MouseDown(b, s, x, y);
    }
};

struct ToolWindowTest : ::testing::Test {
    Owned<ToolForm> form{new ToolForm(nullptr)};
    tktest::MouseDriver mouse;
    const int bw = BorderWidth(), bh = BorderHeight(), ch = CaptionHeight();
    const int w = 200, h = 150;

    // A point of the window, in window coordinates, on the screen.
    static Point At(int x, int y) { return {100 + x, 100 + y}; }
};

} // namespace

TEST_F(ToolWindowTest, HitCodesCoverEveryFramePartAndCornersWin) {
    const struct {
        Point p;
        HitTestCode code;
    } cases[] = {
        {{0, 0}, HTTOPLEFT},
        {{w - 1, 0}, HTTOPRIGHT},
        {{0, h - 1}, HTBOTTOMLEFT},
        {{w - 1, h - 1}, HTBOTTOMRIGHT},
        // A corner reaches a caption height along both of its edges.
        {{ch - 1, 0}, HTTOPLEFT},
        {{ch, 0}, HTTOP},
        {{0, ch - 1}, HTTOPLEFT},
        {{0, ch}, HTLEFT},
        {{w - bw, h - ch}, HTBOTTOMRIGHT},
        {{w - bw, h - ch - 1}, HTRIGHT},
        {{w / 2, h - bh}, HTBOTTOM},
        {{w / 2, bh - 1}, HTTOP},
        {{w / 2, bh}, HTCAPTION},
        {{bw, bh + ch - 1}, HTCAPTION},
        {{w - bw - ch / 2, bh + ch / 2}, HTCLOSE},
        {{bw, bh + ch}, HTCLIENT},
        {{w - bw - 1, h - bh - 1}, HTCLIENT},
        {{w, 10}, HTNOWHERE},
        {{-1, 10}, HTNOWHERE},
    };
    for (const auto& c : cases) {
        const Point screen = At(c.p.X, c.p.Y);
        EXPECT_EQ(form->HitTest(screen), c.code) << c.p.X << "," << c.p.Y;
        EXPECT_EQ(form->Perform(TK_NCHITTEST, 0, PackPoint(screen.X, screen.Y)), c.code);
    }
    // The frame of a window that cannot be sized is just a border.
    form->SetBorderStyle(bsToolWindow);
    EXPECT_EQ(form->HitTest(At(0, 0)), HTBORDER);
    EXPECT_EQ(form->HitTest(At(0, h / 2)), HTBORDER);
    EXPECT_EQ(form->HitTest(At(w / 2, bh)), HTCAPTION);
}

TEST_F(ToolWindowTest, ClientAreaAndDrawnFrameUseTheMetrics) {
    EXPECT_EQ(form->ClientRect(), MakeRect(0, 0, w - 2 * bw, h - 2 * bh - ch));
    EXPECT_EQ(form->ClientOrigin(), At(bw, bh + ch));
    form->Show();
    const QImage shot = tktest::GrabControl(form.get());
    const Rect client = BoundsRect(bw, bh + ch, w - 2 * bw, h - 2 * bh - ch);
    EXPECT_EQ(tktest::PixelOf(shot, client.Left, client.Top), clLime);
    EXPECT_EQ(tktest::PixelOf(shot, client.Right - 1, client.Bottom - 1), clLime);
    for (Point outside : {Point{client.Left - 1, client.Top}, Point{client.Left, client.Top - 1},
                          Point{client.Right, client.Bottom - 1}, Point{client.Right - 1, client.Bottom}})
        EXPECT_NE(tktest::PixelOf(shot, outside.X, outside.Y), clLime) << outside.X << "," << outside.Y;
    // The caption bar is painted in caption colours over its whole height.
    EXPECT_EQ(tktest::PixelOf(shot, bw, bh), tktest::PixelOf(shot, bw, bh + ch - 1));
    EXPECT_NE(tktest::PixelOf(shot, bw, bh), tktest::PixelOf(shot, bw, bh - 1));

    // Leaving the drawn frame gives the whole window to the client area.
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(form->ClientRect(), MakeRect(0, 0, w, h));
    EXPECT_EQ(form->ClientOrigin(), At(0, 0));
}

TEST_F(ToolWindowTest, CaptionPressMovesUnlessTheFormAnswersIt) {
    form->Show();
    const Point caption = At(60, bh + ch / 2);
    mouse.Drag(caption, {caption.X + 30, caption.Y + 20});
    EXPECT_EQ(form->BoundsRect(), BoundsRect(130, 120, w, h));
    ASSERT_FALSE(form->buttons.empty());
    EXPECT_EQ(form->buttons.front(), std::make_pair(TK_NCLBUTTONDOWN, static_cast<long long>(HTCAPTION)));
    EXPECT_EQ(Control::CaptureControl(), nullptr);

    // Answered by the form: nothing moves, and the release over the caption
    // comes as a non-client one too.
    form->buttons.clear();
    form->answerCaptionPress = true;
    const Point moved = {caption.X + 30, caption.Y + 20};
    mouse.Drag(moved, {moved.X + 50, moved.Y + 5});
    EXPECT_EQ(form->BoundsRect(), BoundsRect(130, 120, w, h));
    const std::vector<std::pair<unsigned, long long>> expected = {{TK_NCLBUTTONDOWN, HTCAPTION},
                                                                  {TK_NCLBUTTONUP, HTCAPTION}};
    EXPECT_EQ(form->buttons, expected);

    // A press in the client area is an ordinary one, in client coordinates.
    mouse.Click({130 + bw + 5, 120 + bh + ch + 7});
    EXPECT_EQ(form->clientPresses, (std::vector<Point>{{5, 7}}));
}

TEST_F(ToolWindowTest, BorderDragResizesWithinTheConstraints) {
    form->Constraints().SetMinWidth(150);
    form->Constraints().SetMinHeight(120);
    form->Show();
    const struct {
        Point from;
        Point by;
        Rect expected;
    } cases[] = {
        // The left edge cannot come closer than the minimum width; the right edge stays.
        {At(0, h / 2), {100, 0}, BoundsRect(150, 100, 150, h)},
        {At(w - 1, h - 1), {40, 30}, BoundsRect(100, 100, w + 40, h + 30)},
        {At(w / 2, 0), {0, 100}, BoundsRect(100, 130, w, 120)},
        {At(0, 0), {-20, -10}, BoundsRect(80, 90, w + 20, h + 10)},
        {At(w - 1, h / 2), {-500, 0}, BoundsRect(100, 100, 150, h)},
    };
    for (const auto& c : cases) {
        form->SetBounds(100, 100, w, h);
        mouse.Drag(c.from, {c.from.X + c.by.X, c.from.Y + c.by.Y});
        EXPECT_EQ(form->BoundsRect(), c.expected) << c.from.X << "," << c.from.Y;
    }
    // The client area and its children follow the new size.
    EXPECT_EQ(form->ClientWidth(), 150 - 2 * bw);
}

TEST_F(ToolWindowTest, CloseButtonClosesOnReleaseOverIt) {
    form->Show();
    const Point button = At(w - bw - ch / 2, bh + ch / 2);
    // Pressed, then released elsewhere: nothing happens.
    mouse.Drag(button, At(w / 2, h / 2));
    EXPECT_EQ(form->closeButtonClicks, 0);
    EXPECT_TRUE(form->Visible());
    // Clicked: the default closes the form (here: hides it).
    mouse.Click(button);
    EXPECT_EQ(form->closeButtonClicks, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Control::CaptureControl(), nullptr);
}

TEST_F(ToolWindowTest, ClosingFromTheCloseButtonReleasesTheFormOnce) {
    auto* released = form.release();
    int destroyed = 0;
    released->OnDestroy = [&](Component*) { ++destroyed; };
    released->OnClose = [](Component*, CloseAction& action) { action = caFree; };
    released->Show();
    const Point button = At(w - bw - ch / 2, bh + ch / 2);
    mouse.Click(button);
    // A second close before the loop runs changes nothing.
    released->Close();
    EXPECT_EQ(destroyed, 0);
    tktest::PumpEvents();
    EXPECT_EQ(destroyed, 1);
}
