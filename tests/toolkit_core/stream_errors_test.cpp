#include <gtest/gtest.h>

#include <functional>

#include "stream_fixtures.h"
#include <orlodock/tk/exceptions.h>

using namespace coretest;

namespace {

// A node whose class is not registered, to break a nested stream.
class Unregistered : public TestNode {
public:
    using TestNode::TestNode;
    tk::String ClassName() const override { return QStringLiteral("TUnregisteredNode"); }
};

class StreamErrors : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }

    void SetUp() override {
        liveAtStart_ = TestNode::Live;
        target_ = new TestNode();
        target_->SetName(QStringLiteral("Target"));
        target_->Count = 11;
        target_->Caption = QStringLiteral("before");
        target_->NodeKind = TestNode::kSecond;
        target_->Payload = tk::Bytes("old");
        auto* kid = new TestNode(target_);
        kid->SetName(QStringLiteral("Kid"));
        target_->AddChild(kid);
        target_->Link = kid;
        snapshot_ = DescribeTree(target_);
        children_ = target_->Children;
        componentCount_ = target_->ComponentCount();
    }

    void TearDown() override {
        target_->Free();
        TestNode::FailOnCount = INT64_MIN;
        TestNode::FailOnPayload.clear();
        EXPECT_EQ(TestNode::Live, liveAtStart_) << "nodes leaked or freed twice";
    }

    void ExpectTargetUnchanged() const {
        EXPECT_EQ(DescribeTree(target_), snapshot_);
        EXPECT_EQ(target_->Children, children_);
        EXPECT_EQ(target_->ComponentCount(), componentCount_);
        EXPECT_EQ(target_->ComponentState(), 0u);
    }

    // Reads `data` into the target and into a new component; both must fail
    // with a read error, leaving the target as it was and nothing behind.
    tk::EReadError ExpectRejected(const tk::Bytes& data) {
        const int liveBefore = TestNode::Live;
        tk::EReadError caught(QString(), -1);
        try {
            tk::ReadComponentInto(data, target_);
            ADD_FAILURE() << "ReadComponentInto accepted the stream";
        } catch (const tk::EReadError& e) {
            caught = e;
        }
        ExpectTargetUnchanged();
        EXPECT_EQ(TestNode::Live, liveBefore);
        try {
            tk::Component* c = tk::ReadComponent(data, nullptr);
            ADD_FAILURE() << "ReadComponent accepted the stream";
            c->Free();
        } catch (const tk::EReadError&) {
        }
        EXPECT_EQ(TestNode::Live, liveBefore);
        return caught;
    }

    static tk::Bytes SampleBytes() {
        TestNode* sample = MakeSampleTree();
        sample->SetName(QStringLiteral("Target")); // so the only differences are the values
        tk::Bytes b = tk::WriteComponent(sample);
        sample->Free();
        return b;
    }

    int liveAtStart_ = 0;
    TestNode* target_ = nullptr;
    std::string snapshot_;
    std::vector<TestNode*> children_;
    int componentCount_ = 0;
};

TEST_F(StreamErrors, TruncatedAtEveryOffset) {
    const tk::Bytes full = SampleBytes();
    for (qsizetype n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        const tk::EReadError e = ExpectRejected(full.left(n));
        EXPECT_GE(e.Position(), 0);
        EXPECT_LE(e.Position(), n);
    }
}

TEST_F(StreamErrors, EveryCorruptedByteIsRejectedCleanlyOrReadCompletely) {
    const tk::Bytes full = SampleBytes();
    int rejected = 0;
    for (qsizetype i = 0; i < full.size(); ++i) {
        for (unsigned char mask : {0xFFu, 0x01u}) {
            SCOPED_TRACE(testing::Message() << "byte " << i << " mask " << int(mask));
            tk::Bytes data = full;
            data[i] = static_cast<char>(data[i] ^ mask);
            auto* fresh = new TestNode();
            fresh->SetName(QStringLiteral("Fresh"));
            fresh->Count = 99;
            const std::string before = DescribeTree(fresh);
            try {
                tk::ReadComponentInto(data, fresh);
            } catch (const tk::EReadError& e) {
                ++rejected;
                EXPECT_EQ(DescribeTree(fresh), before);
                EXPECT_TRUE(fresh->Children.empty());
                EXPECT_EQ(fresh->ComponentCount(), 0);
                EXPECT_LE(e.Position(), full.size());
            }
            fresh->Free();
            EXPECT_EQ(TestNode::Live, liveAtStart_ + 2);
        }
    }
    // Most corruptions hit structure; a few only change a value.
    EXPECT_GT(rejected, full.size());
}

