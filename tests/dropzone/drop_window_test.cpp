// Guide groups, their layout, and the guide window's shape and hit test.

#include <gtest/gtest.h>

#include <vector>

#include "support/guide_doubles.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/tk/canvas.h>

namespace {

class CountingDropWindow : public TOrloDockDropWindow {
public:
    CountingDropWindow() : TOrloDockDropWindow(nullptr) {}
    int Invalidations = 0;

protected:
    void Invalidated(const tk::Rect& rect) override {
        ++Invalidations;
        TOrloDockDropWindow::Invalidated(rect);
    }
};

// The window starts left of and above the primary monitor, as it does when
// it covers a monitor placed there: client = screen + (100, 50).
constexpr tk::Point kOrigin{-100, -50};

tk::Point Middle(const TOrloDockDropZoneImage& image) {
    return {image.Left() + image.Width() / 2, image.Top() + image.Height() / 2};
}

struct DropWindow : ::testing::Test {
    void SetUp() override {
        window->SetBounds(kOrigin.X, kOrigin.Y, 900, 700);
        window->OnDebug = [this](const tk::String& line) { Lines.push_back(line); };
    }

    tk::Point ToScreen(tk::Point client) const { return {client.X + kOrigin.X, client.Y + kOrigin.Y}; }

    // Keeps the outputs as plain identities: the sites die before the fixture.
    bool Hit(tk::Point client) {
        tk::IPtr<IOrloDockSite> site;
        tk::IPtr<IOrloDockZone> zone;
        const bool hit = window->HitTest(ToScreen(client), Align, site, zone);
        Site = site.get();
        Zone = zone.get();
        return hit;
    }

    Owned<CountingDropWindow> window{new CountingDropWindow};
    std::vector<tk::String> Lines;
    tk::Align Align = tk::alCustom;
    IOrloDockSite* Site = nullptr;
    IOrloDockZone* Zone = nullptr;
};

} // namespace

TEST_F(DropWindow, EdgeGuidesSitInsideTheSiteAgainstItsOuterEdge) {
    // Site (100, 200, 400, 500) on the screen is (200, 250, 500, 550) in the window.
    struct Case {
        tk::Align align;
        TOrloDockDropKind shown; // dkCentre: nothing
        tk::Point at;
    };
    for (Case c :
         {Case{tk::alTop, dkTop, {329, 250}}, Case{tk::alBottom, dkBottom, {329, 520}},
          Case{tk::alLeft, dkLeft, {200, 379}}, Case{tk::alRight, dkRight, {470, 379}}, Case{tk::alNone, dkCentre, {}},
          Case{tk::alCustom, dkCentre, {}}, Case{tk::alClient, dkCentre, {}}}) {
        Owned<GuideSite> site(new GuideSite(c.align, tk::MakeRect(100, 200, 400, 500)));
        window->AddSiteZone(site->Intf());
        window->ShowGuides(false);
        const TOrloDockDropZone& group = *window->Zones().back();
        EXPECT_EQ(group.Kind(), dgEdgeGuide);
        EXPECT_EQ(group.Zone(), static_cast<IOrloDockZone*>(site->Root));
        EXPECT_EQ(group.CentreImage(), nullptr);
        for (int k = dkLeft; k <= dkTab; ++k) {
            const TOrloDockDropZoneImage& image = *group.Image(static_cast<TOrloDockDropKind>(k));
            EXPECT_EQ(image.Visible(), k == c.shown) << c.align << " " << k;
            if (k != c.shown)
                continue;
            EXPECT_EQ(tk::Point(image.Left(), image.Top()), c.at) << c.align;
            EXPECT_EQ(group.Region(), *image.Region());
            EXPECT_EQ(window->Region(), group.Region());
        }
        if (c.shown == dkCentre) {
            EXPECT_TRUE(window->Region().IsEmpty()) << c.align;
        }
        window->HideGuides();
        EXPECT_FALSE(window->Visible());
        EXPECT_TRUE(window->Zones().empty());
    }
}

