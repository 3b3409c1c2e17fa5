#include <orlodock/docking/OrloDockControlZone.h>

#include <unordered_map>

#include <orlodock/docking/OrloDockContainerZone.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/control.h>

struct TOrloDockControlZone::Watch {
    // Cleared when the zone lets go of the panel.
    TOrloDockControlZone* Zone = nullptr;
    // The panel's procedure before the zone attached itself.
    tk::WindowProcedure OldProc;
};

// The procedure installed on the panel. Its own type lets the zone recognise
// it when it gives the old procedure back.
struct TOrloDockControlZone::WatchProc {
    std::shared_ptr<Watch> State;

    void operator()(tk::Message& message) const {
        // Kept alive here: the old procedure may detach or free the zone.
        const std::shared_ptr<Watch> state = State;
        if (state->OldProc)
            state->OldProc(message);
        if (state->Zone)
            state->Zone->WatchMessage(message);
    }
};

TOrloDockControlZone::TOrloDockControlZone(tk::Component* owner) : TOrloDockZone(owner) {}

TOrloDockControlZone::~TOrloDockControlZone() { SetControl(nullptr); }

// ---- the panel ----

void TOrloDockControlZone::SetControl(TOrloDockablePanel* panel) {
    if (panel == control_)
        return;
    if (control_)
        ReleaseWatch();
    control_ = panel;
    ListAsHolder(panel);
    // With or without a panel the leaf is shown or not, and has a title bar or not.
    AncestorLayoutsChanged();
    if (panel && !IsDesigning() && !IsDestroying()) {
        watch_ = std::make_shared<Watch>();
        watch_->Zone = this;
        watch_->OldProc = panel->WindowProc();
        panel->SetWindowProc(WatchProc{watch_});
    }
    controlName_ = panel ? panel->Name() : tk::String();
    TellSite();
}

void TOrloDockControlZone::TellSite() {
    // A leaf being freed tells its site as it leaves it.
    if (IsDestroying())
        return;
    if (IOrloDockSiteInternal* site = DockSite())
        if (TOrloDockSite* control = site->GetSite())
            control->LeafChanged(this);
}

void TOrloDockControlZone::FreeLeaf(TOrloDockLeafRemoval removal) {
    if (TOrloDockContainerZone* parent = ParentZone()) {
        if (removal == TOrloDockLeafRemoval::Quiet)
            parent->DetachZone(this);
        else
            parent->RemoveZone(this);
        SetParentZoneField(nullptr);
    }
    SetControl(nullptr);
    Free();
}

void TOrloDockControlZone::ReleaseWatch() {
    if (!watch_)
        return;
    if (control_) {
        // Only when the panel still runs our procedure: a watcher stacked on
        // top of it would lose its own otherwise. In that case ours stays in
        // the chain and just passes messages on.
        const WatchProc* current = control_->WindowProc().target<WatchProc>();
        if (current && current->State == watch_)
            control_->SetWindowProc(watch_->OldProc);
    }
    watch_->Zone = nullptr;
    watch_.reset();
}

void TOrloDockControlZone::WatchMessage(tk::Message& message) {
    if (message.Msg != tk::TK_VISIBLECHANGED || !control_)
        return;
    // Nothing of this zone is used after the change: it may free the zone.
    tk::ComponentRef<IOrloDockSiteInternal> site;
    site = DockSite();
    const bool loading = IsLoading();
    TOrloDockUpdateGuard update(site.get());
    AncestorLayoutsChanged();
    // The whole tree is checked for room below, after the change.
    if (TOrloDockRootZone* root = site && !loading ? site->GetRootZone() : nullptr; root && !root->IsLoading())
        root->WholePassFollows();
    ZoneVisibilityChanged(message.WParam != 0);
    // The sizes handed out in pixels are kept as whole percentages and cut
    // again from them: a zone given its minimum may come back a pixel short,
    // and a hidden zone's room goes to all alike, the squeezed ones too.
    if (site && !loading)
        if (TOrloDockRootZone* root = site->GetRootZone(); root && !root->IsLoading())
            root->KeepMinimumSizes();
}

