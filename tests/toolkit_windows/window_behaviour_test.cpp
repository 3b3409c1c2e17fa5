#include <gtest/gtest.h>

#include <QApplication>
#include <QRegion>
#include <QWidget>
#include <string>
#include <vector>

#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

using namespace tk;

namespace {

Owned<Form> MakeForm(Rect bounds) {
    Owned<Form> form(new Form(nullptr));
    form->SetBoundsRect(bounds);
    return form;
}

// Records the order in which forms go.
class NamedForm : public Form {
public:
    NamedForm(Component* owner, std::string name, std::vector<std::string>* log)
        : Form(owner), name_(std::move(name)), log_(log) {}
    ~NamedForm() override { log_->push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>* log_;
};

std::vector<std::string>* g_freed = nullptr;

struct MainForm : NamedForm {
    explicit MainForm(Component* owner) : NamedForm(owner, "main", g_freed) {}
};

} // namespace

TEST(FormStacking, OnTopWindowsStayAboveWithoutTakingTheActivation) {
    auto main = MakeForm(BoundsRect(0, 0, 300, 200));
    main->Show();
    main->Activate();
    tktest::PumpEvents();
    ASSERT_EQ(Screen::ActiveForm(), main.get());

    auto guide = MakeForm(BoundsRect(40, 30, 100, 80));
    guide->SetBorderStyle(bsNone);
    // Shown where it is, whatever its placement would have been.
    guide->SetPosition(poScreenCenter);
    guide->ShowOnTop();
    tktest::PumpEvents();
    EXPECT_TRUE(guide->Showing());
    EXPECT_TRUE(guide->StaysOnTop());
    EXPECT_EQ(guide->BoundsRect(), BoundsRect(40, 30, 100, 80));
    EXPECT_EQ(Screen::ActiveForm(), main.get());

    // An ordinary window that comes to the front stays below it.
    auto other = MakeForm(BoundsRect(20, 20, 200, 100));
    other->Show();
    other->BringToFront();
    EXPECT_EQ(Screen::FormAtPoint({50, 40}), guide.get());
    EXPECT_EQ(Screen::Forms().front(), guide.get());

    // Moving by an offset keeps size, stacking and the active window.
    guide->MoveBy(-15, 7);
    EXPECT_EQ(guide->BoundsRect(), BoundsRect(25, 37, 100, 80));
    EXPECT_EQ(Screen::Forms().front(), guide.get());
    EXPECT_EQ(Screen::ActiveForm(), main.get());

    // A stay-on-top tool window shown without activation leaves it alone too.
    auto floating = MakeForm(BoundsRect(200, 150, 120, 90));
    floating->SetBorderStyle(bsSizeToolWin);
    floating->SetFormStyle(fsStayOnTop);
    floating->ShowNoActivate();
    tktest::PumpEvents();
    EXPECT_EQ(Screen::ActiveForm(), main.get());
    EXPECT_EQ(Screen::Forms()[1], guide.get());
    EXPECT_EQ(Screen::Forms()[0], floating.get());
}

TEST(FormRegion, OnlyTheRegionShowsAndTakesTheMouse) {
    auto form = MakeForm(BoundsRect(100, 100, 60, 60));
    form->SetBorderStyle(bsNone);
    form->Show();
    const Region shape = Region(MakeRect(0, 0, 20, 60)).United(MakeRect(0, 40, 60, 60));
    form->SetWindowRegion(shape);
    EXPECT_TRUE(form->HasWindowRegion());
    EXPECT_EQ(form->WindowRegion(), shape);
    // The region is in window coordinates.
    EXPECT_EQ(tktest::MouseDriver::ControlAt({105, 105}), form.get());
    EXPECT_EQ(tktest::MouseDriver::ControlAt({150, 150}), form.get());
    EXPECT_EQ(tktest::MouseDriver::ControlAt({150, 105}), nullptr);

    // An empty region shows nothing; the form stays visible and comes back with a shape.
    form->SetWindowRegion(Region());
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->Showing());
    EXPECT_EQ(tktest::MouseDriver::ControlAt({105, 105}), nullptr);
    form->SetWindowRegion(shape.Offset(20, 0));
    EXPECT_TRUE(form->Showing());
    EXPECT_EQ(tktest::MouseDriver::ControlAt({105, 105}), nullptr);

    form->ClearWindowRegion();
    EXPECT_FALSE(form->HasWindowRegion());
    EXPECT_EQ(tktest::MouseDriver::ControlAt({150, 105}), form.get());
}

