#include "tools/overview.h"

#include <algorithm>

namespace quarl {

OverviewColour OverviewCellColour(const Cell& cell) {
  uint32_t v = static_cast<uint32_t>(cell.tile) & 0xFFFFu;
  if (v == 0xFFFFu) v = static_cast<uint32_t>(cell.anim) & 0xFFFFu;
  const auto low = static_cast<uint8_t>(v & 0xFFu);
  return {low, low, static_cast<uint8_t>(v >> 8)};
}

std::vector<uint8_t> OverviewPicture(const MapDocument& doc) {
  // Always the full picture, so that a bitmap made from it is never read past its end.
  std::vector<uint8_t> picture(static_cast<size_t>(kOverviewRowBytes) * kMapCells);
  const size_t cells = std::min(doc.cells.size(), static_cast<size_t>(kCellCount));
  for (size_t i = 0; i < cells; ++i) {
    const OverviewColour colour = OverviewCellColour(doc.cells[i]);
    picture[3 * i] = colour.blue;
    picture[3 * i + 1] = colour.green;
    picture[3 * i + 2] = colour.red;
  }
  return picture;
}

OverviewOutline OverviewOutlineOf(int32_t scrollX, int32_t scrollY, int32_t clientWidth, int32_t clientHeight) {
  return {scrollX / kCellPixels, scrollY / kCellPixels, clientWidth / kCellPixels, clientHeight / kCellPixels};
}

OverviewJump OverviewJumpTo(int32_t x, int32_t y, int32_t clientWidth, int32_t clientHeight) {
  const int32_t hw = clientWidth / 2 / kCellPixels * kCellPixels;
  const int32_t hh = clientHeight / 2 / kCellPixels * kCellPixels;
  return {kCellPixels * x - hw, kCellPixels * y - hh};
}

}  // namespace quarl
