// The strip in a shown window, driven by the mouse at screen points as a user
// would: capture keeps a drag on the strip when the pointer leaves it, and
// what the window shows is what the strip painted.

#include "support/mouse_driver.h"
#include "support/toolkit_helpers.h"
#include "tabs_fixture.h"
#include <orlodock/tk/forms.h>

using Events = std::vector<std::string>;
using Names = std::vector<std::string>;

namespace {

class TabsWindowTest : public TabsTest {
protected:
    Owned<tk::Form> form{new tk::Form(nullptr)};
    tktest::MouseDriver mouse;
    std::vector<int> dragOuts;

    void SetUp() override {
        TabsTest::SetUp();
        form->SetBorderStyle(tk::bsNone);
        form->SetBounds(100, 100, 320, 80);
        strip->SetParent(form.get());
        strip->SetBounds(10, 50, 300, 21);
        strip->SetColor(tk::clBtnFace);
        strip->OnTabDragOut = [this](tk::Component*, int index, tk::Point&) { dragOuts.push_back(index); };
        form->Show();
        tktest::PumpEvents();
    }
    void TearDown() override {
        // The strip goes with the form's children: let go of ours first.
        strip.reset();
        form.reset();
        TabsTest::TearDown();
    }

    tk::Point Screen(tk::Point client) const { return strip->ClientToScreen(client); }
};

TEST_F(TabsWindowTest, DraggingATabAcrossItsNeighboursReordersThem) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    mouse.Press(Screen(TabCentre(0)));
    mouse.Move(Screen(TabCentre(1)));
    mouse.Move(Screen(TabCentre(2)));
    mouse.Release(Screen(TabCentre(2)));
    EXPECT_EQ(Order(), (Names{"Beta", "Gamma", "Alpha"}));
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"moved 0->1", "moved 1->2"}));
    EXPECT_FALSE(strip->Dragging());
}

TEST_F(TabsWindowTest, DraggingATabUpOutOfTheStripPullsItOut) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    mouse.Press(Screen(TabCentre(1)));
    // Above the strip, over the form: capture still routes the move to the strip.
    mouse.Move(Screen({TabCentre(1).X, -20}));
    EXPECT_EQ(dragOuts, (std::vector<int>{1}));
    EXPECT_FALSE(strip->Dragging());
    mouse.Release(Screen({TabCentre(1).X, -20}));
    EXPECT_EQ(Order(), (Names{"Alpha", "Beta", "Gamma"}));
}

TEST_F(TabsWindowTest, WindowShowsTheCurrentTabInTheStripColour) {
    AddTabs({"Alpha", "Beta"}, 1);
    tktest::PumpEvents();
    const QImage shown = tktest::GrabControl(strip.get());
    const int x = strip->GetTab(1)->Left() + 2;
    EXPECT_EQ(tktest::PixelOf(shown, x, 2), tk::ColorToRGB(tk::clBtnFace));
    EXPECT_EQ(tktest::PixelOf(shown, strip->GetTab(0)->Left() + 2, 2), tk::ColorToRGB(tk::clInfoBk));
    EXPECT_EQ(tktest::PixelOf(shown, 2, 1), tk::clBlack);
}

} // namespace
