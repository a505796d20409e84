#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }

class UndoTest : public ::testing::Test {
 protected:
  Cell& At(int index) { return doc->cells[static_cast<size_t>(index)]; }
  const CellHistory* History(int index) const { return doc->CellHistoryOf(index); }
  int UndoDepth(int index) const { return doc->UndoDepth(index); }
  int RedoDepth(int index) const { return doc->RedoDepth(index); }

  // What every editing tool does to one cell: save it, then change it.
  void Paint(int index, CellValues v) {
    SaveCellUndo(*doc, index);
    At(index).SetValues(v);
  }
  // Paints every cell the step covers with its own tile number plus base,
  // and records the step.
  void PaintStep(const HistoryStep& step, int base) {
    ForEachStepCell(step, [&](int32_t i) { Paint(i, {base + i, -1, -1}); });
    PushUndoStep(*doc, step.cell, step.width, step.height, step.kind);
  }

  MapDocument map;
  MapDocument* doc = &map;
};

// The cells a step covers, collected by the shared walker.
std::set<int> StepCells(const HistoryStep& step) {
  std::set<int> cells;
  ForEachStepCell(step, [&](int32_t i) { EXPECT_TRUE(cells.insert(i).second) << "visited twice: " << i; });
  return cells;
}

// A picture of which cells belong: rows separated by '/', 'X' = belongs,
// read from the top-left cell (column, row).
std::set<int> Picture(int column, int row, const std::string& rows) {
  std::set<int> cells;
  int r = 0, c = 0;
  for (char ch : rows) {
    if (ch == '/') { ++r; c = 0; continue; }
    if (ch == 'X') cells.insert(Index(column + c, row + r));
    ++c;
  }
  return cells;
}

TEST(StepWalk, EachKindCoversItsCells) {
  const int col = 10, row = 20, start = Index(col, row);
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_REGION}), Picture(col, row, "XXXX/XXXX/XXXX"));
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_UP}), Picture(col, row, "XXXX/X..X/X..X"));
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_DOWN}), Picture(col, row, "X..X/X..X/XXXX"));
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_LEFT}), Picture(col, row, "XXXX/X.../XXXX"));
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_RIGHT}), Picture(col, row, "XXXX/...X/XXXX"));
  EXPECT_EQ(StepCells({start, 3, 3, HISTORY_SPAWN_PLUS}), Picture(col, row, ".X./XXX/.X."));
  EXPECT_EQ(StepCells({start, 3, 3, HISTORY_SPAWN_CROSS}), Picture(col, row, "X.X/.X./X.X"));
  EXPECT_TRUE(StepCells({start, 4, 3, 8}).empty());
  EXPECT_TRUE(StepCells({start, 4, 3, -1}).empty());
}

TEST(StepWalk, RotateKindAddsTheTurnedRectangle) {
  const int col = 3, row = 7, start = Index(col, row);
  // Wider than tall: the 5 x 2 rectangle and the 2 x 3 block below it.
  EXPECT_EQ(StepCells({start, 5, 2, HISTORY_ROTATE}),
            Picture(col, row, "XXXXX/XXXXX/XX/XX/XX"));
  // Taller than wide: the 2 x 5 rectangle and the 3 x 2 block to its right.
  EXPECT_EQ(StepCells({start, 2, 5, HISTORY_ROTATE}),
            Picture(col, row, "XXXXX/XXXXX/XX/XX/XX"));
  // Square: the rectangle alone.
  EXPECT_EQ(StepCells({start, 3, 3, HISTORY_ROTATE}), Picture(col, row, "XXX/XXX/XXX"));
  // Walk order: part A row by row, then part B.
  std::vector<int> order;
  ForEachStepCell(HistoryStep{start, 3, 1, HISTORY_ROTATE}, [&](int32_t i) { order.push_back(i); });
  EXPECT_EQ(order, (std::vector<int>{start, start + 1, start + 2, Index(col, row + 1), Index(col, row + 2)}));
}

