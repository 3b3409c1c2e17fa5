// A subtree lives in one site: moving it into another tree, or giving a tree
// read from a stream its site, brings every zone below along, so that none
// keeps painting on (or pointing at) a site it has left. A streamed tree finds
// its panels again by name.

#include "container_fixture.h"
#include <orlodock/tk/streaming.h>

using tk::MakeRect;

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

void ExpectWholeTreeIn(TOrloDockZone* zone, IOrloDockSiteInternal* site) {
    EXPECT_EQ(zone->DockSite(), site) << zone->ClassName().toStdString();
    if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
        for (int i = 0; i < container->ChildCount(); ++i)
            ExpectWholeTreeIn(container->Child(i), site);
}

class SiteAndStreamingTest : public ContainerTest {
protected:
    Owned<FakeDockSite> otherSite = MakeOwned<FakeDockSite>();
    Owned<TOrloDockRootZone> otherRoot = MakeOwned<TOrloDockRootZone>();

    void SetUp() override {
        ContainerTest::SetUp();
        otherSite->SetTheme(theme->Intf());
        otherSite->SetRootZone(otherRoot.get());
        otherRoot->SetDockSite(otherSite->Intf());
        otherRoot->SetChildOrientation(voVert);
        otherRoot->SetBounds(MakeRect(0, 0, 300, 200));
    }

    void TearDown() override {
        // The panels may sit in the other site's control: free the trees before the sites.
        otherRoot.reset();
        root.reset();
    }
};

TEST_F(SiteAndStreamingTest, MovedSubtreeLeavesItsOldSiteEntirely) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    AddLeaf(root.get());
    TOrloDockContainerZone* moved = AddContainer(root.get(), voHorz);
    TOrloDockablePanel* top = NewPanel("Top");
    AddPanelLeaf(moved, top);
    TOrloDockContainerZone* inner = AddContainer(moved, voVert);
    TOrloDockablePanel* deep = NewPanel("Deep");
    AddPanelLeaf(inner, deep);
    AddLeaf(inner);
    Share(root.get(), {50, 50});
    ExpectSoundTightAndBalanced();

    root->RemoveZone(moved);
    moved->SetParentZoneField(nullptr);
    moved->SetParentZone(otherRoot.get());
    ExpectWholeTreeIn(otherRoot.get(), otherSite->Intf());
    EXPECT_EQ(deep->Parent(), otherSite->Control());
    EXPECT_EQ(top->Parent(), otherSite->Control());
    EXPECT_TRUE(ZoneTreeIsSound(otherRoot.get()));
    EXPECT_TRUE(ZoneLayoutIsTight(otherRoot.get()));

    // Brackets and painting go to the new site only; the old one could be
    // freed now.
    site->ClearRecords();
    otherSite->ClearRecords();
    deep->Hide();
    otherRoot->Paint();
    EXPECT_EQ(site->BeginUpdateCount, 0);
    EXPECT_GT(otherSite->BeginUpdateCount, 0);
    EXPECT_EQ(otherSite->UpdateDepth(), 0);
    root.reset();
    site.reset();
    deep->Show();
    otherRoot->SetBounds(MakeRect(0, 0, 250, 150));
    EXPECT_TRUE(ZoneTreeIsSound(otherRoot.get()));
    EXPECT_TRUE(ZoneLayoutIsTight(otherRoot.get()));
}

TEST_F(SiteAndStreamingTest, StreamedTreeFindsItsPanelsByName) {
    ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
    TOrloDockablePanel* output = NewPanel("Output", "Output");
    TOrloDockablePanel* tools = NewPanel("Tools", "Tools");
    TOrloDockablePanel* props = NewPanel("Props", "Props");
    AddPanelLeaf(root.get(), output);
    TOrloDockContainerZone* stack = AddContainer(root.get(), voHorz);
    AddPanelLeaf(stack, tools);
    AddPanelLeaf(stack, props);
    auto* gone = new TOrloDockControlZone();
    gone->SetControlName(S("Gone"));
    gone->SetParentZone(stack);
    Share(stack, {40, 60, 0});
    Share(root.get(), {30, 70});
    const tk::Bytes data = tk::WriteComponent(root.get());
    const tk::String text = tk::StreamToText(data);
    EXPECT_TRUE(text.contains(S("Output")));
    EXPECT_TRUE(text.contains(S("Props")));
    EXPECT_FALSE(text.contains(S("Gone"))) << "an unresolved name is not written";

    // Read into a tree without site, then given the site, as a site loads its tree.
    Owned<TOrloDockRootZone> copy = MakeOwned<TOrloDockRootZone>();
    tk::ReadComponentInto(data, copy.get());
    root->ClearChildren();
    copy->SetDockSite(site->Intf());
    ExpectWholeTreeIn(copy.get(), site->Intf());
    site->SetRootZone(copy.get());

    copy->ResolveControls(panels.get());
    ASSERT_EQ(copy->ChildCount(), 2);
    auto* first = dynamic_cast<TOrloDockControlZone*>(copy->Child(0));
    auto* copiedStack = dynamic_cast<TOrloDockContainerZone*>(copy->Child(1));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(copiedStack, nullptr);
    ASSERT_EQ(copiedStack->ChildCount(), 3);
    EXPECT_EQ(first->GetControl(), output);
    EXPECT_EQ(copiedStack->Child(0)->ParentSizePercentage(), 40);
    EXPECT_EQ(dynamic_cast<TOrloDockControlZone*>(copiedStack->Child(0))->GetControl(), tools);
    EXPECT_EQ(dynamic_cast<TOrloDockControlZone*>(copiedStack->Child(1))->GetControl(), props);
    auto* empty = dynamic_cast<TOrloDockControlZone*>(copiedStack->Child(2));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetControl(), nullptr);
    EXPECT_EQ(copy->FindControlZone(props), copiedStack->Child(1));

    copy->SetBounds(MakeRect(0, 0, 400, 300));
    copy->UpdateBounds();
    EXPECT_TRUE(ZoneTreeIsSound(copy.get()));
    EXPECT_TRUE(ZoneLayoutIsTight(copy.get()));
    EXPECT_EQ(site->UpdateDepth(), 0);

    // The resolved panels are watched: hiding one relays the copy out.
    const tk::Rect before = copiedStack->Child(1)->Bounds();
    tools->Hide();
    EXPECT_NE(copiedStack->Child(1)->Bounds(), before);
    EXPECT_EQ(copiedStack->Child(1)->Bounds().Top, copiedStack->Bounds().Top);
    EXPECT_TRUE(ZoneLayoutIsTight(copy.get()));

    site->SetRootZone(root.get());
    copy.reset();
}

} // namespace
