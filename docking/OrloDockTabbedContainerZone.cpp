#include "OrloDockTabbedContainerZone.h"

TOrloDockTabbedContainerZone::TOrloDockTabbedContainerZone(tk::Component* owner) : TOrloDockContainerZone(owner) {
    SetChildOrientation(voTabbed);
}

void TOrloDockTabbedContainerZone::TabVisibilityChanged(TOrloDockZone* zone, bool visible) {
    (void)visible;
    if (IndexOf(zone) < 0)
        return;
    // Without a tab strip there is only the group's layout to follow.
    TOrloDockUpdateGuard update(DockSite());
    UpdateBounds();
}

int TOrloDockTabbedContainerZone::CurrentTabIndex() const { return pendingTabIndex_; }

void TOrloDockTabbedContainerZone::GetProperties(tk::PropertyList& list) {
    TOrloDockContainerZone::GetProperties(list);
    list.AddInteger(
        tk::String::fromLatin1("CurrentTabIndex"), [this] { return std::int64_t(CurrentTabIndex()); },
        [this](std::int64_t index) { SetCurrentTabIndex(int(index)); });
}

tk::String TOrloDockTabbedContainerZone::ClassName() const {
    return tk::String::fromLatin1("TOrloDockTabbedContainerZone");
}