TEST(StepWalk, StopsAtTheMapEdges) {
  // Past the right and bottom edges: only the 2 x 2 corner, never the cells
  // the index arithmetic would wrap onto.
  EXPECT_EQ(StepCells({Index(254, 254), 4, 4, HISTORY_REGION}), Picture(254, 254, "XX/XX"));
  EXPECT_EQ(StepCells({Index(250, 5), 10, 1, HISTORY_REGION}), Picture(250, 5, "XXXXXX"));
  // The rotate kind's second part is cut by the bottom and right edges too.
  EXPECT_EQ(StepCells({Index(0, 254), 5, 1, HISTORY_ROTATE}), Picture(0, 254, "XXXXX/X"));
  EXPECT_EQ(StepCells({Index(253, 0), 1, 5, HISTORY_ROTATE}), Picture(253, 0, "XXX/X/X/X/X"));
  // Nothing for a top-left cell outside the map or an empty rectangle.
  EXPECT_TRUE(StepCells({-1, 3, 3, HISTORY_REGION}).empty());
  EXPECT_TRUE(StepCells({kCellCount, 3, 3, HISTORY_REGION}).empty());
  EXPECT_TRUE(StepCells({0, 0, 3, HISTORY_REGION}).empty());
  EXPECT_TRUE(StepCells({Index(5, 5), -3, 4, HISTORY_ROTATE}).empty());
  EXPECT_TRUE(StepCells({Index(5, 5), 4, -3, HISTORY_ROTATE}).empty());
}

// The per-cell test CellEdit asks must agree with the walk Undo uses,
// also where the walk is cut by the map's edges.
TEST(StepWalk, StepHasCellAgreesWithTheWalk) {
  const std::vector<HistoryStep> steps = {
      {Index(10, 20), 4, 3, HISTORY_REGION},     {Index(10, 20), 4, 3, HISTORY_BUNKER_UP},
      {Index(10, 20), 4, 3, HISTORY_BUNKER_DOWN}, {Index(10, 20), 4, 3, HISTORY_BUNKER_LEFT},
      {Index(10, 20), 4, 3, HISTORY_BUNKER_RIGHT}, {Index(10, 20), 3, 3, HISTORY_SPAWN_PLUS},
      {Index(10, 20), 3, 3, HISTORY_SPAWN_CROSS}, {Index(10, 20), 5, 2, HISTORY_ROTATE},
      {Index(10, 20), 2, 5, HISTORY_ROTATE},      {Index(253, 254), 5, 4, HISTORY_REGION},
      {Index(254, 253), 2, 6, HISTORY_ROTATE},    {Index(10, 20), 4, 3, 8},
      {-1, 3, 3, HISTORY_REGION},
  };
  for (const HistoryStep& step : steps) {
    SCOPED_TRACE(testing::Message() << "kind " << step.kind << " at " << step.cell);
    std::set<int> accepted;
    for (int i = 0; i < kCellCount; ++i) {
      if (StepHasCell(step, i)) accepted.insert(i);
    }
    EXPECT_EQ(accepted, StepCells(step));
  }
  EXPECT_FALSE(StepHasCell({0, 3, 3, HISTORY_REGION}, -1));
  EXPECT_FALSE(StepHasCell({0, 3, 3, HISTORY_REGION}, kCellCount));
}

TEST(StepWalk, StepAreaIsTheBoundingBoxInsideTheMap) {
  EXPECT_EQ(StepArea({Index(10, 20), 4, 3, HISTORY_BUNKER_UP}), (CellRect{10, 20, 14, 23}));
  // The rotate kind's two rectangles, 5 x 2 and 2 x 5.
  EXPECT_EQ(StepArea({Index(10, 20), 5, 2, HISTORY_ROTATE}), (CellRect{10, 20, 15, 25}));
  EXPECT_EQ(StepArea({Index(10, 250), 2, 9, HISTORY_ROTATE}), (CellRect{10, 250, 19, 256}));
  EXPECT_EQ(StepArea({Index(250, 254), 10, 5, HISTORY_REGION}), (CellRect{250, 254, 256, 256}));
  EXPECT_TRUE(StepArea({-1, -1, -1, HISTORY_REGION}).Empty());
  EXPECT_TRUE(StepArea({Index(10, 20), 4, 3, 9}).Empty());
}

TEST_F(UndoTest, SavedLevelHoldsEitherTheTileOrTheAnimation) {
  At(5).SetValues({77, 12, -1});  // plain: its stray anim is not kept
  At(6).SetValues({77, 12, 3});   // animated: its tile is not kept
  SaveCellUndo(*doc, 5);
  SaveCellUndo(*doc, 6);
  SaveCellRedo(*doc, 6);
  ASSERT_TRUE(History(5) && History(6));
  EXPECT_EQ(History(5)->undo, (std::vector<CellValues>{{77, -1, -1}}));
  EXPECT_EQ(History(6)->undo, (std::vector<CellValues>{{-1, 12, 3}}));
  EXPECT_EQ(History(6)->redo, (std::vector<CellValues>{{-1, 12, 3}}));
  EXPECT_EQ(RedoDepth(5), 0);
}

