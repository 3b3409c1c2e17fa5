// A tab group shows its panels through its strip: the strip's configuration
// and place, the shared client area, caption, hit tests, drop positions,
// painting, and tab i standing for child i through every insertion, move,
// exchange, removal and visibility change.

#include "support/dock_tree_fixture.h"
#include <orlodock/tk/imagelist.h>

namespace {

using tk::MakeRect;

class TabGroupTest : public DockTreeTest {
protected:
    TOrloDockablePanel* p1 = nullptr;
    TOrloDockablePanel* p2 = nullptr;
    TOrloDockTabbedContainerZone* group = nullptr;

    // The root holding one group of two tabs, P1 and P2 (current).
    void SetUp() override {
        DockTreeTest::SetUp();
        p1 = DockNew("P1", nullptr, tk::alNone);
        p2 = DockNew("P2", p1, tk::alClient);
        group = GroupOf(p1);
        ASSERT_NE(group, nullptr);
        ASSERT_EQ(Shape(), "H[T[P1,P2]:100]");
    }

    TOrloDockTabs* Strip() { return group->Tabs(); }
    TOrloDockZone* Tab(int i) { return group->Child(i); }

    // Panel names in tab order, as the strip lists them.
    std::vector<std::string> TabNames() {
        std::vector<std::string> names;
        for (int i = 0; i < Strip()->TabCount(); ++i) {
            auto* leaf = dynamic_cast<TOrloDockControlZone*>(Strip()->GetTab(i)->Zone());
            names.push_back(leaf && leaf->Panel() ? leaf->Panel()->Name().toStdString() : "?");
        }
        return names;
    }

    // Position of a panel among its parent's controls: higher is in front.
    static int ZOrder(tk::Control* control) {
        for (int i = 0; i < control->Parent()->ControlCount(); ++i)
            if (control->Parent()->Controls(i) == control)
                return i;
        return -1;
    }

    tk::Point TabCentre(int i) {
        TOrloDockTab* tab = Strip()->GetTab(i);
        return {tab->Left() + tab->Width() / 2, Strip()->Height() - 8};
    }
};

using Names = std::vector<std::string>;

TEST(TabGroupCreation, StripIsConfiguredOwnedAndHidden) {
    Owned<TOrloDockTabbedContainerZone> group = MakeOwned<TOrloDockTabbedContainerZone>();
    TOrloDockTabs* strip = group->Tabs();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->Owner(), nullptr);
    EXPECT_EQ(strip->TabPosition(), tpBottom);
    EXPECT_EQ(strip->Color(), tk::clBtnFace);
    EXPECT_EQ(strip->TabBackColor(), 0x00F0FBFFu);
    EXPECT_EQ(strip->TabHeight(), 20);
    EXPECT_EQ(strip->Height(), 21);
    EXPECT_FALSE(strip->Visible());
    EXPECT_TRUE(strip->OnTabChange && strip->OnTabMoved && strip->OnGetImages && strip->OnGetImageIndex &&
                strip->OnTabDragOut);
    EXPECT_FALSE(strip->OnTabChanging);
    EXPECT_EQ(group->ChildOrientation(), voTabbed);
    EXPECT_EQ(group->PendingTabIndex(), -1);
    EXPECT_EQ(group->CurrentTabIndex(), -1);
    EXPECT_TRUE(group->AcceptsTabDock());
}

