#pragma once

// The standard controls in one include.

#include "button.h"
#include "edit.h"
#include "panel.h"
#include "treeview.h"
