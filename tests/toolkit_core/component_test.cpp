#include <gtest/gtest.h>

#include "test_components.h"
#include <orlodock/tk/exceptions.h>

using namespace coretest;
using tk::Component;

namespace {

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        EventLog().clear();
        liveAtStart_ = Recorder::Live;
    }
    void TearDown() override { EXPECT_EQ(Recorder::Live, liveAtStart_) << "recorders leaked or freed twice"; }

    static std::vector<std::string> Matching(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& line : EventLog())
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }

    int liveAtStart_ = 0;
};

using Lines = std::vector<std::string>;

TEST_F(ComponentTest, OwnerFreesWhatItOwnsDeepestLast) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* a = new Recorder(owner, "A");
    new Recorder(a, "A1");
    new Recorder(owner, "B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), owner);
    owner->Free();
    EXPECT_EQ(Recorder::Live, liveAtStart_);
    // Owned components go last-inserted first, each after its own components.
    EXPECT_EQ(Matching("free "), (Lines{"free B", "free A1", "free A", "free Owner"}));
}

TEST_F(ComponentTest, InsertionReachesOwnerAndItsWholeTree) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* a = new Recorder(owner, "A");
    new Recorder(a, "A1");
    new Recorder(owner, "B");
    EventLog().clear();
    auto* c = new Recorder(nullptr, "C");
    owner->InsertComponent(c);
    // Owned components are told last first; the inserted one is not told about itself.
    EXPECT_EQ(EventLog(), (Lines{"Owner insert C", "B insert C", "A insert C", "A1 insert C"}));
    owner->Free();
}

// Free() and a plain delete are one path.
TEST_F(ComponentTest, FreeAndDeleteSendRemovalWhileWholeThenFreePartsThenDestruct) {
    const std::vector<std::pair<const char*, void (*)(Recorder*)>> ways{
        {"Free", [](Recorder* x) { x->Free(); }},
        {"delete", [](Recorder* x) { delete x; }},
    };
    for (const auto& [way, destroy] : ways) {
        SCOPED_TRACE(way);
        auto* owner = new Recorder(nullptr, "Owner");
        auto* other = new Recorder(nullptr, "Other");
        auto* x = new Recorder(owner, "X");
        new Recorder(x, "XPart");
        auto* sibling = new Recorder(owner, "Sibling");
        x->FreeNotification(other);
        EventLog().clear();
        destroy(x);
        EXPECT_EQ(EventLog(), (Lines{"Other remove X", "Owner remove X", "Sibling remove X", "X remove XPart",
                                     "free XPart", "free X"}));
        // Every receiver reached the most-derived class of X.
        EXPECT_EQ(other->WholeOnRemoval, Lines{"X"});
        EXPECT_EQ(owner->WholeOnRemoval, Lines{"X"});
        EXPECT_EQ(sibling->WholeOnRemoval, Lines{"X"});
        EXPECT_EQ(owner->ComponentCount(), 1);
        delete owner;
        other->Free();
    }
}

TEST_F(ComponentTest, SubscriberInTheOwnersTreeIsToldOnce) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* a = new Recorder(owner, "A");
    auto* b = new Recorder(owner, "B");
    auto* b1 = new Recorder(b, "B1");
    a->FreeNotification(b1);
    a->FreeNotification(owner);
    EventLog().clear();
    a->Free();
    EXPECT_EQ(Matching("B1 "), Lines{"B1 remove A"});
    EXPECT_EQ(Matching("Owner "), Lines{"Owner remove A"});
    owner->Free();
}

TEST_F(ComponentTest, SubscriptionAcrossOwnersSurvivesEitherDestructionOrder) {
    for (bool subscriberOwnerFirst : {true, false}) {
        auto* form1 = new Recorder(nullptr, "Form1");
        auto* form2 = new Recorder(nullptr, "Form2");
        auto* panel = new Recorder(form1, "Panel");
        auto* site = new Recorder(form2, "Site");
        panel->FreeNotification(site);
        site->FreeNotification(panel);
        EventLog().clear();
        if (subscriberOwnerFirst) {
            form2->Free();
            EXPECT_EQ(Matching("Panel "), Lines{"Panel remove Site"});
            form1->Free();
            EXPECT_TRUE(Matching("Site ").empty());
        } else {
            form1->Free();
            EXPECT_EQ(Matching("Site "), Lines{"Site remove Panel"});
            form2->Free();
            EXPECT_TRUE(Matching("Panel ").empty());
        }
        EXPECT_EQ(Recorder::Live, liveAtStart_);
    }
}

