#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "editor/undo_commands.h"
#include "history/undo.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::TestEditor;

// Which of the commands are enabled, as a string of 0s and 1s.
std::string Enabled(const Editor& editor, const std::vector<int>& commands, bool overviewShown = false) {
  std::string enabled;
  for (int command : commands) enabled += CommandStateOf(command, {editor, overviewShown}).enabled ? '1' : '0';
  return enabled;
}

TEST(CommandStateOf, EnabledCommandsFollowTheActiveMapItsSelectionAndHistory) {
  TestEditor t;
  const std::vector<int> commands = {CMD_NEW, CMD_OPEN, CMD_CUSTOMIZE_MR, CMD_AUTO_PAN, CMD_SAVE, CMD_CASCADE,
                                     CMD_SELECT_ALL, CMD_INFO, CMD_MAP_CHECK, CMD_UNDO, CMD_REDO, CMD_COPY,
                                     CMD_CUT, CMD_PASTE, CMD_DELETE, CMD_FILL_SELECTION};
  EXPECT_EQ(Enabled(t.editor, commands), "1111000000000000");
  OpenMap* map = CreateNewMAP(t.editor);
  EXPECT_EQ(Enabled(t.editor, commands), "1111111110000000");
  map->view.selectionShown = 1;
  SaveCellUndo(*map->doc, 0);
  PushUndoStep(*map->doc, 0, 1, 1, HISTORY_REGION);
  EXPECT_EQ(Enabled(t.editor, commands), "1111111111011111");
  UndoNewestStep(*map->doc);
  EXPECT_EQ(Enabled(t.editor, commands), "1111111110111111");
  EXPECT_EQ(Enabled(t.editor, {CMD_OVERVIEW, CMD_INFO}, true), "01");
}

TEST(CommandTable, RunsByIdAndSource) {
  std::vector<int> ran;
  CommandTable table;
  for (int command : {CMD_OPEN, CMD_SAVE_AS, CMD_REDO, CMD_UNDO}) {
    table.Define(command, [&ran, command] { ran.push_back(command); });
  }
  table.Define(CMD_COPY, nullptr);  // listed, nothing to run yet
  EXPECT_TRUE(table.Run(CMD_REDO_KEY, CommandSource::Accelerator));  // Ctrl+R redoes
  EXPECT_TRUE(table.Run(CMD_SAVE_AS, CommandSource::Accelerator));   // no key: taken, nothing runs
  EXPECT_TRUE(table.Run(CMD_UNDO, CommandSource::Menu));
  EXPECT_TRUE(table.Run(CMD_COPY, CommandSource::Menu));
  EXPECT_EQ(ran, (std::vector<int>{CMD_REDO, CMD_UNDO}));
  // Redo's key id from a menu and the Window menu's map list go to default processing.
  EXPECT_FALSE(table.Run(CMD_REDO_KEY, CommandSource::Menu));
  EXPECT_FALSE(table.Run(FIRST_MDI_CHILD_ID, CommandSource::Menu));
  EXPECT_EQ(ran.size(), 2u);
}

TEST(OpenMapList, PublishesTheShownSelectionAndUndoesOnTheActiveMap) {
  TestEditor t;
  OpenMap* a = CreateNewMAP(t.editor);
  OpenMap* b = CreateNewMAP(t.editor);
  a->view.selection = Rect{32, 16, 80, 64};
  a->view.selectionShown = 1;
  ActivateMapWindow(t.editor, a->view.window);
  EXPECT_EQ(t.editor.Selection(), (SelectionCells{256 + 2, 3, 3}));
  b->view.selection = Rect{0, 0, 16, 16};  // hidden: no selection
  ActivateMapWindow(t.editor, b->view.window);
  EXPECT_EQ(t.editor.Selection(), SelectionCells{});
  SaveCellUndo(*a->doc, 0);
  a->doc->cells[0].tile = 1;
  PushUndoStep(*a->doc, 0, 1, 1, HISTORY_REGION);
  EXPECT_EQ(UndoLastStep(t.editor), 0);  // b is active and has nothing to undo
  // Closing the active window makes the first map still open the active one, and undo acts on it.
  EXPECT_EQ(CloseMapWindow(t.editor, b->view.window), a->view.window);
  EXPECT_EQ(UndoLastStep(t.editor), 1);
  EXPECT_EQ(std::pair(a->doc->cells[0].tile, t.windows.repaints),
            std::pair(BLANK_TILE, std::vector<WindowId>{a->view.window}));
  EXPECT_EQ(CloseMapWindow(t.editor, a->view.window), 0u);
  EXPECT_TRUE(t.editor.maps.Empty());
}

TEST(CreateNewMAP, ReportsAWindowClassItCannotRegister) {
  TestEditor t;
  t.windows.classRegistrationSucceeds = false;
  EXPECT_EQ(CreateNewMAP(t.editor), nullptr);
  EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Error - Non-fatal: Unable to register window class!"});
}

}  // namespace
}  // namespace quarl