TEST_F(UndoTest, DroppingLevelsReleasesTheHistoryOnlyWhenBothStacksAreEmpty) {
  DropCellUndo(*doc, 9);  // nothing saved: nothing happens
  DropCellRedo(*doc, 9);
  EXPECT_FALSE(History(9));
  SaveCellUndo(*doc, 9);
  SaveCellRedo(*doc, 9);
  DropCellUndo(*doc, 9);
  ASSERT_TRUE(History(9));
  EXPECT_EQ(UndoDepth(9), 0);
  EXPECT_EQ(RedoDepth(9), 1);
  EXPECT_EQ(doc->cellHistories.size(), 1u);  // only the edited cell holds anything
  DropCellRedo(*doc, 9);
  EXPECT_FALSE(History(9));
  EXPECT_TRUE(doc->cellHistories.empty());
  // Cell indexes outside the map are ignored and leave nothing behind.
  SaveCellUndo(*doc, -1);
  SaveCellRedo(*doc, kCellCount);
  DropCellUndo(*doc, kCellCount);
  EXPECT_TRUE(doc->cellHistories.empty());
}

TEST_F(UndoTest, ThirteenSavesKeepTheLastTwelveLevels) {
  const int cell = Index(40, 40);
  for (int k = 0; k < 13; ++k) Paint(cell, {k + 1, -1, -1});  // saves 280, 1, ..., 12
  ASSERT_EQ(UndoDepth(cell), kHistoryDepth);
  EXPECT_EQ(History(cell)->undo.front().tile, 1);  // 280 is lost
  EXPECT_EQ(History(cell)->undo.back().tile, 12);
  for (int k = 0; k < 13; ++k) SaveCellRedo(*doc, cell);
  EXPECT_EQ(RedoDepth(cell), kHistoryDepth);
  // Unwinding level by level ends at the oldest kept value, not the lost one.
  for (int k = 0; k < 13; ++k) {
    PushUndoStep(*doc, cell, 1, 1, HISTORY_REGION);
    UndoNewestStep(*doc);
  }
  EXPECT_EQ(At(cell).tile, 1);
  EXPECT_EQ(UndoDepth(cell), 0);
}

TEST_F(UndoTest, ThirteenEditsKeepTheLastTwelveSteps) {
  for (int k = 0; k < 13; ++k) {
    Paint(k, {500 + k, -1, -1});
    PushUndoStep(*doc, k, 1, 1, HISTORY_REGION);
  }
  ASSERT_EQ(doc->undoCount(), kHistoryDepth);
  EXPECT_EQ(doc->undoSteps.front(), (HistoryStep{1, 1, 1, 0}));  // the first edit's step is lost
  EXPECT_EQ(doc->undoSteps.back(), (HistoryStep{12, 1, 1, 0}));
  for (int k = 0; k < 12; ++k) EXPECT_TRUE(UndoNewestStep(*doc));
  EXPECT_FALSE(UndoNewestStep(*doc));
  EXPECT_EQ(At(0).tile, 500);  // its step is gone, so its edit stays
  for (int k = 1; k < 13; ++k) EXPECT_EQ(At(k).tile, BLANK_TILE) << k;
  EXPECT_EQ(UndoDepth(0), 1);  // its level stays, unreachable
  // The redo side has the same limit.
  for (int k = 0; k < 13; ++k) PushRedoStep(*doc, 100 + k, 2, 3, HISTORY_BUNKER_UP);
  EXPECT_EQ(doc->redoCount(), kHistoryDepth);
  EXPECT_EQ(doc->redoSteps.front().cell, 101);
  EXPECT_EQ(doc->redoSteps.back(), (HistoryStep{112, 2, 3, HISTORY_BUNKER_UP}));
}

