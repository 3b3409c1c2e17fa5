// Saved layouts of 1 to 64 panels (splits, tabs, nesting, hidden panels),
// damaged on purpose: properties changed to impossible or foreign values,
// classes swapped, zones dropped, doubled, moved and nested deeper, names
// and references added, bytes changed (the envelope then fixed up). Each is
// loaded into one of four sites: it is refused with the library's read
// error and nothing changes, or it is accepted, every rule of the world
// holds, and saving, loading and saving again gives the same bytes.

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <iostream>
#include <map>
#include <random>

#include "fuzz_world.h"
#include "support/layout_stream.h"
#include <orlodock/docking/OrloDockTabs.h>

namespace {

constexpr int kPanels = 64;

const char* const kClasses[] = {"TOrloDockZone",
                                "TOrloDockContainerZone",
                                "TOrloDockRootZone",
                                "TOrloDockControlZone",
                                "TOrloDockTabbedContainerZone",
                                "TOrloDockablePanel",
                                "TOrloDockSite",
                                "TNoSuchClass"};
const char* const kOrientations[] = {"voNoOrient", "voVert", "voHorz", "voTabbed", "voDiagonal", ""};

class Mutator {
public:
    Mutator(std::mt19937& random, FuzzWorld& world) : random_(random), world_(world) {}

    // One to four changes; answers what they were.
    std::string Damage(StreamObject& root, tk::Bytes& bytes) {
        std::string said;
        const int changes = random_() % 2 ? 1 : 2 + int(random_() % 3);
        bool byBytes = false;
        for (int i = 0; i < changes; ++i) {
            if (random_() % 6 == 0) {
                byBytes = true;
                continue;
            }
            said += Structure(root) + "; ";
        }
        bytes = EncodeStream(root);
        if (byBytes)
            said += Bytes(bytes);
        return said;
    }

private:
    int Any(int n) { return int(random_() % std::uint32_t(n)); }

    static void Collect(StreamObject& object, std::vector<StreamObject*>& out) {
        out.push_back(&object);
        for (StreamObject& child : object.Children)
            Collect(child, out);
    }

    std::int64_t OddNumber() {
        const std::int64_t values[] = {-1, 0, 1, 50, 99, 100, 101, 1000, -100, INT_MAX, INT_MIN, LLONG_MAX, LLONG_MIN};
        return random_() % 3 == 0 ? std::int64_t(random_() % 300) - 100 : values[Any(13)];
    }

    // Whether `inner` is `outer` or stands below it.
    static bool Within(const StreamObject& outer, const StreamObject* inner) {
        if (&outer == inner)
            return true;
        for (const StreamObject& child : outer.Children)
            if (Within(child, inner))
                return true;
        return false;
    }

    static void FreshIds(StreamObject& object, int& serial) {
        object.SetText("ZoneID", "{F" + std::to_string(serial++) + "}");
        for (StreamObject& child : object.Children)
            FreshIds(child, serial);
    }

