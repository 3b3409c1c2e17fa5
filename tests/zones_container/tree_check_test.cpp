// The library's tree checker, which the layout loader and every tree test
// rely on: a sound tree passes, and each broken rule is reported.

#include <functional>

#include "container_fixture.h"
#include <orlodock/docking/OrloDockTreeCheck.h>

namespace {

struct BrokenRule {
    const char* Expected;
    std::function<void(TOrloDockRootZone* root, TOrloDockZone* a, TOrloDockZone* b, TOrloDockablePanel* panel)> Break;
    // Puts back what the root could not free cleanly.
    std::function<void(TOrloDockRootZone* root, TOrloDockZone* a)> Mend;
};

class TreeCheckTest : public ContainerTest {};

TEST_F(TreeCheckTest, ReportsEachBrokenRule) {
    const BrokenRule rules[] = {
        {"is listed more than once", [](auto* root, auto* a, auto*, auto*) { root->InsertChild(0, a); },
         [](auto* root, auto* a) { root->TakeChild(a); }},
        {"does not name it as its parent", [](auto*, auto* a, auto*, auto*) { a->SetParentZoneField(nullptr); }, {}},
        {"stands voHorz, not voVert", [](auto*, auto* a, auto*, auto*) { a->SetOrientation(voHorz); }, {}},
        {"Two zones have the identifier", [](auto*, auto* a, auto* b, auto*) { b->SetZoneID(a->ZoneID()); }, {}},
        {"has a share of 10001 %", [](auto*, auto* a, auto*, auto*) { a->SetParentSizePercentage(10001); }, {}},
        {"owns components", [](auto*, auto* a, auto*, auto*) { new tk::Component(a); }, {}},
        {"is a root zone below another zone",
         [](auto* root, auto*, auto*, auto*) { (new TOrloDockRootZone())->SetParentZone(root); },
         {}},
        {"arranges its children as tabs without a tab strip",
         [](auto* root, auto*, auto*, auto*) { root->SetChildOrientation(voTabbed); },
         {}},
        {"holds a panel that another leaf holds too",
         [](auto* root, auto*, auto*, auto* panel) { AddPanelLeaf(root, panel); },
         {}},
    };
    TOrloDockablePanel* panel = NewPanel("Shared");
    for (const BrokenRule& rule : rules) {
        SCOPED_TRACE(rule.Expected);
        Owned<TOrloDockRootZone> tree = MakeOwned<TOrloDockRootZone>();
        tree->SetDockSite(site->Intf());
        tree->SetChildOrientation(voVert);
        tree->SetBounds(tk::MakeRect(0, 0, 300, 200));
        TOrloDockZone* a = AddPanelLeaf(tree.get(), panel);
        TOrloDockZone* b = AddLeaf(tree.get());
        ASSERT_TRUE(OrloDockTreeViolations(tree.get()).isEmpty());

        rule.Break(tree.get(), a, b, panel);
        const tk::StringList violations = OrloDockTreeViolations(tree.get());
        EXPECT_TRUE(violations.join(QLatin1Char('\n')).contains(tk::Latin1(rule.Expected)))
            << violations.join(QLatin1Char('\n')).toStdString();
        if (rule.Mend)
            rule.Mend(tree.get(), a);
    }
}

TEST_F(TreeCheckTest, APanelInTwoTreesIsFoundAcrossThem) {
    Owned<TOrloDockRootZone> other = MakeOwned<TOrloDockRootZone>();
    TOrloDockablePanel* panel = NewPanel("Twice");
    AddPanelLeaf(root.get(), panel);
    AddPanelLeaf(other.get(), panel);
    TOrloDockTreeCheck check;
    check.Check(root.get());
    EXPECT_TRUE(check.Violations().isEmpty());
    check.Check(other.get());
    EXPECT_EQ(check.Violations().size(), 1);
}

} // namespace
