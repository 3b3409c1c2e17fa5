#include "test_components.h"

#include <algorithm>
#include <stdexcept>

namespace coretest {

std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}

std::string Describe(const Component* c) { return c ? c->Name().toStdString() : std::string("<null>"); }

int Recorder::Live = 0;

Recorder::Recorder(Component* owner, const char* name) : Component(owner) {
    ++Live;
    SetName(String::fromUtf8(name));
}

Recorder::~Recorder() { --Live; }

void Recorder::Notification(Component* component, Operation operation) {
    EventLog().push_back(Describe(this) + (operation == Operation::Insert ? " insert " : " remove ") +
                         Describe(component));
    // Virtual dispatch on the subject must still reach its most-derived class.
    if (operation == Operation::Remove && component->ClassName() == QStringLiteral("Recorder"))
        WholeOnRemoval.push_back(Describe(component));
    Component::Notification(component, operation);
}

void Recorder::BeforeDestruction() { EventLog().push_back("free " + Describe(this)); }

int TestNode::Live = 0;
std::int64_t TestNode::FailOnCount = INT64_MIN;
tk::Bytes TestNode::FailOnPayload;

TestNode::TestNode(Component* owner) : Component(owner) { ++Live; }

TestNode::~TestNode() {
    if (ParentNode)
        std::erase(ParentNode->Children, this);
    for (TestNode* c : Children)
        c->ParentNode = nullptr;
    --Live;
}

void TestNode::AddChild(TestNode* child) {
    child->ParentNode = this;
    Children.push_back(child);
}

void TestNode::SetCount(std::int64_t v) {
    if (v == FailOnCount)
        throw std::runtime_error("count rejected");
    Count = v;
}

void TestNode::GetProperties(tk::PropertyList& list) {
    Component::GetProperties(list);
    list.AddInteger(
        QStringLiteral("Count"), [this] { return Count; }, [this](std::int64_t v) { SetCount(v); });
    list.SetStored([this] { return CountStored; });
    list.AddString(
        QStringLiteral("Caption"), [this] { return Caption; }, [this](const String& v) { Caption = v; });
    list.AddBoolean(
        QStringLiteral("Enabled"), [this] { return Enabled; }, [this](bool v) { Enabled = v; });
    list.AddEnum(
        QStringLiteral("Kind"), {QStringLiteral("kFirst"), QStringLiteral("kSecond"), QStringLiteral("kThird")},
        [this] { return static_cast<int>(NodeKind); }, [this](int v) { NodeKind = static_cast<Kind>(v); });
    list.AddComponent(
        QStringLiteral("Link"), [this] { return Link; },
        [this](Component* c) {
            if (Link)
                Link->RemoveFreeNotification(this);
            Link = c;
            if (Link)
                Link->FreeNotification(this);
        });
}

void TestNode::DefineProperties(tk::Filer& filer) {
    Component::DefineProperties(filer);
    filer.DefineBinaryProperty(
        QStringLiteral("Payload"),
        [this](const tk::Bytes& data) {
            if (!FailOnPayload.isEmpty() && data == FailOnPayload)
                throw std::runtime_error("payload rejected");
            Payload = data;
        },
        [this] { return Payload; }, !Payload.isEmpty());
    filer.DefineBinaryProperty(
        QStringLiteral("Nested"),
        [this](const tk::Bytes& data) {
            if (data.isEmpty()) {
                Component::FreeAndNil(Inner);
                return;
            }
            Component* read = tk::ReadComponent(data, this);
            Component::FreeAndNil(Inner);
            Inner = dynamic_cast<TestNode*>(read);
        },
        [this] { return tk::WriteComponent(Inner); }, Inner != nullptr);
}

void TestNode::GetChildren(const std::function<void(Component*)>& proc, Component* root) {
    (void)root;
    for (TestNode* c : Children)
        proc(c);
}

void TestNode::ReadState(tk::Reader& reader) {
    HadParentBeforeReadState = ParentNode != nullptr;
    StateDuringReadState = ComponentState();
    Component::ReadState(reader);
    ReaderParent = reader.Parent();
}

void TestNode::SetParentComponent(Component* parent) {
    if (auto* node = dynamic_cast<TestNode*>(parent))
        node->AddChild(this);
}

void TestNode::Loaded() {
    ++LoadedCalls;
    Component::Loaded();
}

void TestNode::Notification(Component* component, Operation operation) {
    if (operation == Operation::Remove) {
        if (component == Link)
            Link = nullptr;
        if (component == Inner)
            Inner = nullptr;
    }
    Component::Notification(component, operation);
}

void TestLeaf::GetProperties(tk::PropertyList& list) {
    TestNode::GetProperties(list);
    list.AddString(
        QStringLiteral("Note"), [this] { return Note; }, [this](const String& v) { Note = v; });
}

void RegisterTestClasses() {
    tk::RegisterClass<TestNode>(QStringLiteral("TTestNode"));
    tk::RegisterClass<TestLeaf>(QStringLiteral("TTestLeaf"));
}

} // namespace coretest
