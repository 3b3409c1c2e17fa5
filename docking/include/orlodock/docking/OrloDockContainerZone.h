#pragma once

// An inner node of the zone tree: owns an ordered list of child zones that
// stand side by side (voVert) or one above the other (voHorz) and lays them
// out inside its own rectangle. Each child places itself behind its previous
// visible sibling, so children are always laid out in list order; the last
// visible child takes the rest of the parent's extent.

#include <vector>

#include <orlodock/docking/OrloDockZone.h>

class TOrloDockControlZone;

class TOrloDockContainerZone : public TOrloDockZone {
public:
    explicit TOrloDockContainerZone(tk::Component* owner = nullptr);
    // Frees the children.
    ~TOrloDockContainerZone() override;

    TOrloDockOrientation ChildOrientation() const { return childOrientation_; }
    void SetChildOrientation(TOrloDockOrientation orientation);

    // The children no longer stand where the last layout put them: the next
    // UpdateBounds lays them out even if this container keeps its rectangle,
    // and each container above lays this one out.
    void InvalidateLayout();

    // ---- overrides of the zone operations ----
    // Lays the children out when the rectangle changes; an unchanged one
    // only brings the share up to date.
    void SetBounds(const tk::Rect& bounds) override;
    bool IsVisible() const override;
    // The whole subtree follows: zones under another site than the one
    // showing them would paint on it and dangle once it is freed.
    void SetDockSite(IOrloDockSiteInternal* site) override;
    void GetCaption(tk::String& caption) override;
    bool IsActive() override;
    int GetDockMargin() const override { return 7; }
    bool IsContainer() const override { return true; }
    void ResolveControls(tk::Component* owner) override;
    TOrloDockZone* ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) override;
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override;
    void UpdateBounds() override;
    void Paint() override;
    TOrloDockContainerZone* AsContainer() override { return this; }

    // ---- virtual operations of the container, in slot order ----
    // Prunes the container children, last to first: an empty one is removed
    // and freed, one with a single child is replaced by that child, and one
    // that arranges its children the way this container arranges it hands
    // them over. The container itself is never pruned.
    virtual void Normalize();
    // The leaf below this container that holds `control` (depth-first, list order), or nullptr.
    virtual TOrloDockControlZone* FindControlZone(const tk::Control* control);
    // Takes the zone out of the list and lays this container out; the zone's
    // parent link is left to the caller and the zone is not freed.
    virtual void RemoveZone(TOrloDockZone* zone);
    // `newZone` takes the place, share and rectangle of `oldZone`, which is
    // unlinked but neither freed nor laid out. Nothing when `oldZone` is not a child.
    virtual void ReplaceZone(TOrloDockZone* oldZone, TOrloDockZone* newZone);
    // Inserts right behind `after` (appends when it is absent, none or last);
    // lays this container out when `update` is set. The parent link is the
    // caller's business. Answers the new index.
    virtual int InsertZoneAfter(TOrloDockZone* zone, TOrloDockZone* after, bool update);
    // Inserts at `before`'s index (appends when absent); no layout.
    virtual int InsertZoneBefore(TOrloDockZone* zone, TOrloDockZone* before);
    // Moves the zone right behind `after` (to the end when `after` is absent
    // or last) when both are given; lays this container out in every case.
    virtual void MoveZoneAfter(TOrloDockZone* zone, TOrloDockZone* after);
    // Moves the zone to `before`'s index (to the end when absent) when both
    // are given; lays this container out in every case.
    virtual void MoveZoneBefore(TOrloDockZone* zone, TOrloDockZone* before);
    // A child was shown or hidden (its ZoneVisibilityChanged): the other
    // visible children give it room or share its room, and this container is
    // shown or hidden with its first or last visible child.
    virtual void ChildVisibilityChanged(TOrloDockZone* child, bool visible);
    // Lets go of a child without laying anything out or raising an event, for
    // a caller that is rearranging the tree; the child's parent link is left
    // to the caller. A tab group drops the child's tab as well.
    virtual void DetachZone(TOrloDockZone* zone);

    // ---- list access; none of these lays out or touches parent links ----
    int ChildCount() const { return static_cast<int>(children_.size()); }
    // nullptr when the index is out of range.
    TOrloDockZone* Child(int index) const;
    // -1 when absent. One lookup: the list keeps each child's index.
    int IndexOf(const TOrloDockZone* zone) const;
    TOrloDockZone* FirstChild() const { return Child(0); }
    TOrloDockZone* LastChild() const { return Child(ChildCount() - 1); }
    TOrloDockZone* FirstVisibleChild() const;
    int VisibleChildCount() const;
    // Takes the zone out of the list; false when it was not listed.
    bool TakeChild(TOrloDockZone* zone);
    // Index is clamped to 0..ChildCount().
    void InsertChild(int index, TOrloDockZone* zone);
    void ExchangeChildren(int index1, int index2);
    // Frees every child and empties the list (before a tree is read from a stream).
    void ClearChildren();
    // This container or a zone below it with that identifier (exact comparison), or nullptr.
    TOrloDockZone* FindZoneByID(const tk::String& id);

    // ---- component ----
    void GetProperties(tk::PropertyList& list) override;
    void GetChildren(const std::function<void(tk::Component*)>& proc, tk::Component* root) override;
    tk::String ClassName() const override;

