// The tool windows at work in the running program, the native quarl-map's
// render against what the map window paints, and screenshots of the frame
// in both toolbox layouts and of the overview.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <numeric>
#include <tuple>
#include <utility>

#include "base/win/info_panel_fields.h"
#include "quarl_session.h"
#include "tools/cell_look.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace quarl::wintest {
namespace {

using win::kAnimOffsetEdit;
using win::kTileDisplay;
using win::kUseAnimCheck;

HWND Toolbox() { return win::App().toolbox; }

// A click on a tool's button in the vertical layout.
void ClickTool(int index) {
  SendMessageA(Toolbox(), WM_LBUTTONUP, 0, MAKELPARAM(index % 4 * 32 + 10, index / 4 * 32 + 10));
}

void SetLayout(bool vertical) {
  win::App().editor.options.toolbox = vertical ? 1 : 0;
  RECT rc{};
  GetClientRect(win::App().frame, &rc);
  SendMessageA(win::App().frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
}

// ---- popups: each one is read while it is open, then closed as the user would ----

struct PopupScript {
  std::deque<int> answers;  // the item to choose, or 0 to dismiss the popup
  std::vector<std::vector<int>> commands;  // each popup's items: their commands,
  std::vector<std::vector<std::string>> looks;  // and their texts or picture sizes ("240x16")
};
PopupScript* g_popups = nullptr;

LRESULT CALLBACK PopupHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && g_popups && msg->message == WM_INITMENUPOPUP && msg->hwnd == Toolbox()) {
    HMENU menu = reinterpret_cast<HMENU>(msg->wParam);
    std::vector<int> commands;
    std::vector<std::string> looks;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      commands.push_back(static_cast<int>(GetMenuItemID(menu, i)));
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_BITMAP;
      GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
      BITMAP bm{};
      char look[64] = {};
      if (info.hbmpItem && GetObjectA(info.hbmpItem, sizeof bm, &bm))
        std::snprintf(look, sizeof look, "%ldx%ld", static_cast<long>(bm.bmWidth), static_cast<long>(bm.bmHeight));
      else
        GetMenuStringA(menu, static_cast<UINT>(i), look, sizeof look, MF_BYPOSITION);
      looks.push_back(look);
    }
    g_popups->commands.push_back(commands);
    g_popups->looks.push_back(looks);
    const int answer = g_popups->answers.empty() ? 0 : g_popups->answers.front();
    if (!g_popups->answers.empty()) g_popups->answers.pop_front();
    EndMenu();
    // The system posts a chosen item's command after the menu has closed.
    if (answer) PostMessageA(Toolbox(), WM_COMMAND, static_cast<WPARAM>(answer), 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

using ToolWindows = QuarlSession;

// The drag loop reads the cursor for each mouse message it takes: this
// puts the cursor where each posted move says, as it is taken.
LRESULT CALLBACK CursorFromMoves(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == Toolbox() && msg->message == WM_MOUSEMOVE)
    SetCursorPos(LOWORD(msg->lParam), HIWORD(msg->lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Screenshots of the frame in both layouts and of the overview are left for
// people to look at.
TEST_F(ToolWindows, HighlightFollowsTheCurrentToolInBothLayoutsAndScreenshots) {
  // The demo game, when the native build has made it, looks like a game.
  const std::string demo = ToWindowsPath(QUARL_DEMO_GAME);
  for (const char* file : {"tiles.bmp", "anims.dat", "twinforts.map"})
    CopyFileA((demo + "\\" + file).c_str(), (gameDir + "\\" + file).c_str(), FALSE);
  const std::string map = gameDir + "\\twinforts.map";  // a full path, for the window's title
  ASSERT_TRUE(Start(FileExists(map) ? map : ""));
  if (!TheEditor().activeMapWindow) NewMap();
  SetWindowPos(Frame(), nullptr, 0, 0, 1100, 760, SWP_NOZORDER);
  SetClientSize(win::ToHwnd(TheEditor().activeMapWindow), 560, 420);
  for (bool vertical : {true, false}) {
    SetLayout(vertical);
    // Tool 1 sits in the first row in both layouts, tool 6 in the second row
    // of the vertical one; each highlight's corners are read.
    for (int tool : {1, 6}) {
      const int x = vertical ? (tool % 4) * 32 : tool * 32, y = vertical && tool >= 4 ? 32 : 3, h = y == 3 ? 29 : 32;
      TheEditor().tools.currentTool = TOOL_EDIT;
      const COLORREF before = GrabClient(Toolbox()).At(x + 1, y + 1);
      TheEditor().tools.currentTool = ToolAt(tool);
      const Pixels p = GrabClient(Toolbox());
      EXPECT_EQ((std::vector{p.At(x, y), p.At(x + 1, y + 1), p.At(x + 32, y + h), p.At(x + 33, y + h + 1)}),
                (std::vector{RGB(0, 0, 0), RGB(128, 128, 128), RGB(224, 224, 224), RGB(255, 255, 255)}))
          << vertical << tool;
      EXPECT_NE(before, p.At(x + 1, y + 1)) << vertical << tool;
    }
    // The client area: without a window manager Wine leaves the caption undrawn.
    EXPECT_TRUE(SavePng(GrabClient(Frame()), vertical ? "frame_vertical" : "frame_horizontal"));
  }
  Command(CMD_OVERVIEW);
  ASSERT_TRUE(App().overviewWindow);
  EXPECT_TRUE(SavePng(GrabClient(App().overviewWindow), "overview"));
}

TEST_F(ToolWindows, PopupsOfferTheirItemsAndAChoiceOrDismissalSetsTheTool) {
  ASSERT_TRUE(Start());
  SetLayout(true);
  ToolState& tools = TheEditor().tools;
  PopupScript script;
  g_popups = &script;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, PopupHook, nullptr, GetCurrentThreadId());
  const std::vector<std::vector<int>>& seen = script.commands;
  auto open = [&](int tool, std::deque<int> answers) {
    script.answers = answers;
    ClickTool(tool);
    PumpMessages(answers.size() > 1 ? 50 : 20);
  };

  // Wall sets: twelve 240 x 16 pictures, 1125 to 1136; dismissed: Edit.
  open(10, {});
  ASSERT_EQ(seen.size(), 1u);
  std::vector<int> walls(12);
  std::iota(walls.begin(), walls.end(), 1125);
  EXPECT_EQ(std::pair(seen[0], script.looks[0][3]), std::pair(walls, std::string("240x16")));
  EXPECT_EQ(std::pair(tools.currentTool, tools.currentToolCommand), std::pair(TOOL_EDIT, int32_t{TOOL_EDIT}));

  // A bunker type (448 x 16 pictures), then its direction from 1228 to 1231.
  open(5, {1226, 1229});
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1], (std::vector<int>{1225, 1226, 1227}));
  EXPECT_EQ(seen[2], (std::vector<int>{1228, 1229, 1230, 1231}));
  EXPECT_EQ(script.looks[1][0] + " " + script.looks[2][1], "448x16 Right");
  EXPECT_EQ(std::tuple(tools.currentTool, tools.currentBunkerType, tools.currentVariantCommand),
            std::tuple(TOOL_BUNKER, 1, int32_t{TOOL_BUNKER_RIGHT}));

  // Mirror's choice goes through the frame; the tool command is Edit's again.
  open(15, {1326});
  EXPECT_EQ(seen[3], (std::vector<int>{1325, 1326, 1327, 1328}));
  EXPECT_EQ(std::tuple(tools.mirrorDirection, tools.currentTool, tools.currentToolCommand),
            std::tuple(1, TOOL_EDIT, int32_t{TOOL_EDIT}));

  // Flag poles with Red current offer the others; with Neutral current, the
  // message and the Flag Dropper.
  SendMessageA(App().infoPanel, WM_COMMAND, 108, 0);
  open(8, {1629});
  EXPECT_EQ(seen[4], (std::vector<int>{1625, 1627, 1628, 1629}));
  EXPECT_EQ(std::pair(tools.poleFlagTeam, tools.currentToolCommand), std::pair(4, int32_t{TOOL_FLAG_POLE}));
  dialogs.Clear();
  SendMessageA(App().infoPanel, WM_COMMAND, 111, 0);  // Neutral while the pole dropper is current
  EXPECT_EQ(std::pair(tools.currentTool, IsDlgButtonChecked(App().infoPanel, 111)), std::pair(TOOL_FLAG, UINT{BST_CHECKED}));
  open(8, {});
  EXPECT_EQ(seen.size(), 5u);  // no popup
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[0].title + ": " + dialogs.Boxes()[0].text,
            "Quick Info: You are unable to place Neutral Flag poles.\nAutomatically switching to Flag Tool");
  EXPECT_EQ(dialogs.Boxes()[1].title + ": " + dialogs.Boxes()[1].text,
            "Error - Quick Info: Neutral flag poles are not possible\nMust start as a flag.");
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);
  UnhookWindowsHookEx(hook);
  g_popups = nullptr;
}

