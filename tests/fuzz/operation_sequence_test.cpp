// Random operation sequences over two to four sites: docking at every
// position relative to panels, zones and nothing, moving tab groups, hiding,
// showing, freeing and re-creating panels, closing zones, selecting tabs,
// resizing, collapsing and expanding, saving and loading layouts within and
// across sites, freeing the manager. Every rule of the world is checked after
// every operation; a failing sequence is shrunk to a minimal one.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>

#include "fuzz_world.h"
#include <orlodock/docking/OrloDockTabs.h>

namespace {

enum class OpKind : std::uint8_t {
    Dock,
    DockAtZone,
    MoveGroup,
    Hide,
    Show,
    FreePanel,
    CreatePanel,
    Close,
    SelectTab,
    Resize,
    CollapseOrExpand,
    Save,
    Load,
    Manager,
};

// How often each kind is drawn, in the order above.
constexpr int kWeights[] = {24, 8, 6, 10, 10, 4, 6, 5, 6, 6, 4, 4, 5, 2};

// The operation's choices, taken modulo whatever they choose from when it runs,
// so that a sequence stays meaningful with operations taken out.
struct Op {
    OpKind Kind;
    std::uint32_t A, B, C, D;
};

const char* const kPositions[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};

template <class T> T Pick(const std::vector<T>& items, std::uint32_t choice) {
    return items.empty() ? T{} : items[choice % items.size()];
}

std::string Name(const tk::Component* component) {
    return component ? component->Name().toStdString() : std::string("none");
}

// One sequence played in a world of its own.
class Player {
public:
    explicit Player(std::uint32_t seed) : world_(Alignments(seed), 12) {
        for (std::size_t i = 0; i < world_.Names().size(); ++i) {
            tk::Component* owner = i % 4 == 3 ? static_cast<tk::Component*>(SiteAt(std::uint32_t(i))) : world_.Host();
            world_.CreatePanel(world_.Names()[i], owner);
        }
    }

    // What the operation did, for the report.
    std::string Apply(const Op& op);
    FuzzWorld& World() { return world_; }
    // The site the last operation loaded a layout into, or nullptr.
    TOrloDockSite* Loaded() const { return loaded_; }

private:
    static std::vector<tk::Align> Alignments(std::uint32_t seed) {
        std::mt19937 random(seed);
        const tk::Align edges[] = {tk::alLeft, tk::alRight, tk::alTop, tk::alBottom};
        std::vector<tk::Align> alignments(2 + random() % 3);
        for (tk::Align& align : alignments)
            align = edges[random() % 4];
        return alignments;
    }
    TOrloDockSite* SiteAt(std::uint32_t choice) { return Pick(world_.Sites(), choice); }
    // An empty identifier, a zone of the site, a zone of another site, or one of no zone.
    tk::String ZoneIdFor(TOrloDockSite* site, std::uint32_t choice, std::string& said) {
        TOrloDockSite* owner = choice % 4 == 1 ? site : SiteAt(choice / 4);
        const std::vector<TOrloDockZone*> zones = FuzzWorld::ZonesOf(owner);
        switch (choice % 4) {
        case 0:
            said = "no zone";
            return {};
        case 1:
        case 2: {
            const std::size_t index = (choice / 16) % zones.size();
            said = "zone " + std::to_string(index) + " (" + Describe(zones[index]) + ") of " + Name(owner);
            return zones[index]->ZoneID();
        }
        default:
            said = "an unknown zone";
            return tk::Latin1("{00000000-0000-0000-0000-000000000000}");
        }
    }
    // A zone by what it holds: a leaf by its panel, a container by its kind and children.
    static std::string Describe(TOrloDockZone* zone) {
        if (TOrloDockControlZone* leaf = zone->AsControlZone())
            return "leaf of " + Name(leaf->Panel());
        TOrloDockContainerZone* container = zone->AsContainer();
        const char* kind = zone->AsTabGroup() ? "tab group" : zone->ParentZone() ? "container" : "root";
        return std::string(kind) + " of " + std::to_string(container ? container->ChildCount() : 0);
    }
    std::string Stable(TOrloDockSite* site);

