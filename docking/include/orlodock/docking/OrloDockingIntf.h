#pragma once

// The contracts through which zones, sites, panels, the manager and the theme
// meet, and the value sets they share. Each interface lists its operations in
// contract order after the three root operations; callers and implementations
// built separately rely on that order and on the identities.
//
// No interface carries ownership: everything behind them is a component that
// its owner frees, so a holder must not keep a reference longer than the
// object lives.

#include <cstdint>
#include <functional>

#include <orlodock/tk/control.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/interfaces.h>
#include <orlodock/tk/tkstring.h>

namespace tk {
class Canvas;
class ImageList;
} // namespace tk

class TOrloDockZone;
class TOrloDockRootZone;
class TOrloDockTabbedContainerZone;
class TOrloDockSite;
class TOrloDockablePanel;

// A zone's place in its parent. voNoOrient is measured and cut like voHorz.
enum TOrloDockOrientation : std::uint8_t { voNoOrient = 0, voVert = 1, voHorz = 2, voTabbed = 3 };

// "voNoOrient", "voVert", "voHorz", "voTabbed"; values outside the set give "".
tk::String OrientationName(TOrloDockOrientation orientation);
// The identifiers by ordinal, as streamed.
tk::StringList OrientationIdentifiers();

// The axis along which zones of this orientation follow one another:
// horizontal for voVert (side by side), vertical for the others (stacked).
tk::Axis ArrangementAxis(TOrloDockOrientation orientation);

// Dock positions are the toolkit's alignment values (alNone .. alCustom).
using TOrloDockPosition = tk::Align;
// none, custom -> voNoOrient; top, bottom -> voHorz; left, right -> voVert; client -> voTabbed.
TOrloDockOrientation DockPositionOrientation(tk::Align position);
// Bottom, right and client put the new zone after the target; the others before it.
bool DockPositionAfter(tk::Align position);

// What a zone's hit test found at a point.
enum TOrloDockHitArea : std::uint8_t {
    zhNone = 0,
    zhClient = 1,
    zhTitleBar = 2,
    zhCloseButton = 3,
    zhPinButton = 4,
    zhSplitter = 5,
};

// One byte per title-bar button (close, pin); written by the site, read by the theme.
enum TOrloDockButtonState : std::uint8_t { dbsNormal = 0, dbsHot = 1, dbsPressed = 2 };

class IOrloDockSite;

// The caller's drop preview, handed through a site's drop-target query: the
// site passes the rectangle (its client coordinates) it would show for itself.
using TOrloDockPreviewProc = std::function<void(IOrloDockSite* site, const tk::Rect& rect, bool show)>;

class IOrloDockZone : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{E1776D3A-737D-4EF8-B26A-7A44DAFCAAD3}");

    virtual TOrloDockZone* GetZoneObject() = 0;
    virtual void GetZoneID(tk::String& id) = 0;
    virtual void SetZoneID(const tk::String& id) = 0;
    virtual void GetCaption(tk::String& caption) = 0;
    virtual std::uint8_t GetCloseButtonState() = 0;
    virtual std::uint8_t GetPinButtonState() = 0;
    virtual bool IsActive() = 0;
    virtual tk::Canvas* GetCanvas() = 0;
    virtual void GetBounds(tk::Rect& bounds) = 0;
    virtual void GetScreenBounds(tk::Rect& bounds) = 0;
    virtual TOrloDockOrientation GetOrientation() = 0;
    virtual TOrloDockOrientation GetParentOrientation() = 0;
    virtual void AdjustClientRect(tk::Rect& rect) = 0;
    virtual void ExcludeSplitter(tk::Rect& rect) = 0;
    virtual bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) = 0;
};

class IOrloDockablePanel;

class IOrloDockSite : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{65CF9FB1-3140-44DC-B07F-70A6991D33A1}");

    virtual TOrloDockOrientation GetOrientation() = 0;
    virtual tk::Align GetAlign() = 0;
    virtual void GetScreenRect(tk::Rect& rect) = 0;
    virtual bool GetVisible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual tk::Control* GetControl() = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual bool GetDockTarget(tk::Point screenPoint, const tk::String& draggedZoneID,
                               const TOrloDockPreviewProc& preview, tk::String& zoneID, tk::Align& position) = 0;
    virtual void InsertDockablePanel(IOrloDockablePanel* panel, tk::Align position, const tk::String& zoneID) = 0;
    virtual void InsertDockablePanel(IOrloDockablePanel* panel, IOrloDockablePanel* relativePanel,
                                     tk::Align position) = 0;
    virtual void InsertDockablePanelAtZone(IOrloDockablePanel* panel, const tk::String& zoneID, tk::Align position) = 0;
    virtual void InsertTabbedZone(TOrloDockTabbedContainerZone* zone, const tk::String& zoneID, tk::Align position) = 0;
    virtual void RemoveDockablePanel(IOrloDockablePanel* panel) = 0;
    virtual void RemoveZone(const tk::String& zoneID) = 0;
    // The first two values are not used.
    virtual TOrloDockZone* ZoneFromIntf(std::intptr_t unused1, std::intptr_t unused2, IOrloDockZone* zone) = 0;
    virtual void GetZoneAt(tk::Point screenPoint, tk::Rect& rect, tk::IPtr<IOrloDockZone>& zone) = 0;
    virtual tk::ImageList* GetImages() = 0;
    virtual void GetRootZoneID(tk::String& id) = 0;
    virtual void GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) = 0;
};

