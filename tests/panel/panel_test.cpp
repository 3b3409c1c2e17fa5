// The dockable panel: its defaults, the one-shot bounds permission that keeps
// it where its zone put it, docking requests, its site link, focus inside it,
// the image index repainting the site, the size text it paints and streaming.

#include <gtest/gtest.h>

#include <QImage>

#include "support/fake_dock_site.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/tk/edit.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/imagelist.h>
#include <orlodock/tk/screen.h>
#include <orlodock/tk/streaming.h>

using tk::MakeRect;

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

class PanelTest : public ::testing::Test {
protected:
    Owned<FakeDockSite> site = MakeOwned<FakeDockSite>();
    Owned<tk::Component> owner = MakeOwned<tk::Component>(nullptr);
    TOrloDockablePanel* panel = new TOrloDockablePanel(owner.get());
};

TEST_F(PanelTest, NewPanel) {
    EXPECT_EQ(panel->BoundsRect(), MakeRect(0, 0, 100, 100));
    EXPECT_EQ(panel->Color(), tk::clBtnFace);
    EXPECT_EQ(panel->BevelOuter(), tk::bvNone);
    EXPECT_EQ(panel->ImageIndex(), -1);
    EXPECT_FALSE(panel->BoundsUnlocked());
    EXPECT_EQ(panel->DockSite(), nullptr);
    EXPECT_TRUE(panel->DoubleBuffered());
    EXPECT_TRUE(tk::IsClassRegistered(S("TOrloDockablePanel")));
    EXPECT_EQ(panel->ClassName(), S("TOrloDockablePanel"));
}

TEST_F(PanelTest, BoundsChangeOnlyOnceAfterBeingUnlocked) {
    panel->SetLeft(40);
    panel->SetWidth(300);
    panel->SetBoundsRect(MakeRect(5, 5, 50, 50));
    panel->Constraints().SetMinWidth(150);
    EXPECT_EQ(panel->BoundsRect(), MakeRect(0, 0, 100, 100));

    panel->Constraints().SetMinWidth(0);
    panel->SetBoundsUnlocked(true);
    panel->SetBounds(10, 20, 30, 40);
    EXPECT_EQ(panel->BoundsRect(), MakeRect(10, 20, 40, 60));
    EXPECT_FALSE(panel->BoundsUnlocked());

    panel->SetBounds(0, 0, 10, 10);
    EXPECT_EQ(panel->BoundsRect(), MakeRect(10, 20, 40, 60));

    // The permission is used up even by a call that changes nothing.
    panel->SetBoundsUnlocked(true);
    panel->SetBounds(10, 20, 30, 40);
    EXPECT_FALSE(panel->BoundsUnlocked());
}

TEST_F(PanelTest, DockedPanelStaysWhereItIsPut) {
    panel->SetDockSite(site->Intf());
    panel->SetBoundsUnlocked(true);
    panel->SetBoundsRect(MakeRect(0, 18, 120, 200));
    // The parent's alignment pass and direct moves alike leave it there.
    panel->SetAlign(tk::alClient);
    site->Control()->Realign();
    panel->SetTop(0);
    EXPECT_EQ(panel->BoundsRect(), MakeRect(0, 18, 120, 200));
}

TEST_F(PanelTest, InterfaceAnswersForThePanelWithoutOwningIt) {
    {
        tk::IPtr<IOrloDockablePanel> intf = tk::QueryAs<IOrloDockablePanel>(panel);
        ASSERT_TRUE(intf);
        EXPECT_EQ(intf->GetControl(), panel);
        intf->SetTitleBarCaption(S("Output"));
        EXPECT_EQ(panel->TitleBarCaption(), S("Output"));
        EXPECT_EQ(panel->Caption(), S("Output"));
        EXPECT_EQ(intf->GetTitleBarCaption(), S("Output"));
        tk::Rect r;
        intf->GetBoundsRect(r);
        EXPECT_EQ(r, panel->BoundsRect());
        EXPECT_FALSE(intf->GetDockSite());
    }
    // The last reference is gone; the panel is still whole.
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(panel->TitleBarCaption(), S("Output"));
}

