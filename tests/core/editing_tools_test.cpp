#include "editor/editing_tools.h"

#include <gtest/gtest.h>

#include <vector>

#include "editor/game_objects.h"
#include "history/undo.h"
#include "map/map_checks.h"
#include "map/tile_tables.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

class EditToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitTileTables());
    map = CreateNewMAP(t.editor);
    ASSERT_TRUE(map);
    window = map->view.window;
    map->view.selectionShown = 1;
  }
  CellValues At(int column, int row) const { return map->doc->At(column, row).Values(); }

  testing::TestEditor t;
  OpenMap* map = nullptr;
  WindowId window = 0;
};

TEST_F(EditToolTest, ABlockAtTheRightEdgeDropsWhatLiesPastIt) {
  t.editor.tools.currentTile = 45;
  t.editor.tools.blockWidth = 3;
  t.editor.tools.blockHeight = 2;
  EXPECT_EQ(PlaceWithEditTool(t.editor, window, 254, 7, 0, Gesture::kPress), 1);
  EXPECT_EQ(At(255, 7), (CellValues{46, -1, -1}));
  EXPECT_EQ(At(254, 8), (CellValues{85, -1, -1}));  // the next sheet row
  EXPECT_EQ(At(0, 8), CellValues{});                 // nothing wraps
  EXPECT_EQ(map->doc->undoSteps, (std::vector<HistoryStep>{{7 * 256 + 254, 3, 2, HISTORY_REGION}}));
  EXPECT_EQ(map->doc->modified, 1);
  EXPECT_EQ(map->view.selectionShown, 0);
  EXPECT_EQ(t.windows.repaints, std::vector<WindowId>{window});
  EXPECT_EQ(PlaceWithEditTool(t.editor, window, 256, 0, 0, Gesture::kDrag), 0);
  EXPECT_EQ(map->doc->undoCount(), 1);
}

TEST_F(EditToolTest, AnAnimationAsksAboutTheGameTypeOnAPressOnly) {
  t.editor.tools.animationMode = 1;
  t.editor.tools.currentAnimation = 65;  // Yellow's flag, the last team asked about
  t.ui.answers = {Answer::Yes};
  PlaceWithEditTool(t.editor, window, 10, 20, 5, Gesture::kPress);
  EXPECT_EQ(At(10, 20), (CellValues{-1, 65, 5}));
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text, "Would you like to set the game type to \"Flag Game\"");
  EXPECT_EQ(t.ui.messages[0].title, "Flag Placed");
  EXPECT_EQ(map->doc->gameType, 1);
  EXPECT_EQ(map->view.selectionShown, 1);  // a press leaves the selection shown

  t.editor.tools.currentAnimation = SWITCH_ANIM;
  PlaceWithEditTool(t.editor, window, 11, 20, 0, Gesture::kDrag);
  EXPECT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(map->view.selectionShown, 0);
  PlaceWithEditTool(t.editor, window, 12, 20, 0, Gesture::kPress);  // answered No
  EXPECT_EQ(t.ui.messages.back().title, "Switch Placed");
  EXPECT_EQ(map->doc->gameType, 1);
  EXPECT_EQ(map->doc->undoSteps.back(), (HistoryStep{20 * 256 + 12, 1, 1, HISTORY_REGION}));
  // Filling words the question without "the"; a Switch game is not asked.
  AskGameTypeForAnimation(t.ui, *map->doc, SWITCH_ANIM, QuestionWording::kFilling);
  EXPECT_EQ(t.ui.messages.back().text, "Would you like to set game type to \"Switch Game\"");
  map->doc->gameType = 2;
  AskGameTypeForAnimation(t.ui, *map->doc, SWITCH_ANIM, QuestionWording::kFilling);
  EXPECT_EQ(t.ui.messages.size(), 3u);
}

TEST_F(EditToolTest, ASwitchAtTheCornerIsCutAndUndoneAsOneStep) {
  t.ui.answers = {Answer::Yes};
  map->view.hoverRect = Rect{16, 16, 32, 32};
  EXPECT_EQ(PlaceSwitch(t.editor, window, 254, 254, Gesture::kPress), 1);
  EXPECT_EQ(At(254, 255), (CellValues{switchObject[3], -1, -1}));
  EXPECT_EQ(At(255, 255), (CellValues{-1, SWITCH_ANIM, 0}));  // the centre
  EXPECT_EQ(map->doc->cellHistories.size(), 4u);
  EXPECT_EQ(map->view.hoverRect, Rect{});
  EXPECT_EQ(map->view.selectionShown, 0);
  EXPECT_EQ(map->doc->gameType, 2);
  ASSERT_TRUE(UndoNewestStep(*map->doc));
  EXPECT_EQ(At(255, 255), CellValues{});
  map->doc->gameType = 0;
  PlaceSwitch(t.editor, window, 100, 100, Gesture::kDrag);  // asks nothing
  EXPECT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(At(102, 102), (CellValues{switchObject[8], -1, -1}));
}

}  // namespace
}  // namespace quarl
