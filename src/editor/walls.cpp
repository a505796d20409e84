#include "editor/walls.h"

#include "history/cell_edit.h"
#include "history/undo.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

// The wall-set entry each mask picks: right, left, down and up alone are
// entries 0..3, the straight pairs 4 and 5, the corners 6..9, the T pieces
// 10..13 and the crossing 14. Mask 0 has no entry (the single piece).
constexpr int32_t kEntryOfMask[16] = {-1, 3, 2, 5, 1, 9, 7, 13, 0, 8, 6, 12, 4, 11, 10, 14};

bool IsWallAt(const MapDocument& doc, int32_t column, int32_t row) {
  if (column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return false;
  return IsWallTile(doc.At(column, row).tile);
}

}  // namespace

bool IsWallTile(int32_t tile) {
  if (tile == SINGLE_WALL_TILE) return true;
  for (const auto& set : wallSets) {
    for (int32_t piece : set) {
      if (piece == tile) return true;
    }
  }
  return false;
}

int32_t WallNeighbourMask(const MapDocument& doc, int32_t column, int32_t row) {
  int32_t mask = 0;
  if (IsWallAt(doc, column, row - 1)) mask |= WALL_UP;
  if (IsWallAt(doc, column - 1, row)) mask |= WALL_LEFT;
  if (IsWallAt(doc, column + 1, row)) mask |= WALL_RIGHT;
  if (IsWallAt(doc, column, row + 1)) mask |= WALL_DOWN;
  return mask;
}

int32_t WallJoinTile(int32_t wallSet, int32_t mask) {
  const int32_t entry = kEntryOfMask[mask & 15];
  if (entry < 0 || wallSet < 0 || wallSet >= wallSetCount) return SINGLE_WALL_TILE;
  return wallSets[wallSet][entry];
}

void RejoinWall(MapDocument& doc, int32_t wallSet, int32_t column, int32_t row, int32_t extraBits) {
  if (column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return;
  doc.At(column, row).tile = WallJoinTile(wallSet, WallNeighbourMask(doc, column, row) | extraBits);
}

int PlaceWall(Editor& editor, WindowId window, int32_t column, int32_t row) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return 0;
  MapDocument& doc = *map->doc;
  const int32_t wallSet = editor.tools.currentWallSet;
  const int32_t mask = WallNeighbourMask(doc, column, row);
  {
    CellEdit edit(doc, {row * kMapCells + column, 1, 1, HISTORY_REGION});
    edit.Set(column, row, {WallJoinTile(wallSet, mask), -1, -1});
    edit.Commit();
  }
  // Each neighbour takes the new piece as a wall on its side.
  if (mask & WALL_UP) RejoinWall(doc, wallSet, column, row - 1, WALL_DOWN);
  if (mask & WALL_DOWN) RejoinWall(doc, wallSet, column, row + 1, WALL_UP);
  if (mask & WALL_LEFT) RejoinWall(doc, wallSet, column - 1, row, WALL_RIGHT);
  if (mask & WALL_RIGHT) RejoinWall(doc, wallSet, column + 1, row, WALL_LEFT);
  if (editor.windows) editor.windows->RepaintWindow(window);
  return 1;
}

}  // namespace quarl