    std::string Structure(StreamObject& root) {
        std::vector<StreamObject*> all;
        Collect(root, all);
        StreamObject& zone = *all[std::size_t(Any(int(all.size())))];
        StreamObject& other = *all[std::size_t(Any(int(all.size())))];
        // Changes a writer could have made come first and most often.
        switch (Any(22)) {
        case 0:
        case 1:
            zone.SetInt("ParentSizePercentage", Any(3) ? Any(101) : OddNumber());
            return "share";
        case 16:
        case 17:
        case 18: {
            zone.SetText("ControlName", world_.Names()[std::size_t(Any(kPanels))]);
            return "another panel";
        }
        case 19:
            if (StreamProperty* p = zone.Find("CurrentTabIndex"))
                p->Int = Any(int(zone.Children.size()) + 1) - 1;
            return "another tab";
        case 20:
            if (&other != &root && other.Children.size() < 64) {
                StreamObject copy = other;
                int serial = Any(1000000);
                FreshIds(copy, serial);
                zone.Children.push_back(std::move(copy));
            }
            return "subtree copied";
        case 21:
            if (StreamProperty* p = zone.Find(Any(2) ? "Orientation" : "ChildOrientation"))
                p->Text = kOrientations[Any(4)];
            return "orientation";
        case 2:
            zone.SetInt("CurrentTabIndex", Any(8) - 3);
            return "tab index";
        case 3:
            if (StreamProperty* p = zone.Find(Any(2) ? "Orientation" : "ChildOrientation"))
                p->Text = kOrientations[Any(6)];
            return "orientation";
        case 4: {
            const char* names[] = {"", "Site0", "NoSuchPanel", "P0", "P63"};
            zone.SetText("ControlName",
                         Any(2) ? world_.Names()[std::size_t(Any(kPanels))] : std::string(names[Any(5)]));
            return "control name";
        }
        case 5: {
            std::string id = other.Find("ZoneID") ? other.Find("ZoneID")->Text : "";
            if (Any(3) == 0)
                id = Any(2) ? world_.Sites()[0]->RootZone()->ZoneID().toStdString() : std::string("x");
            zone.SetText("ZoneID", id);
            return "zone id";
        }
        case 6:
            zone.Class = kClasses[Any(8)];
            return "class";
        case 7:
            if (!zone.Children.empty())
                zone.Children.erase(zone.Children.begin() + Any(int(zone.Children.size())));
            return "child dropped";
        case 8:
            if (&other != &root && other.Children.size() < 64) {
                StreamObject copy = other;
                zone.Children.push_back(std::move(copy));
            }
            return "subtree doubled";
        case 9: {
            // Nested deeper, now and then past what a stream may hold.
            StreamObject* inner = &zone;
            const int levels = Any(4) == 0 ? 70 : 1 + Any(3);
            for (int i = 0; i < levels && !inner->Children.empty(); ++i) {
                StreamObject wrapper;
                wrapper.Class = Any(2) ? "TOrloDockContainerZone" : "TOrloDockTabbedContainerZone";
                wrapper.SetText("ZoneID", "{W" + std::to_string(i) + "}");
                wrapper.Properties.push_back({0x13, "Orientation", 0, kOrientations[Any(4)]});
                wrapper.SetInt("ParentSizePercentage", 100);
                wrapper.Properties.push_back({0x13, "ChildOrientation", 0, kOrientations[Any(4)]});
                wrapper.Children.push_back(std::move(inner->Children.front()));
                inner->Children.front() = std::move(wrapper);
                inner = &inner->Children.front();
            }
            return "nested deeper";
        }
        case 10:
            if (!zone.Properties.empty())
                zone.Properties.erase(zone.Properties.begin() + Any(int(zone.Properties.size())));
            return "property dropped";
        case 11:
            zone.Properties.push_back({0x10, Any(2) ? "Unknown" : "Tag", OddNumber(), {}});
            return "property added";
        case 12:
            if (!zone.Properties.empty()) {
                StreamProperty& p = zone.Properties[std::size_t(Any(int(zone.Properties.size())))];
                p.Tag = std::uint8_t(0x10 + Any(5));
                p.Text = "0";
            }
            return "property kind";
        case 13:
            zone.Name = Any(2) ? "Named" : "P1";
            return "component name";
        case 14:
            zone.Properties.push_back({0x14, "ParentZone", 0, Any(2) ? "Named" : "Site0"});
            return "reference";
        default:
            // Only between subtrees apart from each other: a list cannot take in itself.
            if (!other.Children.empty() && !Within(zone, &other.Children.front()) &&
                !Within(other.Children.front(), &zone))
                std::swap(zone.Children, other.Children.front().Children);
            return "children swapped";
        }
    }

    std::string Bytes(tk::Bytes& bytes) {
        switch (Any(3)) {
        case 0:
            for (int i = Any(4); i >= 0; --i) {
                const qsizetype at = qsizetype(random_() % std::uint32_t(bytes.size()));
                bytes[at] = char(random_());
            }
            return "bytes changed";
        case 1:
            bytes.truncate(qsizetype(random_() % std::uint32_t(bytes.size())));
            return "cut short";
        default:
            bytes.append(QByteArray(1 + Any(16), char(random_())));
            return "bytes appended";
        }
    }

