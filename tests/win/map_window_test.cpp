// The map window in a real Wine session: a test frame with an MDI client,
// the tile sheet loaded as the program loads it, real messages, pixels read
// back from the window and compared with the sheet file's own pixels.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/win/app_globals.h"
#include "app/win/win_zlib.h"
#include "editor/win/map_window.h"
#include "editor/new_map.h"
#include "resource_ids.h"
#include "map_window_pixels.h"
#include "test_support.h"
#include "tile_sheet_bmp.h"

namespace quarl::win {
namespace {

using test::BmpImage;
using wintest::DialogScript;
using wintest::Pixels;

constexpr char kFrameClass[] = "quarlmapviewtestframe";
constexpr int kStatusBarHeight = 20;

std::string WorkDir() { return std::string(QUARL_TEST_WORK_DIR) + "/map_window"; }

// --- a Win32 user interface for the core, as small as the tests need -----------

class TestWindowsUi : public UserInterface, public MapWindows {
 public:
  std::optional<std::string> saveName;  // the Save As dialog's answer; none: cancelled

  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override {
    UINT type = buttons == Buttons::Ok ? MB_OK : buttons == Buttons::YesNo ? MB_YESNO : MB_YESNOCANCEL;
    switch (MessageBoxA(nullptr, text.c_str(), title.c_str(), type)) {
      case IDYES: return Answer::Yes;
      case IDNO: return Answer::No;
      case IDCANCEL: return Answer::Cancel;
      default: return Answer::Ok;
    }
  }
  std::optional<std::string> ChooseSaveFileName() override { return saveName; }
  bool RegisterMapWindowClass() override { return true; }  // registered once by the suite
  WindowId CreateMapWindow(OpenMap& map) override { return ToWindowId(win::CreateMapWindow(map)); }
  void DestroyMapWindow(WindowId window) override {
    SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(window)), 0);
  }
  void SetWindowTitle(WindowId window, const std::string& title) override {
    SetWindowTextA(ToHwnd(window), title.c_str());
  }
};

struct FrameCommand {
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<FrameCommand> g_frameCommands;

LRESULT CALLBACK TestFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_frameCommands.push_back({wParam, lParam});
  return DefFrameProcA(hwnd, App().mdiClient, message, wParam, lParam);
}

COLORREF ToColorref(const test::Rgb& c) { return RGB(c.r, c.g, c.b); }

// --- the suite's frame, sheet and animations --------------------------------------------

class MapWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ResetApp();
    AppGlobals& app = App();
    app.instance = GetModuleHandleA(nullptr);

    CreateDirectoryA(wintest::ToWindowsPath(QUARL_TEST_WORK_DIR).c_str(), nullptr);
    CreateDirectoryA(wintest::ToWindowsPath(WorkDir()).c_str(), nullptr);
    sheetPath_ = WorkDir() + "/tiles.bmp";
    ASSERT_TRUE(test::WriteTestSheet(sheetPath_));
    std::string error;
    sheet_ = BmpImage::Read(sheetPath_, &error);
    ASSERT_TRUE(sheet_) << error;

    // The sheet as start-up loads it: a DIB section in a memory context, with
    // the palette made from its colour table.
    app.tileSheet = static_cast<HBITMAP>(LoadImageA(nullptr, wintest::ToWindowsPath(sheetPath_).c_str(),
                                                    IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(app.tileSheet, nullptr);
    app.sheetContext = CreateCompatibleDC(nullptr);
    SelectObject(app.sheetContext, app.tileSheet);
    RGBQUAD table[256];
    GetDIBColorTable(app.sheetContext, 0, 256, table);
    auto* logical = static_cast<LOGPALETTE*>(
        std::calloc(1, sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY)));
    logical->palVersion = 0x300;
    logical->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
      logical->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    app.sharedPalette = CreatePalette(logical);
    std::free(logical);
    SelectPalette(app.sheetContext, app.sharedPalette, FALSE);
    RealizePalette(app.sheetContext);

    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = TestFrameProc;
    frameClass.hInstance = app.instance;
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    app.frameMenu = LoadMenuA(app.instance, MAKEINTRESOURCEA(IDM_FRAME_MENU));
    app.frame = CreateWindowExA(0, kFrameClass, "Quarl", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                0, 0, 1024, 768, nullptr, app.frameMenu, app.instance, nullptr);
    ASSERT_NE(app.frame, nullptr);
    RECT rc{};
    GetClientRect(app.frame, &rc);
    CLIENTCREATESTRUCT ccs{GetSubMenu(app.frameMenu, 3), FIRST_MDI_CHILD_ID};
    app.mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                        WS_VISIBLE,
                                    0, 0, rc.right, rc.bottom, app.frame, nullptr, app.instance, &ccs);
    ASSERT_NE(app.mdiClient, nullptr);
    ASSERT_TRUE(RegisterMapWindowClass());
  }

  static void TearDownTestSuite() {
    AppGlobals& app = App();
    if (app.frame) DestroyWindow(app.frame);
    wintest::PumpMessages(20);
    UnregisterClassA("newmap", app.instance);
    UnregisterClassA(kFrameClass, app.instance);
    if (app.sheetContext) DeleteDC(app.sheetContext);
    if (app.tileSheet) DeleteObject(app.tileSheet);
    if (app.sharedPalette) DeleteObject(app.sharedPalette);
    app.editor.maps.Clear();
    ResetApp();
  }

  void SetUp() override {
    Editor& editor = App().editor;
    editor.ui = &ui_;
    editor.windows = &ui_;
    editor.mapWindowClassTried = true;
    editor.mapWindowClassRegistered = true;
    editor.tools = ToolState{};
    editor.animations.Clear();
    editor.options.flagscan = 0;
    editor.options.shscan = 0;
    App().exitAllowed = 1;
    g_frameCommands.clear();
  }

  void TearDown() override {
    // Whatever a test left open goes, without questions.
    AppGlobals& app = App();
    while (OpenMap* map = app.editor.maps.First()) {
      map->doc->modified = 0;
      SendMessageA(app.mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(map->view.window)), 0);
    }
    if (app.overviewWindow) DestroyWindow(app.overviewWindow);
    app.overviewWindow = nullptr;
    app.overviewDoc = nullptr;
    app.infoPanel = nullptr;
    wintest::PumpMessages(10);  // also takes the quit messages the windows posted
    app.editor.ui = nullptr;
    app.editor.windows = nullptr;
  }

  OpenMap& NewMap() {
    OpenMap* map = CreateNewMAP(App().editor);
    EXPECT_NE(map, nullptr);
    return *map;
  }

  // A restored map window with about this client size.
  static HWND Restored(OpenMap& doc, int width, int height) {
    HWND hwnd = ToHwnd(doc.view.window);
    if (IsZoomed(hwnd)) SendMessageA(App().mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hwnd), 0);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, GetWindowLongA(hwnd, GWL_STYLE), FALSE, GetWindowLongA(hwnd, GWL_EXSTYLE));
    // Room for the scroll bars, which come with the ranges.
    MoveWindow(hwnd, 0, 0, outer.right - outer.left + GetSystemMetrics(SM_CXVSCROLL),
               outer.bottom - outer.top + GetSystemMetrics(SM_CYHSCROLL), TRUE);
    return hwnd;
  }

  static void Scroll(HWND hwnd, UINT message, int code, int thumb = 0) {
    SendMessageA(hwnd, message, MAKEWPARAM(code, thumb), 0);
  }

  static SIZE Client(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return SIZE{rc.right, rc.bottom};
  }

  // Every client pixel above the status bar against the sheet, given the
  // tile each cell should show (cells given as -1 are not looked at).
  // Returns the number of wrong pixels and describes the first.
  static int WrongPixels(HWND hwnd, const Pixels& pixels, const std::function<int32_t(int, int)>& tileAt,
                         std::string* first) {
    const int sx = GetScrollPos(hwnd, SB_HORZ), sy = GetScrollPos(hwnd, SB_VERT);
    int wrong = 0;
    for (int y = 0; y < pixels.height - kStatusBarHeight; ++y) {
      for (int x = 0; x < pixels.width; ++x) {
        const int mx = x + sx, my = y + sy;
        const int32_t tile = tileAt(mx / 16, my / 16);
        if (tile < 0) continue;
        const COLORREF expected = ToColorref(sheet_->TilePixel(tile, mx % 16, my % 16));
        if (pixels.At(x, y) != expected && wrong++ == 0 && first) {
          char text[160];
          std::snprintf(text, sizeof text, "client (%d,%d) cell (%d,%d) tile %d: %06lx, expected %06lx", x, y,
                        mx / 16, my / 16, tile, pixels.At(x, y), expected);
          *first = text;
        }
      }
    }
    return wrong;
  }

  static int WrongPixels(HWND hwnd, const OpenMap& map) { return WrongPixels(hwnd, *map.doc); }
  static void FillWithDistinctTiles(OpenMap& map) { FillWithDistinctTiles(*map.doc); }

  static int WrongPixels(HWND hwnd, const MapDocument& doc) {
    Pixels pixels = RepaintAndGrab(hwnd);
    std::string first;
    int wrong = WrongPixels(hwnd, pixels, [&](int c, int r) { return doc.At(c, r).tile; }, &first);
    EXPECT_EQ(wrong, 0) << first;
    return wrong;
  }

  static void FillWithDistinctTiles(MapDocument& doc) {
    for (int r = 0; r < kMapCells; ++r)
      for (int c = 0; c < kMapCells; ++c) doc.At(c, r).tile = (c * 7 + r * 131) % 4000;
  }

  static std::string StatusText(const OpenMap& doc, int part = 0) {
    char text[128] = {};
    SendMessageA(ToHwnd(doc.view.statusBar), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
  }

  static inline std::string sheetPath_;
  static inline std::optional<BmpImage> sheet_;
  TestWindowsUi ui_;
};

// --- creation ----------------------------------------------------------------------------

TEST_F(MapWindowTest, ClassHasTheMapWindowStylesBrushIconAndCursor) {
  WNDCLASSA wc{};
  ASSERT_TRUE(GetClassInfoA(App().instance, "newmap", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT |
                                         CS_BYTEALIGNWINDOW));
  EXPECT_EQ(wc.hbrBackground, GetStockObject(BLACK_BRUSH));
  EXPECT_NE(wc.hIcon, nullptr);
  EXPECT_NE(wc.hCursor, nullptr);
  EXPECT_EQ(wc.lpszMenuName, nullptr);
}

TEST_F(MapWindowTest, NewWindowHasItsStatusBarScrollRangesAndTitle) {
  OpenMap& doc = NewMap();
  HWND hwnd = ToHwnd(doc.view.window);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(App().editor.activeMapWindow, doc.view.window);
  EXPECT_EQ(wintest::WindowText(hwnd), "Untitled");
  EXPECT_FALSE(IsZoomed(hwnd));
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(GetParent(hwnd), App().mdiClient);
  RECT outer{};
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(outer.right - outer.left, 300);
  EXPECT_EQ(outer.bottom - outer.top, 300);

  HWND bar = ToHwnd(doc.view.statusBar);
  ASSERT_TRUE(IsWindow(bar));
  EXPECT_EQ(GetDlgCtrlID(bar), 112);
  EXPECT_EQ(GetParent(bar), hwnd);
  EXPECT_TRUE(IsWindowVisible(bar));
  const SIZE client = Client(hwnd);
  RECT barRect{};
  GetWindowRect(bar, &barRect);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.left, 0);
  EXPECT_EQ(barRect.top, client.cy - kStatusBarHeight);
  EXPECT_EQ(barRect.right, client.cx);
  EXPECT_EQ(barRect.bottom, client.cy);
  int edges[4] = {};
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 1);
  EXPECT_EQ(edges[0], client.cx);

  int minimum = -1, maximum = -1;
  GetScrollRange(hwnd, SB_VERT, &minimum, &maximum);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 4096 - client.cy + kStatusBarHeight);
  GetScrollRange(hwnd, SB_HORZ, &minimum, &maximum);
  EXPECT_EQ(maximum, 4096 - client.cx);

  MINMAXINFO info{};
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 300);
  EXPECT_EQ(info.ptMinTrackSize.y, 300);
}

