#include <gtest/gtest.h>

#include <limits>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <string>
#include <vector>

#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/button.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/screen.h>

using namespace tk;

namespace {

struct Event {
    std::string kind;
    int x, y;
};

// Records what reaches its handlers.
class Recorder : public CustomControl {
public:
    using CustomControl::CustomControl;
    std::vector<Event> events;
    std::vector<int> keys;
    tk::Cursor splitCursorLeftOf = crDefault;

protected:
    void MouseDown(MouseButton b, ShiftState s, int x, int y) override {
        events.push_back({"down", x, y});
        CustomControl::MouseDown(b, s, x, y);
    }
    void MouseMove(ShiftState s, int x, int y) override {
        events.push_back({"move", x, y});
        CustomControl::MouseMove(s, x, y);
    }
    void MouseUp(MouseButton b, ShiftState s, int x, int y) override {
        events.push_back({"up", x, y});
        CustomControl::MouseUp(b, s, x, y);
    }
    void KeyDown(int& key, ShiftState s) override {
        keys.push_back(key);
        CustomControl::KeyDown(key, s);
    }
    tk::Cursor GetCursorAt(Point client) override {
        if (splitCursorLeftOf != crDefault && client.X < 10)
            return splitCursorLeftOf;
        return CustomControl::GetCursorAt(client);
    }
};

struct Window {
    Owned<Form> form{new Form(nullptr)};
    Recorder* body;
    Window(int left, int top) {
        form->SetBounds(left, top, 200, 150);
        body = new Recorder(form.get());
        body->SetParent(form.get());
        body->SetAlign(alClient);
        form->Show();
        tktest::PumpEvents();
    }
};

} // namespace

TEST(WindowProc, ReplacedProcedureSeesVisibilityAfterTheControlHandledIt) {
    Window w(10, 10);
    auto* p = new Panel(w.form.get());
    p->SetParent(w.body);
    p->SetWidth(50);
    p->SetAlign(alLeft);
    auto* rest = new Panel(w.form.get());
    rest->SetParent(w.body);
    rest->SetAlign(alClient);

    struct Seen {
        long long wparam;
        bool visible;
        int restLeft;
    };
    std::vector<Seen> seen;
    const WindowProcedure original = p->WindowProc();
    p->SetWindowProc([&, original](Message& m) {
        original(m);
        if (m.Msg == TK_VISIBLECHANGED)
            seen.push_back({m.WParam, p->Visible(), rest->Left()});
    });
    p->Hide();
    p->Show();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].wparam, 0);
    EXPECT_FALSE(seen[0].visible);
    EXPECT_EQ(seen[0].restLeft, 0); // the parent had already realigned
    EXPECT_EQ(seen[1].wparam, 1);
    EXPECT_TRUE(seen[1].visible);
    EXPECT_EQ(seen[1].restLeft, 50);

    // A second watcher on top, which later gives back exactly what it replaced.
    const WindowProcedure first = p->WindowProc();
    int secondSaw = 0;
    p->SetWindowProc([&, first](Message& m) {
        first(m);
        if (m.Msg == TK_VISIBLECHANGED)
            ++secondSaw;
    });
    p->Hide();
    EXPECT_EQ(secondSaw, 1);
    EXPECT_EQ(seen.size(), 3u);
    p->SetWindowProc(first);
    p->Show();
    EXPECT_EQ(secondSaw, 1);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[3].wparam, 1);

    // And the control's own handling still runs through the chain.
    int left = 0;
    p->OnMouseLeave = [&](Component*) { ++left; };
    p->Perform(TK_MOUSELEAVE);
    EXPECT_EQ(left, 1);
    p->SetWindowProc(original);
}

TEST(MouseCapture, PressInOneWindowAndMovesOverAnotherReachTheCapturingControl) {
    Window a(10, 10), b(300, 10);
    tktest::MouseDriver mouse;
    mouse.Move({50, 50});
    mouse.Press({50, 50});
    EXPECT_EQ(Control::CaptureControl(), a.body);
    mouse.Move({350, 60});
    mouse.Move({360, 70});
    EXPECT_TRUE(b.body->events.empty());
    ASSERT_GE(a.body->events.size(), 4u);
    EXPECT_EQ(a.body->events[2].kind, "move");
    EXPECT_EQ(a.body->events[2].x, 340);
    EXPECT_EQ(a.body->events[2].y, 50);
    mouse.Release({360, 70});
    EXPECT_EQ(a.body->events.back().kind, "up");
    EXPECT_EQ(a.body->events.back().x, 350);
    EXPECT_EQ(Control::CaptureControl(), nullptr);

    // Released: the other window gets its own messages again.
    mouse.Move({350, 60});
    ASSERT_EQ(b.body->events.size(), 1u);
    EXPECT_EQ(b.body->events[0].x, 50);
    EXPECT_EQ(b.body->events[0].y, 50);
    EXPECT_EQ(Screen::CursorPos(), (Point{350, 60}));
}

TEST(MouseCapture, WindowEventsAreRedirectedToTheCaptureHolder) {
    // Events the window system delivers to another window still go to the holder.
    Window a(10, 10), b(300, 10);
    a.body->SetMouseCapture(true);
    QWidget* other = b.body->Widget();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 6), QPointF(5, 6), QPointF(305, 16), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(other, &move);
    EXPECT_TRUE(b.body->events.empty());
    ASSERT_EQ(a.body->events.size(), 1u);
    EXPECT_EQ(a.body->events[0].x, 295);
    EXPECT_EQ(a.body->events[0].y, 6);
    a.body->SetMouseCapture(false);
    EXPECT_FALSE(a.body->MouseCapture());
    QApplication::sendEvent(other, &move);
    EXPECT_EQ(b.body->events.size(), 1u);
}