TEST(FormAlpha, ConstantAlphaSetsTheWindowOpacity) {
    auto form = MakeForm(BoundsRect(0, 0, 50, 50));
    form->SetAlphaBlendValue(70);
    EXPECT_DOUBLE_EQ(form->Widget()->windowOpacity(), 1.0);
    form->SetAlphaBlend(true);
    EXPECT_NEAR(form->Widget()->windowOpacity(), 70 / 255.0, 0.005);
    form->SetAlphaBlendValue(0);
    EXPECT_NEAR(form->Widget()->windowOpacity(), 0.0, 0.005);
    form->SetAlphaBlend(false);
    EXPECT_DOUBLE_EQ(form->Widget()->windowOpacity(), 1.0);
    EXPECT_EQ(form->AlphaBlendValue(), 0);
    // Nothing composites headless, unless a test says otherwise.
    EXPECT_FALSE(Screen::CompositingAvailable());
    Screen::SetCompositingForTesting(true);
    EXPECT_TRUE(Screen::CompositingAvailable());
    Screen::SetCompositingForTesting(std::nullopt);
    EXPECT_FALSE(Screen::CompositingAvailable());
}

TEST(FormRelease, ReleasedFormsAreFreedExactlyOnce) {
    std::vector<std::string> freed;
    // From inside its own handler, twice.
    auto* pressed = new NamedForm(nullptr, "pressed", &freed);
    pressed->SetBounds(10, 10, 80, 60);
    pressed->OnMouseDown = [&](Component* sender, MouseButton, ShiftState, int, int) {
        static_cast<Form*>(sender)->ReleaseLater();
        static_cast<Form*>(sender)->ReleaseLater();
    };
    pressed->Show();
    tktest::MouseDriver mouse;
    mouse.Click({30, 30});
    EXPECT_TRUE(freed.empty());
    tktest::PumpEvents();
    EXPECT_EQ(freed, std::vector<std::string>{"pressed"});

    // Released, then freed by its owner before the loop runs.
    auto* owner = new Component(nullptr);
    new NamedForm(owner, "owned", &freed);
    static_cast<Form*>(owner->Components(0))->ReleaseLater();
    owner->Free();
    tktest::PumpEvents();
    EXPECT_EQ(freed, (std::vector<std::string>{"pressed", "owned"}));
}

TEST(FormRelease, TheApplicationFreesItsFormsInReverseCreationOrder) {
    std::vector<std::string> freed;
    Application app;
    g_freed = &freed;
    app.CreateForm<MainForm>();
    new NamedForm(&app, "first", &freed);
    auto* second = new NamedForm(&app, "second", &freed);
    new NamedForm(&app, "third", &freed);
    second->ReleaseLater();
    app.FreeForms();
    tktest::PumpEvents();
    EXPECT_EQ(freed, (std::vector<std::string>{"third", "second", "first", "main"}));
}

TEST(Monitors, WorkAreasUniteAcrossMonitorsLeftOfAndAbovePrimary) {
    struct Layout {
        std::vector<Monitor> monitors;
        Rect workAreas;
    };
    auto monitor = [](Rect bounds, int taskbar, bool primary) {
        Monitor m;
        m.BoundsRect = bounds;
        m.WorkareaRect = MakeRect(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom - taskbar);
        m.Primary = primary;
        return m;
    };
    const Layout layouts[] = {
        {{monitor(MakeRect(0, 0, 1920, 1080), 40, true), monitor(MakeRect(-1280, 56, 0, 1080), 0, false)},
         MakeRect(-1280, 0, 1920, 1080)},
        {{monitor(MakeRect(0, 0, 1600, 900), 30, true), monitor(MakeRect(200, -1024, 1480, 0), 24, false)},
         MakeRect(0, -1024, 1600, 870)},
    };
    for (const Layout& layout : layouts) {
        Screen::SetMonitorLayoutForTesting(layout.monitors);
        EXPECT_EQ(Screen::MonitorCount(), 2);
        EXPECT_EQ(Screen::DesktopWorkAreaRect(), layout.workAreas);
        EXPECT_EQ(Screen::PrimaryMonitor().BoundsRect, layout.monitors[0].BoundsRect);
        EXPECT_EQ(Screen::MonitorFromPoint(layout.monitors[1].BoundsRect.TopLeft()).MonitorNum, 1);
    }
    Screen::SetMonitorLayoutForTesting({});
    EXPECT_EQ(Screen::MonitorCount(), static_cast<int>(QGuiApplication::screens().size()));
}
