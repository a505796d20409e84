// The map window inside the running program: painting from the tile sheet,
// scrolling in whole cells, the pointer's readouts, the close prompt,
// activation and destruction, driven with real messages.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
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

// The bounding box of the pixels above the status bar that differ, or an empty one.
RECT Changed(const Pixels& a, const Pixels& b) {
  RECT box{a.width, a.height, 0, 0};
  for (int y = 0; y < a.height - kStatusBarHeight; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.At(x, y) != b.At(x, y)) box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
  return box;
}

class MapWindowTest : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    TheEditor().options.flagscan = TheEditor().options.shscan = 0;
    SetWindowPos(Frame(), nullptr, 0, 0, 1280, 1000, SWP_NOZORDER);  // room for the largest map window here
  }
  // A new map window, restored, with about this client size, its cells all different.
  HWND Restored(int width, int height) {
    HWND hwnd = NewMap();
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, GetWindowLongA(hwnd, GWL_STYLE), FALSE, GetWindowLongA(hwnd, GWL_EXSTYLE));
    MoveWindow(hwnd, 0, 0, outer.right - outer.left + GetSystemMetrics(SM_CXVSCROLL),
               outer.bottom - outer.top + GetSystemMetrics(SM_CYHSCROLL), TRUE);
    for (int i = 0; i < kCellCount; ++i) Doc(hwnd)->cells[i].tile = (i % 256 * 7 + i / 256 * 131) % 4000;
    return hwnd;
  }
  // Three pixels of every whole cell above the status bar against the tile
  // tileAt(column, row) gives (not looked at when negative); the first miss.
  std::string WrongCells(HWND hwnd, std::function<int32_t(int, int)> tileAt = nullptr) {
    if (!tileAt) tileAt = [doc = Doc(hwnd)](int c, int r) { return doc->At(c, r).tile; };
    const Pixels pixels = GrabClient(hwnd);
    const int sx = GetScrollPos(hwnd, SB_HORZ), sy = GetScrollPos(hwnd, SB_VERT);
    for (int y = (16 - sy % 16) % 16; y + 16 <= pixels.height - kStatusBarHeight; y += 16)
      for (int x = (16 - sx % 16) % 16; x + 16 <= pixels.width; x += 16)
        for (auto [px, py] : {std::pair{0, 0}, {15, 15}, {3, 12}}) {
          const int column = (x + sx) / 16, row = (y + sy) / 16, tile = tileAt(column, row);
          if (tile >= 0 && pixels.At(x + px, y + py) != SheetColour(tile, px, py))
            return "cell " + std::to_string(column) + "," + std::to_string(row) + " pixel " + std::to_string(px) + "," + std::to_string(py);
        }
    return "";
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
    RECT rc{};
    GetWindowRect(bar, &rc);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
    const RECT want{0, client.cy - kStatusBarHeight, client.cx, client.cy};
    EXPECT_TRUE(EqualRect(&rc, &want) && GetDlgCtrlID(bar) == 112) << rc.top << " " << rc.right;
    int minimum = -1, vertical = -1, horizontal = -1;
    GetScrollRange(hwnd, SB_VERT, &minimum, &vertical);
    GetScrollRange(hwnd, SB_HORZ, &minimum, &horizontal);
    EXPECT_EQ(vertical, 4096 - client.cy + kStatusBarHeight);
    EXPECT_EQ(horizontal, 4096 - client.cx);
  }
};

TEST_F(MapWindowTest, NewWindowHasItsSizeStatusBarAndScrollRanges) {
  HWND hwnd = NewMap();
  EXPECT_EQ(WindowText(hwnd), "Untitled");
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  MINMAXINFO info{};
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ((std::vector<LONG>{outer.right - outer.left, outer.bottom - outer.top, info.ptMinTrackSize.x, info.ptMinTrackSize.y}),
            std::vector<LONG>(4, 300));  // its size, and the smallest it can be made
  ExpectLaidOut(hwnd);
  ExpectLaidOut(Restored(500, 377));
}

TEST_F(MapWindowTest, EveryVisibleCellShowsItsTileOrAnimationFrame) {
  HWND hwnd = Restored(520, 410);
  EXPECT_EQ(WrongCells(hwnd), "");
  Scroll(hwnd, WM_HSCROLL, SB_THUMBPOSITION, 40);  // whole cells only
  Scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 100);
  EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 32);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 96);
  EXPECT_EQ(WrongCells(hwnd), "");
  // Animation 0 is {10, 11}, 2 is {5}: frame data mod the frame count, back
  // from the end for a negative offset; a plain cell ignores its animation.
  const std::pair<CellValues, int32_t> cells[] = {{{-1, 0, 7}, 11}, {{-1, 0, 126}, 10}, {{-1, 2, 5}, 5}, {{-1, 0, -3}, 11}, {{33, 0, -1}, 33}};
  for (int k = 0; k < 5; ++k) Doc(hwnd)->At(2 + k, 7).SetValues(cells[k].first);
  EXPECT_EQ(WrongCells(hwnd, [&](int c, int r) { return r == 7 && c >= 2 && c < 7 ? cells[c - 2].second : Doc(hwnd)->At(c, r).tile; }), "");
}

