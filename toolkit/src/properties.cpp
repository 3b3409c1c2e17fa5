#include <orlodock/tk/properties.h>

#include <utility>

namespace tk {

void PropertyList::AddInteger(String name, std::function<std::int64_t()> get, std::function<void(std::int64_t)> set) {
    PropertyInfo p;
    p.Name = std::move(name);
    p.Kind = PropKind::Integer;
    p.GetInt = std::move(get);
    p.SetInt = std::move(set);
    items_.push_back(std::move(p));
}

void PropertyList::AddBoolean(String name, std::function<bool()> get, std::function<void(bool)> set) {
    PropertyInfo p;
    p.Name = std::move(name);
    p.Kind = PropKind::Boolean;
    p.GetInt = [get = std::move(get)]() -> std::int64_t { return get() ? 1 : 0; };
    p.SetInt = [set = std::move(set)](std::int64_t v) { set(v != 0); };
    items_.push_back(std::move(p));
}

void PropertyList::AddString(String name, std::function<String()> get, std::function<void(const String&)> set) {
    PropertyInfo p;
    p.Name = std::move(name);
    p.Kind = PropKind::String;
    p.GetString = std::move(get);
    p.SetString = std::move(set);
    items_.push_back(std::move(p));
}

void PropertyList::AddEnum(String name, StringList identifiers, std::function<int()> get,
                           std::function<void(int)> set) {
    PropertyInfo p;
    p.Name = std::move(name);
    p.Kind = PropKind::Enum;
    p.EnumNames = std::move(identifiers);
    p.GetInt = [get = std::move(get)]() -> std::int64_t { return get(); };
    p.SetInt = [set = std::move(set)](std::int64_t v) { set(static_cast<int>(v)); };
    items_.push_back(std::move(p));
}

void PropertyList::AddComponent(String name, std::function<Component*()> get, std::function<void(Component*)> set) {
    PropertyInfo p;
    p.Name = std::move(name);
    p.Kind = PropKind::Component;
    p.GetComponent = std::move(get);
    p.SetComponent = std::move(set);
    items_.push_back(std::move(p));
}

void PropertyList::SetStored(std::function<bool()> stored) {
    if (!items_.empty())
        items_.back().Stored = std::move(stored);
}

const PropertyInfo* PropertyList::Find(const String& name) const {
    for (const PropertyInfo& p : items_)
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

} // namespace tk
