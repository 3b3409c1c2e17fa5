#pragma once

// The mouse handling of one dock site: hover and press feedback on the
// title-bar buttons, closing a zone, splitter and inner-edge drags with their
// drag bars, resize cursors, and tearing a zone off into a floating window
// that the manager's drag then carries over the sites. The site
// owns one, hands it its mouse and key messages and forwards what the zone
// tree tells it about zones leaving the tree, so no zone remembered here is
// ever used after it left.
//
// The mouse is captured during every drag, so the moves and the release of a
// drag come here wherever the pointer goes.

#include <memory>

#include <orlodock/docking/OrloDockFloatingSite.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/component.h>

class TOrloDockSiteMouse {
public:
    explicit TOrloDockSiteMouse(TOrloDockSite& site);
    TOrloDockSiteMouse(const TOrloDockSiteMouse&) = delete;
    TOrloDockSiteMouse& operator=(const TOrloDockSiteMouse&) = delete;

    // ---- messages, in the site's client coordinates ----
    // Only the left button acts (any button in the form designer).
    void Down(tk::MouseButton button, tk::Point point);
    void Move(tk::Point point);
    void Up(tk::MouseButton button, tk::Point point);
    void Leave();
    void KeyDown(int key);
    // Resize cursors over zone splitters and the inner edge of a site that
    // shows zones; `inherited` elsewhere.
    tk::Cursor CursorAt(tk::Point point, tk::Cursor inherited);
    // Arms the tear-off of a leaf, as a press on its title bar does; nothing
    // without a manager, which the tear-off's drag needs.
    void BeginZoneDrag(TOrloDockZone* zone);
    // The zone is leaving the site's tree: it is forgotten at once.
    void ZoneLeaving(TOrloDockZone* zone);

    // ---- state ----
    TOrloDockZone* ActiveZone() const { return activeZone_; }
    TOrloDockHitArea MouseState() const { return mouseState_; }
    TOrloDockZone* SplitZone() const { return splitZone_; }
    bool EdgeDragging() const { return edgeDragging_; }
    tk::Point DragPos() const { return dragPos_; }
    tk::Point DragStart() const { return dragStart_; }
    TOrloDockDragState DragState() const { return dragState_; }
    IOrloDockSite* FloatingSite() const { return floatingSite_.get(); }
    TOrloFloatingDockSiteHostForm* FloatingHost() const { return floatingHost_.get(); }
    const tk::String& FloatRootZoneID() const { return floatRootZoneID_; }
    tk::Align FloatPosition() const { return floatPosition_; }
    const tk::Brush& PatternBrush() const { return patternBrush_; }

private:
    // The zone under a client point and the part of it there. Title-bar
    // buttons and the splitter of a tab group belong to the group, not to
    // the tab that the group answers for.
    TOrloDockZone* HitTest(tk::Point point, TOrloDockHitArea& kind);
    // Hover feedback on the title-bar buttons while no button is held.
    void HoverOver(TOrloDockZone* hit, TOrloDockHitArea kind);
    // Every button left pressed goes back to normal (a press released off its button).
    void ReleasePressedButtons();
    // The held close or pin button looks pressed only while the pointer is on it.
    void TrackHeldButton(tk::Point point);

    void ClampSplitterDrag();
    void ApplySplitterDrag();
    // The distance the inner edge has been dragged, outwards positive, kept
    // so that the site neither shrinks below its strip and one zone nor
    // leaves its parent.
    int EdgeDragDistance();
    void ApplyEdgeDrag();
    tk::Rect SplitterBarRect();
    tk::Rect EdgeBarRect();
    // Drag bars: pattern-inverted on the site or on its parent; drawing the
    // same bar again erases it.
    void ShowDragBar(const tk::Rect& rect, bool onParent);
    void HideDragBar();
    // A theme measurement, or `fallback` without theme.
    int ThemeSize(int (IOrloDockTheme::*size)(), int fallback);

    // ---- tear-off (OrloDockSiteTearOff.cpp) ----
    // The active zone leaves for a new floating window and the manager's drag starts.
    void TearOff();
    // The window the zone would take: its screen rectangle grown by the window frame.
    tk::Rect FloatingBounds(TOrloDockZone* zone) const;
    void MoveFloatingWindow(tk::Point point);
    void EndTearOff(tk::Point point);
    // Escape: the drag ends where it is, nothing docks.
    void CancelTearOff();

    TOrloDockSite& site_;
    TOrloDockZone* activeZone_ = nullptr;
    TOrloDockHitArea mouseState_ = zhNone;
    TOrloDockZone* splitZone_ = nullptr;
    bool edgeDragging_ = false;
    tk::Point dragPos_{};
    tk::Point dragStart_{};
    TOrloDockDragState dragState_ = TOrloDockDragState::Idle;
    tk::Brush patternBrush_;
    // The drag bar on the screen now and the window it is drawn on.
    tk::Rect dragBar_{};
    tk::Control* dragBarWindow_ = nullptr;
    // The tear-off: the floating site made for the torn-off zone while the
    // drag lasts, its root zone and the position the zone goes to there, and
    // the last floating window made (it may be released any time).
    tk::ComponentRef<IOrloDockSite> floatingSite_;
    tk::String floatRootZoneID_;
    tk::Align floatPosition_ = tk::alNone;
    tk::ComponentRef<TOrloFloatingDockSiteHostForm> floatingHost_;
};
