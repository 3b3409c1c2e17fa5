// The site's tree in streams: the "MyRootZone" property of a form stream and
// the layouts an application saves and loads. Either way a stream is read
// into a new tree, which is checked before it replaces the current one, so a
// damaged stream leaves the site, its tree and its panels as they were.

#include <algorithm>
#include <set>

#include "OrloDockLayoutCodec.h"
#include "OrloDockLayoutFile.h"
#include "OrloDockZoneRoom.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockTreeCheck.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/guid.h>

namespace {

[[noreturn]] void Corrupt(const tk::String& message, long long position = 0) {
    throw tk::EReadError(message, position);
}

// Zones are unnamed and reach their parent through the stream's nesting, so
// a tree written by a site has neither component names nor references. A
// reference would be resolved by name while reading and could hang a zone
// below itself; such a stream is refused before it is applied.
void RefuseNamesAndReferences(const tk::Bytes& data) {
    const tk::StringList lines = tk::StreamToText(data).split(QLatin1Char('\n'));
    for (const tk::String& line : lines) {
        const tk::String item = line.trimmed();
        if (item.startsWith(tk::Latin1("Name = ")) || item.startsWith(tk::Latin1("ParentZone = ")))
            Corrupt(tk::Latin1("A zone tree carries names or references: ") + item);
    }
}

// The dockable panel of that name among `top`'s components, then among
// `site`'s, then among the components those own, breadth first.
TOrloDockablePanel* FindPanelBelow(tk::Component* top, tk::Component* site, const tk::String& name) {
    if (auto* panel = dynamic_cast<TOrloDockablePanel*>(top->FindComponent(name)))
        return panel;
    if (auto* panel = dynamic_cast<TOrloDockablePanel*>(site->FindComponent(name)))
        return panel;
    std::vector<tk::Component*> level{top};
    while (!level.empty()) {
        std::vector<tk::Component*> next;
        for (tk::Component* owner : level) {
            if (auto* panel = dynamic_cast<TOrloDockablePanel*>(owner->FindComponent(name)))
                return panel;
            for (int i = 0; i < owner->ComponentCount(); ++i)
                next.push_back(owner->Components(i));
        }
        level.swap(next);
    }
    return nullptr;
}

// Every zone at or below `top`, parents before children.
std::vector<TOrloDockZone*> ZonesBelow(TOrloDockZone* top) {
    std::vector<TOrloDockZone*> zones{top};
    for (std::size_t i = 0; i < zones.size(); ++i)
        if (TOrloDockContainerZone* container = zones[i]->AsContainer())
            for (int c = 0; c < container->ChildCount(); ++c)
                zones.push_back(container->Child(c));
    return zones;
}

} // namespace

// ---- reading and installing a tree ----

TOrloDockSite::OwnedRoot TOrloDockSite::ReadTree(const tk::Bytes& data) {
    RefuseNamesAndReferences(data);
    // Read without a site: nothing shows or lays out until the tree is accepted.
    OwnedRoot fresh(new TOrloDockRootZone());
    try {
        tk::ReadComponentInto(data, fresh.get());
    } catch (const tk::EReadError&) {
        throw;
    } catch (const tk::Exception& e) {
        Corrupt(e.Message());
    } catch (const std::exception& e) {
        Corrupt(tk::String::fromUtf8(e.what()));
    }
    // Rules every tree built by the zone operations keeps; a stream that
    // breaks one was not written by them.
    const tk::StringList broken = OrloDockTreeViolations(fresh.get(), TOrloDockTreeSource::Read);
    if (!broken.isEmpty())
        Corrupt(broken.first());
    return fresh;
}

void TOrloDockSite::InstallTree(OwnedRoot fresh) {
    TOrloDockUpdateGuard update(InternalIntf());
    // The old tree lets go of its panels before the new one takes them: each
    // leaf stacks its own window procedure on its panel's.
    OwnedRoot old(std::exchange(rootZone_, nullptr));
    old->OnZonesChanged = nullptr;
    old.reset();
    hostedPanels_.clear();
    trackEveryLeaf_ = true;
    // The tree keeps the orientation it was saved with, so that saving it again gives the same bytes.
    SetRootZone(fresh.release(), RootOrientation::Kept);
}

