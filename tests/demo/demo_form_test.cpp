// The demonstration window driven as a user would: start-up layout, the
// visibility toggles, the delete buttons, the zone dump and the size caption.
#include <gtest/gtest.h>

#include <functional>

#include "Unit1.h"
#include "support/toolkit_helpers.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

class DemoForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm1(nullptr);
        form->DoCreate();
    }
    void TearDown() override { tk::Component::FreeAndNil(form); }

    static TOrloDockControlZone* LeafOf(TOrloDockSite* site, TOrloDockablePanel* panel) {
        return site->RootZone()->FindControlZone(panel);
    }

    // Every item text of the tree view, depth first, indented by level.
    QStringList DumpedLines() const {
        QStringList lines;
        std::function<void(tk::TreeNode*)> walk = [&](tk::TreeNode* node) {
            lines << QString(node->Level() * 2, QLatin1Char(' ')) + node->Text();
            for (int i = 0; i < node->Count(); ++i)
                walk(node->Item(i));
        };
        tk::TreeNodes* items = form->TreeView1->Items();
        for (int i = 0; i < items->TopLevelCount(); ++i)
            walk(items->TopLevelItem(i));
        return lines;
    }

    TForm1* form = nullptr;
};

TEST_F(DemoForm, StartUpDocksTheFivePanelsWithoutUserAction) {
    EXPECT_FALSE(form->Button1->Visible());
    EXPECT_FALSE(form->Button5->Visible());

    ASSERT_TRUE(form->TestPanel1 && form->TestPanel2 && form->TestPanel3 && form->TestPanel4 && form->TestPanel5);
    EXPECT_NE(LeafOf(form->LeftDock, form->TestPanel1), nullptr);
    EXPECT_NE(LeafOf(form->LeftDock, form->TestPanel3), nullptr);
    EXPECT_NE(LeafOf(form->RightDock, form->TestPanel2), nullptr);
    EXPECT_NE(LeafOf(form->RightDock, form->TestPanel4), nullptr);
    EXPECT_NE(LeafOf(form->BottomDock, form->TestPanel5), nullptr);
    EXPECT_EQ(form->TopDock->RootZone()->ChildCount(), 0);

    // Panel 1 then panel 3 to its right in the left site; panel 4 below panel 2 in the right one.
    EXPECT_LT(form->TestPanel1->Left(), form->TestPanel3->Left());
    EXPECT_LT(form->TestPanel2->Top(), form->TestPanel4->Top());
    EXPECT_EQ(form->TestPanel4->Owner(), form->LeftDock);
    EXPECT_EQ(form->TestPanel4->Parent(), form->RightDock);
    EXPECT_EQ(form->TestPanel1->TitleBarCaption(), QStringLiteral("Test Panel 1"));
    EXPECT_EQ(form->TestPanel5->Color(), tk::clOlive);

    for (TOrloDockSite* site : {form->LeftDock, form->RightDock, form->BottomDock, form->TopDock})
        EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

TEST_F(DemoForm, SitesAreNamedAlignedAndRegistered) {
    EXPECT_EQ(form->LeftDock->Name(), QStringLiteral("LeftDock"));
    EXPECT_EQ(form->LeftDock->Align(), tk::alLeft);
    EXPECT_EQ(form->LeftDock->Width(), 300);
    EXPECT_EQ(form->RightDock->Align(), tk::alRight);
    EXPECT_EQ(form->BottomDock->Align(), tk::alBottom);
    EXPECT_EQ(form->TopDock->Align(), tk::alTop);
    EXPECT_EQ(form->TopDock->Constraints().MinHeight(), 5);
    EXPECT_EQ(form->Panel2->Align(), tk::alClient);
}

TEST_F(DemoForm, ResizeCaptionShowsClientSize) {
    form->Show();
    tktest::PumpEvents();
    EXPECT_EQ(form->Caption(), QStringLiteral("Height = 420 width = 1016"));
    form->FormResize(form);
    EXPECT_EQ(form->Caption(), QStringLiteral("Height = 420 width = 1016"));
    form->SetClientWidth(900);
    form->FormResize(form);
    EXPECT_EQ(form->Caption(), QStringLiteral("Height = 420 width = 900"));
}

TEST_F(DemoForm, DumpListsTheLeftSiteAndIsRepeatable) {
    form->Button15->Click();
    const QStringList first = DumpedLines();
    ASSERT_FALSE(first.isEmpty());
    TOrloDockRootZone* root = form->LeftDock->RootZone();
    EXPECT_EQ(first[0], QStringLiteral("Root Zone - ") + root->ZoneID() + QLatin1Char(' ') +
                            OrientationName(root->Orientation()) + QLatin1Char('/') +
                            OrientationName(root->ChildOrientation()));

    // Leaves below an item carry no dash; both left panels are listed with caption, orientation and share.
    TOrloDockControlZone* leaf1 = LeafOf(form->LeftDock, form->TestPanel1);
    const QString leaf1Text = QStringLiteral("ControlZone ") + leaf1->ZoneID() + QStringLiteral(" Test Panel 1 ") +
                              OrientationName(leaf1->Orientation()) + QLatin1Char(' ') +
                              QString::number(leaf1->ParentSizePercentage());
    bool found1 = false, found3 = false;
    for (const QString& line : first) {
        EXPECT_FALSE(line.contains(QStringLiteral("ControlZone - "))) << line.toStdString();
        found1 = found1 || line.trimmed() == leaf1Text;
        found3 = found3 || line.contains(QStringLiteral("Test Panel 3"));
        EXPECT_FALSE(line.contains(QStringLiteral("Test Panel 2"))) << "only the left site is dumped";
    }
    EXPECT_TRUE(found1);
    EXPECT_TRUE(found3);
    EXPECT_TRUE(form->Memo1->Lines()->Text().startsWith(QStringLiteral("Memo1")));

    form->Button15->Click();
    EXPECT_EQ(DumpedLines(), first);
}

TEST_F(DemoForm, ControlZoneWithoutParentItemGetsTheDash) {
    TOrloDockControlZone* leaf = LeafOf(form->LeftDock, form->TestPanel1);
    form->TreeView1->Items()->Clear();
    form->DumpZone(leaf, nullptr);
    ASSERT_EQ(form->TreeView1->Items()->TopLevelCount(), 1);
    EXPECT_TRUE(form->TreeView1->Items()->TopLevelItem(0)->Text().startsWith(QStringLiteral("ControlZone - ")));
}

TEST_F(DemoForm, TogglingAPanelKeepsItInItsZone) {
    TOrloDockControlZone* leaf = LeafOf(form->LeftDock, form->TestPanel1);
    const tk::Rect before = form->TestPanel3->BoundsRect();

    form->Button6->Click();
    EXPECT_FALSE(form->TestPanel1->Visible());
    EXPECT_EQ(LeafOf(form->LeftDock, form->TestPanel1), leaf);
    EXPECT_GT(form->TestPanel3->Width(), before.Width()) << "the remaining panel takes the space";

    form->Button6->Click();
    EXPECT_TRUE(form->TestPanel1->Visible());
    EXPECT_EQ(LeafOf(form->LeftDock, form->TestPanel1), leaf);
    EXPECT_TRUE(ZoneTreeIsSound(form->LeftDock->RootZone()));
}

TEST_F(DemoForm, DeletingPanelsRemovesTheirZonesAndRepeatsSafely) {
    form->Button14->Click();
    EXPECT_EQ(form->TestPanel1, nullptr);
    form->Button15->Click();
    for (const QString& line : DumpedLines())
        EXPECT_FALSE(line.contains(QStringLiteral("Test Panel 1")));
    EXPECT_TRUE(ZoneTreeIsSound(form->LeftDock->RootZone()));

    form->Button14->Click(); // the field is empty: nothing happens
    form->Button6->Click();  // toggling a freed panel does nothing
    EXPECT_EQ(form->TestPanel1, nullptr);
}

TEST_F(DemoForm, PanelOwnedByOneSiteButDockedInAnotherLeavesNoZoneWhenFreed) {
    ASSERT_EQ(form->TestPanel4->Owner(), form->LeftDock);
    TOrloDockablePanel* panel4 = form->TestPanel4;
    form->Button11->Click();
    EXPECT_EQ(form->TestPanel4, nullptr);
    EXPECT_EQ(LeafOf(form->RightDock, panel4), nullptr);
    EXPECT_NE(LeafOf(form->RightDock, form->TestPanel2), nullptr);
    EXPECT_TRUE(ZoneTreeIsSound(form->RightDock->RootZone()));
}

TEST_F(DemoForm, FreeingTheLeftSiteTakesItsPanelsOutOfTheOtherSites) {
    // Panels 4 and 5 belong to the left site but live in the right and bottom ones.
    tk::Component::FreeAndNil(form->LeftDock);
    form->TestPanel4 = form->TestPanel5 = nullptr;
    EXPECT_EQ(form->BottomDock->RootZone()->VisibleChildCount(), 0);
    EXPECT_TRUE(ZoneTreeIsSound(form->RightDock->RootZone()));
    form->Button15->Click(); // no left site: the dump does nothing
    EXPECT_EQ(form->TreeView1->Items()->TopLevelCount(), 0);
}

} // namespace
