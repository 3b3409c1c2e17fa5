#pragma once

// An inner node of the zone tree: owns an ordered list of child zones that
// stand side by side (voVert) or one above the other (voHorz) and lays them
// out inside its own rectangle. Each child places itself behind its previous
// visible sibling, so children are always laid out in list order; the last
// visible child takes the rest of the parent's extent.

#include <vector>

#include "OrloDockZone.h"

class TOrloDockContainerZone : public TOrloDockZone {
public:
    explicit TOrloDockContainerZone(tk::Component* owner = nullptr);
    ~TOrloDockContainerZone() override;

    TOrloDockOrientation ChildOrientation() const { return childOrientation_; }
    void SetChildOrientation(TOrloDockOrientation orientation) { childOrientation_ = orientation; }

    // ---- overrides of the zone operations ----
    void SetBounds(const tk::Rect& bounds) override;
    bool IsVisible() const override;
    void GetCaption(tk::String& caption) override;
    bool IsActive() override;
    int GetDockMargin() const override { return 7; }
    bool IsContainer() const override { return true; }
    void ResolveControls(tk::Component* owner) override;
    TOrloDockZone* ZoneAtPoint(tk::Point point, bool docking, TOrloDockHitArea& hitArea) override;
    bool GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect, tk::Align position) override;
    void UpdateBounds() override;
    void Paint() override;

    // ---- virtual operations of the container, in slot order ----
    // Takes the zone out of the list and lays this container out; the zone's
    // parent link is left to the caller and the zone is not freed.
    virtual void RemoveZone(TOrloDockZone* zone);
    // Inserts right behind `after` (appends when it is absent, none or last);
    // lays this container out when `update` is set. The parent link is the
    // caller's business. Answers the new index.
    virtual int InsertZoneAfter(TOrloDockZone* zone, TOrloDockZone* after, bool update);
    // Inserts at `before`'s index (appends when absent); no layout.
    virtual int InsertZoneBefore(TOrloDockZone* zone, TOrloDockZone* before);

    // ---- list access; none of these lays out or touches parent links ----
    int ChildCount() const { return static_cast<int>(children_.size()); }
    // nullptr when the index is out of range.
    TOrloDockZone* Child(int index) const;
    // -1 when absent.
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
    void BeforeDestruction() override;

private:
    std::vector<TOrloDockZone*> children_;
    TOrloDockOrientation childOrientation_ = voHorz;
};
