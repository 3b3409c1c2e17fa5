// The shaped, always-on-top window that shows guide groups and hit-tests the
// pointer against them.

#include <orlodock/docking/OrloDockDropZone.h>

#include <algorithm>

#include <orlodock/tk/screen.h>

struct TOrloDockDropWindow::HitResult {
    bool Found = false;
    TOrloDockDropZone* Group = nullptr;
    TOrloDockDropKind Kind = dkCentre;
};

TOrloDockDropWindow::TOrloDockDropWindow(tk::Component* owner) : tk::Form(owner) {
    SetFormStyle(tk::fsStayOnTop);
    SetBorderStyle(tk::bsNone);
    SetControlStyle(ControlStyle() & ~tk::csOpaque);
    SetDoubleBuffered(true);
    SetBounds(0, 0, tk::Screen::Width(), tk::Screen::Height());
}

TOrloDockDropWindow::~TOrloDockDropWindow() = default;

void TOrloDockDropWindow::Debug(const tk::String& message) {
    if (OnDebug)
        OnDebug(message);
}

void TOrloDockDropWindow::AddSiteZone(IOrloDockSite* site) {
    tk::Rect rect;
    site->GetScreenRect(rect);
    auto group = std::make_unique<TOrloDockDropZone>(this, dgEdgeGuide, rect);
    group->SetSite(site);
    tk::IPtr<IOrloDockZone> root;
    site->GetRootZoneIntf(root);
    group->SetZone(root.get());
    Append(std::move(group));
}

void TOrloDockDropWindow::SetZoneUnderMouse(IOrloDockSite* site, IOrloDockZone* zone) {
    bool changed = false;
    if (zoneUnderMouse_) {
        if (zoneUnderMouse_->Site() == site && zoneUnderMouse_->Zone() == zone)
            return;
        std::unique_ptr<TOrloDockDropZone> old = Remove(zoneUnderMouse_);
        old->SetZone(nullptr);
        old->SetSite(nullptr);
        changed = true;
    }
    if (zone) {
        tk::Rect bounds;
        zone->GetScreenBounds(bounds);
        auto cross = std::make_unique<TOrloDockDropZone>(this, dgCross, bounds);
        cross->SetSite(site);
        cross->SetZone(zone);
        zoneUnderMouse_ = cross.get();
        Append(std::move(cross));
        changed = true;
    }
    if (changed)
        ShowGuides(true);
}

void TOrloDockDropWindow::ShowGuides(bool repaint) {
    tk::Region region;
    for (const auto& group : zones_) {
        group->Layout();
        region = region.United(group->Region());
    }
    SetWindowRegion(region);
    ShowOnTop();
    if (repaint)
        Invalidate();
}

void TOrloDockDropWindow::HideGuides() {
    Hide();
    while (!zones_.empty())
        Remove(zones_.back().get());
    zoneUnderMouse_ = nullptr;
    hotZone_ = nullptr;
    hotKind_ = dkCentre;
}

bool TOrloDockDropWindow::HitTest(tk::Point screenPoint, tk::Align& align, tk::IPtr<IOrloDockSite>& site,
                                  tk::IPtr<IOrloDockZone>& zone) {
    HitResult hit;
    site = nullptr;
    zone = nullptr;
    align = tk::alNone;
    const tk::Point p = ScreenToClient(screenPoint);
    if (zoneUnderMouse_) {
        Debug(tk::Latin1("Using Zone under mouse"));
        TestGroup(*zoneUnderMouse_, p, true, hit);
    } else {
        Debug(tk::Latin1("NOT Using Zone under mouse"));
        for (const auto& group : zones_)
            TestGroup(*group, p, false, hit);
    }
    if (hit.Group) {
        site = tk::IPtr<IOrloDockSite>(hit.Group->Site());
        zone = tk::IPtr<IOrloDockZone>(hit.Group->Zone());
    }
    const bool changed = hit.Group != hotZone_ || hit.Kind != hotKind_;
    hotZone_ = hit.Group;
    hotKind_ = hit.Kind;
    align = DropKindPosition(hit.Kind);
    if (changed)
        Invalidate();
    return hit.Found;
}

void TOrloDockDropWindow::TestGroup(TOrloDockDropZone& group, tk::Point p, bool checkCentre, HitResult& hit) {
    const bool inGroup = group.Region().Contains(p);
    bool foundHere = false;
    for (int k = dkLeft; k <= dkTab; ++k) {
        TOrloDockDropZoneImage& image = *group.Image(static_cast<TOrloDockDropKind>(k));
        if (image.State() == dsDisabled)
            continue;
        if (inGroup && image.Contains(p)) {
            image.SetState(dsHot);
            hit = {true, &group, image.Kind()};
            foundHere = true;
        } else {
            image.SetState(dsNormal);
        }
    }
    // The octagon between the arrows of a cross counts as the tab.
    TOrloDockDropZoneImage* centre = group.CentreImage();
    if (checkCentre && !foundHere && group.Kind() == dgCross && centre && centre->Contains(p)) {
        group.Image(dkTab)->SetState(dsHot);
        hit = {true, &group, dkTab};
    }
}

void TOrloDockDropWindow::Paint() {
    repaintPending_ = false;
    // Only the guides: the window region leaves out everything else.
    for (const auto& group : zones_)
        group->Paint(*Canvas());
}

void TOrloDockDropWindow::Invalidated(const tk::Rect& rect) {
    tk::Form::Invalidated(rect);
    repaintPending_ = true;
}

void TOrloDockDropWindow::Append(std::unique_ptr<TOrloDockDropZone> group) { zones_.push_back(std::move(group)); }

std::unique_ptr<TOrloDockDropZone> TOrloDockDropWindow::Remove(TOrloDockDropZone* group) {
    auto it = std::find_if(zones_.begin(), zones_.end(), [group](const auto& g) { return g.get() == group; });
    if (it == zones_.end())
        return nullptr;
    std::unique_ptr<TOrloDockDropZone> removed = std::move(*it);
    zones_.erase(it);
    if (zoneUnderMouse_ == group)
        zoneUnderMouse_ = nullptr;
    // The lit guide goes with its group; a later group must not pass for it.
    if (hotZone_ == group) {
        hotZone_ = nullptr;
        hotKind_ = dkCentre;
    }
    return removed;
}

void TOrloDockDropWindow::GroupLost(TOrloDockDropZone* group) {
    // Dropped without asking the going site or zone anything.
    std::unique_ptr<TOrloDockDropZone> lost = Remove(group);
    if (!lost || !Visible() || IsDestroying())
        return;
    tk::Region region;
    for (const auto& remaining : zones_)
        region = region.United(remaining->Region());
    SetWindowRegion(region);
    Invalidate();
}
