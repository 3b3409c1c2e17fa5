// A whole drag over the demonstration's sites, with a window holding a site
// of its own in place of a floating window: the guides, each guide lit, the
// preview, and where the panel lands.
#include <gtest/gtest.h>

#include "Unit1.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

tk::Point Middle(const TOrloDockDropWindow& window, const TOrloDockDropZoneImage& image) {
    return window.ClientToScreen({image.Left() + image.Width() / 2, image.Top() + image.Height() / 2});
}

TEST(DemoDrag, AWholeDragOverTheDemonstrationSites) {
    Owned<TForm1> form(new TForm1(nullptr));
    form->DoCreate();
    form->Show();
    Owned<tk::Form> floating = MakeOwned<tk::Form>(nullptr);
    floating->SetBounds(400, 200, 200, 150);
    auto* dragged = new TOrloDockSite(floating.get());
    dragged->SetParent(floating.get());
    dragged->SetAlign(tk::alClient);
    dragged->SetDockManager(form->DockingManager->Intf());
    auto* panel = new TOrloDockablePanel(floating.get());
    panel->DockInto(dragged->SiteIntf(), nullptr, tk::alNone);
    tktest::PumpEvents();
    TOrloDockingManager* manager = form->DockingManager;
    IOrloDockSite* me = dragged->SiteIntf();

    TOrloDockablePanel* target = form->TestPanel2;
    manager->BeginDrag(me, target->ClientToScreen({10, 10}));
    TOrloDockDropWindow& outer = *manager->OuterGuideWindow();
    TOrloDockDropWindow& compass = *manager->CompassWindow();
    ASSERT_EQ(outer.Zones().size(), 4u);
    ASSERT_NE(compass.ZoneUnderMouse(), nullptr);
    EXPECT_EQ(compass.ZoneUnderMouse()->Zone(), form->RightDock->RootZone()->FindControlZone(target)->ZoneIntf());

    // Every arrow of the cross and every edge guide lights and is chosen.
    for (int k = dkLeft; k <= dkTab; ++k) {
        const auto kind = static_cast<TOrloDockDropKind>(k);
        ASSERT_TRUE(manager->DragOver(me, Middle(compass, *compass.ZoneUnderMouse()->Image(kind)), {}));
        EXPECT_EQ(compass.HotKind(), kind);
        EXPECT_EQ(compass.ZoneUnderMouse()->Image(kind)->State(), dsHot);
        EXPECT_EQ(manager->TargetAlign(), DropKindPosition(kind));
        EXPECT_TRUE(manager->PreviewWindow()->Showing());
    }
    for (TOrloDockSite* site : {form->LeftDock, form->RightDock, form->BottomDock, form->TopDock}) {
        const TOrloDockDropZone* guide = nullptr;
        for (const auto& group : outer.Zones())
            if (group->Site() == site->SiteIntf())
                guide = group.get();
        ASSERT_NE(guide, nullptr);
        const TOrloDockDropKind kind = site->Align() == tk::alLeft    ? dkLeft
                                       : site->Align() == tk::alRight ? dkRight
                                       : site->Align() == tk::alTop   ? dkTop
                                                                      : dkBottom;
        // The cross over a zone of the site wins where the two overlap: a
        // point of the arrow outside it.
        const TOrloDockDropZoneImage& arrow = *guide->Image(kind);
        manager->DragOver(me, Middle(outer, arrow), {});
        tk::Point point = Middle(outer, arrow);
        for (int y = arrow.Top(); y < arrow.Top() + arrow.Height(); ++y)
            for (int x = arrow.Left(); x < arrow.Left() + arrow.Width(); ++x)
                if (arrow.Contains({x, y}) &&
                    !(compass.ZoneUnderMouse() && compass.ZoneUnderMouse()->Region().Contains({x, y})))
                    point = outer.ClientToScreen({x, y});
        ASSERT_TRUE(manager->DragOver(me, point, {}));
        EXPECT_EQ(outer.HotKind(), kind);
        EXPECT_EQ(manager->TargetAlign(), site->Align());
    }

    // Dropped on the left arrow over panel 2: the two share its place side by side.
    manager->DragOver(me, target->ClientToScreen({10, 10}), {});
    ASSERT_TRUE(manager->DragOver(me, Middle(compass, *compass.ZoneUnderMouse()->Image(dkLeft)), {}));
    manager->EndDrag(me, false, {});
    tktest::PumpEvents();
    TOrloDockRootZone* right = form->RightDock->RootZone();
    TOrloDockControlZone* landed = right->FindControlZone(panel);
    ASSERT_NE(landed, nullptr);
    EXPECT_EQ(landed->ParentZone(), right->FindControlZone(target)->ParentZone());
    EXPECT_EQ(landed->ParentZone()->ChildOrientation(), voVert);
    EXPECT_EQ(landed->NextSibling(), right->FindControlZone(target));
    EXPECT_LT(panel->Left(), target->Left());
    EXPECT_EQ(panel->Top(), target->Top());
    EXPECT_EQ(panel->Parent(), form->RightDock);
    EXPECT_TRUE(ZoneForestIsSound({right, dragged->RootZone()}));
    EXPECT_TRUE(ZoneLayoutIsTight(right));
    for (tk::Form* window : {static_cast<tk::Form*>(&outer), static_cast<tk::Form*>(&compass),
                             static_cast<tk::Form*>(manager->PreviewWindow())})
        EXPECT_FALSE(window->Visible());
    floating.reset();
}

} // namespace
