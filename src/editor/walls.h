#pragma once
// The Wall tool: each wall cell takes the piece of the current wall set that
// matches which of its four neighbours are walls, and the neighbours that are
// walls re-join to the new piece. Here so far: the wall test, the neighbour
// mask and the piece for a mask. Placing a wall and re-joining come next.

#include <cstdint>

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

}  // namespace quarl
