#include "zone_invariants.h"

#include <set>

#include "OrloDockZones.h"

namespace {

std::string Describe(TOrloDockZone* zone) {
    return zone->ClassName().toStdString() + " " + zone->ZoneID().toStdString();
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
        if (site_ && zone->DockSite() != site_)
            Violations.push_back(Describe(zone) + " belongs to another dock site than the top of the tree");
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
            if (tk::Control* panel = leaf->GetControl())
                if (!panels_.insert(panel).second)
                    Violations.push_back(Describe(zone) + " holds a panel that another leaf holds too");
        }
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

    IOrloDockSiteInternal* site_ = nullptr;
    std::set<TOrloDockZone*> seen_;
    std::set<tk::Control*> panels_;
};

} // namespace

std::vector<std::string> ZoneTreeViolations(TOrloDockZone* top) {
    Checker checker;
    if (top)
        checker.Check(top);
    return checker.Violations;
}

::testing::AssertionResult ZoneTreeIsSound(TOrloDockZone* top) {
    const std::vector<std::string> violations = ZoneTreeViolations(top);
    if (violations.empty())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (const std::string& line : violations)
        result << line << "\n";
    return result;
}
