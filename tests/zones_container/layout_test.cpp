// A container cuts its rectangle among its visible children, nested
// containers included, and does nothing for a rectangle it already has; it
// frees its children in list order.

#include "container_fixture.h"

using tk::MakeRect;

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

TEST_F(ContainerTest, NestedContainersCutTheirClientRectangles) {
    // A | [X over Y] | C in 301 pixels, 33/33/34, the middle stacked 25/75.
    ShapeRoot(voVert, MakeRect(0, 0, 301, 200));
    TOrloDockControlZone* a = AddPanelLeaf(root.get(), NewPanel("A"));
    TOrloDockContainerZone* middle = AddContainer(root.get(), voHorz);
    TOrloDockControlZone* c = AddPanelLeaf(root.get(), NewPanel("C"));
    TOrloDockControlZone* x = AddPanelLeaf(middle, NewPanel("X"));
    TOrloDockControlZone* y = AddPanelLeaf(middle, NewPanel("Y"));
    middle->Child(0)->SetParentSizePercentage(25);
    middle->Child(1)->SetParentSizePercentage(75);
    Share(root.get(), {33, 33, 34});

    EXPECT_EQ(a->Bounds(), MakeRect(0, 0, 99, 200));
    EXPECT_EQ(a->Panel()->BoundsRect(), MakeRect(0, 18, 95, 200)) << "4 pixels of splitter strip";
    EXPECT_EQ(middle->Bounds(), MakeRect(100, 0, 199, 200));
    EXPECT_EQ(c->Bounds(), MakeRect(200, 0, 301, 200));
    EXPECT_EQ(c->Panel()->BoundsRect(), MakeRect(200, 18, 301, 200));
    // The middle's children share its client rectangle (without its splitter strip).
    EXPECT_EQ(x->Bounds(), MakeRect(100, 0, 195, 50));
    EXPECT_EQ(x->Panel()->BoundsRect(), MakeRect(100, 18, 195, 46));
    EXPECT_EQ(y->Bounds(), MakeRect(100, 51, 195, 200));
    EXPECT_EQ(y->Panel()->BoundsRect(), MakeRect(100, 69, 195, 200));
    ExpectSoundTightAndBalanced();

    // A new rectangle for the root runs through the whole tree.
    root->SetBounds(MakeRect(0, 0, 401, 300));
    EXPECT_EQ(c->Bounds().Right, 401);
    EXPECT_EQ(y->Bounds().Bottom, 300);
    ExpectSoundTightAndBalanced();

    // A layout that would move no zone still places the panels when the
    // theme's measures changed, and a share changed deep down reaches its zone.
    theme->TitleBarHeight = 24;
    root->UpdateBounds();
    EXPECT_EQ(x->Panel()->BoundsRect(), MakeRect(133, 24, 261, 71));
    Share(middle, {50, 50});
    EXPECT_EQ(x->Bounds().Bottom, 150);
    ExpectSoundTightAndBalanced();
}

TEST_F(ContainerTest, UnchangedRectangleLaysNothingOut) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* middle = AddContainer(root.get(), voHorz);
    auto* leaf = new CountingLeaf();
    leaf->SetParentZone(middle);
    AddLeaf(root.get());
    Share(root.get(), {50, 50});
    ASSERT_EQ(middle->Bounds(), MakeRect(0, 0, 150, 200));

    leaf->UpdateCount = 0;
    site->ClearRecords();
    middle->SetBounds(MakeRect(0, 0, 150, 200));
    EXPECT_EQ(leaf->UpdateCount, 0);
    EXPECT_EQ(site->BeginUpdateCount, 0);

    middle->SetBounds(MakeRect(0, 0, 120, 200));
    EXPECT_EQ(leaf->UpdateCount, 1);
    EXPECT_EQ(leaf->Bounds(), MakeRect(0, 0, 116, 200));
    EXPECT_EQ(middle->ParentSizePercentage(), 40);
    ExpectSoundAndBalanced();
}

TEST_F(ContainerTest, CaptionVisibilityAndPaintOrder) {
    ShapeRoot(voHorz, MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* row = AddContainer(root.get(), voVert);
    EXPECT_FALSE(row->IsVisible()) << "no children";
    FakeLeafZone* hidden = AddLeaf(row, false);
    EXPECT_FALSE(row->IsVisible());
    TOrloDockControlZone* a = AddPanelLeaf(row, NewPanel("A"));
    TOrloDockControlZone* b = AddPanelLeaf(row, NewPanel("B"));
    EXPECT_TRUE(row->IsVisible());
    Share(row, {0, 50, 50});
    (void)hidden;

    tk::String caption;
    row->GetCaption(caption);
    EXPECT_EQ(caption, S("Orientation : voHorz Width= 300 Height=200"));

    theme->PaintedBackgrounds.clear();
    theme->PaintedZones.clear();
    root->Paint();
    EXPECT_EQ(theme->PaintedBackgrounds, (std::vector<IOrloDockZone*>{root->ZoneIntf(), row->ZoneIntf()}));
    EXPECT_EQ(theme->PaintedZones, (std::vector<IOrloDockZone*>{a->ZoneIntf(), b->ZoneIntf()}));
    EXPECT_EQ(row->GetDockMargin(), 7);
    EXPECT_TRUE(row->IsContainer());
    ExpectSoundTightAndBalanced();

    // Squeezed to nothing, B paints nothing: its title bar would land on A.
    Share(row, {0, 100, 0});
    ASSERT_TRUE(b->Bounds().IsEmpty()) << b->Bounds();
    theme->PaintedZones.clear();
    root->Paint();
    EXPECT_EQ(theme->PaintedZones, (std::vector<IOrloDockZone*>{a->ZoneIntf()}));
}

TEST_F(ContainerTest, ChildrenAreFreedInListOrderWithTheContainer) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* group = AddContainer(root.get(), voHorz);
    TOrloDockablePanel* panel = NewPanel("A");
    std::vector<TOrloDockZone*> children{AddLeaf(group), AddPanelLeaf(group, panel), AddContainer(group, voVert)};
    for (TOrloDockZone* child : children)
        probe->Watch(child);
    probe->Watch(group);

    root->RemoveZone(group);
    group->SetParentZoneField(nullptr);
    group->Free();
    ASSERT_EQ(probe->Freed.size(), 4u);
    EXPECT_EQ(probe->Freed[0], group) << "the container announces itself while still whole";
    for (std::size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(probe->Freed[i + 1], children[i]);
    // The panel is no longer watched.
    site->ClearRecords();
    panel->Hide();
    EXPECT_EQ(site->BeginUpdateCount, 0);
    ExpectSoundAndBalanced();
}

} // namespace
