#include <gtest/gtest.h>

#include "editor/undo_commands.h"
#include "history/undo.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::TestEditor;

TEST(OpenMapList, WalksInCreationOrderFindsByWindowAndPublishesTheShownSelection) {
  TestEditor t;
  OpenMap* a = CreateNewMAP(t.editor);
  OpenMap* b = CreateNewMAP(t.editor);
  EXPECT_EQ(t.editor.activeMapWindow, b->view.window);
  EXPECT_EQ(t.editor.maps.FindMapDocument(b->view.window), b->doc.get());
  a->view.selection = Rect{32, 16, 80, 64};
  a->view.selectionShown = 1;
  ActivateMapWindow(t.editor, a->view.window);
  EXPECT_EQ(t.editor.Selection(), (SelectionCells{256 + 2, 3, 3}));
  b->view.selection = Rect{0, 0, 16, 16};  // hidden: no selection
  ActivateMapWindow(t.editor, b->view.window);
  EXPECT_EQ(t.editor.Selection(), SelectionCells{});
  // Closing the active window makes the first map still open the active one.
  EXPECT_EQ(CloseMapWindow(t.editor, b->view.window), a->view.window);
  EXPECT_EQ(CloseMapWindow(t.editor, a->view.window), 0u);
  EXPECT_TRUE(t.editor.maps.Empty());
}

TEST(CreateNewMAP, GivesTheNewMapDefaultsOrReportsTheClassOnce) {
  TestEditor t;
  const MapDocument& doc = *CreateNewMAP(t.editor)->doc;
  for (const Cell& c : doc.cells) ASSERT_EQ(c.Values(), (CellValues{280, -1, -1}));
  EXPECT_EQ(doc.name + "|" + t.Title(), "Untitled|Untitled");
  TestEditor u;
  u.windows.classRegistrationSucceeds = false;
  EXPECT_EQ(CreateNewMAP(u.editor), nullptr);
  EXPECT_EQ(testing::Shown(u.ui), testing::Texts{"Error - Non-fatal: Unable to register window class!"});
}

TEST(UndoLastStep, ActsOnTheActiveMapAndRepaintsItsWindow) {
  TestEditor t;
  OpenMap* first = CreateNewMAP(t.editor);
  CreateNewMAP(t.editor);
  SaveCellUndo(*first->doc, 0);
  first->doc->cells[0].tile = 1;
  PushUndoStep(*first->doc, 0, 1, 1, HISTORY_REGION);
  EXPECT_EQ(UndoLastStep(t.editor), 0);  // the second map is active and has nothing to undo
  ActivateMapWindow(t.editor, first->view.window);
  EXPECT_EQ(UndoLastStep(t.editor), 1);
  EXPECT_EQ(first->doc->cells[0].tile, BLANK_TILE);
  EXPECT_EQ(t.windows.repaints, std::vector<WindowId>{first->view.window});
}

}  // namespace
}  // namespace quarl
