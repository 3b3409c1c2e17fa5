#include "zone_invariants.h"

#include "rect_print.h"

#include <algorithm>
#include <sstream>

#include <orlodock/docking/OrloDockTreeCheck.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

std::string Describe(TOrloDockZone* zone) {
    return zone->ClassName().toStdString() + " " + zone->ZoneID().toStdString();
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
            out.push_back(Describe(child) + " is at " + tktest::RectText(r) + ", its parent's layout puts it at " +
                          tktest::RectText(expected));
        previous = child;
    }
}

// Which parts of the layout CheckLayout looks at.
struct LayoutRules {
    bool Tiling = false;
    bool Cover = false;
};

void CheckLayout(TOrloDockZone* zone, LayoutRules rules, std::vector<std::string>& out) {
    if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
        if (!leaf->IsVisible() || !rules.Cover)
            return;
        tk::Rect client = leaf->Bounds();
        leaf->AdjustClientRect(client);
        tk::Rect expected = client;
        expected.Right = std::max(expected.Right, expected.Left);
        expected.Bottom = std::max(expected.Bottom, expected.Top);
        if (leaf->GetControl()->BoundsRect() != expected)
            out.push_back(Describe(leaf) + " has its panel at " + tktest::RectText(leaf->GetControl()->BoundsRect()) +
                          ", its client rectangle is " + tktest::RectText(client));
        return;
    }
    auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
    if (!container || !container->IsVisible())
        return;
    if (rules.Tiling)
        CheckContainerLayout(container, out);
    for (int i = 0; i < container->ChildCount(); ++i)
        CheckLayout(container->Child(i), rules, out);
}

// The panels a user sees: visible ones, of a tab group the current tab's only.
void CollectShownPanels(TOrloDockZone* zone, std::vector<TOrloDockControlZone*>& out) {
    if (!zone->IsVisible())
        return;
    if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
        out.push_back(leaf);
        return;
    }
    auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
    if (auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(zone)) {
        if (TOrloDockZone* current = group->CurrentTabZone())
            CollectShownPanels(current, out);
        return;
    }
    for (int i = 0; container && i < container->ChildCount(); ++i)
        CollectShownPanels(container->Child(i), out);
}

void CheckRoom(TOrloDockZone* zone, std::vector<std::string>& out) {
    auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
    if (!container || !container->IsVisible())
        return;
    const TOrloDockOrientation along = container->ChildOrientation();
    if (along == voVert || along == voHorz) {
        tk::Rect client = container->Bounds();
        container->AdjustClientRect(client);
        const tk::Axis axis = ArrangementAxis(along);
        // Shares are whole percentages: each child but the last may need up to one more step than its minimum.
        const int base = along == voVert ? container->Width() : tk::Extent(client, axis);
        const int step = (base + 99) / 100;
        std::vector<TOrloDockZone*> visible;
        int needed = -1 - step;
        for (int i = 0; i < container->ChildCount(); ++i)
            if (TOrloDockZone* child = container->Child(i); child->IsVisible()) {
                visible.push_back(child);
                needed += child->GetMinimumSize() + 1 + step;
            }
        if (visible.size() >= 2 && tk::Extent(client, axis) >= needed)
            for (TOrloDockZone* child : visible)
                if (tk::Extent(child->Bounds(), axis) < child->GetMinimumSize())
                    out.push_back(Describe(child) + " is " + std::to_string(tk::Extent(child->Bounds(), axis)) +
                                  " px, below " + std::to_string(child->GetMinimumSize()) + ", in " +
                                  Describe(container) + " of " + std::to_string(tk::Extent(client, axis)) +
                                  " px, room for all " + std::to_string(visible.size()));
    }
    for (int i = 0; i < container->ChildCount(); ++i)
        CheckRoom(container->Child(i), out);
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
        CheckLayout(top, {true, true}, violations);
    return violations;
}

std::vector<std::string> ZoneTilingViolations(TOrloDockZone* top) {
    std::vector<std::string> violations;
    if (top)
        CheckLayout(top, {true, false}, violations);
    return violations;
}

std::vector<std::string> PanelCoverViolations(TOrloDockZone* top) {
    std::vector<std::string> violations;
    if (top)
        CheckLayout(top, {false, true}, violations);
    return violations;
}

std::vector<std::string> PanelOverlapViolations(TOrloDockZone* top) {
    std::vector<TOrloDockControlZone*> shown;
    if (top)
        CollectShownPanels(top, shown);
    std::vector<std::string> violations;
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const tk::Rect a = shown[i]->GetControl()->BoundsRect();
            const tk::Rect b = shown[j]->GetControl()->BoundsRect();
            if (!tk::IntersectRect(a, b).IsEmpty())
                violations.push_back(shown[i]->ControlName().toStdString() + " at " + tktest::RectText(a) +
                                     " overlaps " + shown[j]->ControlName().toStdString() + " at " +
                                     tktest::RectText(b));
        }
    return violations;
}

std::vector<std::string> ZoneRoomViolations(TOrloDockZone* top) {
    std::vector<std::string> violations;
    if (top)
        CheckRoom(top, violations);
    return violations;
}

::testing::AssertionResult ZoneLayoutIsTight(TOrloDockZone* top) { return Result(ZoneLayoutViolations(top)); }

::testing::AssertionResult ZonesKeepTheirMinimumSize(TOrloDockZone* top) { return Result(ZoneRoomViolations(top)); }