TEST_F(PanelTest, SiteLinkFollowsSetDockSite) {
    panel->SetDockSite(site->Intf());
    EXPECT_EQ(panel->DockSite(), site->Control());
    EXPECT_EQ(panel->Parent(), site->Control());
    tk::IPtr<IOrloDockSite> answered = panel->GetDockSite();
    EXPECT_EQ(answered.get(), static_cast<IOrloDockSite*>(site->Intf()));

    panel->SetDockSite(nullptr);
    EXPECT_EQ(panel->DockSite(), nullptr);
    EXPECT_EQ(panel->Parent(), nullptr);
    EXPECT_FALSE(panel->GetDockSite());
}

TEST_F(PanelTest, SiteLinkDoesNotOutliveTheSite) {
    // The streaming setter links the site without making it the parent, so
    // the panel survives the site.
    panel->SetParentComponent(site->Control());
    ASSERT_EQ(panel->DockSite(), site->Control());
    ASSERT_EQ(panel->Parent(), nullptr);
    site.reset();
    EXPECT_EQ(panel->DockSite(), nullptr);
    EXPECT_FALSE(panel->GetDockSite());
    panel->SetImageIndex(3);
}

TEST_F(PanelTest, StreamingParentSetterIgnoresNonSitesAndLoading) {
    Owned<tk::Control> plain = MakeOwned<tk::Control>(nullptr);
    panel->SetParentComponent(plain.get());
    EXPECT_EQ(panel->DockSite(), nullptr);
    EXPECT_EQ(panel->Parent(), nullptr);

    panel->SetState(tk::csLoading, true);
    panel->SetParentComponent(site->Control());
    panel->SetState(tk::csLoading, false);
    EXPECT_EQ(panel->DockSite(), nullptr);
}

TEST_F(PanelTest, DockIntoAsksTheSite) {
    auto* other = new TOrloDockablePanel(owner.get());
    panel->DockInto(site->Intf(), other, tk::alRight);
    panel->DockInto(site->Intf(), nullptr, tk::alClient);
    panel->DockInto(nullptr, other, tk::alTop);

    ASSERT_EQ(site->InsertCalls.size(), 2u);
    EXPECT_EQ(site->InsertCalls[0].Panel, panel->PanelIntf());
    EXPECT_EQ(site->InsertCalls[0].RelativePanel, other->PanelIntf());
    EXPECT_EQ(site->InsertCalls[0].Position, tk::alRight);
    EXPECT_EQ(site->InsertCalls[1].RelativePanel, nullptr);
    EXPECT_EQ(site->InsertCalls[1].Position, tk::alClient);
}

TEST_F(PanelTest, ImageIndexRepaintsTheSiteOnlyWhenItHasImages) {
    panel->SetDockSite(site->Intf());
    site->ClearRecords();
    panel->SetImageIndex(2);
    EXPECT_EQ(panel->ImageIndex(), 2);
    EXPECT_EQ(site->SiteControl()->InvalidateCount, 0);

    Owned<tk::ImageList> images = MakeOwned<tk::ImageList>(nullptr);
    site->SetImages(images.get());
    panel->SetImageIndex(2);
    EXPECT_EQ(site->SiteControl()->InvalidateCount, 0) << "same value: nothing to repaint";
    panel->SetImageIndex(4);
    EXPECT_EQ(panel->ImageIndex(), 4);
    EXPECT_EQ(site->SiteControl()->InvalidateCount, 1);
    site->SetImages(nullptr);
}