TEST_F(MapWindowTest, ResizingMovesTheStatusBarAndTheRanges) {
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 500, 377);
  const SIZE client = Client(hwnd);
  RECT barRect{};
  GetWindowRect(ToHwnd(doc.view.statusBar), &barRect);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.top, client.cy - kStatusBarHeight);
  EXPECT_EQ(barRect.right, client.cx);
  int edges[2] = {};
  SendMessageA(ToHwnd(doc.view.statusBar), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], client.cx);
  int minimum = 0, maximum = 0;
  GetScrollRange(hwnd, SB_VERT, &minimum, &maximum);
  EXPECT_EQ(maximum, 4096 - client.cy + kStatusBarHeight);
  GetScrollRange(hwnd, SB_HORZ, &minimum, &maximum);
  EXPECT_EQ(maximum, 4096 - client.cx);
}

TEST_F(MapWindowTest, NewMapOpensMaximisedExactlyWhenTheActiveOneIs) {
  OpenMap& first = NewMap();
  EXPECT_FALSE(IsZoomed(ToHwnd(first.view.window)));
  EXPECT_EQ(GetMenuItemCount(GetMenu(App().frame)), 5);

  SendMessageA(App().mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(ToHwnd(first.view.window)), 0);
  ASSERT_TRUE(IsZoomed(ToHwnd(first.view.window)));
  const int maximisedItems = GetMenuItemCount(GetMenu(App().frame));
  EXPECT_GT(maximisedItems, 5);
  OpenMap& second = NewMap();
  EXPECT_TRUE(IsZoomed(ToHwnd(second.view.window)));
  // The new window's own layout step does not add a second window-menu item.
  EXPECT_EQ(GetMenuItemCount(GetMenu(App().frame)), maximisedItems);
  // Its status bar sits at the bottom of the maximised client area.
  const SIZE client = Client(ToHwnd(second.view.window));
  RECT barRect{};
  GetWindowRect(ToHwnd(second.view.statusBar), &barRect);
  MapWindowPoints(nullptr, ToHwnd(second.view.window), reinterpret_cast<POINT*>(&barRect), 2);
  EXPECT_EQ(barRect.top, client.cy - kStatusBarHeight);
  EXPECT_EQ(barRect.right, client.cx);

  SendMessageA(App().mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(ToHwnd(second.view.window)), 0);
  ASSERT_EQ(GetMenuItemCount(GetMenu(App().frame)), 5);
  OpenMap& third = NewMap();
  EXPECT_FALSE(IsZoomed(ToHwnd(third.view.window)));
}

TEST_F(MapWindowTest, WindowMenuCarriesTheControlPopupInsteadOfNext) {
  OpenMap& doc = NewMap();
  HMENU menu = GetSystemMenu(ToHwnd(doc.view.window), FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(wintest::MenuItemText(menu, 0), "Control");
  HMENU control = GetSubMenu(menu, 0);
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(GetMenuItemCount(control), 2);
  EXPECT_EQ(wintest::MenuItemText(control, 0), "&File");
  EXPECT_EQ(wintest::MenuItemText(control, 1), "&Edit");
  EXPECT_EQ(GetMenuItemID(GetSubMenu(control, 1), 11), static_cast<UINT>(CMD_OVERVIEW));

  EXPECT_EQ(GetSubMenu(menu, 1), nullptr);
  EXPECT_EQ(GetMenuItemID(menu, 1), 0u);
  EXPECT_EQ(wintest::MenuItemText(menu, 1), "");
  EXPECT_EQ(GetMenuState(menu, SC_NEXTWINDOW, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  const int last = GetMenuItemCount(menu) - 1;
  EXPECT_FALSE(GetMenuState(menu, last, MF_BYPOSITION) & MF_SEPARATOR);
}

// --- painting ------------------------------------------------------------------------------

TEST_F(MapWindowTest, EveryVisibleCellShowsItsTileFromTheSheet) {
  OpenMap& doc = NewMap();
  FillWithDistinctTiles(doc);
  HWND hwnd = Restored(doc, 520, 410);
  WrongPixels(hwnd, doc);

  // Scrolled by whole cells in both directions.
  Scroll(hwnd, WM_HSCROLL, SB_THUMBPOSITION, 40);
  Scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 100);
  EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 32);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 96);
  WrongPixels(hwnd, doc);
}

TEST_F(MapWindowTest, TilesFromTheWholeSheetAndAnEditShowAfterARepaint) {
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 400, 300);
  // The blank tile everywhere, then the last tiles of the sheet's last row.
  WrongPixels(hwnd, doc);
  for (int c = 0; c < 10; ++c) doc.doc->At(c, 2).tile = 3999 - c;
  doc.doc->At(5, 5).tile = 0;
  WrongPixels(hwnd, doc);
}

