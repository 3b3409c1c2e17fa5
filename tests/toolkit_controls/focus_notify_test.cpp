#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/edit.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/screen.h>

using namespace tk;

namespace {

struct Notice {
    std::string who;
    long long code;
    Point point;
    size_t childPresses; // presses the child had handled when the notice came
};

class PressCounter : public CustomControl {
public:
    using CustomControl::CustomControl;
    size_t presses = 0;

protected:
    void MouseDown(MouseButton b, ShiftState s, int x, int y) override {
        ++presses;
        CustomControl::MouseDown(b, s, x, y);
    }
};

// A form at (10, 10) with body (client) > middle (20, 30) > child (5, 6).
struct Nest {
    Owned<Form> form{new Form(nullptr)};
    Panel* body;
    Panel* middle;
    PressCounter* child;
    std::vector<Notice> notices;

    Nest() {
        form->SetBorderStyle(bsNone);
        form->SetBounds(10, 10, 300, 200);
        body = new Panel(form.get());
        body->SetParent(form.get());
        body->SetAlign(alClient);
        middle = new Panel(form.get());
        middle->SetParent(body);
        middle->SetBounds(20, 30, 150, 100);
        child = new PressCounter(form.get());
        child->SetParent(middle);
        child->SetBounds(5, 6, 60, 40);
        form->Show();
        tktest::PumpEvents();
        Watch(form.get(), "form");
        Watch(body, "body");
        Watch(middle, "middle");
        Watch(child, "child");
    }

    void Watch(Control* c, const char* name) {
        const WindowProcedure inherited = c->WindowProc();
        c->SetWindowProc([this, name, inherited](Message& m) {
            if (m.Msg == TK_PARENTNOTIFY)
                notices.push_back({name, m.WParam, {PointX(m.LParam), PointY(m.LParam)}, child->presses});
            inherited(m);
        });
    }
};

// Removes a listener on every way out of a test.
struct Listening {
    int id;
    explicit Listening(Screen::ActiveControlListener listener)
        : id(Screen::AddActiveControlListener(std::move(listener))) {}
    ~Listening() { Screen::RemoveActiveControlListener(id); }
};

} // namespace

TEST(ParentNotify, EveryAncestorHearsOfAPressNearestFirstBeforeTheChildHandlesIt) {
    Nest n;
    tktest::MouseDriver mouse;
    const Point at = n.child->ClientToScreen({7, 8});
    mouse.Press(at);
    ASSERT_EQ(n.notices.size(), 3u);
    EXPECT_EQ(n.notices[0].who, "middle");
    EXPECT_EQ(n.notices[1].who, "body");
    EXPECT_EQ(n.notices[2].who, "form");
    for (const Notice& notice : n.notices) {
        EXPECT_EQ(notice.code, TK_LBUTTONDOWN);
        EXPECT_EQ(notice.childPresses, 0u) << notice.who;
    }
    // The point is in each receiver's own client coordinates.
    EXPECT_EQ(n.notices[0].point, (Point{12, 14}));
    EXPECT_EQ(n.notices[1].point, (Point{32, 44}));
    EXPECT_EQ(n.notices[2].point, n.form->ScreenToClient(at));
    EXPECT_EQ(n.child->presses, 1u);
    mouse.Release(at);

    n.notices.clear();
    mouse.Press(at, mbRight);
    mouse.Release(at, mbRight);
    ASSERT_EQ(n.notices.size(), 3u);
    EXPECT_EQ(n.notices[0].code, TK_RBUTTONDOWN);

    // A press on the middle panel itself: only its ancestors hear of it.
    n.notices.clear();
    mouse.Click(n.middle->ClientToScreen({100, 80}));
    ASSERT_EQ(n.notices.size(), 2u);
    EXPECT_EQ(n.notices[0].who, "body");
    EXPECT_EQ(n.child->presses, 2u);
}

TEST(ParentNotify, AnAncestorThatFreesThePressedControlEndsThePress) {
    Nest n;
    const WindowProcedure inherited = n.body->WindowProc();
    n.body->SetWindowProc([&, inherited](Message& m) {
        inherited(m);
        if (m.Msg == TK_PARENTNOTIFY && n.middle) {
            n.middle->Free();
            n.middle = nullptr;
        }
    });
    tktest::MouseDriver mouse;
    const Point at = n.child->ClientToScreen({7, 8});
    mouse.Press(at);
    mouse.Release(at);
    tktest::PumpEvents();
    // middle heard of it, body freed middle and the child with it; the form was not told.
    ASSERT_EQ(n.notices.size(), 2u);
    EXPECT_EQ(n.notices[1].who, "body");
    EXPECT_EQ(n.body->ControlCount(), 0);
    EXPECT_EQ(Control::CaptureControl(), nullptr);
}

TEST(ActiveControlListeners, HearOldAndNewUntilRemoved) {
    Nest n;
    auto* a = new Edit(n.form.get());
    a->SetParent(n.body);
    a->SetBounds(200, 10, 80, 20);
    auto* b = new Edit(n.form.get());
    b->SetParent(n.body);
    b->SetBounds(200, 40, 80, 20);
    tktest::PumpEvents();
    a->SetFocus();
    tktest::PumpEvents();

    std::vector<std::pair<Control*, Control*>> seen;
    Listening listening([&](Control* o, Control* c) { seen.emplace_back(o, c); });
    b->SetFocus();
    tktest::PumpEvents();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, a);
    EXPECT_EQ(seen[0].second, b);

    // Focus given by a press, through the window system.
    tktest::MouseDriver mouse;
    mouse.Click(a->ClientToScreen({5, 5}));
    tktest::PumpEvents();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].first, b);
    EXPECT_EQ(seen[1].second, a);
    EXPECT_EQ(Screen::ActiveControl(), a);

    // The active control freed.
    a->Free();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].first, static_cast<Control*>(a));
    EXPECT_EQ(seen[2].second, nullptr);

    Screen::RemoveActiveControlListener(listening.id);
    b->SetFocus();
    tktest::PumpEvents();
    EXPECT_EQ(Screen::ActiveControl(), b);
    EXPECT_EQ(seen.size(), 3u);
}

TEST(ActiveControlListeners, AListenerRemovedByAnotherIsNotCalled) {
    Nest n;
    auto* a = new Edit(n.form.get());
    a->SetParent(n.body);
    int firstCalls = 0, secondCalls = 0;
    int secondId = 0;
    Listening first([&](Control*, Control*) {
        ++firstCalls;
        Screen::RemoveActiveControlListener(secondId);
    });
    Listening second([&](Control*, Control*) { ++secondCalls; });
    secondId = second.id;
    a->SetFocus();
    n.middle->SetFocus();
    EXPECT_EQ(firstCalls, 2);
    EXPECT_EQ(secondCalls, 0);
    Screen::RemoveActiveControlListener(first.id);
    a->SetFocus();
    EXPECT_EQ(firstCalls, 2);
}
