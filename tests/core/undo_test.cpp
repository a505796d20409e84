#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "history/cell_edit.h"
#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }

// The cells a step covers, collected by the shared walker.
std::set<int> StepCells(const HistoryStep& step) {
  std::set<int> cells;
  ForEachStepCell(step, [&](int32_t i) { EXPECT_TRUE(cells.insert(i).second) << "visited twice: " << i; });
  return cells;
}

// Which cells belong, rows separated by '/', 'X' = belongs, from the top-left cell (column, row).
std::set<int> Picture(int column, int row, const std::string& rows) {
  std::set<int> cells;
  for (int r = 0, c = 0; char ch : rows) {
    if (ch == 'X') cells.insert(Index(column + c, row + r));
    ch == '/' ? (++r, c = 0) : ++c;
  }
  return cells;
}

TEST(StepWalk, EachKindCoversItsCellsAndStopsAtTheMapEdges) {
  const int start = Index(10, 20);
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_UP}), Picture(10, 20, "XXXX/X..X/X..X"));
  EXPECT_EQ(StepCells({start, 4, 3, HISTORY_BUNKER_RIGHT}), Picture(10, 20, "XXXX/...X/XXXX"));
  // The rotate kind adds the turned rectangle, below or to the right.
  EXPECT_EQ(StepCells({start, 5, 2, HISTORY_ROTATE}), Picture(10, 20, "XXXXX/XXXXX/XX/XX/XX"));
  // Never the cells past the right and bottom edges that index arithmetic would wrap onto.
  EXPECT_EQ(StepCells({Index(254, 254), 4, 4, HISTORY_REGION}), Picture(254, 254, "XX/XX"));
  EXPECT_EQ(StepCells({Index(0, 254), 5, 1, HISTORY_ROTATE}), Picture(0, 254, "XXXXX/X"));
  EXPECT_EQ(StepCells({Index(253, 0), 1, 5, HISTORY_ROTATE}), Picture(253, 0, "XXX/X/X/X/X"));
  EXPECT_TRUE(StepCells({kCellCount, 3, 3, HISTORY_REGION}).empty());
}

struct UndoTest : ::testing::Test {
  Cell& At(int index) { return doc.cells[static_cast<size_t>(index)]; }
  void Paint(int index, CellValues v) {  // what every editing tool does to a cell
    SaveCellUndo(doc, index);
    At(index).SetValues(v);
  }
  MapDocument doc;
};

// For every kind: undo restores exactly the step's cells, redo brings the
// edit back, and no cell around the step is touched.
TEST_F(UndoTest, EveryKindUndoesAndRedoesExactlyItsCells) {
  for (int32_t kind = HISTORY_REGION; kind <= HISTORY_ROTATE; ++kind) {
    SCOPED_TRACE(kind);
    const HistoryStep step{Index(60, 60), kind == HISTORY_ROTATE ? 5 : 4, 3, kind};
    for (int r = -1; r < 7; ++r)  // one saved level around the step
      for (int c = -1; c < 7; ++c) Paint(Index(60 + c, 60 + r), {1000 + r * 10 + c, -1, -1});
    std::vector<CellValues> before;
    for (const Cell& cell : doc.cells) before.push_back(cell.Values());
    const std::set<int> cells = StepCells(step);
    for (int i : cells) Paint(i, {2000 + i, -1, -1});
    PushUndoStep(doc, step.cell, step.width, step.height, step.kind);
    ASSERT_TRUE(UndoNewestStep(doc));
    for (int i = 0; i < kCellCount; ++i) ASSERT_EQ(At(i).Values(), before[i]) << i;
    ASSERT_TRUE(RedoNewestStep(doc));
    for (int i = 0; i < kCellCount; ++i) {
      const CellValues want = cells.count(i) ? CellValues{2000 + i, -1, -1} : before[i];
      ASSERT_EQ(At(i).Values(), want) << i;
    }
  }
}

TEST_F(UndoTest, TwelveLevelsPerCellAndTwelveStepsPerMap) {
  const int cell = Index(40, 40);
  for (int k = 0; k < 13; ++k) Paint(cell, {k + 1, -1, -1});  // saves 280, 1, ..., 12
  for (int k = 0; k < 13; ++k) {
    PushUndoStep(doc, cell, 1, 1, HISTORY_REGION);
    UndoNewestStep(doc);
  }
  EXPECT_EQ(std::pair(At(cell).tile, doc.RedoDepth(cell)), std::pair(1, kHistoryDepth));  // 1 is kept, not 280

  for (int k = 0; k < 13; ++k) {
    Paint(k, {500 + k, -1, -1});
    PushUndoStep(doc, k, 1, 1, HISTORY_REGION);
  }
  while (UndoNewestStep(doc)) {}
  EXPECT_EQ((std::pair{At(0).tile, At(1).tile}), (std::pair{500, BLANK_TILE}));  // the first step is gone
  for (int k = 0; k < 13; ++k) PushRedoStep(doc, 100 + k, 2, 3, HISTORY_BUNKER_UP);
  EXPECT_EQ((std::pair{doc.redoCount(), doc.redoSteps.front().cell}), (std::pair{kHistoryDepth, 101}));
}