TEST_F(ToolWindows, GripDragBetweenLayoutsMovesTheWindows) {
  ASSERT_TRUE(Start());
  SetLayout(true);
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CursorFromMoves, nullptr, GetCurrentThreadId());
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Frame(), &placement);
  const POINT frame{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
  const int T = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYFRAME);
  auto drag = [&](POINT grip, std::vector<POINT> moves) {
    PumpMessages(20);
    for (POINT p : moves) PostMessageA(Toolbox(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(frame.x + p.x, frame.y + p.y));
    PostMessageA(Toolbox(), WM_LBUTTONUP, 0, 0);
    SendMessageA(Toolbox(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
  };
  auto size = [](HWND hwnd) {
    const RECT rc = PlacedRect(hwnd);
    return std::pair(rc.right - rc.left, rc.bottom - rc.top);
  };
  RECT client{};
  GetClientRect(Frame(), &client);

  // Into the band under the menu bar, then away from both bands: the bar.
  drag({20, 165}, {{400, T + 20}, {600, T + 300}});
  EXPECT_EQ(App().editor.options.toolbox, 0);
  EXPECT_EQ(size(Toolbox()), std::pair(client.right, 36L));
  EXPECT_EQ(std::pair(PlacedRect(App().mdiClient).top, PlacedRect(App().animationPalette).top), std::pair(36L, 36L));

  // From the bar's grip to the left column: docked again.
  drag({554, 10}, {{60, T + 300}});
  EXPECT_EQ(App().editor.options.toolbox, 1);
  EXPECT_EQ(size(Toolbox()), std::pair(128L, 170L));
  EXPECT_EQ(PlacedRect(App().mdiClient).top, 0);
  UnhookWindowsHookEx(hook);
}

// ---- palettes and the info panel ----

TEST_F(ToolWindows, TilePaletteBlockPicksInFourDirections) {
  ASSERT_TRUE(Start());
  HWND palette = App().tilePalette;
  ToolState& tools = TheEditor().tools;
  // A press at (50, 19) anchors tile 43; moves raise the pointer to the next tile edge.
  const std::pair<POINT, std::tuple<int, int, int>> cases[] = {
      {{90, 40}, {43, 3, 2}}, {{20, 40}, {42, 1, 2}}, {{90, 0}, {3, 3, 1}}, {{20, 0}, {2, 1, 1}}, {{50, 19}, {43, 1, 1}}};
  for (auto [to, picked] : cases) {
    tools.currentTool = TOOL_WALL;
    PumpMessages(10);
    PostMessageA(palette, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    PostMessageA(palette, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    SendMessageA(palette, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 19));
    EXPECT_EQ(std::tuple(tools.currentTile, tools.blockWidth, tools.blockHeight), picked) << to.x << "," << to.y;
    EXPECT_EQ(tools.currentTool, TOOL_EDIT);
  }
  // The last pick's highlight, tile 43's square, is a dotted outline drawn
  // by inversion: about every other pixel of its edges differs from the
  // sheet, none inside it or beside it.
  const Pixels pixels = GrabClient(palette);
  EXPECT_EQ(tools.paletteHighlight, (Rect{48, 16, 64, 32}));
  auto changed = [&](int x, int y, bool across, int n = 16) {
    int count = 0;
    for (int i = 0; i < n; ++i, x += across, y += !across)
      count += pixels.At(x, y) != SheetColour(x / 16 + (y / 16) * 40, x % 16, y % 16);
    return count;
  };
  EXPECT_GE(std::min({changed(48, 16, true), changed(48, 16, false), changed(48, 31, true)}), 6);
  EXPECT_EQ(changed(49, 20, true, 14) + changed(47, 16, false) + changed(48, 32, true), 0);
}

TEST_F(ToolWindows, AnimationPaletteRowsEdgeAndPicks) {
  ASSERT_TRUE(Start());
  HWND palette = App().animationPalette;
  ToolState& tools = TheEditor().tools;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  auto hasText = [&](const Pixels& p, int row) {
    for (int y = row * 16 + 2; y < row * 16 + 14; ++y)
      for (int x = 0; x < 16; ++x)
        if (p.At(x, y) != window) return true;
    return false;
  };
  // Animations {10, 11}, {10, 11} and {5} (frames from x = 32); the current one is 0.
  Pixels p = GrabClient(palette);
  EXPECT_EQ((std::vector{p.At(40, 8), p.At(56, 24), p.At(40, 40), p.At(40, 56), p.At(66, 18)}),
            (std::vector{SheetColour(10, 8, 8), SheetColour(11, 8, 8), SheetColour(5, 8, 8), window, window}));
  for (int row : {1, 3, 10}) EXPECT_TRUE(hasText(p, row)) << row;
  // The bump edge around row 0 only, from x = 0 to 32 + 2 x 16.
  EXPECT_EQ((std::vector{p.At(20, 0) != window, p.At(63, 8) != SheetColour(11, 15, 8), p.At(66, 8) != window,
                         p.At(20, 16) != window}),
            (std::vector{true, true, false, false}));

  // A click picks the row under it.
  tools.currentTool = TOOL_SELECT;
  SendMessageA(palette, WM_LBUTTONUP, 0, MAKELPARAM(100, 2 * 16 + 3));
  EXPECT_EQ(std::tuple(tools.currentAnimation, tools.currentTool, tools.animationMode), std::tuple(2, TOOL_EDIT, 0));
  p = GrabClient(palette, false);
  EXPECT_EQ((std::vector{p.At(20, 0), p.At(50, 40)}), (std::vector{window, window}));  // one frame: the edge ends at 48
  EXPECT_NE(p.At(20, 32), window);
}

TEST_F(ToolWindows, InfoPanelClampsTheOffsetAndColoursTheTeams) {
  ASSERT_TRUE(Start());
  HWND panel = App().infoPanel;
  std::vector<std::string> shown;
  for (const char* typed : {"200", "", "-5"}) {
    SetDlgItemTextA(panel, kAnimOffsetEdit, typed);
    shown.push_back(WindowText(GetDlgItem(panel, kAnimOffsetEdit)));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"127", "", "0"}));

  HDC dc = CreateCompatibleDC(nullptr);
  auto colour = [&](int id) {
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    const LRESULT brush = SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(GetDlgItem(panel, id)));
    return std::tuple(GetTextColor(dc), GetBkMode(dc), reinterpret_cast<HBRUSH>(brush));
  };
  const std::pair<int, COLORREF> teams[] = {{107, RGB(0, 255, 0)}, {108, RGB(204, 0, 0)}, {109, RGB(0, 0, 204)},
                                            {110, RGB(255, 255, 0)}, {111, RGB(1, 2, 3)}, {kUseAnimCheck, RGB(1, 2, 3)}};
  for (auto [id, want] : teams) EXPECT_EQ(colour(id), std::tuple(want, TRANSPARENT, App().faceBrush)) << id;
  EXPECT_EQ(std::get<2>(colour(kTileDisplay)), App().windowBrush);
  DeleteDC(dc);
}

