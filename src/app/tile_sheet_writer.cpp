#include "app/tile_sheet_writer.h"

namespace quarl {

std::vector<uint8_t> EncodeIndexedBmp(int width, int height, const std::array<PaletteColour, 256>& palette,
                                      std::span<const uint8_t> topDownPixels) {
  // 14-byte file header, 40-byte information header, 256 colour entries
  // (blue, green, red, 0), then the rows bottom-up.
  const uint32_t stride = (static_cast<uint32_t>(width) + 3) & ~3u;
  const uint32_t pixelOffset = 14 + 40 + 256 * 4;
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> out{'B', 'M'};
  out.reserve(pixelOffset + pixelBytes);
  AppendLe32(out, pixelOffset + pixelBytes);
  AppendLe32(out, 0);
  AppendLe32(out, pixelOffset);
  AppendLe32(out, 40);
  AppendLe32(out, static_cast<uint32_t>(width));
  AppendLe32(out, static_cast<uint32_t>(height));
  AppendLe16(out, 1);  // planes
  AppendLe16(out, 8);  // bits per pixel
  AppendLe32(out, 0);  // no compression
  AppendLe32(out, pixelBytes);
  AppendLe32(out, 2835);  // 72 dpi
  AppendLe32(out, 2835);
  AppendLe32(out, 256);  // colours used
  AppendLe32(out, 256);  // colours important
  for (const PaletteColour& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
  for (int y = height - 1; y >= 0; --y) {
    const auto row = topDownPixels.subspan(static_cast<size_t>(y) * static_cast<size_t>(width), static_cast<size_t>(width));
    out.insert(out.end(), row.begin(), row.end());
    out.resize(out.size() + (stride - static_cast<uint32_t>(width)));
  }
  return out;
}

}  // namespace quarl
