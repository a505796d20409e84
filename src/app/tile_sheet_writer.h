#pragma once
// Writes 8-bit palette bitmaps the way paint programs save a tile sheet, for
// the demo game, the benchmarks and the tests that need a sheet.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/little_endian.h"

namespace quarl {

struct PaletteColour {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PaletteColour&) const = default;
};

// A BMP file image of width x height palette indices given row by row from
// the top (stored bottom-up, each row padded to four bytes).
std::vector<uint8_t> EncodeIndexedBmp(int width, int height, const std::array<PaletteColour, 256>& palette,
                                      std::span<const uint8_t> topDownPixels);

}  // namespace quarl
