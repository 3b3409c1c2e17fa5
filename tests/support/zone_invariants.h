#pragma once

// Checks of a zone tree, for tests to run after every change.
//
// Structure: the library's own tree checker (TOrloDockTreeCheck), across
// all the trees given, so that a panel or zone in two of them is found too.
//
// Layout (separate checks, for trees that have been laid out): the visible
// children of every container tile its client rectangle along its child
// orientation with the one-pixel gap, every visible panel covers exactly its
// leaf's client rectangle, no two shown panels overlap, and no visible zone
// is smaller than its minimum size while its container has room for all.

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class TOrloDockZone;

// Every broken rule below `top`, one readable line each; empty for a sound tree.
// `top` itself may have a parent (a subtree can be checked).
std::vector<std::string> ZoneTreeViolations(TOrloDockZone* top);
// The same for several trees at once; a panel may stand in one leaf of all of them.
std::vector<std::string> ZoneForestViolations(std::initializer_list<TOrloDockZone*> tops);

// For EXPECT_TRUE(ZoneTreeIsSound(root)): lists the violations on failure.
::testing::AssertionResult ZoneTreeIsSound(TOrloDockZone* top);
::testing::AssertionResult ZoneForestIsSound(std::initializer_list<TOrloDockZone*> tops);

// Every rectangle below `top` that does not follow from its parent's layout:
// the tiling and the panels' covering below, together.
std::vector<std::string> ZoneLayoutViolations(TOrloDockZone* top);
::testing::AssertionResult ZoneLayoutIsTight(TOrloDockZone* top);

// Visible children that do not tile their container's client rectangle.
std::vector<std::string> ZoneTilingViolations(TOrloDockZone* top);
// Visible panels that do not cover exactly their leaf's client rectangle.
std::vector<std::string> PanelCoverViolations(TOrloDockZone* top);
// Two shown panels that overlap (of a tab group only the current tab's is shown).
std::vector<std::string> PanelOverlapViolations(TOrloDockZone* top);
// Visible zones smaller than their minimum size (a tab group's includes its
// strip) along their container's arrangement, where the container has room
// for all its visible children: their minimum sizes, the gaps, and for each
// but the last one step of a whole percentage, as shares cannot cut finer.
std::vector<std::string> ZoneRoomViolations(TOrloDockZone* top);
::testing::AssertionResult ZonesKeepTheirMinimumSize(TOrloDockZone* top);
