#pragma once

// A tab group: a container whose leaves share one client rectangle, one of
// them shown at a time.

#include "OrloDockContainerZone.h"

class TOrloDockTabbedContainerZone : public TOrloDockContainerZone {
public:
    explicit TOrloDockTabbedContainerZone(tk::Component* owner = nullptr);

    // The tab to select once the tree has been loaded; -1 for none.
    int PendingTabIndex() const { return pendingTabIndex_; }
    int CurrentTabIndex() const;
    // Only the stream writes it: stores the pending tab index.
    void SetCurrentTabIndex(int index) { pendingTabIndex_ = index; }

    bool AcceptsTabDock() const override { return true; }

    // A tab's panel was shown or hidden; its leaf calls this instead of the
    // zone base's visibility handling.
    virtual void TabVisibilityChanged(TOrloDockZone* zone, bool visible);

    void GetProperties(tk::PropertyList& list) override;
    tk::String ClassName() const override;

private:
    int pendingTabIndex_ = -1;
};
