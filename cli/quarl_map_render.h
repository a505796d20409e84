#pragma once
// quarl-map render: the whole map as the map window draws it (4096 x 4096,
// the sheet's own colours), or the overview's 256 x 256 picture, as a PNG.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "map/map_document.h"
#include "tools/animations.h"

namespace quarl {

struct PaletteColour {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const PaletteColour&) const = default;
};

// An 8-bit tile sheet as tiles.bmp holds it, rows top first.
struct TileSheet {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  std::vector<PaletteColour> palette;  // 256 entries
};

// Decodes tiles.bmp; false with the reason when it is damaged or not 8-bit.
bool DecodeTileSheet(const std::vector<uint8_t>& bytes, TileSheet& sheet, std::string& why);

// A picture with a colour table: one byte a pixel, rows top first.
struct IndexedPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  std::vector<PaletteColour> palette;
};

// The map at 16 pixels a cell. An unknown animation's square is the
// sheet's white with its label in the sheet's black; when the colour table
// holds no such colour, an entry no sheet pixel uses is taken for it.
// False when there is none to take.
bool RenderMapPicture(const MapDocument& doc, const AnimationList& animations, const TileSheet& sheet,
                      IndexedPicture& picture, std::string& why);

// PNG bytes of an indexed picture (colour type palette, 8 bits).
std::vector<uint8_t> EncodeIndexedPng(const IndexedPicture& picture);
// PNG bytes of 8-bit RGB rows (width x 3 bytes a row, top first); written
// with a palette instead when the picture has at most 256 colours.
std::vector<uint8_t> EncodeRgbPng(int width, int height, const std::vector<uint8_t>& rgb);

// Where --game is looked for when not given: the demo game beside the
// program, then build/game under the current directory.
std::string DefaultGameDirectory();

}  // namespace quarl
