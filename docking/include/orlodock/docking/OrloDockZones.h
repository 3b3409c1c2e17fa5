#pragma once

// The zone tree: base, containers, root, leaves and tab groups.

#include <orlodock/docking/OrloDockContainerZone.h>
#include <orlodock/docking/OrloDockControlZone.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockTabbedContainerZone.h>
#include <orlodock/docking/OrloDockZone.h>
#include <orlodock/docking/OrloDockZoneIntf.h>

// Registers the five zone classes with the toolkit's class registry, in the
// order TOrloDockZone, TOrloDockContainerZone, TOrloDockRootZone,
// TOrloDockControlZone, TOrloDockTabbedContainerZone. Runs once; later calls
// do nothing. Called at start-up and by every zone constructor.
void RegisterDockZoneClasses();
