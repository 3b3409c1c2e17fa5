#include <orlodock/docking/OrloDockRootZone.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <orlodock/docking/OrloDockControlZone.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockTabbedContainerZone.h>
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/control.h>
#include <orlodock/tk/exceptions.h>

namespace {

const char* const kUnitName = "OrloDockZones";

// Rounds of room checks after a change: each round takes the containers its
// predecessor laid out, so this bounds the depth it reaches, far beyond any tree's.
constexpr int kRoomCheckRounds = 256;

// Roots are numbered as they are made, so that no two ever share a serial.
std::uint64_t g_rootSerials = 0;

// A leaf standing in a tab group.
bool IsTab(const TOrloDockZone* zone) {
    return zone && !zone->IsContainer() && zone->Orientation() == voTabbed && zone->ParentZone();
}

// A container that is not a tab group: one that can take zones beside its children.
TOrloDockContainerZone* AsPlainContainer(TOrloDockZone* zone) {
    return zone->AsTabGroup() ? nullptr : zone->AsContainer();
}

// The first leaf below the container, depth first in list order, hidden ones included.
TOrloDockZone* FirstLeaf(TOrloDockContainerZone* container) {
    for (int i = 0; i < container->ChildCount(); ++i) {
        TOrloDockZone* child = container->Child(i);
        if (!child->IsContainer())
            return child;
        if (TOrloDockContainerZone* inner = child->AsContainer())
            if (TOrloDockZone* leaf = FirstLeaf(inner))
                return leaf;
    }
    return nullptr;
}

} // namespace

TOrloDockRootZone::TOrloDockRootZone(tk::Component* owner) : TOrloDockContainerZone(owner), serial_(++g_rootSerials) {
    SetOrientation(voVert);
    SetChildOrientation(voHorz);
}

void TOrloDockRootZone::RemoveZone(TOrloDockZone* zone) {
    if (!TakeChild(zone))
        return;
    UpdateBounds();
    if (OnZonesChanged)
        OnZonesChanged(this);
}

TOrloDockControlZone* TOrloDockRootZone::FindControlZone(const tk::Control* control) {
    // The control is compared, never asked: it may have been freed.
    const int holders = TOrloDockControlZone::HoldingLeafCount(control);
    if (!control || holders == 0)
        return nullptr;
    // One leaf holds it, as a rule: that one, if it stands here.
    if (TOrloDockControlZone* leaf = TOrloDockControlZone::LastHoldingLeaf(control);
        holders == 1 && leaf && leaf->GetControl() == control && StandsBelow(leaf))
        return leaf;
    return TOrloDockContainerZone::FindControlZone(control);
}

bool TOrloDockRootZone::StandsBelow(const TOrloDockZone* zone) const {
    for (const TOrloDockZone* z = zone; z; z = z->ParentZone()) {
        if (z == this)
            return true;
        if (z->ParentZone() && z->ParentZone()->IndexOf(z) < 0)
            return false;
    }
    return false;
}

bool TOrloDockRootZone::HoldsZone(const TOrloDockZone* zone) { return StandsBelow(zone) || Contains(zone); }

void TOrloDockRootZone::ZoneVisibilityChanged(bool visible) {
    (void)visible;
    TOrloDockUpdateGuard update(DockSite());
    UpdateBounds();
}

void TOrloDockRootZone::GetScreenBounds(tk::Rect& rect) {
    if (ChildCount() > 0) {
        TOrloDockContainerZone::GetScreenBounds(rect);
        return;
    }
    tk::Control* control = DockSite() ? DockSite()->GetControl() : nullptr;
    if (!control) {
        rect = Bounds();
        return;
    }
    rect = control->BoundsRect();
    if (tk::Control* parent = control->Parent()) {
        const tk::Point topLeft = parent->ClientToScreen(rect.TopLeft());
        const tk::Point bottomRight = parent->ClientToScreen(rect.BottomRight());
        rect = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    }
}

// ---- panels ----

void TOrloDockRootZone::CheckInsertion(const std::vector<TOrloDockablePanel*>& panels, tk::Align position) const {
    tk::CheckAlign(position);
    tk::Control* siteControl = DockSite() ? DockSite()->GetControl() : nullptr;
    for (TOrloDockablePanel* panel : panels)
        if (panel && siteControl && panel->ContainsControl(siteControl))
            throw tk::Exception(tk::Latin1("A control cannot be its own parent"));
}

