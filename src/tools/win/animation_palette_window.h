#pragma once
// The animation palette (window class "anims"): one row per animation id,
// the id at the left and the frames side by side from x = 32, the current
// animation inside a bump edge, in a child window along the right of the
// frame. A click picks the row's animation and makes the Edit tool current;
// a double click also turns animation mode on.

#include <windows.h>

namespace quarl::win {

// Reads anims.dat (program directory) into the animation list, registers
// "anims" and creates the animation palette. 0, -1 when anims.dat cannot be
// opened, or the system's code when the class could not be registered (the
// user has been told of both; the window is made all the same then).
int CreateAnimationPalette(HWND frame);

// One row as the palette and the Customize window's animation picker draw
// it, its top-left at (x0, y): the window colour over the row's width, the
// animation's frames from x0 + 32 and its id in hexadecimal in the first
// idWidth pixels, in `font` (null: the context's own).
void DrawAnimationRowContents(HDC dc, int x0, int y, int id, int idWidth, HFONT font);

}  // namespace quarl::win
