// A site's tree in streams: layouts saved and loaded by the application, and
// the "MyRootZone" property of a component stream. A damaged stream never
// changes the tree or the panels; a good one gives back the same tree,
// shares and rectangles, with the panels found again by name.

#include "site_fixture.h"
#include "support/layout_stream.h"

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include <orlodock/docking/OrloDockTabs.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/streaming.h>

namespace {

using tk::MakeRect;

// A registered window that can be written with its site and panels and read back.
class LayoutHost : public tk::Panel {
public:
    explicit LayoutHost(tk::Component* owner) : tk::Panel(owner) {}
    tk::String ClassName() const override { return S("TSiteLayoutHost"); }
};

const bool hostRegistered = (tk::RegisterClass<LayoutHost>(S("TSiteLayoutHost")), true);

// Reaches a component's stream-valued property the way a reader does.
class PropertyTap : public tk::Filer {
public:
    PropertyTap(tk::Component* component, const char* name) : name_(S(name)) { component->DefineProperties(*this); }
    std::function<void(const tk::Bytes&)> Read;
    std::function<tk::Bytes()> Write;

    void DefineBinaryProperty(const tk::String& name, const std::function<void(const tk::Bytes&)>& read,
                              const std::function<tk::Bytes()>& write, bool) override {
        if (name == name_) {
            Read = read;
            Write = write;
        }
    }

private:
    tk::String name_;
};

// Everything a damaged stream must leave alone: the tree as written, each
// leaf's panel, and each panel's parent and bounds.
struct SiteState {
    std::string Tree;
    std::vector<std::pair<TOrloDockZone*, tk::Control*>> Leaves;
    std::vector<std::pair<tk::Control*, tk::Rect>> Panels;

    static SiteState Of(TOrloDockSite* site) {
        SiteState s;
        s.Tree = tk::StreamToText(tk::WriteComponent(site->RootZone())).toStdString();
        Collect(site->RootZone(), s);
        return s;
    }
    static void Collect(TOrloDockZone* zone, SiteState& s) {
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
            s.Leaves.emplace_back(leaf, leaf->GetControl());
            if (tk::Control* panel = leaf->GetControl())
                s.Panels.emplace_back(panel, panel->BoundsRect());
        }
        if (auto* container = dynamic_cast<TOrloDockContainerZone*>(zone))
            for (int i = 0; i < container->ChildCount(); ++i)
                Collect(container->Child(i), s);
    }
    bool operator==(const SiteState&) const = default;
};

class SiteStreamingTest : public SiteTest {
protected:
    TOrloDockSite* site = nullptr;
    TOrloDockablePanel* a = nullptr;
    TOrloDockablePanel* b = nullptr;
    TOrloDockablePanel* c = nullptr;

    // A leaf and a side-by-side pair, stacked, in a left site 300 wide.
    void SetUp() override {
        SiteTest::SetUp();
        site = NewSite(tk::alLeft, "LeftDock");
        site->SetWidth(300);
        a = NewPanel("PanelA");
        b = NewPanel("PanelB");
        c = NewPanel("PanelC");
        HandDock(site, a);
        HandDockGroup(site, voVert, {b, c});
        Share(site->RootZone(), {30, 70});
    }

    static void Share(TOrloDockContainerZone* container, std::initializer_list<int> shares) {
        int i = 0;
        for (int share : shares)
            container->Child(i++)->SetParentSizePercentage(share);
        container->UpdateBounds();
    }

    // A second host with a site of the same alignment and size and panels of the same names.
    struct Copy {
        Owned<tk::Form> Host = MakeOwned<tk::Form>(nullptr);
        TOrloDockSite* Site = nullptr;
        std::vector<TOrloDockablePanel*> Panels;
    };
    Copy MakeCopy(std::initializer_list<const char*> names) {
        Copy copy;
        copy.Host->SetBounds(host->Left(), host->Top(), host->Width(), host->Height());
        copy.Site = new TOrloDockSite(copy.Host.get());
        copy.Site->SetParent(copy.Host.get());
        copy.Site->SetAlign(site->Align());
        copy.Site->SetWidth(site->Width());
        for (const char* name : names) {
            auto* panel = new TOrloDockablePanel(copy.Host.get());
            panel->SetName(S(name));
            copy.Panels.push_back(panel);
        }
        return copy;
    }