void TOrloDockRootZone::InsertPanel(IOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position) {
    TOrloDockablePanel* control = panel ? panel->GetControl() : nullptr;
    if (!control)
        return;
    CheckInsertion({control}, position);
    TOrloDockUpdateGuard update(DockSite());
    // The panel's own leaf goes below: it cannot be what the panel docks to.
    if (target && (!HoldsZone(target) || target == FindControlZone(control)))
        target = nullptr;

    // Out of the site it is docked in. This site lets go of the leaf alone:
    // tidying its tree now could free the target.
    tk::IPtr<IOrloDockSite> oldSite = panel->GetDockSite();
    if (oldSite && oldSite.get() != static_cast<IOrloDockSite*>(DockSite()))
        oldSite->RemoveDockablePanel(panel);
    if (TOrloDockControlZone* leaf = FindControlZone(control))
        leaf->FreeLeaf(TOrloDockLeafRemoval::LayOut);

    control->SetBoundsUnlocked(true);
    if (position == tk::alNone || position == tk::alCustom)
        position = tk::alBottom;
    const TOrloDockOrientation orientation = DockPositionOrientation(position);
    TOrloDockZone* zone = NewLeaf(panel);
    TOrloDockZone* at = target ? target : this;
    if (orientation == voTabbed)
        PlaceAsTab(zone, at);
    else
        PlaceBeside(zone, at, orientation, DockPositionAfter(position));
}

void TOrloDockRootZone::KeepMinimumSizes() {
    TOrloDockUpdateGuard update(DockSite());
    KeepMinimumSizesBelow(this);
    wholePassDue_ = false;
    ClearRoomChecks();
}

void TOrloDockRootZone::NoteRoomCheck(TOrloDockContainerZone* container) {
    if (wholePassDue_)
        return;
    container->roomCheckListedIn_ = serial_;
    roomChecks_.Add(container);
}

void TOrloDockRootZone::ClearRoomChecks() {
    for (TOrloDockContainerZone* container : std::exchange(roomChecks_, {}))
        if (container && container->roomCheckListedIn_ == serial_)
            container->roomCheckListedIn_ = 0;
}

int TOrloDockRootZone::ShownDepth(const TOrloDockContainerZone* container) const {
    int depth = 0;
    for (const TOrloDockZone* zone = container; zone != this; zone = zone->ParentZone(), ++depth) {
        const TOrloDockContainerZone* parent = zone->ParentZone();
        if (!parent || parent->IndexOf(zone) < 0 || !zone->IsVisible())
            return -1;
    }
    return depth;
}

void TOrloDockRootZone::KeepMinimumSizesOfChanged() {
    if (wholePassDue_) {
        KeepMinimumSizes();
        return;
    }
    TOrloDockUpdateGuard update(DockSite());
    // Outer containers first, as in the pass over the whole tree: they decide
    // how much room the inner ones have. Containers at one depth stand apart
    // and do not change each other's room. A container given room lays its
    // children out, which notes the inner ones for the next round.
    for (int round = 0; round < kRoomCheckRounds && !roomChecks_.empty(); ++round) {
        const auto noted = std::exchange(roomChecks_, {});
        // Depth and place in `noted`, whose references clear themselves.
        std::vector<std::pair<int, std::size_t>> due;
        due.reserve(noted.size());
        for (std::size_t i = 0; i < noted.size(); ++i)
            if (TOrloDockContainerZone* container = noted[i]) {
                // Noted twice, due once; noted since by another root, due there.
                if (container->roomCheckListedIn_ != serial_)
                    continue;
                container->roomCheckListedIn_ = 0;
                if (const int depth = ShownDepth(container); depth >= 0)
                    due.emplace_back(depth, i);
            }
        std::stable_sort(due.begin(), due.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : due)
            if (TOrloDockContainerZone* container = noted[entry.second])
                KeepMinimumSizesOf(container);
    }
    ClearRoomChecks();
}

void TOrloDockRootZone::KeepMinimumSizesBelow(TOrloDockContainerZone* container) {
    // Outer containers first: they decide how much room the inner ones have.
    KeepMinimumSizesOf(container);
    for (int i = 0; i < container->ChildCount(); ++i)
        if (TOrloDockContainerZone* inner = container->Child(i)->AsContainer(); inner && inner->IsVisible())
            KeepMinimumSizesBelow(inner);
}

