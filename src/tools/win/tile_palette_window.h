#pragma once
// The tile palette (window class "zortiles"): the tile sheet in a child
// window along the bottom of the frame, scrolled in steps of one tile. The
// number of the tile under the pointer goes to the info panel. A press and
// drag picks a block of tiles (tools/tile_palette.h) and makes the Edit tool
// current; a double-click also turns animation mode off.

#include <windows.h>

namespace quarl::win {

// Registers "zortiles" and creates the tile palette. 0, or the system's
// error code (-1 when it gave none).
int CreateTilePalette(HWND frame);

}  // namespace quarl::win
