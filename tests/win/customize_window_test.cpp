// The Customize Mirror/Rotate window on the live tables: its buttons, the
// entry list's selection and slots, both pickers, and the next mirror.

#include <windows.h>

#include "editor/selection_transforms.h"
#include "history/transforms.h"
#include "history/win/customize_window.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

MirrorRotateTable NumberedTable(int count, TileRef first) {
  MirrorRotateTable table;
  for (int i = 0; i < count; ++i) table.entries.push_back({{first + i, first + i, first + i, first + i}});
  return table;
}

class CustomizeWindow : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    TheEditor().options.shscan = TheEditor().options.flagscan = 0;
    win::CustomizeWindowState() = {};  // the picks outlive the window, and this process runs many tests
    TheEditor().tables.mirror = NumberedTable(2, 300);
    TheEditor().tables.rotate = NumberedTable(5, 100);
    Command(CMD_CUSTOMIZE_MR);
    window = win::LastCustomizeWindow();
    ASSERT_TRUE(window && IsWindowVisible(window));
  }
  HWND Part(int id) { return GetDlgItem(window, id); }
  void Button(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  void Click(int id, UINT message, int x, int y) { SendMessageA(Part(id), message, MK_LBUTTON, MAKELPARAM(x, y)); }
  int ListWidth() {
    RECT rc{};
    GetClientRect(Part(win::kCustomizeEntryList), &rc);
    return rc.right;
  }
  bool Checked(int id) { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
  CustomizeState& State() { return win::CustomizeWindowState(); }

  HWND window = nullptr;
};

TEST_F(CustomizeWindow, AddDeleteAndTheTableSwitchKeepTheSelectionInTheTable) {
  EXPECT_EQ(std::pair(WindowText(window), GetWindow(window, GW_OWNER)), std::pair(std::string("Customize Mirror/Rotate"), Frame()));
  RECT rc{};  // 500 x 500, centred across the screen
  GetWindowRect(window, &rc);
  EXPECT_EQ((std::vector<LONG>{rc.left, rc.right - rc.left, rc.bottom - rc.top}),
            (std::vector<LONG>{GetSystemMetrics(SM_CXSCREEN) / 2 - 250, 500, 500}));
  EXPECT_TRUE(Checked(win::kCustomizeRotateTable) && !Checked(win::kCustomizeMirrorTable));
  EXPECT_TRUE(SaveScreenshot(window, "customize_rotate_table"));
  Click(win::kCustomizeEntryList, WM_LBUTTONDOWN, 30, 4 * 16 + 5);  // row 4, between the slots
  Button(win::kCustomizeAdd);
  const MirrorRotateTable& rotate = TheEditor().tables.rotate;
  EXPECT_EQ(std::pair(rotate.Count(), State().selectedEntry), std::pair(6, 4));
  Button(win::kCustomizeDelete);  // entry 4 goes; the added one moves up
  EXPECT_EQ((std::vector<TileRef>{rotate.entries[3].slots[0], rotate.entries[4].slots[0], TileRef(rotate.Count())}),
            (std::vector<TileRef>{103, 0, 5}));

  Button(win::kCustomizeMirrorTable);
  EXPECT_TRUE(Checked(win::kCustomizeMirrorTable) && !Checked(win::kCustomizeRotateTable));
  EXPECT_EQ(State().selectedEntry, 1);  // the mirror table's last entry
  Button(win::kCustomizeOk);
  EXPECT_FALSE(IsWindow(window));
  Command(CMD_CUSTOMIZE_MR);  // each opening shows the rotate table again
  window = win::LastCustomizeWindow();
  EXPECT_TRUE(Checked(win::kCustomizeRotateTable));
}

TEST_F(CustomizeWindow, PickedTileAndAnimationLandInSlotsAndTheNextMirrorUsesThem) {
  Button(win::kCustomizeMirrorTable);
  Click(win::kCustomizeTilePicker, WM_LBUTTONDOWN, 5 * 16 + 3, 16 + 3);  // tile 45
  Click(win::kCustomizeEntryList, WM_LBUTTONDOWN, ListWidth() - 74, 5);  // entry 0, slot 2
  SendMessageA(Part(win::kCustomizeTilePicker), WM_VSCROLL, SB_LINEDOWN, 0);
  Click(win::kCustomizeTilePicker, WM_LBUTTONDOWN, 2 * 16, 3);  // tile 42 now at the top row
  Click(win::kCustomizeEntryList, WM_LBUTTONDOWN, 5, 16 + 5);  // entry 1, slot 0
  Click(win::kCustomizeAnimationPicker, WM_LBUTTONUP, 50, 2 * 16 + 7);  // animation 2
  Click(win::kCustomizeEntryList, WM_LBUTTONDOWN, 70, 5);  // entry 0, slot 1
  const MirrorRotateTable& mirror = TheEditor().tables.mirror;
  EXPECT_EQ(mirror.entries[0].slots, (std::array<TileRef, 4>{300, 2 | ANIM_FLAG, 45, 300}));
  EXPECT_EQ(mirror.entries[1].slots[0], 42u);

  // Slot 2's tile is drawn in its row, inside the selection's edge.
  const Pixels list = GrabClient(Part(win::kCustomizeEntryList));
  EXPECT_EQ(list.At(ListWidth() - 82 + 5, 5), SheetColour(45, 5, 5));
  EXPECT_TRUE(SaveScreenshot(window, "customize_mirror_rotate"));

  HWND map = NewMap();
  Doc(map)->At(10, 10).SetValues({300, -1, -1});
  View(map)->selection = Rect{160, 160, 176, 176};
  View(map)->selectionShown = 1;
  ActivateMapWindow(TheEditor(), win::ToWindowId(map));
  for (int direction : {MIRROR_RIGHT, MIRROR_DOWN}) {
    TheEditor().tools.mirrorDirection = direction;
    ASSERT_EQ(MirrorSelection(TheEditor()), 1);
  }
  EXPECT_EQ(std::pair(Doc(map)->At(11, 10).tile, Doc(map)->At(10, 11).anim), std::pair(45, 2));
}

}  // namespace
}  // namespace quarl::wintest
