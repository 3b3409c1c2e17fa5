#include <orlodock/docking/OrloDockHost.h>

#include <orlodock/docking/OrloDockLayouts.h>
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/customcontrol.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/widgetcontainer.h>

namespace {

// Sizes the sites open to at first, across their edges.
constexpr int kSideSiteSize = 240;
constexpr int kTopSiteSize = 120;
constexpr int kBottomSiteSize = 180;

const char* SiteName(tk::Align edge) {
    switch (edge) {
    case tk::alLeft:
        return "LeftDockSite";
    case tk::alTop:
        return "TopDockSite";
    case tk::alRight:
        return "RightDockSite";
    default:
        return "BottomDockSite";
    }
}

} // namespace

TOrloDockHost::TOrloDockHost(QWidget* parent) : tk::ControlHost(parent) {
    auto* root = new tk::CustomControl(nullptr);
    root->SetColor(tk::clBtnFace);
    SetRootControl(root);
    manager_ = new TOrloDockingManager(root);
    // An application's title bars show the panels' captions alone.
    manager_->SetZoneDetailsInCaptions(false);
    for (size_t i = 0; i < kEdges.size(); ++i) {
        auto* site = new TOrloDockSite(root);
        site->SetName(tk::Latin1(SiteName(kEdges[i])));
        site->SetParent(root);
        site->SetAlign(kEdges[i]);
        site->SetDockManager(manager_->Intf());
        const bool side = kEdges[i] == tk::alLeft || kEdges[i] == tk::alRight;
        if (side)
            site->SetWidth(kSideSiteSize);
        else
            site->SetHeight(kEdges[i] == tk::alTop ? kTopSiteSize : kBottomSiteSize);
        sites_[i] = site;
    }
    auto* central = new tk::WidgetContainer(root);
    central->SetParent(root);
    central->SetAlign(tk::alClient);
    central_ = central;
    // Nothing is docked yet: every site opens only when a panel comes.
    for (const auto& site : sites_)
        site->Collapse();
}

TOrloDockHost::~TOrloDockHost() = default;

TOrloDockSite* TOrloDockHost::Site(tk::Align edge) const {
    for (size_t i = 0; i < kEdges.size(); ++i)
        if (kEdges[i] == edge)
            return sites_[i].get();
    return nullptr;
}

tk::Component* TOrloDockHost::PanelOwner() const { return RootControl(); }

void TOrloDockHost::SetCentralWidget(QWidget* widget) {
    if (central_)
        central_->SetContent(widget);
}

QWidget* TOrloDockHost::CentralWidget() const { return central_ ? central_->Content() : nullptr; }

TOrloDockablePanel* TOrloDockHost::AddPanel(const tk::String& name, QWidget* content, tk::Align edge,
                                            const tk::String& caption) {
    TOrloDockSite* site = Site(edge);
    if (!site)
        throw tk::Exception(tk::Latin1("A panel docks at the left, top, right or bottom edge of the host"));
    auto* panel = new TOrloDockablePanel(PanelOwner());
    try {
        panel->SetName(name);
    } catch (...) {
        panel->Free();
        throw;
    }
    panel->SetCaption(caption.isEmpty() ? name : caption);
    panel->SetContent(content);
    // After the panels already there: below them on a side, beside them at the top or bottom.
    panel->DockInto(site->SiteIntf(), nullptr, site->Orientation() == voVert ? tk::alBottom : tk::alRight);
    return panel;
}

TOrloDockablePanel* TOrloDockHost::Panel(const tk::String& name) const {
    tk::Component* owner = PanelOwner();
    return owner ? dynamic_cast<TOrloDockablePanel*>(owner->FindComponent(name)) : nullptr;
}

tk::Bytes TOrloDockHost::SaveLayout() const { return SaveDockLayouts(RootControl()); }

tk::StringList TOrloDockHost::RestoreLayout(const tk::Bytes& data) { return RestoreDockLayouts(RootControl(), data); }
