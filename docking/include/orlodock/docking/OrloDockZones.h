#pragma once

// The zone tree: base, containers, root, leaves and tab groups.

#include <orlodock/docking/OrloDockContainerZone.h>
#include <orlodock/docking/OrloDockControlZone.h>
#include <orlodock/docking/OrloDockRootZone.h>
#include <orlodock/docking/OrloDockTabbedContainerZone.h>
#include <orlodock/docking/OrloDockZone.h>
#include <orlodock/docking/OrloDockZoneIntf.h>
