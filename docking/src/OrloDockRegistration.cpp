#include <orlodock/docking/OrloDockRegistration.h>

#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/exceptions.h>

void RegisterDockingClasses() {
    static const bool registered = [] {
        // The base is abstract: a stream may name it, but nothing can be made of it.
        tk::RegisterClass(tk::Latin1("TOrloDockZone"), [](tk::Component*) -> tk::Component* {
            throw tk::EComponentError(tk::Latin1("Cannot create an instance of the abstract class TOrloDockZone"));
        });
        tk::RegisterClass<TOrloDockContainerZone>(tk::Latin1("TOrloDockContainerZone"));
        tk::RegisterClass<TOrloDockRootZone>(tk::Latin1("TOrloDockRootZone"));
        tk::RegisterClass<TOrloDockControlZone>(tk::Latin1("TOrloDockControlZone"));
        tk::RegisterClass<TOrloDockTabbedContainerZone>(tk::Latin1("TOrloDockTabbedContainerZone"));
        tk::RegisterClass<TOrloDockablePanel>(tk::Latin1("TOrloDockablePanel"));
        tk::RegisterClass<TOrloDockSite>(tk::Latin1("TOrloDockSite"));
        tk::RegisterClass<TOrloDockingManager>(tk::Latin1("TOrloDockingManager"));
        return true;
    }();
    (void)registered;
}

namespace {

// At start-up, so that a form stream read before any site or manager exists
// finds the classes it names.
const bool registeredAtStartup = (RegisterDockingClasses(), true);

} // namespace
