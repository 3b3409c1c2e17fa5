#include "stream_fixtures.h"

namespace coretest {

TestNode* MakeSampleTree() {
    auto* root = new TestNode();
    root->SetName(QStringLiteral("Root"));
    root->Count = -5;
    root->Caption = QStringLiteral("H\u00e4llo 'q'\nline");
    root->Enabled = true;
    root->NodeKind = TestNode::kThird;
    root->Payload = tk::Bytes("\x00\x01\xff payload!", 12);

    auto* first = new TestLeaf(root);
    first->SetName(QStringLiteral("First"));
    first->Count = 1;
    first->Note = QStringLiteral("leaf note");
    first->Link = root;
    root->AddChild(first);

    auto* deep = new TestNode(root);
    deep->Count = 2;
    deep->NodeKind = TestNode::kSecond;
    deep->Link = first;
    first->AddChild(deep);

    auto* second = new TestNode(root);
    second->SetName(QStringLiteral("Second"));
    second->Count = INT64_MAX;
    second->NodeKind = TestNode::kSecond;
    root->AddChild(second);
    root->Link = second;

    auto* inner = new TestNode(root);
    inner->SetName(QStringLiteral("InnerRoot"));
    inner->Count = 7;
    auto* innerLeaf = new TestLeaf(inner);
    innerLeaf->SetName(QStringLiteral("InnerLeaf"));
    innerLeaf->Note = QStringLiteral("inside");
    inner->AddChild(innerLeaf);
    root->Inner = inner;
    return root;
}

std::string DescribeTree(const TestNode* node, int depth) {
    const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
    std::string s = indent + node->ClassName().toStdString() + " '" + node->Name().toStdString() + "'";
    s += " Count=" + std::to_string(node->Count);
    s += " Caption=" + node->Caption.toStdString();
    s += " Enabled=" + std::to_string(node->Enabled);
    s += " Kind=" + std::to_string(node->NodeKind);
    s += " Link=" + (node->Link ? "'" + node->Link->Name().toStdString() + "'" : std::string("none"));
    s += " Payload=" + node->Payload.toHex().toStdString();
    if (auto* leaf = dynamic_cast<const TestLeaf*>(node))
        s += " Note=" + leaf->Note.toStdString();
    s += "\n";
    if (node->Inner)
        s += indent + "inner:\n" + DescribeTree(node->Inner, depth + 2);
    for (const TestNode* c : node->Children)
        s += DescribeTree(c, depth + 1);
    return s;
}

StreamBuilder::StreamBuilder(bool header, std::uint16_t version) {
    if (header) {
        bytes_.append(tk::stream::kSignature, sizeof tk::stream::kSignature);
        U8(static_cast<std::uint8_t>(version));
        U8(static_cast<std::uint8_t>(version >> 8));
    }
}

StreamBuilder& StreamBuilder::U8(std::uint8_t v) {
    bytes_.append(static_cast<char>(v));
    return *this;
}

StreamBuilder& StreamBuilder::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        U8(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
}

StreamBuilder& StreamBuilder::I64(std::int64_t v) {
    for (int i = 0; i < 8; ++i)
        U8(static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i)));
    return *this;
}

StreamBuilder& StreamBuilder::Str(const char* s) {
    const tk::Bytes utf8(s);
    U32(static_cast<std::uint32_t>(utf8.size()));
    bytes_.append(utf8);
    return *this;
}

StreamBuilder& StreamBuilder::Begin(const char* className, const char* name) {
    return U8(tk::stream::tagObject).Str(className).Str(name);
}

StreamBuilder& StreamBuilder::End() { return U8(tk::stream::tagEnd); }

StreamBuilder& StreamBuilder::Int(const char* prop, std::int64_t v) {
    return U8(tk::stream::tagInteger).Str(prop).I64(v);
}

StreamBuilder& StreamBuilder::Text(const char* prop, const char* v) {
    return U8(tk::stream::tagString).Str(prop).Str(v);
}

StreamBuilder& StreamBuilder::Bool(const char* prop, std::uint8_t v) {
    return U8(tk::stream::tagBoolean).Str(prop).U8(v);
}

StreamBuilder& StreamBuilder::Enum(const char* prop, const char* ident) {
    return U8(tk::stream::tagEnum).Str(prop).Str(ident);
}

StreamBuilder& StreamBuilder::Ref(const char* prop, const char* name) {
    return U8(tk::stream::tagReference).Str(prop).Str(name);
}

StreamBuilder& StreamBuilder::Binary(const char* prop, const tk::Bytes& data) {
    U8(tk::stream::tagBinary).Str(prop).U32(static_cast<std::uint32_t>(data.size()));
    bytes_.append(data);
    return *this;
}

} // namespace coretest
