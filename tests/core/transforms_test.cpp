#include "history/transforms.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }
CellValues Tile(int32_t tile) { return {tile, -1, -1}; }
CellValues Anim(int32_t anim, int32_t data) { return {-1, anim, data}; }
constexpr TileRef A(int32_t anim) { return ANIM_FLAG | static_cast<TileRef>(anim); }
const CellValues kBlank = Tile(BLANK_TILE);

class TransformTest : public ::testing::Test {
 protected:
  TransformTest() {
    // Mirror groups: tile, vertical mirror, horizontal mirror, both.
    tables.mirror.entries = {{{10, 11, 12, 13}}, {{A(5), A(6), A(7), A(8)}}};
    // Rotate groups: tile, turned 90, 180, 270 degrees; tile 30 turns into an animation.
    tables.rotate.entries = {{{20, 21, 22, 23}}, {{30, A(9), 32, 33}}};
  }
  // The cells of a rectangle, row by row.
  std::vector<CellValues> Grid(int column, int row, int width, int height) const {
    std::vector<CellValues> cells;
    for (int r = row; r < row + height; ++r)
      for (int c = column; c < column + width; ++c) cells.push_back(doc.At(c, r).Values());
    return cells;
  }
  void Put(int column, int row, int width, const std::vector<CellValues>& values) {
    for (size_t i = 0; i < values.size(); ++i)
      doc.At(column + static_cast<int>(i) % width, row + static_cast<int>(i) / width).SetValues(values[i]);
  }

  MapDocument doc;
  MirrorRotateTables tables;
};

TEST_F(TransformTest, MirrorRightReversesTheColumnsThroughTheHorizontalMirror) {
  Put(20, 5, 3, {Tile(10), Tile(1), Tile(2), Tile(3), Tile(4), Tile(12)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(20, 5), 3, 2, MIRROR_RIGHT), (CellRect{23, 5, 26, 7}));
  // 10 becomes its horizontal mirror 12; 12 is looked up from its own slot.
  EXPECT_EQ(Grid(23, 5, 3, 2), (std::vector<CellValues>{Tile(2), Tile(1), Tile(12), Tile(10), Tile(4), Tile(3)}));
  EXPECT_EQ(doc.undoSteps, (std::vector<HistoryStep>{{Index(23, 5), 3, 2, HISTORY_REGION}}));
}

TEST_F(TransformTest, MirrorsAtTheTopAndLeftEdgesWriteOnlyCellsInsideTheMap) {
  Put(7, 1, 2, {Tile(10), Anim(5, 4), Tile(99)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(7, 1), 2, 3, MIRROR_UP), (CellRect{7, 0, 9, 1}));
  // The image's bottom row: source row 0, vertical mirrors.
  EXPECT_EQ(Grid(7, 0, 2, 1), (std::vector<CellValues>{Tile(11), Anim(6, 4)}));
  EXPECT_EQ(doc.cellHistories.size(), 2u);

  Put(1, 9, 3, {Tile(10), kBlank, Tile(55)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(1, 9), 3, 1, MIRROR_LEFT), (CellRect{0, 9, 1, 10}));
  EXPECT_EQ(Grid(253, 8, 4, 1), (std::vector<CellValues>{kBlank, kBlank, kBlank, Tile(12)}));  // nothing wraps
  // Wholly outside the map: a step that holds no cell.
  EXPECT_TRUE(MirrorRegion(doc, tables, Index(0, 9), 3, 1, MIRROR_LEFT).Empty());
  EXPECT_EQ(doc.undoSteps.back(), (HistoryStep{-1, 0, 0, HISTORY_REGION}));
}

TEST_F(TransformTest, RotatingARowGivesAColumnAndUndoRestoresIt) {
  Put(50, 60, 3, {Tile(20), Tile(7), Tile(30)});
  const RotatedRegion turned = RotateRegion(doc, tables, Index(50, 60), 3, 1);
  EXPECT_EQ(std::pair(turned.width, turned.height), std::pair(1, 3));
  // A tile turned into an animation gets data 0.
  EXPECT_EQ(Grid(50, 60, 2, 3), (std::vector<CellValues>{Tile(21), kBlank, Tile(7), kBlank, Anim(9, 0), kBlank}));
  EXPECT_EQ(doc.undoSteps, (std::vector<HistoryStep>{{Index(50, 60), 3, 1, HISTORY_ROTATE}}));
  EXPECT_EQ(UndoNewestStep(doc), (CellRect{50, 60, 53, 63}));
  EXPECT_EQ(Grid(50, 60, 3, 2), (std::vector<CellValues>{Tile(20), Tile(7), Tile(30), kBlank, kBlank, kBlank}));
  Put(5, 5, 1, {Tile(1), Tile(2), Tile(3)});  // a column: its bottom cell goes leftmost
  RotateRegion(doc, tables, Index(5, 5), 1, 3);
  EXPECT_EQ(Grid(5, 5, 3, 2), (std::vector<CellValues>{Tile(3), Tile(2), Tile(1), kBlank, kBlank, kBlank}));
}

TEST_F(TransformTest, RotatingNearTheRightEdgeDropsCellsAndClampsTheWidth) {
  Put(254, 10, 2, {Tile(1), Tile(2), Tile(3), Tile(4), Tile(5), Tile(6)});
  const RotatedRegion turned = RotateRegion(doc, tables, Index(254, 10), 2, 3);
  EXPECT_EQ(std::pair(turned.width, turned.height), std::pair(2, 2));
  // Rows 5 6 / 3 4 / 1 2 read as columns; the column of 1 and 2 would be 256, and nothing wraps.
  EXPECT_EQ(Grid(254, 10, 2, 3), (std::vector<CellValues>{Tile(5), Tile(3), Tile(6), Tile(4), kBlank, kBlank}));
  EXPECT_EQ(Grid(0, 11, 1, 2), (std::vector<CellValues>{kBlank, kBlank}));
  EXPECT_EQ(doc.cellHistories.size(), 6u);
}

}  // namespace
}  // namespace quarl
