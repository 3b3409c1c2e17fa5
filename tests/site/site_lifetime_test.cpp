// Handlers that free their own control while a site lays out: the site
// itself from its OnResize (resized directly, by its parent's alignment, or
// collapsing inside a change of its tree), and a docked panel from its
// OnResize while the tree gives it its rectangle. The layout under way
// finishes without touching the freed object (AddressSanitizer checks), and
// the freed panel's zone leaves the tree once the layout is done.

#include "site_fixture.h"

namespace {

using tk::MakeRect;

using SiteLifetime = SiteTest;

TEST_F(SiteLifetime, SiteFreedFromItsOwnResizeHandler) {
    const struct {
        const char* how;
        std::function<void(TOrloDockSite*, TOrloDockablePanel*)> resize;
    } cases[] = {
        {"resized directly", [](TOrloDockSite* site, TOrloDockablePanel*) { site->SetWidth(200); }},
        {"by the parent's alignment", [this](TOrloDockSite*, TOrloDockablePanel*) { host->SetClientHeight(300); }},
        {"collapsing as its last panel is hidden",
         [](TOrloDockSite*, TOrloDockablePanel* panel) { panel->SetVisible(false); }},
    };
    for (const auto& c : cases) {
        host->SetClientHeight(400);
        TOrloDockSite* site = NewSite(tk::alLeft);
        TOrloDockablePanel* panel = NewPanel("Panel");
        panel->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
        tk::ComponentRef<TOrloDockSite> siteAlive;
        siteAlive = site;
        // A docked panel is a child control of the site and goes with it.
        tk::ComponentRef<TOrloDockablePanel> panelAlive;
        panelAlive = panel;
        site->OnResize = [site](tk::Component*) { site->Free(); };
        c.resize(site, panel);
        EXPECT_EQ(siteAlive.get(), nullptr) << c.how;
        EXPECT_EQ(panelAlive.get(), nullptr) << c.how;
    }
}

// Left site 125 x 500, root 121 x 500: A beside a column of B over C.
// Widening the site to 200 gives B a new width; B frees itself on it. The
// layout goes on with B's leaf empty, and the leaf leaves afterwards: A and
// C remain, laid out in the whole site.
TEST_F(SiteLifetime, PanelFreedFromItsOwnResizeHandlerDuringLayout) {
    TOrloDockSite* site = NewSite(tk::alLeft);
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockablePanel* c = NewPanel("C");
    a->DockInto(site->SiteIntf(), nullptr, tk::alBottom);
    b->DockInto(site->SiteIntf(), a, tk::alRight);
    c->DockInto(site->SiteIntf(), b, tk::alBottom);
    ASSERT_EQ(LeafCount(site->RootZone()), 3);
    tk::ComponentRef<TOrloDockablePanel> bAlive;
    bAlive = b;
    b->OnResize = [b](tk::Component*) { b->Free(); };
    site->SetWidth(200);
    EXPECT_EQ(bAlive.get(), nullptr);
    EXPECT_EQ(LeafCount(site->RootZone()), 2);
    EXPECT_EQ(site->UpdateCount(), 0);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
    EXPECT_EQ(site->RootZone()->Bounds(), MakeRect(0, 0, 196, 500));
}

} // namespace
