#include "zone_invariants.h"

#include <algorithm>
#include <sstream>

#include <orlodock/docking/OrloDockTreeCheck.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

std::string Describe(TOrloDockZone* zone) {
    return zone->ClassName().toStdString() + " " + zone->ZoneID().toStdString();
}

std::string Text(const tk::Rect& r) {
    std::ostringstream os;
    os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
    return os.str();
}

::testing::AssertionResult Result(const std::vector<std::string>& violations) {
    if (violations.empty())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (const std::string& line : violations)
        result << line << "\n";
    return result;
}

// The cut of one container's client rectangle among its visible children:
// each behind the previous one with the one-pixel gap, the last to the end,
// and none beyond the client rectangle (a child with no room left is empty).
void CheckContainerLayout(TOrloDockContainerZone* container, std::vector<std::string>& out) {
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    client = tk::NonInverted(client);
    const TOrloDockOrientation along = container->ChildOrientation();
    const tk::Axis axis = ArrangementAxis(along);
    const TOrloDockZone* previous = nullptr;
    for (int i = 0; i < container->ChildCount(); ++i) {
        TOrloDockZone* child = container->Child(i);
        if (!child->IsVisible())
            continue;
        const tk::Rect r = child->Bounds();
        tk::Rect expected = client;
        if (along == voVert || along == voHorz) {
            const int start = std::min(previous ? tk::End(previous->Bounds(), axis) + 1 : tk::Start(client, axis),
                                       tk::End(client, axis));
            const bool last = child->NextVisibleSibling() == nullptr;
            expected = tk::WithSpan(client, axis, start, last ? tk::End(client, axis) : tk::End(r, axis));
        }
        // Otherwise stacked on one another: each takes the whole client rectangle.
        if (r != expected)
            out.push_back(Describe(child) + " is at " + Text(r) + ", its parent's layout puts it at " + Text(expected));
        previous = child;
    }
}

void CheckLayout(TOrloDockZone* zone, std::vector<std::string>& out) {
    if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
        if (!leaf->IsVisible())
            return;
        tk::Rect client = leaf->Bounds();
        leaf->AdjustClientRect(client);
        tk::Rect expected = client;
        expected.Right = std::max(expected.Right, expected.Left);
        expected.Bottom = std::max(expected.Bottom, expected.Top);
        if (leaf->GetControl()->BoundsRect() != expected)
            out.push_back(Describe(leaf) + " has its panel at " + Text(leaf->GetControl()->BoundsRect()) +
                          ", its client rectangle is " + Text(client));
        return;
    }
    auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
    if (!container || !container->IsVisible())
        return;
    CheckContainerLayout(container, out);
    for (int i = 0; i < container->ChildCount(); ++i)
        CheckLayout(container->Child(i), out);
}

void CheckSizes(TOrloDockZone* zone, std::vector<std::string>& out) {
    TOrloDockContainerZone* container = zone->AsContainer();
    if (!container || !container->IsVisible() || container->ChildOrientation() == voTabbed)
        return;
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    const tk::Axis axis = ArrangementAxis(container->ChildOrientation());
    int needed = -1;
    for (int i = 0; i < container->ChildCount(); ++i)
        if (container->Child(i)->IsVisible())
            needed += container->Child(i)->GetMinimumSize() + 1;
    for (int i = 0; i < container->ChildCount(); ++i) {
        TOrloDockZone* child = container->Child(i);
        if (!child->IsVisible())
            continue;
        const int extent = tk::Extent(child->Bounds(), axis);
        if (needed <= tk::Extent(client, axis) && extent < child->GetMinimumSize())
            out.push_back(Describe(child) + " is " + std::to_string(extent) + " across, less than its minimum " +
                          std::to_string(child->GetMinimumSize()) + ", in a container with room for all");
        CheckSizes(child, out);
    }
}

} // namespace

std::vector<std::string> ZoneTreeViolations(TOrloDockZone* top) { return ZoneForestViolations({top}); }

std::vector<std::string> ZoneForestViolations(std::initializer_list<TOrloDockZone*> tops) {
    TOrloDockTreeCheck check;
    for (TOrloDockZone* top : tops)
        check.Check(top);
    std::vector<std::string> violations;
    for (const tk::String& line : check.Violations())
        violations.push_back(line.toStdString());
    return violations;
}

::testing::AssertionResult ZoneTreeIsSound(TOrloDockZone* top) { return Result(ZoneTreeViolations(top)); }

::testing::AssertionResult ZoneForestIsSound(std::initializer_list<TOrloDockZone*> tops) {
    return Result(ZoneForestViolations(tops));
}

std::vector<std::string> ZoneLayoutViolations(TOrloDockZone* top) {
    std::vector<std::string> violations;
    if (top)
        CheckLayout(top, violations);
    return violations;
}

::testing::AssertionResult ZoneLayoutIsTight(TOrloDockZone* top) { return Result(ZoneLayoutViolations(top)); }

std::vector<std::string> ZoneSizeViolations(TOrloDockZone* top) {
    std::vector<std::string> violations;
    if (top)
        CheckSizes(top, violations);
    return violations;
}

::testing::AssertionResult ZonesKeepTheirMinimumSize(TOrloDockZone* top) { return Result(ZoneSizeViolations(top)); }