void TOrloDockRootZone::KeepMinimumSizesOf(TOrloDockContainerZone* container) {
    const TOrloDockOrientation along = container->ChildOrientation();
    if (along != voVert && along != voHorz)
        return;
    // Each visible child with its minimum, asked once: each asks the theme.
    struct Shown {
        TOrloDockZone* Zone;
        int Minimum;
    };
    std::vector<Shown> shown;
    int needed = -1;
    for (int i = 0; i < container->ChildCount(); ++i)
        if (TOrloDockZone* child = container->Child(i); child->IsVisible()) {
            shown.push_back({child, child->GetMinimumSize()});
            // Its minimum and the pixel that separates it from the previous one.
            needed += shown.back().Minimum + 1;
        }
    const tk::Axis axis = ArrangementAxis(along);
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    // Shares are taken of the full width side by side, of the client height stacked.
    const int base = along == voVert ? container->Width() : tk::Extent(client, axis);
    if (shown.size() < 2 || base <= 0 || tk::Extent(client, axis) < needed)
        return;
    const auto extent = [axis](TOrloDockZone* z) { return tk::Extent(z->Bounds(), axis); };
    const auto surplus = [&extent](const Shown& s) { return extent(s.Zone) - s.Minimum; };
    // The share that gives `pixels` (rounded up or down): shares are
    // recorded against the parent's full extent, but cut from `base`.
    const auto shareFor = [base](int pixels, bool up) {
        return static_cast<int>((std::int64_t(pixels) * 100 + (up ? base - 1 : 0)) / base);
    };
    // Each round gives the zone that lacks most what it lacks, from the zone
    // with the most room to spare; a few rounds settle the rounding.
    for (std::size_t round = 0; round < 2 * shown.size() + 2; ++round) {
        const auto bySurplus = [&surplus](const Shown& a, const Shown& b) { return surplus(a) < surplus(b); };
        const Shown& shortest = *std::min_element(shown.begin(), shown.end(), bySurplus);
        const Shown& richest = *std::max_element(shown.begin(), shown.end(), bySurplus);
        const int lacking = -surplus(shortest);
        if (lacking <= 0 || surplus(richest) <= 0)
            return;
        const int given = std::min(lacking, surplus(richest));
        // The last visible child takes the rest: its own share does not count.
        if (shortest.Zone != shown.back().Zone)
            shortest.Zone->SetParentSizePercentage(shareFor(extent(shortest.Zone) + given, true));
        if (richest.Zone != shown.back().Zone)
            richest.Zone->SetParentSizePercentage(shareFor(extent(richest.Zone) - given, false));
        container->UpdateBounds();
    }
}

void TOrloDockRootZone::RemovePanel(IOrloDockablePanel* panel) {
    TOrloDockablePanel* control = panel ? panel->GetControl() : nullptr;
    TOrloDockControlZone* leaf = control ? FindControlZone(control) : nullptr;
    if (!leaf)
        return;
    TOrloDockUpdateGuard update(DockSite());
    leaf->FreeLeaf(TOrloDockLeafRemoval::LayOut);
    // Out of the tree, out of the site.
    IOrloDockSiteInternal* site = DockSite();
    if (!site)
        return;
    tk::IPtr<IOrloDockSite> dockedIn = panel->GetDockSite();
    if (dockedIn.get() == static_cast<IOrloDockSite*>(site) || (!dockedIn && control->Parent() == site->GetControl()))
        panel->SetDockSite(nullptr);
}

TOrloDockZone* TOrloDockRootZone::NewLeaf(IOrloDockablePanel* panel) {
    auto* leaf = new TOrloDockControlZone();
    leaf->SetDockSite(DockSite());
    TOrloDockablePanel* control = panel->GetControl();
    leaf->SetControl(control);
    // The zone places the panel; the site's own alignment must not.
    control->SetAlign(tk::alNone);
    if (DockSite())
        panel->SetDockSite(DockSite());
    return leaf;
}

// ---- placing a zone ----