TEST(PanelFocus, OnlyControlsInsideThePanelCount) {
    Owned<tk::Form> form{new tk::Form(nullptr)};
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TOrloDockablePanel(form.get());
    panel->SetParent(form.get());
    auto* inner = new tk::Panel(form.get());
    inner->SetParent(panel);
    auto* nested = new tk::Edit(form.get());
    nested->SetParent(inner);
    auto* outside = new tk::Edit(form.get());
    outside->SetParent(form.get());
    form->Show();
    tktest::PumpEvents();

    nested->SetFocus();
    ASSERT_EQ(tk::Screen::ActiveControl(), nested);
    EXPECT_TRUE(panel->HasFocus());

    panel->SetFocus();
    ASSERT_EQ(tk::Screen::ActiveControl(), panel);
    EXPECT_FALSE(panel->HasFocus());

    outside->SetFocus();
    ASSERT_EQ(tk::Screen::ActiveControl(), outside);
    EXPECT_FALSE(panel->HasFocus());

    nested->SetFocus();
    panel->SetState(tk::csDesigning, true);
    EXPECT_FALSE(panel->HasFocus());
    panel->SetState(tk::csDesigning, false);
}

// Whether any pixel of the rectangle differs from `background`.
bool HasInk(const QImage& image, const tk::Rect& r, tk::Color background) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (tktest::PixelOf(image, x, y) != background)
                return true;
    return false;
}

QImage Painted(TOrloDockablePanel* panel) {
    panel->Invalidate();
    panel->RefreshBuffer();
    return panel->BackBuffer().convertToFormat(QImage::Format_RGB32);
}

TEST_F(PanelTest, PaintsItsHeightAndWidthAsTwoLines) {
    panel->SetColor(tk::RGBColor(0, 128, 255));
    const tk::Color face = tk::RGBColor(0, 128, 255);
    panel->SetBoundsUnlocked(true);
    panel->SetBounds(0, 0, 160, 120);
    const QImage first = Painted(panel);
    const tk::Rect heightLine = MakeRect(10, 10, 150, 40);
    const tk::Rect widthLine = MakeRect(10, 45, 150, 75);
    EXPECT_EQ(tktest::PixelOf(first, 5, 5), face);
    EXPECT_EQ(tktest::PixelOf(first, 155, 115), face);
    EXPECT_TRUE(HasInk(first, heightLine, face));
    EXPECT_TRUE(HasInk(first, widthLine, face));
    EXPECT_FALSE(HasInk(first, MakeRect(0, 0, 160, 9), face));

    // A new width changes the second line only.
    panel->SetBoundsUnlocked(true);
    panel->SetBounds(0, 0, 170, 120);
    const QImage second = Painted(panel);
    EXPECT_EQ(first.copy(10, 10, 140, 30), second.copy(10, 10, 140, 30));
    EXPECT_NE(first.copy(10, 45, 140, 30), second.copy(10, 45, 140, 30));
}

TEST_F(PanelTest, StreamsCaptionAndImageIndexAndDocksIntoTheSiteItIsReadInto) {
    panel->SetName(S("Output"));
    panel->SetTitleBarCaption(S("Output window"));
    panel->SetImageIndex(7);
    const tk::Bytes data = tk::WriteComponent(panel);
    const tk::String text = tk::StreamToText(data);
    EXPECT_TRUE(text.contains(S("TitleBarCaption")));
    EXPECT_TRUE(text.contains(S("ImageIndex")));

    Owned<tk::Component> readOwner = MakeOwned<tk::Component>(nullptr);
    tk::Component* read = tk::ReadComponent(data, readOwner.get(), site->Control());
    auto* copy = dynamic_cast<TOrloDockablePanel*>(read);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->TitleBarCaption(), S("Output window"));
    EXPECT_EQ(copy->ImageIndex(), 7);
    EXPECT_EQ(copy->Parent(), site->Control());
    EXPECT_EQ(copy->DockSite(), site->Control());
    EXPECT_FALSE(copy->IsLoading());
    // Freed with the site's control, its parent; the owner lets go of it.
    copy->Free();
}

} // namespace
