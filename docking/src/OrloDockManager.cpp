#include <orlodock/docking/OrloDockManager.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include <orlodock/docking/OrloDockOrloTheme.h>
#include <orlodock/docking/OrloDockRegistration.h>
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/imagelist.h>
#include <orlodock/tk/screen.h>

namespace {

constexpr std::int32_t kMinimumSiteSize = 20;
// Height of the tab of a preview that docks as a tab.
constexpr int kPreviewTabHeight = 20;

// The alignment's identifier, as the debug lines name it.
tk::String AlignIdentifier(tk::Align align) {
    static const char* const names[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
    const auto index = static_cast<std::size_t>(align);
    return index < std::size(names) ? tk::Latin1(names[index]) : tk::String::number(static_cast<int>(align));
}

// Closes a site's update bracket however the docking inside it ends.
class SiteUpdate {
public:
    explicit SiteUpdate(IOrloDockSite* site) : site_(site) { site_->BeginUpdate(); }
    ~SiteUpdate() { site_->EndUpdate(); }
    SiteUpdate(const SiteUpdate&) = delete;
    SiteUpdate& operator=(const SiteUpdate&) = delete;

private:
    tk::IPtr<IOrloDockSite> site_;
};

tk::String TwoDigits(int value) { return tk::String::number(value).rightJustified(2, QLatin1Char('0')); }

} // namespace

tk::String FormatDockDebugLine(int hour, int minute, int second, int millisecond, const tk::String& message) {
    return TwoDigits(hour) + QLatin1Char(':') + TwoDigits(minute) + QLatin1Char(':') + TwoDigits(second) +
           QLatin1Char(':') + tk::String::number(millisecond).rightJustified(3, QLatin1Char('0')) + tk::Latin1(" : ") +
           message;
}

void TOrloDockingManager::ComponentFree::operator()(tk::Component* component) const {
    if (component)
        component->Free();
}

TOrloDockingManager::TOrloDockingManager(tk::Component* owner) : tk::Component(owner) {
    RegisterDockingClasses();
    SetTheme(nullptr);
    defaultSiteSize_ = 125;
    // A manager placed on a form in a designer is part of that form's design.
    if (!IsDesigning() && !(owner && owner->IsDesigning()))
        CreateDragWindows();
}

TOrloDockingManager::~TOrloDockingManager() {
    // The windows call back into this manager: a running drag ends and they go with it.
    if (dragging_)
        CancelDrag();
    for (tk::Component* window :
         {static_cast<tk::Component*>(previewWindow_.get()), static_cast<tk::Component*>(outerGuideWindow_.get()),
          static_cast<tk::Component*>(compassWindow_.get())})
        if (window)
            window->Free();
    // The sites have let go of this already (their references cleared themselves).
    sites_.clear();
    ResetTargets();
    theme_ = nullptr;
    ownThemes_.clear();
}

void TOrloDockingManager::CreateDragWindows() {
    tk::Application* app = tk::App();
    auto debug = [this](const tk::String& message) { Debug(message); };
    previewWindow_ = new TOrloDockPreviewWindow(app);
    previewWindow_->OnDebug = debug;
    outerGuideWindow_ = new TOrloDockDropWindow(app);
    outerGuideWindow_->OnDebug = debug;
    compassWindow_ = new TOrloDockDropWindow(app);
    compassWindow_->OnDebug = debug;
}

// ---- theme and images ----

tk::Component* TOrloDockingManager::ThemeComponent() const {
    tk::Component* component = theme_.AsComponent();
    for (const auto& own : ownThemes_)
        if (component == own.get())
            return nullptr;
    return component;
}

void TOrloDockingManager::SetTheme(IOrloDockTheme* theme) {
    if (theme && theme == theme_.get())
        return;
    if (theme) {
        theme_ = theme;
        return;
    }
    ownThemes_.emplace_back(new TOrloDockingOrloDotNetTheme());
    theme_ = ownThemes_.back()->Intf();
}

void TOrloDockingManager::SetImages(tk::ImageList* images) { images_ = images; }

// ---- sizes ----

void TOrloDockingManager::SetDefaultSiteSize(std::int32_t size) {
    if (size == defaultSiteSize_)
        return;
    defaultSiteSize_ = std::max(size, kMinimumSiteSize);
}

void TOrloDockingManager::SetZoneDetailsInCaptions(bool on) {
    if (on == zoneDetailsInCaptions_)
        return;
    zoneDetailsInCaptions_ = on;
    // Tab widths follow their captions: the strips are laid out again.
    for (const tk::IPtr<IOrloDockSite>& site : sites_) {
        tk::Control* control = site ? site->GetControl() : nullptr;
        if (!control)
            continue;
        for (int i = 0; i < control->ControlCount(); ++i)
            if (auto* strip = dynamic_cast<TCustomOrloDockTabs*>(control->Controls(i))) {
                strip->LayoutTabs();
                strip->Invalidate();
            }
        control->Invalidate();
    }
}

// ---- sites ----

IOrloDockSite* TOrloDockingManager::Site(int index) const {
    if (index < 0 || index >= SiteCount())
        return nullptr;
    return sites_[static_cast<std::size_t>(index)].get();
}

tk::IPtr<IOrloDockSite> TOrloDockingManager::FirstSiteAligned(tk::Align align) const {
    for (const tk::IPtr<IOrloDockSite>& entry : sites_) {
        tk::IPtr<IOrloDockSite> site = tk::InterfaceCast<IOrloDockSite>(entry.get());
        if (site && site->GetAlign() == align)
            return site;
    }
    return {};
}

void TOrloDockingManager::RegisterSite(IOrloDockSite* site) {
    if (!site)
        return;
    if (std::any_of(sites_.begin(), sites_.end(), [site](const auto& s) { return s.get() == site; }))
        return;
    sites_.emplace_back(site);
}

void TOrloDockingManager::UnregisterSite(IOrloDockSite* site) {
    sites_.erase(std::remove_if(sites_.begin(), sites_.end(), [site](const auto& s) { return s.get() == site; }),
                 sites_.end());
    if (targetSite_.get() == site) {
        targetSite_ = nullptr;
        targetZone_ = nullptr;
    }
}

void TOrloDockingManager::MoveSiteToFront(IOrloDockSite* site) {
    if (!site)
        return;
    UnregisterSite(site);
    sites_.insert(sites_.begin(), tk::IPtr<IOrloDockSite>(site));
}

bool TOrloDockingManager::GetDockTarget(std::intptr_t leading, const tk::String& draggedZoneID, tk::Point screenPoint,
                                        tk::IPtr<IOrloDockSite>& site, tk::String& zoneID,
                                        const TOrloDockPreviewProc& preview, tk::Align& position) {
    (void)leading;
    site = nullptr;
    zoneID.clear();
    bool result = false;
    // A copy: a site's answer may change the registrations.
    const std::vector<tk::IPtr<IOrloDockSite>> sites = sites_;
    for (const tk::IPtr<IOrloDockSite>& candidate : sites) {
        result = candidate->GetDockTarget(screenPoint, draggedZoneID, preview, zoneID, position);
        if (result && position != tk::alNone) {
            site = candidate;
            break;
        }
    }
    return result;
}

// ---- drag ----

void TOrloDockingManager::ResetTargets() {
    targetSite_ = nullptr;
    targetZone_ = nullptr;
}

void TOrloDockingManager::HideDragWindows() {
    if (previewWindow_)
        previewWindow_->HidePreview();
    if (outerGuideWindow_)
        outerGuideWindow_->HideGuides();
    if (compassWindow_)
        compassWindow_->HideGuides();
}

void TOrloDockingManager::BeginDrag(IOrloDockSite* draggedSite, tk::Point screenPoint) {
    if (!dragging_) {
        dragging_ = true;
        if (outerGuideWindow_ && compassWindow_) {
            const tk::Rect area = tk::Screen::DesktopWorkAreaRect();
            outerGuideWindow_->SetBoundsRect(area);
            compassWindow_->SetBoundsRect(area);
            for (std::size_t i = 0; i < sites_.size(); ++i) {
                IOrloDockSite* site = sites_[i].get();
                if (site != draggedSite && site->GetAlign() != tk::alClient)
                    outerGuideWindow_->AddSiteZone(site);
            }
            FindZoneUnderPointer(draggedSite, screenPoint);
        }
    }
    if (outerGuideWindow_)
        outerGuideWindow_->ShowGuides(false);
}

void TOrloDockingManager::FindZoneUnderPointer(IOrloDockSite* draggedSite, tk::Point screenPoint) {
    tk::IPtr<IOrloDockSite> found;
    tk::IPtr<IOrloDockZone> zone;
    for (std::size_t i = 0; i < sites_.size() && !zone; ++i) {
        IOrloDockSite* site = sites_[i].get();
        if (site == draggedSite)
            continue;
        tk::Rect ignored{};
        site->GetZoneAt(screenPoint, ignored, zone);
        if (zone)
            found = sites_[i];
    }
    compassWindow_->SetZoneUnderMouse(found.get(), zone.get());
}

bool TOrloDockingManager::DragOver(IOrloDockSite* draggedSite, tk::Point screenPoint,
                                   const tk::Rect& draggedWindowRect) {
    (void)draggedWindowRect;
    ResetTargets();
    if (!outerGuideWindow_ || !compassWindow_ || !previewWindow_)
        return false;
    FindZoneUnderPointer(draggedSite, screenPoint);
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> zone;
    bool onGuide = compassWindow_->HitTest(screenPoint, targetAlign_, site, zone);
    if (!onGuide)
        onGuide = outerGuideWindow_->HitTest(screenPoint, targetAlign_, site, zone);
    targetSite_ = site.get();
    targetZone_ = zone.get();

    if (!targetSite_ || !targetZone_) {
        previewWindow_->HidePreview();
        return onGuide;
    }
    tk::IPtr<IOrloDockZone> draggedRoot;
    draggedSite->GetRootZoneIntf(draggedRoot);
    tk::Rect rect{};
    // A zone that declines keeps the preview that shows.
    if (!targetZone_->GetDockRect(draggedRoot.get(), targetZone_.get(), rect, targetAlign_))
        return onGuide;
    // The lit guide is painted before the preview appears. Painting here
    // instead of letting all pending messages run keeps the release of the
    // drag from being handled inside this call.
    RepaintGuides();
    Debug(tk::Latin1("TargetAlign : ") + AlignIdentifier(targetAlign_));
    Debug(tk::Latin1("PreviewRect : Left=") + tk::String::number(rect.Left) + tk::Latin1(", Top=") +
          tk::String::number(rect.Top) + tk::Latin1(",Right=") + tk::String::number(rect.Right) +
          tk::Latin1(",Bottom=") + tk::String::number(rect.Bottom));
    previewWindow_->ShowPreview(rect, targetAlign_ == tk::alClient, kPreviewTabHeight);
    return onGuide;
}

void TOrloDockingManager::RepaintGuides() {
    for (TOrloDockDropWindow* window : {compassWindow_.get(), outerGuideWindow_.get()})
        if (window && window->RepaintPending())
            window->Update();
}

void TOrloDockingManager::EndDrag(IOrloDockSite* draggedSite, bool flag, tk::Point screenPoint) {
    (void)flag;
    (void)screenPoint;
    HideDragWindows();
    dragging_ = false;
    // Consumed now: a failure while docking leaves no target behind.
    const tk::IPtr<IOrloDockSite> site(targetSite_.get());
    const tk::IPtr<IOrloDockZone> zone(targetZone_.get());
    ResetTargets();
    if (site && zone && draggedSite)
        DockDraggedZones(draggedSite, site.get(), zone.get(), targetAlign_);
}

void TOrloDockingManager::DockDraggedZones(IOrloDockSite* draggedSite, IOrloDockSite* targetSite,
                                           IOrloDockZone* targetZone, tk::Align position) {
    tk::IPtr<IOrloDockZone> rootIntf;
    draggedSite->GetRootZoneIntf(rootIntf);
    TOrloDockContainerZone* root = rootIntf ? rootIntf->GetZoneObject()->AsContainer() : nullptr;
    if (!root)
        return;
    // Asked once: docking may restructure the target's tree and free the target zone.
    tk::String targetID;
    targetZone->GetZoneID(targetID);
    SiteUpdate update(targetSite);
    for (int i = 0; i < root->ChildCount();) {
        TOrloDockZone* child = root->Child(i);
        bool left = false;
        if (TOrloDockControlZone* leaf = child->AsControlZone()) {
            tk::IPtr<IOrloDockablePanel> panel = tk::InterfaceCast<IOrloDockablePanel>(leaf->GetControl());
            leaf->SetControl(nullptr);
            leaf->SetParentZone(nullptr);
            leaf->SetDockSite(nullptr);
            if (panel)
                targetSite->InsertDockablePanelAtZone(panel.get(), targetID, position);
            leaf->Free();
            left = true;
        } else if (TOrloDockTabbedContainerZone* group = child->AsTabGroup()) {
            // A torn-off tab group stands right under the root: it goes whole.
            targetSite->InsertTabbedZone(group, targetID, position);
            left = group->ParentZone() != root;
        }
        // Whatever was docked has left the root; anything else stays.
        if (!left)
            ++i;
    }
}

void TOrloDockingManager::CancelDrag() {
    HideDragWindows();
    dragging_ = false;
    ResetTargets();
}

// ---- debug ----

void TOrloDockingManager::Debug(const tk::String& message) {
    if (!OnDebug)
        return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    OnDebug(FormatDockDebugLine(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millis), message));
}

// ---- component ----

bool TOrloDockingManager::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockManager>(this, iid, out) || tk::Component::QueryInterface(iid, out);
}

void TOrloDockingManager::GetProperties(tk::PropertyList& list) {
    tk::Component::GetProperties(list);
    list.AddComponent(
        tk::Latin1("Theme"), [this] { return ThemeComponent(); },
        [this](tk::Component* component) {
            SetTheme(tk::QueryAs<IOrloDockTheme>(static_cast<tk::IInterface*>(component)).get());
        });
    list.AddComponent(
        tk::Latin1("Images"), [this]() -> tk::Component* { return images_.get(); },
        [this](tk::Component* component) { SetImages(dynamic_cast<tk::ImageList*>(component)); });
}

tk::String TOrloDockingManager::ClassName() const { return tk::Latin1("TOrloDockingManager"); }
