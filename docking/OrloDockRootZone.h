#pragma once

// The top of a dock site's zone tree. The site creates it without owner,
// gives it the site's client rectangle and frees it.

#include <functional>

#include "OrloDockContainerZone.h"

class TOrloDockRootZone : public TOrloDockContainerZone {
public:
    explicit TOrloDockRootZone(tk::Component* owner = nullptr);

    // Called with the root after RemoveZone has taken one of its children out.
    std::function<void(TOrloDockRootZone* sender)> OnZonesChanged;

    void RemoveZone(TOrloDockZone* zone) override;
    // Without children: the screen rectangle of the whole site control.
    void GetScreenBounds(tk::Rect& rect) override;

    tk::String ClassName() const override;
};
