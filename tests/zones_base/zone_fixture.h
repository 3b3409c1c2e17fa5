#pragma once

// A root zone shown by a site double with the standard theme's measures;
// leaves are added by hand, so each test builds exactly the tree it needs.

#include <ostream>

#include "support/zone_tree_fixture.h"

using ZoneTest = ZoneTreeTest;
