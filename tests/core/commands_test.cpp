#include <gtest/gtest.h>

#include <vector>

#include "app/commands.h"
#include "history/undo.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::TestEditor;

bool Enabled(const Editor& editor, int command, bool overviewShown = false) {
  return CommandStateOf(command, CommandContext{editor, overviewShown}).enabled;
}

TEST(CommandStateOf, WithoutAMapOnlyTheMapFreeCommandsAreEnabled) {
  TestEditor t;
  for (int command : {CMD_SAVE, CMD_CASCADE, CMD_UNDO, CMD_REDO, CMD_PASTE, CMD_SELECT_ALL, CMD_INFO, CMD_MAP_CHECK})
    EXPECT_FALSE(Enabled(t.editor, command)) << command;
  for (int command : {CMD_NEW, CMD_OPEN, CMD_CUSTOMIZE_MR, CMD_AUTO_PAN}) EXPECT_TRUE(Enabled(t.editor, command)) << command;
}

TEST(CommandStateOf, EditCommandsFollowTheActiveMap) {
  TestEditor t;
  OpenMap* map = CreateNewMAP(t.editor);
  const std::vector<int> selectionCommands = {CMD_COPY, CMD_CUT, CMD_PASTE, CMD_DELETE, CMD_FILL_SELECTION};
  EXPECT_FALSE(Enabled(t.editor, CMD_UNDO));
  EXPECT_FALSE(Enabled(t.editor, CMD_REDO));
  for (int command : selectionCommands) EXPECT_FALSE(Enabled(t.editor, command)) << command;
  for (int command : {CMD_SELECT_ALL, CMD_MAP_CHECK, CMD_SAVE}) EXPECT_TRUE(Enabled(t.editor, command)) << command;

  map->view.selectionShown = 1;
  SaveCellUndo(*map->doc, 0);
  PushUndoStep(*map->doc, 0, 1, 1, HISTORY_REGION);
  for (int command : selectionCommands) EXPECT_TRUE(Enabled(t.editor, command)) << command;
  EXPECT_TRUE(Enabled(t.editor, CMD_UNDO));
  EXPECT_FALSE(Enabled(t.editor, CMD_REDO));
  UndoNewestStep(*map->doc);
  EXPECT_FALSE(Enabled(t.editor, CMD_UNDO));
  EXPECT_TRUE(Enabled(t.editor, CMD_REDO));

  EXPECT_FALSE(Enabled(t.editor, CMD_OVERVIEW, true));
  EXPECT_TRUE(Enabled(t.editor, CMD_INFO, true));
}

TEST(CommandStateOf, OptionsAreCheckedByTheirValues) {
  TestEditor t;
  t.editor.options.winpan = 0;
  t.editor.options.shscan = 2;  // any nonzero value is on
  const CommandContext context{t.editor};
  EXPECT_EQ((std::vector<bool>{CommandStateOf(CMD_MINTRAY, context).checked, CommandStateOf(CMD_AUTO_PAN, context).checked,
                               CommandStateOf(CMD_SPAWN_SCAN, context).checked, CommandStateOf(CMD_SAVE, context).checked}),
            (std::vector<bool>{true, false, true, false}));
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
  EXPECT_TRUE(table.Run(CMD_OPEN, CommandSource::Accelerator));
  EXPECT_TRUE(table.Run(CMD_UNDO, CommandSource::Menu));
  EXPECT_TRUE(table.Run(CMD_COPY, CommandSource::Menu));
  EXPECT_EQ(ran, (std::vector<int>{CMD_REDO, CMD_OPEN, CMD_UNDO}));

  // Redo's key id from a menu and the Window menu's map list go to default processing.
  EXPECT_FALSE(table.Run(CMD_REDO_KEY, CommandSource::Menu));
  EXPECT_FALSE(table.Run(FIRST_MDI_CHILD_ID, CommandSource::Menu));
  EXPECT_EQ(ran.size(), 3u);
}

}  // namespace
}  // namespace quarl