TEST_F(ComponentTest, UnsubscribingStopsTheNotification) {
    auto* a = new Recorder(nullptr, "A");
    auto* b = new Recorder(nullptr, "B");
    a->FreeNotification(b);
    a->FreeNotification(b); // once is enough
    a->RemoveFreeNotification(b);
    EventLog().clear();
    a->Free();
    EXPECT_TRUE(Matching("B ").empty());
    b->Free();
}

// A receiver that frees another component while the notification is passed on.
class Freer : public Recorder {
public:
    Freer(Component* owner, const char* name) : Recorder(owner, name) {}
    Component* Victim = nullptr;
    Component* Trigger = nullptr;

protected:
    void Notification(Component* component, tk::Operation operation) override {
        if (operation == tk::Operation::Remove && component == Trigger && Victim)
            Component::FreeAndNil(Victim);
        Recorder::Notification(component, operation);
    }
};

TEST_F(ComponentTest, HandlersMayFreeComponentsDuringPropagation) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* a = new Recorder(owner, "A");
    new Recorder(owner, "B");
    auto* freer = new Freer(owner, "Freer");
    new Recorder(owner, "C");
    freer->Trigger = a;
    freer->Victim = new Recorder(owner, "Victim");
    a->Free();
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("Victim")), nullptr);
    // Freeing the owner frees components that free others on the way.
    freer->Trigger = owner->FindComponent(QStringLiteral("C"));
    freer->Victim = owner->FindComponent(QStringLiteral("B"));
    owner->Free();
}

TEST_F(ComponentTest, FreeingTheOwnerFromARemovalHandlerIsSafe) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* x = new Recorder(owner, "X");
    auto* freer = new Freer(nullptr, "Outside");
    x->FreeNotification(freer);
    freer->Trigger = x;
    freer->Victim = owner;
    x->Free();
    EXPECT_EQ(freer->Victim, nullptr);
    freer->Free();
}

TEST_F(ComponentTest, MovingToAnotherOwnerNotifiesBothAndKeepsSubscriptions) {
    auto* first = new Recorder(nullptr, "First");
    auto* second = new Recorder(nullptr, "Second");
    auto* watcher = new Recorder(first, "Watcher");
    auto* x = new Recorder(first, "X");
    x->FreeNotification(watcher);
    EventLog().clear();
    second->InsertComponent(x);
    EXPECT_EQ(EventLog(), (Lines{"First remove X", "Watcher remove X", "Second insert X"}));
    EXPECT_EQ(x->Owner(), second);
    EventLog().clear();
    second->Free();
    EXPECT_EQ(Matching("Watcher "), Lines{"Watcher remove X"});
    first->Free();
}

TEST_F(ComponentTest, RemoveComponentGivesUpOwnershipWithoutFreeing) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* x = new Recorder(owner, "X");
    owner->RemoveComponent(x);
    EXPECT_EQ(x->Owner(), nullptr);
    owner->Free();
    EXPECT_EQ(Recorder::Live, liveAtStart_ + 1);
    x->Free();
}

TEST_F(ComponentTest, OwnershipCyclesAreRefused) {
    auto* a = new Recorder(nullptr, "A");
    auto* b = new Recorder(a, "B");
    EXPECT_THROW(b->InsertComponent(a), tk::EComponentError);
    EXPECT_THROW(a->InsertComponent(a), tk::EComponentError);
    EXPECT_EQ(a->Owner(), nullptr);
    a->Free();
}

