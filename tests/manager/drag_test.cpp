// The manager's drag: its guide and preview windows, the guides it shows,
// the target and preview a move chooses, the docking on release, the cancel,
// and what is left on the screen afterwards.

#include <gtest/gtest.h>

#include <QApplication>

#include "support/guide_doubles.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

tk::Point MiddleOnScreen(const TOrloDockDropWindow& window, const TOrloDockDropZoneImage& image) {
    return window.ClientToScreen({image.Left() + image.Width() / 2, image.Top() + image.Height() / 2});
}

// Sites on the left, right and top of a window and one filling the rest; the
// site filling another window stands in for the dragged floating window.
class ManagerDragTest : public ::testing::Test {
protected:
    Owned<tk::Form> form = MakeOwned<tk::Form>(nullptr);
    TOrloDockingManager* manager = new TOrloDockingManager(form.get());
    Owned<tk::Form> floating = MakeOwned<tk::Form>(nullptr);
    TOrloDockSite* dragged = nullptr;
    TOrloDockSite* left = nullptr;
    TOrloDockSite* right = nullptr;
    TOrloDockSite* top = nullptr;
    TOrloDockSite* client = nullptr;
    std::vector<tk::String> lines;

    void SetUp() override {
        form->SetBorderStyle(tk::bsNone);
        form->SetBounds(0, 0, 700, 500);
        left = NewSite(tk::alLeft);
        right = NewSite(tk::alRight);
        top = NewSite(tk::alTop);
        client = NewSite(tk::alClient);
        Dock(left, "L1");
        Dock(right, "R1");
        form->Show();
        floating->SetBorderStyle(tk::bsNone);
        floating->SetBounds(300, 300, 200, 150);
        dragged = new TOrloDockSite(floating.get());
        dragged->SetParent(floating.get());
        dragged->SetAlign(tk::alClient);
        dragged->SetDockManager(manager->Intf());
        tktest::PumpEvents();
        // The time stamp is the manager's; the lines are compared without it.
        manager->OnDebug = [this](const tk::String& line) { lines.push_back(line.mid(15)); };
    }
    void TearDown() override {
        floating.reset();
        form.reset();
    }

    TOrloDockSite* NewSite(tk::Align align) {
        auto* site = new TOrloDockSite(form.get());
        site->SetParent(form.get());
        site->SetAlign(align);
        site->SetDockManager(manager->Intf());
        return site;
    }
    TOrloDockablePanel* Dock(TOrloDockSite* site, const char* name, TOrloDockablePanel* relative = nullptr,
                             tk::Align position = tk::alBottom) {
        auto* panel = new TOrloDockablePanel(site->Owner());
        panel->SetName(S(name));
        panel->DockInto(site->SiteIntf(), relative, position);
        return panel;
    }
    IOrloDockSite* Dragged() { return dragged->SiteIntf(); }
    tk::Point OnCross(TOrloDockDropKind kind) {
        return MiddleOnScreen(*manager->CompassWindow(), *manager->CompassWindow()->ZoneUnderMouse()->Image(kind));
    }
    tk::Point OnEdgeGuideOf(TOrloDockSite* site) {
        for (const auto& group : manager->OuterGuideWindow()->Zones())
            if (group->Site() == site->SiteIntf())
                for (int k = dkLeft; k <= dkTab; ++k)
                    if (group->Image(TOrloDockDropKind(k))->Visible())
                        return MiddleOnScreen(*manager->OuterGuideWindow(), *group->Image(TOrloDockDropKind(k)));
        ADD_FAILURE() << "no edge guide";
        return {};
    }
    tk::Point InZone(TOrloDockablePanel* panel) { return panel->ClientToScreen({20, 20}); }
    bool NothingShows() const {
        return !manager->PreviewWindow()->Visible() && !manager->OuterGuideWindow()->Visible() &&
               !manager->CompassWindow()->Visible();
    }
    tk::Rect DockRectOf(IOrloDockZone* target, tk::Align align) {
        tk::IPtr<IOrloDockZone> root;
        dragged->GetRootZoneIntf(root);
        tk::Rect rect{};
        EXPECT_TRUE(target->GetDockRect(root.get(), target, rect, align));
        return rect;
    }
};