TEST(Button, ClickRunsTheHandlerAlsoWhenHiddenAndPressingItDoesToo) {
    Window w(10, 10);
    auto* hidden = new Button(w.form.get());
    hidden->SetParent(w.body);
    hidden->SetVisible(false);
    int clicks = 0;
    hidden->OnClick = [&](Component* sender) {
        EXPECT_EQ(sender, hidden);
        ++clicks;
    };
    hidden->Click();
    EXPECT_EQ(clicks, 1);

    auto* shown = new Button(w.form.get());
    shown->SetParent(w.body);
    shown->SetBounds(10, 10, 75, 25);
    shown->SetCaption("Press me");
    int pressed = 0;
    shown->OnClick = [&](Component*) { ++pressed; };
    tktest::MouseDriver mouse;
    mouse.Click(shown->ClientToScreen({20, 10}));
    tktest::PumpEvents();
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(clicks, 1);
}

TEST(Application, ExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
    Window w(10, 10);
    std::vector<std::string> reported;
    App()->OnException = [&](Component*, const std::exception& e) { reported.push_back(e.what()); };
    w.body->OnMouseDown = [](Component*, MouseButton, ShiftState, int, int) { throw Exception("Handler failed"); };
    int moves = 0;
    w.body->OnMouseMove = [&](Component*, ShiftState, int, int) { ++moves; };
    tktest::MouseDriver mouse;
    mouse.Press({30, 30});
    mouse.Move({35, 35});
    mouse.Release({35, 35});
    mouse.Press({40, 40});
    mouse.Release({40, 40});
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], "Handler failed");
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(Control::CaptureControl(), nullptr);

    // Without a handler the report goes to stderr.
    App()->OnException = nullptr;
    testing::internal::CaptureStderr();
    mouse.Press({50, 50});
    mouse.Release({50, 50});
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Handler failed"), std::string::npos);
}

TEST(Keys, KeyDownGetsVirtualKeyCodes) {
    Window w(10, 10);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w.body->Widget(), &esc);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(w.body->Widget(), &a);
    ASSERT_EQ(w.body->keys.size(), 2u);
    EXPECT_EQ(w.body->keys[0], 27);
    EXPECT_EQ(w.body->keys[1], 'A');
}

TEST(Cursor, TheCursorFollowsWhatTheControlAsksForAtEachPoint) {
    Window w(10, 10);
    w.body->splitCursorLeftOf = crHSplit;
    tktest::MouseDriver mouse;
    mouse.Move({15, 30});
    EXPECT_EQ(w.body->ShownCursor(), crHSplit);
    mouse.Move({60, 30});
    EXPECT_EQ(w.body->ShownCursor(), crDefault);
}

TEST(Hints, ShownAtAScreenPointAndOverControlsWithShowHint) {
    Window w(10, 10);
    w.body->ShowHintAt({100, 120}, "Full caption");
    EXPECT_TRUE(App()->HintShowing());
    EXPECT_EQ(App()->HintText(), "Full caption");
    EXPECT_EQ(App()->HintPos(), (Point{100, 120}));
    w.body->CancelHint();
    EXPECT_FALSE(App()->HintShowing());

    App()->SetHintPause(0);
    w.body->SetHint("Body hint");
    w.body->SetShowHint(true);
    tktest::MouseDriver mouse;
    mouse.Move({30, 30});
    EXPECT_TRUE(App()->HintShowing());
    EXPECT_EQ(App()->HintText(), "Body hint");
    mouse.Press({30, 30});
    EXPECT_FALSE(App()->HintShowing());
    mouse.Release({30, 30});
    App()->SetHintPause(500);
}

TEST(Controls, CoordinatesFocusAndZOrder) {
    Window w(100, 50);
    auto* inner = new Panel(w.form.get());
    inner->SetParent(w.body);
    inner->SetBounds(10, 20, 50, 40);
    EXPECT_EQ(inner->ClientToScreen({1, 2}), (Point{111, 72}));
    EXPECT_EQ(inner->ScreenToClient({111, 72}), (Point{1, 2}));
    // Points from far outside stay at the end of the range instead of wrapping around.
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(inner->ScreenToClient({kMin, kMin}), (Point{kMin, kMin}));
    EXPECT_EQ(inner->ClientToScreen({kMax, kMax}), (Point{kMax, kMax}));
    EXPECT_EQ(inner->ScreenRect(), MakeRect(110, 70, 160, 110));
    EXPECT_EQ(tktest::MouseDriver::ControlAt({115, 75}), inner);

    auto* over = new Panel(w.form.get());
    over->SetParent(w.body);
    over->SetBounds(10, 20, 50, 40);
    EXPECT_EQ(tktest::MouseDriver::ControlAt({115, 75}), over);
    over->SendToBack();
    EXPECT_EQ(tktest::MouseDriver::ControlAt({115, 75}), inner);
    over->BringToFront();
    EXPECT_EQ(w.body->Controls(w.body->ControlCount() - 1), over);

    inner->SetFocus();
    EXPECT_EQ(Screen::ActiveControl(), inner);
    EXPECT_TRUE(inner->Focused());
    over->Free();
    inner->Free();
    EXPECT_EQ(Screen::ActiveControl(), nullptr);

    ASSERT_GE(Screen::MonitorCount(), 1);
    Monitor m = Screen::Monitors(0);
    EXPECT_FALSE(m.WorkareaRect.IsEmpty());
    EXPECT_EQ(IntersectRect(m.WorkareaRect, m.BoundsRect), m.WorkareaRect);
}
