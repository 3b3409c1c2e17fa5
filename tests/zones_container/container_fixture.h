#pragma once

// Helpers for container tests: a leaf that counts how often it is laid out,
// and a component that records which components were freed, in order.

#include <vector>

#include "support/panel_zone_fixture.h"

class CountingLeaf : public FakeLeafZone {
public:
    using FakeLeafZone::FakeLeafZone;
    int UpdateCount = 0;
    void UpdateBounds() override {
        ++UpdateCount;
        FakeLeafZone::UpdateBounds();
    }
};

class FreeProbe : public tk::Component {
public:
    FreeProbe() : tk::Component(nullptr) {}
    std::vector<tk::Component*> Freed;

    void Watch(tk::Component* component) { component->FreeNotification(this); }
    bool WasFreed(tk::Component* component) const {
        for (tk::Component* c : Freed)
            if (c == component)
                return true;
        return false;
    }

protected:
    void Notification(tk::Component* component, tk::Operation operation) override {
        tk::Component::Notification(component, operation);
        if (operation == tk::Operation::Remove && component->IsDestroying())
            Freed.push_back(component);
    }
};

class ContainerTest : public PanelZoneTest {
protected:
    Owned<FreeProbe> probe = MakeOwned<FreeProbe>();
};