TEST_F(MapWindowTest, AnimatedCellsShowFrameDataModuloFrameCount) {
  Editor& editor = App().editor;
  editor.animations.Append(Animation{0, 3, {100, 101, 102}});
  editor.animations.Append(Animation{0, 1, {250}});
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 300, 200);
  struct Case {
    int column;
    int32_t anim, data, shownTile;
  };
  const Case cases[] = {
      {0, 0, 7, 101},    // 7 mod 3
      {1, 0, 2, 102},    // below the frame count: that frame
      {2, 0, 0, 100},
      {3, 0, 127, 101},  // the largest offset a file keeps
      {4, 1, 5, 250},    // a single frame
      {5, 0, -2, 101},   // a negative offset counts back from the end
      {6, 0, -4, 102},
  };
  for (const Case& c : cases) doc.doc->At(c.column, 1).SetValues({-1, c.anim, c.data});
  // A plain cell ignores whatever animation it still names.
  doc.doc->At(7, 1).SetValues({33, 0, -1});

  Pixels pixels = RepaintAndGrab(hwnd);
  std::string first;
  const int wrong = WrongPixels(hwnd, pixels, [&](int column, int row) -> int32_t {
    if (row == 1) {
      for (const Case& c : cases)
        if (c.column == column) return c.shownTile;
      if (column == 7) return 33;
    }
    return doc.doc->At(column, row).tile;
  }, &first);
  EXPECT_EQ(wrong, 0) << first;
}

// The label an unknown animation shows, drawn the same way into a bitmap of
// its own: a white square with two hexadecimal digits.
Pixels DrawExpectedLabel(const char* label) {
  Pixels pixels;
  pixels.width = pixels.height = 17;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 17;
  info.bmiHeader.biHeight = -17;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, dib);
  RECT square{0, 0, 17, 17};
  FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFontA(0, 0, 1, 1, 400, 0, 0, 0, 0, 0, 0, 0, 0x100000, "MS San Serif");
  HGDIOBJ oldFont = SelectObject(dc, font);
  DrawTextA(dc, label, 2, &square, DT_SINGLELINE);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < 17 * 17; ++i)
    pixels.colours.push_back(RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF));
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldBitmap);
  DeleteObject(dib);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

TEST_F(MapWindowTest, UnknownAnimationShowsAWhiteSquareWithItsHexId) {
  Editor& editor = App().editor;
  editor.animations.Append(Animation{0, 2, {100, 101}});
  editor.animations.Append(Animation{0, 0, {}});  // id 1: no frames
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 300, 200);
  doc.doc->At(1, 1).SetValues({-1, 10, 0});     // "0a"
  doc.doc->At(3, 1).SetValues({-1, 0xb3, 4});   // "b3"
  doc.doc->At(5, 1).SetValues({-1, 0x1c4, 0});  // more digits than fit: "1c"
  doc.doc->At(7, 1).SetValues({-1, 1, 3});      // known, but without frames: "01"
  Pixels pixels = RepaintAndGrab(hwnd);

  struct Label {
    int column;
    const char* text;
  };
  for (const Label& label : {Label{1, "0a"}, Label{3, "b3"}, Label{5, "1c"}, Label{7, "01"}}) {
    Pixels expected = DrawExpectedLabel(label.text);
    int white = 0, wrong = 0;
    // The 17th row and column lie under the next cells, drawn afterwards.
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const COLORREF shown = pixels.At(label.column * 16 + x, 16 + y);
        white += shown == RGB(255, 255, 255);
        wrong += shown != expected.At(x, y);
      }
    }
    EXPECT_EQ(wrong, 0) << label.text;
    EXPECT_GT(white, 128) << label.text;
    EXPECT_LT(white, 256) << label.text << ": no digits drawn";
  }
  // Two different ids do not look alike.
  EXPECT_NE(DrawExpectedLabel("0a").colours, DrawExpectedLabel("b3").colours);
  // The neighbours keep their tiles.
  std::string first;
  EXPECT_EQ(WrongPixels(hwnd, pixels, [&](int column, int row) -> int32_t {
              return doc.doc->At(column, row).IsAnimated() ? -1 : doc.doc->At(column, row).tile;
            }, &first), 0)
      << first;
}

// --- scrolling -------------------------------------------------------------------------------

TEST_F(MapWindowTest, LineAndPageStepsMoveWholeCellsAndStopAtTheStart) {
  OpenMap& doc = NewMap();
  FillWithDistinctTiles(doc);
  HWND hwnd = Restored(doc, 400, 300);
  for (UINT message : {WM_VSCROLL, WM_HSCROLL}) {
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    SCOPED_TRACE(bar == SB_VERT ? "vertical" : "horizontal");
    Scroll(hwnd, message, SB_LINEUP);
    EXPECT_EQ(GetScrollPos(hwnd, bar), 0);
    Scroll(hwnd, message, SB_LINEDOWN);
    EXPECT_EQ(GetScrollPos(hwnd, bar), 16);
    Scroll(hwnd, message, SB_PAGEDOWN);
    EXPECT_EQ(GetScrollPos(hwnd, bar), 80);
    WrongPixels(hwnd, doc);
    Scroll(hwnd, message, SB_PAGEUP);
    EXPECT_EQ(GetScrollPos(hwnd, bar), 16);
    Scroll(hwnd, message, SB_PAGEUP);  // only as far as the start
    EXPECT_EQ(GetScrollPos(hwnd, bar), 0);
    Scroll(hwnd, message, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(hwnd, bar), 0);
    // Scrolling the client area takes the status bar along; the repaint
    // puts it back at the bottom.
    RECT barRect{};
    GetWindowRect(ToHwnd(doc.view.statusBar), &barRect);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.left, 0);
    EXPECT_EQ(barRect.bottom, Client(hwnd).cy);
  }
}

