#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "test_components.h"

using namespace coretest;

namespace {

// Points a reference at itself while its parts are torn down, after the
// references were cleared once.
class LateReferrer : public Recorder {
public:
    using Recorder::Recorder;
    tk::ComponentRef<Component>* Late = nullptr;

protected:
    void BeforeDestruction() override { *Late = this; }
};

// Holds a reference to another component, as the library's classes do.
class Holder : public Recorder {
public:
    using Recorder::Recorder;
    tk::ComponentRef<Recorder> Target{[this] { ++Gone; }};
    int Gone = 0;
};

TEST(ComponentRef, ClearsItselfBeforeReactingWhenTheTargetGoesEitherWay) {
    for (bool byDelete : {false, true}) {
        auto* target = new Recorder(nullptr, "Target");
        tk::ComponentRef<Recorder>* seen = nullptr;
        Recorder* valueWhenGone = target;
        tk::ComponentRef<Recorder> ref([&] { valueWhenGone = seen->get(); });
        seen = &ref;
        ref = target;
        EXPECT_EQ(ref.get(), target);
        if (byDelete)
            delete target;
        else
            target->Free();
        EXPECT_EQ(ref.get(), nullptr);
        EXPECT_EQ(valueWhenGone, nullptr);
    }
}

TEST(ComponentRef, EitherSideMayGoFirst) {
    for (bool holderFirst : {true, false}) {
        auto* holder = new Holder(nullptr, "Holder");
        auto* target = new Recorder(nullptr, "Target");
        holder->Target = target;
        if (holderFirst) {
            holder->Free();
            target->Free();
        } else {
            target->Free();
            EXPECT_EQ(holder->Target.get(), nullptr);
            EXPECT_EQ(holder->Gone, 1);
            holder->Free();
        }
    }
}

TEST(ComponentRef, AReassignedReferenceNoLongerFollowsItsOldTarget) {
    auto* first = new Recorder(nullptr, "First");
    auto* second = new Recorder(nullptr, "Second");
    auto* holder = new Holder(nullptr, "Holder");
    holder->Target = first;
    holder->Target = second;
    first->Free();
    EXPECT_EQ(holder->Target.get(), second);
    EXPECT_EQ(holder->Gone, 0);
    holder->Target.Reset();
    second->Free();
    EXPECT_EQ(holder->Gone, 0);
    holder->Free();
}

TEST(ComponentRef, TheReactionMayDestroyTheReference) {
    auto* target = new Recorder(nullptr, "Target");
    std::unique_ptr<tk::ComponentRef<Recorder>> ref;
    ref = std::make_unique<tk::ComponentRef<Recorder>>([&ref] { ref.reset(); });
    *ref = target;
    target->Free();
    EXPECT_EQ(ref, nullptr);
}

TEST(ComponentRef, FollowsAComponentThroughOneOfItsInterfaces) {
    auto* target = new Recorder(nullptr, "Target");
    tk::ComponentRef<tk::IInterface> ref;
    ref = static_cast<tk::IInterface*>(target);
    EXPECT_NE(ref.get(), nullptr);
    target->Free();
    EXPECT_EQ(ref.get(), nullptr);
}

TEST(ComponentRefList, EntriesOfFreedComponentsReadNothingAlsoAfterTheListMoved) {
    auto* a = new Recorder(nullptr, "A");
    auto* b = new Recorder(nullptr, "B");
    tk::ComponentRefList<Recorder> noted;
    noted.Add(a);
    noted.Add(b);
    noted.Add(a);
    const tk::ComponentRefList<Recorder> taken = std::exchange(noted, {});
    EXPECT_TRUE(noted.empty());
    a->Free();
    std::vector<Recorder*> seen;
    for (Recorder* entry : taken)
        seen.push_back(entry);
    EXPECT_EQ(seen, (std::vector<Recorder*>{nullptr, b, nullptr}));
    EXPECT_TRUE(taken.Contains(b));
    EXPECT_FALSE(taken.Contains(a));
    b->Free();
    EXPECT_EQ(taken[1], nullptr);
}

TEST(ComponentRef, AReferenceSetWhileTheTargetIsTornDownIsClearedToo) {
    tk::ComponentRef<Component> ref;
    auto* target = new LateReferrer(nullptr, "Late");
    target->Late = &ref;
    target->Free();
    EXPECT_EQ(ref.get(), nullptr);
}

} // namespace