// An animation the list does not hold: a white square with its id's first
// two hexadecimal digits, 17 pixels wide, under the cells drawn after it.
TEST_F(MapWindowTest, UnknownAnimationShowsAWhiteSquareWithItsHexId) {
  HWND hwnd = Restored(300, 200);
  MapDocument& doc = *Doc(hwnd);
  doc.At(1, 1).SetValues({-1, 10, 0});     // "0a"
  doc.At(3, 1).SetValues({-1, 0x1c4, 0});  // "1c"
  doc.At(5, 1).SetValues({-1, 0x1c, 3});   // "1c" too
  const Pixels pixels = GrabClient(hwnd);
  auto label = [&](int column) {
    std::vector<COLORREF> square;
    for (int y = 16; y < 32; ++y)
      for (int x = column * 16; x < column * 16 + 16; ++x) square.push_back(pixels.At(x, y));
    return square;
  };
  const std::vector<COLORREF> first = label(1);
  const auto white = std::count(first.begin(), first.end(), RGB(255, 255, 255));
  EXPECT_TRUE(white > 128 && white < 256) << white;
  EXPECT_NE(first, label(3));
  EXPECT_EQ(label(3), label(5));
  EXPECT_EQ(WrongCells(hwnd, [&](int c, int r) { return doc.At(c, r).IsAnimated() ? -1 : doc.At(c, r).tile; }), "");
}

TEST_F(MapWindowTest, ScrollingMovesWholeCellsAndStopsAtTheEnds) {
  HWND hwnd = Restored(405, 307);
  for (UINT message : {WM_VSCROLL, WM_HSCROLL}) {
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    std::vector<int> positions;
    for (int code : {SB_LINEUP, SB_LINEDOWN, SB_PAGEDOWN, SB_PAGEUP, SB_PAGEUP}) {
      Scroll(hwnd, message, code);
      positions.push_back(GetScrollPos(hwnd, bar));
    }
    for (int thumb : {1000, 5}) {  // whole cells, truncated toward zero
      Scroll(hwnd, message, SB_THUMBTRACK, thumb);
      positions.push_back(GetScrollPos(hwnd, bar));
    }
    EXPECT_EQ(positions, (std::vector<int>{0, 16, 80, 16, 0, 992, 16})) << bar;
  }
  EXPECT_EQ(WrongCells(hwnd), "");
  // At the far end the last row ends right above the status bar.
  int minimum = 0, maximum = 0;
  GetScrollRange(hwnd, SB_VERT, &minimum, &maximum);
  ASSERT_NE(maximum % 16, 0) << "pick a size whose range does not end on a cell";
  Scroll(hwnd, WM_VSCROLL, SB_THUMBTRACK, 9000);
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maximum);
  const int barTop = Client(hwnd).cy - kStatusBarHeight;
  EXPECT_EQ(GrabClient(hwnd).At(0, barTop - 1), SheetColour(Doc(hwnd)->At(1, 255).tile, 0, 15));
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
  EXPECT_EQ(Text(hwnd), "(x,y): (12,4)");
  EXPECT_EQ(Text(App().infoPanel, 103), "1234");
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(13 * 16, 4 * 16));
  EXPECT_EQ(Text(App().infoPanel, 103) + " " + Text(App().infoPanel, 105), "77 9");

  const SIZE c = Client(hwnd);
  auto pan = [&](UINT message, int px, int py, WPARAM keys = MK_RBUTTON) {
    SendMessageA(hwnd, message, keys, MAKELPARAM(px, py));
    const auto& flags = View(hwnd)->autoPan;
    return std::string{char('0' + flags[PAN_LEFT]), char('0' + flags[PAN_RIGHT]), char('0' + flags[PAN_UP]), char('0' + flags[PAN_DOWN])};
  };
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx - 10, c.cy / 2), "0100");  // left, right, up, down
  EXPECT_EQ(pan(WM_MOUSEMOVE, 16, c.cy / 2), "1000");
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx / 2, 16), "0010");
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx - 1, 0), "0100");          // one flag at a time, right first
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx / 2, c.cy / 2, 0), "0100");  // no button: left as it was
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx / 2, c.cy - 32), "0001");  // moving: the status bar's margin too
  EXPECT_EQ(pan(WM_MOUSEMOVE, c.cx / 2, c.cy - 33), "0000");
  EXPECT_EQ(pan(WM_RBUTTONDOWN, c.cx / 2, c.cy - 20), "0000");  // 17 pixels for a press
  EXPECT_EQ(pan(WM_RBUTTONDOWN, c.cx / 2, c.cy - 16), "0001");
  EXPECT_EQ(pan(WM_RBUTTONUP, c.cx / 2, c.cy - 16, 0), "0000");
}

