#pragma once

// A leaf of the zone tree: holds one dockable panel (not owned) and gives it
// the zone's rectangle minus title bar and splitter strip. The zone watches
// the panel's window procedure, so that it follows every change of the
// panel's visibility, and gives the procedure back when it lets go.

#include <cstdint>
#include <memory>

#include <orlodock/docking/OrloDockZone.h>
#include <orlodock/tk/messages.h>

class TOrloDockablePanel;

// How a leaf leaves its parent when it is taken out and freed: through the
// parent's RemoveZone (the parent lays itself out, a root reports the
// change), or through DetachZone while the caller is rearranging the tree.
enum class TOrloDockLeafRemoval : std::uint8_t { LayOut, Quiet };

class TOrloDockControlZone : public TOrloDockZone, public virtual IOrloDockControlZone {
public:
    explicit TOrloDockControlZone(tk::Component* owner = nullptr);
    // Gives the panel its window procedure back.
    ~TOrloDockControlZone() override;

    // Attaches a panel (nullptr detaches). The previous panel gets back the
    // window procedure it had before it was attached. A panel freed while
    // attached leaves the zone empty.
    void SetControl(TOrloDockablePanel* panel);
    TOrloDockablePanel* Panel() const { return control_; }
    // How many leaves hold the panel at that address, in any tree, and the
    // one that took it last while it holds it: a tree finds a panel's leaf
    // without searching, and knows at once when there is none. The address
    // is only compared, so it may be that of a panel already freed.
    static int HoldingLeafCount(const tk::Control* panel);
    static TOrloDockControlZone* LastHoldingLeaf(const tk::Control* panel);

    // Takes this leaf out of its parent, lets go of the panel (which is left
    // alone otherwise) and frees the leaf.
    void FreeLeaf(TOrloDockLeafRemoval removal);

    // The attached panel's component name, or "" without panel (even when a
    // name was read from a stream and not resolved yet).
    tk::String ControlName() const;
    // Stores the name alone, without looking anything up (only the stream writes it).
    void SetControlName(const tk::String& name) { controlName_ = name; }
    // The name kept for streaming and ResolveControls, whether resolved or not.
    const tk::String& StoredControlName() const { return controlName_; }

    // The panel's image index; -1 without panel.
    int ImageIndex() const;

    // ---- overrides of the zone operations ----
    void SetBounds(const tk::Rect& bounds) override;
    bool IsVisible() const override;
    void SetDockSite(IOrloDockSiteInternal* site) override;
    // The panel's caption, with the zone's orientation and share unless the
    // site's manager turned those off.
    void GetCaption(tk::String& caption) override;
    bool IsActive() override;
    bool AcceptsTabDock() const override { return Orientation() != voTabbed; }
    bool IsContainer() const override { return false; }
    void ResolveControls(tk::Component* owner) override;
    TOrloDockZone* ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) override;
    void GetDockPosition(tk::Point point, tk::Align& position, tk::Rect& rect) override;
    // Forwarded to the parent, which decides; false without parent.
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override;
    void CloseZone() override;
    void UpdateBounds() override;
    void Paint() override;
    void PaintTitleBar() override;
    void AdjustClientRect(tk::Rect& rect) override;
    TOrloDockControlZone* AsControlZone() override { return this; }

    // ---- IOrloDockControlZone ----
    tk::Control* GetControl() override;

    // ---- component ----
    bool QueryInterface(const tk::Guid& iid, void** out) override;
    void GetProperties(tk::PropertyList& list) override;
    tk::String ClassName() const override;

private:
    bool ZoneDetailsInCaptions() const;
    // The state shared with the procedure installed on the panel. That
    // procedure outlives the zone's hold on the panel when another watcher
    // has stacked its own on top; it then only passes messages on.
    struct Watch;
    struct WatchProc;

    // The panel's visibility messages, after the panel's own procedure.
    void WatchMessage(tk::Message& message);
    // Gives the attached panel its procedure back, or makes ours a pass-through.
    void ReleaseWatch();
    // Tells the site that the leaf took or let go of its panel, or joined it.
    void TellSite();
    // The panel is being freed: there is nothing to give back to it.
    void PanelGone();
    // A lone panel in a floating site shows neither title bar nor splitter.
    bool IsLoneFloatingPanel();

    // Counts this leaf as holding `panel`, or no longer (nullptr).
    void ListAsHolder(const TOrloDockablePanel* panel);

    tk::ComponentRef<TOrloDockablePanel> control_{[this] { PanelGone(); }};
    // The address of the panel this leaf is counted for, compared only.
    const TOrloDockablePanel* listedFor_ = nullptr;
    tk::String controlName_;
    std::shared_ptr<Watch> watch_;
};
