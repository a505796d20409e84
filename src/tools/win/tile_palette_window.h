#pragma once
// The tile palette (window class "zortiles"): the tile sheet in a child
// window along the bottom of the frame, scrolled in steps of one tile. The
// number of the tile under the pointer goes to the info panel.

#include <windows.h>

namespace quarl::win {

// Registers "zortiles" and creates the tile palette. 0, or the system's
// error code (-1 when it gave none).
int CreateTilePalette(HWND frame);

}  // namespace quarl::win
