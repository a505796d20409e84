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

}  // namespace
}  // namespace quarl
