// The map window inside the running program: its frame, info panel and
// commands are the real ones, started as WinMain starts them.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "map_window_pixels.h"
#include "quarl_session.h"
#include "resource_ids.h"

namespace quarl::wintest {
namespace {

using MapWindowInProgram = QuarlSession;

TEST_F(MapWindowInProgram, NewMapPaintsTheBlankTileAndReadsOutTheCellUnderThePointer) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  ASSERT_TRUE(IsWindow(map));
  MapDocument* doc = TheEditor().maps.FindMapDocument(win::ToWindowId(map));
  ASSERT_NE(doc, nullptr);
  doc->At(3, 2).tile = 41;
  doc->At(5, 2).SetValues({-1, 0, 3});  // animation 0 is {10, 11}: frame 1

  // The test sheet paints tile n all in colour n % 256.
  Pixels pixels = win::RepaintAndGrab(map);
  ASSERT_GT(pixels.height, 60);
  EXPECT_EQ(pixels.At(0, 0), TestSheetColour(280 % 256));
  EXPECT_EQ(pixels.At(3 * 16 + 8, 2 * 16 + 8), TestSheetColour(41));
  EXPECT_EQ(pixels.At(5 * 16 + 15, 2 * 16 + 15), TestSheetColour(11));
  EXPECT_EQ(pixels.At(pixels.width - 1, pixels.height - 21), TestSheetColour(280 % 256));

  SendMessageA(map, WM_MOUSEMOVE, 0, MAKELPARAM(3 * 16 + 2, 2 * 16 + 2));
  char text[32] = {};
  GetDlgItemTextA(App().infoPanel, 103, text, sizeof text);
  EXPECT_STREQ(text, "41");
  SendMessageA(map, WM_MOUSEMOVE, 0, MAKELPARAM(5 * 16 + 2, 2 * 16 + 2));
  GetDlgItemTextA(App().infoPanel, 103, text, sizeof text);
  EXPECT_STREQ(text, "0");
  GetDlgItemTextA(App().infoPanel, 105, text, sizeof text);
  EXPECT_STREQ(text, "3");
  SendMessageA(win::ToHwnd(TheEditor().maps.FindView(win::ToWindowId(map))->statusBar), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "(x,y): (5,2)");
}

TEST_F(MapWindowInProgram, SaveFromTheControlPopupReachesTheFrame) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  ASSERT_TRUE(IsWindow(map));
  TheEditor().options.flagscan = 0;
  TheEditor().options.shscan = 0;
  const std::string target = gameDir + "\\from-control.map";
  dialogs.AnswerFile(target);
  // Control > File > Save, as the window menu sends it.
  EXPECT_EQ(SendMessageA(map, WM_SYSCOMMAND, CMD_SAVE, 0), 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_TRUE(dialogs.Seen()[0].fileDialog);
  EXPECT_TRUE(FileExists(target));
}

TEST_F(MapWindowInProgram, ExitAsksEachModifiedMapAndACancelKeepsItAndTheFrame) {
  ASSERT_TRUE(Start());
  HWND first = NewMap();
  HWND second = NewMap();
  ASSERT_TRUE(IsWindow(first) && IsWindow(second));
  TheEditor().maps.FindMapDocument(win::ToWindowId(first))->modified = 1;
  TheEditor().maps.FindMapDocument(win::ToWindowId(second))->modified = 1;
  dialogs.Answer(IDCANCEL);  // the first map
  dialogs.Answer(IDNO);      // the second
  Exit();
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[0].title, "Close..");
  EXPECT_EQ(dialogs.Boxes()[0].text, "Would you like to save Untitled?");
  EXPECT_TRUE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_TRUE(IsWindow(Frame()));
  EXPECT_EQ(App().exitAllowed, 0);
  EXPECT_EQ(TheEditor().activeMapWindow, win::ToWindowId(first));
  EXPECT_EQ(TheEditor().maps.Size(), 1u);
}

}  // namespace
}  // namespace quarl::wintest