TEST_F(UndoTest, UndoAndRedoRoundTripPlainAndAnimatedCells) {
  const int a = Index(3, 3), b = Index(4, 3);
  At(a).SetValues({17, -1, -1});
  At(b).SetValues({-1, 40, 6});
  // One step turns the plain cell into an animation and the animation into a tile.
  Paint(a, {33, 41, 0});
  Paint(b, {90, -1, -1});
  PushUndoStep(*doc, a, 2, 1, HISTORY_REGION);

  EXPECT_EQ(UndoNewestStep(*doc), (CellRect{3, 3, 5, 4}));
  EXPECT_EQ(At(a).Values(), (CellValues{17, -1, -1}));
  EXPECT_EQ(At(b).Values(), (CellValues{-1, 40, 6}));
  EXPECT_EQ(doc->undoCount(), 0);
  EXPECT_EQ(doc->redoSteps, (std::vector<HistoryStep>{{a, 2, 1, 0}}));

  EXPECT_TRUE(RedoNewestStep(*doc));
  EXPECT_EQ(At(a).Values(), (CellValues{-1, 41, 0}));  // animated again, its tile -1
  EXPECT_EQ(At(b).Values(), (CellValues{90, -1, -1}));
  EXPECT_EQ(doc->redoCount(), 0);
  EXPECT_EQ(doc->undoSteps, (std::vector<HistoryStep>{{a, 2, 1, 0}}));

  EXPECT_TRUE(UndoNewestStep(*doc));
  EXPECT_EQ(At(a).Values(), (CellValues{17, -1, -1}));
  EXPECT_EQ(At(b).Values(), (CellValues{-1, 40, 6}));
  // Back where it started: one redo level each, no undo levels.
  EXPECT_EQ(UndoDepth(a), 0);
  EXPECT_EQ(RedoDepth(a), 1);
  EXPECT_EQ(doc->cellHistories.size(), 2u);
  EXPECT_TRUE(RedoNewestStep(*doc));
  EXPECT_FALSE(RedoNewestStep(*doc));
  EXPECT_EQ(RedoDepth(a), 0);
  EXPECT_EQ(UndoDepth(a), 1);
}

TEST_F(UndoTest, BunkerUpStepRestoresItsEightCellsAndLeavesTheInnerOnes) {
  const int col = 100, row = 50, start = Index(col, row);
  // Every cell of the 4 x 3 block has two saved levels.
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      Paint(Index(col + c, row + r), {1, -1, -1});
      Paint(Index(col + c, row + r), {2, -1, -1});
    }
  }
  PushUndoStep(*doc, start, 4, 3, HISTORY_BUNKER_UP);
  EXPECT_TRUE(UndoNewestStep(*doc));
  const std::set<int> inner = Picture(col, row, "..../.XX./.XX.");
  int restored = 0;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      const int i = Index(col + c, row + r);
      if (inner.count(i)) {
        EXPECT_EQ(At(i).tile, 2);
        EXPECT_EQ(UndoDepth(i), 2);
        EXPECT_EQ(RedoDepth(i), 0);
      } else {
        EXPECT_EQ(At(i).tile, 1);
        EXPECT_EQ(UndoDepth(i), 1);
        EXPECT_EQ(RedoDepth(i), 1);
        ++restored;
      }
    }
  }
  EXPECT_EQ(restored, 8);
}

// For every kind: undo restores exactly the step's cells, redo brings the
// edit back, and no cell around the step is touched.
TEST_F(UndoTest, EveryKindUndoesAndRedoesExactlyItsCells) {
  const int col = 60, row = 60;
  const std::vector<HistoryStep> steps = {
      {Index(col, row), 4, 3, HISTORY_REGION},      {Index(col, row), 4, 3, HISTORY_BUNKER_UP},
      {Index(col, row), 4, 3, HISTORY_BUNKER_DOWN}, {Index(col, row), 4, 3, HISTORY_BUNKER_LEFT},
      {Index(col, row), 5, 4, HISTORY_BUNKER_RIGHT}, {Index(col, row), 3, 3, HISTORY_SPAWN_PLUS},
      {Index(col, row), 3, 3, HISTORY_SPAWN_CROSS}, {Index(col, row), 5, 2, HISTORY_ROTATE},
      {Index(col, row), 2, 5, HISTORY_ROTATE},
  };
  for (const HistoryStep& step : steps) {
    SCOPED_TRACE(testing::Message() << "kind " << step.kind << " " << step.width << "x" << step.height);
    // Give the whole neighbourhood one saved level, then paint the step.
    std::vector<CellValues> before;
    for (int r = -1; r < 7; ++r) {
      for (int c = -1; c < 7; ++c) Paint(Index(col + c, row + r), {1000 + r * 10 + c, -1, -1});
    }
    for (const Cell& cell : doc->cells) before.push_back(cell.Values());
    const std::set<int> cells = StepCells(step);
    PaintStep(step, 2000);

    ASSERT_TRUE(UndoNewestStep(*doc));
    for (int i = 0; i < kCellCount; ++i) ASSERT_EQ(At(i).Values(), before[static_cast<size_t>(i)]) << i;
    ASSERT_TRUE(RedoNewestStep(*doc));
    for (int i = 0; i < kCellCount; ++i) {
      const CellValues expected = cells.count(i) ? CellValues{2000 + i, -1, -1} : before[static_cast<size_t>(i)];
      ASSERT_EQ(At(i).Values(), expected) << i;
    }
  }
}