    FuzzWorld world_;
    std::map<std::uint32_t, tk::Bytes> saved_;
    TOrloDockSite* loaded_ = nullptr;
};

std::string Player::Apply(const Op& op) {
    loaded_ = nullptr;
    const std::vector<TOrloDockablePanel*> panels = world_.Panels();
    TOrloDockablePanel* panel = Pick(panels, op.A);
    TOrloDockSite* site = SiteAt(op.B);
    const auto position = static_cast<tk::Align>(op.D % 7);
    const std::string in = " in " + Name(site);
    switch (op.Kind) {
    case OpKind::Dock: {
        if (!panel)
            return "no panel to dock";
        TOrloDockablePanel* relative = nullptr;
        if (op.C % 3 == 1)
            relative = Pick(FuzzWorld::PanelsIn(site), op.C / 3);
        else if (op.C % 3 == 2)
            relative = Pick(panels, op.C / 3);
        panel->DockInto(site->SiteIntf(), relative, position);
        return "dock " + Name(panel) + in + " relative to " + Name(relative) + " at " + kPositions[op.D % 7];
    }
    case OpKind::DockAtZone: {
        if (!panel)
            return "no panel to dock";
        std::string zone;
        const tk::String id = ZoneIdFor(site, op.C, zone);
        site->InsertDockablePanelAtZone(panel->PanelIntf(), id, position);
        return "dock " + Name(panel) + in + " at " + zone + " at " + kPositions[op.D % 7];
    }
    case OpKind::MoveGroup: {
        TOrloDockTabbedContainerZone* group = Pick(world_.TabGroups(), op.A);
        if (!group)
            return "no tab group to move";
        std::string zone;
        const tk::String id = ZoneIdFor(site, op.C, zone);
        const std::string what = "move the tab group of " +
                                 Name(static_cast<TOrloDockControlZone*>(group->Child(0))->Panel()) + " to " + zone +
                                 in + " at " + kPositions[op.D % 7];
        try {
            site->InsertTabbedZone(group, id, position);
        } catch (const tk::Exception& e) {
            if (e.Message() != tk::Latin1("Inserting Tabbed Zone into non tabbed container in voTabbed orientation!"))
                throw;
            return what + " (refused)";
        }
        return what;
    }
    case OpKind::Hide:
    case OpKind::Show:
        if (!panel)
            return "no panel to show or hide";
        panel->SetVisible(op.Kind == OpKind::Show);
        return (op.Kind == OpKind::Show ? "show " : "hide ") + Name(panel);
    case OpKind::FreePanel: {
        if (!panel)
            return "no panel to free";
        const std::string what = "free " + Name(panel);
        panel->Free();
        return what;
    }
    case OpKind::CreatePanel: {
        const std::string name = Pick(world_.Names(), op.A);
        if (world_.FindPanel(name))
            return name + " exists";
        tk::Component* owner = op.C % 3 == 0 ? static_cast<tk::Component*>(site) : world_.Host();
        world_.CreatePanel(name, owner);
        return "create " + name + " owned by " + (owner == world_.Host() ? std::string("the window") : Name(owner));
    }
    case OpKind::Close: {
        const std::vector<TOrloDockZone*> zones = FuzzWorld::ZonesOf(site);
        TOrloDockZone* zone = Pick(zones, op.C);
        const std::string what = "close zone " + std::to_string(op.C % zones.size()) + " (" + Describe(zone) + ")" + in;
        zone->CloseZone();
        return what;
    }
    case OpKind::SelectTab: {
        TOrloDockTabbedContainerZone* group = Pick(world_.TabGroups(), op.A);
        if (!group)
            return "no tab group to select in";
        // Tabs that exist, are hidden or are missing; not -1, which asks for no current tab and gets it.
        const int index = int(op.C % std::uint32_t(group->ChildCount() + 2));
        group->Tabs()->SetTabIndex(index);
        return "select tab " + std::to_string(index) + " of the tab group of " +
               Name(static_cast<TOrloDockControlZone*>(group->Child(0))->Panel());
    }
    case OpKind::Resize:
        if (op.C % 3 == 0) {
            world_.Host()->SetBounds(50, 50, 200 + int(op.D % 1000), 150 + int(op.A % 700));
            return "resize the window to " + std::to_string(200 + op.D % 1000) + "x" + std::to_string(150 + op.A % 700);
        }
        if (site->Align() == tk::alLeft || site->Align() == tk::alRight)
            site->SetWidth(int(op.D % 500));
        else
            site->SetHeight(int(op.D % 500));
        return "resize" + in + " to " + std::to_string(op.D % 500);
    case OpKind::CollapseOrExpand:
        if (op.C % 2 == 0)
            site->Collapse();
        else
            site->Expand();
        return (op.C % 2 == 0 ? "collapse" : "expand") + in;
    case OpKind::Save:
        saved_[op.C % 3] = site->SaveLayout();
        return "save" + in + " as layout " + std::to_string(op.C % 3);
    case OpKind::Load: {
        const auto it = saved_.find(op.C % 3);
        if (it == saved_.end())
            return "no layout " + std::to_string(op.C % 3);
        site->LoadLayout(it->second);
        loaded_ = site;
        return "load layout " + std::to_string(op.C % 3) + in + Stable(site);
    }
    case OpKind::Manager:
        if (world_.Manager()) {
            world_.FreeManager();
            return "free the manager";
        }
        world_.NewManager();
        return "new manager";
    }
    return "?";
}

// Empty when saving, loading and saving again gives the same bytes.
std::string Player::Stable(TOrloDockSite* site) {
    const tk::Bytes first = site->SaveLayout();
    site->LoadLayout(first);
    const tk::Bytes second = site->SaveLayout();
    if (first == second)
        return {};
    return "\nSTABILITY: saved\n" + tk::StreamToText(first.mid(14)).toStdString() + "saved after loading that\n" +
           tk::StreamToText(second.mid(14)).toStdString();
}

std::vector<Op> Generate(std::uint32_t seed, int length) {
    std::mt19937 random(seed * 7919u + 17u);
    const auto next = [&random] { return std::uint32_t(random()); };
    std::discrete_distribution<int> kind(std::begin(kWeights), std::end(kWeights));
    std::vector<Op> ops;
    for (int i = 0; i < length; ++i)
        ops.push_back({static_cast<OpKind>(kind(random)), next(), next(), next(), next()});
    return ops;
}

struct Outcome {
    // Index of the operation after which the first rule broke; -1 when none did.
    int At = -1;
    FuzzViolation Violation;
    // The first violation of each known-open rule, with the operation's index.
    std::map<std::string, std::pair<int, FuzzViolation>> KnownOpen;
    std::vector<std::string> Done;
};

// The tree of every site, shares and rectangles, after an operation of a replay.
std::string Trees(FuzzWorld& world) {
    std::ostringstream os;
    for (TOrloDockSite* site : world.Sites()) {
        const tk::Rect b = site->BoundsRect();
        os << "  " << Name(site) << " (" << b.Left << "," << b.Top << "," << b.Right << "," << b.Bottom << ")"
           << (site->Collapsed() ? " collapsed" : "") << "\n";
        for (TOrloDockZone* zone : FuzzWorld::ZonesOf(site)) {
            int depth = 0;
            for (TOrloDockZone* up = zone->ParentZone(); up; up = up->ParentZone())
                ++depth;
            const tk::Rect r = zone->Bounds();
            os << std::string(std::size_t(4 + 2 * depth), ' ') << zone->ClassName().toStdString() << " "
               << (zone->AsControlZone() ? Name(zone->AsControlZone()->Panel()) : "") << " "
               << zone->ParentSizePercentage() << "% (" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom
               << ")" << (zone->IsVisible() ? "" : " hidden") << "\n";
        }
    }
    return os.str();
}

Outcome Play(std::uint32_t seed, const std::vector<Op>& ops, bool verbose = false) {
    Outcome outcome;
    Player player(seed);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        std::vector<FuzzViolation> violations;
        try {
            std::string done = player.Apply(ops[i]);
            if (const auto cut = done.find("\nSTABILITY: "); cut != std::string::npos) {
                violations.push_back({"stability", done.substr(cut + 1)});
                done.resize(cut);
            }
            outcome.Done.push_back(done);
            if (verbose)
                std::cout << i << ": " << done << "\n" << Trees(player.World());
        } catch (const tk::Exception& e) {
            outcome.Done.push_back("(raised)");
            violations.push_back({"exception", e.Message().toStdString()});
        } catch (const std::exception& e) {
            outcome.Done.push_back("(raised)");
            violations.push_back({"exception", e.what()});
        }
        for (const FuzzViolation& v : player.World().Check(player.Loaded()))
            violations.push_back(v);
        bool overflowAhead = false;
        for (const FuzzViolation& v : violations) {
            if (IsKnownOpen(v.Rule)) {
                outcome.KnownOpen.emplace(v.Rule, std::make_pair(int(i), v));
                overflowAhead = overflowAhead || EndsTheWorld(v.Rule);
                continue;
            }
            outcome.At = int(i);
            outcome.Violation = v;
            return outcome;
        }
        // The layout arithmetic overflows sooner or later from here.
        if (overflowAhead)
            break;
    }
    return outcome;
}

