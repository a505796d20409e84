#pragma once
// The animation palette (window class "anims"): one row per animation, its
// frames side by side, in a child window along the right of the frame.

#include <windows.h>

namespace quarl::win {

// Reads anims.dat (program directory) into the animation list, registers
// "anims" and creates the animation palette. 1, or -1 when anims.dat cannot
// be opened (the user has been told).
int LoadAnimations(HWND frame);

}  // namespace quarl::win
