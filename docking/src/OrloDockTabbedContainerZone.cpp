#include <orlodock/docking/OrloDockTabbedContainerZone.h>

#include <utility>

#include <orlodock/docking/OrloDockControlZone.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/exceptions.h>

namespace {

constexpr tk::Color kTabBackColor = 0x00F0FBFF;
constexpr int kTabHeight = 20;
constexpr int kStripHeight = 21;

TOrloDockablePanel* PanelOf(TOrloDockZone* zone) {
    TOrloDockControlZone* leaf = zone ? zone->AsControlZone() : nullptr;
    return leaf ? leaf->Panel() : nullptr;
}

// Counts up while the strip is being brought in line with the children.
struct QuietScope {
    int& Count;
    explicit QuietScope(int& count) : Count(count) { ++Count; }
    ~QuietScope() { --Count; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;
};

} // namespace

TOrloDockTabbedContainerZone::TOrloDockTabbedContainerZone(tk::Component* owner) : TOrloDockContainerZone(owner) {
    SetChildOrientation(voTabbed);
    tabs_ = new TOrloDockTabs(nullptr);
    tabs_->SetTabPosition(tpBottom);
    tabs_->SetColor(tk::clBtnFace);
    tabs_->SetTabBackColor(kTabBackColor);
    tabs_->SetTabHeight(kTabHeight);
    tabs_->SetHeight(kStripHeight);
    tabs_->OnTabChange = [this](tk::Component*, int oldIndex, int newIndex) { TabChange(oldIndex, newIndex); };
    tabs_->OnTabMoved = [this](tk::Component*, int fromIndex, int toIndex) { TabMoved(fromIndex, toIndex); };
    tabs_->OnGetImages = [this](tk::Component*, tk::ImageList*& images) { GetImages(images); };
    tabs_->OnGetImageIndex = [this](tk::Component*, TOrloDockTab* tab) { GetImageIndex(tab); };
    tabs_->OnTabDragOut = [this](tk::Component*, int index, tk::Point& point) { TabDragOut(index, point); };
    tabs_->SetVisible(false);
}

TOrloDockTabbedContainerZone::~TOrloDockTabbedContainerZone() { FreeStrip(); }

void TOrloDockTabbedContainerZone::FreeStrip() {
    TOrloDockTabs* tabs = tabs_;
    if (!tabs)
        return;
    tabs_ = nullptr;
    tabs->SetParent(nullptr);
    tabs->Free();
}

// ---- the current tab ----

int TOrloDockTabbedContainerZone::CurrentTabIndex() const { return tabs_ ? tabs_->TabIndex() : pendingTabIndex_; }

TOrloDockZone* TOrloDockTabbedContainerZone::CurrentTabZone() const {
    return tabs_ ? Child(tabs_->TabIndex()) : nullptr;
}

// ---- overrides ----

void TOrloDockTabbedContainerZone::SetBounds(const tk::Rect& bounds) {
    // The strip is repainted once the bracket has closed, which may free the
    // site and this group with it: held apart, it clears itself then.
    tk::ComponentRef<TOrloDockTabs> strip;
    // A strip that keeps its place keeps its pixels: layouts pass here
    // again and again without changing anything.
    bool moved = false;
    {
        TOrloDockUpdateGuard update(DockSite());
        ChildLayout layout(*this);
        moved = bounds != Bounds();
        SetBoundsField(bounds);
        UpdateParentSizePercentage();
        if (tabs_) {
            tk::Rect place = bounds;
            ExcludeSplitter(place);
            place.Top = place.Bottom - tabs_->Height();
            moved = moved || place != tabs_->BoundsRect();
            if (moved) {
                strip = tabs_.get();
                tabs_->SetBoundsRect(place);
                tabs_->Invalidate();
            }
        }
        for (int i = 0; i < ChildCount(); ++i)
            if (Child(i)->IsVisible())
                Child(i)->UpdateBounds();
    }
    if (TOrloDockTabs* tabs = strip)
        tabs->Invalidate();
}

int TOrloDockTabbedContainerZone::GetMinimumSize() const {
    return TOrloDockZone::GetMinimumSize() + (tabs_ ? tabs_->Height() : 0);
}

void TOrloDockTabbedContainerZone::SetDockSite(IOrloDockSiteInternal* site) {
    TOrloDockContainerZone::SetDockSite(site);
    if (!site)
        return;
    tk::Control* control = site->GetControl();
    if (tabs_) {
        tabs_->SetParent(control);
        if (tk::Font* font = site->GetFont())
            tabs_->SetFont(*font);
    }
    for (int i = 0; i < ChildCount(); ++i)
        if (TOrloDockablePanel* panel = PanelOf(Child(i)))
            panel->SetParent(control);
    // The panels arrived in list order; the current one has to be on top.
    if (TOrloDockablePanel* panel = PanelOf(CurrentTabZone()); panel && !IsLoading())
        panel->BringToFront();
}

void TOrloDockTabbedContainerZone::GetCaption(tk::String& caption) {
    caption.clear();
    if (!tabs_ || tabs_->TabIndex() < 0 || tabs_->TabIndex() >= tabs_->TabCount())
        return;
    caption = tabs_->GetTab(tabs_->TabIndex())->Caption() + tk::Latin1(" ") + tk::IntToStr(ParentSizePercentage());
}

void TOrloDockTabbedContainerZone::ResolveControls(tk::Component* owner) {
    TOrloDockContainerZone::ResolveControls(owner);
    TabsFollowPanels();
}

void TOrloDockTabbedContainerZone::TabsFollowPanels() {
    const int asked = std::exchange(pendingTabIndex_, -1);
    if (!tabs_)
        return;
    // The tabs were added while their leaves had no panels yet, so all of them
    // were taken for hidden: they follow the panels now.
    tabs_->BeginUpdate();
    for (int i = 0; i < ChildCount() && i < tabs_->TabCount(); ++i)
        tabs_->GetTab(i)->SetVisible(Child(i)->IsVisible());
    tabs_->EndUpdate();
    // No layout here: the rest of the tree may not be resolved yet, and the
    // site lays the whole tree out afterwards.
    UpdateStripVisibility();
    // The tab asked for, unless it is missing or hidden while another is shown.
    TOrloDockZone* current = Child(asked);
    if (TOrloDockZone* shown = FirstVisibleChild(); shown && (!current || !current->IsVisible()))
        current = shown;
    if (current)
        tabs_->SetTabIndex(IndexOf(current));
}

TOrloDockZone* TOrloDockTabbedContainerZone::ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) {
    if (!tk::PtInRect(Bounds(), point))
        return nullptr;
    hitArea = HitAreaAt(point);
    // The group acts through its current tab.
    if (TOrloDockZone* current = CurrentTabZone())
        return current;
    if (docking) {
        hitArea = zhClient;
        return this;
    }
    return nullptr;
}

