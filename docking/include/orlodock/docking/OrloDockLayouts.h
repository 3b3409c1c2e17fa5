#pragma once

// The arrangement of every dock site of a window (a form, a TOrloDockHost,
// any control) as one versioned blob, for QSettings or a file. For each site
// the blob holds its layout (SaveLayout), the size it stands out from its
// edge and which of its panels are hidden. Sites are known by their
// component name; a site without one by its place among the window's sites
// ("site 1", "site 2", ...).

#include <vector>

#include <orlodock/tk/streaming.h>
#include <orlodock/tk/tkstring.h>

class TOrloDockSite;

namespace tk {
class Control;
}

// The dock sites below `window` (itself included), depth first in child order.
std::vector<TOrloDockSite*> DockSitesOf(tk::Control* window);

tk::Bytes SaveDockLayouts(tk::Control* window);

// Restores what SaveDockLayouts wrote. The whole blob is checked first: its
// envelope, its format version and every site's layout, read and checked as
// the site would. Damaged or foreign data, or a blob written by a newer
// format, raises tk::EReadError naming what is wrong, and nothing changes.
// What the application no longer has is skipped, one message each in the
// answer: a site of the blob that the window lacks, a panel that no site
// finds (its place stays empty). A panel that was docked before and that no
// saved layout names stays in its site rather than vanishing.
tk::StringList RestoreDockLayouts(tk::Control* window, const tk::Bytes& data);