TEST_F(MapWindowTest, ThumbMovesInWholeCells) {
  OpenMap& doc = NewMap();
  FillWithDistinctTiles(doc);
  HWND hwnd = Restored(doc, 400, 300);
  Scroll(hwnd, WM_VSCROLL, SB_THUMBTRACK, 1000);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 992);
  Scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 1000);  // less than a cell away
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 992);
  Scroll(hwnd, WM_VSCROLL, SB_THUMBTRACK, 5);  // back: truncated toward zero
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 16);
  Scroll(hwnd, WM_HSCROLL, SB_THUMBTRACK, 333);
  EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 320);
  WrongPixels(hwnd, doc);
}

TEST_F(MapWindowTest, ScrollingStopsAtTheRangeEndWithTheLastRowAboveTheStatusBar) {
  OpenMap& doc = NewMap();
  FillWithDistinctTiles(doc);
  HWND hwnd = Restored(doc, 405, 307);
  const SIZE client = Client(hwnd);
  int minimum = 0, maxV = 0, maxH = 0;
  GetScrollRange(hwnd, SB_VERT, &minimum, &maxV);
  GetScrollRange(hwnd, SB_HORZ, &minimum, &maxH);
  ASSERT_EQ(maxV, 4096 - client.cy + kStatusBarHeight);
  ASSERT_NE(maxV % 16, 0) << "pick a size whose range does not end on a cell";

  Scroll(hwnd, WM_VSCROLL, SB_THUMBTRACK, 9000);  // far beyond: clamped
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maxV);
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maxV);
  Scroll(hwnd, WM_HSCROLL, SB_PAGEDOWN);
  for (int i = 0; i < 300; ++i) Scroll(hwnd, WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), maxH);

  // Row 255 ends right above the status bar; column 255 at the right edge.
  Pixels pixels = RepaintAndGrab(hwnd);
  std::string first;
  EXPECT_EQ(WrongPixels(hwnd, pixels, [&](int c, int r) { return doc.doc->At(c, r).tile; }, &first), 0) << first;
  const int barTop = client.cy - kStatusBarHeight;
  EXPECT_EQ(pixels.At(client.cx - 1, barTop - 1), ToColorref(sheet_->TilePixel(doc.doc->At(255, 255).tile, 15, 15)));
  EXPECT_EQ(pixels.At(client.cx - 16, barTop - 16), ToColorref(sheet_->TilePixel(doc.doc->At(255, 255).tile, 0, 0)));

  // A line back from an end that is not on a cell lands on a cell edge.
  Scroll(hwnd, WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maxV / 16 * 16 - 16);
  // A line forward from within the last cell moves only up to the end.
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), maxV);
}

// --- the pointer -------------------------------------------------------------------------------

TEST_F(MapWindowTest, StatusBarShowsTheCellUnderThePointer) {
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 400, 300);
  EXPECT_EQ(StatusText(doc), "");
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(37, 50));
  EXPECT_EQ(StatusText(doc), "(x,y): (2,3)");
  Scroll(hwnd, WM_HSCROLL, SB_THUMBPOSITION, 160);
  Scroll(hwnd, WM_VSCROLL, SB_THUMBPOSITION, 4000);
  const int sy = GetScrollPos(hwnd, SB_VERT);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 100));
  char expected[64];
  std::snprintf(expected, sizeof expected, "(x,y): (%d,%d)", (15 + 160) / 16, (100 + sy) / 16);
  EXPECT_EQ(StatusText(doc), expected);
  const LRESULT lengthAndType = SendMessageA(ToHwnd(doc.view.statusBar), SB_GETTEXTLENGTHA, 0, 0);
  EXPECT_EQ(HIWORD(lengthAndType), SBT_POPOUT);
}

// The pixels above the status bar that changed between two pictures, as a
// count and a bounding box.
struct Change {
  int count = 0;
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};
Change Difference(const Pixels& a, const Pixels& b) {
  Change change;
  for (int y = 0; y < a.height - kStatusBarHeight; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.At(x, y) != b.At(x, y)) {
        ++change.count;
        change.box.left = std::min<LONG>(change.box.left, x);
        change.box.top = std::min<LONG>(change.box.top, y);
        change.box.right = std::max<LONG>(change.box.right, x + 1);
        change.box.bottom = std::max<LONG>(change.box.bottom, y + 1);
      }
  return change;
}

TEST_F(MapWindowTest, HoverOutlineFollowsThePointerAndIsErasedBeforeTheNextOne) {
  OpenMap& doc = NewMap();
  FillWithDistinctTiles(doc);
  HWND hwnd = Restored(doc, 400, 300);
  ToolState& tools = App().editor.tools;
  tools.currentToolCommand = TOOL_EDIT;
  tools.blockWidth = 2;
  tools.blockHeight = 3;
  Scroll(hwnd, WM_HSCROLL, SB_LINEDOWN);  // outlines are in map pixels
  const Pixels clean = RepaintAndGrab(hwnd);

  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(40, 20));  // map (56, 20): cell (3, 1)
  EXPECT_EQ(doc.view.hoverRect, (Rect{48, 16, 80, 64}));
  Change shown = Difference(clean, GrabClient(hwnd));
  EXPECT_GT(shown.count, 40);
  // Only the outline's border changes (client coordinates).
  EXPECT_EQ(shown.box.left, 32);
  EXPECT_EQ(shown.box.top, 16);
  EXPECT_EQ(shown.box.right, 64);
  EXPECT_EQ(shown.box.bottom, 64);
  const Pixels outlined = GrabClient(hwnd);
  EXPECT_EQ(outlined.At(40, 30), clean.At(40, 30));  // inside: untouched

  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(doc.view.hoverRect, (Rect{208, 144, 240, 192}));
  Change moved = Difference(clean, GrabClient(hwnd));
  EXPECT_EQ(moved.box.left, 192) << "the old outline was not erased";
  EXPECT_EQ(moved.box.top, 144);

  // Leaving the client area erases it.
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, 0);
  EXPECT_EQ(doc.view.hoverRect, Rect{});
  EXPECT_EQ(Difference(clean, GrabClient(hwnd)).count, 0);
}

