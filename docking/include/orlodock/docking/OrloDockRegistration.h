#pragma once

// The docking library's classes in the toolkit's class registry, so that a
// stream can name them: the five zone classes in the order TOrloDockZone,
// TOrloDockContainerZone, TOrloDockRootZone, TOrloDockControlZone,
// TOrloDockTabbedContainerZone, then TOrloDockablePanel, TOrloDockSite and
// TOrloDockingManager.
//
// They are registered when the program starts, in any program that creates a
// dock site or a manager (their constructors call this, which also keeps the
// registration in a program linked against the static library). A program
// that reads zones or panels without either calls it itself first. Later
// calls do nothing.
void RegisterDockingClasses();
