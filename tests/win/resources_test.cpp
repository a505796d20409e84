// The program's resources as Windows loads them.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/string_table.h"
#include "resource_ids.h"
#include "test_support.h"

namespace {

using quarl::wintest::MenuItemText;

TEST(Resources, EveryStringEqualsTheCoreTable) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  int found = 0;
  for (int id = 0; id < 64; ++id) {
    char text[512] = {};
    int length = LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
    std::string core = quarl::StringText(id);
    EXPECT_EQ(std::string(text, static_cast<size_t>(length)), core) << "string " << id;
    if (!core.empty()) ++found;
  }
  EXPECT_EQ(found, 16);
  // The texts carry real line breaks, not the two characters of an escape.
  char text[512] = {};
  LoadStringA(instance, 14, text, sizeof text);
  EXPECT_NE(std::string(text).find('\n'), std::string::npos);
}

TEST(Resources, ToolboxPicturesHaveTheirCellGeometry) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  struct Expected {
    int id, width, height;
  };
  for (Expected e : {Expected{IDB_TOOLBOX_VERTICAL, 127, 168}, Expected{IDB_TOOLBOX_HORIZONTAL, 600, 36}}) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(e.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr) << e.id;
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, e.width);
    EXPECT_EQ(dib.dsBm.bmHeight, e.height);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);

    // Each tool cell holds a picture: more than the button face colour.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int tool = 0; tool < 17; ++tool) {
      int x0 = e.id == IDB_TOOLBOX_VERTICAL ? (tool % 4) * 32 : tool * 32;
      int y0 = e.id == IDB_TOOLBOX_VERTICAL ? (tool / 4) * 32 : 0;
      int nonFace = 0;
      for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x)
          if (GetPixel(dc, x0 + x, y0 + y) != RGB(192, 192, 192)) ++nonFace;
      EXPECT_GT(nonFace, 40) << "tool " << tool << " of bitmap " << e.id;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

TEST(Resources, IconsAndCursorsLoad) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (int id : {IDI_QUARL, IDI_MAP, IDI_TRAY}) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(icon, nullptr) << id;
    if (icon) DestroyIcon(icon);
  }
  for (int id : {IDC_PICKER_CURSOR, IDC_MAP_CURSOR}) EXPECT_NE(LoadCursorA(instance, MAKEINTRESOURCEA(id)), nullptr) << id;
}

TEST(Resources, FrameMenuTextsAndCommands) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_FRAME_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_EQ(MenuItemText(menu, 0), "&File");
  EXPECT_EQ(MenuItemText(menu, 3), "&Window");
  HMENU file = GetSubMenu(menu, 0);
  EXPECT_EQ(GetMenuItemCount(file), 9);
  EXPECT_EQ(MenuItemText(file, 1), "&Open...\tCtrl+O");
  EXPECT_EQ(GetMenuItemID(file, 8), static_cast<UINT>(CMD_EXIT));
  HMENU edit = GetSubMenu(menu, 1);
  EXPECT_EQ(GetMenuItemCount(edit), 15);
  EXPECT_EQ(GetMenuItemID(edit, 11), static_cast<UINT>(CMD_OVERVIEW));
  EXPECT_EQ(MenuItemText(edit, 8), "Fi&ll Selection\tCtrl+G");
  HMENU options = GetSubMenu(menu, 2);
  EXPECT_EQ(MenuItemText(options, 4), "&Spawn/Holding Scan (On Save)");
  EXPECT_EQ(MenuItemText(GetSubMenu(menu, 4), 0), "..Later..");
  DestroyMenu(menu);

  HMENU control = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_CONTROL_MENU));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(control, 0), 3), static_cast<UINT>(CMD_TEST_MAP));
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(control, 1)), 15);
  DestroyMenu(control);
}

TEST(Resources, AcceleratorTable) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_FRAME));
  ASSERT_NE(table, nullptr);
  ACCEL entries[32];
  int count = CopyAcceleratorTableA(table, entries, 32);
  EXPECT_EQ(count, 13);
  auto command = [&](WORD key, BYTE flags) -> int {
    for (int i = 0; i < count; ++i)
      if (entries[i].key == key && (entries[i].fVirt & ~FNOINVERT) == flags) return entries[i].cmd;
    return -1;
  };
  EXPECT_EQ(command('R', FVIRTKEY | FCONTROL), CMD_REDO_KEY);
  EXPECT_EQ(command(VK_BACK, FVIRTKEY | FCONTROL), CMD_UNDO);
  EXPECT_EQ(command(VK_DELETE, FVIRTKEY), CMD_DELETE);
  EXPECT_EQ(command('S', FVIRTKEY | FCONTROL), CMD_SAVE);
  EXPECT_EQ(command('A', FVIRTKEY | FCONTROL), -1);  // Save As has no key
  DestroyAcceleratorTable(table);
}

}  // namespace