void TOrloDockRootZone::PlaceAsTab(TOrloDockZone* zone, TOrloDockZone* target) {
    zone->SetOrientation(voTabbed);
    if (IsTab(target)) {
        // Right behind the target tab.
        InsertBeside(zone, target, true);
        return;
    }
    if (TOrloDockTabbedContainerZone* group = target->AsTabGroup()) {
        if (group->ChildCount() == 0)
            FillEmpty(zone, group);
        else
            InsertBeside(zone, group->LastChild(), true);
        return;
    }
    if (TOrloDockContainerZone* container = target->AsContainer()) {
        if (container->ChildCount() == 0) {
            FillEmpty(zone, container);
            return;
        }
        // A plain container has no strip to show tabs with: the panel joins
        // its first panel instead.
        if (TOrloDockZone* leaf = FirstLeaf(container))
            PlaceAsTab(zone, leaf);
        else
            PlaceBeside(zone, container, voHorz, true);
        return;
    }
    TOrloDockContainerZone* parent = target->ParentZone() ? target->ParentZone() : this;
    if (parent->ChildOrientation() != voTabbed)
        SplitInsert(zone, target, true, voTabbed);
    else
        InsertBeside(zone, target, true);
}

void TOrloDockRootZone::PlaceBeside(TOrloDockZone* zone, TOrloDockZone* target, TOrloDockOrientation orientation,
                                    bool after) {
    // Beside a tab means beside its whole group, and a group is a sibling
    // target like a leaf: its tabs are never split apart.
    if (IsTab(target))
        target = target->ParentZone();
    zone->SetOrientation(orientation);

    if (TOrloDockContainerZone* container = AsPlainContainer(target)) {
        if (container->ChildCount() == 0) {
            FillEmpty(zone, container);
            return;
        }
        TOrloDockZone* sibling = nullptr;
        if (container->ChildCount() == 1) {
            container->SetChildOrientation(orientation);
            sibling = container->FirstChild();
            sibling->SetOrientation(orientation);
        } else if (container->ChildOrientation() != orientation) {
            sibling = WrapChildren(container, orientation);
        } else {
            // Already arranged that way: the zone goes along the container's edge.
            sibling = after ? container->LastChild() : container->FirstChild();
        }
        InsertBeside(zone, sibling, after);
        return;
    }

    if (ChildCount() == 1 && FirstChild() == target) {
        SetChildOrientation(orientation);
        target->SetOrientation(orientation);
    }
    TOrloDockContainerZone* parent = target->ParentZone() ? target->ParentZone() : this;
    if (parent->ChildOrientation() != orientation)
        SplitInsert(zone, target, after, orientation);
    else
        InsertBeside(zone, target, after);
}

void TOrloDockRootZone::FillEmpty(TOrloDockZone* zone, TOrloDockContainerZone* container) {
    // Only the root starts over; another container keeps its place in its parent.
    if (container == this) {
        SetOrientation(voVert);
        SetChildOrientation(voHorz);
    }
    zone->SetOrientation(container->Orientation());
    zone->SetDockSite(DockSite());
    zone->SetBounds(container->Bounds());
    zone->SetParentSizePercentage(100);
    zone->SetParentZone(container);
}

TOrloDockContainerZone* TOrloDockRootZone::WrapChildren(TOrloDockContainerZone* container,
                                                        TOrloDockOrientation orientation) {
    auto* wrapper = new TOrloDockContainerZone();
    wrapper->SetDockSite(DockSite());
    wrapper->SetParentZone(container);
    wrapper->SetChildOrientation(container->ChildOrientation());
    wrapper->SetOrientation(orientation);
    for (int i = container->ChildCount() - 1; i >= 0; --i) {
        TOrloDockZone* child = container->Child(i);
        if (child == wrapper)
            continue;
        container->TakeChild(child);
        child->SetParentZoneField(wrapper);
        wrapper->InsertChild(0, child);
    }
    wrapper->SetParentSizePercentage(100);
    container->SetChildOrientation(orientation);
    // Provisional, like every rectangle here: the whole former client area.
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    wrapper->SetBoundsField(client);
    return wrapper;
}

