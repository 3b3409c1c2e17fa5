#include "journey_fixture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdlib>

#include "support/toolkit_helpers.h"
#include "support/zone_invariants.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/metrics.h>

void JourneyTest::SetUp() {
    // As the program starts it: the first form is the main one.
    form = tk::App()->CreateForm<TForm1>();
    form->Show();
    tktest::PumpEvents();
}

void JourneyTest::TearDown() {
    tk::App()->CancelHint();
    tk::App()->FreeForms();
    tktest::PumpEvents();
}

TOrloDockingManager* JourneyTest::Manager() const { return form->DockingManager; }

TOrloDockSite* JourneyTest::SiteOf(const TOrloDockablePanel* panel) {
    return dynamic_cast<TOrloDockSite*>(panel->Parent());
}

TOrloDockControlZone* JourneyTest::LeafOf(const TOrloDockablePanel* panel) {
    TOrloDockSite* site = SiteOf(panel);
    return site ? site->RootZone()->FindControlZone(panel) : nullptr;
}

std::vector<TOrloFloatingDockSiteHostForm*> JourneyTest::FloatingWindows() {
    std::vector<TOrloFloatingDockSiteHostForm*> windows;
    for (int i = 0; i < tk::App()->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<TOrloFloatingDockSiteHostForm*>(tk::App()->Components(i)))
            windows.push_back(w);
    return windows;
}

tk::Point JourneyTest::TitleBar(const TOrloDockablePanel* panel) const {
    TOrloDockControlZone* leaf = LeafOf(panel);
    tk::IPtr<IOrloDockTheme> theme;
    SiteOf(panel)->GetTheme(theme);
    tk::Rect bar{};
    theme->GetTitleBarRect(leaf->ZoneIntf(), bar);
    return SiteOf(panel)->ClientToScreen({bar.Left + 20, (bar.Top + bar.Bottom) / 2});
}

tk::Point JourneyTest::Inside(const TOrloDockablePanel* panel) {
    return panel->ClientToScreen({panel->Width() / 2, panel->Height() / 2});
}

tk::Point JourneyTest::Caption(const tk::Form* window) {
    return {window->Left() + tk::BorderWidth() + 15, window->Top() + tk::BorderHeight() + tk::CaptionHeight() / 2};
}

tk::Point JourneyTest::Middle(const TOrloDockDropWindow& window, const TOrloDockDropZoneImage& image) {
    return window.ClientToScreen({image.Left() + image.Width() / 2, image.Top() + image.Height() / 2});
}

tk::Point JourneyTest::OnCross(TOrloDockDropKind kind) const {
    const TOrloDockDropWindow& compass = *Manager()->CompassWindow();
    EXPECT_NE(compass.ZoneUnderMouse(), nullptr) << "no cross is shown";
    return compass.ZoneUnderMouse() ? Middle(compass, *compass.ZoneUnderMouse()->Image(kind)) : tk::Point{};
}

tk::Point JourneyTest::OnEdgeGuide(TOrloDockSite* site) {
    const TOrloDockDropWindow& outer = *Manager()->OuterGuideWindow();
    const TOrloDockDropWindow& compass = *Manager()->CompassWindow();
    for (const auto& group : outer.Zones()) {
        if (group->Site() != site->SiteIntf())
            continue;
        for (int k = dkLeft; k <= dkBottom; ++k) {
            const TOrloDockDropZoneImage& arrow = *group->Image(static_cast<TOrloDockDropKind>(k));
            if (!arrow.Visible())
                continue;
            // Over the arrow first: the cross moves to the zone there.
            MoveTo(Middle(outer, arrow), 1);
            for (int y = arrow.Top(); y < arrow.Top() + arrow.Height(); ++y)
                for (int x = arrow.Left(); x < arrow.Left() + arrow.Width(); ++x)
                    if (arrow.Contains({x, y}) &&
                        !(compass.ZoneUnderMouse() && compass.ZoneUnderMouse()->Region().Contains({x, y})))
                        return outer.ClientToScreen({x, y});
        }
    }
    ADD_FAILURE() << "no edge guide clear of the cross";
    return {};
}

TOrloFloatingDockSiteHostForm* JourneyTest::TearOff(const TOrloDockablePanel* panel) {
    const tk::Point bar = TitleBar(panel);
    const std::size_t before = FloatingWindows().size();
    mouse.Move(bar);
    mouse.Press(bar);
    last_ = bar;
    MoveTo({bar.X, bar.Y + 10}, 2);
    const std::vector<TOrloFloatingDockSiteHostForm*> after = FloatingWindows();
    EXPECT_EQ(after.size(), before + 1) << "the pull made a floating window";
    return after.size() > before ? after.back() : nullptr;
}

void JourneyTest::MoveTo(tk::Point to, int steps) {
    const tk::Point from = last_;
    for (int i = 1; i <= steps; ++i)
        mouse.Move({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
    last_ = to;
}

bool JourneyTest::GuidesOrPreviewShow() {
    for (int i = 0; i < tk::App()->ComponentCount(); ++i) {
        tk::Component* c = tk::App()->Components(i);
        auto* window = dynamic_cast<tk::Form*>(c);
        if (window && window->Visible() &&
            (dynamic_cast<TOrloDockDropWindow*>(c) || dynamic_cast<TOrloDockPreviewWindow*>(c)))
            return true;
    }
    return false;
}

void JourneyTest::ExpectSettled() {
    tktest::PumpEvents();
    std::vector<TOrloDockSite*> sites{form->LeftDock, form->RightDock, form->BottomDock, form->TopDock};
    for (TOrloFloatingDockSiteHostForm* window : FloatingWindows())
        sites.push_back(window->Site());
    for (TOrloDockSite* site : sites) {
        EXPECT_TRUE(ZoneTreeIsSound(site->RootZone())) << site->ClassName().toStdString();
        if (site->Visible() && !site->Collapsed() && site->RootZone()->VisibleChildCount() > 0) {
            EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone())) << site->Name().toStdString();
        }
    }
    EXPECT_FALSE(GuidesOrPreviewShow()) << "a guide or the preview is left on the screen";
    EXPECT_EQ(tk::Control::CaptureControl(), nullptr);
}

void JourneyTest::Shot(const char* name) {
    const char* folder = std::getenv("ORLODOCK_JOURNEY_SHOTS");
    if (!folder || !*folder)
        return;
    tktest::PumpEvents();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                                                         QString::fromLatin1(name) + QStringLiteral(".png"));
}
