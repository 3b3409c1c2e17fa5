#pragma once

// Room for the visible zones of a loaded tree. A layout holds shares but not
// which panels were shown when it was saved: a panel hidden then and shown now
// comes back with the share it had when it was hidden, which may leave it, or
// a sibling behind it, no room at all.

class TOrloDockContainerZone;

// Lays out again, with changed shares, every container below `top` (itself
// included) that has room for all of its visible children at their minimum
// size but leaves one of them less. The others keep what they had above their
// minimum in proportion. `top` must have been laid out. Answers whether a
// share changed.
bool GiveVisibleZonesRoom(TOrloDockContainerZone* top);