TEST_F(UndoTest, StepPastTheMapEdgeRestoresOnlyCellsInsideTheMap) {
  // Cells of the next row that a wrapping walk would reach are edited too.
  for (int c = 252; c < 256; ++c) Paint(Index(c, 10), {3, -1, -1});
  for (int c = 0; c < 3; ++c) Paint(Index(c, 11), {3, -1, -1});
  for (int c = 252; c < 256; ++c) Paint(Index(c, 255), {3, -1, -1});
  PushUndoStep(*doc, Index(252, 10), 7, 1, HISTORY_REGION);
  PushUndoStep(*doc, Index(252, 255), 4, 6, HISTORY_REGION);
  EXPECT_TRUE(UndoNewestStep(*doc));
  EXPECT_TRUE(UndoNewestStep(*doc));
  for (int c = 252; c < 256; ++c) EXPECT_EQ(At(Index(c, 10)).tile, BLANK_TILE);
  for (int c = 252; c < 256; ++c) EXPECT_EQ(At(Index(c, 255)).tile, BLANK_TILE);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(At(Index(c, 11)).tile, 3);
  // The row-10 step was undone last, so it is redone first.
  EXPECT_TRUE(RedoNewestStep(*doc));
  for (int c = 252; c < 256; ++c) EXPECT_EQ(At(Index(c, 10)).tile, 3);
  for (int c = 252; c < 256; ++c) EXPECT_EQ(At(Index(c, 255)).tile, BLANK_TILE);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(UndoDepth(Index(c, 11)), 1);
}

TEST_F(UndoTest, UndoAndRedoReturnTheStepAreaToRepaint) {
  EXPECT_EQ(UndoNewestStep(*doc), std::nullopt);
  EXPECT_EQ(RedoNewestStep(*doc), std::nullopt);
  PushUndoStep(*doc, -1, -1, -1, HISTORY_REGION);  // Delete without a selection
  PushUndoStep(*doc, Index(254, 3), 2, 4, HISTORY_ROTATE);
  EXPECT_EQ(UndoNewestStep(*doc), (CellRect{254, 3, 256, 7}));
  EXPECT_EQ(UndoNewestStep(*doc), CellRect{});  // a step was taken back, but no cells
  EXPECT_EQ(UndoNewestStep(*doc), std::nullopt);
  EXPECT_EQ(RedoNewestStep(*doc), CellRect{});
  EXPECT_EQ(RedoNewestStep(*doc), (CellRect{254, 3, 256, 7}));
}

TEST_F(UndoTest, CellsWithEmptyStacksKeepTheirValues) {
  const int start = Index(8, 8);
  Paint(start, {5, -1, -1});                  // only the first cell was saved
  At(start + 1).SetValues({-1, 9, 2});        // changed without saving
  PushUndoStep(*doc, start, 2, 1, HISTORY_REGION);
  EXPECT_TRUE(UndoNewestStep(*doc));
  EXPECT_EQ(At(start).tile, BLANK_TILE);
  EXPECT_EQ(At(start + 1).Values(), (CellValues{-1, 9, 2}));
  EXPECT_FALSE(History(start + 1));        // nothing went onto its redo stack
  EXPECT_TRUE(RedoNewestStep(*doc));
  EXPECT_EQ(At(start).tile, 5);
  EXPECT_EQ(At(start + 1).Values(), (CellValues{-1, 9, 2}));
}

TEST_F(UndoTest, NewEditDoesNotClearRedo) {
  const int cell = Index(70, 70);
  Paint(cell, {10, -1, -1});
  PushUndoStep(*doc, cell, 1, 1, HISTORY_REGION);
  ASSERT_TRUE(UndoNewestStep(*doc));
  EXPECT_EQ(At(cell).tile, BLANK_TILE);
  // A new edit over the undone cell.
  Paint(cell, {-1, 3, 4});
  PushUndoStep(*doc, cell, 1, 1, HISTORY_REGION);
  EXPECT_EQ(doc->redoCount(), 1);
  // Redo puts the undone value back over the new edit...
  ASSERT_TRUE(RedoNewestStep(*doc));
  EXPECT_EQ(At(cell).Values(), (CellValues{10, -1, -1}));
  // ...and two undos walk back through the new edit to the start.
  ASSERT_TRUE(UndoNewestStep(*doc));
  EXPECT_EQ(At(cell).Values(), (CellValues{-1, 3, 4}));
  ASSERT_TRUE(UndoNewestStep(*doc));
  EXPECT_EQ(At(cell).Values(), (CellValues{BLANK_TILE, -1, -1}));
  EXPECT_FALSE(UndoNewestStep(*doc));
}

}  // namespace
}  // namespace quarl