TEST_F(TabGroupTest, TabsShareTheClientAreaBetweenTitleBarAndStrip) {
    EXPECT_EQ(group->Bounds(), MakeRect(0, 0, 296, 400));
    EXPECT_TRUE(Strip()->Visible());
    EXPECT_EQ(Strip()->Parent(), site->Control());
    EXPECT_EQ(Strip()->BoundsRect(), MakeRect(0, 379, 296, 400));
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 296, 378));
    EXPECT_EQ(p2->BoundsRect(), MakeRect(0, 18, 296, 378));
    EXPECT_EQ(group->GetMinimumSize(), 28 + 21);

    // Stacked above another panel: the splitter strip is the group's last
    // rows, below the tab strip.
    DockNew("P3", p1, tk::alBottom);
    ASSERT_EQ(Shape(), "H[T[P1,P2]:50,P3:50]");
    EXPECT_EQ(group->Bounds(), MakeRect(0, 0, 296, 200));
    EXPECT_EQ(Strip()->BoundsRect(), MakeRect(0, 175, 296, 196));
    EXPECT_EQ(p2->BoundsRect(), MakeRect(0, 18, 296, 174));
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, OneVisibleTabHidesTheStripAndItsPanelReachesTheBottom) {
    p2->SetVisible(false);
    EXPECT_FALSE(Strip()->Visible());
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p1));
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 296, 400));
    ExpectSoundTightAndBalanced();

    p2->SetVisible(true);
    EXPECT_TRUE(Strip()->Visible());
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p2)) << "a tab shown is selected";
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 296, 378));
    ExpectSoundTightAndBalanced();

    // Removed rather than hidden: the same.
    root->RemovePanel(p2->PanelIntf());
    EXPECT_EQ(Strip()->TabCount(), 1);
    EXPECT_FALSE(Strip()->Visible());
    EXPECT_EQ(p1->BoundsRect(), MakeRect(0, 18, 296, 400));
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, SelectingATabShowsItsPanelAndRetitlesTheGroup) {
    theme->PaintedTitleBars.clear();
    Strip()->SetTabIndex(0);
    EXPECT_GT(ZOrder(p1), ZOrder(p2));
    EXPECT_TRUE(p2->Visible()) << "the other panel goes to the back, still visible";
    ASSERT_EQ(theme->PaintedTitleBars.size(), 1u);
    EXPECT_EQ(theme->PaintedTitleBars[0], group->ZoneIntf());

    tk::String tabCaption;
    LeafOf(p1)->GetCaption(tabCaption);
    tk::String caption;
    group->GetCaption(caption);
    EXPECT_EQ(caption, tabCaption + tk::String::fromLatin1(" 100"));
    EXPECT_TRUE(caption.startsWith(tk::String::fromLatin1("P1 voTabbed ")));

    Strip()->SetTabIndex(-1);
    group->GetCaption(caption);
    EXPECT_TRUE(caption.isEmpty());
}

TEST_F(TabGroupTest, HitsAnswerTheCurrentTab) {
    DockNew("P3", p1, tk::alBottom); // gives the group a splitter
    tk::Rect close;
    tk::Rect pin;
    theme->GetCloseButtonRect(group->ZoneIntf(), close);
    theme->GetPinButtonRect(group->ZoneIntf(), pin);
    const auto hit = [this](tk::Point point, bool docking, TOrloDockHitArea& area) {
        area = zhNone;
        return group->ZoneAtPoint(point, docking, area);
    };
    TOrloDockHitArea area = zhNone;
    EXPECT_EQ(hit({pin.Left + 1, pin.Top + 1}, false, area), LeafOf(p2));
    EXPECT_EQ(area, zhPinButton);
    EXPECT_EQ(hit({close.Left + 1, close.Top + 1}, false, area), LeafOf(p2));
    EXPECT_EQ(area, zhCloseButton);
    EXPECT_EQ(hit({20, 5}, false, area), LeafOf(p2));
    EXPECT_EQ(area, zhTitleBar);
    EXPECT_EQ(hit({20, 198}, true, area), LeafOf(p2));
    EXPECT_EQ(area, zhSplitter) << "the docking flag does not hide the group's splitter";
    EXPECT_EQ(hit({20, 100}, false, area), LeafOf(p2));
    EXPECT_EQ(area, zhClient);
    EXPECT_EQ(hit({20, 250}, false, area), nullptr);

    Strip()->SetTabIndex(-1);
    EXPECT_EQ(hit({20, 100}, false, area), nullptr);
    EXPECT_EQ(hit({20, 5}, true, area), group);
    EXPECT_EQ(area, zhClient);
}