// Whether the operations still break `rule`.
bool Breaks(std::uint32_t seed, const std::vector<Op>& ops, const std::string& rule) {
    const Outcome outcome = Play(seed, ops);
    if (outcome.At >= 0)
        return outcome.Violation.Rule == rule;
    return outcome.KnownOpen.count(rule) > 0;
}

// Takes out ever smaller runs of operations while the rule stays broken.
std::vector<Op> Shrink(std::uint32_t seed, std::vector<Op> ops, const std::string& rule) {
    for (std::size_t run = std::max<std::size_t>(ops.size() / 2, 1); run >= 1; run /= 2) {
        for (std::size_t at = ops.size(); at > 0;) {
            const std::size_t from = at >= run ? at - run : 0;
            std::vector<Op> fewer = ops;
            fewer.erase(fewer.begin() + std::ptrdiff_t(from), fewer.begin() + std::ptrdiff_t(at));
            if (!fewer.empty() && Breaks(seed, fewer, rule))
                ops = std::move(fewer);
            at = from;
        }
        if (run == 1)
            break;
    }
    return ops;
}

std::string Report(std::uint32_t seed, const std::vector<Op>& ops, const std::string& rule) {
    const std::vector<Op> minimal = Shrink(seed, ops, rule);
    const Outcome outcome = Play(seed, minimal);
    std::ostringstream os;
    os << "rule \"" << rule << "\", seed " << seed << ", " << minimal.size() << " of " << ops.size()
       << " operations:\n";
    for (std::size_t i = 0; i < outcome.Done.size(); ++i)
        os << "  " << i << ": " << outcome.Done[i] << "\n";
    const FuzzViolation& v = outcome.At >= 0 ? outcome.Violation : outcome.KnownOpen.at(rule).second;
    os << "  -> " << v.Text << "\n  replay with ORLODOCK_FUZZ_REPLAY='" << seed << ":";
    for (const Op& op : minimal)
        os << " " << int(op.Kind) << "," << op.A << "," << op.B << "," << op.C << "," << op.D;
    os << "'\n";
    return os.str();
}

