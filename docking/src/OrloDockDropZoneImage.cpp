// Guide images and their groups: bitmaps, shapes and the layout of an edge
// guide or a cross.

#include <orlodock/docking/OrloDockDropZone.h>

#include <orlodock/tk/canvas.h>
#include <orlodock/tk/exceptions.h>

#include "OrloDockDropZoneShapes.h"

namespace {

constexpr tk::Color kKeyColor = tk::clLime;

IOrloDockDropZoneTheme& Theme() {
    tk::Assert(static_cast<bool>(DropZoneTheme), "DropZoneTheme is nil", "OrloDockDropZone");
    return *DropZoneTheme;
}

// Halving truncates toward zero, as every halving in the layout does.
constexpr int Half(int x) { return x / 2; }

} // namespace

// ---- TOrloDockDropZoneImage ----

TOrloDockDropZoneImage::TOrloDockDropZoneImage(TOrloDockDropZone* owner, TOrloDockDropKind kind)
    : owner_(owner), kind_(kind),
      bitmap_(kind == dkCentre ? Theme().GetCentreBitmap() : Theme().GetZoneBitmap(kind, dsNormal)) {}

TOrloDockDropZoneImage::~TOrloDockDropZoneImage() = default;

void TOrloDockDropZoneImage::SetPosition(int left, int top) {
    left_ = left;
    top_ = top;
    const TOrloBitmapShape& shape = BitmapShape(*bitmap_, kKeyColor);
    if (!shape.Empty())
        regionData_.Assign(shape.Data);
    bitmap_->SetTransparentColor(kKeyColor);
    region_.reset();
    if (regionData_.Size() == 0)
        return;
    // A bitmap without opaque pixels keeps the data of the one positioned before it.
    const tk::Region atOrigin = shape.Empty() ? tk::Region::FromData(regionData_.Data()) : shape.Region;
    region_ = atOrigin.Offset(left, top);
}

void TOrloDockDropZoneImage::SetState(TOrloDockDropState state) {
    if (state == state_)
        return;
    state_ = state;
    bitmap_ = Theme().GetZoneBitmap(kind_, state);
}

void TOrloDockDropZoneImage::Paint(tk::Canvas& canvas) {
    bitmap_->SetTransparent(true);
    bitmap_->SetTransparentColor(kKeyColor);
    if (visible_)
        canvas.Draw(left_, top_, *bitmap_);
}

// ---- TOrloDockDropZone ----

TOrloDockDropZone::TOrloDockDropZone(TOrloDockDropWindow* owner, TOrloDockDropGroupKind kind, const tk::Rect& rect)
    : owner_(owner), kind_(kind), rect_(rect) {
    for (int k = dkLeft; k <= dkTab; ++k)
        images_[static_cast<std::size_t>(k - dkLeft)] =
            std::make_unique<TOrloDockDropZoneImage>(this, static_cast<TOrloDockDropKind>(k));
    if (kind_ == dgCross)
        centre_ = std::make_unique<TOrloDockDropZoneImage>(this, dkCentre);
}

TOrloDockDropZone::~TOrloDockDropZone() = default;

TOrloDockDropZoneImage* TOrloDockDropZone::Image(TOrloDockDropKind kind) const {
    if (kind == dkCentre)
        return centre_.get();
    if (kind < dkLeft || kind > dkTab)
        return nullptr;
    return images_[static_cast<std::size_t>(kind - dkLeft)].get();
}

void TOrloDockDropZone::SetZone(IOrloDockZone* zone) {
    zone_ = zone;
    if (zone_)
        Layout();
}

void TOrloDockDropZone::TargetGone() {
    if (owner_)
        owner_->GroupLost(this);
}

void TOrloDockDropZone::Layout() {
    const tk::Point origin = owner_ ? owner_->ClientOrigin() : tk::Point{};
    const tk::Rect r =
        tk::MakeRect(rect_.Left - origin.X, rect_.Top - origin.Y, rect_.Right - origin.X, rect_.Bottom - origin.Y);
    if (kind_ == dgEdgeGuide)
        LayoutEdgeGuide(r);
    else
        LayoutCross(r);

    tk::Region region;
    for (const auto& image : images_)
        if (image->Visible() && image->Region())
            region = region.United(*image->Region());
    if (centre_ && centre_->Region())
        region = region.United(*centre_->Region());
    region_ = region;
}

void TOrloDockDropZone::LayoutEdgeGuide(const tk::Rect& r) {
    if (centre_)
        centre_->SetVisible(false);
    for (const auto& image : images_)
        image->SetVisible(false);
    // The arrow sits inside the site against its outer edge, centred along it.
    TOrloDockDropZoneImage* shown = nullptr;
    switch (site_ ? site_->GetAlign() : tk::alNone) {
    case tk::alTop:
        shown = Image(dkTop);
        shown->SetPosition(r.Left + Half(r.Right - r.Left) - Half(shown->Width()), r.Top);
        break;
    case tk::alBottom:
        shown = Image(dkBottom);
        shown->SetPosition(r.Left + Half(r.Right - r.Left) - Half(shown->Width()), r.Bottom - shown->Height());
        break;
    case tk::alLeft:
        shown = Image(dkLeft);
        shown->SetPosition(r.Left, r.Top + Half(r.Bottom - r.Top) - Half(shown->Height()));
        break;
    case tk::alRight:
        shown = Image(dkRight);
        shown->SetPosition(r.Right - shown->Width(), r.Top + Half(r.Bottom - r.Top) - Half(shown->Height()));
        break;
    default:
        break;
    }
    if (shown)
        shown->SetVisible(true);
}

void TOrloDockDropZone::LayoutCross(const tk::Rect& r) {
    centreX_ = r.Left + Half(r.Right - r.Left);
    centreY_ = r.Top + Half(r.Bottom - r.Top);
    TOrloDockDropZoneImage& left = *Image(dkLeft);
    TOrloDockDropZoneImage& right = *Image(dkRight);
    TOrloDockDropZoneImage& top = *Image(dkTop);
    TOrloDockDropZoneImage& bottom = *Image(dkBottom);
    TOrloDockDropZoneImage& tab = *Image(dkTab);
    // The tab in the middle, one pixel between it and each arrow.
    left.SetPosition(centreX_ - Half(tab.Width()) - 1 - left.Width(), centreY_ - Half(left.Height()));
    right.SetPosition(centreX_ + Half(tab.Width()) + 1, centreY_ - Half(right.Height()));
    tab.SetPosition(centreX_ - Half(tab.Width()), centreY_ - Half(tab.Height()));
    top.SetPosition(centreX_ - Half(top.Width()), centreY_ - Half(tab.Height()) - 1 - top.Height());
    bottom.SetPosition(centreX_ - Half(bottom.Width()), centreY_ + Half(tab.Height()) + 1);
    if (centre_) {
        centre_->SetPosition(centreX_ - Half(centre_->Width()), centreY_ - Half(centre_->Height()));
        centre_->SetVisible(true);
    }
    for (const auto& image : images_)
        image->SetVisible(true);
}

void TOrloDockDropZone::Paint(tk::Canvas& canvas) {
    if (centre_)
        centre_->Paint(canvas);
    for (const auto& image : images_)
        if (image->Visible())
            image->Paint(canvas);
}
