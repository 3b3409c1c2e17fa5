#pragma once

// Shared by the streaming tests: a sample tree using every property kind, a
// description of a tree taken from the objects themselves (not from a
// stream), and a builder for hand-made streams.

#include <cstdint>
#include <string>

#include "stream_format.h"
#include "test_components.h"

namespace coretest {

// Root "Root" with children "First" (a TTestLeaf with an unnamed child) and
// "Second"; Root.Link -> Second, First.Link -> Root, the unnamed child links
// First; Root carries a 12-byte payload and a nested stream of "InnerRoot"
// with a child "InnerLeaf". Children are owned by the root, as after reading.
TestNode* MakeSampleTree();

// Class, name, every property, payload, nested component and children,
// recursively; references by name.
std::string DescribeTree(const TestNode* node, int depth = 0);

// Writes the bytes of a stream by hand.
class StreamBuilder {
public:
    explicit StreamBuilder(bool header = true, std::uint16_t version = tk::stream::kVersion);
    StreamBuilder& U8(std::uint8_t v);
    StreamBuilder& U32(std::uint32_t v);
    StreamBuilder& I64(std::int64_t v);
    StreamBuilder& Str(const char* s);
    StreamBuilder& Begin(const char* className, const char* name = "");
    StreamBuilder& End();
    StreamBuilder& Int(const char* prop, std::int64_t v);
    StreamBuilder& Text(const char* prop, const char* v);
    StreamBuilder& Bool(const char* prop, std::uint8_t v);
    StreamBuilder& Enum(const char* prop, const char* ident);
    StreamBuilder& Ref(const char* prop, const char* name);
    StreamBuilder& Binary(const char* prop, const tk::Bytes& data);
    long long Size() const { return bytes_.size(); }
    const tk::Bytes& Bytes() const { return bytes_; }

private:
    tk::Bytes bytes_;
};

} // namespace coretest