void TOrloDockTabbedContainerZone::GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect) {
    position = tk::alNone;
    rect = {};
    const bool onStrip = tabs_ && tabs_->Visible() && tk::PtInRect(tabs_->BoundsRect(), point);
    if (!onStrip && !PtInTitleBar(point))
        return;
    rect = Bounds();
    AdjustClientRect(rect);
    position = tk::alClient;
}

bool TOrloDockTabbedContainerZone::GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect,
                                               tk::Align position) {
    const bool result = TOrloDockContainerZone::GetDockRect(source, target, rect, position);
    // A new tab takes the strip's place too.
    if (position == tk::alClient && tabs_)
        rect.Bottom += tabs_->Height();
    return result;
}

void TOrloDockTabbedContainerZone::CloseZone() {
    if (TOrloDockZone* current = CurrentTabZone())
        current->CloseZone();
}

bool TOrloDockTabbedContainerZone::IsLoneFloatingGroup() {
    IOrloDockSiteInternal* site = DockSite();
    return site && site->IsFloating() && IsOnlyChild();
}

void TOrloDockTabbedContainerZone::Paint() {
    if (!IsLoneFloatingGroup())
        if (tk::IPtr<IOrloDockTheme> theme = Theme())
            theme->PaintZone(ZoneIntf());
    for (int i = 0; i < ChildCount(); ++i)
        if (Child(i)->IsVisible())
            Child(i)->Paint();
}

void TOrloDockTabbedContainerZone::PaintTitleBar() {
    IOrloDockSiteInternal* site = DockSite();
    if (!site)
        return;
    // A floating window's caption stands for its first zone.
    if (site->IsFloating()) {
        TOrloDockRootZone* root = site->GetRootZone();
        if (root && root->FirstChild() == this)
            return;
    }
    if (tk::IPtr<IOrloDockTheme> theme = Theme())
        theme->PaintTitleBar(ZoneIntf());
}

void TOrloDockTabbedContainerZone::AdjustClientRect(tk::Rect& rect) {
    if (!IsLoneFloatingGroup())
        if (tk::IPtr<IOrloDockTheme> theme = Theme())
            rect.Top += theme->GetTitleBarHeight();
    if (tabs_ && tabs_->Visible())
        rect.Bottom -= tabs_->Height() + 1;
    ExcludeSplitter(rect);
}

