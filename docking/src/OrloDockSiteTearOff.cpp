// Tearing a zone off a dock site: a pressed title bar (or a tab pulled off
// its strip) that moves five pixels takes its zone into a new floating
// window, which follows the pointer while the manager's drag shows where it
// would dock; the release docks it there or leaves it floating.

#include "OrloDockSiteMouse.h"

#include <orlodock/docking/OrloDockFloatingSite.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/metrics.h>

#include <vector>

void TOrloDockSiteMouse::BeginZoneDrag(TOrloDockZone* zone) {
    if (!site_.DockManager())
        return;
    // Only zones of this tree are kept: no other tree tells this site when they go.
    activeZone_ = zone && zone->DockSite() == site_.InternalIntf() ? zone : nullptr;
    if (!zone || !zone->AsControlZone())
        return;
    tk::Rect screen{};
    zone->GetScreenBounds(screen);
    dragPos_ = site_.ScreenToClient({screen.Left + 15, screen.Top});
    mouseState_ = activeZone_ ? zhTitleBar : zhNone;
    dragState_ = TOrloDockDragState::TitleBarPressed;
    site_.SetMouseCapture(true);
}

tk::Rect TOrloDockSiteMouse::FloatingBounds(TOrloDockZone* zone) const {
    tk::Rect r{};
    zone->GetScreenBounds(r);
    // A tab has no title bar of its own: the window's caption goes above it.
    if (TOrloDockContainerZone* parent = zone->ParentZone(); parent && parent->AsTabGroup())
        r.Top -= tk::CaptionHeight() / 2;
    r.Top -= tk::BorderWidth();
    r.Left -= 2 * tk::BorderWidth();
    r.Right += 2 * tk::BorderWidth();
    r.Bottom += 2 * tk::BorderHeight();
    return r;
}

void TOrloDockSiteMouse::TearOff() {
    IOrloDockManager* manager = site_.DockManager();
    TOrloDockZone* zone = activeZone_;
    if (!manager || !zone) {
        site_.SetMouseCapture(false);
        dragState_ = TOrloDockDragState::Idle;
        return;
    }
    dragState_ = TOrloDockDragState::TearOff;
    const tk::Rect bounds = FloatingBounds(zone);
    manager->MoveSiteToFront(site_.SiteIntf());

    auto* host = new TOrloFloatingDockSiteHostForm(tk::App(), manager);
    floatingHost_ = host;
    floatingSite_ = host->Site()->SiteIntf();
    floatingSite_->GetRootZoneID(floatRootZoneID_);
    floatPosition_ = tk::alTop;
    host->SetBoundsRect(bounds);
    // The window is named after the (first) panel it takes.
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(zone, leaves);
    if (!leaves.empty() && leaves.front()->Panel())
        host->SetCaption(leaves.front()->Panel()->TitleBarCaption());

    {
        TOrloDockUpdateGuard update(site_.InternalIntf());
        if (TOrloDockControlZone* leaf = zone->AsControlZone()) {
            const tk::IPtr<IOrloDockablePanel> panel = tk::InterfaceCast<IOrloDockablePanel>(leaf->GetControl());
            leaf->SetControl(nullptr);
            leaf->SetParentZone(nullptr);
            leaf->SetDockSite(nullptr);
            if (panel)
                floatingSite_->InsertDockablePanelAtZone(panel.get(), floatRootZoneID_, floatPosition_);
            leaf->Free();
        } else if (TOrloDockTabbedContainerZone* group = zone->AsTabGroup()) {
            group->SetDockSite(nullptr);
            if (TOrloDockContainerZone* parent = group->ParentZone()) {
                parent->RemoveZone(group);
                group->SetParentZoneField(nullptr);
            }
            floatingSite_->InsertTabbedZone(group, floatRootZoneID_, floatPosition_);
        }
        activeZone_ = nullptr;
        site_.RootZone()->Normalize();
        site_.RootZone()->UpdateBounds();
    }
    // Escape reaches the drag whichever window holds the focus.
    site_.SetKeyboardCapture(true);
    manager->BeginDrag(floatingSite_.get(), site_.ClientToScreen(dragPos_));
    dragState_ = TOrloDockDragState::TearOff;
}

void TOrloDockSiteMouse::MoveFloatingWindow(tk::Point point) {
    TOrloFloatingDockSiteHostForm* host = floatingHost_;
    IOrloDockManager* manager = site_.DockManager();
    // The window, or the manager, was freed during the drag: nothing is left to move.
    if (!host || !floatingSite_ || !manager) {
        CancelTearOff();
        return;
    }
    // A bottom or right site that lost its last zone has collapsed towards
    // its outer edge, and its client coordinates moved with that edge.
    tk::Point p = point;
    if (site_.RootZone()->ChildCount() == 0) {
        if (site_.Align() == tk::alBottom)
            p.Y = host->Height() + point.Y;
        else if (site_.Align() == tk::alRight)
            p.X = host->Width() + point.X;
    }
    const int dx = p.X - dragPos_.X;
    const int dy = p.Y - dragPos_.Y;
    if (dx == 0 && dy == 0)
        return;
    // While a guide is lit the window stays where it is.
    if (!manager->DragOver(floatingSite_.get(), site_.ClientToScreen(point), host->BoundsRect())) {
        host->MoveBy(dx, dy);
        dragPos_ = p;
    }
}

void TOrloDockSiteMouse::EndTearOff(tk::Point point) {
    dragPos_ = site_.ClientToScreen(point);
    site_.SetMouseCapture(false);
    site_.SetKeyboardCapture(false);
    dragState_ = TOrloDockDragState::Idle;
    const tk::IPtr<IOrloDockSite> floating(floatingSite_.get());
    floatingSite_ = nullptr;
    IOrloDockManager* manager = site_.DockManager();
    if (!manager)
        return;
    tk::IPtr<IOrloDockSite> targetSite;
    tk::IPtr<IOrloDockZone> targetZone;
    manager->GetTargetSite(targetSite);
    manager->GetTargetZone(targetZone);
    if (!targetSite && !targetZone && floatingHost_ && floatingHost_->Visible())
        floatingHost_->SetFocus();
    // With a target the floating content docks there (and its emptied
    // window goes), without one the guides and the preview go.
    manager->EndDrag(floating.get(), false, dragPos_);
}

void TOrloDockSiteMouse::CancelTearOff() {
    dragState_ = TOrloDockDragState::Idle;
    site_.SetMouseCapture(false);
    site_.SetKeyboardCapture(false);
    floatingSite_ = nullptr;
    if (IOrloDockManager* manager = site_.DockManager())
        manager->CancelDrag();
}
