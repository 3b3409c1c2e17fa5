// A zone tree survives a trip through the component stream: classes,
// identifiers, orientations, shares, tab index and child order, with parent
// links and the site re-created by the parent assignment.

#include "zone_fixture.h"

#include <orlodock/tk/streaming.h>

namespace {

class ZoneStreamingTest : public ZoneTest {
protected:
    Owned<TOrloDockRootZone> copy = MakeOwned<TOrloDockRootZone>();

    void SetUp() override {
        ZoneTest::SetUp();
        copy->SetDockSite(site->Intf());
    }

    static void ExpectSameTree(TOrloDockZone* expected, TOrloDockZone* actual) {
        ASSERT_NE(actual, nullptr);
        EXPECT_EQ(actual->ClassName(), expected->ClassName());
        EXPECT_EQ(actual->ZoneID(), expected->ZoneID());
        EXPECT_EQ(actual->Orientation(), expected->Orientation());
        EXPECT_EQ(actual->ParentSizePercentage(), expected->ParentSizePercentage());
        EXPECT_EQ(actual->Owner(), nullptr) << "zones belong to their container alone";
        auto* expectedTabs = dynamic_cast<TOrloDockTabbedContainerZone*>(expected);
        if (expectedTabs) {
            EXPECT_EQ(dynamic_cast<TOrloDockTabbedContainerZone*>(actual)->CurrentTabIndex(),
                      expectedTabs->CurrentTabIndex());
        }
        auto* expectedContainer = dynamic_cast<TOrloDockContainerZone*>(expected);
        if (!expectedContainer)
            return;
        auto* actualContainer = dynamic_cast<TOrloDockContainerZone*>(actual);
        ASSERT_NE(actualContainer, nullptr);
        EXPECT_EQ(actualContainer->ChildOrientation(), expectedContainer->ChildOrientation());
        ASSERT_EQ(actualContainer->ChildCount(), expectedContainer->ChildCount());
        for (int i = 0; i < expectedContainer->ChildCount(); ++i)
            ExpectSameTree(expectedContainer->Child(i), actualContainer->Child(i));
    }
};

TEST_F(ZoneStreamingTest, TreeRoundTrip) {
    ShapeRoot(voVert, tk::MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* stack = AddContainer(root.get(), voHorz);
    auto* tabs = new TOrloDockTabbedContainerZone();
    tabs->SetParentZone(root.get());
    tabs->SetCurrentTabIndex(1);
    auto* last = new TOrloDockControlZone();
    last->SetParentZone(root.get());
    for (TOrloDockContainerZone* parent : {stack, static_cast<TOrloDockContainerZone*>(tabs)})
        for (int i = 0; i < 2; ++i)
            (new TOrloDockControlZone())->SetParentZone(parent);
    int share = 10;
    for (TOrloDockContainerZone* parent :
         {static_cast<TOrloDockContainerZone*>(root.get()), stack, static_cast<TOrloDockContainerZone*>(tabs)})
        for (int i = 0; i < parent->ChildCount(); ++i)
            parent->Child(i)->SetParentSizePercentage(share++);
    ASSERT_TRUE(ZoneTreeIsSound(root.get()));

    const tk::Bytes data = tk::WriteComponent(root.get());
    tk::ReadComponentInto(data, copy.get());

    SCOPED_TRACE(tk::StreamToText(data).toStdString());
    ExpectSameTree(root.get(), copy.get());
    EXPECT_TRUE(ZoneTreeIsSound(copy.get()));
    EXPECT_EQ(copy->Child(0)->DockSite(), site->Intf());
    EXPECT_FALSE(copy->IsLoading());
    EXPECT_FALSE(copy->Child(0)->IsLoading());
}

TEST_F(ZoneStreamingTest, ControlNameIsEmptyWithoutPanel) {
    auto* leaf = new TOrloDockControlZone();
    leaf->SetParentZone(root.get());
    leaf->SetControlName(tk::String::fromLatin1("Panel1"));
    EXPECT_EQ(leaf->ControlName(), tk::String());
    const tk::String text = tk::StreamToText(tk::WriteComponent(root.get()));
    EXPECT_FALSE(text.contains(tk::String::fromLatin1("Panel1")));
}

TEST_F(ZoneStreamingTest, AbstractBaseInAStreamFailsAndLeavesTheTargetAlone) {
    // A zone class of its own that does not register itself streams as the abstract base.
    ShapeRoot(voVert, tk::MakeRect(0, 0, 300, 200));
    TOrloDockContainerZone* stack = AddContainer(root.get(), voHorz);
    (new TOrloDockControlZone())->SetParentZone(stack);
    AddLeaf(stack);
    const tk::Bytes data = tk::WriteComponent(root.get());

    (new TOrloDockControlZone())->SetParentZone(copy.get());
    const tk::String id = copy->Child(0)->ZoneID();
    EXPECT_THROW(tk::ReadComponentInto(data, copy.get()), tk::EReadError);
    ASSERT_EQ(copy->ChildCount(), 1);
    EXPECT_EQ(copy->Child(0)->ZoneID(), id);
    EXPECT_TRUE(ZoneTreeIsSound(copy.get()));
}

} // namespace
