#pragma once

// Drop guides and the dock preview window. While a floating window is
// dragged, arrow images at the outer edge of each dock site and a cross of
// five images over the zone under the pointer show where it can dock; the
// guide under the pointer lights up and chooses the position. The guides live
// in shaped, always-on-top windows (TOrloDockDropWindow) that also hit-test
// the pointer; TOrloDockPreviewWindow shows the rectangle the dragged window
// would take.
//
// Lifetime: a guide group refers to its site and zone through references
// that clear themselves when the component behind them is freed; the drop
// window then drops the group, so a site or zone freed during a drag takes
// its groups with it instead of leaving them dangling.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <orlodock/docking/OrloDockingIntf.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/component.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/region.h>

namespace tk {
class Canvas;
}

// The guide images; each but dkCentre also names the position it docks to.
enum TOrloDockDropKind : std::uint8_t { dkCentre = 0, dkLeft = 1, dkRight = 2, dkTop = 3, dkBottom = 4, dkTab = 5 };
// dsDisabled: never lit and never a target.
enum TOrloDockDropState : std::uint8_t { dsNormal = 0, dsHot = 1, dsDisabled = 2 };
// A group of guide images: one arrow at a site's outer edge, or the cross
// over a zone.
enum TOrloDockDropGroupKind : std::uint8_t { dgEdgeGuide = 0, dgCross = 1 };

// dkCentre alNone, dkLeft alLeft, dkRight alRight, dkTop alTop, dkBottom alBottom, dkTab alClient.
tk::Align DropKindPosition(TOrloDockDropKind kind);

// Receives the windows' debug lines, without a time stamp.
using TOrloDockDebugEvent = std::function<void(const tk::String& message)>;

// The bytes of a window region as tk::Region::Data() gives them: a header and
// the rectangles.
class TOrloRegionData {
public:
    std::int32_t Size() const { return static_cast<std::int32_t>(data_.size()); }
    // Resizes the block (to nothing for 0); a negative size fails an assertion.
    void SetSize(std::int32_t size);
    const tk::Bytes& Data() const { return data_; }
    void Assign(const tk::Bytes& data) { data_ = data; }

private:
    tk::Bytes data_;
};

// Fills data with the region of the bitmap's pixels that differ from the key
// colour, one rectangle per run of such pixels in a row, as the region data
// of their union. A bitmap made only of key pixels leaves data as it was.
// Results are remembered per bitmap content, so asking again for the same
// pixels costs a copy.
void BuildRegionData(const tk::Bitmap& bitmap, tk::Color keyColor, TOrloRegionData& data);

// Supplies the guide bitmaps.
class IOrloDockDropZoneTheme : public virtual tk::IInterface {
public:
    static constexpr tk::Guid IID = tk::Guid::Parse("{12939C2D-0DE3-40D1-A6A8-CF11ED677AB7}");

    // A new bitmap of an arrow or the tab in a state; dkCentre fails an assertion.
    virtual std::unique_ptr<tk::Bitmap> GetZoneBitmap(TOrloDockDropKind kind, TOrloDockDropState state) = 0;
    // A new bitmap of the octagon behind a cross.
    virtual std::unique_ptr<tk::Bitmap> GetCentreBitmap() = 0;
    virtual tk::String GetThemeName() = 0;
};

// The embedded ORLODOCK_* bitmaps. Counts its references and frees itself
// with the last one. Each resource is decoded once; the bitmaps it hands out
// share those pixels until someone changes them.
class TOrloDockDropZoneTheme : public virtual IOrloDockDropZoneTheme {
public:
    TOrloDockDropZoneTheme() = default;
    TOrloDockDropZoneTheme(const TOrloDockDropZoneTheme&) = delete;
    TOrloDockDropZoneTheme& operator=(const TOrloDockDropZoneTheme&) = delete;

    // "ORLODOCK_LEFT", "ORLODOCK_RIGHT", "ORLODOCK_TOP", "ORLODOCK_BOTTOM" or
    // "ORLODOCK_TAB", with "_HOT" or "_DISABLED" for those states.
    std::unique_ptr<tk::Bitmap> GetZoneBitmap(TOrloDockDropKind kind, TOrloDockDropState state) override;
    // "ORLODOCK_CENTER".
    std::unique_ptr<tk::Bitmap> GetCentreBitmap() override;
    // "Orlo2005".
    tk::String GetThemeName() override;

    bool QueryInterface(const tk::Guid& iid, void** out) override;
    int AddRef() override;
    int Release() override;

protected:
    ~TOrloDockDropZoneTheme() override;

private:
    std::unique_ptr<tk::Bitmap> LoadBitmap(const tk::String& resourceName);

    int refCount_ = 0;
};

