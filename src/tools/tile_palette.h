#pragma once
// The tile palette's picking rules apart from its window: the tile under a
// sheet pixel and the block a drag picks, in sheet pixels (client pixels
// plus the scroll positions).

#include <cstdint>

#include "base/geometry.h"

namespace quarl {

constexpr int kSheetTilePixels = 16;
constexpr int kSheetTilesPerRow = 40;
constexpr int kSheetWidth = kSheetTilePixels * kSheetTilesPerRow;  // 640

// The tile at sheet pixel (x, y), each taken as a signed 16-bit value and
// divided by 16 toward zero.
int32_t TileNumberAt(int32_t x, int32_t y);

// Left not above right, top not above bottom.
Rect Normalised(Rect r);

// A block pick: the press snaps to its tile (the anchor); each move takes
// the pointer's client position as unsigned 16-bit words raised to the next
// tile boundary, so that the block runs from the anchor's corner to there.
class BlockPick {
 public:
  // A press at client (x, y) with the palette scrolled to (scrollX, scrollY).
  BlockPick(int x, int y, int scrollX, int scrollY);
  // The pointer moved to the client position whose packed words are
  // (xWord, yWord); the scroll positions are those of the press.
  void MoveTo(uint16_t xWord, uint16_t yWord);
  // The highlight to draw: the working rectangle, normalised.
  Rect Highlight() const { return Normalised(working_); }

  struct Block {
    int32_t tile = 0, width = 0, height = 0;
    bool operator==(const Block&) const = default;
  };
  Block Picked() const;

 private:
  Rect working_;
  int scrollX_ = 0, scrollY_ = 0;
};

// The highlight of a single tile's square on the sheet.
Rect TileSquare(int32_t tile);

}  // namespace quarl