    static void ExpectSameLayout(TOrloDockZone* expected, TOrloDockZone* actual) {
        ASSERT_NE(actual, nullptr);
        EXPECT_EQ(actual->ClassName(), expected->ClassName());
        // Both trees exist: the loaded one has identifiers of its own.
        EXPECT_NE(actual->ZoneID(), expected->ZoneID());
        EXPECT_EQ(actual->Orientation(), expected->Orientation());
        EXPECT_EQ(actual->ParentSizePercentage(), expected->ParentSizePercentage());
        EXPECT_EQ(actual->Bounds(), expected->Bounds()) << expected->ZoneID().toStdString();
        if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(expected)) {
            auto* copy = dynamic_cast<TOrloDockControlZone*>(actual);
            ASSERT_NE(copy, nullptr);
            ASSERT_NE(leaf->GetControl(), nullptr);
            ASSERT_NE(copy->GetControl(), nullptr) << "panel " << leaf->ControlName().toStdString() << " not found";
            EXPECT_EQ(copy->GetControl()->Name(), leaf->GetControl()->Name());
            EXPECT_EQ(copy->GetControl()->BoundsRect(), leaf->GetControl()->BoundsRect());
            EXPECT_EQ(copy->GetControl()->Parent(), copy->DockSite()->GetControl());
        }
        if (auto* tabs = dynamic_cast<TOrloDockTabbedContainerZone*>(expected)) {
            EXPECT_EQ(dynamic_cast<TOrloDockTabbedContainerZone*>(actual)->CurrentTabIndex(), tabs->CurrentTabIndex());
        }
        auto* container = dynamic_cast<TOrloDockContainerZone*>(expected);
        if (!container)
            return;
        auto* copy = dynamic_cast<TOrloDockContainerZone*>(actual);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->ChildOrientation(), container->ChildOrientation());
        ASSERT_EQ(copy->ChildCount(), container->ChildCount());
        for (int i = 0; i < container->ChildCount(); ++i)
            ExpectSameLayout(container->Child(i), copy->Child(i));
    }
};

TEST_F(SiteStreamingTest, LayoutLoadsIntoAnotherSiteWithPanelsOfTheSameNames) {
    const tk::Bytes layout = site->SaveLayout();
    Copy copy = MakeCopy({"PanelC", "PanelA", "PanelB"});
    copy.Site->LoadLayout(layout);
    ExpectSameLayout(site->RootZone(), copy.Site->RootZone());
    EXPECT_TRUE(ZoneTreeIsSound(copy.Site->RootZone()));
    EXPECT_FALSE(copy.Site->Collapsed());
    for (TOrloDockablePanel* panel : copy.Panels)
        EXPECT_EQ(panel->GetDockSite().get(), copy.Site->SiteIntf());
    const tk::Bytes copied = copy.Site->SaveLayout();
    copy.Site->LoadLayout(copied);
    EXPECT_EQ(copy.Site->SaveLayout(), copied) << "saving again gives the same bytes";
}

TEST_F(SiteStreamingTest, LayoutNamingMissingPanelsLeavesTheirLeavesEmpty) {
    const tk::Bytes layout = site->SaveLayout();
    Copy copy = MakeCopy({"PanelA"});
    copy.Site->LoadLayout(layout);
    EXPECT_EQ(LeafCount(copy.Site->RootZone()), 3);
    EXPECT_EQ(LeavesHolding(copy.Site->RootZone(), copy.Panels[0]), 1);
    EXPECT_TRUE(ZoneTreeIsSound(copy.Site->RootZone()));
}

TEST_F(SiteStreamingTest, PanelsTheLayoutDoesNotNameAreUndocked) {
    Copy other = MakeCopy({"PanelA"});
    HandDock(other.Site, other.Panels[0]);
    const tk::Bytes onlyA = other.Site->SaveLayout();

    site->LoadLayout(onlyA);
    EXPECT_EQ(LeafCount(site->RootZone()), 1);
    EXPECT_EQ(LeavesHolding(site->RootZone(), a), 1);
    for (TOrloDockablePanel* gone : {b, c}) {
        EXPECT_EQ(gone->Parent(), nullptr);
        EXPECT_FALSE(gone->GetDockSite());
    }
    EXPECT_EQ(a->Parent(), site);
    EXPECT_TRUE(ZoneLayoutIsTight(site->RootZone()));
}