protected:
    // Brackets a layout of the children: what they change of themselves
    // meanwhile is the layout's doing. When it ends the children are in
    // place, unless something else moved them meanwhile or a container
    // child could not be laid out.
    class ChildLayout {
    public:
        explicit ChildLayout(TOrloDockContainerZone& container);
        ~ChildLayout();
        ChildLayout(const ChildLayout&) = delete;
        ChildLayout& operator=(const ChildLayout&) = delete;

    private:
        TOrloDockContainerZone& container_;
        bool outer_;
    };

private:
    // UpdateBounds of every child, in list order: each places itself behind
    // its previous visible sibling's new rectangle.
    void LayOutChildren();
    // Whether the children stand where a layout would put them now: nothing
    // that places them changed since the last one.
    bool ChildrenInPlace();
    // What the children were last placed from, beyond the children themselves.
    struct Placement {
        tk::Rect Bounds{};
        tk::Rect Client{};
        const IOrloDockTheme* Theme = nullptr;
        int TitleBarHeight = 0;
        int SplitterSize = 0;
    };
    Placement CurrentPlacement();
    // Tells the site's root that this container's children may have moved
    // below their minimum size.
    void NoteRoomCheck();
    // Tells the children from `from` on their index in the list.
    void Reindex(int from);
    // Counts a zone of a class other than this library's as listed, or no longer.
    static void NoteListed(TOrloDockZone* zone);
    static void NoteUnlisted(TOrloDockZone* zone);
    // Normalize's step for one container child: prunes its own container
    // children first, then removes, replaces or merges it.
    static void Prune(TOrloDockContainerZone* zone);
    // Hands the children of `zone` over to its parent, at its place, sharing its percentage.
    static void MergeIntoParent(TOrloDockContainerZone* zone);
    // Moves and sizes the visible children after `changed` was shown (delta =
    // -shrink, newSize = the size it gets) or hidden (delta = +grow).
    void RedistributeVisibleChildren(TOrloDockZone* changed, const tk::Rect& bounds, int delta, int newSize);

    std::vector<TOrloDockZone*> children_;
    TOrloDockOrientation childOrientation_ = voHorz;
    // Set by a layout of the children, cleared by anything that moves them
    // or changes what places them; together with `placedFrom_`, a layout
    // that would change nothing is left out, and with it the whole subtree.
    // Clear on a container means clear on every container above it.
    bool childrenPlaced_ = false;
    bool layingOut_ = false;
    bool disturbed_ = false;
    Placement placedFrom_;
    // The serial of the root whose list of room checks names this container; 0 for none.
    std::uint64_t roomCheckListedIn_ = 0;
    friend class TOrloDockRootZone;
    friend class TOrloDockZone;
    // IsVisible as last worked out, kept while no zone joined or left a
    // container and no control was shown or hidden: layouts ask it of every
    // sibling, and it asks the whole subtree.
    mutable bool visible_ = false;
    mutable std::uint64_t visibleForMembership_ = 0;
    mutable std::uint64_t visibleForControls_ = 0;
};

// Every leaf at or below `zone`, depth first in list order.
void CollectLeaves(TOrloDockZone* zone, std::vector<TOrloDockControlZone*>& leaves);

// The panels of those leaves (leaves without one are skipped); none for no zone.
std::vector<TOrloDockablePanel*> CollectPanels(TOrloDockZone* zone);
