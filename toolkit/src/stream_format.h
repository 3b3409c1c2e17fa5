#pragma once

// Internal to streaming: the byte layout of a component stream and its parsed form.
//
//   stream   := signature "TKCS" , version:u16 , object        (nothing may follow)
//   object   := 0x01 , class:str , name:str , property* , child-object* , 0x00
//   property := 0x10 name:str i64        integer
//             | 0x11 name:str str        string
//             | 0x12 name:str u8(0|1)    Boolean
//             | 0x13 name:str ident:str  enumeration identifier
//             | 0x14 name:str ref:str    component reference by name
//             | 0x20 name:str u32 bytes  defined (binary) property
//   str      := u32 byte count , UTF-8
// Integers are little-endian. Properties come before children.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <orlodock/tk/properties.h>
#include <orlodock/tk/streaming.h>

namespace tk::stream {

inline constexpr char kSignature[4] = {'T', 'K', 'C', 'S'};
inline constexpr std::uint16_t kVersion = 1;
// Objects nested deeper than this are refused by the writer and the reader.
inline constexpr int kMaxDepth = 64;

enum Tag : std::uint8_t {
    tagEnd = 0x00,
    tagObject = 0x01,
    tagInteger = 0x10,
    tagString = 0x11,
    tagBoolean = 0x12,
    tagEnum = 0x13,
    tagReference = 0x14,
    tagBinary = 0x20,
};

struct ParsedProperty {
    String Name;
    PropKind Kind = PropKind::Integer;
    std::int64_t Int = 0;
    String Text; // string value, enumeration identifier or referenced name
    long long Position = 0;
};

struct ParsedBinary {
    String Name;
    Bytes Data;
    long long Position = 0;
};

struct ParsedObject {
    String ClassName;
    String Name;
    long long Position = 0;
    std::vector<ParsedProperty> Properties;
    std::vector<ParsedBinary> Binaries;
    std::vector<std::unique_ptr<ParsedObject>> Children;
};

// What the parser checks an object's properties against.
struct PropertySchema {
    String Name;
    PropKind Kind = PropKind::Integer;
    StringList EnumNames;
};

struct ClassSchema {
    std::vector<PropertySchema> Properties;
    StringList Binaries;
    const PropertySchema* Find(const String& name) const;
    bool HasBinary(const String& name) const;
};

// Answers the schema of a class, or nullptr with `error` set. `top` is true
// for the outermost object.
using SchemaLookup = std::function<const ClassSchema*(const String& className, bool top, String& error)>;

// Parses and validates a whole stream; raises EReadError with the byte
// position of the first fault. Without a lookup only the structure is checked.
std::unique_ptr<ParsedObject> Parse(const Bytes& data, const SchemaLookup& lookup);

// The schema `component` publishes (its properties and defined property names).
ClassSchema SchemaOf(Component* component);

String KindName(PropKind kind);

} // namespace tk::stream
