// A leaf watches its panel through the panel's window procedure: it sees
// every visibility change after the panel has handled it, and letting go
// (detaching, being freed) gives the panel back exactly the procedure it had,
// also when another watcher has stacked its own on top meanwhile.

#include <memory>
#include <string>
#include <vector>

#include "support/panel_zone_fixture.h"

using tk::MakeRect;

namespace {

using Log = std::vector<std::string>;

// A window procedure with an identity, so a test can tell it from a copy of another.
struct TaggedProc {
    int Tag = 0;
    std::shared_ptr<Log> Calls;
    tk::Control* Control = nullptr;

    void operator()(tk::Message& message) const {
        if (message.Msg == tk::TK_VISIBLECHANGED)
            Calls->push_back("panel " + std::to_string(message.WParam));
        Control->DefaultWindowProc(message);
    }
};

// A leaf that logs the visibility changes it is told about.
class LoggingLeaf : public TOrloDockControlZone {
public:
    explicit LoggingLeaf(std::shared_ptr<Log> log) : log_(std::move(log)) {}
    void ZoneVisibilityChanged(bool visible) override {
        log_->push_back(std::string("zone ") + (visible ? "1" : "0"));
        TOrloDockControlZone::ZoneVisibilityChanged(visible);
    }

private:
    std::shared_ptr<Log> log_;
};

class WindowProcTest : public PanelZoneTest {
protected:
    std::shared_ptr<Log> log = std::make_shared<Log>();
    TOrloDockablePanel* panel = nullptr;

    void SetUp() override {
        PanelZoneTest::SetUp();
        ShapeRoot(voVert, MakeRect(0, 0, 300, 200));
        panel = NewPanel("Output", "Output");
        panel->SetWindowProc(TaggedProc{7, log, panel});
    }

    static int TagOf(tk::Control* control) {
        const TaggedProc* proc = control->WindowProc().target<TaggedProc>();
        return proc ? proc->Tag : -1;
    }
};

TEST_F(WindowProcTest, ZoneHearsOfVisibilityAfterThePanel) {
    auto* leaf = new LoggingLeaf(log);
    leaf->SetControl(panel);
    leaf->SetParentZone(root.get());
    AddLeaf(root.get());
    ExpectSoundTightAndBalanced();

    panel->Hide();
    panel->Show();
    EXPECT_EQ(*log, (Log{"panel 0", "zone 0", "panel 1", "zone 1"}));
    ExpectSoundTightAndBalanced();

    // Other messages pass through untouched.
    log->clear();
    panel->Perform(tk::TK_TEXTCHANGED);
    EXPECT_TRUE(log->empty());
}

TEST_F(WindowProcTest, DetachingGivesBackExactlyTheOldProcedure) {
    auto* leaf = new LoggingLeaf(log);
    leaf->SetControl(panel);
    leaf->SetParentZone(root.get());
    EXPECT_EQ(TagOf(panel), -1) << "the zone's own procedure is installed";
    EXPECT_EQ(leaf->ControlName(), tk::String::fromLatin1("Output"));

    leaf->SetControl(nullptr);
    EXPECT_EQ(TagOf(panel), 7);
    EXPECT_EQ(leaf->ControlName(), tk::String());
    EXPECT_EQ(leaf->StoredControlName(), tk::String());

    log->clear();
    site->ClearRecords();
    panel->Hide();
    EXPECT_EQ(*log, (Log{"panel 0"})) << "a detached zone no longer follows the panel";
    EXPECT_EQ(site->BeginUpdateCount, 0);
    ExpectSoundAndBalanced();
}

TEST_F(WindowProcTest, FreeingTheZoneGivesBackExactlyTheOldProcedure) {
    auto* leaf = AddPanelLeaf(root.get(), panel);
    root->RemoveZone(leaf);
    leaf->Free();
    EXPECT_EQ(TagOf(panel), 7);

    // Freed with its container, too.
    TOrloDockContainerZone* container = AddContainer(root.get(), voHorz);
    AddPanelLeaf(container, panel);
    root->RemoveZone(container);
    container->Free();
    EXPECT_EQ(TagOf(panel), 7);
    panel->Hide();
    panel->Show();
    EXPECT_EQ(*log, (Log{"panel 0", "panel 1"}));
}

TEST_F(WindowProcTest, AttachingAnotherPanelReleasesTheFirst) {
    TOrloDockablePanel* second = NewPanel("Tools");
    auto* leaf = AddPanelLeaf(root.get(), panel);
    leaf->SetControl(panel); // already attached: nothing changes
    leaf->SetControl(second);
    second->SetParent(site->Control());
    EXPECT_EQ(TagOf(panel), 7);
    EXPECT_EQ(leaf->ControlName(), tk::String::fromLatin1("Tools"));

    // The new panel is the one watched now.
    site->ClearRecords();
    panel->Hide();
    EXPECT_EQ(site->BeginUpdateCount, 0);
    second->Hide();
    EXPECT_GT(site->BeginUpdateCount, 0);
    ExpectSoundAndBalanced();
}

TEST_F(WindowProcTest, StackedWatchersLetGoInAnyOrder) {
    // A second tree in another site watches the same panel on top of the first.
    Owned<FakeDockSite> otherSite = MakeOwned<FakeDockSite>();
    otherSite->SetTheme(theme->Intf());
    Owned<TOrloDockRootZone> otherRoot = MakeOwned<TOrloDockRootZone>();
    otherRoot->SetDockSite(otherSite->Intf());
    otherRoot->SetChildOrientation(voVert);
    otherRoot->SetBounds(MakeRect(0, 0, 300, 200));

    auto* first = new LoggingLeaf(log);
    first->SetControl(panel);
    first->SetParentZone(root.get());
    auto* second = new TOrloDockControlZone();
    second->SetControl(panel);
    second->SetParentZone(otherRoot.get());
    EXPECT_FALSE(ZoneForestIsSound({root.get(), otherRoot.get()})) << "the checker sees one panel in two leaves";

    // The first lets go while the second's procedure is on top: the second keeps watching.
    root->RemoveZone(first);
    first->Free();
    EXPECT_TRUE(ZoneForestIsSound({root.get(), otherRoot.get()}));
    otherSite->ClearRecords();
    panel->Hide();
    EXPECT_EQ(*log, (Log{"panel 0"}));
    EXPECT_GT(otherSite->BeginUpdateCount, 0);
    EXPECT_EQ(otherSite->UpdateDepth(), 0);
    panel->Show();

    // The second gives back what it found, the first's procedure, which now
    // only passes messages on to the panel's own.
    second->SetControl(nullptr);
    log->clear();
    otherSite->ClearRecords();
    panel->Hide();
    EXPECT_EQ(*log, (Log{"panel 0"}));
    EXPECT_EQ(otherSite->BeginUpdateCount, 0);
}

TEST_F(WindowProcTest, PanelFreedWhileAttachedIsDropped) {
    auto* leaf = AddPanelLeaf(root.get(), panel);
    AddLeaf(root.get());
    panel->Free();
    EXPECT_EQ(leaf->GetControl(), nullptr);
    EXPECT_FALSE(leaf->IsVisible());
    EXPECT_EQ(leaf->ControlName(), tk::String());
    root->UpdateBounds();
    ExpectSoundAndBalanced();
    // Freeing the zone afterwards touches nothing of the panel.
    root->RemoveZone(leaf);
    leaf->Free();
}

} // namespace
