#pragma once

// A saved layout taken apart and put back together, for tests that damage
// layouts on purpose: the envelope (signature, version, payload length,
// CRC-32) around a component stream, and the stream as a tree of objects
// whose properties can be changed, dropped or added before it is rebuilt.

#include <cstdint>
#include <string>
#include <vector>

#include <orlodock/tk/streaming.h>

struct StreamProperty {
    // The stream's tag: 0x10 integer, 0x11 string, 0x12 Boolean, 0x13
    // enumeration identifier, 0x14 reference, 0x20 binary.
    std::uint8_t Tag = 0x10;
    std::string Name;
    std::int64_t Int = 0;
    // String, identifier, reference or binary value.
    std::string Text;
};

struct StreamObject {
    std::string Class;
    std::string Name;
    std::vector<StreamProperty> Properties;
    std::vector<StreamObject> Children;

    // nullptr when absent.
    StreamProperty* Find(const std::string& name);
    void SetInt(const std::string& name, std::int64_t value);
    void SetText(const std::string& name, const std::string& value);
};

// The payload of a layout (the envelope is not checked), parsed; raises
// std::runtime_error for a stream it cannot take apart.
StreamObject ParseLayout(const tk::Bytes& layout);
// The component stream of `root` in an envelope with the right length and checksum.
tk::Bytes BuildLayout(const StreamObject& root);
tk::Bytes EncodeStream(const StreamObject& root);
// `payload` in an envelope with the right length and checksum.
tk::Bytes WrapLayout(const tk::Bytes& payload);
