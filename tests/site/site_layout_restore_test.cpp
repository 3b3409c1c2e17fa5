// Loading a saved layout back into live sites: panels taken back from other
// sites, hidden panels that have since been shown, tab groups, panels owned
// by sites, zone identifiers, orientations; and what a layout refuses.

#include "site_fixture.h"

#include <orlodock/docking/OrloDockFloatingSite.h>
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/panel.h>

namespace {

class RestoreHost : public tk::Panel {
public:
    explicit RestoreHost(tk::Component* owner) : tk::Panel(owner) {}
    tk::String ClassName() const override { return S("TRestoreHost"); }
};

const bool restoreHostRegistered = (tk::RegisterClass<RestoreHost>(S("TRestoreHost")), true);

class SiteLayoutRestoreTest : public SiteTest {
protected:
    Owned<TOrloDockingManager> manager = MakeOwned<TOrloDockingManager>(nullptr);

    TOrloDockSite* ManagedSite(tk::Align align, const char* name, tk::Component* owner = nullptr) {
        TOrloDockSite* site = NewSite(align, name, owner);
        site->SetDockManager(manager->Intf());
        return site;
    }

    static TOrloDockTabbedContainerZone* GroupOf(TOrloDockSite* site, TOrloDockablePanel* panel) {
        TOrloDockControlZone* leaf = site->RootZone()->FindControlZone(panel);
        return leaf ? dynamic_cast<TOrloDockTabbedContainerZone*>(leaf->ParentZone()) : nullptr;
    }

    // Sound, laid out, and every visible zone at least the minimum size where there is room.
    static ::testing::AssertionResult Settled(TOrloDockSite* site) {
        std::vector<std::string> broken = ZoneTreeViolations(site->RootZone());
        for (const auto& more : {ZoneLayoutViolations(site->RootZone()), ZoneRoomViolations(site->RootZone())})
            broken.insert(broken.end(), more.begin(), more.end());
        ::testing::AssertionResult result =
            broken.empty() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
        for (const std::string& line : broken)
            result << line << "\n";
        return result;
    }
};

TEST_F(SiteLayoutRestoreTest, PanelTakenBackFromAnotherSiteIsPlaced) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockSite* bottom = ManagedSite(tk::alBottom, "Bottom");
    TOrloDockablePanel* p0 = NewPanel("P0");
    TOrloDockablePanel* p1 = NewPanel("P1");
    p0->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    p1->DockInto(left->SiteIntf(), p0, tk::alBottom);
    const tk::Bytes layout = left->SaveLayout();
    p1->DockInto(bottom->SiteIntf(), nullptr, tk::alBottom);

    // Taking P1 back collapses the bottom site, which moves the left one.
    left->LoadLayout(layout);
    EXPECT_TRUE(bottom->Collapsed());
    EXPECT_EQ(left->RootZone()->Child(0)->ParentSizePercentage(), 50);
    EXPECT_TRUE(Settled(left));
    EXPECT_TRUE(tk::IntersectRect(p0->BoundsRect(), p1->BoundsRect()).IsEmpty());
    host->SetBounds(100, 100, 810, 510);
    EXPECT_EQ(left->RootZone()->Child(1)->ParentSizePercentage(), 50);
    EXPECT_TRUE(Settled(left));
}

TEST_F(SiteLayoutRestoreTest, PanelHiddenWhenSavedAndShownSinceGetsRoom) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    a->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(left->SiteIntf(), a, tk::alBottom);
    b->SetVisible(false);
    ASSERT_EQ(left->RootZone()->Child(0)->ParentSizePercentage(), 100);
    const tk::Bytes layout = left->SaveLayout();
    b->SetVisible(true);
    left->LoadLayout(layout);
    EXPECT_TRUE(Settled(left));
    EXPECT_GE(b->Height(), 0);
}