TEST_F(ManagerDragTest, TheWindowsAreTheApplicationsAndGoWithTheManager) {
    tk::Application* app = tk::App();
    const int before = app->ComponentCount();
    auto* second = new TOrloDockingManager(form.get());
    ASSERT_EQ(app->ComponentCount(), before + 3);
    EXPECT_EQ(app->Components(before), second->PreviewWindow());
    EXPECT_EQ(app->Components(before + 1), second->OuterGuideWindow());
    EXPECT_EQ(app->Components(before + 2), second->CompassWindow());
    int debugLines = 0;
    second->OnDebug = [&](const tk::String&) { ++debugLines; };
    second->PreviewWindow()->ShowPreview(tk::MakeRect(0, 0, 50, 50), false, 20);
    second->CompassWindow()->HideGuides();
    tk::Point p{1, 1};
    tk::Align align = tk::alNone;
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> zone;
    second->OuterGuideWindow()->HitTest(p, align, site, zone);
    EXPECT_EQ(debugLines, 3) << "each window writes through the manager";

    // Freed during a drag, it ends the drag and takes its windows along.
    second->RegisterSite(left->SiteIntf());
    second->BeginDrag(Dragged(), {1, 1});
    ASSERT_TRUE(second->OuterGuideWindow()->Visible());
    second->Free();
    EXPECT_EQ(app->ComponentCount(), before);

    // Windows the application freed first (it quits) are not freed again.
    second = new TOrloDockingManager(form.get());
    second->CompassWindow()->Free();
    EXPECT_EQ(second->CompassWindow(), nullptr);
    second->Free();
    EXPECT_EQ(app->ComponentCount(), before);

    // A manager placed in a form designer has no windows.
    auto designed = MakeOwned<tk::Component>(nullptr);
    designed->SetState(tk::csDesigning, true);
    auto* design = new TOrloDockingManager(designed.get());
    EXPECT_EQ(design->PreviewWindow(), nullptr);
    EXPECT_EQ(design->CompassWindow(), nullptr);
    EXPECT_EQ(app->ComponentCount(), before);
    design->RegisterSite(left->SiteIntf());
    design->BeginDrag(Dragged(), {1, 1});
    EXPECT_FALSE(design->DragOver(Dragged(), InZone(left->RootZone()->Child(0)->AsControlZone()->Panel()), {}));
    design->EndDrag(Dragged(), false, {1, 1});
}

TEST_F(ManagerDragTest, EdgeGuidesForEveryOtherSiteButTheClientAlignedOnes) {
    manager->BeginDrag(Dragged(), {1, 1});
    std::vector<IOrloDockSite*> guided;
    for (const auto& group : manager->OuterGuideWindow()->Zones())
        guided.push_back(group->Site());
    EXPECT_EQ(guided, (std::vector<IOrloDockSite*>{left->SiteIntf(), right->SiteIntf(), top->SiteIntf()}));
    EXPECT_TRUE(manager->OuterGuideWindow()->Visible());
    EXPECT_EQ(manager->OuterGuideWindow()->BoundsRect(), tk::Screen::DesktopWorkAreaRect());

    // A second BeginDrag only shows the edge guides again.
    NewSite(tk::alBottom);
    manager->BeginDrag(Dragged(), {1, 1});
    EXPECT_EQ(manager->OuterGuideWindow()->Zones().size(), 3u);
    manager->EndDrag(Dragged(), false, {1, 1});
    EXPECT_TRUE(NothingShows());
    EXPECT_TRUE(manager->OuterGuideWindow()->Zones().empty());
}

TEST_F(ManagerDragTest, WithoutAnotherSiteNothingIsEverTargeted) {
    for (TOrloDockSite* site : {left, right, top, client})
        manager->UnregisterSite(site->SiteIntf());
    manager->BeginDrag(Dragged(), {1, 1});
    for (tk::Point p : {InZone(left->RootZone()->Child(0)->AsControlZone()->Panel()), tk::Point{5, 250}})
        EXPECT_FALSE(manager->DragOver(Dragged(), p, {}));
    EXPECT_FALSE(manager->PreviewWindow()->Visible());
    manager->EndDrag(Dragged(), false, {1, 1});
}

