// The site's tree in streams: the "MyRootZone" property of a form stream and
// the layouts an application saves and loads. Either way a stream is read
// into a new tree, which is checked before it replaces the current one, so a
// damaged stream leaves the site, its tree and its panels as they were.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "OrloDockLayoutCodec.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockTreeCheck.h>
#include <orlodock/docking/OrloDockZones.h>

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

// The dockable panel of that name among `top`'s components, then among the
// components those own, breadth first.
TOrloDockablePanel* FindPanelBelow(tk::Component* top, const tk::String& name) {
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
    const tk::StringList broken = OrloDockTreeViolations(fresh.get());
    if (!broken.isEmpty())
        Corrupt(broken.first());
    return fresh;
}

std::vector<TOrloDockablePanel*> TOrloDockSite::HostedPanelsOf(TOrloDockZone* top) {
    std::vector<TOrloDockablePanel*> panels;
    if (!top)
        return panels;
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(top, leaves);
    for (TOrloDockControlZone* leaf : leaves)
        if (leaf->Panel())
            panels.push_back(leaf->Panel());
    return panels;
}

void TOrloDockSite::InstallTree(OwnedRoot fresh) {
    TOrloDockUpdateGuard update(InternalIntf());
    // The old tree lets go of its panels before the new one takes them: each
    // leaf stacks its own window procedure on its panel's.
    OwnedRoot old(std::exchange(rootZone_, nullptr));
    old->OnZonesChanged = nullptr;
    old.reset();
    hostedPanels_.clear();
    SetRootZone(fresh.release());
}

void TOrloDockSite::FinishLoading(const std::vector<TOrloDockablePanel*>& previousPanels) {
    TOrloDockUpdateGuard update(InternalIntf());
    ResolvePanels(previousPanels);
    // Decided once the panels are attached: before that no leaf can be visible.
    if (rootZone_->VisibleChildCount() == 0)
        Collapse();
    else
        Expand();
    if (!Collapsed())
        LayOutTree();
}

void TOrloDockSite::ResolvePanels(const std::vector<TOrloDockablePanel*>& previousPanels) {
    tk::Component* top = Owner() ? Owner() : this;
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(rootZone_, leaves);

    // The named panels come to this site before the leaves take them: a
    // panel docked elsewhere leaves that site first, and reparenting after
    // the tab groups chose the panel in front would undo their choice.
    std::vector<TOrloDockablePanel*> named;
    for (TOrloDockControlZone* leaf : leaves) {
        TOrloDockablePanel* panel = leaf->Panel();
        if (!panel && !leaf->StoredControlName().isEmpty())
            panel = FindPanelBelow(top, leaf->StoredControlName());
        if (!panel || std::find(named.begin(), named.end(), panel) != named.end())
            continue;
        named.push_back(panel);
        if (leaf->Panel())
            continue;
        tk::IPtr<IOrloDockSite> other = panel->GetDockSite();
        if (other && other.get() != SiteIntf())
            other->RemoveDockablePanel(panel->PanelIntf());
        if (panel->GetDockSite().get() != SiteIntf())
            panel->SetDockSite(SiteIntf());
    }

    rootZone_->ResolveControls(top);
    std::vector<TOrloDockablePanel*> docked;
    for (TOrloDockControlZone* leaf : leaves) {
        // A panel owned by one of the owner's components (the demonstration's
        // left site owns panels docked elsewhere) is found too.
        if (!leaf->Panel() && !leaf->StoredControlName().isEmpty())
            leaf->SetControl(FindPanelBelow(top, leaf->StoredControlName()));
        TOrloDockablePanel* panel = leaf->Panel();
        if (!panel)
            continue;
        if (std::find(docked.begin(), docked.end(), panel) != docked.end()) {
            // One panel, one leaf: a second leaf naming it stays empty.
            leaf->SetControl(nullptr);
            continue;
        }
        docked.push_back(panel);
    }

    // Panels of the tree before that the new one does not name are undocked.
    for (TOrloDockablePanel* panel : previousPanels) {
        if (std::find(docked.begin(), docked.end(), panel) != docked.end())
            continue;
        if (panel->GetDockSite().get() == SiteIntf())
            panel->SetDockSite(nullptr);
    }
}

// ---- "MyRootZone" ----

void TOrloDockSite::DefineProperties(tk::Filer& filer) {
    tk::CustomControl::DefineProperties(filer);
    filer.DefineBinaryProperty(
        tk::Latin1("MyRootZone"), [this](const tk::Bytes& data) { ReadRootZoneProperty(data); },
        [this] { return tk::WriteComponent(rootZone_); }, true);
}

void TOrloDockSite::ReadRootZoneProperty(const tk::Bytes& data) {
    // A read that fails further on hands back what was written before it
    // began: the tree from before goes back in place, with its panels.
    if (treeBeforeRead_ && (data.isEmpty() || data == tk::WriteComponent(treeBeforeRead_.get()))) {
        OwnedRoot read(std::exchange(rootZone_, nullptr));
        read->OnZonesChanged = nullptr;
        read.reset();
        SetRootZone(treeBeforeRead_.release());
        return;
    }
    if (data.isEmpty() || (!treeBeforeRead_ && data == tk::WriteComponent(rootZone_)))
        return;

    OwnedRoot fresh = ReadTree(data);
    if (!IsLoading()) {
        const std::vector<TOrloDockablePanel*> previous = HostedPanelsOf(rootZone_);
        InstallTree(std::move(fresh));
        FinishLoading(previous);
        return;
    }
    // While loading, the tree from before keeps its panels until Loaded.
    TOrloDockRootZone* current = std::exchange(rootZone_, nullptr);
    current->OnZonesChanged = nullptr;
    if (treeBeforeRead_)
        OwnedRoot(current).reset();
    else
        treeBeforeRead_.reset(current);
    SetRootZone(fresh.release());
}

void TOrloDockSite::Loaded() {
    tk::CustomControl::Loaded();
    const std::vector<TOrloDockablePanel*> previous = HostedPanelsOf(treeBeforeRead_.get());
    treeBeforeRead_.reset();
    FinishLoading(previous);
}

// ---- layouts ----

tk::Bytes TOrloDockSite::SaveLayout() { return EncodeLayout(tk::WriteComponent(rootZone_)); }

void TOrloDockSite::LoadLayout(const tk::Bytes& data) {
    OwnedRoot fresh = ReadTree(DecodeLayout(data));
    TOrloDockUpdateGuard update(InternalIntf());
    const std::vector<TOrloDockablePanel*> previous = HostedPanelsOf(rootZone_);
    InstallTree(std::move(fresh));
    FinishLoading(previous);
}

void TOrloDockSite::SaveLayoutToFile(const tk::String& fileName) {
    const tk::Bytes data = SaveLayout();
    std::ofstream file(std::filesystem::path(fileName.toStdU16String()), std::ios::binary | std::ios::trunc);
    if (file)
        file.write(data.constData(), data.size());
    file.close();
    if (!file)
        throw EOrloDockLayoutFileError(tk::Latin1("Cannot write the layout file ") + fileName);
}

void TOrloDockSite::LoadLayoutFromFile(const tk::String& fileName) {
    std::ifstream file(std::filesystem::path(fileName.toStdU16String()), std::ios::binary);
    if (!file)
        throw EOrloDockLayoutFileError(tk::Latin1("Cannot open the layout file ") + fileName);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw EOrloDockLayoutFileError(tk::Latin1("Cannot read the layout file ") + fileName);
    LoadLayout(tk::Bytes(content.data(), static_cast<qsizetype>(content.size())));
}
