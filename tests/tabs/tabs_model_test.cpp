// The strip's list of tabs: defaults, adding at an index, the current index
// under selection (with veto), deletion and visibility changes, lookups and
// the update bracket.

#include "tabs_fixture.h"
#include <orlodock/tk/exceptions.h>

using Events = std::vector<std::string>;
using Names = std::vector<std::string>;

namespace {

TEST_F(TabsTest, StartsEmptyWithTheDocumentedDefaults) {
    Owned<TOrloDockTabs> fresh = MakeOwned<TOrloDockTabs>();
    EXPECT_EQ(fresh->TabCount(), 0);
    EXPECT_EQ(fresh->TabIndex(), -1);
    EXPECT_EQ(fresh->TabPosition(), tpBottom);
    EXPECT_EQ(fresh->TabHeight(), 20);
    EXPECT_EQ(fresh->TabBackColor(), 0xFF000018u);
    EXPECT_EQ(fresh->Indent(), 5);
    EXPECT_EQ(fresh->TabSpacing(), 5);
    EXPECT_EQ(fresh->ImageWidth(), 0);
    EXPECT_EQ(fresh->Images(), nullptr);
    EXPECT_FALSE(fresh->TabsSqueezed());
    EXPECT_FALSE(fresh->Dragging());
    EXPECT_EQ(fresh->UpdateCount(), 0);
    EXPECT_EQ(fresh->BoundsRect(), tk::MakeRect(0, 0, 100, 21));
    EXPECT_EQ(fresh->Color(), 0xFF000005u);
    EXPECT_EQ(fresh->Font()->Color(), 0xFF000017u);
    EXPECT_EQ(fresh->Align(), tk::alNone);
    EXPECT_TRUE(fresh->ShowHint());
    EXPECT_TRUE(fresh->ParentFont());
    EXPECT_TRUE(fresh->DoubleBuffered());
    EXPECT_TRUE(fresh->ControlStyle() & tk::csCaptureMouse);
    EXPECT_TRUE(fresh->ControlStyle() & tk::csAcceptsControls);
    EXPECT_EQ(fresh->ClassName(), "TOrloDockTabs");
}

TEST_F(TabsTest, AddTabPlacesTheTabAtItsIndexAndMakesItCurrent) {
    CaptionZone* a = NewZone("A");
    CaptionZone* b = NewZone("B");
    CaptionZone* c = NewZone("C");
    strip->AddTab(0, a, -1);
    strip->AddTab(1, b, 3);
    events.clear();
    TOrloDockTab* tab = strip->AddTab(1, c, -1);

    // Tab i keeps standing for child i when a child is inserted in the middle.
    EXPECT_EQ(Order(), (Names{"A", "C", "B"}));
    EXPECT_EQ(strip->GetTab(1), tab);
    EXPECT_EQ(tab->Zone(), c);
    EXPECT_EQ(tab->Owner(), strip.get());
    EXPECT_TRUE(tab->Visible());
    EXPECT_EQ(tab->ImageIndex(), -1);
    EXPECT_EQ(strip->GetTab(2)->ImageIndex(), 3);
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_EQ(events, (Events{"changing 1->1", "change 1->1"}));
    EXPECT_EQ(strip->UpdateCount(), 0);

    // An index past the end appends.
    strip->AddTab(99, NewZone("D"), -1);
    EXPECT_EQ(Order(), (Names{"A", "C", "B", "D"}));
    EXPECT_EQ(strip->TabIndex(), 3);
}

TEST_F(TabsTest, SelectingRaisesChangingThenChange) {
    AddTabs({"A", "B", "C"}, 0);
    EXPECT_TRUE(strip->SetTabIndex(2));
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"changing 0->2", "change 0->2"}));

    // The current index again: both events again; -1 for none.
    events.clear();
    EXPECT_TRUE(strip->SetTabIndex(2));
    EXPECT_TRUE(strip->SetTabIndex(-1));
    EXPECT_EQ(strip->TabIndex(), -1);
    EXPECT_EQ(events, (Events{"changing 2->2", "change 2->2", "changing 2->-1", "change 2->-1"}));
}

TEST_F(TabsTest, SelectingAMissingOrHiddenTabIsRefused) {
    AddTabs({"A", "B", "C"}, 0);
    strip->SetTabVisible(2, false);
    events.clear();
    for (int index : {2, 3, -2}) {
        EXPECT_FALSE(strip->SetTabIndex(index)) << index;
        EXPECT_EQ(strip->TabIndex(), 1) << index;
    }
    EXPECT_TRUE(events.empty()) << "a refused index raises no events";
    // With none shown, any tab may be current.
    strip->SetTabVisible(0, false);
    strip->SetTabVisible(1, false);
    EXPECT_TRUE(strip->SetTabIndex(2));
}

TEST_F(TabsTest, ChangingHandlerCanVetoTheSelection) {
    AddTabs({"A", "B", "C"}, 0);
    strip->OnTabChanging = [this](tk::Component*, int current, int next, bool& allow) {
        EXPECT_TRUE(allow);
        Log("changing", current, next);
        allow = next != 2;
    };
    EXPECT_FALSE(strip->SetTabIndex(2));
    EXPECT_EQ(strip->TabIndex(), 0);
    EXPECT_TRUE(strip->SetTabIndex(1));
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_EQ(events, (Events{"changing 0->2", "changing 0->1", "change 0->1"}));
}