TEST_F(TabGroupTest, DropsAreTakenOnlyAsANewTab) {
    tk::Align position = tk::alTop;
    tk::Rect rect;
    group->GetDockPosition({20, 5}, position, rect);
    EXPECT_EQ(position, tk::alClient) << "on the title bar";
    EXPECT_EQ(rect, MakeRect(0, 18, 296, 378));
    position = tk::alTop;
    group->GetDockPosition({20, 390}, position, rect);
    EXPECT_EQ(position, tk::alClient) << "on the strip";
    group->GetDockPosition({5, 200}, position, rect);
    EXPECT_EQ(position, tk::alNone) << "near an edge of the client area";
    EXPECT_EQ(rect, tk::Rect{});

    // The preview of a new tab covers the strip too.
    tk::Rect preview;
    ASSERT_TRUE(LeafOf(p2)->GetDockRect(root->ZoneIntf(), LeafOf(p2)->ZoneIntf(), preview, tk::alClient));
    tk::Rect leafOnScreen;
    LeafOf(p2)->GetScreenBounds(leafOnScreen);
    leafOnScreen.Bottom += 21;
    EXPECT_EQ(preview, leafOnScreen);

    // With one visible tab there is no strip to drop on.
    p1->SetVisible(false);
    group->GetDockPosition({20, 390}, position, rect);
    EXPECT_EQ(position, tk::alNone);
}

TEST_F(TabGroupTest, ClosingHidesTheCurrentTab) {
    group->CloseZone();
    EXPECT_FALSE(p2->Visible());
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p1));
    EXPECT_FALSE(Strip()->Visible());
    ExpectSoundTightAndBalanced();

    Strip()->SetTabIndex(-1);
    group->CloseZone();
    EXPECT_TRUE(p1->Visible()) << "nothing to close without a current tab";
}

TEST_F(TabGroupTest, PaintsItselfOnceAndItsTitleUnlessItIsTheFloatingWindowsCaption) {
    theme->PaintedZones.clear();
    group->Paint();
    EXPECT_EQ(theme->PaintedZones, std::vector<IOrloDockZone*>{group->ZoneIntf()}) << "tabs paint nothing";
    group->PaintTitleBar();
    EXPECT_EQ(theme->PaintedTitleBars.back(), group->ZoneIntf());

    site->SetFloating(true);
    theme->PaintedZones.clear();
    theme->PaintedTitleBars.clear();
    group->Paint();
    group->PaintTitleBar();
    EXPECT_TRUE(theme->PaintedZones.empty());
    EXPECT_TRUE(theme->PaintedTitleBars.empty());
    tk::Rect client = group->Bounds();
    group->AdjustClientRect(client);
    EXPECT_EQ(client, MakeRect(0, 0, 296, 378)) << "no title bar of its own";
}