TEST_F(SiteStreamingTest, LayoutWithHiddenPanelsCollapsesTheSite) {
    Copy copy = MakeCopy({"PanelA", "PanelB", "PanelC"});
    b->SetVisible(false);
    c->SetVisible(false);
    a->SetVisible(false);
    ASSERT_TRUE(site->Collapsed());
    const tk::Bytes layout = site->SaveLayout();
    for (TOrloDockablePanel* panel : copy.Panels)
        panel->SetVisible(false);
    copy.Site->LoadLayout(layout);
    EXPECT_TRUE(copy.Site->Collapsed());
    copy.Panels[1]->SetVisible(true);
    EXPECT_FALSE(copy.Site->Collapsed()) << "showing a panel of a loaded tree opens the site";
}

TEST_F(SiteStreamingTest, LayoutFileRoundTrip) {
    const std::string path = testing::TempDir() + "site_layout_test.odl";
    site->SaveLayoutToFile(tk::String::fromStdString(path));
    Copy copy = MakeCopy({"PanelA", "PanelB", "PanelC"});
    copy.Site->LoadLayoutFromFile(tk::String::fromStdString(path));
    ExpectSameLayout(site->RootZone(), copy.Site->RootZone());
    std::remove(path.c_str());

    const SiteState before = SiteState::Of(copy.Site);
    EXPECT_THROW(copy.Site->LoadLayoutFromFile(tk::String::fromStdString(path)), EOrloDockLayoutFileError);
    EXPECT_THROW(site->SaveLayoutToFile(S("/nonexistent-directory/layout.odl")), EOrloDockLayoutFileError);
    EXPECT_TRUE(SiteState::Of(copy.Site) == before);
}

TEST_F(SiteStreamingTest, ComponentStreamOfTheHostBringsTheTreeBack) {
    auto* writtenHost = new LayoutHost(nullptr);
    Owned<LayoutHost> ownedHost(writtenHost);
    writtenHost->SetBounds(0, 0, 700, 400);
    auto* written = new TOrloDockSite(writtenHost);
    written->SetName(S("Site"));
    written->SetParent(writtenHost);
    written->SetWidth(300);
    std::vector<TOrloDockablePanel*> panels;
    for (const char* name : {"One", "Two", "Three"}) {
        auto* panel = new TOrloDockablePanel(writtenHost);
        panel->SetName(S(name));
        panel->SetTitleBarCaption(S(name));
        panels.push_back(panel);
    }
    HandDock(written, panels[0]);
    HandDockGroup(written, voVert, {panels[1], panels[2]});
    Share(written->RootZone(), {40, 60});

    const tk::Bytes data = tk::WriteComponent(writtenHost);
    Owned<tk::Component> read(tk::ReadComponent(data, nullptr));
    auto* readHost = dynamic_cast<LayoutHost*>(read.get());
    ASSERT_NE(readHost, nullptr);
    auto* readSite = dynamic_cast<TOrloDockSite*>(readHost->FindComponent(S("Site")));
    ASSERT_NE(readSite, nullptr);
    EXPECT_FALSE(readSite->IsLoading());
    ExpectSameLayout(written->RootZone(), readSite->RootZone());
    EXPECT_TRUE(ZoneTreeIsSound(readSite->RootZone()));
}

TEST_F(SiteStreamingTest, TruncatedLayoutsChangeNothing) {
    const tk::Bytes layout = site->SaveLayout();
    const SiteState before = SiteState::Of(site);
    for (qsizetype n = 0; n < layout.size(); ++n) {
        EXPECT_THROW(site->LoadLayout(layout.left(n)), tk::EReadError) << "cut at " << n;
        ASSERT_TRUE(SiteState::Of(site) == before) << "cut at " << n;
    }
    // The payload alone, cut anywhere, through the stream property.
    PropertyTap tap(site, "MyRootZone");
    ASSERT_TRUE(tap.Read);
    const tk::Bytes payload = tap.Write();
    for (qsizetype n = 1; n < payload.size(); ++n) {
        EXPECT_THROW(tap.Read(payload.left(n)), tk::EReadError) << "cut at " << n;
        ASSERT_TRUE(SiteState::Of(site) == before) << "cut at " << n;
    }
}