namespace {

struct Holders {
    int Count = 0;
    tk::ComponentRef<tk::Component> Last;
};

// The leaves that hold each panel, by the panel's address.
std::unordered_map<const tk::Control*, Holders>& HoldersByPanel() {
    static std::unordered_map<const tk::Control*, Holders> holders;
    return holders;
}

} // namespace

void TOrloDockControlZone::ListAsHolder(const TOrloDockablePanel* panel) {
    if (panel == listedFor_)
        return;
    MembershipChanged();
    auto& byPanel = HoldersByPanel();
    if (listedFor_) {
        const auto it = byPanel.find(listedFor_);
        if (it != byPanel.end() && --it->second.Count <= 0)
            byPanel.erase(it);
        else if (it != byPanel.end() && it->second.Last.get() == this)
            it->second.Last = nullptr;
    }
    listedFor_ = panel;
    if (panel) {
        Holders& holders = byPanel[panel];
        ++holders.Count;
        holders.Last = this;
    }
}

int TOrloDockControlZone::HoldingLeafCount(const tk::Control* panel) {
    const auto& byPanel = HoldersByPanel();
    const auto it = byPanel.find(panel);
    return it == byPanel.end() ? 0 : it->second.Count;
}

TOrloDockControlZone* TOrloDockControlZone::LastHoldingLeaf(const tk::Control* panel) {
    const auto& byPanel = HoldersByPanel();
    const auto it = byPanel.find(panel);
    return it == byPanel.end() ? nullptr : static_cast<TOrloDockControlZone*>(it->second.Last.get());
}

void TOrloDockControlZone::PanelGone() {
    ListAsHolder(nullptr);
    AncestorLayoutsChanged();
    if (watch_) {
        watch_->Zone = nullptr;
        watch_.reset();
    }
    controlName_.clear();
}

tk::String TOrloDockControlZone::ControlName() const { return control_ ? control_->Name() : tk::String(); }

int TOrloDockControlZone::ImageIndex() const { return control_ ? control_->ImageIndex() : -1; }

bool TOrloDockControlZone::IsLoneFloatingPanel() {
    IOrloDockSiteInternal* site = DockSite();
    return site && site->IsFloating() && IsOnlyChild();
}

// ---- overrides ----

void TOrloDockControlZone::SetBounds(const tk::Rect& bounds) {
    TOrloDockUpdateGuard update(DockSite());
    TOrloDockZone::SetBounds(bounds);
    tk::Rect client = bounds;
    AdjustClientRect(client);
    if (!control_)
        return;
    // A panel already in place is not moved again: every layout passes here.
    if (control_->BoundsRect() == client) {
        control_->SetBoundsUnlocked(false);
        return;
    }
    control_->SetBoundsUnlocked(true);
    control_->SetBoundsRect(client);
}

bool TOrloDockControlZone::IsVisible() const { return control_ && control_->Visible(); }

void TOrloDockControlZone::SetDockSite(IOrloDockSiteInternal* site) {
    const bool joins = site && site != DockSite();
    TOrloDockZone::SetDockSite(site);
    if (joins)
        TellSite();
    if (!site || !control_)
        return;
    if (tk::Control* siteControl = site->GetControl())
        control_->SetParent(siteControl);
}

void TOrloDockControlZone::GetCaption(tk::String& caption) {
    if (!control_) {
        caption.clear();
        return;
    }
    caption = control_->TitleBarCaption();
    if (!ZoneDetailsInCaptions())
        return;
    caption += tk::Latin1(" ") + OrientationName(Orientation()) + tk::Latin1(" ") +
               tk::IntToStr(ParentSizePercentage()) + tk::Latin1("%");
}

