#pragma once
// The one routine every window uses to draw tiles from the tile sheet.

#include <windows.h>

#include <cstdint>

#include "base/win/app_globals.h"
#include "tools/tile_palette.h"

namespace quarl::win {

// Copies the w x h block of tiles whose top-left tile is `tile` from the sheet
// context to (x, y) of dc: one (w x 16) x (h x 16) pixel rectangle.
inline BOOL DrawTiles(HDC dc, int x, int y, int32_t tile, int w = 1, int h = 1) {
  return BitBlt(dc, x, y, w * kSheetTilePixels, h * kSheetTilePixels, App().sheetContext,
                (tile % kSheetTilesPerRow) * kSheetTilePixels, (tile / kSheetTilesPerRow) * kSheetTilePixels,
                SRCCOPY);
}

}  // namespace quarl::win
