// Commands arriving from their different sources reach the same command
// table: the Edit menu, an accelerator, a map window's Control popup and the
// toolbox's one-shot buttons.

#include <gtest/gtest.h>

#include "quarl_session.h"
#include "resource_ids.h"

namespace quarl::wintest {
namespace {

class CommandSources : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    map_ = NewMap();
    ASSERT_TRUE(IsWindow(map_));
  }
  MapView& View() { return *TheEditor().maps.FindView(win::ToWindowId(map_)); }
  HWND map_ = nullptr;
};

TEST_F(CommandSources, SelectAllFromTheMenuTheKeyAndTheControlPopup) {
  const WPARAM sources[] = {CMD_SELECT_ALL, MAKEWPARAM(CMD_SELECT_ALL, 1)};
  for (WPARAM source : sources) {
    View().selectionShown = 0;
    SendMessageA(Frame(), WM_COMMAND, source, 0);
    EXPECT_EQ(View().selectionShown, 1);
    EXPECT_EQ(View().selection, (Rect{0, 0, 4096, 4096}));
    EXPECT_EQ(TheEditor().Selection(), (SelectionCells{0, 256, 256}));
  }
  View().selectionShown = 0;
  SendMessageA(map_, WM_SYSCOMMAND, CMD_SELECT_ALL, 0);  // the Control popup forwards it
  EXPECT_EQ(View().selectionShown, 1);
}

TEST_F(CommandSources, ToolboxRotateTurnsTheSelection) {
  MapDocument& doc = *TheEditor().maps.FindMapDocument(win::ToWindowId(map_));
  View().selection = Rect{16, 16, 64, 32};  // three cells in a row at (1, 1)
  View().selectionShown = 1;
  View().selectionCells = SelectionCellsOf(View().selection);  // as a rubber band leaves it
  doc.At(1, 1).tile = 3007;  // tiles the rotate table does not hold
  doc.At(2, 1).tile = 3008;
  // The toolbox's Rotate button, the fifteenth in the vertical layout.
  SendMessageA(App().toolbox, WM_LBUTTONUP, 0, MAKELPARAM(2 * 32 + 5, 3 * 32 + 5));
  EXPECT_EQ(TheEditor().Selection(), (SelectionCells{257, 1, 3}));
  EXPECT_EQ(doc.At(1, 2).tile, 3008);  // the second cell of the row is now below the first
  EXPECT_EQ(doc.At(2, 1).tile, BLANK_TILE);
  EXPECT_EQ(doc.undoCount(), 1);
}

}  // namespace
}  // namespace quarl::wintest
