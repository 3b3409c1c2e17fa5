#pragma once

// Structural checks of a zone tree, for tests to run after every change:
// parent links, one listing per zone, each child's orientation equal to its
// parent's child orientation, one site for the whole tree, each panel in at
// most one leaf.

#include <string>
#include <vector>

#include <gtest/gtest.h>

class TOrloDockZone;

// Every broken rule below `top`, one readable line each; empty for a sound tree.
// `top` itself may have a parent (a subtree can be checked).
std::vector<std::string> ZoneTreeViolations(TOrloDockZone* top);

// For EXPECT_TRUE(ZoneTreeIsSound(root)): lists the violations on failure.
::testing::AssertionResult ZoneTreeIsSound(TOrloDockZone* top);
