#include <orlodock/docking/OrloDockTreeCheck.h>

#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

// A zone that has no room (a hidden one behind the last visible sibling) may
// measure less than nothing, but no tree this library builds comes near this
// share; beyond it the layout arithmetic would leave the integer range.
constexpr int kLivePercentageLimit = 10000;

tk::String Describe(const TOrloDockZone* zone) { return zone->ClassName() + tk::Latin1(" ") + zone->ZoneID(); }

tk::String Number(int value) { return tk::IntToStr(value); }

} // namespace

void TOrloDockTreeCheck::Check(TOrloDockZone* top) {
    if (!top)
        return;
    site_ = top->DockSite();
    Visit(top);
}

void TOrloDockTreeCheck::Visit(TOrloDockZone* zone) {
    if (!zones_.insert(zone).second) {
        Report(Describe(zone) + tk::Latin1(" is listed more than once"));
        return;
    }
    if (zone->IsDestroying())
        Report(Describe(zone) + tk::Latin1(" is still listed while being freed"));
    if (zone->ComponentCount() > 0)
        Report(Describe(zone) + tk::Latin1(" owns components"));
    if (zone->ZoneID().isEmpty())
        Report(zone->ClassName() + tk::Latin1(" has no identifier"));
    else if (!ids_.insert(zone->ZoneID()).second)
        Report(tk::Latin1("Two zones have the identifier ") + zone->ZoneID());
    const int share = zone->ParentSizePercentage();
    const bool shareFits = source_ == TOrloDockTreeSource::Read
                               ? share >= 0 && share <= 100
                               : share >= -kLivePercentageLimit && share <= kLivePercentageLimit;
    if (!shareFits)
        Report(Describe(zone) + tk::Latin1(" has a share of ") + Number(zone->ParentSizePercentage()) +
               tk::Latin1(" %"));
    if (zone->ParentZone() && dynamic_cast<TOrloDockRootZone*>(zone))
        Report(Describe(zone) + tk::Latin1(" is a root zone below another zone"));
    if (site_ && zone->DockSite() != site_)
        Report(Describe(zone) + tk::Latin1(" belongs to another dock site than the top of the tree"));
    if (TOrloDockControlZone* leaf = zone->AsControlZone())
        VisitLeaf(leaf);
    TOrloDockContainerZone* container = zone->AsContainer();
    if (!container)
        return;
    TOrloDockTabbedContainerZone* group = zone->AsTabGroup();
    if (group && container->ChildOrientation() != voTabbed)
        Report(Describe(zone) + tk::Latin1(" does not arrange its children as tabs"));
    if (!group && container->ChildOrientation() == voTabbed)
        Report(Describe(zone) + tk::Latin1(" arranges its children as tabs without a tab strip"));
    for (int i = 0; i < container->ChildCount(); ++i) {
        TOrloDockZone* child = container->Child(i);
        const tk::String where = Describe(zone) + tk::Latin1(" child ") + Number(i);
        if (!child) {
            Report(where + tk::Latin1(" is null"));
            continue;
        }
        if (child->ParentZone() != container)
            Report(where + tk::Latin1(" (") + Describe(child) + tk::Latin1(") does not name it as its parent"));
        if (child->Orientation() != container->ChildOrientation())
            Report(where + tk::Latin1(" (") + Describe(child) + tk::Latin1(") stands ") +
                   OrientationName(child->Orientation()) + tk::Latin1(", not ") +
                   OrientationName(container->ChildOrientation()));
        if (group && !child->AsControlZone())
            Report(where + tk::Latin1(" is a tab that is not a leaf"));
        Visit(child);
    }
    if (group)
        VisitTabGroup(group);
}

void TOrloDockTreeCheck::VisitLeaf(TOrloDockControlZone* leaf) {
    const tk::Control* panel = leaf->GetControl();
    if (!panel)
        return;
    if (!panels_.insert(panel).second)
        Report(Describe(leaf) + tk::Latin1(" holds a panel that another leaf holds too"));
    IOrloDockSiteInternal* site = leaf->DockSite();
    const tk::Control* host = site ? site->GetControl() : nullptr;
    if (host && panel->Parent() != host)
        Report(Describe(leaf) + tk::Latin1(" holds a panel that is not a child of its site's control"));
}

void TOrloDockTreeCheck::VisitTabGroup(TOrloDockTabbedContainerZone* group) {
    // The tab a stream asks for, until the panels are resolved.
    if (group->PendingTabIndex() < -1 || group->PendingTabIndex() >= group->ChildCount())
        Report(Describe(group) + tk::Latin1(" asks for tab ") + Number(group->PendingTabIndex()) + tk::Latin1(" of ") +
               Number(group->ChildCount()));
    TOrloDockTabs* tabs = group->Tabs();
    if (!tabs) {
        Report(Describe(group) + tk::Latin1(" has no tab strip"));
        return;
    }
    if (tabs->TabCount() != group->ChildCount()) {
        Report(Describe(group) + tk::Latin1(" has ") + Number(tabs->TabCount()) + tk::Latin1(" tabs for ") +
               Number(group->ChildCount()) + tk::Latin1(" children"));
        return;
    }
    for (int i = 0; i < tabs->TabCount(); ++i) {
        TOrloDockTab* tab = tabs->GetTab(i);
        TOrloDockZone* child = group->Child(i);
        const tk::String where = Describe(group) + tk::Latin1(" tab ") + Number(i);
        if (tab->Zone() != child)
            Report(where + tk::Latin1(" does not stand for child ") + Number(i));
        else if (child && tab->Visible() != child->IsVisible())
            Report(where +
                   tk::Latin1(tab->Visible() ? " is shown for a hidden child" : " is hidden for a visible child"));
    }
    const int visible = group->VisibleChildCount();
    if (tabs->Visible() != (visible >= 2))
        Report(Describe(group) + tk::Latin1(tabs->Visible() ? " shows its strip with " : " hides its strip with ") +
               Number(visible) + tk::Latin1(" visible tabs"));
    IOrloDockSiteInternal* site = group->DockSite();
    if (site && site->GetControl() && tabs->Parent() != site->GetControl())
        Report(Describe(group) + tk::Latin1(" has its strip on another window than its site's"));
    if (visible == 0)
        return;
    TOrloDockZone* current = group->CurrentTabZone();
    if (!current || !current->IsVisible()) {
        Report(Describe(group) + tk::Latin1(" has no visible current tab (index ") + Number(tabs->TabIndex()) +
               tk::Latin1(")"));
        return;
    }
    TOrloDockControlZone* currentLeaf = current->AsControlZone();
    const tk::Control* front = currentLeaf ? currentLeaf->GetControl() : nullptr;
    const tk::Control* parent = front ? front->Parent() : nullptr;
    if (!parent)
        return;
    const auto zOrder = [parent](const tk::Control* control) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (parent->Controls(i) == control)
                return i;
        return -1;
    };
    for (int i = 0; i < group->ChildCount(); ++i) {
        TOrloDockZone* child = group->Child(i);
        TOrloDockControlZone* leaf = child ? child->AsControlZone() : nullptr;
        const tk::Control* other = leaf ? leaf->GetControl() : nullptr;
        if (other && other != front && other->Visible() && zOrder(other) > zOrder(front))
            Report(Describe(group) + tk::Latin1(" shows tab ") + Number(i) +
                   tk::Latin1("'s panel in front of the current tab's"));
    }
}

tk::StringList OrloDockTreeViolations(TOrloDockZone* top, TOrloDockTreeSource source) {
    TOrloDockTreeCheck check(source);
    check.Check(top);
    return check.Violations();
}
