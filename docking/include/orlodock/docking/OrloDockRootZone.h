#pragma once

// The top of a dock site's zone tree. The site creates it without owner,
// gives it the site's client rectangle and frees it. Besides laying the tree
// out, the root docks panels and whole tab groups next to, above, below or
// as tabs of a target zone, restructuring the tree as needed.
//
// Insertion leaves the tree correct but not tidy (single-child and nested
// same-direction containers may remain): the site normalises and lays the
// tree out afterwards. All rectangles set on the way are provisional; the
// percentages decide.

#include <functional>
#include <vector>

#include <orlodock/docking/OrloDockContainerZone.h>

class IOrloDockablePanel;
class TOrloDockablePanel;
class TOrloDockTabbedContainerZone;

class TOrloDockRootZone : public TOrloDockContainerZone {
public:
    explicit TOrloDockRootZone(tk::Component* owner = nullptr);

    // Called with the root after RemoveZone has taken one of its children out.
    std::function<void(TOrloDockRootZone* sender)> OnZonesChanged;

    // Raises, before anything changes, what an insertion of these panels at
    // `position` would fail on: a position outside the alignments
    // (tk::ERangeError), or a panel that holds the site's control, which
    // cannot become a child of itself ("A control cannot be its own parent").
    void CheckInsertion(const std::vector<TOrloDockablePanel*>& panels, tk::Align position) const;

    // Docks the panel relative to `target` (the root when none or not in this
    // tree) at `position`: first out of the site it is docked in, then into
    // this tree, with this site as its dock site. alNone and alCustom dock as
    // alBottom. Refused before anything changes as CheckInsertion says.
    void InsertPanel(IOrloDockablePanel* panel, TOrloDockZone* target, tk::Align position);
    // Removes the panel's leaf from the tree and frees it; the panel leaves the site.
    void RemovePanel(IOrloDockablePanel* panel);
    // Inserts a whole tab group relative to `target` (the root when none, not
    // in this tree, or inside the group), taking it out of its old site first.
    // alClient makes its tabs tabs of the target's group, or makes the target
    // leaf a tab of it. alNone and alCustom insert above the target.
    // Raises tk::Exception, before anything has changed, when asked to insert
    // it as a tab of a container that is not a tab group, or as
    // CheckInsertion says.
    void InsertTabbedZone(TOrloDockTabbedContainerZone* zone, TOrloDockZone* target, tk::Align position);

    // ---- steps of the insertion ----
    // `zone` joins the sibling's parent next to it and takes half of its share
    // (half of a visible neighbour's when the sibling is hidden and the zone
    // is not). Asserts that the sibling is not the root.
    void InsertBeside(TOrloDockZone* zone, TOrloDockZone* sibling, bool after);
    // `target` and `zone` share a new container (a tab group for voTabbed)
    // that takes the target's place and share.
    void SplitInsert(TOrloDockZone* zone, TOrloDockZone* target, bool after, TOrloDockOrientation orientation);
    // Halves `a` into `a` and `b` (which starts as a copy of `a`), one pixel
    // apart, along the orientation's arrangement axis: b after a when `after`
    // is set (below or right of it), else before it.
    static void SplitRect(TOrloDockOrientation orientation, bool after, tk::Rect& a, tk::Rect& b);

    // Halving zones as panels dock may leave a visible zone below its minimum
    // size: wherever a container has room for all its visible children at
    // their minimum sizes, the children with the most room to spare give the
    // difference. The site runs this after the whole tree was laid out.
    void KeepMinimumSizes();
    // The same for the containers whose children moved since the last pass:
    // the others were left with room. The site runs this as it tidies the
    // tree after a change.
    void KeepMinimumSizesOfChanged();
    // Names a container for the next pass over changed ones.
    void NoteRoomCheck(TOrloDockContainerZone* container);
    // The next pass goes over the whole tree: nothing needs noting until then.
    void WholePassFollows() { wholePassDue_ = true; }
    // Tells roots apart for the containers that name the one they were noted in.
    std::uint64_t Serial() const { return serial_; }

    void RemoveZone(TOrloDockZone* zone) override;
    // As for every container; a panel knows the leaves that hold it, so the
    // tree is searched only when that does not answer.
    TOrloDockControlZone* FindControlZone(const tk::Control* control) override;
    // Whether the zone stands in this tree: up its parents, each listing it.
    // Searches the tree when the parents do not lead here.
    bool HoldsZone(const TOrloDockZone* zone);
    // The root has no parent to share room with: it lays the whole tree out,
    // collapsing or expanding the site.
    void ZoneVisibilityChanged(bool visible) override;
    // Without children: the screen rectangle of the whole site control.
    void GetScreenBounds(tk::Rect& rect) override;

    tk::String ClassName() const override;

private:
    // Up the zone's parents, each listing it, to this root.
    bool StandsBelow(const TOrloDockZone* zone) const;
    // A new leaf shown by this site, holding the panel, which is docked here.
    TOrloDockZone* NewLeaf(IOrloDockablePanel* panel);
    // `zone` becomes the only child of the empty container, filling it.
    void FillEmpty(TOrloDockZone* zone, TOrloDockContainerZone* container);
    // Moves the container's children into a new container that becomes its
    // only child, and turns the container to `orientation`. Answers the new one.
    TOrloDockContainerZone* WrapChildren(TOrloDockContainerZone* container, TOrloDockOrientation orientation);
    // Places `zone` above, below, left or right of `target`.
    void PlaceBeside(TOrloDockZone* zone, TOrloDockZone* target, TOrloDockOrientation orientation, bool after);
    // The panel's leaf docks as a tab at `target`.
    void PlaceAsTab(TOrloDockZone* zone, TOrloDockZone* target);
    // A visible zone that took a hidden zone's share: the nearest visible
    // neighbour shares its own with it, with the zone's nearest ancestor that
    // has one where the zone is the only visible child.
    void GiveRoom(TOrloDockZone* zone);
    void KeepMinimumSizesBelow(TOrloDockContainerZone* container);
    void KeepMinimumSizesOf(TOrloDockContainerZone* container);
    // How many visible containers lie between the container and this root;
    // -1 when it stands elsewhere or below a hidden one.
    int ShownDepth(const TOrloDockContainerZone* container) const;
    // Forgets the containers noted for a room check.
    void ClearRoomChecks();
    // Takes the group out of its old site and tree.
    void DetachGroup(TOrloDockTabbedContainerZone* zone);

    std::uint64_t serial_;
    bool wholePassDue_ = false;
    tk::ComponentRefList<TOrloDockContainerZone> roomChecks_;
};
