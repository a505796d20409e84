#pragma once
// The Wall tool: each wall cell takes the piece of the current wall set that
// matches which of its four neighbours are walls, and the neighbours that are
// walls re-join to the new piece. Here so far: the wall test, the neighbour
// mask and the piece for a mask, placing a wall and re-joining.

#include <cstdint>

#include "editor/editor.h"
#include "map/map_document.h"

namespace quarl {

// Bits of a neighbour mask.
enum WallNeighbour : int32_t { WALL_UP = 1, WALL_DOWN = 2, WALL_LEFT = 4, WALL_RIGHT = 8 };

// A tile is a wall when it is the single wall piece or a piece of any wall
// set, not only the current one.
bool IsWallTile(int32_t tile);

// The neighbours of cell (column, row) whose tile word is a wall. Neighbours
// outside the map never count; a map does not wrap at its edges.
int32_t WallNeighbourMask(const MapDocument& doc, int32_t column, int32_t row);

// The piece of wall set `wallSet` that joins the neighbours of `mask`
// (0..15): the single wall piece for no neighbour. A set outside the table
// gives the single piece too.
int32_t WallJoinTile(int32_t wallSet, int32_t mask);

// Re-tiles the wall at (column, row) from the current wall set for its own
// neighbours and the extra bits. Only its tile word changes, and no history
// is kept for it: undoing a wall brings back the placed cell alone.
void RejoinWall(MapDocument& doc, int32_t wallSet, int32_t column, int32_t row, int32_t extraBits);

// The Wall tool at cell (column, row): one single-cell step writing the
// current set's piece for the cell's wall neighbours, then each neighbour
// that is a wall re-joins to it (up, down, left, right in that order).
// Repaints the window. Returns 1, or 0 when the window has no map or the
// cell lies outside it.
int PlaceWall(Editor& editor, WindowId window, int32_t column, int32_t row);

}  // namespace quarl