TEST_F(SiteLayoutRestoreTest, TabsOfPanelsOwnedBySitesFollowTheirPanels) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockSite* right = ManagedSite(tk::alRight, "Right");
    TOrloDockablePanel* own = NewPanel("Own", left);
    TOrloDockablePanel* other = NewPanel("Other", right);
    TOrloDockablePanel* plain = NewPanel("Plain");
    plain->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    own->DockInto(left->SiteIntf(), plain, tk::alClient);
    other->DockInto(left->SiteIntf(), plain, tk::alClient);
    ASSERT_TRUE(GroupOf(left, plain)->Tabs()->SetTabIndex(1));
    auto* current = dynamic_cast<TOrloDockControlZone*>(GroupOf(left, plain)->CurrentTabZone())->Panel();
    ASSERT_NE(current, plain);
    const tk::Bytes layout = left->SaveLayout();

    left->LoadLayout(layout);
    TOrloDockTabbedContainerZone* group = GroupOf(left, own);
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->Tabs()->Visible());
    EXPECT_EQ(group->CurrentTabIndex(), 1);
    EXPECT_EQ(group->CurrentTabZone(), left->RootZone()->FindControlZone(current));
    EXPECT_TRUE(Settled(left));
}

TEST_F(SiteLayoutRestoreTest, CurrentTabNamingAMissingPanelMovesToTheFirstVisibleTab) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockablePanel* gone = NewPanel("Gone");
    a->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(left->SiteIntf(), a, tk::alClient);
    gone->DockInto(left->SiteIntf(), a, tk::alClient);
    ASSERT_EQ(GroupOf(left, a)->CurrentTabZone(), left->RootZone()->FindControlZone(gone));
    const tk::Bytes layout = left->SaveLayout();
    gone->Free();

    left->LoadLayout(layout);
    TOrloDockTabbedContainerZone* group = GroupOf(left, a);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->CurrentTabZone(), left->RootZone()->FindControlZone(a));
    tk::String caption;
    group->GetCaption(caption);
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_TRUE(Settled(left));
}

TEST_F(SiteLayoutRestoreTest, StrayPanelOfAWindowStreamIsDockedAtTheEnd) {
    Owned<RestoreHost> written(new RestoreHost(nullptr));
    written->SetBounds(0, 0, 700, 400);
    auto* site = new TOrloDockSite(written.get());
    site->SetName(S("Site"));
    site->SetParent(written.get());
    auto* docked = new TOrloDockablePanel(written.get());
    docked->SetName(S("Docked"));
    docked->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    // A child of the site that its tree does not name.
    auto* stray = new TOrloDockablePanel(written.get());
    stray->SetName(S("Stray"));
    stray->SetParent(site);

    Owned<tk::Component> read(tk::ReadComponent(tk::WriteComponent(written.get()), nullptr));
    auto* readSite = dynamic_cast<TOrloDockSite*>(read->FindComponent(S("Site")));
    ASSERT_NE(readSite, nullptr);
    auto* readStray = dynamic_cast<TOrloDockablePanel*>(read->FindComponent(S("Stray")));
    ASSERT_NE(readStray, nullptr);
    TOrloDockControlZone* leaf = readSite->RootZone()->FindControlZone(readStray);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(readSite->RootZone()->LastChild(), leaf);
    EXPECT_TRUE(Settled(readSite));
}

TEST_F(SiteLayoutRestoreTest, LoadedTreeTakesNoZoneIdentifierOfAnotherSite) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockSite* right = ManagedSite(tk::alRight, "Right");
    TOrloDockablePanel* a = NewPanel("A", left);
    TOrloDockablePanel* b = NewPanel("B", left);
    a->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(left->SiteIntf(), a, tk::alClient);
    const tk::Bytes layout = left->SaveLayout();
    // The same layout with panels of the same names, owned by the right site.
    NewPanel("A", right);
    NewPanel("B", right);
    right->LoadLayout(layout);
    EXPECT_TRUE(ZoneForestIsSound({left->RootZone(), right->RootZone()}));

    // A group moved across keeps its identifier, which must not be taken there.
    TOrloDockTabbedContainerZone* group =
        GroupOf(right, dynamic_cast<TOrloDockablePanel*>(right->FindComponent(S("A"))));
    ASSERT_NE(group, nullptr);
    left->InsertTabbedZone(group, tk::String(), tk::alBottom);
    EXPECT_TRUE(ZoneTreeIsSound(left->RootZone()));
}

