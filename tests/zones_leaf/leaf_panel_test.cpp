// A leaf and its panel: the panel covers the zone minus title bar and
// splitter strip (a tab the whole client area of its group, a lone panel of a
// floating site the whole zone), the caption names panel, orientation and
// share, and panels are found again by name after streaming.

#include "support/panel_zone_fixture.h"

using tk::MakeRect;

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

class LeafPanelTest : public PanelZoneTest {};

TEST_F(LeafPanelTest, PanelTakesTheZoneMinusTitleBarAndSplitter) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockablePanel* a = NewPanel("A");
    TOrloDockablePanel* b = NewPanel("B");
    TOrloDockControlZone* za = AddPanelLeaf(root.get(), a);
    TOrloDockControlZone* zb = AddPanelLeaf(root.get(), b);
    Share(root.get(), {50, 50});

    EXPECT_EQ(za->Bounds(), MakeRect(0, 0, 150, 200));
    EXPECT_EQ(a->BoundsRect(), MakeRect(0, 18, 146, 200));
    EXPECT_EQ(zb->Bounds(), MakeRect(151, 0, 300, 200));
    EXPECT_EQ(b->BoundsRect(), MakeRect(151, 18, 300, 200)) << "the last zone has no splitter strip";
    EXPECT_EQ(a->Parent(), site->Control());
    EXPECT_FALSE(a->BoundsUnlocked());
    ExpectSoundTightAndBalanced();

    // Only the zone moves its panel.
    a->SetBoundsRect(MakeRect(5, 5, 50, 50));
    a->SetWidth(10);
    EXPECT_EQ(a->BoundsRect(), MakeRect(0, 18, 146, 200));
    za->SetBounds(MakeRect(0, 0, 100, 200));
    EXPECT_EQ(a->BoundsRect(), MakeRect(0, 18, 96, 200));
    EXPECT_FALSE(a->BoundsUnlocked());
}

TEST_F(LeafPanelTest, ClientRectangleByKindOfLeaf) {
    ShapeRoot(voHorz, MakeRect(0, 0, 300, 200));
    TOrloDockControlZone* top = AddPanelLeaf(root.get(), NewPanel("A"));
    auto* empty = new TOrloDockControlZone();
    empty->SetParentZone(root.get());
    AddLeaf(root.get());
    Share(root.get(), {30, 30, 40});
    const tk::Rect r = MakeRect(0, 0, 300, 60);

    tk::Rect usual = r;
    top->AdjustClientRect(usual);
    EXPECT_EQ(usual, MakeRect(0, 18, 300, 56)) << "title bar above, splitter strip below";

    // Without panel only the splitter strip goes.
    tk::Rect bare = r;
    empty->AdjustClientRect(bare);
    EXPECT_EQ(bare, MakeRect(0, 0, 300, 56));

    top->SetOrientation(voTabbed);
    tk::Rect tab = r;
    top->AdjustClientRect(tab);
    EXPECT_EQ(tab, r);
    EXPECT_FALSE(top->AcceptsTabDock());
    tk::Align position = tk::alTop;
    tk::Rect preview = r;
    top->GetDockPosition({10, 10}, position, preview);
    EXPECT_EQ(position, tk::alNone);
    EXPECT_EQ(preview, tk::Rect{});
    top->SetOrientation(voHorz);
    EXPECT_TRUE(top->AcceptsTabDock());
    ExpectSoundAndBalanced();
}

// A group of tabs as a test double: a title bar above and a 21-pixel strip
// (plus its gap) below the tabs' shared client area.
TEST_F(LeafPanelTest, TabsTakeTheWholeClientAreaOfTheirGroup) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    auto* group = new TOrloDockTabbedContainerZone();
    group->SetParentZone(root.get());
    AddLeaf(root.get());
    TOrloDockablePanel* first = NewPanel("First");
    TOrloDockablePanel* second = NewPanel("Second");
    TOrloDockControlZone* t1 = AddPanelLeaf(group, first);
    TOrloDockControlZone* t2 = AddPanelLeaf(group, second);
    Share(root.get(), {60, 40});

    ASSERT_EQ(group->Bounds(), MakeRect(0, 0, 180, 200));
    const tk::Rect client = MakeRect(0, 18, 176, 178); // below the title, above the strip, before the splitter
    for (TOrloDockControlZone* tab : {t1, t2}) {
        EXPECT_EQ(tab->Orientation(), voTabbed);
        EXPECT_EQ(tab->Bounds(), client);
        EXPECT_EQ(tab->ParentSizePercentage(), 80) << "recorded from the rectangle: 160 of the group's 200";
    }
    EXPECT_EQ(first->BoundsRect(), client);
    EXPECT_EQ(second->BoundsRect(), client);
    ExpectSoundTightAndBalanced();

    // A tab paints nothing of its own and has no splitter to hit.
    theme->PaintedZones.clear();
    t1->Paint();
    EXPECT_TRUE(theme->PaintedZones.empty());
    TOrloDockHitArea hit = zhNone;
    EXPECT_EQ(t1->ZoneAtPoint({100, 175}, false, hit), t1);
    EXPECT_NE(hit, zhSplitter);
}

