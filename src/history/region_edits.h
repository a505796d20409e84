#pragma once
// Edits of a rectangular region of cells: copying a block out, writing one
// in (Paste), Fill Selection's fill and Delete's erase. Each one is a single
// CellEdit, so it records exactly one history step. They take plain values;
// the selection, the messages and the game-type questions are the caller's.

#include <cstdint>
#include <vector>

#include "history/cell_edit.h"
#include "map/map_document.h"

namespace quarl {

// A width x height block of cell values, row by row.
struct CellBlock {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<CellValues> values;  // width * height of them

  const CellValues& At(int32_t column, int32_t row) const {
    return values[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)];
  }
};

// The tile block picked in the tile palette: its top-left tile and its size
// in tiles; block cell (dx, dy) is tile + dx + dy * 40.
struct TileBlock {
  int32_t tile = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The cells of the width x height rectangle at startCell that lie inside the
// map: the block is cut at the map's right and bottom edges (a selection
// never reaches past them), and is 0 x 0 for a start outside the map.
CellBlock CopyCellBlock(const MapDocument& doc, int32_t startCell, int32_t width, int32_t height);

// Paste: writes the block with its top-left value on startCell. Values that
// would land right of column 255 are skipped, rows below row 255 are not
// written. The step covers the whole block (startCell, width, height, kind 0)
// even where it reaches past the map; the modified flag is left as it was.
// Returns the rectangle written.
CellRect PasteCellBlock(MapDocument& doc, int32_t startCell, const CellBlock& block);

// Fill Selection with a tile block: the region is covered in bands of the
// block's height from its top, each band in steps of the block's width from
// its left; block cells falling outside the region (or the map) are dropped.
// A block of width or height 0 writes nothing. Step (startCell, width,
// height, kind 0); modified set.
CellRect FillRegionWithTiles(MapDocument& doc, int32_t startCell, int32_t width, int32_t height,
                             const TileBlock& block);

// Fill Selection with an animation: every cell of the region gets the
// animation and the anim offset as its data; its tile word stays.
CellRect FillRegionWithAnimation(MapDocument& doc, int32_t startCell, int32_t width, int32_t height,
                                 int32_t anim, int32_t animOffset);

// Delete (and the erase of Cut): every cell of the region inside the map
// becomes a blank tile. The step (startCell, width, height, kind 0) is pushed
// and modified set whatever the region, so Delete without a selection
// (-1, -1, -1) records a step that changes nothing.
CellRect EraseRegion(MapDocument& doc, int32_t startCell, int32_t width, int32_t height);

}  // namespace quarl
