#pragma once

// The zone tree: base, containers, root, leaves and tab groups.

#include "OrloDockContainerZone.h"
#include "OrloDockControlZone.h"
#include "OrloDockRootZone.h"
#include "OrloDockTabbedContainerZone.h"
#include "OrloDockZone.h"
#include "OrloDockZoneIntf.h"

// Registers the five zone classes with the toolkit's class registry, in the
// order TOrloDockZone, TOrloDockContainerZone, TOrloDockRootZone,
// TOrloDockControlZone, TOrloDockTabbedContainerZone. Runs once; later calls
// do nothing. Called at start-up and by every zone constructor.
void RegisterDockZoneClasses();
