#include "tools/tile_palette.h"

#include <algorithm>
#include <utility>

namespace quarl {
namespace {

int RaiseToTile(int v) { return (v + kSheetTilePixels - 1) / kSheetTilePixels * kSheetTilePixels; }

}  // namespace

int32_t TileNumberAt(int32_t x, int32_t y) {
  const int16_t sx = static_cast<int16_t>(x), sy = static_cast<int16_t>(y);
  return sx / kSheetTilePixels + (sy / kSheetTilePixels) * kSheetTilesPerRow;
}

Rect Normalised(Rect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

BlockPick::BlockPick(int x, int y, int scrollX, int scrollY) : scrollX_(scrollX), scrollY_(scrollY) {
  // A press left of or above the window still snaps toward zero's tile.
  const int ax = (x - (x % kSheetTilePixels + kSheetTilePixels) % kSheetTilePixels) + scrollX;
  const int ay = (y - (y % kSheetTilePixels + kSheetTilePixels) % kSheetTilePixels) + scrollY;
  working_ = {ax, ay, ax + kSheetTilePixels, ay + kSheetTilePixels};
}

void BlockPick::MoveTo(uint16_t xWord, uint16_t yWord) {
  working_.right = std::min(RaiseToTile(xWord) + scrollX_, kSheetWidth);
  working_.bottom = RaiseToTile(yWord) + scrollY_;
}

BlockPick::Block BlockPick::Picked() const {
  const Rect r = Normalised(working_);
  return {TileNumberAt(r.left, r.top), (r.right - r.left) / kSheetTilePixels, (r.bottom - r.top) / kSheetTilePixels};
}

Rect TileSquare(int32_t tile) {
  const int x = (tile % kSheetTilesPerRow) * kSheetTilePixels, y = (tile / kSheetTilesPerRow) * kSheetTilePixels;
  return {x, y, x + kSheetTilePixels, y + kSheetTilePixels};
}

}  // namespace quarl