TEST_F(StreamErrors, ForeignOrNewerStreamsAreRejectedWithAClearMessage) {
    EXPECT_EQ(ExpectRejected({}).Position(), 0);
    const tk::EReadError foreign = ExpectRejected(tk::Bytes("TPF0\x01\x00junk", 10));
    EXPECT_EQ(foreign.Position(), 0);
    EXPECT_TRUE(foreign.Message().contains(QStringLiteral("signature")));

    const tk::EReadError newer = ExpectRejected(StreamBuilder(true, 2).Begin("TTestNode").End().Bytes());
    EXPECT_EQ(newer.Position(), 4);
    EXPECT_TRUE(newer.Message().contains(QStringLiteral("newer"))) << newer.Message().toStdString();
    EXPECT_EQ(ExpectRejected(StreamBuilder(true, 0).Begin("TTestNode").End().Bytes()).Position(), 4);
}

TEST_F(StreamErrors, StructuralFaultsNameTheirPosition) {
    struct Case {
        const char* what;
        std::function<void(StreamBuilder&)> body; // after Begin("TTestNode", "Target")
        const char* messagePart;
    };
    long long faultAt = 0;
    auto mark = [&](StreamBuilder& b) { faultAt = b.Size(); };
    const std::vector<Case> cases = {
        {"invalid tag",
         [&](StreamBuilder& b) {
             mark(b);
             b.U8(0x7F).End();
         },
         "Invalid tag 0x7f"},
        {"unknown property",
         [&](StreamBuilder& b) {
             mark(b);
             b.Int("Bogus", 1).End();
         },
         "no property Bogus"},
        {"wrong kind",
         [&](StreamBuilder& b) {
             mark(b);
             b.Text("Count", "3").End();
         },
         "kind integer"},
        {"bad enum",
         [&](StreamBuilder& b) {
             mark(b);
             b.Enum("Kind", "kFourth").End();
         },
         "Invalid value kFourth"},
        {"bad Boolean",
         [&](StreamBuilder& b) {
             b.U8(tk::stream::tagBoolean).Str("Enabled");
             mark(b);
             b.U8(2).End();
         },
         "Invalid Boolean"},
        {"unknown stream property",
         [&](StreamBuilder& b) {
             mark(b);
             b.Binary("Bogus", "x").End();
         },
         "no stream property Bogus"},
        {"duplicate property",
         [&](StreamBuilder& b) {
             b.Int("Count", 1);
             mark(b);
             b.Int("count", 2).End();
         },
         "stored twice"},
        {"property after children",
         [&](StreamBuilder& b) {
             b.Begin("TTestNode").End();
             mark(b);
             b.Int("Count", 1).End();
         },
         "after child"},
        {"unregistered child class",
         [&](StreamBuilder& b) {
             const long long objectAt = b.Size();
             b.U8(tk::stream::tagObject);
             faultAt = objectAt + 1;
             b.Str("TNoSuchClass").Str("").End().End();
         },
         "Class TNoSuchClass is not registered"},
        {"length past the end",
         [&](StreamBuilder& b) {
             b.U8(tk::stream::tagString);
             mark(b);
             b.U32(1000).End();
         },
         "exceeds"},
        {"invalid UTF-8",
         [&](StreamBuilder& b) {
             b.U8(tk::stream::tagString).Str("Caption");
             mark(b);
             b.U32(2).U8(0xC3).U8(0x28).End();
         },
         "UTF-8"},
        {"empty property name",
         [&](StreamBuilder& b) {
             b.U8(tk::stream::tagInteger);
             mark(b);
             b.Str("").I64(1).End();
         },
         "Empty property name"},
        {"data after the end",
         [&](StreamBuilder& b) {
             b.End();
             mark(b);
             b.U8(0);
         },
         "after the end"},
        {"missing end",
         [&](StreamBuilder& b) {
             b.Int("Count", 1);
             mark(b);
         },
         "end of stream"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StreamBuilder b;
        b.Begin("TTestNode", "Target");
        c.body(b);
        const tk::EReadError e = ExpectRejected(b.Bytes());
        EXPECT_EQ(e.Position(), faultAt);
        EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.messagePart))) << e.Message().toStdString();
    }
}

