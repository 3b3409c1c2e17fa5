#pragma once

// Published properties: what a component stores in a stream. A component
// lists them in GetProperties (base class first, then its own), each with a
// getter and a setter. Enumerations are streamed by their identifiers,
// component references by the referenced component's name.

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

#include <orlodock/tk/tkstring.h>

namespace tk {

class Component;

enum class PropKind { Integer, String, Boolean, Enum, Component };

struct PropertyInfo {
    String Name;
    PropKind Kind = PropKind::Integer;
    // Identifiers of an enumeration, by ordinal; only for PropKind::Enum.
    StringList EnumNames;
    // Integer, Boolean (0/1) and Enum (ordinal) values travel as integers.
    std::function<std::int64_t()> GetInt;
    std::function<void(std::int64_t)> SetInt;
    std::function<String()> GetString;
    std::function<void(const String&)> SetString;
    std::function<Component*()> GetComponent;
    std::function<void(Component*)> SetComponent;
    // When present and false, the property is not written.
    std::function<bool()> Stored;
};

class PropertyList {
public:
    void AddInteger(String name, std::function<std::int64_t()> get, std::function<void(std::int64_t)> set);
    void AddBoolean(String name, std::function<bool()> get, std::function<void(bool)> set);
    void AddString(String name, std::function<String()> get, std::function<void(const String&)> set);
    void AddEnum(String name, StringList identifiers, std::function<int()> get, std::function<void(int)> set);
    void AddComponent(String name, std::function<Component*()> get, std::function<void(Component*)> set);

    // Makes the most recently added property conditional.
    void SetStored(std::function<bool()> stored);

    const std::vector<PropertyInfo>& Items() const { return items_; }
    const PropertyInfo* Find(const String& name) const;

private:
    std::vector<PropertyInfo> items_;
};

} // namespace tk