TEST_F(SiteLayoutRestoreTest, SaveLoadSaveGivesTheSameBytesAtEveryEdge) {
    for (tk::Align align : {tk::alTop, tk::alBottom, tk::alLeft, tk::alRight}) {
        TOrloDockSite* site = ManagedSite(align, "");
        TOrloDockablePanel* a = NewPanel("");
        TOrloDockablePanel* b = NewPanel("");
        a->SetName(S("A") + tk::IntToStr(int(align)));
        b->SetName(S("B") + tk::IntToStr(int(align)));
        a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
        b->DockInto(site->SiteIntf(), a, tk::alRight);
        const tk::Bytes saved = site->SaveLayout();
        site->LoadLayout(saved);
        EXPECT_EQ(tk::StreamToText(site->SaveLayout().mid(14)).toStdString(),
                  tk::StreamToText(saved.mid(14)).toStdString())
            << int(align);
    }
}

TEST_F(SiteLayoutRestoreTest, LayoutThatWouldLoseAPanelIsNotSaved) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    TOrloDockablePanel* named = NewPanel("Named");
    TOrloDockablePanel* unnamed = NewPanel("");
    unnamed->SetTitleBarCaption(S("Output"));
    named->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    unnamed->DockInto(left->SiteIntf(), named, tk::alBottom);
    try {
        left->SaveLayout();
        ADD_FAILURE() << "saved";
    } catch (const EOrloDockLayoutError& e) {
        EXPECT_TRUE(e.Message().contains(S("\"Output\""))) << e.Message().toStdString();
    }
    const std::string path = testing::TempDir() + "unnamed_panel.odl";
    EXPECT_THROW(left->SaveLayoutToFile(tk::String::fromStdString(path)), EOrloDockLayoutError);
}

// A floating window's stream names the panels docked in it, which belong to
// the main window: one without a name, or with another's, is refused there
// too, and the window keeps its tree.
TEST_F(SiteLayoutRestoreTest, FloatingWindowStreamThatWouldLoseAPanelIsNotWritten) {
    struct Case {
        const char* Second;
        const char* Message;
    };
    const Case cases[] = {
        {"", "Cannot save the layout: the docked panel captioned \"Second\" has no name to be found by"},
        {"First", "Cannot save the layout: two docked panels are named First"},
    };
    for (const Case& c : cases) {
        Owned<TOrloFloatingDockSiteHostForm> window =
            MakeOwned<TOrloFloatingDockSiteHostForm>(nullptr, manager->Intf());
        TOrloFloatingDockSite* site = window->Site();
        NewPanel("First")->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
        EXPECT_NO_THROW(tk::WriteComponent(window.get())) << "every panel has a name of its own";
        // Of another owner: two components of one owner cannot share a name.
        TOrloDockablePanel* second = NewPanel(c.Second, window.get());
        second->SetTitleBarCaption(S("Second"));
        second->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
        const std::string tree = TreeText(site);
        try {
            tk::WriteComponent(window.get());
            ADD_FAILURE() << "written: " << c.Message;
        } catch (const EOrloDockLayoutError& e) {
            EXPECT_EQ(e.Message().toStdString(), c.Message);
        }
        EXPECT_EQ(TreeText(site), tree);
        host->FindComponent(S("First"))->Free();
    }
}

TEST_F(SiteLayoutRestoreTest, FileErrorsAreTheLibrarysOwn) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    NewPanel("A")->DockInto(left->SiteIntf(), nullptr, tk::alBottom);
    const std::string tree = TreeText(left);
    EXPECT_THROW(left->LoadLayoutFromFile(tk::String::fromStdString(testing::TempDir())), EOrloDockLayoutFileError);
    // Refused from the header, without reading on.
    EXPECT_THROW(left->LoadLayoutFromFile(S("/dev/zero")), tk::EReadError);
    EXPECT_EQ(TreeText(left), tree);
}

TEST_F(SiteLayoutRestoreTest, OversizedLayoutFileIsRefusedBeforeItIsRead) {
    TOrloDockSite* left = ManagedSite(tk::alLeft, "Left");
    const std::string path = testing::TempDir() + "oversized.odl";
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fseek(file, 64L << 20, SEEK_SET);
        std::fputc(0, file);
        std::fclose(file);
    }
    try {
        left->LoadLayoutFromFile(tk::String::fromStdString(path));
        ADD_FAILURE() << "loaded";
    } catch (const EOrloDockLayoutFileError& e) {
        EXPECT_TRUE(e.Message().contains(S("larger than"))) << e.Message().toStdString();
    }
    std::remove(path.c_str());
}

} // namespace