// ---- the overview ----

TEST_F(ToolWindows, CellsAndOutlineForAKnownSizeAndAClickScrollsTheMap) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  MapDocument* doc = Doc(map);
  ASSERT_TRUE(doc);
  doc->At(200, 150).tile = 0x0107;
  doc->At(201, 150).SetValues({-1, 0x0203, 0});  // placed in the editor: its id shows
  SetClientSize(map, 800, 600);
  Command(CMD_OVERVIEW);
  HWND overview = App().overviewWindow;
  ASSERT_TRUE(overview);
  EXPECT_EQ(std::pair(App().overviewDoc, GetWindow(overview, GW_OWNER)), std::pair(doc, Frame()));
  SetWindowPos(overview, nullptr, 0, 0, 400, 100, SWP_NOZORDER | SWP_NOMOVE);  // it keeps its size
  RECT rc{};
  GetClientRect(overview, &rc);
  EXPECT_EQ(std::pair(rc.right, rc.bottom), std::pair(256L, 256L));

  // 800 x 600 shows 50 x 37 cells: an outline of 51 x 38 pixels.
  const COLORREF white = RGB(255, 255, 255), blank = RGB(1, 24, 24);
  Pixels p = GrabClient(overview);
  EXPECT_EQ(std::pair(p.At(200, 150), p.At(201, 150)), std::pair(RGB(1, 7, 7), RGB(2, 3, 3)));
  for (auto [x, y] : {std::pair{50, 0}, {0, 37}, {50, 37}, {25, 37}}) EXPECT_EQ(p.At(x, y), white) << x << "," << y;
  for (auto [x, y] : {std::pair{51, 37}, {50, 38}, {25, 20}}) EXPECT_EQ(p.At(x, y), blank) << x << "," << y;

  // A click centres the map window on the cell, in whole cells; a drag follows.
  SendMessageA(overview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 120));
  auto scroll = [map] { return std::pair(GetScrollPos(map, SB_HORZ), GetScrollPos(map, SB_VERT)); };
  EXPECT_EQ(scroll(), std::pair(1600 - 400, 1920 - 288));
  p = GrabClient(overview, false);
  EXPECT_EQ(std::pair(p.At(75, 102), p.At(0, 0)), std::pair(white, blank));  // the outline moved with it
  SendMessageA(overview, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 40));
  EXPECT_EQ(scroll(), std::pair(3200 - 400, 640 - 288));
}

