#pragma once
// The toolbox (window class "zortoolbox"): the picture of the 17 tools in
// the current layout (a 4-column block docked at the left, or a bar along
// the top), the current tool drawn sunken, a tooltip for each button.

#include <windows.h>

namespace quarl::win {

// Registers "zortoolbox" and creates the toolbox. 0, or the system's error
// code (-1 when it gave none).
int CreateToolbox(HWND frame);

}  // namespace quarl::win