TEST_F(MapWindowTest, HoverOutlineSizeDependsOnTheTool) {
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 400, 300);
  ToolState& tools = App().editor.tools;
  auto outlineAt = [&](int px, int py) {
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(px, py));
    return doc.view.hoverRect;
  };
  tools.currentToolCommand = TOOL_EDIT;
  tools.blockWidth = 0;
  tools.blockHeight = 4;
  EXPECT_EQ(outlineAt(20, 20), (Rect{16, 16, 32, 32}));
  tools.blockWidth = 3;
  tools.animationMode = 1;
  EXPECT_EQ(outlineAt(20, 20), (Rect{16, 16, 32, 32}));
  tools.animationMode = 0;
  EXPECT_EQ(outlineAt(20, 20), (Rect{16, 16, 64, 80}));
  for (int32_t command : {TOOL_FLAG, TOOL_SWITCH}) {
    tools.currentToolCommand = command;
    EXPECT_EQ(outlineAt(33, 1), (Rect{32, 0, 80, 48})) << command;
  }
  tools.currentToolCommand = TOOL_FLAG_POLE;
  tools.currentTool = TOOL_FLAG_POLE;
  EXPECT_EQ(outlineAt(1, 1), (Rect{0, 0, 48, 48}));
  tools.currentTool = TOOL_EDIT;
  for (int32_t command : {TOOL_WALL, TOOL_TILE_PICKER, TOOL_HOLDING_PEN, TOOL_SELECT, TOOL_BRIDGE, TOOL_BUNKER}) {
    tools.currentToolCommand = command;
    EXPECT_EQ(outlineAt(50, 70), (Rect{48, 64, 64, 80})) << command;
  }
  tools.currentToolCommand = TOOL_SPAWN;
  tools.spawnKind = 1;
  EXPECT_EQ(outlineAt(1, 1), (Rect{0, 0, 16, 16}));
  tools.spawnKind = 0;
  EXPECT_EQ(outlineAt(1, 1), (Rect{0, 0, 48, 48}));

  // A tool without an outline leaves the old one where it is, on screen too.
  const Pixels before = GrabClient(hwnd);
  for (int32_t command : {TOOL_CONVEYOR, TOOL_MIRROR, TOOL_COPY, TOOL_BUNKER_LEFT}) {
    tools.currentToolCommand = command;
    EXPECT_EQ(outlineAt(150, 150), (Rect{0, 0, 48, 48})) << command;
  }
  EXPECT_EQ(Difference(before, GrabClient(hwnd)).count, 0);

  // Scrolling forgets the outline; the repaint has covered it.
  Scroll(hwnd, WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(doc.view.hoverRect, Rect{});
}

TEST_F(MapWindowTest, InfoPanelShowsTheTileOrTheAnimationAndOffsetUnderThePointer) {
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 128, 100, App().frame, nullptr,
                               App().instance, nullptr);
  HWND tileField = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_READONLY, 45, 22, 70, 18, panel,
                                   reinterpret_cast<HMENU>(103), App().instance, nullptr);
  HWND offsetField = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_READONLY, 65, 42, 50, 18, panel,
                                     reinterpret_cast<HMENU>(105), App().instance, nullptr);
  ASSERT_TRUE(panel && tileField && offsetField);
  App().infoPanel = panel;
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 400, 300);
  doc.doc->At(2, 3).tile = 1234;
  doc.doc->At(4, 3).SetValues({-1, 77, 9});

  SetWindowTextA(offsetField, "unchanged");
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2 * 16 + 5, 3 * 16 + 5));
  EXPECT_EQ(wintest::WindowText(tileField), "1234");
  EXPECT_EQ(wintest::WindowText(offsetField), "unchanged");
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(4 * 16 + 15, 3 * 16));
  EXPECT_EQ(wintest::WindowText(tileField), "77");
  EXPECT_EQ(wintest::WindowText(offsetField), "9");
  DestroyWindow(panel);
}

TEST_F(MapWindowTest, RightButtonArmsAutoPanNearTheEdges) {
  OpenMap& doc = NewMap();
  HWND hwnd = Restored(doc, 400, 300);
  const SIZE c = Client(hwnd);
  using Flags = std::array<uint8_t, 4>;  // left, right, up, down
  auto move = [&](int px, int py, WPARAM keys) {
    SendMessageA(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(px, py));
    return doc.view.autoPan;
  };
  EXPECT_EQ(move(c.cx - 10, c.cy / 2, MK_RBUTTON), (Flags{0, 1, 0, 0}));
  EXPECT_EQ(move(16, c.cy / 2, MK_RBUTTON), (Flags{1, 0, 0, 0}));
  EXPECT_EQ(move(c.cx / 2, c.cy - 32, MK_RBUTTON), (Flags{0, 0, 0, 1}));  // the status bar's margin
  EXPECT_EQ(move(c.cx / 2, 16, MK_RBUTTON), (Flags{0, 0, 1, 0}));
  EXPECT_EQ(move(c.cx - 1, 0, MK_RBUTTON), (Flags{0, 1, 0, 0}));  // one flag at a time, right first
  EXPECT_EQ(move(c.cx / 2, c.cy / 2, 0), (Flags{0, 1, 0, 0}));    // no button: left as it was
  EXPECT_EQ(move(c.cx / 2, c.cy - 33, MK_RBUTTON), (Flags{0, 0, 0, 0}));

  SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.cx / 2, c.cy - 20));
  EXPECT_EQ(doc.view.autoPan, (Flags{0, 0, 0, 0}));  // 17 pixels for a press
  SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(c.cx / 2, c.cy - 16));
  EXPECT_EQ(doc.view.autoPan, (Flags{0, 0, 0, 1}));
  SendMessageA(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(c.cx / 2, c.cy - 16));
  EXPECT_EQ(doc.view.autoPan, (Flags{0, 0, 0, 0}));
  move(3, 100, MK_RBUTTON);
  SendMessageA(hwnd, WM_NCMOUSEMOVE, HTCAPTION, 0);
  EXPECT_EQ(doc.view.autoPan, (Flags{0, 0, 0, 0}));
}

