// A site's own state: its defaults, its manager and theme, orientation and
// edge strip from its alignment, collapsing and expanding, the update
// bracket, and the Escape key during a tear-off.

#include "site_fixture.h"

#include "support/fake_dock_theme.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/button.h>

namespace {

using tk::MakeRect;

TEST_F(SiteTest, NewSiteWithoutManagerHasItsOwnSizeAlignmentAndTheme) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    EXPECT_EQ(site->Width(), 125);
    EXPECT_EQ(site->Align(), tk::alLeft);
    EXPECT_EQ(site->Color(), tk::clBtnFace);
    EXPECT_TRUE(site->Visible());
    EXPECT_EQ(site->SavedSize(), -1);
    EXPECT_EQ(site->DockManager(), nullptr);
    EXPECT_FALSE(site->IsFloating());

    tk::IPtr<IOrloDockTheme> theme;
    site->GetTheme(theme);
    ASSERT_TRUE(theme);
    EXPECT_EQ(theme.get(), site->OwnTheme());
    EXPECT_EQ(theme->GetZoneSplitterSize(), 4);

    auto unparented = MakeOwned<TOrloDockSite>(nullptr);
    EXPECT_EQ(unparented->BoundsRect(), MakeRect(0, 0, 125, 125));
    EXPECT_EQ(unparented->Align(), tk::alLeft);
}

TEST_F(SiteTest, BothSiteInterfacesAreTheOneSite) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    auto outer = tk::QueryAs<IOrloDockSite>(static_cast<tk::IInterface*>(site));
    auto inner = tk::QueryAs<IOrloDockSiteInternal>(outer);
    ASSERT_TRUE(outer);
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->GetSite(), site);
    EXPECT_EQ(outer->GetControl(), site);
    EXPECT_EQ(inner->GetRootZone(), site->RootZone());
    EXPECT_EQ(site->RootZone()->DockSite(), inner.get());
    tk::String id;
    outer->GetRootZoneID(id);
    EXPECT_EQ(id, site->RootZone()->ZoneID());
    tk::IPtr<IOrloDockZone> rootIntf;
    outer->GetRootZoneIntf(rootIntf);
    EXPECT_EQ(outer->ZoneFromIntf(1, 2, rootIntf.get()), site->RootZone());
}

TEST_F(SiteTest, SettingAManagerRegistersAndUsesItsTheme) {
    auto* manager = new TOrloDockingManager(host.get());
    TOrloDockSite* site = NewSite(tk::alRight);
    site->SetWidth(300);

    site->SetDockManager(manager->Intf());
    ASSERT_EQ(manager->SiteCount(), 1);
    EXPECT_EQ(manager->Site(0), site->SiteIntf());
    EXPECT_EQ(site->OwnTheme(), nullptr);
    tk::IPtr<IOrloDockTheme> theme;
    site->GetTheme(theme);
    EXPECT_EQ(theme.get(), manager->Theme());
    EXPECT_EQ(site->Width(), 300) << "a manager's default size is for new sites only";

    // Another theme of the manager is the site's at once.
    auto custom = MakeOwned<FakeDockTheme>();
    manager->SetTheme(custom->Intf());
    site->GetTheme(theme);
    EXPECT_EQ(theme.get(), custom->Intf());

    site->SetDockManager(nullptr);
    EXPECT_EQ(manager->SiteCount(), 0);
    ASSERT_NE(site->OwnTheme(), nullptr);
    site->GetTheme(theme);
    EXPECT_EQ(theme.get(), site->OwnTheme());
    theme = nullptr;
    manager->SetTheme(nullptr);
}

TEST_F(SiteTest, SettingTheSameManagerAgainKeepsTheRegistrationOrder) {
    auto* manager = new TOrloDockingManager(host.get());
    TOrloDockSite* first = NewSite(tk::alLeft);
    TOrloDockSite* second = NewSite(tk::alRight);
    first->SetDockManager(manager->Intf());
    second->SetDockManager(manager->Intf());
    first->SetDockManager(manager->Intf());
    ASSERT_EQ(manager->SiteCount(), 2);
    EXPECT_EQ(manager->Site(0), first->SiteIntf());
}

TEST_F(SiteTest, ManagerFreedElsewhereLeavesNoSiteHoldingIt) {
    auto otherOwner = MakeOwned<tk::Component>(nullptr);
    auto* manager = new TOrloDockingManager(otherOwner.get());
    TOrloDockSite* left = NewSite(tk::alLeft);
    TOrloDockSite* right = NewSite(tk::alRight);
    left->SetDockManager(manager->Intf());
    right->SetDockManager(manager->Intf());

    otherOwner.reset();
    EXPECT_EQ(left->DockManager(), nullptr);
    EXPECT_EQ(right->DockManager(), nullptr);
    EXPECT_NE(left->OwnTheme(), nullptr);
    tk::IPtr<IOrloDockTheme> theme;
    right->GetTheme(theme);
    EXPECT_EQ(theme.get(), right->OwnTheme());
}

