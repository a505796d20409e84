#pragma once
// The info panel (window class "zorinfo"), under the toolbox: the tile and
// offset under the pointer, the anim offset to paint with, the "Use Anim"
// switch and the current team. Its control ids are in
// base/win/info_panel_fields.h, for the windows that write its displays.

#include <windows.h>

#include "base/win/info_panel_fields.h"

namespace quarl::win {

// Registers "zorinfo" and creates the info panel. 0, or the system's code
// when the class could not be registered (-1 when it gave none); the window
// is created all the same.
int CreateInfoPanel(HWND frame);

}  // namespace quarl::win
