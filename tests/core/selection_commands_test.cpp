// Mirror and Rotate of the selection, and Copy, as the editor runs them on
// the active map.
#include <gtest/gtest.h>

#include <vector>

#include "editor/clipboard_commands.h"
#include "editor/selection.h"
#include "editor/selection_transforms.h"
#include "history/transforms.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::TestEditor;

constexpr const char* kNoSelection =
    "You have not created a selection mask\nSee zormpd.rtf for information on the Select Tool";

class SelectionCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map = CreateNewMAP(t.editor);
    ASSERT_TRUE(map);
    ActivateMapWindow(t.editor, map->view.window);
  }
  void Select(int column, int row, int width, int height) {
    map->view.selection = Rect{column * 16, row * 16, (column + width) * 16, (row + height) * 16};
    map->view.selectionShown = 1;
    ActivateMapWindow(t.editor, map->view.window);
  }

  TestEditor t;
  OpenMap* map = nullptr;
};

TEST_F(SelectionCommandsTest, EachCommandNeedsASelection) {
  EXPECT_EQ(MirrorSelection(t.editor) + RotateSelection(t.editor), 0);
  EXPECT_FALSE(CopySelectionBytes(t.editor));
  ASSERT_EQ(t.ui.messages.size(), 3u);
  for (const RecordedMessage& m : t.ui.messages) {
    EXPECT_EQ(m.text + "|" + m.title, std::string(kNoSelection) + "|Error - Non-Fatal");
  }
  EXPECT_TRUE(map->doc->undoSteps.empty());
  map->view.selectionCells = SelectionCells{5, 0, 3};  // a band with no width keeps its height
  EXPECT_EQ(*CopySelectionBytes(t.editor), (std::vector<uint8_t>{'Z', 'O', 'R', '0', 0, 0, 0, 3}));
}

TEST_F(SelectionCommandsTest, MirrorKeepsTheSelectionAndRotateTurnsIt) {
  map->doc->At(20, 5).SetValues({1, -1, -1});
  Select(20, 5, 3, 1);
  t.editor.tools.mirrorDirection = MIRROR_DOWN;
  EXPECT_EQ(MirrorSelection(t.editor), 1);
  EXPECT_EQ(map->doc->At(20, 6).tile, 1);  // no table entries: copied unchanged
  EXPECT_EQ(t.editor.Selection(), (SelectionCells{5 * 256 + 20, 3, 1}));

  Select(50, 60, 3, 1);
  EXPECT_EQ(RotateSelection(t.editor), 1);
  EXPECT_EQ(map->view.selection, (Rect{800, 960, 816, 1008}));
  // Near the right edge the turned selection is cut at the map's last column.
  Select(254, 0, 1, 4);
  EXPECT_EQ(RotateSelection(t.editor), 1);
  EXPECT_EQ(t.editor.Selection(), (SelectionCells{254, 2, 1}));
  EXPECT_EQ(map->view.selection, (Rect{4064, 0, 4096, 16}));
}

}  // namespace
}  // namespace quarl
