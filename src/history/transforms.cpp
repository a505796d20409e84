#include "history/transforms.h"

#include <algorithm>
#include <vector>

#include "history/undo.h"

namespace quarl {
namespace {

constexpr CellValues kBlankCell{BLANK_TILE, -1, -1};

bool InMap(int32_t column, int32_t row) {
  return column >= 0 && column < kMapCells && row >= 0 && row < kMapCells;
}

// A selection never reaches past the map; if one did, what lies beyond the
// edge reads as blank.
CellValues ValuesAt(const MapDocument& doc, int32_t column, int32_t row) {
  return InMap(column, row) ? doc.At(column, row).Values() : kBlankCell;
}

CellValues Transformed(const CellValues& source, const TileRefGroup& group, size_t slot) {
  return TransformedCellValues(source, group[slot]);
}

}  // namespace

CellRect MirrorRegion(MapDocument& doc, const MirrorRotateTables& tables, int32_t startCell,
                      int32_t width, int32_t height, int32_t direction) {
  if (startCell < 0 || startCell >= kCellCount || width < 0 || height < 0) return {};
  if (direction < MIRROR_LEFT || direction > MIRROR_DOWN) return {};
  const int32_t x0 = startCell % kMapCells;
  const int32_t y0 = startCell / kMapCells;
  // A Left or Up image ends next to the region whatever its size, and a
  // Right or Down one past 256 cells lies wholly outside the map, so sizes
  // above the map's change nothing that lands inside it.
  const int32_t w = std::min(width, kMapCells);
  const int32_t h = std::min(height, kMapCells);
  const bool sideways = direction == MIRROR_LEFT || direction == MIRROR_RIGHT;
  int32_t imageX = x0, imageY = y0;
  switch (direction) {
    case MIRROR_LEFT: imageX -= w; break;
    case MIRROR_RIGHT: imageX += w; break;
    case MIRROR_UP: imageY -= h; break;
    default: imageY += h; break;
  }
  const CellRect inside = ClipToMap({imageX, imageY, imageX + w, imageY + h});
  const HistoryStep step = inside.Empty()
      ? HistoryStep{-1, 0, 0, HISTORY_REGION}
      : HistoryStep{inside.top * kMapCells + inside.left, inside.Width(), inside.Height(), HISTORY_REGION};

  CellEdit edit(doc, step);
  for (int32_t r = 0; r < h; ++r) {
    for (int32_t c = 0; c < w; ++c) {
      const int32_t column = imageX + (sideways ? w - 1 - c : c);
      const int32_t row = imageY + (sideways ? r : h - 1 - r);
      if (!InMap(column, row)) continue;
      const CellValues source = ValuesAt(doc, x0 + c, y0 + r);
      const TableKey key = TableKeyOf(source);
      // Result slot 1 is the vertical mirror, slot 2 the horizontal one.
      edit.Set(column, row, Transformed(source, MirrorLookup(tables, key.number, key.animFlag), sideways ? 2 : 1));
    }
  }
  return edit.Commit();
}

RotatedRegion RotateRegion(MapDocument& doc, const MirrorRotateTables& tables, int32_t startCell,
                           int32_t width, int32_t height) {
  if (startCell < 0 || startCell >= kCellCount || width < 0 || height < 0) return {{}, width, height};
  const int32_t x0 = startCell % kMapCells;
  const int32_t y0 = startCell / kMapCells;
  const int32_t columnsLeft = kMapCells - x0;  // map columns from the start cell on
  const int32_t rowsLeft = kMapCells - y0;

  // Keep the region's part inside the map; the rest reads as blank.
  const int32_t keptWidth = std::min(width, columnsLeft);
  const int32_t keptHeight = std::min(height, rowsLeft);
  std::vector<CellValues> kept;
  kept.reserve(static_cast<size_t>(keptWidth) * static_cast<size_t>(keptHeight));
  for (int32_t r = 0; r < keptHeight; ++r) {
    for (int32_t c = 0; c < keptWidth; ++c) kept.push_back(doc.At(x0 + c, y0 + r).Values());
  }
  auto sourceAt = [&](int32_t r, int32_t c) {
    if (r >= keptHeight || c >= keptWidth) return kBlankCell;
    return kept[static_cast<size_t>(r) * static_cast<size_t>(keptWidth) + static_cast<size_t>(c)];
  };

  CellEdit edit(doc, {startCell, width, height, HISTORY_ROTATE});
  // Blank what the turned shape (height wide, width tall) leaves of the old one.
  for (int32_t r = 0; r < keptHeight; ++r) {
    for (int32_t c = 0; c < keptWidth; ++c) {
      if (c >= height || r >= width) edit.Set(x0 + c, y0 + r, kBlankCell);
    }
  }
  // Source column c becomes target row c, source row r target column
  // height - 1 - r; the loops stop where the targets leave the map.
  const int32_t topSourceRow = std::max(0, height - columnsLeft);
  for (int32_t c = 0; c < std::min(width, rowsLeft); ++c) {
    for (int32_t r = height - 1; r >= topSourceRow; --r) {
      const CellValues from = sourceAt(r, c);
      const TableKey key = TableKeyOf(from);
      // Result slot 1 is the key turned a quarter turn clockwise.
      edit.Set(x0 + (height - 1 - r), y0 + c, Transformed(from, RotateLookup(tables, key.number, key.animFlag), 1));
    }
  }
  RotatedRegion result;
  result.repaint = edit.Commit();
  result.width = std::min(height, columnsLeft);
  result.height = std::min(width, rowsLeft);
  return result;
}

}  // namespace quarl
