// The map window inside the running program: painting from the tile sheet,
// scrolling in whole cells, the pointer's readouts, the close prompt,
// activation and destruction, driven with real messages.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <tuple>
#include <vector>

#include "quarl_session.h"

namespace quarl::wintest {
namespace {

constexpr int kStatusBarHeight = 20;

SIZE Client(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return SIZE{rc.right, rc.bottom};
}

void Scroll(HWND hwnd, UINT message, int code, int thumb = 0) { SendMessageA(hwnd, message, MAKEWPARAM(code, thumb), 0); }

class MapWindowTest : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    TheEditor().options.flagscan = TheEditor().options.shscan = 0;
    SetWindowPos(Frame(), nullptr, 0, 0, 1280, 1000, SWP_NOZORDER);  // room for the largest map window here
  }
  // A new map window, restored, with this client size, its cells all different.
  HWND Restored(int width, int height) {
    HWND hwnd = NewMap();
    SetClientSize(hwnd, width, height);
    for (int i = 0; i < kCellCount; ++i) Doc(hwnd)->cells[i].tile = (i % 256 * 7 + i / 256 * 131) % 4000;
    return hwnd;
  }
  std::string Text(HWND window, int part = 0) {
    char text[128] = {};
    if (window == App().infoPanel) GetDlgItemTextA(window, part, text, sizeof text);
    else SendMessageA(win::ToHwnd(View(window)->statusBar), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The status bar along the bottom, as wide as the client area, and the
  // scroll ranges of a 4096-pixel map whose last row ends above it.
  void ExpectLaidOut(HWND hwnd) {
    const SIZE client = Client(hwnd);
    HWND bar = win::ToHwnd(View(hwnd)->statusBar);
    const RECT rc = PlacedRect(bar);
    const RECT want{0, client.cy - kStatusBarHeight, client.cx, client.cy};
    EXPECT_TRUE(EqualRect(&rc, &want) && GetDlgCtrlID(bar) == 112) << rc.top << " " << rc.right;
    int minimum = -1, vertical = -1, horizontal = -1;
    GetScrollRange(hwnd, SB_VERT, &minimum, &vertical);
    GetScrollRange(hwnd, SB_HORZ, &minimum, &horizontal);
    EXPECT_EQ(vertical, 4096 - client.cy + kStatusBarHeight);
    EXPECT_EQ(horizontal, 4096 - client.cx);
  }
};

TEST_F(MapWindowTest, ScrollingMovesWholeCellsAndStopsAtTheEnds) {
  HWND fresh = NewMap();
  EXPECT_EQ(WindowText(fresh), "Untitled");
  RECT outer{};
  GetWindowRect(fresh, &outer);
  MINMAXINFO info{};
  SendMessageA(fresh, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ((std::vector<LONG>{outer.right - outer.left, outer.bottom - outer.top, info.ptMinTrackSize.x,
                               info.ptMinTrackSize.y}),
            std::vector<LONG>(4, 300));  // its size, and the smallest it can be made
  ExpectLaidOut(fresh);
  HWND hwnd = Restored(405, 307);
  ExpectLaidOut(hwnd);
  for (UINT message : {WM_VSCROLL, WM_HSCROLL}) {
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    std::vector<int> positions;
    for (int code : {SB_LINEUP, SB_LINEDOWN, SB_PAGEDOWN, SB_PAGEUP, SB_PAGEUP}) {
      Scroll(hwnd, message, code);
      positions.push_back(GetScrollPos(hwnd, bar));
    }
    for (int thumb : {1000, 5, 40}) {  // whole cells, truncated toward zero
      Scroll(hwnd, message, SB_THUMBTRACK, thumb);
      positions.push_back(GetScrollPos(hwnd, bar));
    }
    EXPECT_EQ(positions, (std::vector<int>{0, 16, 80, 16, 0, 992, 16, 32})) << bar;
  }
  // At the far end the last row ends right above the status bar.
  int minimum = 0, maximum = 0;
  GetScrollRange(hwnd, SB_VERT, &minimum, &maximum);
  ASSERT_NE(maximum % 16, 0) << "pick a size whose range does not end on a cell";
  Scroll(hwnd, WM_VSCROLL, SB_THUMBTRACK, 9000);
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maximum);
  const int barTop = Client(hwnd).cy - kStatusBarHeight;
  EXPECT_EQ(GrabClient(hwnd).At(0, barTop - 1), SheetColour(Doc(hwnd)->At(2, 255).tile, 0, 15));
  ExpectLaidOut(hwnd);  // the status bar, moved by the scroll, is back at the bottom
  Scroll(hwnd, WM_VSCROLL, SB_LINEUP);  // from an end off the grid, back onto it
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maximum / 16 * 16 - 16);
}

TEST_F(MapWindowTest, PointerShowsItsCellInTheStatusBarAndInfoPanelAndArmsAutoPan) {
  HWND hwnd = Restored(400, 300);
  Doc(hwnd)->At(12, 4).tile = 1234;
  Doc(hwnd)->At(14, 4).SetValues({-1, 77, 9});
  Scroll(hwnd, WM_HSCROLL, SB_LINEDOWN);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(11 * 16 + 5, 4 * 16 + 15));
  EXPECT_EQ(Text(hwnd) + " " + Text(App().infoPanel, 103), "(x,y): (12,4) 1234");
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(13 * 16, 4 * 16));
  EXPECT_EQ(Text(App().infoPanel, 103) + " " + Text(App().infoPanel, 105), "77 9");

  // The pan flags left, right, up, down after each message.
  const SIZE c = Client(hwnd);
  const std::tuple<UINT, int, int, WPARAM, const char*> moves[] = {
      {WM_MOUSEMOVE, c.cx - 10, c.cy / 2, MK_RBUTTON, "0100"},  {WM_MOUSEMOVE, 16, c.cy / 2, MK_RBUTTON, "1000"},
      {WM_MOUSEMOVE, c.cx / 2, 16, MK_RBUTTON, "0010"},
      {WM_MOUSEMOVE, c.cx - 1, 0, MK_RBUTTON, "0100"},          // one flag at a time, right first
      {WM_MOUSEMOVE, c.cx / 2, c.cy / 2, 0, "0100"},            // no button: left as it was
      {WM_MOUSEMOVE, c.cx / 2, c.cy - 32, MK_RBUTTON, "0001"},  // moving: the status bar's margin too
      {WM_MOUSEMOVE, c.cx / 2, c.cy - 33, MK_RBUTTON, "0000"},
      {WM_RBUTTONDOWN, c.cx / 2, c.cy - 20, MK_RBUTTON, "0000"},  // 17 pixels for a press
      {WM_RBUTTONDOWN, c.cx / 2, c.cy - 16, MK_RBUTTON, "0001"}, {WM_RBUTTONUP, c.cx / 2, c.cy - 16, 0, "0000"}};
  for (auto [message, px, py, keys, flags] : moves) {
    SendMessageA(hwnd, message, keys, MAKELPARAM(px, py));
    const auto& pan = View(hwnd)->autoPan;
    EXPECT_EQ((std::string{char('0' + pan[PAN_LEFT]), char('0' + pan[PAN_RIGHT]), char('0' + pan[PAN_UP]),
                           char('0' + pan[PAN_DOWN])}),
              flags) << message << " at " << px << "," << py;
  }
}