TEST_F(TabGroupTest, RemovingATabKeepsTheOthersInStep) {
    TOrloDockablePanel* p3 = DockNew("P3", group, tk::alClient);
    TOrloDockablePanel* p4 = DockNew("P4", group, tk::alClient);
    Strip()->SetTabIndex(2);
    ASSERT_EQ(TabNames(), (Names{"P1", "P2", "P3", "P4"}));

    root->RemovePanel(p1->PanelIntf()); // before the current one
    EXPECT_EQ(TabNames(), (Names{"P2", "P3", "P4"}));
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p3));
    ExpectSoundAndBalanced();

    root->RemovePanel(p3->PanelIntf()); // the current one
    EXPECT_EQ(TabNames(), (Names{"P2", "P4"}));
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p2));
    EXPECT_GT(ZOrder(p2), ZOrder(p4)) << "the neighbour that became current is shown";
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, OnlyLeavesCanBeInsertedBefore) {
    Owned<TOrloDockContainerZone> container = MakeOwned<TOrloDockContainerZone>();
    try {
        group->InsertZoneBefore(container.get(), Tab(0));
        FAIL() << "no assertion";
    } catch (const tk::EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), tk::String::fromLatin1("InsertZoneBefore - AZone is not TOrloDockControlZone"));
        EXPECT_EQ(e.UnitName(), tk::String::fromLatin1("OrloDockZones"));
    }
    EXPECT_EQ(group->ChildCount(), 2);

    TOrloDockablePanel* p0 = NewPanel("P0");
    auto* leaf = new TOrloDockControlZone();
    leaf->SetControl(p0);
    leaf->SetOrientation(voTabbed);
    leaf->SetDockSite(site->Intf());
    EXPECT_EQ(group->InsertZoneBefore(leaf, Tab(0)), 0);
    leaf->SetParentZoneField(group);
    EXPECT_EQ(TabNames(), (Names{"P0", "P1", "P2"}));
    EXPECT_EQ(group->CurrentTabZone(), leaf);
    EXPECT_GT(ZOrder(p0), ZOrder(p2));
    root->UpdateBounds();
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, MovingTabsKeepsTheStripInStepAndTheSameTabCurrent) {
    TOrloDockablePanel* p3 = DockNew("P3", group, tk::alClient);
    ASSERT_EQ(group->CurrentTabZone(), LeafOf(p3));
    group->MoveZoneBefore(LeafOf(p3), LeafOf(p1));
    EXPECT_EQ(TabNames(), (Names{"P3", "P1", "P2"}));
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p3));
    group->MoveZoneAfter(LeafOf(p1), LeafOf(p2));
    EXPECT_EQ(TabNames(), (Names{"P3", "P2", "P1"}));
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p3));
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, DraggingATabExchangesTheChildren) {
    TOrloDockablePanel* p3 = DockNew("P3", group, tk::alClient);
    Strip()->LayoutTabs();
    Strip()->DispatchMouseDown(tk::mbLeft, tk::ssLeft, TabCentre(2));
    Strip()->DispatchMouseMove(tk::ssLeft, TabCentre(1));
    Strip()->DispatchMouseMove(tk::ssLeft, TabCentre(0));
    Strip()->DispatchMouseUp(tk::mbLeft, 0, TabCentre(0));
    EXPECT_EQ(TabNames(), (Names{"P3", "P1", "P2"}));
    EXPECT_EQ(Shape(), "H[T[P3,P1,P2]:100]");
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p3));
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, StripEventsReachTheSite) {
    tk::Point point{0, 0};
    Strip()->OnTabDragOut(Strip(), 0, point);
    EXPECT_EQ(site->ZoneDrags, std::vector<TOrloDockZone*>{Tab(0)}) << "the child at the strip's index";

    Owned<tk::ImageList> images = MakeOwned<tk::ImageList>();
    site->SetImages(images.get());
    tk::ImageList* answered = nullptr;
    Strip()->OnGetImages(Strip(), answered);
    EXPECT_EQ(answered, images.get());
    p2->SetImageIndex(3);
    Strip()->OnGetImageIndex(Strip(), Strip()->GetTab(1));
    EXPECT_EQ(Strip()->GetTab(1)->ImageIndex(), 3);
    Strip()->OnGetImageIndex(Strip(), Strip()->GetTab(0));
    EXPECT_EQ(Strip()->GetTab(0)->ImageIndex(), -1);
    site->SetImages(nullptr);
}

TEST_F(TabGroupTest, HidingTheLastVisibleTabHidesTheGroup) {
    TOrloDockablePanel* p3 = DockNew("P3", p1, tk::alBottom);
    ASSERT_EQ(Shape(), "H[T[P1,P2]:50,P3:50]");
    p1->SetVisible(false);
    p2->SetVisible(false);
    EXPECT_FALSE(group->IsVisible());
    EXPECT_FALSE(Strip()->Visible());
    EXPECT_EQ(LeafOf(p3)->Bounds(), MakeRect(0, 0, 296, 400));
    ExpectSoundTightAndBalanced();

    p2->SetVisible(true);
    EXPECT_TRUE(group->IsVisible());
    EXPECT_EQ(group->CurrentTabZone(), LeafOf(p2));
    EXPECT_FALSE(Strip()->Visible());
    const tk::Rect bounds = group->Bounds();
    EXPECT_EQ(p2->BoundsRect(), MakeRect(0, 18, 296, bounds.Bottom - 4)) << "down to the splitter";
    EXPECT_LT(bounds.Bottom, LeafOf(p3)->Bounds().Top);
    ExpectSoundTightAndBalanced();
}

