// The docking manager: registration order and the site-by-alignment queries,
// the default site size, a theme that is never none, the image list, the
// drop-target query over the sites, debug lines, and the sites it leaves
// behind when it goes.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "support/fake_dock_theme.h"
#include "support/owned.h"
#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockOrloTheme.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/imagelist.h>

namespace {

tk::String S(const char* text) { return tk::String::fromLatin1(text); }

// A site that answers the drop-target query as told and records being asked.
class ScriptedSite : public tk::Component, public virtual IOrloDockSite {
public:
    ScriptedSite(tk::Align align, bool answer, tk::Align position, const char* zoneID)
        : align_(align), answer_(answer), position_(position), zoneID_(S(zoneID)) {}

    int Asked = 0;

    IOrloDockSite* Intf() { return static_cast<IOrloDockSite*>(this); }

    TOrloDockOrientation GetOrientation() override { return voVert; }
    tk::Align GetAlign() override { return align_; }
    void GetScreenRect(tk::Rect& rect) override { rect = {}; }
    bool GetVisible() override { return true; }
    void SetVisible(bool) override {}
    tk::Control* GetControl() override { return nullptr; }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    bool GetDockTarget(tk::Point, const tk::String&, const TOrloDockPreviewProc&, tk::String& zoneID,
                       tk::Align& position) override {
        ++Asked;
        if (answer_) {
            zoneID = zoneID_;
            position = position_;
        }
        return answer_;
    }
    void InsertDockablePanel(IOrloDockablePanel*, tk::Align, const tk::String&) override {}
    void InsertDockablePanel(IOrloDockablePanel*, IOrloDockablePanel*, tk::Align) override {}
    void InsertDockablePanelAtZone(IOrloDockablePanel*, const tk::String&, tk::Align) override {}
    void InsertTabbedZone(TOrloDockTabbedContainerZone*, const tk::String&, tk::Align) override {}
    void RemoveDockablePanel(IOrloDockablePanel*) override {}
    void RemoveZone(const tk::String&) override {}
    TOrloDockZone* ZoneFromIntf(std::intptr_t, std::intptr_t, IOrloDockZone*) override { return nullptr; }
    void GetZoneAt(tk::Point, tk::Rect&, tk::IPtr<IOrloDockZone>& zone) override { zone = nullptr; }
    tk::ImageList* GetImages() override { return nullptr; }
    void GetRootZoneID(tk::String& id) override { id.clear(); }
    void GetRootZoneIntf(tk::IPtr<IOrloDockZone>& zone) override { zone = nullptr; }

    bool QueryInterface(const tk::Guid& iid, void** out) override {
        return tk::AnswerInterface<IOrloDockSite>(this, iid, out) || tk::Component::QueryInterface(iid, out);
    }

private:
    tk::Align align_;
    bool answer_;
    tk::Align position_;
    tk::String zoneID_;
};

class ManagerTest : public ::testing::Test {
protected:
    // The sites go after the manager: it holds them until it is freed.
    std::vector<Owned<ScriptedSite>> sites;
    Owned<tk::Component> owner = MakeOwned<tk::Component>(nullptr);
    TOrloDockingManager* manager = new TOrloDockingManager(owner.get());

    ScriptedSite* Site(tk::Align align, bool answer = false, tk::Align position = tk::alNone, const char* zoneID = "") {
        sites.emplace_back(new ScriptedSite(align, answer, position, zoneID));
        return sites.back().get();
    }