TEST_F(DropWindow, TheCrossCentresOnTheZoneWithOnePixelBetweenTabAndArrows) {
    Owned<GuideSite> site(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    auto& zone = *new ScreenZone(site.get(), tk::MakeRect(300, 300, 501, 401));
    window->SetZoneUnderMouse(site->Intf(), &zone);
    ASSERT_EQ(window->Zones().size(), 1u);
    const TOrloDockDropZone& cross = *window->ZoneUnderMouse();
    EXPECT_EQ(cross.Kind(), dgCross);
    EXPECT_EQ(cross.Site(), site->Intf());
    EXPECT_EQ(tk::Point(cross.CentreX(), cross.CentreY()), tk::Point(500, 400));
    const struct {
        TOrloDockDropKind kind;
        tk::Point at;
    } expected[] = {{dkLeft, {453, 379}},   {dkRight, {517, 379}}, {dkTop, {479, 353}},
                    {dkBottom, {479, 417}}, {dkTab, {484, 384}},   {dkCentre, {467, 367}}};
    tk::Region all;
    for (const auto& e : expected) {
        const TOrloDockDropZoneImage& image = *cross.Image(e.kind);
        EXPECT_TRUE(image.Visible());
        EXPECT_EQ(tk::Point(image.Left(), image.Top()), e.at) << e.kind;
        all = all.United(*image.Region());
    }
    EXPECT_EQ(cross.Region(), all);
    EXPECT_EQ(window->Region(), all);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(window->StaysOnTop());
}

TEST_F(DropWindow, HitTestLightsTheGuideUnderThePointAndRepaintsOnlyOnChange) {
    Owned<GuideSite> site(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    auto& zone = *new ScreenZone(site.get(), tk::MakeRect(300, 300, 501, 401));
    window->SetZoneUnderMouse(site->Intf(), &zone);
    TOrloDockDropZone& cross = *window->ZoneUnderMouse();
    for (TOrloDockDropKind kind : {dkLeft, dkRight, dkTop, dkBottom, dkTab}) {
        const int before = window->Invalidations;
        EXPECT_TRUE(Hit(Middle(*cross.Image(kind)))) << kind;
        EXPECT_EQ(Align, DropKindPosition(kind));
        EXPECT_EQ(Site, site->Intf());
        EXPECT_EQ(Zone, static_cast<IOrloDockZone*>(&zone));
        EXPECT_EQ(window->HotZone(), &cross);
        EXPECT_EQ(window->HotKind(), kind);
        for (int k = dkLeft; k <= dkTab; ++k)
            EXPECT_EQ(cross.Image(static_cast<TOrloDockDropKind>(k))->State(), k == kind ? dsHot : dsNormal);
        EXPECT_EQ(window->Invalidations, before + 1);
        // The same guide again: nothing to repaint.
        EXPECT_TRUE(Hit(Middle(*cross.Image(kind))));
        EXPECT_EQ(window->Invalidations, before + 1);
    }
    EXPECT_EQ(Lines.back(), "Using Zone under mouse");

    // The octagon between two arrows chooses the tab.
    const TOrloDockDropZoneImage& centre = *cross.CentreImage();
    std::optional<tk::Point> between;
    for (int y = centre.Top(); y < centre.Top() + centre.Height() && !between; ++y)
        for (int x = centre.Left(); x < centre.Left() + centre.Width() && !between; ++x)
            if (cross.Region().Contains({x, y}) && centre.Contains({x, y}) &&
                !(cross.Image(dkTop)->Contains({x, y}) || cross.Image(dkLeft)->Contains({x, y})))
                between = tk::Point{x, y};
    ASSERT_TRUE(between);
    Hit(Middle(*cross.Image(dkLeft)));
    EXPECT_TRUE(Hit(*between));
    EXPECT_EQ(Align, tk::alClient);
    EXPECT_EQ(cross.Image(dkTab)->State(), dsHot);
    EXPECT_EQ(cross.Image(dkLeft)->State(), dsNormal);

    // Off every guide: nothing chosen, nothing lit.
    const int before = window->Invalidations;
    EXPECT_FALSE(Hit({10, 10}));
    EXPECT_EQ(Align, tk::alNone);
    EXPECT_FALSE(Site);
    EXPECT_FALSE(Zone);
    EXPECT_EQ(window->HotZone(), nullptr);
    EXPECT_EQ(window->HotKind(), dkCentre);
    EXPECT_EQ(cross.Image(dkTab)->State(), dsNormal);
    EXPECT_EQ(window->Invalidations, before + 1);
}

TEST_F(DropWindow, DisabledGuidesAreNeverLitAndTheCrossMasksOtherGroups) {
    Owned<GuideSite> left(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    Owned<GuideSite> right(new GuideSite(tk::alRight, tk::MakeRect(600, 0, 800, 600)));
    window->AddSiteZone(left->Intf());
    window->AddSiteZone(right->Intf());
    window->ShowGuides(false);
    const TOrloDockDropZoneImage& leftArrow = *window->Zones()[0]->Image(dkLeft);
    EXPECT_TRUE(Hit(Middle(leftArrow)));
    EXPECT_EQ(Site, left->Intf());
    EXPECT_EQ(Lines.back(), "NOT Using Zone under mouse");

    // An edge guide of a second site at the same place: the later group wins.
    Owned<GuideSite> twin(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    window->AddSiteZone(twin->Intf());
    window->ShowGuides(false);
    EXPECT_TRUE(Hit(Middle(leftArrow)));
    EXPECT_EQ(Site, twin->Intf());
    EXPECT_EQ(window->HotZone(), window->Zones()[2].get());

    TOrloDockDropZoneImage& rightArrow = *window->Zones()[1]->Image(dkRight);
    rightArrow.SetState(dsDisabled);
    EXPECT_FALSE(Hit(Middle(rightArrow)));
    EXPECT_EQ(rightArrow.State(), dsDisabled);

    // With a cross, only the cross is looked at.
    auto& zone = *new ScreenZone(left.get(), tk::MakeRect(300, 300, 501, 401));
    window->SetZoneUnderMouse(left->Intf(), &zone);
    EXPECT_FALSE(Hit(Middle(leftArrow)));
    EXPECT_EQ(Lines.back(), "Using Zone under mouse");
}

TEST_F(DropWindow, TheCrossFollowsTheZoneUnderTheMouse) {
    Owned<GuideSite> site(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    auto& first = *new ScreenZone(site.get(), tk::MakeRect(300, 300, 501, 401));
    auto& second = *new ScreenZone(site.get(), tk::MakeRect(100, 100, 201, 201));
    window->AddSiteZone(site->Intf());
    window->SetZoneUnderMouse(site->Intf(), &first);
    const TOrloDockDropZone* cross = window->ZoneUnderMouse();
    const tk::Region shape = window->Region();
    const int repaints = window->Invalidations;

    window->SetZoneUnderMouse(site->Intf(), &first);
    EXPECT_EQ(window->ZoneUnderMouse(), cross);
    EXPECT_EQ(window->Invalidations, repaints);

    Hit(Middle(*cross->Image(dkTop)));
    window->SetZoneUnderMouse(site->Intf(), &second);
    ASSERT_EQ(window->Zones().size(), 2u);
    EXPECT_EQ(window->ZoneUnderMouse(), window->Zones()[1].get());
    EXPECT_EQ(window->ZoneUnderMouse()->Zone(), static_cast<IOrloDockZone*>(&second));
    EXPECT_EQ(window->HotZone(), nullptr);
    EXPECT_NE(window->Region(), shape);

    window->SetZoneUnderMouse(site->Intf(), nullptr);
    EXPECT_EQ(window->ZoneUnderMouse(), nullptr);
    ASSERT_EQ(window->Zones().size(), 1u);
    EXPECT_EQ(window->Region(), window->Zones()[0]->Region());
}

TEST_F(DropWindow, FreeingASiteOrZoneDuringADragTakesItsGroupsAlong) {
    Owned<GuideSite> kept(new GuideSite(tk::alTop, tk::MakeRect(0, 0, 800, 100)));
    Owned<GuideSite> going(new GuideSite(tk::alLeft, tk::MakeRect(0, 100, 200, 600)));
    window->AddSiteZone(kept->Intf());
    window->AddSiteZone(going->Intf());
    window->ShowGuides(false);
    auto* zone = new ScreenZone(kept.get(), tk::MakeRect(300, 300, 501, 401));
    window->SetZoneUnderMouse(kept->Intf(), zone);
    Hit(Middle(*window->ZoneUnderMouse()->Image(dkTab)));

    zone->Free();
    EXPECT_EQ(window->ZoneUnderMouse(), nullptr);
    EXPECT_EQ(window->HotZone(), nullptr);
    EXPECT_EQ(window->Zones().size(), 2u);

    const tk::Point leftArrow = Middle(*window->Zones()[1]->Image(dkLeft));
    going.reset();
    ASSERT_EQ(window->Zones().size(), 1u);
    EXPECT_EQ(window->Zones()[0]->Site(), kept->Intf());
    EXPECT_EQ(window->Region(), window->Zones()[0]->Region());
    EXPECT_FALSE(Hit(leftArrow));
    window->HideGuides();
}

TEST_F(DropWindow, PaintsTheGuidesInTheirStates) {
    window->SetBounds(kOrigin.X, kOrigin.Y, 300, 300);
    Owned<GuideSite> site(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 200)));
    window->AddSiteZone(site->Intf());
    window->ShowGuides(true);
    const TOrloDockDropZoneImage& arrow = *window->Zones()[0]->Image(dkLeft);
    auto shownAt = [&](const tk::Bitmap& bitmap) {
        const QImage shot = tktest::GrabControl(window.get());
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (bitmap.Pixel(x, y) != tk::clLime &&
                    tktest::PixelOf(shot, arrow.Left() + x, arrow.Top() + y) != bitmap.Pixel(x, y))
                    return false;
        return true;
    };
    const auto normal = DropZoneTheme->GetZoneBitmap(dkLeft, dsNormal);
    const auto hot = DropZoneTheme->GetZoneBitmap(dkLeft, dsHot);
    EXPECT_TRUE(shownAt(*normal));
    Hit(Middle(arrow));
    EXPECT_TRUE(shownAt(*hot));
}

namespace {

// Arrows without a single opaque pixel.
class InvisibleArrowTheme : public TOrloDockDropZoneTheme {
public:
    std::unique_ptr<tk::Bitmap> GetZoneBitmap(TOrloDockDropKind kind, TOrloDockDropState state) override {
        auto bitmap = TOrloDockDropZoneTheme::GetZoneBitmap(kind, state);
        if (kind == dkLeft) {
            bitmap->Canvas()->Brush()->SetColor(tk::clLime);
            bitmap->Canvas()->FillRect(tk::MakeRect(0, 0, 30, 43));
        }
        return bitmap;
    }
};

} // namespace

TEST_F(DropWindow, AnImageWithoutOpaquePixelsHasNoRegionAndIsNeverHit) {
    const tk::IPtr<IOrloDockDropZoneTheme> standard = DropZoneTheme;
    DropZoneTheme = tk::IPtr<IOrloDockDropZoneTheme>(new InvisibleArrowTheme);
    Owned<GuideSite> site(new GuideSite(tk::alLeft, tk::MakeRect(0, 0, 200, 600)));
    window->AddSiteZone(site->Intf());
    window->ShowGuides(false);
    DropZoneTheme = standard;
    const TOrloDockDropZoneImage& arrow = *window->Zones()[0]->Image(dkLeft);
    EXPECT_TRUE(arrow.Visible());
    EXPECT_FALSE(arrow.Region());
    EXPECT_EQ(arrow.RegionData().Size(), 0);
    EXPECT_TRUE(window->Region().IsEmpty());
    EXPECT_FALSE(Hit(Middle(arrow)));
}
