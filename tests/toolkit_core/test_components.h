#pragma once

// Components used by the toolkit core tests: a node that publishes every
// property kind, streams a nested component in a defined property and keeps
// a child list like a container (children are linked by SetParentComponent,
// not owned), and a recorder that logs the notifications it receives.

#include <cstdint>
#include <string>
#include <vector>

#include <orlodock/tk/component.h>
#include <orlodock/tk/streaming.h>

namespace coretest {

using tk::Component;
using tk::Operation;
using tk::String;

// Lines appended by Recorder and TestNode; tests clear it first.
std::vector<std::string>& EventLog();
std::string Describe(const Component* c);

// Logs "<receiver> <insert|remove> <subject>" for every notification and
// "free <name>" from BeforeDestruction.
class Recorder : public Component {
public:
    explicit Recorder(Component* owner = nullptr, const char* name = "");
    ~Recorder() override;
    static int Live;
    // Subjects whose derived class answered during the removal notification.
    std::vector<std::string> WholeOnRemoval;
    using Component::Notification; // for tests that drive it directly

protected:
    void Notification(Component* component, Operation operation) override;
    void BeforeDestruction() override;
};

class TestNode : public Component {
public:
    enum Kind : int { kFirst, kSecond, kThird };

    explicit TestNode(Component* owner = nullptr);
    ~TestNode() override;
    String ClassName() const override { return QStringLiteral("TTestNode"); }

    static int Live;
    // Failure injection for the apply phase.
    static std::int64_t FailOnCount;
    static tk::Bytes FailOnPayload;

    std::int64_t Count = 0;
    String Caption;
    bool Enabled = false;
    Kind NodeKind = kFirst;
    Component* Link = nullptr;
    bool CountStored = true;
    tk::Bytes Payload;
    TestNode* Inner = nullptr; // owned; streamed in the "Nested" property

    TestNode* ParentNode = nullptr;
    std::vector<TestNode*> Children;

    // What ReadState observed.
    bool HadParentBeforeReadState = false;
    Component* ReaderParent = nullptr;
    unsigned StateDuringReadState = 0;
    int LoadedCalls = 0;

    void AddChild(TestNode* child);
    void SetCount(std::int64_t v);

    void GetProperties(tk::PropertyList& list) override;
    void DefineProperties(tk::Filer& filer) override;
    void GetChildren(const std::function<void(Component*)>& proc, Component* root) override;
    void ReadState(tk::Reader& reader) override;
    bool HasParent() const override { return ParentNode != nullptr; }
    Component* GetParentComponent() const override { return ParentNode; }
    void SetParentComponent(Component* parent) override;
    void Loaded() override;

protected:
    void Notification(Component* component, Operation operation) override;
};

// A second streamed class with one more property.
class TestLeaf : public TestNode {
public:
    using TestNode::TestNode;
    String ClassName() const override { return QStringLiteral("TTestLeaf"); }
    String Note;
    void GetProperties(tk::PropertyList& list) override;
};

void RegisterTestClasses();

} // namespace coretest