TEST_F(SiteTest, FreedSiteIsUnregistered) {
    auto* manager = new TOrloDockingManager(host.get());
    TOrloDockSite* left = NewSite(tk::alLeft);
    TOrloDockSite* right = NewSite(tk::alRight);
    left->SetDockManager(manager->Intf());
    right->SetDockManager(manager->Intf());
    left->Free();
    ASSERT_EQ(manager->SiteCount(), 1);
    EXPECT_EQ(manager->Site(0), right->SiteIntf());
}

TEST_F(SiteTest, OrientationFollowsAlignmentAlsoAtRunTime) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    const struct {
        tk::Align align;
        TOrloDockOrientation orientation;
    } cases[] = {{tk::alTop, voHorz},    {tk::alRight, voVert},  {tk::alBottom, voHorz}, {tk::alNone, voVert},
                 {tk::alClient, voHorz}, {tk::alCustom, voVert}, {tk::alLeft, voVert}};
    for (const auto& c : cases) {
        site->SetAlign(c.align);
        EXPECT_EQ(site->Orientation(), c.orientation) << "alignment " << c.align;
        EXPECT_EQ(site->GetOrientation(), c.orientation);
        EXPECT_EQ(site->RootZone()->Orientation(), c.orientation) << "alignment " << c.align;
    }
}

TEST_F(SiteTest, InnerEdgeStripByAlignment) {
    auto site = MakeOwned<TOrloDockSite>(nullptr);
    site->SetAlign(tk::alNone);
    site->SetBounds(0, 0, 200, 100);
    const struct {
        tk::Align align;
        tk::Rect client;
        tk::Rect strip;
    } cases[] = {
        {tk::alTop, MakeRect(0, 0, 200, 96), MakeRect(0, 96, 200, 100)},
        {tk::alBottom, MakeRect(0, 4, 200, 100), MakeRect(0, 0, 200, 4)},
        {tk::alLeft, MakeRect(0, 0, 196, 100), MakeRect(196, 0, 200, 100)},
        {tk::alRight, MakeRect(4, 0, 200, 100), MakeRect(0, 0, 4, 100)},
    };
    for (const auto& c : cases) {
        site->SetAlign(c.align);
        // The toolkit turns the site when it moves between a horizontal and a vertical edge.
        site->SetBounds(0, 0, 200, 100);
        tk::Rect client = site->ClientRect();
        site->AdjustClientRect(client);
        EXPECT_EQ(client, c.client) << "alignment " << c.align;
        EXPECT_EQ(site->EdgeSplitterRect(), c.strip) << "alignment " << c.align;
        EXPECT_EQ(site->RootZone()->Bounds(), c.client) << "the tree gets what the strip leaves";
    }

    const tk::Rect stripBefore = site->EdgeSplitterRect();
    site->SetAlign(tk::alClient);
    tk::Rect client = MakeRect(0, 0, 200, 100);
    site->AdjustClientRect(client);
    EXPECT_EQ(client, MakeRect(0, 0, 200, 100));
    EXPECT_EQ(site->EdgeSplitterRect(), stripBefore);
}

TEST_F(SiteTest, InnerEdgeStripTakesTheManagersSplitterSize) {
    auto* manager = new TOrloDockingManager(host.get());
    auto theme = MakeOwned<FakeDockTheme>();
    theme->ZoneSplitterSize = 7;
    theme->SiteSplitterSize = 2;
    manager->SetTheme(theme->Intf());
    TOrloDockSite* site = NewSite(tk::alBottom);
    site->SetDockManager(manager->Intf());
    tk::Rect client = site->ClientRect();
    site->AdjustClientRect(client);
    EXPECT_EQ(client.Top, 7);
    EXPECT_EQ(site->EdgeSplitterRect(), MakeRect(0, 0, site->Width(), 7));
    manager->SetTheme(nullptr);
}

TEST_F(SiteTest, CollapseKeepsTheFirstSavedSizeAndExpandRestoresIt) {
    TOrloDockSite* left = NewSite(tk::alLeft);
    left->SetWidth(300);
    left->Collapse();
    EXPECT_EQ(left->Width(), 0);
    EXPECT_EQ(left->SavedSize(), 300);
    left->Collapse();
    EXPECT_EQ(left->SavedSize(), 300) << "a second collapse must not save the collapsed width";
    left->Expand();
    EXPECT_EQ(left->Width(), 300);
    EXPECT_EQ(left->SavedSize(), -1);
    left->SetWidth(250);
    left->Expand();
    EXPECT_EQ(left->Width(), 250) << "expanding an expanded site does nothing";

    TOrloDockSite* bottom = NewSite(tk::alBottom);
    bottom->Constraints().SetMinHeight(5);
    const int height = bottom->Height();
    bottom->Collapse();
    EXPECT_EQ(bottom->Height(), 5) << "the size constraint wins over the collapse";
    EXPECT_EQ(bottom->SavedSize(), height);
    bottom->Expand();
    EXPECT_EQ(bottom->Height(), height);

    TOrloDockSite* client = NewSite(tk::alClient);
    const tk::Rect bounds = client->BoundsRect();
    client->Collapse();
    EXPECT_EQ(client->SavedSize(), -1);
    EXPECT_EQ(client->BoundsRect(), bounds);
}