// ---- quarl-map render against the map window ----

// The PNG that the native quarl-map wrote, as colours (stb_image expands
// its palette).
Pixels ReadPng(const std::vector<uint8_t>& file) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels, 3);
  Pixels out{rgb ? width : 0, rgb ? height : 0, {}};
  for (int i = 0; rgb && i < width * height; ++i) out.colours.push_back(RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
  stbi_image_free(rgb);
  return out;
}

using MapRender = QuarlSession;

TEST_F(MapRender, NativeRenderEqualsWhatTheMapWindowPaints) {
  // The fixture (render_fixture.py) wrote a game, a map and the native render.
  const std::string fixture = ToWindowsPath(QUARL_RENDER_FIXTURE);
  const Pixels png = ReadPng(ReadBytes(fixture + "\\render.png"));
  ASSERT_EQ(png.width, 4096) << "run the render fixture first (ctest -R win.MapRender)";
  ASSERT_EQ(png.height, 4096);
  for (const char* file : {"tiles.bmp", "anims.dat"})
    ASSERT_TRUE(CopyFileA((fixture + "\\game\\" + file).c_str(), (gameDir + "\\" + file).c_str(), FALSE));
  ASSERT_TRUE(Start(fixture + "\\render.map"));
  HWND map = win::ToHwnd(TheEditor().activeMapWindow);
  ASSERT_TRUE(map);
  // All of the window on the screen, and the pointer away from it.
  SetWindowPos(Frame(), nullptr, 0, 0, 1700, 1000, SWP_NOZORDER);
  SetWindowPos(map, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetClientSize(map, 1000, 720);
  SetCursorPos(1910, 1070);
  const MapDocument* doc = Doc(map);

  // At the map's top-left, in its middle and at its bottom-right corner.
  int compared = 0;
  for (POINT scroll : {POINT{0, 0}, POINT{1600, 2000}, POINT{4096, 4096}}) {
    SetScrollPos(map, SB_HORZ, scroll.x, TRUE);
    SetScrollPos(map, SB_VERT, scroll.y, TRUE);
    const int sx = GetScrollPos(map, SB_HORZ), sy = GetScrollPos(map, SB_VERT);
    const Pixels shown = GrabClient(map);
    int wrong = 0;
    for (int y = 0; y < shown.height - 20 && sy + y < 4096; ++y) {  // the status bar covers the last 20 rows
      for (int x = 0; x < shown.width && sx + x < 4096; ++x) {
        const int mx = sx + x, my = sy + y;
        // An unknown animation's label is drawn in the system's font (grey
        // smoothed) by the window and in quarl-map's own black digits: those
        // pixels are left out, the rest of the square is white in both.
        const Cell& cell = doc->At(mx / 16, my / 16);
        const COLORREF want = png.At(mx, my), got = shown.At(x, y);
        const bool grey = GetRValue(got) == GetGValue(got) && GetGValue(got) == GetBValue(got);
        if (CellLookOf(cell, TheEditor().animations).unknownAnimation && grey && (want == 0 || want == 0xFFFFFF) &&
            (want == 0 || got != 0xFFFFFF))
          continue;
        ++compared;
        if (got != want && ++wrong <= 5) ADD_FAILURE() << "map pixel " << mx << "," << my << ": " << std::hex << got << " != " << want;
      }
    }
    EXPECT_EQ(wrong, 0) << "scrolled to " << sx << "," << sy;
  }
  EXPECT_GT(compared, 3 * 900 * 600);
}

}  // namespace
}  // namespace quarl::wintest
