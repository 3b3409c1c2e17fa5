#include <gtest/gtest.h>

#include "stream_fixtures.h"
#include <orlodock/tk/exceptions.h>

using namespace coretest;

namespace {

class StreamRoundTrip : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
    void SetUp() override { liveAtStart_ = TestNode::Live; }
    void TearDown() override { EXPECT_EQ(TestNode::Live, liveAtStart_) << "nodes leaked or freed twice"; }

    // Every node read: flags cleared, Loaded once, linked to its parent before ReadState.
    static void ExpectReadProperly(const TestNode* node, const tk::Component* expectedReaderParent) {
        EXPECT_EQ(node->ComponentState(), 0u) << node->Name().toStdString();
        EXPECT_EQ(node->LoadedCalls, 1) << node->Name().toStdString();
        EXPECT_EQ(node->StateDuringReadState & (tk::csLoading | tk::csReading), tk::csLoading | tk::csReading);
        EXPECT_EQ(node->ReaderParent, expectedReaderParent);
        for (const TestNode* c : node->Children) {
            EXPECT_TRUE(c->HadParentBeforeReadState) << "SetParentComponent must precede ReadState";
            EXPECT_EQ(c->ParentNode, node);
            ExpectReadProperly(c, node);
        }
    }

    int liveAtStart_ = 0;
};

TEST_F(StreamRoundTrip, NewComponentTreeMatchesTheOriginal) {
    TestNode* original = MakeSampleTree();
    const tk::Bytes bytes = tk::WriteComponent(original);
    tk::Component* read = tk::ReadComponent(bytes, nullptr);
    auto* copy = dynamic_cast<TestNode*>(read);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(DescribeTree(copy), DescribeTree(original));
    EXPECT_EQ(copy->Owner(), nullptr);

    // References point into the new tree, not the old one.
    ASSERT_EQ(copy->Children.size(), 2u);
    TestNode* first = copy->Children[0];
    EXPECT_EQ(copy->Link, copy->Children[1]);
    EXPECT_EQ(first->Link, copy);
    EXPECT_EQ(first->Children.at(0)->Link, first);
    // Children belong to the top-level component; the nested one to its holder.
    EXPECT_EQ(first->Owner(), copy);
    EXPECT_EQ(first->Children[0]->Owner(), copy);
    ASSERT_NE(copy->Inner, nullptr);
    EXPECT_EQ(copy->Inner->Owner(), copy);
    EXPECT_EQ(copy->Inner->Children.at(0)->Owner(), copy->Inner);
    ExpectReadProperly(copy, nullptr);

    // Writing the copy gives the same bytes.
    EXPECT_EQ(tk::WriteComponent(copy), bytes);
    original->Free();
    copy->Free();
}

TEST_F(StreamRoundTrip, ReadingIntoAnExistingComponentKeepsItsIdentity) {
    TestNode* original = MakeSampleTree();
    const tk::Bytes bytes = tk::WriteComponent(original);
    auto* holder = new TestNode();
    auto* target = new TestNode(holder);
    tk::ReadComponentInto(bytes, target);
    EXPECT_EQ(DescribeTree(target), DescribeTree(original));
    EXPECT_EQ(target->Owner(), holder);
    EXPECT_EQ(holder->FindComponent(QStringLiteral("Root")), target);
    for (const TestNode* c : target->Children)
        EXPECT_EQ(c->Owner(), target);
    ExpectReadProperly(target, nullptr);
    original->Free();
    holder->Free();
}

TEST_F(StreamRoundTrip, ReadComponentGivesOwnerAndParent) {
    auto* single = new TestNode();
    single->SetName(QStringLiteral("Single"));
    single->Count = 42;
    const tk::Bytes bytes = tk::WriteComponent(single);
    auto* owner = new TestNode();
    auto* parent = new TestNode();
    tk::Component* read = tk::ReadComponent(bytes, owner, parent);
    EXPECT_EQ(read->Owner(), owner);
    ASSERT_EQ(parent->Children.size(), 1u);
    EXPECT_EQ(parent->Children[0], read);
    auto* node = static_cast<TestNode*>(read);
    EXPECT_TRUE(node->HadParentBeforeReadState);
    EXPECT_EQ(node->ReaderParent, parent);
    EXPECT_EQ(node->Count, 42);
    single->Free();
    owner->Free();
    parent->Free();
}