void TOrloDockRootZone::InsertBeside(TOrloDockZone* zone, TOrloDockZone* sibling, bool after) {
    tk::Assert(sibling != this && sibling->ParentZone() != nullptr, "SiblingZone <> Self", kUnitName);
    TOrloDockContainerZone* parent = sibling->ParentZone();
    const bool siblingShown = sibling->IsVisible();
    tk::Rect siblingRect = sibling->Bounds();
    tk::Rect zoneRect = siblingRect;
    const int percentage = sibling->ParentSizePercentage();
    int zoneShare = percentage / 2;
    int siblingShare = percentage - zoneShare;
    if (parent->ChildOrientation() == voTabbed) {
        zone->SetParentSizePercentage(100);
        zoneShare = 100;
        siblingShare = 100;
    } else {
        SplitRect(parent->ChildOrientation(), after, siblingRect, zoneRect);
    }
    zone->SetBounds(zoneRect);
    sibling->SetBounds(siblingRect);
    zone->SetParentZone(parent);
    sibling->SetParentSizePercentage(siblingShare);
    zone->SetParentSizePercentage(zoneShare);
    if (after)
        parent->MoveZoneAfter(zone, sibling);
    else
        parent->MoveZoneBefore(zone, sibling);
    parent->UpdateBounds();
    // Half of a hidden zone's share is next to nothing.
    if (!siblingShown && zone->IsVisible())
        GiveRoom(zone);
}

void TOrloDockRootZone::GiveRoom(TOrloDockZone* zone) {
    // Up from the zone while it is the only visible child of its parent: the
    // parent has just become visible with it and needs room in its own parent.
    for (TOrloDockZone* shown = zone; TOrloDockContainerZone* parent = shown->ParentZone(); shown = parent) {
        TOrloDockZone* neighbour = shown->PrevVisibleSibling();
        if (!neighbour)
            neighbour = shown->NextVisibleSibling();
        if (!neighbour)
            continue;
        // Tabs share the whole client area; a visible tab means the group had room.
        if (parent->ChildOrientation() == voTabbed)
            return;
        const int half = neighbour->ParentSizePercentage() / 2;
        shown->SetParentSizePercentage(half);
        neighbour->SetParentSizePercentage(neighbour->ParentSizePercentage() - half);
        parent->UpdateBounds();
        return;
    }
}

void TOrloDockRootZone::SplitInsert(TOrloDockZone* zone, TOrloDockZone* target, bool after,
                                    TOrloDockOrientation orientation) {
    tk::Assert(target != this && target->ParentZone() != nullptr, "SiblingZone <> Self", kUnitName);
    const bool targetShown = target->IsVisible();
    TOrloDockContainerZone* container = nullptr;
    if (orientation == voTabbed) {
        auto* group = new TOrloDockTabbedContainerZone();
        if (group->Tabs() && DockSite())
            group->Tabs()->SetImages(DockSite()->GetImages());
        container = group;
    } else {
        container = new TOrloDockContainerZone();
    }
    container->SetDockSite(DockSite());
    zone->SetOrientation(orientation);

    TOrloDockContainerZone* parent = target->ParentZone();
    container->SetOrientation(parent->ChildOrientation());
    container->SetChildOrientation(orientation);
    target->SetOrientation(orientation);
    parent->ReplaceZone(target, container);
    const tk::Rect bounds = target->Bounds();
    tk::Rect client = bounds;
    container->AdjustClientRect(client);
    container->SetBounds(bounds);

    tk::Rect targetRect = client;
    tk::Rect zoneRect = client;
    if (orientation != voTabbed) {
        target->SetParentSizePercentage(50);
        zone->SetParentSizePercentage(50);
        target->SetParentZone(container);
        SplitRect(orientation, after, targetRect, zoneRect);
    } else {
        target->SetParentSizePercentage(100);
        target->SetParentZone(container);
        zone->SetParentSizePercentage(100);
    }
    target->SetBounds(targetRect);
    zone->SetBounds(zoneRect);
    zone->SetParentZone(container);
    if (after)
        container->MoveZoneAfter(zone, target);
    else
        container->MoveZoneBefore(zone, target);
    target->SetParentSizePercentage(50);
    zone->SetParentSizePercentage(50);
    parent->UpdateBounds();
    // The new container took a hidden target's share, next to nothing.
    if (!targetShown && zone->IsVisible())
        GiveRoom(container);
}

