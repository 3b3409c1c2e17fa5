// Pressing, dragging and Escape on the strip: selection by pressing, the
// dragged tab travelling with the mouse (one exchange per tab landed on),
// Escape's single exchange back, pulling a tab out over the empty band, and
// the full caption as a hint while tabs are squeezed.

#include "tabs_fixture.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/messages.h>

using Events = std::vector<std::string>;
using Names = std::vector<std::string>;

namespace {

struct DragOut {
    int index;
    tk::Point point;
};

class TabsMouseTest : public TabsTest {
protected:
    std::vector<DragOut> dragOuts;

    void CatchDragOut() {
        strip->OnTabDragOut = [this](tk::Component* sender, int index, tk::Point& point) {
            EXPECT_EQ(sender, strip.get());
            dragOuts.push_back({index, point});
        };
    }
    void TearDown() override {
        tk::App()->CancelHint();
        TabsTest::TearDown();
    }
};

TEST_F(TabsMouseTest, PressingATabSelectsItAndStartsDragging) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    const tk::Point at = TabCentre(2);
    Press(at);
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"changing 0->2", "change 0->2"}));
    EXPECT_TRUE(strip->Dragging());
    EXPECT_EQ(strip->DragStartIndex(), 2);
    EXPECT_EQ(strip->MouseDownPos(), at);
    Release(at);
    EXPECT_FALSE(strip->Dragging());

    // Pressing the current tab changes nothing.
    events.clear();
    Press(TabCentre(2));
    EXPECT_TRUE(events.empty());
    Release(TabCentre(2));
}

TEST_F(TabsMouseTest, VetoedPressStillStartsADragFromTheCurrentTab) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    strip->OnTabChanging = [](tk::Component*, int, int, bool& allow) { allow = false; };
    Press(TabCentre(1));
    EXPECT_EQ(strip->TabIndex(), 0);
    EXPECT_TRUE(strip->Dragging());
    EXPECT_EQ(strip->DragStartIndex(), 0);
    Release(TabCentre(1));
}

TEST_F(TabsMouseTest, DraggingOverTwoNeighboursExchangesTwiceWithoutChangeEvents) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    Press(TabCentre(0));
    Drag(TabCentre(1));
    EXPECT_EQ(Order(), (Names{"Beta", "Alpha", "Gamma"}));
    EXPECT_EQ(strip->TabIndex(), 1);
    Drag(TabCentre(2));
    EXPECT_EQ(Order(), (Names{"Beta", "Gamma", "Alpha"}));
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"moved 0->1", "moved 1->2"}));
    // The layout follows the new order.
    EXPECT_EQ(strip->GetTab(0)->Left(), 5);
    EXPECT_EQ(strip->GetTab(0)->Width(), TextWidth("Beta") + 10);

    // Moving within the dragged tab does nothing more.
    Drag(TabCentre(2));
    Release(TabCentre(2));
    EXPECT_EQ(events.size(), 2u);
    Drag(TabCentre(0)); // no button: no drag
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(TabsMouseTest, FastMoveExchangesDirectlyWithTheTabUnderTheMouse) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    Press(TabCentre(0));
    Drag(TabCentre(2));
    EXPECT_EQ(Order(), (Names{"Gamma", "Beta", "Alpha"}));
    EXPECT_EQ(events, (Events{"moved 0->2"}));
    Release(TabCentre(2));
}

TEST_F(TabsMouseTest, EscapeMakesOneExchangeBackToWhereTheDragStarted) {
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    Press(TabCentre(0));
    Drag(TabCentre(1));
    Drag(TabCentre(2));
    events.clear();

    Key(tk::VK_ESCAPE);
    EXPECT_FALSE(strip->Dragging());
    // One exchange of the tab at TabIndex with the one at DragStartIndex, not a full undo.
    EXPECT_EQ(Order(), (Names{"Alpha", "Gamma", "Beta"}));
    EXPECT_EQ(strip->TabIndex(), 0);
    EXPECT_EQ(events, (Events{"moved 2->0"}));

    // Nothing left to put back.
    events.clear();
    Key(tk::VK_ESCAPE);
    Key('A');
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Order(), (Names{"Alpha", "Gamma", "Beta"}));
}

TEST_F(TabsMouseTest, EscapeWithoutCurrentTabDoesNothing) {
    AddTabs({"Alpha", "Beta"}, 1);
    Press(TabCentre(1));
    Release(TabCentre(1));
    strip->SetTabIndex(-1);
    events.clear();
    Key(tk::VK_ESCAPE);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Order(), (Names{"Alpha", "Beta"}));
}

TEST_F(TabsMouseTest, MovingOverTheEmptyBandWhileDraggingPullsTheCurrentTabOut) {
    CatchDragOut();
    AddTabs({"Alpha", "Beta"}, 1);
    Press({290, 10}); // right of the last tab
    EXPECT_TRUE(strip->Dragging());
    EXPECT_EQ(strip->TabIndex(), 1);
    Drag({292, 10});
    ASSERT_EQ(dragOuts.size(), 1u);
    EXPECT_EQ(dragOuts[0].index, 1);
    EXPECT_EQ(dragOuts[0].point, (tk::Point{0, 0}));
    EXPECT_FALSE(strip->Dragging()); // the strip's own mouse-up ran
    Drag({294, 10});
    EXPECT_EQ(dragOuts.size(), 1u);
    EXPECT_TRUE(events.empty());
}

TEST_F(TabsMouseTest, DraggingATabOffTheBandPullsItOut) {
    CatchDragOut();
    strip->SetBounds(0, 0, 300, 40);
    AddTabs({"Alpha", "Beta", "Gamma"}, 0);
    Press(TabCentre(2));
    Drag({TabCentre(2).X, 5}); // above the band
    ASSERT_EQ(dragOuts.size(), 1u);
    EXPECT_EQ(dragOuts[0].index, 2);
    EXPECT_FALSE(strip->Dragging());
}

TEST_F(TabsMouseTest, WithoutDragOutHandlerTheDragGoesOn) {
    AddTabs({"Alpha", "Beta"}, 1);
    Press({290, 10});
    Drag({292, 10});
    EXPECT_TRUE(strip->Dragging());
    Release({292, 10});
}

TEST_F(TabsMouseTest, DragOutHandlerMayFreeTheStrip) {
    AddTabs({"Alpha", "Beta"}, 1);
    bool called = false;
    strip->OnTabDragOut = [this, &called](tk::Component*, int, tk::Point&) {
        called = true;
        strip.reset(); // the tab group lets go of its strip
    };
    Press({290, 10});
    TOrloDockTabs* raw = strip.get();
    raw->DispatchMouseMove(tk::ssLeft, {292, 10});
    EXPECT_TRUE(called);
    EXPECT_EQ(strip, nullptr);
}

TEST_F(TabsMouseTest, SqueezedTabsShowTheirFullCaptionAsHint) {
    strip->SetWidth(80);
    AddTabs({"First panel", "Second panel", "Third panel"}, 0);
    ASSERT_TRUE(strip->TabsSqueezed());
    Hover(TabCentre(1));
    EXPECT_EQ(strip->Hint(), "Second panel");
    EXPECT_TRUE(tk::App()->HintShowing());
    EXPECT_EQ(tk::App()->HintText(), "Second panel");

    // Leaving the tabs does not clear it.
    Hover({78, 10});
    EXPECT_EQ(strip->Hint(), "Second panel");
}

} // namespace
