#pragma once

// The standard controls in one include.

#include <orlodock/tk/button.h>
#include <orlodock/tk/edit.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/treeview.h>
