#pragma once

// The structural rules every zone tree keeps, checked in one place for the
// layout loader (which refuses a stream that breaks one) and for the tests:
//
// - each zone is listed once, by a parent its own link names, has an
//   identifier no other zone has, owns no components, is not being freed,
//   has a share the layout arithmetic can take (0 to 100 % in a tree read
//   from a stream, which stores shares that way) and belongs to the site of
//   the top of the tree; a root stands at the top only;
// - each child stands the way its parent arranges children; a container
//   arranges its children as tabs exactly when it is a tab group;
// - a tab group asks for a tab it has (or none) until its panels are
//   resolved, has its strip on its site's window and holds leaves only;
//   tab i stands for child i with the child's visibility; the strip shows
//   while two or more tabs are visible; then a visible tab is current and
//   its panel lies in front of the other tabs' panels;
// - a panel stands in one leaf only and is a child of that leaf's site.
//
// Rectangles are not checked: a tree that was read or rearranged is laid out
// afterwards.

#include <cstdint>
#include <set>

#include <orlodock/tk/tkstring.h>

namespace tk {
class Control;
} // namespace tk

class IOrloDockSiteInternal;
class TOrloDockZone;
class TOrloDockControlZone;
class TOrloDockTabbedContainerZone;

// Where the tree checked comes from.
enum class TOrloDockTreeSource : std::uint8_t {
    // Built and rearranged by the zone operations.
    Live,
    // Just read from a stream, its panels not resolved yet.
    Read,
};

class TOrloDockTreeCheck {
public:
    explicit TOrloDockTreeCheck(TOrloDockTreeSource source = TOrloDockTreeSource::Live) : source_(source) {}
    // Checks the tree below `top`, which may have a parent (a subtree can be
    // checked). Zones, identifiers and panels are remembered across calls,
    // so one that stands in two of the trees checked is found too.
    void Check(TOrloDockZone* top);
    // One readable line per broken rule, in the order found; empty for sound trees.
    const tk::StringList& Violations() const { return violations_; }

private:
    void Visit(TOrloDockZone* zone);
    void VisitLeaf(TOrloDockControlZone* leaf);
    void VisitTabGroup(TOrloDockTabbedContainerZone* group);
    void Report(const tk::String& violation) { violations_ << violation; }

    TOrloDockTreeSource source_;
    tk::StringList violations_;
    // The site of the tree being checked.
    IOrloDockSiteInternal* site_ = nullptr;
    std::set<const TOrloDockZone*> zones_;
    std::set<tk::String> ids_;
    std::set<const tk::Control*> panels_;
};

// Every broken rule below `top`, one line each; empty for a sound tree.
tk::StringList OrloDockTreeViolations(TOrloDockZone* top, TOrloDockTreeSource source = TOrloDockTreeSource::Live);
