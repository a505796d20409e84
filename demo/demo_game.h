#pragma once
// The demo game: a generated tile sheet and animation file in which every
// piece of the placement tables and every mirror/rotate group has real art.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/tile_sheet_writer.h"
#include "history/piece_geometry.h"

namespace quarl::demo {

constexpr int kTileSize = 16;
constexpr int kSheetColumns = 40;
constexpr int kSheetRows = 100;
constexpr int kSheetWidth = kTileSize * kSheetColumns;  // 640
constexpr int kSheetHeight = kTileSize * kSheetRows;    // 1600
constexpr int kAnimationIds = 256;  // records written to anims.dat

using Rgb = PaletteColour;

// One 16 x 16 tile of palette indices, row by row from the top.
struct TileImage {
  std::array<uint8_t, kTileSize * kTileSize> px{};
  uint8_t& at(int x, int y) { return px[y * kTileSize + x]; }
  uint8_t at(int x, int y) const { return px[y * kTileSize + x]; }
  bool operator==(const TileImage&) const = default;
};

// The picture of a tile after a symmetry of the square (the same transform
// that acts on piece descriptions).
TileImage TransformTile(const TileImage& tile, SquareTransform t);

struct DemoGame {
  std::array<Rgb, 256> palette{};
  std::vector<uint8_t> sheet;                    // kSheetWidth x kSheetHeight indices, top row first
  std::vector<std::vector<uint16_t>> animations;  // frames (tile numbers) per animation id

  TileImage Tile(int tile) const;
  void SetTile(int tile, const TileImage& image);
};

DemoGame BuildDemoGame();

// Byte images of the two files.
std::vector<uint8_t> EncodeTilesBmp(const DemoGame& game);
std::vector<uint8_t> EncodeAnimsDat(const DemoGame& game);

// Writes tiles.bmp, anims.dat and mrdata.dat (the built-in mirror and rotate
// tables) into the directory; false with a message on failure.
bool WriteDemoGame(const DemoGame& game, const std::string& directory, std::string* error);

}  // namespace quarl::demo