// Each guide: the position, site and zone it chooses and the preview it shows.
TEST_F(ManagerDragTest, TheGuideUnderThePointerChoosesTheTargetAndShowsThePreview) {
    Dock(dragged, "Floated");
    TOrloDockControlZone* l1 = left->RootZone()->Child(0)->AsControlZone();
    manager->BeginDrag(Dragged(), InZone(l1->Panel()));
    ASSERT_NE(manager->CompassWindow()->ZoneUnderMouse(), nullptr);
    EXPECT_EQ(manager->CompassWindow()->ZoneUnderMouse()->Zone(), l1->ZoneIntf());
    const struct {
        TOrloDockDropKind kind;
        tk::Align align;
        const char* name;
    } cross[] = {{dkLeft, tk::alLeft, "alLeft"},
                 {dkRight, tk::alRight, "alRight"},
                 {dkTop, tk::alTop, "alTop"},
                 {dkBottom, tk::alBottom, "alBottom"},
                 {dkTab, tk::alClient, "alClient"}};
    for (const auto& c : cross) {
        lines.clear();
        ASSERT_TRUE(manager->DragOver(Dragged(), OnCross(c.kind), {})) << c.name;
        EXPECT_EQ(manager->TargetAlign(), c.align);
        tk::IPtr<IOrloDockSite> site;
        tk::IPtr<IOrloDockZone> zone;
        manager->GetTargetSite(site);
        manager->GetTargetZone(zone);
        EXPECT_EQ(site.get(), left->SiteIntf());
        EXPECT_EQ(zone.get(), l1->ZoneIntf());
        const tk::Rect r = DockRectOf(l1, c.align);
        EXPECT_EQ(manager->PreviewWindow()->PreviewRect(), r);
        EXPECT_EQ(manager->PreviewWindow()->IsTab(), c.align == tk::alClient);
        EXPECT_TRUE(manager->PreviewWindow()->Visible());
        const tk::String expected =
            S("PreviewRect : Left=%1, Top=%2,Right=%3,Bottom=%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
        EXPECT_NE(std::find(lines.begin(), lines.end(), S("TargetAlign : ") + S(c.name)), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected.toStdString();
    }

    // Off the cross, onto another site's edge guide: its root, at its edge.
    manager->DragOver(Dragged(), InZone(right->RootZone()->Child(0)->AsControlZone()->Panel()), {});
    manager->DragOver(Dragged(), {300, 200}, {});
    EXPECT_FALSE(manager->PreviewWindow()->Visible()) << "no guide, no preview";
    ASSERT_TRUE(manager->DragOver(Dragged(), OnEdgeGuideOf(top), {}));
    EXPECT_EQ(manager->TargetAlign(), tk::alTop);
    tk::IPtr<IOrloDockZone> zone;
    manager->GetTargetZone(zone);
    EXPECT_EQ(zone.get(), top->RootZone()->ZoneIntf());
    EXPECT_TRUE(manager->PreviewWindow()->Visible());
    manager->EndDrag(Dragged(), false, {});
    EXPECT_TRUE(NothingShows());
}

TEST_F(ManagerDragTest, ADeclinedPreviewKeepsTheOneShowing) {
    Owned<GuideSite> declining(new GuideSite(tk::alBottom, tk::MakeRect(200, 430, 500, 500)));
    manager->RegisterSite(declining->Intf());
    Dock(dragged, "Floated");
    manager->BeginDrag(Dragged(), {300, 200});
    ASSERT_TRUE(manager->DragOver(Dragged(), OnEdgeGuideOf(top), {}));
    const tk::Rect shown = manager->PreviewWindow()->PreviewRect();
    tk::Point declined{};
    for (const auto& group : manager->OuterGuideWindow()->Zones())
        if (group->Site() == declining->Intf())
            declined = MiddleOnScreen(*manager->OuterGuideWindow(), *group->Image(dkBottom));
    ASSERT_TRUE(manager->DragOver(Dragged(), declined, {}));
    EXPECT_TRUE(manager->PreviewWindow()->Visible());
    EXPECT_EQ(manager->PreviewWindow()->PreviewRect(), shown);
    manager->CancelDrag();
    manager->UnregisterSite(declining->Intf());
}

// Two leaves right under the dragged root go, in their order; a container stays.
TEST_F(ManagerDragTest, ReleaseDocksTheRootsLeavesInOrderAndLeavesContainers) {
    TOrloDockablePanel* a = Dock(dragged, "A");
    TOrloDockablePanel* b = Dock(dragged, "B");
    TOrloDockablePanel* c = Dock(dragged, "C", b, tk::alLeft);
    TOrloDockablePanel* d = Dock(dragged, "D");
    ASSERT_EQ(dragged->RootZone()->ChildCount(), 3);
    ASSERT_TRUE(dragged->RootZone()->Child(1)->AsContainer());

    TOrloDockControlZone* r1 = right->RootZone()->Child(0)->AsControlZone();
    manager->BeginDrag(Dragged(), InZone(r1->Panel()));
    ASSERT_TRUE(manager->DragOver(Dragged(), OnCross(dkBottom), {}));
    manager->EndDrag(Dragged(), false, {});

    TOrloDockRootZone* target = right->RootZone();
    ASSERT_EQ(target->ChildCount(), 3);
    EXPECT_EQ(target->Child(0), r1);
    EXPECT_EQ(target->Child(2)->AsControlZone()->Panel(), a) << "each docks below the target, the later ones first";
    EXPECT_EQ(target->Child(1)->AsControlZone()->Panel(), d);
    EXPECT_EQ(a->Parent(), right);
    EXPECT_EQ(dragged->RootZone()->ChildCount(), 1);
    EXPECT_NE(dragged->RootZone()->FindControlZone(b), nullptr);
    EXPECT_NE(dragged->RootZone()->FindControlZone(c), nullptr);
    EXPECT_TRUE(ZoneForestIsSound({target, dragged->RootZone()}));
    EXPECT_TRUE(ZoneLayoutIsTight(target));
    tk::IPtr<IOrloDockSite> site;
    manager->GetTargetSite(site);
    EXPECT_FALSE(site) << "the release consumes the target";
}

// Mended: a torn-off tab group right under the dragged root docks whole.
TEST_F(ManagerDragTest, ATabGroupUnderTheDraggedRootDocksWhole) {
    TOrloDockablePanel* a = Dock(dragged, "A");
    TOrloDockablePanel* b = Dock(dragged, "B", a, tk::alClient);
    ASSERT_TRUE(dragged->RootZone()->Child(0)->AsTabGroup());
    TOrloDockControlZone* l1 = left->RootZone()->Child(0)->AsControlZone();
    manager->BeginDrag(Dragged(), InZone(l1->Panel()));
    ASSERT_TRUE(manager->DragOver(Dragged(), OnCross(dkRight), {}));
    manager->EndDrag(Dragged(), false, {});

    TOrloDockRootZone* target = left->RootZone();
    ASSERT_EQ(target->ChildCount(), 2);
    TOrloDockTabbedContainerZone* group = target->Child(1)->AsTabGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Child(0)->AsControlZone()->Panel(), a);
    EXPECT_EQ(group->Child(1)->AsControlZone()->Panel(), b);
    EXPECT_EQ(dragged->RootZone()->ChildCount(), 0);
    EXPECT_TRUE(ZoneForestIsSound({target, dragged->RootZone()}));
}

// Mended: a drag can end without docking and leaves nothing on the screen.
TEST_F(ManagerDragTest, CancelHidesEverythingAndDocksNothing) {
    TOrloDockablePanel* a = Dock(dragged, "A");
    TOrloDockControlZone* l1 = left->RootZone()->Child(0)->AsControlZone();
    manager->BeginDrag(Dragged(), InZone(l1->Panel()));
    ASSERT_TRUE(manager->DragOver(Dragged(), OnCross(dkTab), {}));
    ASSERT_TRUE(manager->PreviewWindow()->Visible());
    manager->CancelDrag();
    EXPECT_TRUE(NothingShows());
    EXPECT_FALSE(manager->Dragging());
    tk::IPtr<IOrloDockZone> zone;
    manager->GetTargetZone(zone);
    EXPECT_FALSE(zone);
    manager->EndDrag(Dragged(), false, {});
    EXPECT_EQ(a->Parent(), dragged) << "nothing docked";
}

// Mended: a release waiting while the pointer moves is handled after the
// move, never inside it, so no preview outlives the drag.
TEST_F(ManagerDragTest, AReleaseWaitingDuringAMoveRunsAfterIt) {
    Dock(dragged, "A");
    TOrloDockControlZone* l1 = left->RootZone()->Child(0)->AsControlZone();
    manager->BeginDrag(Dragged(), InZone(l1->Panel()));
    manager->DragOver(Dragged(), OnCross(dkRight), {});
    tktest::PumpEvents();
    QMetaObject::invokeMethod(
        qApp, [this] { manager->EndDrag(Dragged(), false, {}); }, Qt::QueuedConnection);
    ASSERT_TRUE(manager->DragOver(Dragged(), OnCross(dkLeft), {}));
    EXPECT_TRUE(manager->Dragging());
    EXPECT_TRUE(manager->PreviewWindow()->Visible());
    EXPECT_FALSE(manager->CompassWindow()->RepaintPending()) << "the lit guide was painted at once";
    tktest::PumpEvents();
    EXPECT_FALSE(manager->Dragging());
    EXPECT_TRUE(NothingShows());
    EXPECT_EQ(left->RootZone()->FindControlZone(l1->Panel()), l1);
}

} // namespace
