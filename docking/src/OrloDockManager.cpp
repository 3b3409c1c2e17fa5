#include <orlodock/docking/OrloDockManager.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include <orlodock/docking/OrloDockOrloTheme.h>
#include <orlodock/docking/OrloDockRegistration.h>
#include <orlodock/tk/imagelist.h>

namespace {

constexpr std::int32_t kMinimumSiteSize = 20;

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
}

TOrloDockingManager::~TOrloDockingManager() {
    // The sites have let go of this already (their references cleared themselves).
    sites_.clear();
    ResetTargets();
    theme_ = nullptr;
    ownThemes_.clear();
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
    targetAlign_ = tk::alNone;
}

void TOrloDockingManager::BeginDrag(IOrloDockSite* draggedSite, tk::Point screenPoint) {
    (void)draggedSite;
    (void)screenPoint;
    ResetTargets();
    dragging_ = true;
}

bool TOrloDockingManager::DragOver(IOrloDockSite* draggedSite, tk::Point screenPoint,
                                   const tk::Rect& draggedWindowRect) {
    (void)draggedSite;
    (void)screenPoint;
    (void)draggedWindowRect;
    ResetTargets();
    return false;
}

void TOrloDockingManager::EndDrag(IOrloDockSite* draggedSite, bool flag, tk::Point screenPoint) {
    (void)draggedSite;
    (void)flag;
    (void)screenPoint;
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