TEST_F(MapWindowTest, ClosePromptCancelOrACancelledSaveKeepsTheWindow) {
  HWND hwnd = NewMap();
  Doc(hwnd)->modified = 1;
  Doc(hwnd)->name = "Twin Rivers";
  for (int answer : {IDCANCEL, IDYES}) dialogs.Answer(answer);
  dialogs.AnswerFile("");  // Yes, then the save is cancelled
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(dialogs.Seen().size(), 3u);
  EXPECT_EQ(dialogs.Seen()[0].title + ": " + dialogs.Seen()[0].text, "Close..: Would you like to save Twin Rivers?");
  EXPECT_EQ(std::tuple(IsWindow(hwnd), Doc(hwnd)->modified, App().exitAllowed), std::tuple(TRUE, 1, 0));
  // Yes with a save and No close it, as File > Exit shows.
}

TEST_F(MapWindowTest, WindowMenuCarriesTheControlPopupWhoseCommandsGoToTheFrame) {
  HWND hwnd = NewMap();
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  char text[32] = {};
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Control");
  EXPECT_EQ(GetMenuState(menu, SC_NEXTWINDOW, MF_BYCOMMAND), static_cast<UINT>(-1));
  SendMessageA(hwnd, WM_SYSCOMMAND, CMD_SELECT_ALL, 0);  // Control > Edit > Select All
  EXPECT_EQ(TheEditor().Selection(), (SelectionCells{0, 256, 256}));
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);  // system commands stay with the window
  EXPECT_TRUE(IsZoomed(hwnd));
}

}  // namespace
}  // namespace quarl::wintest
