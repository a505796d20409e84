#include "app/tile_sheet.h"

namespace quarl {
namespace {

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Read16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

}  // namespace

std::string TileSheetProblem(std::span<const uint8_t> bytes) {
  constexpr size_t kHeaders = 14 + 40;
  if (bytes.size() < kHeaders) return "the file is shorter than a bitmap header";
  if (bytes[0] != 'B' || bytes[1] != 'M') return "the file is not a bitmap";
  uint32_t pixelOffset = Read32(bytes, 10);
  uint32_t infoSize = Read32(bytes, 14);
  int32_t width = static_cast<int32_t>(Read32(bytes, 18));
  int32_t height = static_cast<int32_t>(Read32(bytes, 22));
  uint16_t planes = Read16(bytes, 26);
  uint16_t bits = Read16(bytes, 28);
  uint32_t compression = Read32(bytes, 30);
  uint32_t colours = Read32(bytes, 46);
  if (infoSize < 40 || 14 + static_cast<uint64_t>(infoSize) > bytes.size()) return "the bitmap header is damaged";
  if (planes != 1 || compression != 0) return "the bitmap is compressed or has an unknown layout";
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return "the bitmap has an unknown colour depth";
  if (width <= 0 || height == 0 || width > 65536 || height > 65536 || height < -65536)
    return "the bitmap's size is out of range";
  uint64_t tableEntries = bits <= 8 ? (colours ? colours : (1u << bits)) : colours;
  if (bits <= 8 && tableEntries > (1u << bits)) return "the colour table is too long";
  uint64_t tableEnd = 14 + static_cast<uint64_t>(infoSize) + tableEntries * 4;
  uint64_t rowBytes = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
  if (pixelOffset < tableEnd) return "the pixels overlap the colour table";
  if (pixelOffset + rowBytes * rows > bytes.size()) return "the file ends before its last pixel row";
  return "";
}

}  // namespace quarl