void TOrloDockRootZone::SplitRect(TOrloDockOrientation orientation, bool after, tk::Rect& a, tk::Rect& b) {
    b = a;
    const tk::Axis axis = ArrangementAxis(orientation);
    tk::Rect& first = after ? a : b;
    tk::Rect& second = after ? b : a;
    const int half = tk::Extent(a, axis) / 2;
    // The second part gets the half and the first the rest, less the pixel
    // between them; in a row that pixel comes off the second part instead.
    const int firstEnd = tk::End(a, axis) - half - (axis == tk::Axis::Vertical ? 1 : 0);
    tk::SetEnd(first, axis, firstEnd);
    tk::SetStart(second, axis, firstEnd + 1);
}

// ---- tab groups ----

void TOrloDockRootZone::InsertTabbedZone(TOrloDockTabbedContainerZone* zone, TOrloDockZone* target,
                                         tk::Align position) {
    if (!zone)
        return;
    const std::vector<TOrloDockablePanel*> panels = CollectPanels(zone);
    CheckInsertion(panels, position);
    TOrloDockUpdateGuard update(DockSite());
    // alNone and alCustom stand in a stack, but keep their own after-flag.
    const TOrloDockOrientation orientation =
        position == tk::alNone || position == tk::alCustom ? voHorz : DockPositionOrientation(position);
    const bool after = DockPositionAfter(position);

    // Relative to itself or one of its own tabs there is nothing to stand
    // beside once the group has left: it goes relative to the root.
    if (target && (!HoldsZone(target) || zone->Contains(target)))
        target = nullptr;
    TOrloDockZone* at = target ? target : this;
    // A tab stands for its group, both as sibling and as the group to join.
    if (IsTab(at))
        at = at->ParentZone();

    // Refused before anything changes, so no panel is lost and no site is left blank.
    if (orientation == voTabbed) {
        if (TOrloDockContainerZone* container = AsPlainContainer(at)) {
            const int others = container->ChildCount() - (zone->ParentZone() == container ? 1 : 0);
            if (others > 0)
                throw tk::Exception(
                    tk::Latin1("Inserting Tabbed Zone into non tabbed container in voTabbed orientation!"));
        }
    }

    DetachGroup(zone);

    if (orientation != voTabbed) {
        zone->SetDockSite(DockSite());
        PlaceBeside(zone, at, orientation, after);
    } else if (TOrloDockTabbedContainerZone* group = at->AsTabGroup()) {
        // Each tab leaves the group and becomes a new last tab of the target,
        // so they arrive last one first.
        for (int i = zone->ChildCount() - 1; i >= 0; --i)
            zone->Child(i)->SetParentZone(group);
        zone->Free();
    } else if (TOrloDockContainerZone* container = at->AsContainer()) {
        zone->SetDockSite(DockSite());
        FillEmpty(zone, container);
    } else if (zone->ChildCount() == 0) {
        // A group without tabs has nothing to add to the leaf.
        zone->Free();
    } else {
        // The group takes the leaf's place, and the leaf becomes its last tab.
        zone->SetDockSite(DockSite());
        at->ParentZone()->ReplaceZone(at, zone);
        const int current = zone->CurrentTabIndex();
        InsertBeside(at, zone->LastChild(), after);
        // A group whose tabs were all hidden gets the leaf as its shown tab.
        TOrloDockZone* restored = zone->Child(current);
        if (zone->Tabs() && restored && restored->IsVisible())
            zone->Tabs()->SetTabIndex(current);
    }

    if (IOrloDockSiteInternal* site = DockSite())
        for (TOrloDockablePanel* panel : panels)
            panel->SetDockSite(site);
}

void TOrloDockRootZone::DetachGroup(TOrloDockTabbedContainerZone* zone) {
    // Another site takes it out of its tree itself; in this one only the
    // group leaves its place, so that nothing else is tidied away meanwhile.
    IOrloDockSiteInternal* oldSite = zone->DockSite();
    if (oldSite && oldSite != DockSite()) {
        const tk::String id = zone->ZoneID();
        oldSite->RemoveZone(id);
    }
    if (TOrloDockContainerZone* parent = zone->ParentZone()) {
        parent->RemoveZone(zone);
        zone->SetParentZoneField(nullptr);
    }
    zone->SetDockSite(nullptr);
}

tk::String TOrloDockRootZone::ClassName() const { return tk::Latin1("TOrloDockRootZone"); }
