// The arrangement of every site of a window as one blob: a round trip, data
// refused as a whole before anything changes, and what the application no
// longer has skipped with a message.

#include "qt_host_fixture.h"
#include <QTextEdit>

#include "support/owned.h"
#include <orlodock/docking/OrloDockLayouts.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/forms.h>

namespace {

class LayoutsTest : public QtHostTest {
protected:
    TOrloDockablePanel* files = nullptr;
    TOrloDockablePanel* outline = nullptr;
    TOrloDockablePanel* search = nullptr;
    TOrloDockablePanel* output = nullptr;

    void SetUp() override {
        QtHostTest::SetUp();
        files = Add("Files", new QTextEdit);
        outline = Add("Outline", new QTextEdit);
        search = Add("Search", new QTextEdit, tk::alRight);
        output = Add("Output", new QTextEdit, tk::alBottom);
    }

    // What the user sees: each site's bounds, and where each panel stands and whether it shows.
    std::vector<tk::String> Placement() const {
        std::vector<tk::String> placement;
        const auto rect = [](const tk::Rect& r) {
            return tk::String::fromLatin1("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
        };
        for (tk::Align edge : {tk::alLeft, tk::alTop, tk::alRight, tk::alBottom})
            placement.push_back(rect(host->Site(edge)->BoundsRect()));
        for (TOrloDockablePanel* panel : {files, outline, search, output})
            if (panel)
                placement.push_back(panel->Name() + u' ' + (panel->DockSite() ? panel->DockSite()->Name() : u"-"_qs) +
                                    u' ' + rect(panel->BoundsRect()) +
                                    (panel->Visible() ? u" shown"_qs : u" hidden"_qs));
        return placement;
    }
    // Everything the sites hold, byte for byte: equal before and after means nothing changed.
    std::vector<tk::Bytes> Layouts() const {
        std::vector<tk::Bytes> layouts;
        for (tk::Align edge : {tk::alLeft, tk::alTop, tk::alRight, tk::alBottom})
            layouts.push_back(host->Site(edge)->SaveLayout());
        return layouts;
    }

    void Rearrange() {
        outline->DockInto(host->Site(tk::alBottom)->SiteIntf(), output, tk::alClient);
        search->Hide();
        Left()->SetWidth(Left()->Width() + 60);
        tktest::PumpEvents();
    }
};

// The blob's header: signature, version at 4, length at 6, checksum at 10, payload from 12.
void Reseal(tk::Bytes& blob) {
    const quint16 crc = qChecksum(QByteArrayView(blob.constData() + 12, blob.size() - 12), Qt::ChecksumItuV41);
    blob[10] = static_cast<char>(crc & 0xFF);
    blob[11] = static_cast<char>(crc >> 8);
}

struct Damage {
    const char* what;
    std::function<void(tk::Bytes&)> apply;
    const char* message;
};

} // namespace

TEST_F(LayoutsTest, RestoringBringsBackEverySiteTheirSizesAndHiddenPanels) {
    search->Hide();
    const std::vector<tk::String> saved = Placement();
    const tk::Bytes blob = host->SaveLayout();
    search->Show();
    outline->DockInto(host->Site(tk::alBottom)->SiteIntf(), output, tk::alClient);
    Left()->SetWidth(Left()->Width() + 60);
    tktest::PumpEvents();
    ASSERT_NE(Placement(), saved);

    EXPECT_EQ(host->RestoreLayout(blob), tk::StringList());
    tktest::PumpEvents();
    EXPECT_EQ(Placement(), saved);
    EXPECT_EQ(outline->DockSite(), Left());
}

TEST_F(LayoutsTest, DamagedForeignOrNewerBlobsAreRefusedAndChangeNothing) {
    const tk::Bytes good = host->SaveLayout();
    Rearrange();
    const std::vector<tk::Bytes> before = Layouts();
    const std::vector<tk::String> placed = Placement();
    const std::vector<Damage> cases{
        {"truncated", [](tk::Bytes& b) { b.chop(5); }, "header says"},
        {"too short", [](tk::Bytes& b) { b.truncate(6); }, "too few"},
        {"foreign", [this](tk::Bytes& b) { b = Left()->SaveLayout(); }, "bad signature"},
        {"newer", [](tk::Bytes& b) { b[4] = 2; }, "newer version"},
        {"flipped byte", [](tk::Bytes& b) { b[b.size() / 2] = static_cast<char>(b[b.size() / 2] ^ 0x10); }, "damaged"},
        {"site layout damaged, blob resealed",
         [](tk::Bytes& b) {
             const qsizetype at = b.indexOf("ODLY") + 20;
             b[at] = static_cast<char>(b[at] ^ 0x01);
             Reseal(b);
         },
         "Layout of site \"LeftDockSite\""},
        {"trailing bytes, resealed",
         [](tk::Bytes& b) {
             b.append("xx");
             const quint32 length = static_cast<quint32>(b.size() - 12);
             for (int i = 0; i < 4; ++i)
                 b[6 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
             Reseal(b);
         },
         "after their last site"},
    };
    for (const Damage& damage : cases) {
        SCOPED_TRACE(damage.what);
        tk::Bytes blob = good;
        damage.apply(blob);
        try {
            host->RestoreLayout(blob);
            ADD_FAILURE() << "accepted";
        } catch (const tk::EReadError& e) {
            EXPECT_TRUE(e.Message().contains(tk::Latin1(damage.message))) << e.Message().toStdString();
        }
        tktest::PumpEvents();
        EXPECT_EQ(Layouts(), before);
        EXPECT_EQ(Placement(), placed);
    }
}

TEST_F(LayoutsTest, WhatTheApplicationLacksIsSkippedWithAMessage) {
    const tk::Bytes blob = host->SaveLayout();
    outline->Free();
    outline = nullptr;
    TOrloDockablePanel* extra = Add("Extra", new QTextEdit, tk::alRight);
    files->DockInto(host->Site(tk::alBottom)->SiteIntf(), output, tk::alClient);
    search->Hide();

    const tk::StringList messages = host->RestoreLayout(blob);
    EXPECT_EQ(messages.filter(tk::Latin1("\"Outline\"")).size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_EQ(messages.filter(tk::Latin1("\"Extra\"")).size(), 1);
    EXPECT_EQ(files->DockSite(), Left());
    EXPECT_EQ(search->DockSite(), host->Site(tk::alRight));
    EXPECT_EQ(extra->DockSite(), host->Site(tk::alRight)) << "a panel no layout names stays where it was";
    EXPECT_TRUE(search->Visible());

    // A form with one of the host's sites: the other three are skipped.
    Owned<tk::Form> form = MakeOwned<tk::Form>(nullptr);
    auto* site = new TOrloDockSite(form.get());
    site->SetName(tk::Latin1("RightDockSite"));
    site->SetParent(form.get());
    site->SetAlign(tk::alRight);
    auto* panel = new TOrloDockablePanel(form.get());
    panel->SetName(tk::Latin1("Search"));
    const tk::StringList skipped = RestoreDockLayouts(form.get(), blob);
    EXPECT_EQ(skipped.filter(tk::Latin1("is not in this window")).size(), 3) << skipped.join(u'\n').toStdString();
    EXPECT_EQ(panel->DockSite(), site);
}
