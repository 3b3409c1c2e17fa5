#include "zone_invariants.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "OrloDockPanel.h"
#include "OrloDockZones.h"

namespace {

std::string Describe(TOrloDockZone* zone) {
    return zone->ClassName().toStdString() + " " + zone->ZoneID().toStdString();
}

std::string Text(const tk::Rect& r) {
    std::ostringstream os;
    os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
    return os.str();
}

class Checker {
public:
    std::vector<std::string> Violations;

    void Check(TOrloDockZone* top) {
        site_ = top->DockSite();
        Visit(top);
    }

private:
    void Visit(TOrloDockZone* zone) {
        if (!seen_.insert(zone).second) {
            Violations.push_back(Describe(zone) + " is listed more than once");
            return;
        }
        if (zone->IsDestroying())
            Violations.push_back(Describe(zone) + " is still listed while being freed");
        if (site_ && zone->DockSite() != site_)
            Violations.push_back(Describe(zone) + " belongs to another dock site than the top of the tree");
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone))
            VisitLeaf(leaf);
        auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
        if (!container)
            return;
        for (int i = 0; i < container->ChildCount(); ++i) {
            TOrloDockZone* child = container->Child(i);
            const std::string where = Describe(container) + " child " + std::to_string(i);
            if (!child) {
                Violations.push_back(where + " is null");
                continue;
            }
            if (child->ParentZone() != container)
                Violations.push_back(where + " (" + Describe(child) + ") does not name it as its parent");
            if (child->Orientation() != container->ChildOrientation())
                Violations.push_back(where + " (" + Describe(child) + ") has orientation " +
                                     OrientationName(child->Orientation()).toStdString() + ", not " +
                                     OrientationName(container->ChildOrientation()).toStdString());
            Visit(child);
        }
    }

    void VisitLeaf(TOrloDockControlZone* leaf) {
        tk::Control* panel = leaf->GetControl();
        if (!panel)
            return;
        if (!panels_.insert(panel).second)
            Violations.push_back(Describe(leaf) + " holds a panel that another leaf holds too");
        IOrloDockSiteInternal* site = leaf->DockSite();
        tk::Control* host = site ? site->GetControl() : nullptr;
        if (host && panel->Parent() != host)
            Violations.push_back(Describe(leaf) + " holds a panel that is not a child of its site's control");
    }

    // The site of the tree being checked.
    IOrloDockSiteInternal* site_ = nullptr;
    // Shared by every tree of a forest: a zone or panel in two trees is found too.
    std::set<TOrloDockZone*> seen_;
    std::set<tk::Control*> panels_;
};

::testing::AssertionResult Result(const std::vector<std::string>& violations) {
    if (violations.empty())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (const std::string& line : violations)
        result << line << "\n";
    return result;
}

// The cut of one container's client rectangle among its visible children.
void CheckContainerLayout(TOrloDockContainerZone* container, std::vector<std::string>& out) {
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    const TOrloDockOrientation along = container->ChildOrientation();
    const TOrloDockZone* previous = nullptr;
    for (int i = 0; i < container->ChildCount(); ++i) {
        TOrloDockZone* child = container->Child(i);
        if (!child->IsVisible())
            continue;
        const tk::Rect r = child->Bounds();
        const bool last = child->NextVisibleSibling() == nullptr;
        tk::Rect expected = r;
        switch (along) {
        case voVert:
            expected.Top = client.Top;
            expected.Bottom = client.Bottom;
            expected.Left = previous ? previous->Bounds().Right + 1 : client.Left;
            if (last)
                expected.Right = client.Right;
            break;
        case voHorz:
            expected.Left = client.Left;
            expected.Right = client.Right;
            expected.Top = previous ? previous->Bounds().Bottom + 1 : client.Top;
            if (last)
                expected.Bottom = client.Bottom;
            break;
        default:
            // Stacked on one another: each takes the whole client rectangle.
            expected = client;
            break;
        }
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

} // namespace

std::vector<std::string> ZoneTreeViolations(TOrloDockZone* top) { return ZoneForestViolations({top}); }

std::vector<std::string> ZoneForestViolations(std::initializer_list<TOrloDockZone*> tops) {
    Checker checker;
    for (TOrloDockZone* top : tops) {
        if (!top)
            continue;
        checker.Check(top);
    }
    return checker.Violations;
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