// Showing or hiding a tab lays out every tab of the group, hidden ones too.
// The group spans 1016 x 159. With two visible tabs a tab covers the client
// area between the 18-row title bar and the strip (159 - 21 - 1 = 137):
// [0,18,1016,137], 119 of the group's 159 rows, 74.8 -> 75 %. Hiding P1
// hides the strip: every tab, P1 included, reaches the bottom:
// [0,18,1016,159], 141/159 = 88.7 -> 89 %.
TEST_F(TabGroupTest, ShowingOrHidingATabLaysOutEveryTab) {
    root->SetBounds(MakeRect(0, 0, 1016, 159));
    ASSERT_EQ(LeafOf(p1)->Bounds(), MakeRect(0, 18, 1016, 137));
    ASSERT_EQ(LeafOf(p1)->ParentSizePercentage(), 75);
    p1->SetVisible(false);
    for (TOrloDockablePanel* panel : {p1, p2}) {
        EXPECT_EQ(LeafOf(panel)->Bounds(), MakeRect(0, 18, 1016, 159)) << panel->Name().toStdString();
        EXPECT_EQ(LeafOf(panel)->ParentSizePercentage(), 89) << panel->Name().toStdString();
    }
    // P2 hidden as well, P1 shown again: P2 follows P1's rectangle.
    p2->SetVisible(false);
    p1->SetVisible(true);
    EXPECT_EQ(LeafOf(p2)->Bounds(), MakeRect(0, 18, 1016, 159));
    EXPECT_EQ(LeafOf(p2)->ParentSizePercentage(), 89);
    p2->SetVisible(true);
    EXPECT_EQ(LeafOf(p1)->Bounds(), MakeRect(0, 18, 1016, 137));
    ExpectSoundTightAndBalanced();
}

// Records the order in which watched components go.
class FreeRecorder : public tk::Component {
public:
    FreeRecorder() : tk::Component(nullptr) {}
    std::vector<tk::Component*> Freed;

protected:
    void Notification(tk::Component* component, tk::Operation operation) override {
        tk::Component::Notification(component, operation);
        if (operation == tk::Operation::Remove && component->IsDestroying())
            Freed.push_back(component);
    }
};

TEST_F(TabGroupTest, FreesItsStripBeforeItsTabs) {
    Owned<FreeRecorder> recorder = MakeOwned<FreeRecorder>();
    TOrloDockTabs* strip = Strip();
    TOrloDockControlZone* tab = LeafOf(p1);
    strip->FreeNotification(recorder.get());
    tab->FreeNotification(recorder.get());
    root->RemoveZone(group);
    group->SetParentZoneField(nullptr);
    group->Free();
    EXPECT_EQ(recorder->Freed, (std::vector<tk::Component*>{strip, tab}));
    EXPECT_EQ(p1->Parent(), site->Control()) << "panels are not the group's";
    EXPECT_EQ(site->Control()->ControlCount(), 2) << "the strip left the site's window";
}

TEST_F(TabGroupTest, ATabFreedWhileListedTakesItsTabAlong) {
    TOrloDockablePanel* p3 = DockNew("P3", p2, tk::alClient);
    ASSERT_EQ(TabNames(), (Names{"P1", "P2", "P3"}));
    // Freed or deleted, a listed zone leaves through its parent.
    LeafOf(p2)->Free();
    EXPECT_EQ(TabNames(), (Names{"P1", "P3"}));
    ExpectSoundTightAndBalanced();
    delete LeafOf(p3);
    EXPECT_EQ(TabNames(), Names{"P1"});
    EXPECT_EQ(Shape(), "H[T[P1]:100]");
    ExpectSoundTightAndBalanced();
}

TEST_F(TabGroupTest, SurvivesItsSiteWindowGoingFirst) {
    Owned<FakeDockSite> other = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> otherRoot = MakeOwned<TOrloDockRootZone>();
    other->SetTheme(theme->Intf());
    otherRoot->SetDockSite(other->Intf());
    otherRoot->SetBounds(MakeRect(0, 0, 200, 200));
    TOrloDockablePanel* q1 = NewPanel("Q1");
    otherRoot->InsertPanel(q1->PanelIntf(), nullptr, tk::alNone);
    otherRoot->InsertPanel(NewPanel("Q2")->PanelIntf(), otherRoot->FindControlZone(q1), tk::alClient);
    auto* otherGroup = dynamic_cast<TOrloDockTabbedContainerZone*>(otherRoot->Child(0));
    ASSERT_NE(otherGroup, nullptr);

    // The strip and the panels are child windows of the site's control.
    other->Control()->Free();
    EXPECT_EQ(otherGroup->Tabs(), nullptr);
    tk::String caption;
    otherGroup->GetCaption(caption);
    EXPECT_TRUE(caption.isEmpty());
    otherRoot.reset();
}

} // namespace
