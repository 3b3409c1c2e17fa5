#pragma once

// Room for the visible zones of a loaded tree. A layout holds shares but not
// which panels were shown when it was saved: a panel hidden then and shown now
// comes back with the share it had when it was hidden, which may leave it, or
// a sibling behind it, no room at all.

#include <utility>
#include <vector>

class TOrloDockContainerZone;
class TOrloDockZone;

// The shares of a tree as they were read. A layout records the share each
// zone's pixels make, which is not quite the share it was given (stacked
// zones are cut from their container's client height but measured against
// its whole height), so a tree laid out and saved again would not give the
// bytes it was read from; the loader puts the shares back afterwards.
class TOrloDockKeptShares {
public:
    explicit TOrloDockKeptShares(TOrloDockZone* top);
    void Set(TOrloDockZone* zone, int share);
    void Restore() const;
    // Places every zone below `top` (itself included) from the kept shares,
    // parents before children, as one pass of the layout would: the layout
    // itself goes over a subtree more than once, each time from the shares
    // the pass before recorded.
    void PlaceFrom(TOrloDockZone* top) const;

private:
    std::vector<std::pair<TOrloDockZone*, int>> shares_;
};

// Lays out again, with changed shares, every container below `top` (itself
// included) that has room for all of its visible children at their minimum
// size but leaves one of them less by its shares, or that has no such room
// and whose shares run past its end. The children keep what they had above
// their minimum (or above nothing) in proportion. `top` must have been laid
// out. The shares given are recorded in `kept`. Answers whether one changed.
bool GiveVisibleZonesRoom(TOrloDockContainerZone* top, TOrloDockKeptShares& kept);