void TOrloDockTabbedContainerZone::UpdateBounds() {
    if (!ParentZone() || IsLoading() || IsDestroying() || !DockSite())
        return;
    TOrloDockUpdateGuard update(DockSite());
    ChildLayout layout(*this);
    // Placing the group lays out the strip and the visible tabs; the hidden
    // ones follow, so that none keeps an outdated rectangle or share.
    TOrloDockZone::UpdateBounds();
    for (int i = 0; i < ChildCount(); ++i)
        if (!Child(i)->IsVisible())
            Child(i)->UpdateBounds();
}

void TOrloDockTabbedContainerZone::Relayout() {
    // The client area changed with the strip: the group is placed afresh,
    // which lays out every tab. A group with nowhere to be placed keeps its
    // rectangle and lays its tabs out inside it.
    if (!ParentZone() || !DockSite()) {
        SetBounds(Bounds());
        return;
    }
    SetBoundsField({});
    UpdateBounds();
}

// ---- container operations ----

void TOrloDockTabbedContainerZone::RemoveZone(TOrloDockZone* zone) {
    const int index = IndexOf(zone);
    if (index < 0)
        return;
    TOrloDockZone* current = CurrentTabZone();
    if (tabs_)
        tabs_->DeleteTab(index);
    TakeChild(zone);
    UpdateStripVisibility();
    // The strip moved on to a neighbour without telling anyone: show it, or a
    // visible one if the neighbour is hidden.
    if (zone == current && tabs_ && !IsDestroying()) {
        int next = tabs_->TabIndex();
        if (TOrloDockTab* tab = next >= 0 && next < tabs_->TabCount() ? tabs_->GetTab(next) : nullptr;
            tab && !tab->Visible()) {
            TOrloDockTab* other = tabs_->PrevVisibleTab(tab);
            if (!other)
                other = tabs_->NextVisibleTab(tab);
            if (other)
                next = tabs_->IndexOfTab(other);
        }
        tabs_->SetTabIndex(next);
    }
    UpdateBounds();
}

void TOrloDockTabbedContainerZone::AddTabFor(int index) {
    TOrloDockZone* zone = Child(index);
    if (!tabs_ || !zone)
        return;
    TOrloDockTab* tab = tabs_->AddTab(index, zone, -1);
    tab->SetImageIndex(-1);
    if (zone->IsVisible())
        return;
    tab->SetVisible(false);
    // A hidden tab is not left current while a visible one can be.
    if (!IsLoading())
        tabs_->SetTabVisible(index, false);
}

int TOrloDockTabbedContainerZone::InsertZoneAfter(TOrloDockZone* zone, TOrloDockZone* after, bool update) {
    (void)after;
    if (tabs_)
        tabs_->BeginUpdate();
    const int index = ChildCount();
    InsertChild(index, zone);
    AddTabFor(index);
    if (!IsLoading())
        if (TOrloDockablePanel* panel = PanelOf(zone); panel && zone->IsVisible())
            panel->BringToFront();
    if (tabs_)
        tabs_->EndUpdate();
    UpdateStripVisibility();
    // The strip may have appeared: every tab follows the client area.
    if (update)
        UpdateBounds();
    return index;
}

void TOrloDockTabbedContainerZone::DetachZone(TOrloDockZone* zone) { RemoveZone(zone); }

int TOrloDockTabbedContainerZone::InsertZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) {
    tk::Assert(zone && zone->AsControlZone() != nullptr, "InsertZoneBefore - AZone is not TOrloDockControlZone",
               "OrloDockZones");
    const int index = TOrloDockContainerZone::InsertZoneBefore(zone, before);
    AddTabFor(index);
    if (!IsLoading()) {
        if (TOrloDockablePanel* panel = PanelOf(zone); panel && zone->IsVisible())
            panel->BringToFront();
        if (tabs_)
            tabs_->EndUpdate();
    }
    UpdateStripVisibility();
    return index;
}

void TOrloDockTabbedContainerZone::MoveZoneAfter(TOrloDockZone* zone, TOrloDockZone* after) {
    TOrloDockContainerZone::MoveZoneAfter(zone, after);
    FollowChildOrder();
}

void TOrloDockTabbedContainerZone::MoveZoneBefore(TOrloDockZone* zone, TOrloDockZone* before) {
    TOrloDockContainerZone::MoveZoneBefore(zone, before);
    FollowChildOrder();
}

void TOrloDockTabbedContainerZone::ReplaceZone(TOrloDockZone* oldZone, TOrloDockZone* newZone) {
    TOrloDockContainerZone::ReplaceZone(oldZone, newZone);
    FollowChildOrder();
}