// The theme every guide image asks for its bitmaps; set from program start to
// program end. An application may put its own theme here between drags.
extern tk::IPtr<IOrloDockDropZoneTheme> DropZoneTheme;

class TOrloDockDropZone;
class TOrloDockDropWindow;

// One guide image of a group.
class TOrloDockDropZoneImage {
public:
    TOrloDockDropZoneImage(TOrloDockDropZone* owner, TOrloDockDropKind kind);
    ~TOrloDockDropZoneImage();
    TOrloDockDropZoneImage(const TOrloDockDropZoneImage&) = delete;
    TOrloDockDropZoneImage& operator=(const TOrloDockDropZoneImage&) = delete;

    // Places the image (guide window client coordinates) and takes its shape
    // from the bitmap it shows now.
    void SetPosition(int left, int top);
    // Shows the state's bitmap; the shape stays as it was positioned.
    void SetState(TOrloDockDropState state);
    // Draws the bitmap, lime left out, when visible.
    void Paint(tk::Canvas& canvas);

    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    TOrloDockDropZone* Owner() const { return owner_; }
    TOrloDockDropKind Kind() const { return kind_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    TOrloDockDropState State() const { return state_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // The opaque pixels at the position; none until positioned, and none for
    // a bitmap without an opaque pixel.
    const std::optional<tk::Region>& Region() const { return region_; }
    // The opaque pixels of the bitmap at the origin.
    const TOrloRegionData& RegionData() const { return regionData_; }
    const tk::Bitmap& Bitmap() const { return *bitmap_; }
    bool Contains(tk::Point p) const { return region_ && region_->Contains(p); }

private:
    TOrloDockDropZone* owner_;
    TOrloDockDropKind kind_;
    std::optional<tk::Region> region_;
    TOrloRegionData regionData_;
    std::unique_ptr<tk::Bitmap> bitmap_;
    int left_ = 0;
    int top_ = 0;
    TOrloDockDropState state_ = dsNormal;
    bool visible_ = true;
};

// A group of guide images: the edge guide of a site (one arrow at its outer
// edge, by the site's alignment) or the cross over a zone (four arrows and
// the tab around the zone's centre, on the octagon).
class TOrloDockDropZone {
public:
    // rect in screen coordinates. Laid out in the owner's client
    // coordinates; without an owner, in screen coordinates.
    TOrloDockDropZone(TOrloDockDropWindow* owner, TOrloDockDropGroupKind kind, const tk::Rect& rect);
    ~TOrloDockDropZone();
    TOrloDockDropZone(const TOrloDockDropZone&) = delete;
    TOrloDockDropZone& operator=(const TOrloDockDropZone&) = delete;

    void SetSite(IOrloDockSite* site) { site_ = site; }
    // Stores the zone; lays the group out unless it is none.
    void SetZone(IOrloDockZone* zone);
    // Positions and shows the images and unites their regions into Region().
    void Layout();
    // The octagon first, then the visible images from left to tab.
    void Paint(tk::Canvas& canvas);

    // dkLeft .. dkTab; dkCentre gives the octagon, nullptr outside a cross.
    TOrloDockDropZoneImage* Image(TOrloDockDropKind kind) const;
    TOrloDockDropZoneImage* CentreImage() const { return centre_.get(); }
    TOrloDockDropWindow* Owner() const { return owner_; }
    TOrloDockDropGroupKind Kind() const { return kind_; }
    const tk::Rect& Rect() const { return rect_; }
    // The union of the shown images' regions after the last Layout.
    const tk::Region& Region() const { return region_; }
    IOrloDockSite* Site() const { return site_.get(); }
    IOrloDockZone* Zone() const { return zone_.get(); }
    int CentreX() const { return centreX_; }
    int CentreY() const { return centreY_; }

private:
    void LayoutEdgeGuide(const tk::Rect& r);
    void LayoutCross(const tk::Rect& r);
    // The site or zone was freed: the owner window lets go of this group.
    void TargetGone();

    TOrloDockDropWindow* owner_;
    TOrloDockDropGroupKind kind_;
    tk::Rect rect_;
    // dkLeft .. dkTab at kind - 1.
    std::array<std::unique_ptr<TOrloDockDropZoneImage>, 5> images_;
    std::unique_ptr<TOrloDockDropZoneImage> centre_;
    tk::Region region_;
    tk::ComponentRef<IOrloDockSite> site_{[this] { TargetGone(); }};
    tk::ComponentRef<IOrloDockZone> zone_{[this] { TargetGone(); }};
    int centreX_ = 0;
    int centreY_ = 0;
};

// A borderless, always-on-top window shaped to the guides it shows. The
// manager keeps one for the edge guides of all sites and one for the cross
// over the zone under the pointer, and gives both the bounds of all monitors.
class TOrloDockDropWindow : public tk::Form {
public:
    explicit TOrloDockDropWindow(tk::Component* owner);
    ~TOrloDockDropWindow() override;

    // Adds the edge guide of a site; the window is reshaped by ShowGuides.
    void AddSiteZone(IOrloDockSite* site);
    // Replaces the cross with one over zone (none removes it) and reshapes
    // the window; the same site and zone as now change nothing.
    void SetZoneUnderMouse(IOrloDockSite* site, IOrloDockZone* zone);
    // Lays out every group, shapes the window to them and shows it on top
    // without activating it; repaint also invalidates it.
    void ShowGuides(bool repaint);
    // Hides the window and discards every group.
    void HideGuides();
    // Lights the guide under a screen point and answers its position, site
    // and zone; false, alNone and none when no guide is there. With a cross
    // only the cross is tested, and its octagon between the arrows counts as
    // the tab. Repaints only when the lit guide changed.
    bool HitTest(tk::Point screenPoint, tk::Align& align, tk::IPtr<IOrloDockSite>& site, tk::IPtr<IOrloDockZone>& zone);

    // The region last handed to the window.
    const tk::Region& Region() const { return WindowRegion(); }
    // The groups in insertion order.
    const std::vector<std::unique_ptr<TOrloDockDropZone>>& Zones() const { return zones_; }
    TOrloDockDropZone* ZoneUnderMouse() const { return zoneUnderMouse_; }
    TOrloDockDropZone* HotZone() const { return hotZone_; }
    TOrloDockDropKind HotKind() const { return hotKind_; }
    // Invalidated since it was last painted.
    bool RepaintPending() const { return repaintPending_; }

    TOrloDockDebugEvent OnDebug;

protected:
    void Paint() override;
    void Invalidated(const tk::Rect& rect) override;

private:
    friend class TOrloDockDropZone;

    struct HitResult;

    void Debug(const tk::String& message);
    // Tests one group; the cross's octagon only when checkCentre is set.
    void TestGroup(TOrloDockDropZone& group, tk::Point p, bool checkCentre, HitResult& hit);
    void Append(std::unique_ptr<TOrloDockDropZone> group);
    // Takes a group out of Zones and forgets it wherever it is referred to.
    std::unique_ptr<TOrloDockDropZone> Remove(TOrloDockDropZone* group);
    // The site or zone of a group was freed: the group goes, the window is reshaped.
    void GroupLost(TOrloDockDropZone* group);

    std::vector<std::unique_ptr<TOrloDockDropZone>> zones_;
    // Both point into zones_ or are null.
    TOrloDockDropZone* zoneUnderMouse_ = nullptr;
    TOrloDockDropZone* hotZone_ = nullptr;
    TOrloDockDropKind hotKind_ = dkCentre;
    bool repaintPending_ = false;
};

// The shape that shows where the dragged window would land: translucent blue
// where the window system composites, a frame of the same outline elsewhere
// (an opaque block would hide what lies under it). A tab-shaped preview has a
// 50-pixel tab hanging below the left of its body, for docking as a tab.
class TOrloDockPreviewWindow : public tk::Form {
public:
    explicit TOrloDockPreviewWindow(tk::Component* owner);

    // Shows rect (screen coordinates) as a rectangle, or with isTab as a body
    // tabHeight pixels shorter with the tab below it. Asked again for the
    // same rectangle and shape while showing, it does nothing.
    void ShowPreview(const tk::Rect& rect, bool isTab, int tabHeight);
    // Hides the preview when it shows.
    void HidePreview();

    const tk::Rect& PreviewRect() const { return previewRect_; }
    // The region last handed to the window.
    const tk::Region& Region() const { return WindowRegion(); }
    bool IsTab() const { return isTab_; }
    bool Showing() const { return showing_; }
    // The tab of a tab-shaped preview, in client coordinates.
    const tk::Rect& TabRect() const { return tabRect_; }
    // The last shape was the frame only (no compositing).
    bool FrameOnly() const { return frameOnly_; }

    // Width of the button-face outline and of the coloured border inside it,
    // which together make the frame-only preview.
    static constexpr int OutlineWidth = 2;
    static constexpr int FrameBorderWidth = 3;

    TOrloDockDebugEvent OnDebug;

protected:
    void Paint() override;

private:
    void Debug(const tk::String& message);
    // The part of the silhouette more than the frame's width inside its edge.
    tk::Region FrameInside(int width, int height) const;

    tk::Rect previewRect_;
    bool isTab_ = false;
    bool showing_ = false;
    bool frameOnly_ = false;
    tk::Rect tabRect_;
};