class IOrloDockablePanel : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{8E89DB23-E33D-43BF-B2D9-3A322D52CD1C}");

    virtual void SetTitleBarCaption(const tk::String& caption) = 0;
    virtual tk::String GetTitleBarCaption() = 0;
    virtual tk::IPtr<IOrloDockSite> GetDockSite() = 0;
    virtual void SetDockSite(IOrloDockSite* site) = 0;
    virtual void GetBoundsRect(tk::Rect& rect) = 0;
    virtual TOrloDockablePanel* GetControl() = 0;
    virtual bool HasFocus() = 0;
};

class IOrloDockTheme : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{CC908F73-CD25-4C04-88BB-CA48DA8A72B2}");

    virtual int GetTitleBarHeight() = 0;
    virtual int GetReservedSizeA() = 0;
    virtual int GetZoneSplitterSize() = 0;
    virtual int GetSiteSplitterSize() = 0;
    virtual tk::Color GetBackgroundColor() = 0;
    virtual tk::Color GetActiveTitleBarColor() = 0;
    virtual tk::Color GetInactiveTitleBarColor() = 0;
    virtual int GetReservedSizeB() = 0;
    virtual int GetMinimumZoneSize() = 0;
    virtual void GetTitleBarRect(IOrloDockZone* zone, tk::Rect& rect) = 0;
    virtual void GetCloseButtonRect(IOrloDockZone* zone, tk::Rect& rect) = 0;
    virtual void GetPinButtonRect(IOrloDockZone* zone, tk::Rect& rect) = 0;
    virtual void PaintZone(IOrloDockZone* zone) = 0;
    virtual void PaintZoneBackground(IOrloDockZone* zone) = 0;
    virtual void PaintTitleBar(IOrloDockZone* zone) = 0;
};

class IOrloDockManager : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{F085C882-08C3-4333-BAF7-9EDC742B8F46}");

    virtual void GetTheme(tk::IPtr<IOrloDockTheme>& theme) = 0;
    virtual void GetTopSite(tk::IPtr<IOrloDockSite>& site) = 0;
    virtual void GetBottomSite(tk::IPtr<IOrloDockSite>& site) = 0;
    virtual void GetLeftSite(tk::IPtr<IOrloDockSite>& site) = 0;
    virtual void GetRightSite(tk::IPtr<IOrloDockSite>& site) = 0;
    virtual tk::ImageList* GetImages() = 0;
    virtual void SetDefaultSiteSize(std::int32_t size) = 0;
    virtual std::int32_t GetDefaultSiteSize() = 0;
    virtual void GetTargetSite(tk::IPtr<IOrloDockSite>& site) = 0;
    virtual void GetTargetZone(tk::IPtr<IOrloDockZone>& zone) = 0;
    // The leading value is not read.
    virtual bool GetDockTarget(std::intptr_t leading, const tk::String& draggedZoneID, tk::Point screenPoint,
                               tk::IPtr<IOrloDockSite>& site, tk::String& zoneID, const TOrloDockPreviewProc& preview,
                               tk::Align& position) = 0;
    virtual void MoveSiteToFront(IOrloDockSite* site) = 0;
    virtual void RegisterSite(IOrloDockSite* site) = 0;
    virtual void UnregisterSite(IOrloDockSite* site) = 0;
    virtual void BeginDrag(IOrloDockSite* draggedSite, tk::Point screenPoint) = 0;
    virtual bool DragOver(IOrloDockSite* draggedSite, tk::Point screenPoint, const tk::Rect& draggedWindowRect) = 0;
    virtual void EndDrag(IOrloDockSite* draggedSite, bool flag, tk::Point screenPoint) = 0;
    virtual void Debug(const tk::String& message) = 0;
    // Ends a drag without docking anything: guides and preview go, no target stays.
    virtual void CancelDrag() = 0;
    // Whether title bars and tabs name each zone's orientation and share after
    // the panel's caption ("Output voVert 40%"), or show the caption alone.
    virtual bool GetZoneDetailsInCaptions() = 0;
};