void TOrloDockTabbedContainerZone::FollowChildOrder() {
    if (!tabs_)
        return;
    const int current = tabs_->TabIndex();
    TOrloDockZone* currentZone = current >= 0 && current < tabs_->TabCount() ? tabs_->GetTab(current)->Zone() : nullptr;
    QuietScope quiet(quiet_);
    tabs_->BeginUpdate();
    // Tabs of zones that are no longer children go first.
    for (int i = tabs_->TabCount() - 1; i >= 0; --i)
        if (IndexOf(tabs_->GetTab(i)->Zone()) < 0)
            tabs_->DeleteTab(i);
    for (int i = 0; i < ChildCount(); ++i) {
        TOrloDockZone* child = Child(i);
        if (i < tabs_->TabCount() && tabs_->GetTab(i)->Zone() == child)
            continue;
        bool visible = child->IsVisible();
        for (int j = i + 1; j < tabs_->TabCount(); ++j) {
            if (tabs_->GetTab(j)->Zone() != child)
                continue;
            visible = tabs_->GetTab(j)->Visible();
            tabs_->DeleteTab(j);
            break;
        }
        tabs_->AddTab(i, child, -1)->SetVisible(visible);
    }
    while (tabs_->TabCount() > ChildCount())
        tabs_->DeleteTab(tabs_->TabCount() - 1);
    if (currentZone)
        tabs_->SetTabIndex(IndexOf(currentZone));
    else if (current != tabs_->TabIndex())
        tabs_->SetTabIndex(current);
    tabs_->EndUpdate();
}

void TOrloDockTabbedContainerZone::UpdateStripVisibility() {
    if (tabs_)
        tabs_->SetVisible(VisibleChildCount() >= 2);
}

void TOrloDockTabbedContainerZone::ChildVisibilityChanged(TOrloDockZone* child, bool visible) {
    const int index = IndexOf(child);
    if (index < 0 || IsDestroying())
        return;
    TOrloDockUpdateGuard update(DockSite());
    if (tabs_ && index < tabs_->TabCount())
        tabs_->SetTabVisible(index, visible);
    const int visibleCount = VisibleChildCount();
    if (visible) {
        UpdateStripVisibility();
        if (visibleCount == 1 && ParentZone())
            ZoneVisibilityChanged(true);
        if (!IsLoading())
            Relayout();
        return;
    }
    UpdateStripVisibility();
    if (visibleCount == 0) {
        if (ParentZone())
            ZoneVisibilityChanged(false);
    } else if (visibleCount == 1) {
        Relayout();
    }
}

// ---- strip events ----

void TOrloDockTabbedContainerZone::TabChange(int oldIndex, int newIndex) {
    if (IsLoading() || IsDestroying() || quiet_ > 0)
        return;
    if (oldIndex >= 0)
        if (TOrloDockablePanel* panel = PanelOf(Child(oldIndex)))
            panel->SendToBack();
    if (TOrloDockablePanel* panel = PanelOf(Child(newIndex)))
        panel->BringToFront();
    PaintTitleBar();
}

void TOrloDockTabbedContainerZone::TabMoved(int fromIndex, int toIndex) { ExchangeChildren(fromIndex, toIndex); }

void TOrloDockTabbedContainerZone::GetImages(tk::ImageList*& images) {
    images = DockSite() ? DockSite()->GetImages() : nullptr;
}

void TOrloDockTabbedContainerZone::GetImageIndex(TOrloDockTab* tab) {
    if (!tab || !tab->Zone())
        return;
    TOrloDockControlZone* leaf = tab->Zone()->AsControlZone();
    tab->SetImageIndex(leaf ? leaf->ImageIndex() : -1);
}

void TOrloDockTabbedContainerZone::TabDragOut(int index, tk::Point& point) {
    TOrloDockZone* zone = Child(index);
    if (zone && DockSite())
        DockSite()->BeginZoneDrag(zone, point);
}

// ---- component ----

void TOrloDockTabbedContainerZone::Loaded() {
    TOrloDockContainerZone::Loaded();
    if (tabs_)
        tabs_->EndUpdate();
}

void TOrloDockTabbedContainerZone::GetProperties(tk::PropertyList& list) {
    TOrloDockContainerZone::GetProperties(list);
    list.AddInteger(
        tk::Latin1("CurrentTabIndex"), [this] { return std::int64_t(CurrentTabIndex()); },
        [this](std::int64_t index) { SetCurrentTabIndex(int(index)); });
}

tk::String TOrloDockTabbedContainerZone::ClassName() const { return tk::Latin1("TOrloDockTabbedContainerZone"); }