TEST_F(SiteStreamingTest, EnvelopeNamesWhatIsWrongWithIt) {
    const tk::Bytes layout = site->SaveLayout();
    const tk::Bytes payload = PropertyTap(site, "MyRootZone").Write();
    ASSERT_EQ(layout.size(), payload.size() + 14);
    EXPECT_EQ(layout.left(6), tk::Bytes("ODLY\x01\x00", 6));
    EXPECT_EQ(layout.mid(14), payload);
    const auto n = static_cast<unsigned>(payload.size());
    const std::string sizeText = std::to_string(n);

    struct Case {
        std::function<void(tk::Bytes&)> Damage;
        std::string Message;
        long long Position;
    };
    const Case cases[] = {
        {[](tk::Bytes& d) { d.truncate(13); }, "Not a dock site layout: 13 bytes are too few", 13},
        {[](tk::Bytes& d) { d[1] = 'X'; }, "Not a dock site layout (bad signature)", 0},
        {[](tk::Bytes& d) { d[4] = 2; }, "Dock site layout version 2 is not supported", 4},
        {[](tk::Bytes& d) { d.append('\n'); },
         "Dock site layout is " + std::to_string(n + 1) + " bytes long, its header says " + sizeText, 6},
        {[](tk::Bytes& d) { d[d.size() - 1] = static_cast<char>(d[d.size() - 1] ^ 1); },
         "Dock site layout is damaged (checksum mismatch)", 10},
    };
    for (const Case& c : cases) {
        tk::Bytes damaged = layout;
        c.Damage(damaged);
        try {
            site->LoadLayout(damaged);
            ADD_FAILURE() << "accepted; expected: " << c.Message;
        } catch (const tk::EReadError& e) {
            EXPECT_EQ(e.Message().toStdString(), c.Message);
            EXPECT_EQ(e.Position(), c.Position) << c.Message;
        }
    }
}

TEST_F(SiteStreamingTest, LayoutsWithChangedBytesChangeNothing) {
    const tk::Bytes layout = site->SaveLayout();
    const SiteState before = SiteState::Of(site);
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        tk::Bytes damaged = layout;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i) {
            const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(damaged.size()));
            damaged[at] = static_cast<char>(damaged[at] ^ static_cast<char>(1 + random() % 255));
        }
        EXPECT_THROW(site->LoadLayout(damaged), tk::EReadError) << "round " << round;
        ASSERT_TRUE(SiteState::Of(site) == before) << "round " << round;
    }
}

TEST_F(SiteStreamingTest, RawTreeStreamsWithChangedBytesFailCleanlyOrGiveASoundTree) {
    PropertyTap tap(site, "MyRootZone");
    const tk::Bytes payload = tap.Write();
    const tk::Bytes layout = site->SaveLayout();
    std::mt19937 random(8122026);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        const SiteState before = SiteState::Of(site);
        tk::Bytes damaged = payload;
        const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(damaged.size()));
        damaged[at] = static_cast<char>(random() % 256);
        try {
            tap.Read(damaged);
        } catch (const tk::EReadError&) {
            ++refused;
            ASSERT_TRUE(SiteState::Of(site) == before) << "round " << round;
            continue;
        }
        // Read: a sound tree, each panel in one leaf at most, and back to the original for the next round.
        ASSERT_TRUE(ZoneTreeIsSound(site->RootZone())) << "round " << round;
        site->LoadLayout(layout);
    }
    EXPECT_GT(refused, 0);
}

TEST_F(SiteStreamingTest, ZoneTreeWithNamesOrReferencesIsRefused) {
    // Zones are unnamed; a reference by name could hang a zone below itself.
    auto* named = new TOrloDockRootZone();
    Owned<TOrloDockRootZone> owned(named);
    named->SetName(S("Root"));
    auto* leaf = new TOrloDockControlZone();
    leaf->SetParentZone(named);
    tk::Bytes data = tk::WriteComponent(named);
    const SiteState before = SiteState::Of(site);
    PropertyTap tap(site, "MyRootZone");
    EXPECT_THROW(tap.Read(data), tk::EReadError);
    EXPECT_TRUE(SiteState::Of(site) == before);
}

TEST_F(SiteStreamingTest, FailedReadOfTheWholeSiteGivesBackTheTreeItHad) {
    // A panel owned by the site is written as its child; reading the stream
    // back into the same site fails on that child's name, after the tree.
    TOrloDockablePanel* own = NewPanel("Own", site);
    HandDock(site, own);
    const tk::Bytes data = tk::WriteComponent(site);
    // The tree changes after it was written: reading the stream would put the old one back.
    Share(site->RootZone(), {20, 30, 50});
    const SiteState before = SiteState::Of(site);
    EXPECT_THROW(tk::ReadComponentInto(data, site), tk::EReadError);
    EXPECT_TRUE(SiteState::Of(site) == before);
    EXPECT_FALSE(site->IsLoading());
    EXPECT_EQ(own->Parent(), site);
    EXPECT_TRUE(ZoneTreeIsSound(site->RootZone()));
}