bool TOrloDockControlZone::ZoneDetailsInCaptions() const {
    IOrloDockSiteInternal* site = DockSite();
    TOrloDockSite* control = site ? site->GetSite() : nullptr;
    IOrloDockManager* manager = control ? control->DockManager() : nullptr;
    return !manager || manager->GetZoneDetailsInCaptions();
}

bool TOrloDockControlZone::IsActive() { return control_ && control_->HasFocus(); }

void TOrloDockControlZone::ResolveControls(tk::Component* owner) {
    if (controlName_.isEmpty() || !owner)
        return;
    // Only a dockable panel can be attached; anything else of that name is ignored.
    SetControl(dynamic_cast<TOrloDockablePanel*>(owner->FindComponent(controlName_)));
}

TOrloDockZone* TOrloDockControlZone::ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) {
    (void)docking;
    if (!tk::PtInRect(Bounds(), point) || !control_)
        return nullptr;
    // The whole lone panel acts as the floating window's title bar.
    hitArea = IsLoneFloatingPanel() ? zhTitleBar : HitAreaAt(point);
    return this;
}

void TOrloDockControlZone::GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect) {
    if (Orientation() == voTabbed) {
        // A tab takes drops only through its tab group.
        position = tk::alNone;
        rect = {};
        return;
    }
    TOrloDockZone::GetDockPosition(point, position, rect);
}

bool TOrloDockControlZone::GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect,
                                       tk::Align position) {
    TOrloDockContainerZone* parent = ParentZone();
    return parent ? parent->GetDockRect(source, target, rect, position) : false;
}

void TOrloDockControlZone::CloseZone() {
    // The watch on the panel passes the change on to ZoneVisibilityChanged.
    if (control_)
        control_->SetVisible(false);
}

void TOrloDockControlZone::UpdateBounds() {
    if (Orientation() != voTabbed) {
        TOrloDockZone::UpdateBounds();
        return;
    }
    TOrloDockContainerZone* parent = ParentZone();
    if (IsLoading() || IsDestroying() || !parent)
        return;
    // Every tab covers the whole client area of its group.
    TOrloDockUpdateGuard update(DockSite());
    tk::Rect client = parent->Bounds();
    SetParentSizePercentage(100);
    parent->AdjustClientRect(client);
    // A group with no room has an empty client area, not an inverted one.
    SetBounds(tk::NonInverted(client));
}

void TOrloDockControlZone::Paint() {
    if (!control_ || Orientation() == voTabbed || IsLoneFloatingPanel())
        return;
    if (tk::IPtr<IOrloDockTheme> theme = Theme())
        theme->PaintZone(ZoneIntf());
}

void TOrloDockControlZone::PaintTitleBar() {
    if (!control_ || !control_->Visible())
        return;
    if (tk::IPtr<IOrloDockTheme> theme = Theme())
        theme->PaintTitleBar(ZoneIntf());
}

void TOrloDockControlZone::AdjustClientRect(tk::Rect& rect) {
    if (Orientation() == voTabbed)
        return;
    if (!control_) {
        TOrloDockZone::AdjustClientRect(rect);
        return;
    }
    if (IsLoneFloatingPanel())
        return;
    if (IOrloDockTheme* theme = ThemeInUse())
        rect.Top += theme->GetTitleBarHeight();
    TOrloDockZone::AdjustClientRect(rect);
}

// ---- IOrloDockControlZone ----

tk::Control* TOrloDockControlZone::GetControl() { return control_; }

// ---- component ----

bool TOrloDockControlZone::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockControlZone>(this, iid, out) || TOrloDockZone::QueryInterface(iid, out);
}

void TOrloDockControlZone::GetProperties(tk::PropertyList& list) {
    TOrloDockZone::GetProperties(list);
    list.AddString(
        tk::Latin1("ControlName"), [this] { return ControlName(); },
        [this](const tk::String& name) { SetControlName(name); });
}

tk::String TOrloDockControlZone::ClassName() const { return tk::Latin1("TOrloDockControlZone"); }
