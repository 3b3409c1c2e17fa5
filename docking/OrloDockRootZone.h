#pragma once

// The top of a dock site's zone tree. The site creates it without owner,
// gives it the site's client rectangle and frees it.

#include <functional>

#include "OrloDockContainerZone.h"

class IOrloDockablePanel;
class TOrloDockTabbedContainerZone;

class TOrloDockRootZone : public TOrloDockContainerZone {
public:
    explicit TOrloDockRootZone(tk::Component* owner = nullptr);

    // Called with the root after RemoveZone has taken one of its children out.
    std::function<void(TOrloDockRootZone* sender)> OnZonesChanged;

    // Docks the panel relative to `target` (the root when none) at `position`,
    // first taking it out of the site it is docked in.
    void InsertPanel(IOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position);
    // Removes the panel's leaf from the tree and frees it.
    void RemovePanel(IOrloDockablePanel* panel);
    // Inserts a whole tab group relative to `target` (the root when none).
    void InsertTabbedZone(TOrloDockTabbedContainerZone* zone, TOrloDockZone* target, tk::Align position);

    void RemoveZone(TOrloDockZone* zone) override;
    // Without children: the screen rectangle of the whole site control.
    void GetScreenBounds(tk::Rect& rect) override;

    tk::String ClassName() const override;
};
