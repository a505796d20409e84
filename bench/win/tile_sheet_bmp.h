#pragma once
// The paint benchmark's tile sheet, written as an 8-bit BMP file without GDI.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace quarl::test {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A 640 x 1600 8-bit sheet as a BMP file image (bottom-up rows, as paint
// programs write them): colour table entry i is colour(i), pixel (x, y) with y
// counted from the top is index(x, y).
std::vector<uint8_t> EncodeTestSheet(const std::function<Rgb(int)>& colour,
                                     const std::function<uint8_t(int, int)>& index);

// Writes a 640 x 1600 sheet of 4000 tiles in which every tile differs from
// every other and no colour repeats in the table, so a tile drawn from the
// wrong place shows. Returns false when the file cannot be written.
bool WriteTestSheet(const std::string& path);

// --- definitions

namespace detail {

constexpr int kTilesPerRow = 40;
constexpr int kTilePixels = 16;

inline void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutU16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace detail

inline std::vector<uint8_t> EncodeTestSheet(const std::function<Rgb(int)>& colour,
                                            const std::function<uint8_t(int, int)>& index) {
  constexpr int kWidth = 640, kHeight = 1600;
  std::vector<uint8_t> b;
  b.reserve(54 + 1024 + kWidth * kHeight);
  b.push_back('B');
  b.push_back('M');
  detail::PutU32(b, 54 + 1024 + kWidth * kHeight);
  detail::PutU32(b, 0);
  detail::PutU32(b, 54 + 1024);
  detail::PutU32(b, 40);
  detail::PutU32(b, kWidth);
  detail::PutU32(b, kHeight);
  detail::PutU16(b, 1);
  detail::PutU16(b, 8);
  detail::PutU32(b, 0);
  detail::PutU32(b, kWidth * kHeight);
  detail::PutU32(b, 2835);
  detail::PutU32(b, 2835);
  detail::PutU32(b, 256);
  detail::PutU32(b, 0);
  for (int i = 0; i < 256; ++i) {
    const Rgb c = colour(i);
    b.push_back(c.b);
    b.push_back(c.g);
    b.push_back(c.r);
    b.push_back(0);
  }
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) b.push_back(index(x, y));
  }
  return b;
}

inline bool WriteTestSheet(const std::string& path) {
  // 256 distinct colours, none of them white or black, spread over the cube.
  auto colour = [](int i) {
    return Rgb{static_cast<uint8_t>(10 + (i / 16) * 14), static_cast<uint8_t>(10 + (i % 16) * 14),
               static_cast<uint8_t>(20 + (i * 53) % 200)};
  };
  // Pixel (x, y) of tile n: a hash of n, x and y, so that two tiles, or a
  // tile shifted by a pixel, do not look alike.
  auto index = [](int x, int y) {
    const int tile = (y / detail::kTilePixels) * detail::kTilesPerRow + x / detail::kTilePixels;
    const int tx = x % detail::kTilePixels, ty = y % detail::kTilePixels;
    uint32_t h = static_cast<uint32_t>(tile) * 0x9E3779B1u ^ static_cast<uint32_t>(tx * 16 + ty) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 13;
    return static_cast<uint8_t>(h);
  };
  const std::vector<uint8_t> b = EncodeTestSheet(colour, index);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(out);
}

}  // namespace quarl::test
