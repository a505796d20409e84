#pragma once
// Tile sheets for the Windows tests: writing a test sheet as an 8-bit BMP
// file, and reading any 8-bit BMP back from its bytes, without GDI, so that
// the pixels a window shows can be compared with the file itself.

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

class BmpImage {
 public:
  // Reads an uncompressed 8-bit BMP (bottom-up or top-down); nullopt with
  // `error` set for anything else.
  static std::optional<BmpImage> Read(const std::string& path, std::string* error);

  int width() const { return width_; }
  int height() const { return height_; }
  // The colour of pixel (x, y), y counted from the top.
  Rgb Pixel(int x, int y) const;
  // The colour of pixel (x, y) of tile n (40 tiles to a sheet row).
  Rgb TilePixel(int32_t tile, int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> colours_;   // the colour table
  std::vector<uint8_t> rows_;  // top row first, width_ bytes each
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

inline uint32_t ReadU32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline uint16_t ReadU16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutU16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace detail

inline std::optional<BmpImage> BmpImage::Read(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto fail = [&](const char* why) -> std::optional<BmpImage> {
    if (error) *error = path + ": " + why;
    return std::nullopt;
  };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail("not a BMP file");
  const uint32_t pixelOffset = detail::ReadU32(b, 10);
  const uint32_t headerSize = detail::ReadU32(b, 14);
  const int32_t width = static_cast<int32_t>(detail::ReadU32(b, 18));
  const int32_t rawHeight = static_cast<int32_t>(detail::ReadU32(b, 22));
  const uint16_t bits = detail::ReadU16(b, 28);
  const uint32_t compression = detail::ReadU32(b, 30);
  uint32_t coloursUsed = detail::ReadU32(b, 46);
  if (bits != 8 || compression != 0) return fail("not an uncompressed 8-bit bitmap");
  if (width <= 0 || rawHeight == 0 || width > 65536 || rawHeight > 65536 || rawHeight < -65536)
    return fail("bad size");
  if (coloursUsed == 0 || coloursUsed > 256) coloursUsed = 256;
  const size_t tableAt = 14 + headerSize;
  if (tableAt + coloursUsed * 4 > b.size()) return fail("colour table cut short");

  BmpImage image;
  image.width_ = width;
  image.height_ = rawHeight < 0 ? -rawHeight : rawHeight;
  image.colours_.resize(256);
  for (uint32_t i = 0; i < coloursUsed; ++i) {
    image.colours_[i] = Rgb{b[tableAt + 4 * i + 2], b[tableAt + 4 * i + 1], b[tableAt + 4 * i]};
  }
  const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
  if (pixelOffset + stride * image.height_ > b.size()) return fail("pixels cut short");
  image.rows_.resize(static_cast<size_t>(width) * image.height_);
  for (int y = 0; y < image.height_; ++y) {
    const int fileRow = rawHeight < 0 ? y : image.height_ - 1 - y;
    const uint8_t* src = &b[pixelOffset + stride * fileRow];
    std::copy(src, src + width, image.rows_.begin() + static_cast<size_t>(y) * width);
  }
  return image;
}

inline Rgb BmpImage::Pixel(int x, int y) const {
  return colours_[rows_[static_cast<size_t>(y) * width_ + x]];
}

inline Rgb BmpImage::TilePixel(int32_t tile, int x, int y) const {
  return Pixel((tile % detail::kTilesPerRow) * detail::kTilePixels + x, (tile / detail::kTilesPerRow) * detail::kTilePixels + y);
}

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
