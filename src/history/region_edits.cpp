#include "history/region_edits.h"

#include "history/undo.h"

namespace quarl {
namespace {

constexpr int32_t kSheetColumns = 40;  // tiles in a row of the tile sheet
constexpr CellValues kBlankCell{BLANK_TILE, -1, -1};

// Calls visit(r, c, column, row) for the cells of the width x height region
// at startCell that lie inside the map, row by row. Nothing for a start
// outside the map.
template <class Visit>
void ForEachRegionCell(int32_t startCell, int32_t width, int32_t height, Visit&& visit) {
  const CellRect area = ClipToMap(RectAt(startCell, width, height));
  for (int32_t row = area.top; row < area.bottom; ++row) {
    for (int32_t column = area.left; column < area.right; ++column) {
      visit(row - area.top, column - area.left, column, row);
    }
  }
}

}  // namespace

CellBlock CopyCellBlock(const MapDocument& doc, int32_t startCell, int32_t width, int32_t height) {
  const CellRect area = ClipToMap(RectAt(startCell, width, height));
  CellBlock block;
  block.width = area.Width();
  block.height = area.Height();
  block.values.reserve(static_cast<size_t>(block.width) * static_cast<size_t>(block.height));
  ForEachRegionCell(startCell, block.width, block.height,
                    [&](int32_t, int32_t, int32_t column, int32_t row) {
                      block.values.push_back(doc.At(column, row).Values());
                    });
  return block;
}

CellRect PasteCellBlock(MapDocument& doc, int32_t startCell, const CellBlock& block) {
  CellEdit edit(doc, {startCell, block.width, block.height, HISTORY_REGION}, ModifiedFlag::kLeaveAlone);
  // A block whose values do not fill it is never read past its end.
  if (block.width >= 0 && block.height >= 0 &&
      block.values.size() >= static_cast<size_t>(block.width) * static_cast<size_t>(block.height)) {
    ForEachRegionCell(startCell, block.width, block.height,
                      [&](int32_t r, int32_t c, int32_t column, int32_t row) {
                        edit.Set(column, row, block.At(c, r));
                      });
  }
  return edit.Commit();
}

CellRect FillRegionWithTiles(MapDocument& doc, int32_t startCell, int32_t width, int32_t height,
                             const TileBlock& block) {
  CellEdit edit(doc, {startCell, width, height, HISTORY_REGION});
  if (block.width > 0 && block.height > 0) {
    // Each region cell lies at (r mod bh, c mod bw) of the block copy
    // covering it; the copies start at the region's top-left cell.
    ForEachRegionCell(startCell, width, height, [&](int32_t r, int32_t c, int32_t column, int32_t row) {
      const int32_t dx = c % block.width;
      const int32_t dy = r % block.height;
      edit.Set(column, row, {block.tile + dx + dy * kSheetColumns, -1, -1});
    });
  }
  return edit.Commit();
}

CellRect FillRegionWithAnimation(MapDocument& doc, int32_t startCell, int32_t width, int32_t height,
                                 int32_t anim, int32_t animOffset) {
  CellEdit edit(doc, {startCell, width, height, HISTORY_REGION});
  ForEachRegionCell(startCell, width, height, [&](int32_t, int32_t, int32_t column, int32_t row) {
    edit.Set(column, row, {doc.At(column, row).tile, anim, animOffset});
  });
  return edit.Commit();
}

CellRect EraseRegion(MapDocument& doc, int32_t startCell, int32_t width, int32_t height) {
  CellEdit edit(doc, {startCell, width, height, HISTORY_REGION});
  ForEachRegionCell(startCell, width, height, [&](int32_t, int32_t, int32_t column, int32_t row) {
    edit.Set(column, row, kBlankCell);
  });
  return edit.Commit();
}

}  // namespace quarl
