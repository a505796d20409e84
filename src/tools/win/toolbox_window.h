#pragma once
// The toolbox (window class "zortoolbox"): the picture of the 17 tools in
// the current layout (a 4-column block docked at the left, or a bar along
// the top), the current tool drawn sunken, a tooltip for each button. A
// click runs the button's command: a popup of options (tools/toolbox.h), or
// for Copy, Cut, Paste, Rotate and Mirror a command sent to the frame.
// Dragging the grip into the other docking band switches the layout.

#include <windows.h>

namespace quarl::win {

// Registers "zortoolbox" and creates the toolbox. 0, or the system's error
// code (-1 when it gave none).
int CreateToolbox(HWND frame);

}  // namespace quarl::win
