#include <orlodock/docking/OrloDockZones.h>

#include <orlodock/tk/exceptions.h>

namespace {

tk::String Text(const char* latin1) { return tk::String::fromLatin1(latin1); }

} // namespace

void RegisterDockZoneClasses() {
    static const bool registered = [] {
        // The base is abstract: a stream may name it, but nothing can be made of it.
        tk::RegisterClass(Text("TOrloDockZone"), [](tk::Component*) -> tk::Component* {
            throw tk::EComponentError(Text("Cannot create an instance of the abstract class TOrloDockZone"));
        });
        tk::RegisterClass<TOrloDockContainerZone>(Text("TOrloDockContainerZone"));
        tk::RegisterClass<TOrloDockRootZone>(Text("TOrloDockRootZone"));
        tk::RegisterClass<TOrloDockControlZone>(Text("TOrloDockControlZone"));
        tk::RegisterClass<TOrloDockTabbedContainerZone>(Text("TOrloDockTabbedContainerZone"));
        return true;
    }();
    (void)registered;
}

namespace {

// Registration at static initialisation; the zone constructors reference this
// unit, so the static-library linker keeps it.
const bool registeredAtStartup = (RegisterDockZoneClasses(), true);

} // namespace
