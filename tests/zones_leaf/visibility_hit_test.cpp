// A leaf follows its panel: hiding the panel gives its room to the other
// zones and showing it takes the room back; closing a zone hides its panel.
// Hit areas, painting and focus of a leaf.

#include "support/panel_zone_fixture.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/edit.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/screen.h>

using tk::MakeRect;

namespace {

class LeafVisibilityTest : public PanelZoneTest {
protected:
    TOrloDockablePanel* a = nullptr;
    TOrloDockablePanel* b = nullptr;
    TOrloDockablePanel* c = nullptr;
    TOrloDockControlZone* za = nullptr;
    TOrloDockControlZone* zb = nullptr;
    TOrloDockControlZone* zc = nullptr;

    // Three panels side by side in 300 pixels: 0..99, 100..199, 200..300.
    void SetUp() override {
        PanelZoneTest::SetUp();
        ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
        a = NewPanel("A");
        b = NewPanel("B");
        c = NewPanel("C");
        za = AddPanelLeaf(root.get(), a);
        zb = AddPanelLeaf(root.get(), b);
        zc = AddPanelLeaf(root.get(), c);
        Share(root.get(), {33, 33, 34});
    }
};

TEST_F(LeafVisibilityTest, HidingAPanelLetsTheOthersGrowAndShowingItRestoresIt) {
    ASSERT_EQ(b->BoundsRect(), MakeRect(100, 18, 195, 200));
    ExpectSoundTightAndBalanced();

    b->Hide();
    EXPECT_FALSE(zb->IsVisible());
    EXPECT_EQ(zb->SavedSize(), 99);
    EXPECT_EQ(za->Bounds(), MakeRect(0, 0, 147, 200));
    EXPECT_EQ(a->BoundsRect(), MakeRect(0, 18, 143, 200));
    EXPECT_EQ(zc->Bounds(), MakeRect(148, 0, 300, 200));
    EXPECT_EQ(c->BoundsRect(), MakeRect(148, 18, 300, 200));
    ExpectSoundTightAndBalanced();

    b->Show();
    EXPECT_EQ(za->Bounds(), MakeRect(0, 0, 99, 200));
    EXPECT_EQ(zb->Bounds(), MakeRect(100, 0, 199, 200));
    EXPECT_EQ(zc->Bounds(), MakeRect(200, 0, 300, 200));
    EXPECT_EQ(b->BoundsRect(), MakeRect(100, 18, 195, 200));
    EXPECT_EQ(a->BoundsRect(), MakeRect(0, 18, 95, 200));
    ExpectSoundTightAndBalanced();
}

TEST_F(LeafVisibilityTest, ClosingAZoneHidesItsPanel) {
    zc->CloseZone();
    EXPECT_FALSE(c->Visible());
    EXPECT_EQ(zb->Bounds().Right, 300) << "the zone before it is the last visible one now";
    EXPECT_EQ(b->BoundsRect().Right, 300);
    ExpectSoundTightAndBalanced();

    auto* empty = new TOrloDockControlZone();
    empty->CloseZone();
    empty->Free();
}

TEST_F(LeafVisibilityTest, HidingTheOnlyPanelOfAContainerHidesTheContainer) {
    // a | [d over e] | c, with d the only visible panel of the middle container.
    root->RemoveZone(zb);
    zb->SetParentZoneField(nullptr);
    zb->Free();
    TOrloDockContainerZone* middle = AddContainer(root.get(), voHorz);
    root->MoveZoneAfter(middle, za);
    TOrloDockablePanel* d = NewPanel("D");
    TOrloDockControlZone* zd = AddPanelLeaf(middle, d);
    TOrloDockablePanel* e = NewPanel("E");
    AddPanelLeaf(middle, e);
    e->Hide();
    Share(root.get(), {33, 33, 34});
    ASSERT_EQ(middle->Bounds(), MakeRect(100, 0, 199, 200));
    ASSERT_EQ(zd->Bounds(), MakeRect(100, 0, 195, 200));
    ExpectSoundTightAndBalanced();

    d->Hide();
    EXPECT_FALSE(middle->IsVisible());
    EXPECT_EQ(za->Bounds(), MakeRect(0, 0, 147, 200));
    EXPECT_EQ(zc->Bounds(), MakeRect(148, 0, 300, 200));
    ExpectSoundTightAndBalanced();

    d->Show();
    EXPECT_TRUE(middle->IsVisible());
    EXPECT_EQ(middle->Bounds(), MakeRect(100, 0, 199, 200));
    EXPECT_EQ(d->BoundsRect(), MakeRect(100, 18, 195, 200));
    ExpectSoundTightAndBalanced();
}

TEST_F(LeafVisibilityTest, HitAreas) {
    // za is (0,0,99,200): title bar (0,0,95,18) before its splitter strip
    // (95..99); close button (77,4,89,14) and pin button (58,4,70,14).
    struct Case {
        tk::Point point;
        TOrloDockHitArea area;
    };
    for (const Case& k : {Case{{64, 9}, zhPinButton}, Case{{83, 9}, zhCloseButton}, Case{{30, 9}, zhTitleBar},
                          Case{{94, 17}, zhTitleBar}, Case{{96, 100}, zhSplitter}, Case{{98, 2}, zhSplitter},
                          Case{{30, 18}, zhClient}, Case{{0, 199}, zhClient}}) {
        TOrloDockHitArea hit = zhNone;
        EXPECT_EQ(za->ZoneAtPoint(k.point, false, hit), za) << k.point.X << "," << k.point.Y;
        EXPECT_EQ(hit, k.area) << k.point.X << "," << k.point.Y;
        hit = zhNone;
        EXPECT_EQ(root->ZoneAtPoint(k.point, false, hit), za);
        EXPECT_EQ(hit, k.area);
    }
    TOrloDockHitArea hit = zhNone;
    EXPECT_EQ(za->ZoneAtPoint({99, 10}, false, hit), nullptr) << "the gap belongs to no zone";
    EXPECT_EQ(zc->ZoneAtPoint({299, 199}, false, hit), zc);
    EXPECT_EQ(hit, zhClient) << "the last zone has no splitter";

    auto* empty = new TOrloDockControlZone();
    empty->SetBoundsField(MakeRect(0, 0, 50, 50));
    hit = zhNone;
    EXPECT_EQ(empty->ZoneAtPoint({10, 10}, false, hit), nullptr);
    EXPECT_EQ(hit, zhNone);
    empty->Free();
}

TEST_F(LeafVisibilityTest, PaintingGoesThroughTheTheme) {
    theme->PaintedZones.clear();
    za->Paint();
    ASSERT_EQ(theme->PaintedZones.size(), 1u);
    EXPECT_EQ(theme->PaintedZones[0], za->ZoneIntf());

    za->PaintTitleBar();
    ASSERT_EQ(theme->PaintedTitleBars.size(), 1u);
    a->Hide();
    za->PaintTitleBar();
    EXPECT_EQ(theme->PaintedTitleBars.size(), 1u) << "no title bar for a hidden panel";

    theme->PaintedZones.clear();
    theme->PaintedBackgrounds.clear();
    root->Paint();
    EXPECT_EQ(theme->PaintedBackgrounds, (std::vector<IOrloDockZone*>{root->ZoneIntf()}));
    EXPECT_EQ(theme->PaintedZones, (std::vector<IOrloDockZone*>{zb->ZoneIntf(), zc->ZoneIntf()}));
}

TEST(LeafFocus, ActiveWhenAControlInsideThePanelHasTheFocus) {
    Owned<tk::Form> form{new tk::Form(nullptr)};
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TOrloDockablePanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new tk::Edit(form.get());
    edit->SetParent(panel);
    auto* other = new TOrloDockablePanel(form.get());
    other->SetParent(form.get());
    form->Show();
    tktest::PumpEvents();

    Owned<TOrloDockContainerZone> container = MakeOwned<TOrloDockContainerZone>();
    auto* leaf = new TOrloDockControlZone();
    leaf->SetControl(other);
    leaf->SetParentZone(container.get());
    auto* active = new TOrloDockControlZone();
    active->SetControl(panel);
    active->SetParentZone(container.get());
    other->SetFocus();
    ASSERT_EQ(tk::Screen::ActiveControl(), other);
    EXPECT_FALSE(container->IsActive());

    edit->SetFocus();
    EXPECT_TRUE(active->IsActive());
    EXPECT_TRUE(active->ZoneIntf()->IsActive());
    EXPECT_FALSE(leaf->IsActive());
    EXPECT_TRUE(container->IsActive());

    panel->SetFocus();
    EXPECT_FALSE(active->IsActive()) << "the panel itself does not count";
    EXPECT_FALSE(container->IsActive());
}

} // namespace
