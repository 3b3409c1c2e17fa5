#pragma once

// The two contracts that belong with the zone tree: a leaf's view of itself
// and the view a zone has of the site that shows it.

#include <orlodock/docking/OrloDockingIntf.h>

namespace tk {
class Font;
} // namespace tk

class IOrloDockControlZone : public virtual IOrloDockZone {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{FA645FD6-F364-43CB-93AF-7575FDF6EB59}");

    // The attached panel, or nullptr.
    virtual tk::Control* GetControl() = 0;
};

// Continues the operations of IOrloDockSite; BeginUpdate and EndUpdate appear
// in both tables and are one operation in an implementation.
class IOrloDockSiteInternal : public virtual IOrloDockSite {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{E09D8452-B369-4235-A309-BE82A6A52A04}");

    virtual TOrloDockRootZone* GetRootZone() = 0;
    virtual TOrloDockSite* GetSite() = 0;
    virtual tk::Canvas* GetCanvas() = 0;
    virtual tk::Font* GetFont() = 0;
    virtual void GetTheme(tk::IPtr<IOrloDockTheme>& theme) = 0;
    void BeginUpdate() override = 0;
    void EndUpdate() override = 0;
    virtual tk::Color GetColor() = 0;
    virtual void Collapse() = 0;
    virtual void Expand() = 0;
    virtual void BeginZoneDrag(TOrloDockZone* zone, tk::Point point) = 0;
    virtual bool IsFloating() = 0;
    // The zone, which is still whole, leaves this site's tree: it is being
    // freed or goes to another site (or to none). The site lets go of it.
    virtual void ZoneLeaving(TOrloDockZone* zone) = 0;
    // The theme GetTheme answers, without a reference of its own: for
    // reading its measures, which layouts do for every zone.
    virtual IOrloDockTheme* ThemeInUse() = 0;
};