TEST_F(SiteStreamingTest, LayoutsWithImpossibleSharesOrTabIndexesAreRefused) {
    NewPanel("PanelD")->DockInto(site->SiteIntf(), a, tk::alClient);
    const tk::Bytes good = site->SaveLayout();
    ASSERT_EQ(BuildLayout(ParseLayout(good)), good);
    // Root: [group of A and D, container of B and C].
    const std::function<void(StreamObject&)> damages[] = {
        [](StreamObject& root) { root.Children[1].SetInt("ParentSizePercentage", 101); },
        [](StreamObject& root) { root.Children[1].Children[0].SetInt("ParentSizePercentage", -1); },
        [](StreamObject& root) { root.Children[0].SetInt("CurrentTabIndex", 2); },
        [](StreamObject& root) { root.Children[0].SetInt("CurrentTabIndex", -2); },
    };
    const SiteState before = SiteState::Of(site);
    for (const auto& damage : damages) {
        StreamObject root = ParseLayout(good);
        damage(root);
        EXPECT_THROW(site->LoadLayout(BuildLayout(root)), tk::EReadError);
        EXPECT_TRUE(SiteState::Of(site) == before);
    }
}

// ---- through the root zone's insertion ----

using SiteInsertionStreaming = SiteStreamingTest;

TEST_F(SiteInsertionStreaming, SplitAndTabGroupRoundTrip) {
    Copy source = MakeCopy({"One", "Two", "Three", "Four"});
    TOrloDockSite* from = source.Site;
    auto& p = source.Panels;
    p[0]->DockInto(from->SiteIntf(), nullptr, tk::alBottom);
    p[1]->DockInto(from->SiteIntf(), p[0], tk::alRight);
    p[2]->DockInto(from->SiteIntf(), p[1], tk::alClient);
    p[3]->DockInto(from->SiteIntf(), p[1], tk::alClient);
    TOrloDockControlZone* tab = from->RootZone()->FindControlZone(p[1]);
    ASSERT_NE(tab, nullptr);
    auto* group = dynamic_cast<TOrloDockTabbedContainerZone*>(tab->ParentZone());
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->ChildCount(), 3);
    ASSERT_NE(group->Tabs(), nullptr);
    group->Tabs()->SetTabIndex(1);
    const int current = group->CurrentTabIndex();
    ASSERT_EQ(current, 1);

    const tk::Bytes layout = from->SaveLayout();
    Copy copy = MakeCopy({"Four", "Three", "Two", "One"});
    copy.Site->LoadLayout(layout);
    ExpectSameLayout(from->RootZone(), copy.Site->RootZone());
    auto* copied = dynamic_cast<TOrloDockTabbedContainerZone*>(
        copy.Site->RootZone()->FindControlZone(copy.Panels[2])->ParentZone());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->CurrentTabIndex(), current);
    EXPECT_TRUE(ZoneTreeIsSound(copy.Site->RootZone()));
}

TEST_F(SiteInsertionStreaming, LoadingTakesPanelsOutOfTheSiteTheyAreDockedIn) {
    TOrloDockSite* right = NewSite(tk::alRight, "RightDock");
    Copy other = MakeCopy({"PanelA"});
    HandDock(other.Site, other.Panels[0]);
    const tk::Bytes onlyA = other.Site->SaveLayout();

    TOrloDockablePanel* elsewhere = NewPanel("Elsewhere");
    elsewhere->DockInto(right->SiteIntf(), nullptr, tk::alBottom);
    a->DockInto(right->SiteIntf(), elsewhere, tk::alBottom);
    ASSERT_EQ(LeavesHolding(right->RootZone(), a), 1);

    site->LoadLayout(onlyA);
    EXPECT_EQ(LeavesHolding(site->RootZone(), a), 1);
    EXPECT_EQ(LeavesHolding(right->RootZone(), a), 0);
    EXPECT_TRUE(ZoneForestIsSound({site->RootZone(), right->RootZone()}));
}

} // namespace
