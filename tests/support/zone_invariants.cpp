#include "zone_invariants.h"

#include <algorithm>
#include <set>
#include <sstream>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockTabs.h>
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
        if (auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(zone))
            VisitTabGroup(group);
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

    // Tab i stands for child i; the strip shows while two or more tabs are
    // visible; a visible tab is current while there is one, and its panel
    // lies in front of the other tabs' panels.
    void VisitTabGroup(TOrloDockTabbedContainerZone* group) {
        TOrloDockTabs* tabs = group->Tabs();
        if (!tabs) {
            Violations.push_back(Describe(group) + " has no tab strip");
            return;
        }
        if (tabs->TabCount() != group->ChildCount()) {
            Violations.push_back(Describe(group) + " has " + std::to_string(tabs->TabCount()) + " tabs for " +
                                 std::to_string(group->ChildCount()) + " children");
            return;
        }
        for (int i = 0; i < tabs->TabCount(); ++i) {
            TOrloDockTab* tab = tabs->GetTab(i);
            TOrloDockZone* child = group->Child(i);
            if (tab->Zone() != child)
                Violations.push_back(Describe(group) + " tab " + std::to_string(i) + " does not show child " +
                                     std::to_string(i));
            else if (tab->Visible() != child->IsVisible())
                Violations.push_back(
                    Describe(group) + " tab " + std::to_string(i) +
                    (tab->Visible() ? " is shown for a hidden child" : " is hidden for a visible child"));
        }
        const int visible = group->VisibleChildCount();
        if (tabs->Visible() != (visible >= 2))
            Violations.push_back(Describe(group) + " has its strip " + (tabs->Visible() ? "shown" : "hidden") +
                                 " with " + std::to_string(visible) + " visible tabs");
        IOrloDockSiteInternal* site = group->DockSite();
        if (site && site->GetControl() && tabs->Parent() != site->GetControl())
            Violations.push_back(Describe(group) + " has its strip on another window than its site's");
        if (visible == 0)
            return;
        TOrloDockZone* current = group->CurrentTabZone();
        if (!current || !current->IsVisible()) {
            Violations.push_back(Describe(group) + " has no visible current tab (index " +
                                 std::to_string(tabs->TabIndex()) + ")");
            return;
        }
        auto* currentLeaf = dynamic_cast<TOrloDockControlZone*>(current);
        tk::Control* front = currentLeaf ? currentLeaf->GetControl() : nullptr;
        tk::Control* parent = front ? front->Parent() : nullptr;
        if (!parent)
            return;
        const auto zOrder = [parent](tk::Control* control) {
            for (int i = 0; i < parent->ControlCount(); ++i)
                if (parent->Controls(i) == control)
                    return i;
            return -1;
        };
        for (int i = 0; i < group->ChildCount(); ++i) {
            auto* leaf = dynamic_cast<TOrloDockControlZone*>(group->Child(i));
            tk::Control* other = leaf ? leaf->GetControl() : nullptr;
            if (other && other != front && other->Visible() && zOrder(other) > zOrder(front))
                Violations.push_back(Describe(group) + " shows tab " + std::to_string(i) +
                                     "'s panel in front of the current tab's");
        }
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