TEST_F(LeafPanelTest, LonePanelInAFloatingSiteHasNoTitleBarAndIsAllTitleBar) {
    site->SetFloating(true);
    ShapeRoot(voHorz, MakeRect(0, 0, 300, 200));
    TOrloDockablePanel* panel = NewPanel("Lone");
    TOrloDockControlZone* leaf = AddPanelLeaf(root.get(), panel);
    root->UpdateBounds();

    EXPECT_EQ(leaf->Bounds(), MakeRect(0, 0, 300, 200));
    EXPECT_EQ(panel->BoundsRect(), MakeRect(0, 0, 300, 200));
    for (tk::Point p : {tk::Point{0, 0}, tk::Point{150, 9}, tk::Point{150, 100}, tk::Point{299, 199}}) {
        TOrloDockHitArea hit = zhNone;
        EXPECT_EQ(leaf->ZoneAtPoint(p, false, hit), leaf);
        EXPECT_EQ(hit, zhTitleBar) << p.X << "," << p.Y;
        hit = zhNone;
        EXPECT_EQ(root->ZoneAtPoint(p, true, hit), leaf);
        EXPECT_EQ(hit, zhTitleBar);
    }
    theme->PaintedZones.clear();
    root->Paint();
    EXPECT_TRUE(theme->PaintedZones.empty()) << "the floating window's caption stands for it";
    ExpectSoundTightAndBalanced();

    // With company it is an ordinary leaf again.
    TOrloDockControlZone* other = AddPanelLeaf(root.get(), NewPanel("Other"));
    Share(root.get(), {50, 50});
    EXPECT_EQ(panel->BoundsRect().Top, 18);
    TOrloDockHitArea hit = zhNone;
    EXPECT_EQ(root->ZoneAtPoint({150, 60}, false, hit), leaf);
    EXPECT_EQ(hit, zhClient);
    root->Paint();
    EXPECT_EQ(theme->PaintedZones.size(), 2u);
    EXPECT_EQ(theme->PaintedZones[1], other->ZoneIntf());
    ExpectSoundTightAndBalanced();
}

TEST_F(LeafPanelTest, CaptionNamesPanelOrientationAndShare) {
    ShapeRoot(voVert, MakeRect(0, 0, 500, 100));
    TOrloDockControlZone* output = AddPanelLeaf(root.get(), NewPanel("Output", "Output"));
    AddPanelLeaf(root.get(), NewPanel("Tools", "Tools"));
    Share(root.get(), {40, 60});
    tk::String caption;
    output->GetCaption(caption);
    EXPECT_EQ(caption, S("Output voVert 40%"));
    output->ZoneIntf()->GetCaption(caption);
    EXPECT_EQ(caption, S("Output voVert 40%"));

    auto* empty = new TOrloDockControlZone();
    caption = S("x");
    empty->GetCaption(caption);
    EXPECT_EQ(caption, tk::String());
    empty->Free();
}

TEST_F(LeafPanelTest, ResolveControlsAttachesThePanelOfTheStoredName) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockablePanel* output = NewPanel("Output");
    auto* found = new TOrloDockControlZone();
    found->SetControlName(S("output")); // names are found case-insensitively
    found->SetParentZone(root.get());
    auto* missing = new TOrloDockControlZone();
    missing->SetControlName(S("Gone"));
    missing->SetParentZone(root.get());
    auto* notAPanel = new TOrloDockControlZone();
    notAPanel->SetControlName(S("Label"));
    notAPanel->SetParentZone(root.get());
    (new tk::Control(panels.get()))->SetName(S("Label"));

    EXPECT_EQ(found->ControlName(), tk::String()) << "an unresolved name reads empty";
    root->ResolveControls(panels.get());
    EXPECT_EQ(found->GetControl(), output);
    EXPECT_EQ(found->ControlName(), S("Output"));
    EXPECT_EQ(missing->GetControl(), nullptr);
    EXPECT_EQ(notAPanel->GetControl(), nullptr);
    EXPECT_EQ(missing->StoredControlName(), S("Gone")) << "kept for a later attempt";
    EXPECT_FALSE(missing->IsVisible());
    EXPECT_EQ(missing->ImageIndex(), -1);

    output->SetImageIndex(5);
    EXPECT_EQ(found->ImageIndex(), 5);

    // Resolved panels are watched like attached ones.
    root->UpdateBounds();
    output->Hide();
    EXPECT_FALSE(root->IsVisible());
    EXPECT_GE(site->CollapseCount, 1);

    theme->PaintedZones.clear();
    missing->Paint();
    EXPECT_TRUE(theme->PaintedZones.empty());
}

TEST_F(LeafPanelTest, NewSiteTakesThePanelAlong) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockablePanel* panel = NewPanel("A");
    TOrloDockControlZone* leaf = AddPanelLeaf(root.get(), panel);
    Owned<FakeDockSite> other = MakeOwned<FakeDockSite>();
    leaf->SetDockSite(other->Intf());
    EXPECT_EQ(panel->Parent(), other->Control());
    leaf->SetDockSite(nullptr);
    EXPECT_EQ(panel->Parent(), other->Control()) << "without a site the panel stays where it is";
    leaf->SetDockSite(site->Intf());
    EXPECT_EQ(panel->Parent(), site->Control());
    ExpectSoundAndBalanced();
}

} // namespace