void TOrloDockSite::FinishLoading(const std::vector<TOrloDockablePanel*>& previousPanels, Strays strays) {
    TOrloDockUpdateGuard update(InternalIntf());
    {
        // Nothing is laid out before the tree is finished: taking a panel from
        // another site may move this one, and a tree without its panels has
        // nothing visible to lay out.
        LayoutHold hold(layoutHeld_);
        ResolvePanels(previousPanels);
        RenewClashingZoneIDs();
        if (strays == Strays::DockAtTheEnd)
            DockStrayPanels();
    }
    // Decided once the panels are attached: before that no leaf can be visible.
    if (rootZone_->VisibleChildCount() == 0) {
        Collapse();
        return;
    }
    Expand();
    // Every zone and panel is placed, also where the root's rectangle did not
    // change; the tree keeps the shares it was read with.
    TOrloDockKeptShares kept(rootZone_);
    PlaceRoot();
    kept.PlaceFrom(rootZone_);
    GiveVisibleZonesRoom(rootZone_, kept);
}

void TOrloDockSite::ResolvePanels(const std::vector<TOrloDockablePanel*>& previousPanels) {
    tk::Component* top = Owner() ? Owner() : this;
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(rootZone_, leaves);

    // The panel of each leaf, chosen before anything moves: a panel stands in
    // one leaf only, and never in a site inside itself. A panel owned by one
    // of the owner's components (a site owning panels docked elsewhere) is
    // found too.
    std::vector<TOrloDockablePanel*> chosen;
    for (TOrloDockControlZone* leaf : leaves) {
        TOrloDockablePanel* panel = leaf->Panel();
        if (!panel && !leaf->StoredControlName().isEmpty())
            panel = FindPanelBelow(top, this, leaf->StoredControlName());
        if (panel && (std::find(chosen.begin(), chosen.end(), panel) != chosen.end() || panel->ContainsControl(this)))
            panel = nullptr;
        chosen.push_back(panel);
    }

    // A panel docked elsewhere leaves that site first.
    for (TOrloDockablePanel* panel : chosen) {
        if (!panel)
            continue;
        tk::IPtr<IOrloDockSite> other = panel->GetDockSite();
        if (other && other.get() != SiteIntf())
            other->RemoveDockablePanel(panel->PanelIntf());
    }
    // Panels of the tree before that the new one does not name are undocked.
    for (TOrloDockablePanel* panel : previousPanels)
        if (std::find(chosen.begin(), chosen.end(), panel) == chosen.end() && panel->GetDockSite().get() == SiteIntf())
            panel->SetDockSite(nullptr);

    for (std::size_t i = 0; i < leaves.size(); ++i) {
        if (!chosen[i])
            continue;
        leaves[i]->SetControl(chosen[i]);
        chosen[i]->SetDockSite(SiteIntf());
    }
    // Every panel is attached before a tab group decides which tabs show.
    for (TOrloDockZone* zone : ZonesBelow(rootZone_))
        if (TOrloDockTabbedContainerZone* group = zone->AsTabGroup())
            group->TabsFollowPanels();
}

void TOrloDockSite::RenewClashingZoneIDs() {
    // A layout saved in one site and loaded into another brings the first
    // one's identifiers along; a zone that moves across later would meet its twin.
    std::set<tk::String> taken;
    for (TOrloDockSite* other : LiveSites())
        if (other != this && other->rootZone_)
            for (TOrloDockZone* zone : ZonesBelow(other->rootZone_))
                taken.insert(zone->ZoneID());
    for (TOrloDockZone* zone : ZonesBelow(rootZone_))
        if (taken.count(zone->ZoneID()) > 0)
            zone->SetZoneID(tk::CreateGuidString());
}

void TOrloDockSite::DockStrayPanels() {
    // A panel streamed as a child of this site that the tree does not name
    // would lie over the zones without one: it is docked after the last zone.
    std::vector<TOrloDockablePanel*> strays;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* panel = dynamic_cast<TOrloDockablePanel*>(Controls(i)); panel && !rootZone_->FindControlZone(panel))
            strays.push_back(panel);
    for (TOrloDockablePanel* panel : strays) {
        const tk::Align end = rootZone_->ChildOrientation() == voVert ? tk::alRight : tk::alBottom;
        InsertDockablePanel(panel->PanelIntf(), nullptr, end);
    }
}