TEST_F(SiteTest, ExpandLaysTheTreeOutInTheRestoredSize) {
    TOrloDockSite* site = NewSite(tk::alTop);
    site->SetHeight(200);
    TOrloDockablePanel* panel = NewPanel("Panel");
    TOrloDockControlZone* leaf = HandDock(site, panel);
    site->Collapse();
    site->Expand();
    EXPECT_EQ(site->RootZone()->Bounds(), MakeRect(0, 0, site->Width(), 196));
    EXPECT_EQ(leaf->Bounds(), site->RootZone()->Bounds());
    EXPECT_EQ(panel->BoundsRect(), MakeRect(0, 18, site->Width(), 196));
}

TEST_F(SiteTest, OnlyTheOutermostEndUpdateRepaints) {
    auto* site = new CountingSite(host.get());
    site->SetParent(host.get());
    site->Invalidations = 0;
    site->BeginUpdate();
    site->BeginUpdate();
    site->EndUpdate();
    EXPECT_EQ(site->Invalidations, 0);
    EXPECT_EQ(site->UpdateCount(), 1);
    site->EndUpdate();
    EXPECT_EQ(site->Invalidations, 1);
    EXPECT_EQ(site->UpdateCount(), 0);
    // An unbalanced EndUpdate does not drive the count below zero.
    site->EndUpdate();
    EXPECT_EQ(site->UpdateCount(), 0);
    site->BeginUpdate();
    EXPECT_EQ(site->UpdateCount(), 1);
    site->EndUpdate();

    site->SetVisible(false);
    site->Invalidations = 0;
    site->BeginUpdate();
    site->EndUpdate();
    EXPECT_EQ(site->Invalidations, 0) << "a hidden site is not repainted";
}

TEST_F(SiteTest, DockingManyPanelsPaintsTheSiteOnceWhenTheLoopRuns) {
    auto* site = new CountingSite(host.get());
    site->SetParent(host.get());
    site->SetWidth(300);
    host->Show();
    tktest::PumpEvents();
    const int paints = site->Paints;
    TOrloDockablePanel* first = NewPanel("P0");
    first->DockInto(site->SiteIntf(), nullptr, tk::alNone);
    // Beside, stacked and tabbed.
    const tk::Align positions[] = {tk::alRight, tk::alBottom, tk::alClient, tk::alTop, tk::alLeft, tk::alClient};
    for (int i = 0; i < 12; ++i)
        NewPanel(QStringLiteral("P%1").arg(i + 1).toLatin1().constData())
            ->DockInto(site->SiteIntf(), first, positions[i % 6]);
    EXPECT_EQ(site->Paints, paints);
    tk::Application::FlushPaint();
    EXPECT_EQ(site->Paints, paints + 1);
    tktest::PumpEvents();
    EXPECT_EQ(site->Paints, paints + 1);
}

// Escape ends a tear-off only (the tear-off tests show that it does).
TEST_F(SiteTest, EscapeDoesNotEndASplitterDrag) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    int key = tk::VK_ESCAPE;
    // Pressed on the splitter after the first of two panels.
    TOrloDockControlZone* firstZone = HandDock(site, NewPanel("First"));
    HandDock(site, NewPanel("Second"));
    const tk::Rect first = firstZone->Bounds();
    const bool row = site->RootZone()->ChildOrientation() == voVert;
    site->DispatchMouseDown(
        tk::mbLeft, 0, row ? tk::Point{first.Right - 2, first.Top + 40} : tk::Point{first.Left + 40, first.Bottom - 2});
    ASSERT_EQ(site->DragState(), TOrloDockDragState::Splitter);
    site->SetMouseCapture(true);
    site->DispatchKeyDown(key, 0);
    EXPECT_EQ(site->DragState(), TOrloDockDragState::Splitter);
    site->SetMouseCapture(false);
}

// Only a new dockable panel makes the sites lay their trees out again; any
// other component of the owner (a button beside the sites) leaves them alone.
TEST_F(SiteTest, NewPanelOfTheOwnerCollapsesAnEmptySiteOnly) {
    TOrloDockSite* empty = NewSite(tk::alLeft);
    TOrloDockSite* full = NewSite(tk::alBottom);
    full->SetHeight(150);
    TOrloDockablePanel* panel = NewPanel("Docked");
    HandDock(full, panel);
    empty->Expand();
    empty->SetWidth(200);
    ASSERT_FALSE(empty->Collapsed());

    (new tk::Button(host.get()))->SetParent(host.get());
    new TOrloDockSite(host.get());
    EXPECT_FALSE(empty->Collapsed());
    EXPECT_EQ(empty->Width(), 200);

    NewPanel("Created");
    EXPECT_TRUE(empty->Collapsed());
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(empty->SavedSize(), 200);
    EXPECT_FALSE(full->Collapsed());
    EXPECT_EQ(full->Height(), 150);
}

} // namespace