TEST_F(StreamErrors, WrongClassForTheTargetIsRejected) {
    const tk::Bytes bytes = StreamBuilder().Begin("TTestLeaf", "Target").End().Bytes();
    try {
        tk::ReadComponentInto(bytes, target_);
        FAIL() << "expected EReadError";
    } catch (const tk::EReadError& e) {
        EXPECT_EQ(e.Position(), 7); // the class name, after signature, version and tag
        EXPECT_TRUE(e.Message().contains(QStringLiteral("TTestLeaf"))) << e.Message().toStdString();
    }
    ExpectTargetUnchanged();
}

TEST_F(StreamErrors, NestingDeeperThanTheBoundIsRejected) {
    auto nested = [](int depth) {
        StreamBuilder b;
        for (int i = 0; i < depth; ++i)
            b.Begin("TTestNode");
        for (int i = 0; i < depth; ++i)
            b.End();
        return b.Bytes();
    };
    const tk::Bytes ok = nested(tk::stream::kMaxDepth);
    tk::Component* read = tk::ReadComponent(ok, nullptr);
    read->Free();
    const tk::EReadError e = ExpectRejected(nested(tk::stream::kMaxDepth + 1));
    // The first object past the bound: each level costs a tag and two strings (class name, empty name).
    const long long perLevel = 1 + 4 + 9 + 4;
    EXPECT_EQ(e.Position(), 6 + perLevel * tk::stream::kMaxDepth);
    EXPECT_TRUE(e.Message().contains(QStringLiteral("nested deeper")));
}

TEST_F(StreamErrors, AFailingSetterUndoesEverything) {
    const tk::Bytes full = SampleBytes();
    TestNode::FailOnCount = 2; // the unnamed grandchild, after the root and the first child were applied
    const tk::EReadError e = ExpectRejected(full);
    EXPECT_TRUE(e.Message().contains(QStringLiteral("count rejected"))) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains(QStringLiteral("TTestNode.Count"))) << e.Message().toStdString();
    EXPECT_GT(e.Position(), 6);
    EXPECT_LT(e.Position(), full.size());
}

TEST_F(StreamErrors, AFailingStreamPropertyReaderUndoesEverything) {
    const tk::Bytes full = SampleBytes();
    TestNode::FailOnPayload = tk::Bytes("\x00\x01\xff payload!", 12);
    const tk::EReadError e = ExpectRejected(full);
    EXPECT_TRUE(e.Message().contains(QStringLiteral("payload rejected"))) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains(QStringLiteral("Payload")));
}

TEST_F(StreamErrors, ABrokenNestedStreamFailsTheOuterRead) {
    auto* holder = new TestNode();
    holder->SetName(QStringLiteral("Target"));
    auto* inner = new Unregistered(holder);
    auto* innerChild = new TestNode(inner);
    inner->AddChild(innerChild);
    holder->Inner = inner;
    auto* child = new TestNode(holder);
    holder->AddChild(child);
    const tk::Bytes bytes = tk::WriteComponent(holder);
    holder->Free();
    const tk::EReadError e = ExpectRejected(bytes);
    EXPECT_TRUE(e.Message().contains(QStringLiteral("TUnregisteredNode is not registered")))
        << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains(QStringLiteral("Nested")));
}

TEST_F(StreamErrors, DuplicateNamesAmongCreatedComponentsUndoEverything) {
    const tk::Bytes bytes = StreamBuilder()
                                .Begin("TTestNode", "Target")
                                .Int("Count", 5)
                                .Begin("TTestNode", "Twin")
                                .End()
                                .Begin("TTestLeaf", "twin")
                                .End()
                                .End()
                                .Bytes();
    const tk::EReadError e = ExpectRejected(bytes);
    EXPECT_TRUE(e.Message().contains(QStringLiteral("already exists"))) << e.Message().toStdString();
}

} // namespace