// "seed: kind,a,b,c,d kind,a,b,c,d ..." as the reports print it.
bool ParseReplay(const char* text, std::uint32_t& seed, std::vector<Op>& ops) {
    std::istringstream in(text);
    char colon = 0;
    if (!(in >> seed >> colon) || colon != ':')
        return false;
    int kind = 0;
    char comma = 0;
    Op op{};
    while (in >> kind >> comma >> op.A >> comma >> op.B >> comma >> op.C >> comma >> op.D) {
        op.Kind = static_cast<OpKind>(kind);
        ops.push_back(op);
    }
    return !ops.empty();
}

TEST(OperationSequences, Replay) {
    const char* replay = std::getenv("ORLODOCK_FUZZ_REPLAY");
    if (!replay)
        GTEST_SKIP() << "set ORLODOCK_FUZZ_REPLAY to replay a reported sequence";
    std::uint32_t seed = 0;
    std::vector<Op> ops;
    ASSERT_TRUE(ParseReplay(replay, seed, ops));
    const Outcome outcome = Play(seed, ops, true);
    if (outcome.At >= 0)
        ADD_FAILURE() << "rule \"" << outcome.Violation.Rule << "\" after " << outcome.At << ": "
                      << outcome.Violation.Text;
    for (const auto& [rule, hit] : outcome.KnownOpen)
        std::cout << "known-open rule \"" << rule << "\" after " << hit.first << ": " << hit.second.Text << "\n";
}

TEST(OperationSequences, KeepEveryRuleAfterEveryOperation) {
    const FuzzBudget budget = FuzzBudget::FromEnvironment();
    const auto start = std::chrono::steady_clock::now();
    const int length = 150;
    const int shortRound = 16;
    int sequences = 0;
    long operations = 0;
    std::map<std::string, std::pair<std::uint32_t, int>> known;
    std::map<std::string, std::string> knownReports;
    for (std::uint32_t seed = budget.Seed;; ++seed) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (budget.Timed() ? elapsed >= budget.Seconds / 2.0 : sequences >= shortRound)
            break;
        const std::vector<Op> ops = Generate(seed, length);
        const Outcome outcome = Play(seed, ops);
        ++sequences;
        operations += outcome.At >= 0 ? outcome.At + 1 : long(ops.size());
        for (const auto& [rule, hit] : outcome.KnownOpen)
            if (known[rule].second++ == 0) {
                known[rule].first = seed;
                std::vector<Op> upTo(ops.begin(), ops.begin() + hit.first + 1);
                knownReports[rule] = Report(seed, upTo, rule);
            }
        if (outcome.At >= 0) {
            std::vector<Op> upTo(ops.begin(), ops.begin() + outcome.At + 1);
            ADD_FAILURE() << Report(seed, upTo, outcome.Violation.Rule);
            break;
        }
    }
    std::cout << "fuzz: " << sequences << " operation sequences, " << operations << " operations; known-open rules ("
              << KnownOpenRules() << ") broken in";
    for (const auto& [rule, hits] : known)
        std::cout << " " << rule << ":" << hits.second;
    std::cout << "\n";
    for (const auto& [rule, report] : knownReports)
        std::cout << "known-open " << report;
}

} // namespace