    std::vector<IOrloDockSite*> Registered() const {
        std::vector<IOrloDockSite*> list;
        for (int i = 0; i < manager->SiteCount(); ++i)
            list.push_back(manager->Site(i));
        return list;
    }
};

TEST_F(ManagerTest, InterfaceIsTheManagerAndCarriesNoOwnership) {
    auto intf = tk::QueryAs<IOrloDockManager>(static_cast<tk::IInterface*>(manager));
    ASSERT_TRUE(intf);
    EXPECT_EQ(intf.get(), manager->Intf());
    intf = nullptr;
    EXPECT_EQ(manager->Owner(), owner.get()) << "still alive after the last reference went";
    EXPECT_EQ(manager->GetDefaultSiteSize(), 125);
}

TEST_F(ManagerTest, DefaultSiteSizeNeverBelowTwenty) {
    manager->SetDefaultSiteSize(5);
    EXPECT_EQ(manager->GetDefaultSiteSize(), 20);
    manager->SetDefaultSiteSize(300);
    EXPECT_EQ(manager->GetDefaultSiteSize(), 300);
    manager->SetDefaultSiteSize(-40);
    EXPECT_EQ(manager->GetDefaultSiteSize(), 20);
    manager->SetDefaultSiteSize(20);
    EXPECT_EQ(manager->GetDefaultSiteSize(), 20);
}

TEST_F(ManagerTest, RegistrationKeepsOneEntryPerSiteInOrder) {
    ScriptedSite* a = Site(tk::alLeft);
    ScriptedSite* b = Site(tk::alRight);
    ScriptedSite* c = Site(tk::alTop);
    manager->RegisterSite(a->Intf());
    manager->RegisterSite(b->Intf());
    manager->RegisterSite(a->Intf());
    EXPECT_EQ(Registered(), (std::vector<IOrloDockSite*>{a->Intf(), b->Intf()}));

    manager->UnregisterSite(c->Intf());
    EXPECT_EQ(Registered(), (std::vector<IOrloDockSite*>{a->Intf(), b->Intf()}));

    manager->MoveSiteToFront(b->Intf());
    EXPECT_EQ(Registered(), (std::vector<IOrloDockSite*>{b->Intf(), a->Intf()}));
    manager->MoveSiteToFront(c->Intf());
    EXPECT_EQ(Registered(), (std::vector<IOrloDockSite*>{c->Intf(), b->Intf(), a->Intf()}))
        << "an unregistered site is added at the head";

    manager->UnregisterSite(b->Intf());
    EXPECT_EQ(Registered(), (std::vector<IOrloDockSite*>{c->Intf(), a->Intf()}));
}

TEST_F(ManagerTest, SiteByAlignmentIsTheFirstFromTheHead) {
    ScriptedSite* left1 = Site(tk::alLeft);
    ScriptedSite* left2 = Site(tk::alLeft);
    ScriptedSite* bottom = Site(tk::alBottom);
    ScriptedSite* client = Site(tk::alClient);
    for (ScriptedSite* s : {left1, left2, bottom, client})
        manager->RegisterSite(s->Intf());

    tk::IPtr<IOrloDockSite> found;
    manager->GetLeftSite(found);
    EXPECT_EQ(found.get(), left1->Intf());
    manager->GetBottomSite(found);
    EXPECT_EQ(found.get(), bottom->Intf());
    manager->GetTopSite(found);
    EXPECT_FALSE(found);
    manager->GetRightSite(found);
    EXPECT_FALSE(found);

    manager->MoveSiteToFront(left2->Intf());
    manager->GetLeftSite(found);
    EXPECT_EQ(found.get(), left2->Intf());
}

TEST_F(ManagerTest, ThemeIsNeverNone) {
    IOrloDockTheme* initial = manager->Theme();
    ASSERT_NE(initial, nullptr);
    tk::IPtr<IOrloDockTheme> theme;
    manager->GetTheme(theme);
    EXPECT_EQ(theme.get(), initial);
    EXPECT_EQ(theme->GetTitleBarHeight(), 18);

    auto custom = MakeOwned<FakeDockTheme>();
    manager->SetTheme(custom->Intf());
    EXPECT_EQ(manager->Theme(), custom->Intf());

    manager->SetTheme(nullptr);
    ASSERT_NE(manager->Theme(), nullptr);
    EXPECT_NE(manager->Theme(), custom->Intf());
    EXPECT_EQ(manager->Theme()->GetZoneSplitterSize(), 4);

    manager->SetTheme(custom->Intf());
    custom.reset();
    ASSERT_NE(manager->Theme(), nullptr) << "freeing the theme's component installs a fresh default";
    EXPECT_EQ(manager->Theme()->GetMinimumZoneSize(), 28);

    // A theme component owned with the manager, changing owner only, stays.
    auto* owned = new TOrloDockingOrloDotNetTheme(owner.get());
    IOrloDockTheme* ownedTheme = owned->Intf();
    manager->SetTheme(ownedTheme);
    owner->RemoveComponent(owned);
    EXPECT_EQ(manager->Theme(), ownedTheme);
    owned->Free();
    EXPECT_NE(manager->Theme(), nullptr);
    EXPECT_NE(manager->Theme(), ownedTheme);
}

TEST_F(ManagerTest, ImagesAreDroppedWhenTheListIsFreed) {
    auto images = MakeOwned<tk::ImageList>(nullptr);
    manager->SetImages(images.get());
    EXPECT_EQ(manager->GetImages(), images.get());
    images.reset();
    EXPECT_EQ(manager->GetImages(), nullptr);
}

TEST_F(ManagerTest, DockTargetIsTheFirstSiteWithAPosition) {
    ScriptedSite* silent = Site(tk::alLeft);
    ScriptedSite* noPosition = Site(tk::alRight, true, tk::alNone, "{NONE}");
    ScriptedSite* target = Site(tk::alTop, true, tk::alClient, "{TARGET}");
    ScriptedSite* later = Site(tk::alBottom, true, tk::alLeft, "{LATER}");
    for (ScriptedSite* s : {silent, noPosition, target, later})
        manager->RegisterSite(s->Intf());

    tk::IPtr<IOrloDockSite> site(silent->Intf());
    tk::String zoneID = S("stale");
    tk::Align position = tk::alRight;
    EXPECT_TRUE(manager->GetDockTarget(0, S("{DRAGGED}"), {10, 10}, site, zoneID, nullptr, position));
    EXPECT_EQ(site.get(), target->Intf());
    EXPECT_EQ(zoneID, S("{TARGET}"));
    EXPECT_EQ(position, tk::alClient);
    EXPECT_EQ(later->Asked, 0);

    manager->UnregisterSite(target->Intf());
    manager->UnregisterSite(later->Intf());
    position = tk::alRight;
    EXPECT_TRUE(manager->GetDockTarget(0, S("{DRAGGED}"), {10, 10}, site, zoneID, nullptr, position))
        << "the answer of the last site asked";
    EXPECT_FALSE(site) << "no site had a position";

    manager->UnregisterSite(noPosition->Intf());
    position = tk::alTop;
    EXPECT_FALSE(manager->GetDockTarget(0, S("{DRAGGED}"), {10, 10}, site, zoneID, nullptr, position));
    EXPECT_TRUE(zoneID.isEmpty());
    EXPECT_EQ(position, tk::alTop) << "the position is not cleared";

    manager->UnregisterSite(silent->Intf());
    EXPECT_FALSE(manager->GetDockTarget(0, S("{DRAGGED}"), {10, 10}, site, zoneID, nullptr, position));
}

TEST_F(ManagerTest, DragWithoutGuidesChoosesNoTarget) {
    ScriptedSite* dragged = Site(tk::alNone);
    manager->BeginDrag(dragged->Intf(), {5, 5});
    EXPECT_TRUE(manager->Dragging());
    EXPECT_FALSE(manager->DragOver(dragged->Intf(), {6, 6}, tk::MakeRect(0, 0, 10, 10)));
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> zone;
    manager->GetTargetSite(site);
    manager->GetTargetZone(zone);
    EXPECT_FALSE(site);
    EXPECT_FALSE(zone);
    manager->EndDrag(dragged->Intf(), false, {6, 6});
    EXPECT_FALSE(manager->Dragging());
}

TEST(ManagerDebug, LineFormat) {
    EXPECT_EQ(FormatDockDebugLine(1, 2, 3, 4, S("BeginDrag")), S("01:02:03:004 : BeginDrag"));
    EXPECT_EQ(FormatDockDebugLine(23, 59, 59, 999, S("")), S("23:59:59:999 : "));
}

TEST_F(ManagerTest, DebugWritesTimeStampedLinesOnlyToAnAssignedHandler) {
    manager->Debug(S("nobody listens"));
    std::vector<tk::String> lines;
    manager->OnDebug = [&](const tk::String& msg) { lines.push_back(msg); };
    manager->Debug(S("DragOver"));
    ASSERT_EQ(lines.size(), 1u);
    const QRegularExpression pattern(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d : DragOver$"));
    EXPECT_TRUE(pattern.match(lines[0]).hasMatch()) << lines[0].toStdString();
    manager->OnDebug = nullptr;
    manager->Debug(S("again nobody"));
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(ManagerTest, SitesLetGoOfAManagerThatIsFreed) {
    auto form = MakeOwned<tk::Form>(nullptr);
    auto* left = new TOrloDockSite(form.get());
    auto* right = new TOrloDockSite(form.get());
    right->SetAlign(tk::alRight);
    left->SetDockManager(manager->Intf());
    right->SetDockManager(manager->Intf());
    tk::IPtr<IOrloDockSite> found;
    manager->GetRightSite(found);
    EXPECT_EQ(found.get(), right->SiteIntf());
    found = nullptr;

    manager->Free();
    manager = nullptr;
    EXPECT_EQ(left->DockManager(), nullptr);
    EXPECT_EQ(right->DockManager(), nullptr);
    EXPECT_NE(right->OwnTheme(), nullptr);
}

TEST_F(ManagerTest, SitesOwnedWithTheManagerGoInEitherOrder) {
    for (bool managerFirst : {true, false}) {
        auto form = MakeOwned<tk::Form>(nullptr);
        TOrloDockingManager* shared = nullptr;
        if (managerFirst)
            shared = new TOrloDockingManager(form.get());
        auto* site = new TOrloDockSite(form.get());
        if (!managerFirst)
            shared = new TOrloDockingManager(form.get());
        site->SetDockManager(shared->Intf());
        form.reset();
    }
}

} // namespace