TEST_F(TabsTest, DeletingATabBeforeTheCurrentOneKeepsTheSameTabCurrent) {
    AddTabs({"A", "B", "C", "D"}, 2);
    TOrloDockTab* current = strip->GetTab(2);
    strip->DeleteTab(0);
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_EQ(strip->GetTab(strip->TabIndex()), current);
    // Deleting after the current tab leaves it alone too.
    strip->DeleteTab(2);
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_EQ(Order(), (Names{"B", "C"}));
    EXPECT_TRUE(events.empty()) << "deleting raises no events";
}

TEST_F(TabsTest, DeletingTheCurrentTabMakesThePreviousOneCurrent) {
    AddTabs({"A", "B", "C"}, 2);
    strip->DeleteTab(2);
    EXPECT_EQ(strip->TabIndex(), 1);
    strip->DeleteTab(1);
    EXPECT_EQ(strip->TabIndex(), 0);
    Add("X");
    strip->SetTabIndex(0);
    // The first tab going while current: the former second tab becomes current.
    strip->DeleteTab(0);
    EXPECT_EQ(Order(), (Names{"X"}));
    EXPECT_EQ(strip->TabIndex(), 0);
    strip->DeleteTab(0);
    EXPECT_EQ(strip->TabCount(), 0);
    EXPECT_EQ(strip->TabIndex(), -1);
}

TEST_F(TabsTest, DeletingOutsideTheListIsIgnored) {
    AddTabs({"A", "B"}, 1);
    strip->DeleteTab(-1);
    strip->DeleteTab(2);
    EXPECT_EQ(strip->TabCount(), 2);
    EXPECT_EQ(strip->TabIndex(), 1);
}

TEST_F(TabsTest, IndexOutsideTheListIsAListError) {
    AddTabs({"A", "B"}, 0);
    EXPECT_THROW(strip->GetTab(2), tk::EListError);
    EXPECT_THROW(strip->GetTab(-1), tk::EListError);
    EXPECT_THROW(strip->SetTabVisible(5, false), tk::EListError);
    EXPECT_EQ(strip->GetTab(1)->Caption(), "B");
}

TEST_F(TabsTest, ShowingATabMakesItCurrent) {
    AddTabs({"A", "B", "C"}, 0);
    strip->GetTab(2)->SetVisible(false);
    strip->SetTabVisible(2, true);
    EXPECT_TRUE(strip->GetTab(2)->Visible());
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_EQ(events, (Events{"changing 0->2", "change 0->2"}));
}

TEST_F(TabsTest, HidingATabMovesTheCurrentTabNextToIt) {
    AddTabs({"A", "B", "C", "D"}, 3);
    // Even a tab that is not current takes the selection to its visible neighbour before it.
    strip->SetTabVisible(2, false);
    EXPECT_FALSE(strip->GetTab(2)->Visible());
    EXPECT_EQ(strip->TabIndex(), 1);
    // No visible tab before: the one after.
    strip->SetTabVisible(0, false);
    EXPECT_EQ(strip->TabIndex(), 1);
    strip->SetTabVisible(1, false);
    EXPECT_EQ(strip->TabIndex(), 3);
    // The last visible tab hidden: nothing left to select.
    events.clear();
    strip->SetTabVisible(3, false);
    EXPECT_EQ(strip->TabIndex(), 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(TabsTest, NeighbouringVisibleTabsSkipHiddenOnes) {
    AddTabs({"A", "B", "C", "D"}, 0);
    strip->GetTab(1)->SetVisible(false);
    strip->GetTab(2)->SetVisible(false);
    EXPECT_EQ(strip->NextVisibleTab(strip->GetTab(0)), strip->GetTab(3));
    EXPECT_EQ(strip->PrevVisibleTab(strip->GetTab(3)), strip->GetTab(0));
    EXPECT_EQ(strip->NextVisibleTab(strip->GetTab(3)), nullptr);
    EXPECT_EQ(strip->PrevVisibleTab(strip->GetTab(0)), nullptr);

    Owned<TOrloDockTabs> other = MakeOwned<TOrloDockTabs>();
    TOrloDockTab* stranger = other->AddTab(0, nullptr, -1);
    EXPECT_EQ(strip->NextVisibleTab(stranger), nullptr);
    EXPECT_EQ(strip->PrevVisibleTab(stranger), nullptr);
}

TEST_F(TabsTest, OnlyTheOutermostEndUpdateRepaints) {
    AddTabs({"A", "B"}, 0);
    PaintNow();
    ASSERT_FALSE(strip->HasInvalidArea());

    strip->BeginUpdate();
    strip->SetTabBackColor(tk::clWhite); // brackets itself inside ours
    EXPECT_EQ(strip->UpdateCount(), 1);
    EXPECT_FALSE(strip->HasInvalidArea());
    strip->EndUpdate();
    EXPECT_TRUE(strip->HasInvalidArea());

    // Unbalanced EndUpdate is harmless: the count never stays below zero.
    strip->EndUpdate();
    EXPECT_EQ(strip->UpdateCount(), 0);
    strip->BeginUpdate();
    EXPECT_EQ(strip->UpdateCount(), 1);
    strip->EndUpdate();
}

TEST_F(TabsTest, ClientAreaLeavesRoomForTheTabBand) {
    strip->SetBounds(0, 0, 200, 60);
    tk::Rect r = strip->ClientRect();
    strip->AdjustClientRect(r);
    EXPECT_EQ(r, tk::MakeRect(0, 0, 200, 39));

    strip->SetTabPosition(tpTop);
    r = strip->ClientRect();
    strip->AdjustClientRect(r);
    EXPECT_EQ(r, tk::MakeRect(0, 21, 200, 60));
}

} // namespace
