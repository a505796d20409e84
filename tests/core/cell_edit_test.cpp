#include "history/cell_edit.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }

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
  EXPECT_EQ((std::vector{doc.UndoDepth(a), doc.UndoDepth(b), int{doc.modified}, doc.cells[a].tile}),
            (std::vector{1, 1, 1, 2}));
  EXPECT_EQ(doc.cellHistories.size(), 2u);

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