// --- menus and commands ----------------------------------------------------------------------------

TEST_F(MapWindowTest, EditMenuOfTheControlPopupFollowsHistoryAndSelection) {
  OpenMap& doc = NewMap();
  HWND hwnd = ToHwnd(doc.view.window);
  HMENU control = GetSubMenu(GetSystemMenu(hwnd, FALSE), 0);
  HMENU edit = GetSubMenu(control, 1);
  ASSERT_NE(edit, nullptr);
  auto open = [&](HMENU popup) { SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 1); };
  auto grayed = [&](int position) { return (wintest::MenuItemState(edit, position) & MF_GRAYED) != 0; };

  open(edit);
  for (int position : {0, 1, 3, 4, 5, 6, 8}) EXPECT_TRUE(grayed(position)) << position;
  for (int position : {9, 11, 12, 14}) EXPECT_FALSE(grayed(position)) << position;
  EXPECT_EQ(GetMenuItemID(edit, 0), static_cast<UINT>(CMD_UNDO));
  EXPECT_EQ(wintest::MenuItemText(edit, 0), "&Undo\tCtrl+Z");

  doc.doc->undoSteps.push_back(HistoryStep{0, 1, 1, 0});
  doc.view.selectionShown = 1;
  open(edit);
  EXPECT_FALSE(grayed(0));
  EXPECT_TRUE(grayed(1));
  for (int position : {3, 4, 5, 6, 8}) EXPECT_FALSE(grayed(position)) << position;

  doc.doc->redoSteps.push_back(HistoryStep{0, 1, 1, 0});
  doc.doc->undoSteps.clear();
  App().overviewWindow = App().frame;  // any window: an overview is open
  open(edit);
  EXPECT_TRUE(grayed(0));
  EXPECT_FALSE(grayed(1));
  EXPECT_TRUE(grayed(11));
  App().overviewWindow = nullptr;

  // Another popup is left alone.
  HMENU file = GetSubMenu(control, 0);
  EnableMenuItem(file, 0, MF_BYPOSITION | MF_GRAYED);
  open(file);
  EXPECT_TRUE(wintest::MenuItemState(file, 0) & MF_GRAYED);
}

TEST_F(MapWindowTest, ControlCommandsGoToTheFrame) {
  OpenMap& doc = NewMap();
  HWND hwnd = ToHwnd(doc.view.window);
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, CMD_SAVE, 12345), 0);
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, CMD_MAP_CHECK, 0), 0);
  ASSERT_EQ(g_frameCommands.size(), 2u);
  EXPECT_EQ(g_frameCommands[0].wParam, static_cast<WPARAM>(CMD_SAVE));
  EXPECT_EQ(g_frameCommands[0].lParam, 0);
  EXPECT_EQ(g_frameCommands[1].wParam, static_cast<WPARAM>(CMD_MAP_CHECK));
  // System commands stay with the window.
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_EQ(g_frameCommands.size(), 2u);
}

// --- closing ---------------------------------------------------------------------------------------

TEST_F(MapWindowTest, UnchangedMapClosesWithoutAsking) {
  DialogScript dialogs;
  OpenMap& doc = NewMap();
  HWND hwnd = ToHwnd(doc.view.window);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(App().editor.maps.Empty());
  EXPECT_EQ(App().exitAllowed, 1);
}

TEST_F(MapWindowTest, ClosePromptNoClosesWithoutSaving) {
  DialogScript dialogs;
  OpenMap& doc = NewMap();
  doc.doc->modified = 1;
  doc.doc->name = "Twin Rivers";
  HWND hwnd = ToHwnd(doc.view.window);
  dialogs.Answer(IDNO);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(dialogs.Boxes().size(), 1u);
  EXPECT_EQ(dialogs.Boxes()[0].text, "Would you like to save Twin Rivers?");
  EXPECT_EQ(dialogs.Boxes()[0].title, "Close..");
  EXPECT_TRUE(dialogs.Boxes()[0].scripted);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(App().editor.maps.Empty());
  EXPECT_EQ(App().exitAllowed, 1);
}

TEST_F(MapWindowTest, ClosePromptCancelKeepsTheWindowAndStopsAnExit) {
  DialogScript dialogs;
  OpenMap& doc = NewMap();
  doc.doc->modified = 1;
  HWND hwnd = ToHwnd(doc.view.window);
  dialogs.Answer(IDCANCEL);
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  ASSERT_EQ(dialogs.Boxes().size(), 1u);
  EXPECT_EQ(dialogs.Boxes()[0].answer, IDCANCEL);
  EXPECT_EQ(dialogs.Boxes()[0].text, "Would you like to save Untitled?");
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(App().editor.maps.Find(doc.view.window), &doc);
  EXPECT_EQ(App().exitAllowed, 0);
}

class MapWindowSaveTest : public MapWindowTest {
 protected:
  void SetUp() override {
    MapWindowTest::SetUp();
    // zlib.dll beside the "program", as the program finds it.
    programDir_ = WorkDir() + "/program";
    CreateDirectoryA(wintest::ToWindowsPath(programDir_).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(wintest::ToWindowsPath(QUARL_ZLIB_DLL).c_str(),
                          wintest::ToWindowsPath(programDir_ + "/zlib.dll").c_str(), FALSE));
    App().editor.programDirectory = wintest::ToWindowsPath(programDir_);
    App().editor.zlib = &zlib_;
  }
  void TearDown() override {
    App().editor.zlib = nullptr;
    MapWindowTest::TearDown();
  }
  std::string programDir_;
  WinZlibLibrary zlib_;
};