    std::mt19937& random_;
    FuzzWorld& world_;
};

// The payload as text, or as bytes where it is no longer a stream.
std::string Readable(const tk::Bytes& payload) {
    try {
        return tk::StreamToText(payload).toStdString();
    } catch (const tk::Exception&) {
        return payload.toHex(' ').toStdString() + "\n";
    }
}

// Panels P0..P63, some owned by sites, docked into one site and saved.
tk::Bytes BaseLayout(std::mt19937& random, FuzzWorld& world, TOrloDockSite* site) {
    const int count = 1 + int(random() % (random() % 3 == 0 ? 64 : 12));
    std::vector<TOrloDockablePanel*> docked;
    for (int i = 0; i < count; ++i) {
        TOrloDockablePanel* panel = world.FindPanel(world.Names()[std::size_t(i)]);
        TOrloDockablePanel* relative = docked.empty() || random() % 4 == 0 ? nullptr : docked[random() % docked.size()];
        panel->DockInto(site->SiteIntf(), relative, static_cast<tk::Align>(random() % 7));
        docked.push_back(panel);
    }
    for (TOrloDockablePanel* panel : docked)
        if (random() % 6 == 0)
            panel->SetVisible(false);
    for (TOrloDockTabbedContainerZone* group : world.TabGroups())
        group->Tabs()->SetTabIndex(int(random() % std::uint32_t(group->ChildCount())));
    return site->SaveLayout();
}

TEST(LayoutStreams, AreRefusedUntouchedOrLoadSoundAndStable) {
    const FuzzBudget budget = FuzzBudget::FromEnvironment();
    const auto start = std::chrono::steady_clock::now();
    const int shortRound = 8;
    const int streamsPerLayout = 25;
    int layouts = 0;
    int streams = 0;
    int refused = 0;
    std::map<std::string, int> known;
    for (std::uint32_t seed = budget.Seed;; ++seed) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (budget.Timed() ? elapsed >= budget.Seconds / 2.0 : layouts >= shortRound)
            break;
        ++layouts;
        std::mt19937 random(seed);
        FuzzWorld world({tk::alLeft, tk::alRight, tk::alTop, tk::alBottom}, kPanels);
        for (int i = 0; i < kPanels; ++i) {
            tk::Component* owner =
                i % 5 == 4 ? static_cast<tk::Component*>(world.Sites()[std::size_t(i) % 4]) : world.Host();
            world.CreatePanel(world.Names()[std::size_t(i)], owner);
        }
        TOrloDockSite* home = world.Sites()[random() % 4];
        const tk::Bytes base = BaseLayout(random, world, home);
        Mutator mutator(random, world);
        for (int n = 0; n < streamsPerLayout; ++n) {
            ++streams;
            home->LoadLayout(base);
            StreamObject root = ParseLayout(base);
            tk::Bytes payload;
            const std::string damage = mutator.Damage(root, payload);
            TOrloDockSite* target = world.Sites()[random() % 4];
            const std::string where = "seed " + std::to_string(seed) + ", stream " + std::to_string(n) + " (" + damage +
                                      ") into " + target->Name().toStdString() + ":\n" + Readable(payload);
            const std::string before = world.Snapshot();
            try {
                target->LoadLayout(WrapLayout(payload));
            } catch (const tk::EReadError&) {
                ++refused;
                ASSERT_EQ(world.Snapshot(), before) << "refusal changed the world, " << where;
                continue;
            } catch (const std::exception& e) {
                FAIL() << "exception " << e.what() << ", " << where;
            }
            bool overflowAhead = false;
            for (const FuzzViolation& v : world.Check(target)) {
                if (IsKnownOpen(v.Rule)) {
                    ++known[v.Rule];
                    overflowAhead = overflowAhead || EndsTheWorld(v.Rule);
                    continue;
                }
                FAIL() << "rule \"" << v.Rule << "\": " << v.Text << "\n" << where;
            }
            const tk::Bytes first = target->SaveLayout();
            target->LoadLayout(first);
            ASSERT_EQ(tk::StreamToText(target->SaveLayout().mid(14)).toStdString(),
                      tk::StreamToText(first.mid(14)).toStdString())
                << "rule \"stability\", " << where;
            // The layout arithmetic overflows sooner or later from here.
            if (overflowAhead)
                break;
        }
    }
    std::cout << "fuzz: " << streams << " layout streams from " << layouts << " saved layouts, " << refused
              << " refused; known-open rules (" << KnownOpenRules() << ") broken in";
    for (const auto& [rule, hits] : known)
        std::cout << " " << rule << ":" << hits;
    std::cout << "\n";
}

} // namespace
