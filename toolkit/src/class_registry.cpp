#include <orlodock/tk/component.h>

#include <utility>
#include <vector>

namespace tk {

namespace {

struct RegisteredClass {
    String name;
    ComponentFactory factory;
};

// Function-local so registration from static initialisers in other units is safe.
std::vector<RegisteredClass>& Registry() {
    static std::vector<RegisteredClass> classes;
    return classes;
}

RegisteredClass* Lookup(const String& className) {
    for (RegisteredClass& c : Registry())
        if (c.name.compare(className, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

void RegisterClass(const String& className, ComponentFactory factory) {
    if (className.isEmpty() || !factory)
        return;
    // Registering a name again replaces the factory and keeps the original position.
    if (RegisteredClass* existing = Lookup(className))
        existing->factory = std::move(factory);
    else
        Registry().push_back({className, std::move(factory)});
}

bool IsClassRegistered(const String& className) { return Lookup(className) != nullptr; }

ComponentFactory FindClass(const String& className) {
    const RegisteredClass* c = Lookup(className);
    return c ? c->factory : ComponentFactory{};
}

StringList RegisteredClassNames() {
    StringList names;
    for (const RegisteredClass& c : Registry())
        names << c.name;
    return names;
}

} // namespace tk