// ---- "MyRootZone" ----

void TOrloDockSite::DefineProperties(tk::Filer& filer) {
    tk::CustomControl::DefineProperties(filer);
    filer.DefineBinaryProperty(
        tk::Latin1("MyRootZone"), [this](const tk::Bytes& data) { ReadRootZoneProperty(data); },
        [this] {
            // A floating window's stream names its panels but seldom holds
            // them: they belong to the application's main window.
            if (IsFloating())
                RefuseLosingPanels();
            return tk::WriteComponent(rootZone_);
        },
        true);
}

void TOrloDockSite::ReadRootZoneProperty(const tk::Bytes& data) {
    // A read that fails further on hands back what was written before it
    // began: the tree from before goes back in place, with its panels.
    if (treeBeforeRead_ && (data.isEmpty() || data == tk::WriteComponent(treeBeforeRead_.get()))) {
        OwnedRoot read(std::exchange(rootZone_, nullptr));
        read->OnZonesChanged = nullptr;
        read.reset();
        SetRootZone(treeBeforeRead_.release(), RootOrientation::Kept);
        return;
    }
    if (data.isEmpty() || (!treeBeforeRead_ && data == tk::WriteComponent(rootZone_)))
        return;

    OwnedRoot fresh = ReadTree(data);
    if (!IsLoading()) {
        const std::vector<TOrloDockablePanel*> previous = CollectPanels(rootZone_);
        InstallTree(std::move(fresh));
        FinishLoading(previous, Strays::Left);
        return;
    }
    // While loading, the tree from before keeps its panels until Loaded.
    TOrloDockRootZone* current = std::exchange(rootZone_, nullptr);
    current->OnZonesChanged = nullptr;
    if (treeBeforeRead_)
        OwnedRoot(current).reset();
    else
        treeBeforeRead_.reset(current);
    SetRootZone(fresh.release(), RootOrientation::Kept);
}

void TOrloDockSite::Loaded() {
    tk::CustomControl::Loaded();
    const std::vector<TOrloDockablePanel*> previous = CollectPanels(treeBeforeRead_.get());
    treeBeforeRead_.reset();
    FinishLoading(previous, Strays::DockAtTheEnd);
}

// ---- layouts ----

void TOrloDockSite::RefuseLosingPanels() {
    // A layout finds its panels by name: one without a name, or with the name
    // of another docked panel, would not come back.
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(rootZone_, leaves);
    std::set<tk::String> names;
    for (TOrloDockControlZone* leaf : leaves) {
        TOrloDockablePanel* panel = leaf->Panel();
        if (!panel)
            continue;
        if (panel->Name().isEmpty())
            throw EOrloDockLayoutError(tk::Latin1("Cannot save the layout: the docked panel captioned \"") +
                                       panel->TitleBarCaption() + tk::Latin1("\" has no name to be found by"));
        if (!names.insert(panel->Name()).second)
            throw EOrloDockLayoutError(tk::Latin1("Cannot save the layout: two docked panels are named ") +
                                       panel->Name());
    }
}

tk::Bytes TOrloDockSite::SaveLayout() {
    RefuseLosingPanels();
    return EncodeLayout(tk::WriteComponent(rootZone_));
}

void TOrloDockSite::LoadLayout(const tk::Bytes& data) {
    OwnedRoot fresh = ReadTree(DecodeLayout(data));
    TOrloDockUpdateGuard update(InternalIntf());
    const std::vector<TOrloDockablePanel*> previous = CollectPanels(rootZone_);
    InstallTree(std::move(fresh));
    FinishLoading(previous, Strays::Left);
}

void TOrloDockSite::SaveLayoutToFile(const tk::String& fileName) { WriteLayoutFile(fileName, SaveLayout()); }

void TOrloDockSite::LoadLayoutFromFile(const tk::String& fileName) { LoadLayout(ReadLayoutFile(fileName)); }