TEST_F(ComponentTest, NamesAreUniqueAmongSiblingsAndFoundIgnoringCase) {
    auto* owner = new Recorder(nullptr, "Owner");
    auto* a = new Recorder(owner, "Alpha");
    auto* b = new Recorder(owner, "Beta");
    new Recorder(a, "Deep");
    EXPECT_EQ(owner->FindComponent(QStringLiteral("ALPHA")), a);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("beta")), b);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("Deep")), nullptr) << "only direct components are searched";
    EXPECT_EQ(owner->FindComponent(QString()), nullptr);
    EXPECT_THROW(b->SetName(QStringLiteral("alpha")), tk::EComponentError);
    EXPECT_EQ(b->Name(), QStringLiteral("Beta"));
    a->SetName(QStringLiteral("ALPHA"));
    EXPECT_EQ(a->Name(), QStringLiteral("ALPHA"));
    // Unnamed siblings never clash.
    new Recorder(owner, "");
    new Recorder(owner, "");
    auto* stray = new Recorder(nullptr, "beta");
    EXPECT_THROW(owner->InsertComponent(stray), tk::EComponentError);
    EXPECT_EQ(stray->Owner(), nullptr);
    stray->Free();
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_THROW(owner->Components(owner->ComponentCount()), tk::EListError);
    EXPECT_THROW(owner->Components(-1), tk::EListError);
    owner->Free();
}

TEST_F(ComponentTest, StateFlagsAndLoaded) {
    auto* c = new Recorder(nullptr, "C");
    EXPECT_EQ(c->ComponentState(), 0u);
    c->SetState(tk::csLoading | tk::csDesigning, true);
    EXPECT_TRUE(c->IsLoading());
    EXPECT_TRUE(c->IsDesigning());
    c->Loaded();
    EXPECT_FALSE(c->IsLoading());
    EXPECT_TRUE(c->IsDesigning());
    c->SetState(tk::csDesigning, false);
    EXPECT_EQ(c->ComponentState(), 0u);
    c->Free();
}

// Records whether the subject was flagged as destroying when the owner heard of it.
class DestroyingProbe : public Recorder {
public:
    using Recorder::Recorder;
    bool SawDestroying = false;

protected:
    void Notification(Component* component, tk::Operation operation) override {
        if (operation == tk::Operation::Remove)
            SawDestroying = component->IsDestroying();
        Recorder::Notification(component, operation);
    }
};

TEST_F(ComponentTest, RemovalByFreeIsFlaggedAsDestroying) {
    auto* owner = new DestroyingProbe(nullptr, "Owner");
    auto* x = new Recorder(owner, "X");
    owner->RemoveComponent(x);
    EXPECT_FALSE(owner->SawDestroying);
    owner->InsertComponent(x);
    x->Free();
    EXPECT_TRUE(owner->SawDestroying);
    owner->Free();
}

TEST_F(ComponentTest, ComponentsAnswerTheRootInterfaceWithoutCounting) {
    auto* c = new Recorder(nullptr, "C");
    EXPECT_EQ(c->AddRef(), -1);
    EXPECT_EQ(c->Release(), -1);
    {
        tk::IPtr<tk::IInterface> p = tk::QueryAs<tk::IInterface>(c);
        EXPECT_TRUE(p);
    }
    void* out = reinterpret_cast<void*>(1);
    EXPECT_FALSE(c->QueryInterface(tk::Guid::Parse("{11111111-2222-3333-4444-555555555555}"), &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(c->ClassName(), QStringLiteral("Recorder"));
    c->Free();
}

TEST(ClassRegistry, KeepsRegistrationOrderAndFindsIgnoringCase) {
    const tk::StringList before = tk::RegisteredClassNames();
    tk::RegisterClass<Recorder>(QStringLiteral("TRegistryFirst"));
    tk::RegisterClass<Recorder>(QStringLiteral("TRegistrySecond"));
    tk::RegisterClass<Recorder>(QStringLiteral("tregistryfirst")); // replaces, keeps its place
    const tk::StringList after = tk::RegisteredClassNames();
    ASSERT_EQ(after.size(), before.size() + 2);
    EXPECT_EQ(after.mid(before.size()),
              (tk::StringList{QStringLiteral("TRegistryFirst"), QStringLiteral("TRegistrySecond")}));
    EXPECT_TRUE(tk::IsClassRegistered(QStringLiteral("TREGISTRYSECOND")));
    EXPECT_FALSE(tk::IsClassRegistered(QStringLiteral("TRegistryThird")));
    EXPECT_FALSE(static_cast<bool>(tk::FindClass(QStringLiteral("TRegistryThird"))));
    auto* owner = new Recorder(nullptr, "Owner");
    Component* made = tk::FindClass(QStringLiteral("TRegistrySecond"))(owner);
    EXPECT_EQ(made->Owner(), owner);
    owner->Free();
}

} // namespace
