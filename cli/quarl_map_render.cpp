#include "quarl_map_render.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "app/tile_sheet.h"
#include "tools/cell_look.h"
#include "tools/tile_palette.h"

namespace quarl {
namespace {


uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Hexadecimal digits for the unknown-animation label, 3 x 5 pixels, one
// row a byte (bit 2 the left pixel).
constexpr uint8_t kDigits[16][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {2, 5, 7, 5, 5}, {6, 5, 6, 5, 6},
    {3, 4, 4, 4, 3}, {6, 5, 5, 5, 6}, {7, 4, 6, 4, 7}, {7, 4, 6, 4, 4}};
constexpr int kLabelLeft = 2, kLabelTop = 2, kDigitAdvance = 4;

// The colour table index of an exact colour, or -1.
int FindColour(const std::vector<PaletteColour>& palette, PaletteColour c) {
  for (size_t i = 0; i < palette.size(); ++i)
    if (palette[i] == c) return static_cast<int>(i);
  return -1;
}

// An exact colour for the picture: found in the table, or put into an entry
// the sheet never uses. -1 when neither is possible.
int ColourFor(PaletteColour c, std::vector<PaletteColour>& palette, std::vector<bool>& used) {
  int index = FindColour(palette, c);
  if (index >= 0) return index;
  for (size_t i = 0; i < palette.size(); ++i) {
    if (!used[i]) {
      palette[i] = c;
      used[i] = true;
      return static_cast<int>(i);
    }
  }
  return -1;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

// Encodes rows of one byte (palette) or three (RGB) a pixel.
std::vector<uint8_t> EncodePng(int width, int height, const uint8_t* rows, int bytesPerPixel,
                               const std::vector<PaletteColour>* palette) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, nullptr);
  // Tiles repeat: the fastest deflate level already packs them well.
  png_set_compression_level(png, 1);
  png_set_filter(png, 0, palette ? PNG_FILTER_NONE : PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> entries;
  if (palette) {
    for (const PaletteColour& c : *palette) entries.push_back({c.red, c.green, c.blue});
    png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
  }
  png_write_info(png, info);
  const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
  for (int y = 0; y < height; ++y) png_write_row(png, const_cast<png_bytep>(rows + rowBytes * y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

bool DecodeTileSheet(const std::vector<uint8_t>& bytes, TileSheet& sheet, std::string& why) {
  why = TileSheetProblem(bytes);
  if (!why.empty()) return false;
  const uint32_t infoSize = Read32(bytes, 14);
  const int32_t width = static_cast<int32_t>(Read32(bytes, 18));
  const int32_t height = static_cast<int32_t>(Read32(bytes, 22));
  const uint16_t bits = static_cast<uint16_t>(bytes[28] | bytes[29] << 8);
  if (bits != 8) {
    why = "the tile sheet is not an 8-bit bitmap";
    return false;
  }
  const uint32_t colours = Read32(bytes, 46) ? Read32(bytes, 46) : 256;
  sheet.palette.assign(256, PaletteColour{});
  for (uint32_t i = 0; i < colours; ++i) {
    const size_t at = 14 + infoSize + 4 * i;
    sheet.palette[i] = {bytes[at + 2], bytes[at + 1], bytes[at]};
  }
  sheet.width = width;
  sheet.height = height < 0 ? -height : height;
  const size_t rowBytes = (static_cast<size_t>(width) + 3) / 4 * 4;
  const size_t offset = Read32(bytes, 10);
  sheet.pixels.resize(static_cast<size_t>(sheet.width) * sheet.height);
  for (int y = 0; y < sheet.height; ++y) {
    const int fileRow = height < 0 ? y : sheet.height - 1 - y;  // bottom-up unless the height is negative
    std::memcpy(&sheet.pixels[static_cast<size_t>(y) * sheet.width], &bytes[offset + rowBytes * fileRow],
                static_cast<size_t>(sheet.width));
  }
  return true;
}

bool RenderMapPicture(const MapDocument& doc, const AnimationList& animations, const TileSheet& sheet,
                      IndexedPicture& picture, std::string& why) {
  picture.width = picture.height = kMapPixels;
  picture.palette = sheet.palette;
  std::vector<bool> used(256, false);
  for (uint8_t p : sheet.pixels) used[p] = true;
  const int white = ColourFor({255, 255, 255}, picture.palette, used);
  const int black = ColourFor({0, 0, 0}, picture.palette, used);
  if (white < 0 || black < 0) {
    why = "the tile sheet's colour table has no room for white and black";
    return false;
  }
  // What no tile covers (a tile number past the sheet) stays black.
  picture.pixels.assign(static_cast<size_t>(kMapPixels) * kMapPixels, static_cast<uint8_t>(black));
  uint8_t* out = picture.pixels.data();
  const size_t cells = std::min(doc.cells.size(), static_cast<size_t>(kCellCount));
  for (size_t i = 0; i < cells; ++i) {
    const int x = static_cast<int>(i % kMapCells) * kCellPixels, y = static_cast<int>(i / kMapCells) * kCellPixels;
    const Cell& cell = doc.cells[i];
    const CellLook look = CellLookOf(cell, animations);
    if (look.unknownAnimation) {
      // A white square one pixel larger than the cell (the next cells
      // cover the extra row and column), then the label.
      const int right = std::min(x + kUnknownAnimationSquare, kMapPixels);
      const int bottom = std::min(y + kUnknownAnimationSquare, kMapPixels);
      for (int py = y; py < bottom; ++py) std::memset(out + static_cast<size_t>(py) * kMapPixels + x, white, right - x);
      const std::string label = UnknownAnimationLabel(cell.anim);
      for (int d = 0; d < 2; ++d) {
        const char ch = label[static_cast<size_t>(d)];
        const int digit = ch <= '9' ? ch - '0' : ch - 'a' + 10;
        for (int gy = 0; gy < 5; ++gy)
          for (int gx = 0; gx < 3; ++gx)
            if (kDigits[digit][gy] & (4 >> gx))
              out[static_cast<size_t>(y + kLabelTop + gy) * kMapPixels + x + kLabelLeft + d * kDigitAdvance + gx] =
                  static_cast<uint8_t>(black);
      }
      continue;
    }
    // The tile's square on the sheet; the part outside the sheet is not copied.
    const int sx = (look.tile % kSheetTilesPerRow) * kSheetTilePixels;
    const int sy = (look.tile / kSheetTilesPerRow) * kSheetTilePixels;
    const int x0 = std::max(0, -sx), x1 = std::min(kSheetTilePixels, sheet.width - sx);
    if (x1 <= x0) continue;
    for (int row = std::max(0, -sy); row < kSheetTilePixels && sy + row < sheet.height; ++row) {
      std::memcpy(out + static_cast<size_t>(y + row) * kMapPixels + x + x0,
                  &sheet.pixels[static_cast<size_t>(sy + row) * sheet.width + sx + x0], static_cast<size_t>(x1 - x0));
    }
  }
  return true;
}

std::vector<uint8_t> EncodeIndexedPng(const IndexedPicture& picture) {
  return EncodePng(picture.width, picture.height, picture.pixels.data(), 1, &picture.palette);
}

std::vector<uint8_t> EncodeRgbPng(int width, int height, const std::vector<uint8_t>& rgb) {
  std::unordered_map<uint32_t, uint8_t> indices;
  IndexedPicture picture{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height), {}};
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const PaletteColour c{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
    const uint32_t key = static_cast<uint32_t>(c.red) << 16 | c.green << 8 | c.blue;
    auto [it, added] = indices.emplace(key, static_cast<uint8_t>(picture.palette.size()));
    if (added) {
      if (picture.palette.size() == 256) return EncodePng(width, height, rgb.data(), 3, nullptr);
      picture.palette.push_back(c);
    }
    picture.pixels[i] = it->second;
  }
  return EncodeIndexedPng(picture);
}

std::string DefaultGameDirectory() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    for (const fs::path& candidate : {program.parent_path() / "game", program.parent_path().parent_path() / "game"}) {
      if (fs::is_regular_file(candidate / "tiles.bmp", error)) return candidate.string();
    }
  }
  return "build/game";
}

}  // namespace quarl
