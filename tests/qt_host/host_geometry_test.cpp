// Sites inside a Qt window: screen mapping, hit tests and drags through the
// mouse driver, relayout when the window is resized, and an adopted widget
// that follows its panel wherever the panel goes.

#include "qt_host_fixture.h"
#include <QPointer>
#include <QTextEdit>

#include <orlodock/tk/widgetcontainer.h>

TEST_F(QtHostTest, SitesKnowWhereTheyAreOnTheScreen) {
    TOrloDockablePanel* a = Add("A", new QTextEdit);
    TOrloDockablePanel* b = Add("B", new QTextEdit);
    const tk::Point origin = HostOrigin();
    ASSERT_EQ(origin.X, 100);
    ASSERT_GT(origin.Y, 100) << "the tool bar lies between the window's top and the host";

    TOrloDockSite* site = Left();
    EXPECT_EQ(site->ClientToScreen({0, 0}), origin);
    EXPECT_EQ(site->ScreenToClient({origin.X + 7, origin.Y + 9}), (tk::Point{7, 9}));
    tk::Rect screenRect;
    site->GetScreenRect(screenRect);
    EXPECT_EQ(screenRect, tk::OffsetRect(site->BoundsRect(), origin.X, origin.Y));
    EXPECT_EQ(a->ClientToScreen({0, 0}), tk::FromQPoint(a->Widget()->mapToGlobal(QPoint(0, 0))));

    const tk::Point inB = site->ClientToScreen(Centre(ZoneOf(b)->Bounds()));
    tk::Rect zoneRect;
    tk::IPtr<IOrloDockZone> zone;
    site->GetZoneAt(inB, zoneRect, zone);
    ASSERT_TRUE(zone);
    EXPECT_EQ(zone->GetZoneObject(), ZoneOf(b));
    tk::Rect titleBar;
    Theme(site)->GetTitleBarRect(ZoneOf(a)->ZoneIntf(), titleBar);
    EXPECT_EQ(tktest::MouseDriver::ControlAt(site->ClientToScreen(Centre(titleBar))), site);
}

TEST_F(QtHostTest, CloseButtonSplitterAndEdgeRespondAtTheirScreenPlaces) {
    TOrloDockablePanel* a = Add("A", new QTextEdit);
    TOrloDockablePanel* b = Add("B", new QTextEdit);
    TOrloDockSite* site = Left();

    tk::Rect close;
    Theme(site)->GetCloseButtonRect(ZoneOf(b)->ZoneIntf(), close);
    mouse.Click(site->ClientToScreen(Centre(close)));
    tktest::PumpEvents();
    EXPECT_FALSE(b->Visible());
    b->Show();
    tktest::PumpEvents();

    const tk::Rect aBefore = ZoneOf(a)->Bounds();
    const tk::Point splitter{(aBefore.Left + aBefore.Right) / 2, aBefore.Bottom - 2};
    mouse.Drag(site->ClientToScreen(splitter), site->ClientToScreen({splitter.X, splitter.Y + 40}));
    tktest::PumpEvents();
    EXPECT_NEAR(ZoneOf(a)->Bounds().Bottom, aBefore.Bottom + 40, 1) << "shares are whole percentages";

    const int width = site->Width();
    const tk::Point edge = Centre(site->EdgeSplitterRect());
    mouse.Drag(site->ClientToScreen(edge), site->ClientToScreen({edge.X + 30, edge.Y}));
    tktest::PumpEvents();
    EXPECT_EQ(site->Width(), width + 30);
    EXPECT_EQ(central->mapToGlobal(QPoint(0, 0)).x(), HostOrigin().X + site->Width());
}

TEST_F(QtHostTest, ResizingTheWindowLaysTheSitesOut) {
    Add("Files", new QTextEdit);
    TOrloDockablePanel* output = Add("Output", new QTextEdit, tk::alBottom);
    window->resize(1000, 700);
    tktest::PumpEvents();

    EXPECT_EQ(host->RootControl()->BoundsRect(), tk::MakeRect(0, 0, host->width(), host->height()));
    TOrloDockSite* bottom = host->Site(tk::alBottom);
    EXPECT_EQ(bottom->Width(), host->width());
    EXPECT_EQ(bottom->Top() + bottom->Height(), host->height());
    EXPECT_EQ(Left()->Height(), host->height() - bottom->Height());
    EXPECT_EQ(central->width(), host->width() - Left()->Width());
    EXPECT_EQ(output->Width(), bottom->Width());
}

TEST_F(QtHostTest, AdoptedWidgetFollowsItsPanel) {
    auto* edit = new QTextEdit;
    TOrloDockablePanel* panel = Add("Notes", edit);
    Add("Other", new QTextEdit);
    const auto fitsPanel = [&] {
        return edit->isVisible() && edit->size() == QSize(panel->ClientWidth(), panel->ClientHeight()) &&
               tk::FromQPoint(edit->mapToGlobal(QPoint(0, 0))) == panel->ClientToScreen({0, 0});
    };
    EXPECT_EQ(panel->Content(), edit);
    EXPECT_TRUE(fitsPanel());

    Left()->SetWidth(Left()->Width() + 50);
    tktest::PumpEvents();
    EXPECT_TRUE(fitsPanel());

    panel->Hide();
    tktest::PumpEvents();
    EXPECT_FALSE(edit->isVisible());
    panel->Show();
    tktest::PumpEvents();
    EXPECT_TRUE(fitsPanel());

    panel->DockInto(host->Site(tk::alRight)->SiteIntf(), nullptr, tk::alBottom);
    tktest::PumpEvents();
    EXPECT_EQ(panel->DockSite(), host->Site(tk::alRight));
    EXPECT_TRUE(fitsPanel());
}

TEST_F(QtHostTest, ContainerOwnsItsContentUntilTakenBack) {
    TOrloDockablePanel* panel = Add("Notes", new QTextEdit);
    QPointer<QWidget> first = panel->Content();
    auto* second = new QTextEdit;
    panel->SetContent(second);
    tktest::PumpEvents();
    EXPECT_TRUE(first.isNull()) << "a replaced widget is deleted";
    EXPECT_EQ(second->parentWidget(), panel->ContentContainer()->Widget());

    QWidget* taken = panel->ContentContainer()->TakeContent();
    EXPECT_EQ(taken, second);
    EXPECT_EQ(taken->parentWidget(), nullptr);
    EXPECT_EQ(panel->Content(), nullptr);
    panel->SetContent(taken);

    delete taken;
    EXPECT_EQ(panel->Content(), nullptr) << "the application may delete the content itself";
    panel->ContentContainer()->SetFocus();
    auto* third = new QTextEdit;
    QPointer<QWidget> watch = third;
    panel->SetContent(third);
    panel->Free();
    EXPECT_TRUE(watch.isNull()) << "the content goes with its panel";
}