TEST_F(UndoTest, PlainAndAnimatedCellsRoundTripAndTheStepAreaIsReturned) {
  const int a = Index(254, 3), b = Index(255, 3);
  At(a).SetValues({17, 12, -1});  // plain: its stray anim is not kept
  At(b).SetValues({77, 40, 6});   // animated: its tile is not kept
  Paint(a, {33, 41, 0});
  Paint(b, {90, -1, -1});
  PushUndoStep(doc, -1, -1, -1, HISTORY_REGION);  // Delete without a selection
  PushUndoStep(doc, a, 2, 4, HISTORY_ROTATE);
  EXPECT_EQ(UndoNewestStep(doc), (CellRect{254, 3, 256, 7}));
  EXPECT_EQ((std::vector{At(a).Values(), At(b).Values()}), (std::vector<CellValues>{{17, -1, -1}, {-1, 40, 6}}));
  EXPECT_EQ(UndoNewestStep(doc), CellRect{});  // a step was taken back, but no cells
  EXPECT_EQ(UndoNewestStep(doc), std::nullopt);
}

TEST_F(UndoTest, CellsWithoutLevelsKeepTheirValuesAndANewEditKeepsRedo) {
  const int start = Index(8, 8);
  Paint(start, {5, -1, -1});            // only the first cell was saved
  At(start + 1).SetValues({-1, 9, 2});  // changed without saving
  PushUndoStep(doc, start, 2, 1, HISTORY_REGION);
  EXPECT_TRUE(UndoNewestStep(doc));
  EXPECT_EQ(At(start + 1).Values(), (CellValues{-1, 9, 2}));
  // Redo puts the undone value back over a new edit.
  Paint(start, {-1, 3, 4});
  PushUndoStep(doc, start, 1, 1, HISTORY_REGION);
  ASSERT_TRUE(RedoNewestStep(doc));
  EXPECT_EQ(At(start).Values(), (CellValues{5, -1, -1}));
}

TEST(CellEdit, SavesEachCellOncePushesOneStepAndIgnoresCellsOffTheMap) {
  MapDocument doc;
  const int a = Index(5, 5), b = Index(6, 5);
  doc.cells[a].SetValues({-1, 4, 2});
  {
    CellEdit edit(doc, {a, 2, 1, HISTORY_REGION});
    edit.Set(a, {1, -1, -1});
    edit.Set(a, {2, -1, -1});  // the same cell again: written, not saved again
    edit.Set(6, 5, {-1, 7, 0});
    edit.Set(256, 5, {1, -1, -1});  // off the map: ignored, never wrapped onto another row
    edit.Set(kCellCount, {1, -1, -1});
    EXPECT_EQ(edit.Commit(), (CellRect{5, 5, 7, 6}));
  }  // the destructor does not push again
  EXPECT_EQ(doc.undoSteps, (std::vector<HistoryStep>{{a, 2, 1, HISTORY_REGION}}));
  EXPECT_EQ((std::vector{doc.UndoDepth(a), doc.UndoDepth(b), int{doc.modified}, doc.cells[a].tile,
                         static_cast<int>(doc.cellHistories.size())}),
            (std::vector{1, 1, 1, 2, 2}));

  MapDocument other;
  { CellEdit edit(other, {0, 1, 1, HISTORY_REGION}); }  // set nothing: pushes nothing
  EXPECT_TRUE(other.undoSteps.empty());
}

// A cell its step does not name would leave a saved level no undo takes back:
// the inner cell of a bunker, or the next row's first cell that a step past
// the right edge reaches by index. Debug builds stop; others skip the cell.
TEST(CellEditDeathTest, RefusesCellsThatAreNotTheSteps) {
  MapDocument doc;
  auto setOutside = [&](HistoryStep step, int cell) { CellEdit(doc, step).Set(cell, {1, -1, -1}); };
#ifdef NDEBUG
  setOutside({Index(10, 10), 4, 3, HISTORY_BUNKER_UP}, Index(11, 11));
  setOutside({Index(254, 0), 4, 1, HISTORY_REGION}, Index(0, 1));
  EXPECT_EQ(std::tuple(doc.At(11, 11).tile, doc.At(0, 1).tile, doc.cellHistories.size()),
            std::tuple(BLANK_TILE, BLANK_TILE, size_t{0}));
#else
  EXPECT_DEATH(setOutside({Index(10, 10), 4, 3, HISTORY_BUNKER_UP}, Index(11, 11)), "not one of the edit's step");
  EXPECT_DEATH(setOutside({Index(254, 0), 4, 1, HISTORY_REGION}, Index(0, 1)), "not one of the edit's step");
#endif
}

}  // namespace
}  // namespace quarl
