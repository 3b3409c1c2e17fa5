// Window shapes, stacking and the compositing check on a real X server. CTest
// runs these under xvfb-run with QT_QPA_PLATFORM=xcb; elsewhere they skip.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <xcb/xcb.h>

#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/forms.h>
#include <orlodock/tk/metrics.h>
#include <orlodock/tk/screen.h>

using namespace tk;

namespace {

struct X11Window : ::testing::Test {
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server (ctest runs this under xvfb-run)";
    }

    static Owned<Form> MakeForm(Rect bounds, Color color, FormBorderStyle border = bsNone) {
        Owned<Form> form(new Form(nullptr));
        form->SetBorderStyle(border);
        form->SetBoundsRect(bounds);
        form->SetColor(color);
        return form;
    }

    // The screen's pixel (0x00BBGGRR) at a point.
    static Color ScreenPixel(Point p) {
        const QImage image = QGuiApplication::primaryScreen()->grabWindow(0, p.X, p.Y, 1, 1).toImage();
        return tktest::PixelOf(image.convertToFormat(QImage::Format_RGB32), 0, 0);
    }

    // Lets the server map and paint windows until the condition holds (or two seconds pass).
    static bool WaitFor(const std::function<bool()>& condition) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 2000) {
            tktest::PumpEvents();
            if (condition())
                return true;
            QThread::msleep(20);
        }
        return false;
    }
};

xcb_atom_t CompositingSelection(xcb_connection_t* c) {
    // Xvfb runs one screen, number 0.
    const std::string name = "_NET_WM_CM_S0";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace

TEST_F(X11Window, TheWindowRegionShapesTheWindowOnScreen) {
    auto form = MakeForm(BoundsRect(60, 60, 120, 80), clRed);
    // An L: a bar down the left side and one along the bottom.
    form->SetWindowRegion(Region(MakeRect(0, 0, 30, 80)).United(MakeRect(0, 50, 120, 80)));
    form->Show();
    ASSERT_TRUE(WaitFor([] { return ScreenPixel({70, 70}) == clRed; }));
    EXPECT_EQ(ScreenPixel({170, 135}), clRed);
    EXPECT_NE(ScreenPixel({150, 70}), clRed);
    EXPECT_NE(ScreenPixel({100, 100}), clRed);

    // A new region reshapes the shown window.
    form->SetWindowRegion(Region(MakeRect(60, 0, 120, 30)));
    ASSERT_TRUE(WaitFor([] { return ScreenPixel({150, 70}) == clRed; }));
    EXPECT_NE(ScreenPixel({70, 70}), clRed);
}

TEST_F(X11Window, DrawnCaptionStaysAboveOrdinaryWindows) {
    auto floating = MakeForm(BoundsRect(250, 230, 150, 100), clLime, bsSizeToolWin);
    floating->SetCaption("Floating");
    floating->SetFormStyle(fsStayOnTop);
    floating->Show();
    auto ordinary = MakeForm(BoundsRect(200, 200, 300, 200), clRed);
    ordinary->Show();
    ordinary->BringToFront();
    const Point client = floating->ClientToScreen({10, 10});
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(client) == clLime && ScreenPixel({210, 210}) == clRed; }));
    // The caption bar the toolkit draws, where the metrics put it.
    const Color caption = ScreenPixel({250 + BorderWidth() + 1, 230 + BorderHeight() + CaptionHeight() / 2});
    EXPECT_NE(caption, clLime);
    EXPECT_NE(caption, clRed);
}

TEST_F(X11Window, CompositingFollowsTheSelectionOwner) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_connection_t* c = x11->connection();
    // A bare Xvfb has no compositing manager.
    EXPECT_FALSE(Screen::CompositingAvailable());

    // Pretend to be one: own the selection with a window of ours.
    QWidget owner;
    const xcb_atom_t selection = CompositingSelection(c);
    xcb_set_selection_owner(c, static_cast<xcb_window_t>(owner.winId()), selection, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_TRUE(Screen::CompositingAvailable());

    xcb_set_selection_owner(c, XCB_WINDOW_NONE, selection, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_FALSE(Screen::CompositingAvailable());
}