TEST_F(MapWindowSaveTest, ClosePromptYesOnANeverSavedMapSavesAsThenCloses) {
  DialogScript dialogs;
  const std::string target = WorkDir() + "/closed-with-yes.map";
  DeleteFileA(wintest::ToWindowsPath(target).c_str());
  ui_.saveName = wintest::ToWindowsPath(target);
  OpenMap& doc = NewMap();
  doc.doc->modified = 1;
  doc.doc->At(10, 10).tile = 17;
  HWND hwnd = ToHwnd(doc.view.window);
  dialogs.Answer(IDYES);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(dialogs.Boxes().size(), 1u) << dialogs.Boxes().back().text;
  EXPECT_EQ(dialogs.Boxes()[0].title, "Close..");
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(App().editor.maps.Empty());
  EXPECT_EQ(App().exitAllowed, 1);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(wintest::ToWindowsPath(target).c_str(), GetFileExInfoStandard, &data));
  EXPECT_GT(data.nFileSizeLow, 40u);
}

TEST_F(MapWindowSaveTest, ClosePromptYesWithTheSaveCancelledKeepsTheMap) {
  DialogScript dialogs;
  ui_.saveName.reset();
  OpenMap& doc = NewMap();
  doc.doc->modified = 1;
  HWND hwnd = ToHwnd(doc.view.window);
  dialogs.Answer(IDYES);
  EXPECT_EQ(SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  EXPECT_EQ(dialogs.Boxes().size(), 1u);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(doc.doc->modified, 1);
  EXPECT_EQ(App().exitAllowed, 0);
}

TEST_F(MapWindowTest, ClosePromptYesWithoutZlibKeepsTheMap) {
  DialogScript dialogs;
  App().editor.zlib = nullptr;  // no library: the save cannot be made
  ui_.saveName = wintest::ToWindowsPath(WorkDir() + "/never-written.map");
  OpenMap& doc = NewMap();
  doc.doc->modified = 1;
  HWND hwnd = ToHwnd(doc.view.window);
  dialogs.Answer(IDYES);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[1].title, "Save...");
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(App().exitAllowed, 0);
}

// --- activation and destruction ----------------------------------------------------------------------

TEST_F(MapWindowTest, ActivationPublishesTheActiveMapAndItsSelection) {
  Editor& editor = App().editor;
  OpenMap& a = NewMap();
  a.view.selectionShown = 1;
  a.view.selection = Rect{32, 48, 96, 80};
  OpenMap& b = NewMap();
  EXPECT_EQ(editor.activeMapWindow, b.view.window);
  EXPECT_EQ(editor.Selection(), SelectionCells{});

  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(ToHwnd(a.view.window)), 0);
  EXPECT_EQ(editor.activeMapWindow, a.view.window);
  EXPECT_EQ(editor.Selection(), (SelectionCells{3 * 256 + 2, 4, 2}));

  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(ToHwnd(b.view.window)), 0);
  EXPECT_EQ(editor.activeMapWindow, b.view.window);
  EXPECT_EQ(editor.Selection(), SelectionCells{});

  a.view.selectionShown = 0;  // a hidden selection is no selection
  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(ToHwnd(a.view.window)), 0);
  EXPECT_EQ(editor.activeMapWindow, a.view.window);
  EXPECT_EQ(editor.Selection(), SelectionCells{});
}

TEST_F(MapWindowTest, DestroyingAMapFocusesTheFirstRemainingOneThenTheFrame) {
  Editor& editor = App().editor;
  OpenMap& a = NewMap();
  OpenMap& b = NewMap();
  OpenMap& c = NewMap();
  const WindowId aId = a.view.window, bId = b.view.window, cId = c.view.window;
  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(ToHwnd(bId)), 0);

  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(cId)), 0);
  EXPECT_EQ(editor.maps.FindMapDocument(cId), nullptr);
  EXPECT_EQ(editor.activeMapWindow, aId);
  EXPECT_EQ(GetFocus(), ToHwnd(aId));

  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(aId)), 0);
  EXPECT_EQ(editor.activeMapWindow, bId);
  EXPECT_EQ(GetFocus(), ToHwnd(bId));
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(App().mdiClient, WM_MDIGETACTIVE, 0, 0)), ToHwnd(bId));

  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(bId)), 0);
  EXPECT_TRUE(editor.maps.Empty());
  EXPECT_EQ(editor.activeMapWindow, 0u);
  // The frame's default processing hands its focus on to the MDI client.
  EXPECT_TRUE(GetFocus() == App().frame || GetFocus() == App().mdiClient);
}

TEST_F(MapWindowTest, DestroyingTheMapTheOverviewShowsClosesTheOverview) {
  OpenMap& a = NewMap();
  OpenMap& b = NewMap();
  const WindowId aId = a.view.window, bId = b.view.window;
  HWND overview = CreateWindowExA(0, "STATIC", "Overview", WS_POPUP, 0, 0, 10, 10, App().frame, nullptr,
                                  App().instance, nullptr);
  App().overviewWindow = overview;
  App().overviewDoc = b.doc.get();

  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(aId)), 0);
  EXPECT_TRUE(IsWindow(overview)) << "it shows another map";
  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(bId)), 0);
  EXPECT_FALSE(IsWindow(overview));
  App().overviewWindow = nullptr;
  App().overviewDoc = nullptr;
}

}  // namespace
}  // namespace quarl::win
