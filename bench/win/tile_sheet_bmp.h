#pragma once
// The paint benchmark's tile sheet, written as an 8-bit BMP file through the shared bitmap writer.

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/tile_sheet_writer.h"

namespace quarl::test {

// Writes a 640 x 1600 sheet of 4000 tiles in which every tile differs from
// every other and no colour repeats in the table, so a tile drawn from the
// wrong place shows. Returns false when the file cannot be written.
inline bool WriteTestSheet(const std::string& path) {
  // 256 distinct colours, none of them white or black, spread over the cube.
  std::array<PaletteColour, 256> palette;
  for (int i = 0; i < 256; ++i) {
    palette[i] = {static_cast<uint8_t>(10 + (i / 16) * 14), static_cast<uint8_t>(10 + (i % 16) * 14),
                  static_cast<uint8_t>(20 + (i * 53) % 200)};
  }
  // Pixel (x, y) of tile n: a hash of n, x and y, so that two tiles, or a
  // tile shifted by a pixel, do not look alike.
  std::vector<uint8_t> pixels(640 * 1600);
  for (int y = 0; y < 1600; ++y) {
    for (int x = 0; x < 640; ++x) {
      const int tile = (y / 16) * 40 + x / 16;
      uint32_t h = static_cast<uint32_t>(tile) * 0x9E3779B1u ^ static_cast<uint32_t>(x % 16 * 16 + y % 16) * 0x85EBCA77u;
      h ^= h >> 15;
      h *= 0x2C1B3C6Du;
      h ^= h >> 13;
      pixels[y * 640 + x] = static_cast<uint8_t>(h);
    }
  }
  const std::vector<uint8_t> b = EncodeIndexedBmp(640, 1600, palette, pixels);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(out);
}

}  // namespace quarl::test