TEST_F(MapWindowTest, HoverOutlineFollowsThePointerAndIsErasedBeforeTheNextOne) {
  HWND hwnd = Restored(400, 300);
  TheEditor().tools.blockWidth = 2;
  TheEditor().tools.blockHeight = 3;
  Scroll(hwnd, WM_HSCROLL, SB_LINEDOWN);  // outlines are kept in map pixels
  const Pixels clean = GrabClient(hwnd);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(40, 20));  // map (56, 20): cell (3, 1)
  EXPECT_EQ(View(hwnd)->hoverRect, (Rect{48, 16, 80, 64}));
  RECT want{32, 16, 64, 64};  // only the outline's border, in client pixels
  RECT shown = Changed(clean, GrabClient(hwnd, false));
  EXPECT_TRUE(EqualRect(&shown, &want)) << shown.left << "," << shown.top << " " << shown.right << "," << shown.bottom;
  EXPECT_EQ(GrabClient(hwnd, false).At(40, 30), clean.At(40, 30));
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(Changed(clean, GrabClient(hwnd, false)).left, 192) << "the old outline was not erased";
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, 0);  // leaving the client area erases it
  EXPECT_EQ(View(hwnd)->hoverRect, Rect{});
  shown = Changed(clean, GrabClient(hwnd, false));
  EXPECT_TRUE(IsRectEmpty(&shown));
}

TEST_F(MapWindowTest, ClosePromptNoClosesCancelKeepsYesSavesFirst) {
  HWND hwnd = NewMap();
  Doc(hwnd)->modified = 1;
  Doc(hwnd)->name = "Twin Rivers";
  for (int answer : {IDCANCEL, IDYES}) dialogs.Answer(answer);
  dialogs.AnswerFile("");  // Yes, then the save is cancelled
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(dialogs.Seen().size(), 3u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Close..");
  EXPECT_EQ(dialogs.Seen()[0].text, "Would you like to save Twin Rivers?");
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(Doc(hwnd)->modified, 1);
  EXPECT_EQ(App().exitAllowed, 0);
  dialogs.Answer(IDYES);
  dialogs.AnswerFile(gameDir + "\\closed.map");
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_GT(ReadBytes(gameDir + "\\closed.map").size(), 40u);
  HWND other = NewMap();
  Doc(other)->modified = 1;
  dialogs.Answer(IDNO);
  SendMessageA(other, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(other));
  EXPECT_EQ(dialogs.Seen().size(), 6u);  // No saves nothing
}

TEST_F(MapWindowTest, ActivationPublishesTheSelectionAndDestructionFocusesTheFirstRemainingMap) {
  HWND a = NewMap(), b = NewMap(), c = NewMap();
  View(a)->selectionShown = 1;
  View(a)->selection = Rect{32, 48, 96, 80};
  HWND overview = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, Frame(), nullptr, nullptr, nullptr);
  App().overviewWindow = overview;
  App().overviewDoc = Doc(b);
  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  EXPECT_EQ(TheEditor().activeMapWindow, win::ToWindowId(a));
  EXPECT_EQ(TheEditor().Selection(), (SelectionCells{3 * 256 + 2, 4, 2}));
  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_EQ(TheEditor().Selection(), SelectionCells{});
  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(c), 0);
  EXPECT_EQ(TheEditor().activeMapWindow, win::ToWindowId(a));
  EXPECT_EQ(GetFocus(), a);
  EXPECT_TRUE(IsWindow(overview)) << "it shows another map";
  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
  EXPECT_EQ(GetFocus(), b);
  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
  EXPECT_FALSE(IsWindow(overview));
  EXPECT_EQ(TheEditor().activeMapWindow, 0u);
  App().overviewWindow = nullptr;
}

TEST_F(MapWindowTest, WindowMenuCarriesTheControlPopupWhoseCommandsGoToTheFrame) {
  HWND hwnd = NewMap();
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  char text[32] = {};
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Control");
  EXPECT_EQ(GetMenuState(menu, SC_NEXTWINDOW, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_FALSE(GetMenuState(menu, GetMenuItemCount(menu) - 1, MF_BYPOSITION) & MF_SEPARATOR);
  HMENU edit = GetSubMenu(GetSubMenu(menu, 0), 1);
  SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_TRUE(GetMenuState(edit, CMD_COPY, MF_BYCOMMAND) & MF_GRAYED);
  View(hwnd)->selectionShown = 1;
  SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_FALSE(GetMenuState(edit, CMD_COPY, MF_BYCOMMAND) & MF_GRAYED);
  dialogs.AnswerFile(gameDir + "\\from-control.map");
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, CMD_SAVE, 0), 0);  // Control > File > Save
  EXPECT_TRUE(FileExists(gameDir + "\\from-control.map"));
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);  // system commands stay with the window
  EXPECT_TRUE(IsZoomed(hwnd));
}

}  // namespace
}  // namespace quarl::wintest