TEST_F(StreamRoundTrip, ReferencesOutsideTheStreamResolveAmongTheOwnersComponents) {
    auto* form = new TestNode();
    auto* panel = new TestNode(form);
    panel->SetName(QStringLiteral("Panel"));
    auto* site = new TestNode(form);
    site->SetName(QStringLiteral("Site"));
    site->Link = panel;
    const tk::Bytes bytes = tk::WriteComponent(site);

    auto* otherForm = new TestNode();
    auto* otherPanel = new TestNode(otherForm);
    otherPanel->SetName(QStringLiteral("panel"));
    auto* otherSite = new TestNode(otherForm);
    tk::ReadComponentInto(bytes, otherSite);
    EXPECT_EQ(otherSite->Link, otherPanel);

    // A name that matches nothing leaves the reference as it was.
    auto* lonely = new TestNode();
    auto* keep = new TestNode();
    lonely->Link = keep;
    tk::ReadComponentInto(bytes, lonely);
    EXPECT_EQ(lonely->Link, keep);
    form->Free();
    otherForm->Free();
    lonely->Free();
    keep->Free();
}

TEST_F(StreamRoundTrip, NullUnnamedAndUnstoredValuesAreNotWritten) {
    auto* node = new TestNode();
    auto* unnamed = new TestNode(node);
    node->Link = unnamed;
    node->CountStored = false;
    const QString text = tk::StreamToText(tk::WriteComponent(node));
    EXPECT_FALSE(text.contains(QStringLiteral("Link"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Count"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Payload"))) << "no data, no defined property";
    node->Link = nullptr;
    EXPECT_FALSE(tk::StreamToText(tk::WriteComponent(node)).contains(QStringLiteral("Link")));
    node->Free();
}

TEST_F(StreamRoundTrip, TextRenderingShowsTheTree) {
    auto* top = new TestNode();
    top->SetName(QStringLiteral("Top"));
    top->Count = 3;
    top->Caption = QStringLiteral("it's\tok");
    top->NodeKind = TestNode::kSecond;
    top->Payload = tk::Bytes("abc");
    auto* second = new TestNode(top);
    second->SetName(QStringLiteral("Second"));
    top->AddChild(second);
    auto* leaf = new TestLeaf(top);
    leaf->Enabled = true;
    leaf->Link = second;
    second->AddChild(leaf);
    const QString expected = QStringLiteral("object TTestNode\n"
                                            "  Name = 'Top'\n"
                                            "  Count = 3\n"
                                            "  Caption = 'it''s'#9'ok'\n"
                                            "  Enabled = False\n"
                                            "  Kind = kSecond\n"
                                            "  Payload = {binary 3 bytes}\n"
                                            "  object TTestNode\n"
                                            "    Name = 'Second'\n"
                                            "    Count = 0\n"
                                            "    Caption = ''\n"
                                            "    Enabled = False\n"
                                            "    Kind = kFirst\n"
                                            "    object TTestLeaf\n"
                                            "      Count = 0\n"
                                            "      Caption = ''\n"
                                            "      Enabled = True\n"
                                            "      Kind = kFirst\n"
                                            "      Link = Second\n"
                                            "      Note = ''\n"
                                            "    end\n"
                                            "  end\n"
                                            "end");
    EXPECT_EQ(tk::StreamToText(tk::WriteComponent(top)), expected);
    top->Free();
}

TEST_F(StreamRoundTrip, AnEnumerationValueWithoutIdentifierIsNotWritten) {
    auto* node = new TestNode();
    node->NodeKind = static_cast<TestNode::Kind>(7);
    EXPECT_THROW(tk::WriteComponent(node), tk::EComponentError);
    EXPECT_FALSE(node->HasState(tk::csWriting));
    node->Free();
}

TEST_F(StreamRoundTrip, NestingIsBoundedOnBothSides) {
    auto* root = new TestNode();
    TestNode* last = root;
    for (int depth = 2; depth <= tk::stream::kMaxDepth; ++depth) {
        auto* c = new TestNode(root);
        c->Count = depth;
        last->AddChild(c);
        last = c;
    }
    const tk::Bytes deepest = tk::WriteComponent(root);
    tk::Component* read = tk::ReadComponent(deepest, nullptr);
    EXPECT_EQ(DescribeTree(static_cast<TestNode*>(read)), DescribeTree(root));
    read->Free();

    last->AddChild(new TestNode(root));
    EXPECT_THROW(tk::WriteComponent(root), tk::EComponentError);
    root->Free();
}

} // namespace
