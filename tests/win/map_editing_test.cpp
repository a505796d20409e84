// Editing in the running program with the mouse as the user drives it (the
// pointer moved and the buttons pressed from another thread): every tool's
// drag through the map window's capture loop, tile blocks, the rubber band,
// the game-type questions, Undo and Redo, and the Windows clipboard.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/scripted_user_interface.h"
#include "base/win/info_panel_fields.h"
#include "editor/editing_tools.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

// Mouse input as the hardware gives it: the pointer moved to a screen point
// (coordinates scaled to 0..65536 over the screen, rounded up so that they
// scale back to the point) and the buttons pressed and released there.
void SendMouse(DWORD flags, POINT to = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE, input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>((to.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((to.y * 65536LL + height - 1) / height);
  }
  SendInput(1, &input, sizeof input);
}

class MapEditing : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    SetWindowPos(Frame(), nullptr, 0, 0, 1280, 1000, SWP_NOZORDER);
    map_ = NewMap();
    SendMessageA(App().mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(map_), 0);  // the maps after it too
  }
  void Use(ToolCommand tool, int32_t variant = 0) {
    ToolState& tools = TheEditor().tools;
    tools.currentTool = tool, tools.currentToolCommand = tool, tools.currentVariantCommand = variant;
  }
  // The middle of a map cell in the window's client pixels.
  POINT In(HWND map, int column, int row) {
    return {column * 16 + 8 - GetScrollPos(map, SB_HORZ), row * 16 + 8 - GetScrollPos(map, SB_VERT)};
  }
  // Press on the first point, move through the others, release on the last
  // after holdMs, from another thread as the user's hand. Each move waits
  // until the window's status bar shows the cell under the pointer, and the
  // first waits for the capture, so that a question asked on the press has
  // been answered by then.
  void Drag(HWND map, std::vector<POINT> points, bool rightButton = false, DWORD holdMs = 0) {
    HWND status = win::ToHwnd(View(map)->statusBar);
    std::vector<std::string> shows;
    for (POINT& p : points) {
      shows.push_back("(x,y): (" + std::to_string((p.x + GetScrollPos(map, SB_HORZ)) / 16) + "," +
                      std::to_string((p.y + GetScrollPos(map, SB_VERT)) / 16) + ")");
      ClientToScreen(map, &p);
    }
    auto statusText = [status] {
      char text[64] = {};
      SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
      return std::string(text);
    };
    if (map == lastPressed_ && points[0].x == lastPress_.x && points[0].y == lastPress_.y)
      Sleep(GetDoubleClickTime() + 50);  // not a double click
    lastPressed_ = map, lastPress_ = points[0];
    SendMouse(MOUSEEVENTF_MOVE, points[0]);
    // A window that does not show the pointer's cell fails the test once, at once.
    if (lost_ || !PumpUntil([&] { return statusText() == shows[0]; }, 5000)) {
      if (!std::exchange(lost_, true)) ADD_FAILURE() << "the status bar never showed " << shows[0];
      return;
    }
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> done = false, late = false;
    std::thread hand([&] {
      auto waitFor = [&](auto done) {
        for (int k = 0; k < 2000 && !done(); ++k) Sleep(5);
        if (!done()) late = true;
      };
      auto captured = [&] { GUITHREADINFO info{}; info.cbSize = sizeof info; return GetGUIThreadInfo(thread, &info) && info.hwndCapture == map; };
      SendMouse(MOUSEEVENTF_LEFTDOWN | (rightButton ? MOUSEEVENTF_RIGHTDOWN : 0));
      waitFor(captured);
      for (size_t k = 1; k < points.size(); ++k) {
        SendMouse(MOUSEEVENTF_MOVE, points[k]);
        waitFor([&] { return statusText() == shows[k]; });
      }
      Sleep(holdMs);
      SendMouse(MOUSEEVENTF_LEFTUP | (rightButton ? MOUSEEVENTF_RIGHTUP : 0));
      waitFor([&] { return !captured(); });
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 60000);
    hand.join();
    EXPECT_FALSE(late) << "the window did not follow the pointer in time";
  }
  void Click(HWND map, int column, int row) { Drag(map, {In(map, column, row)}); }
  CellValues At(HWND map, int column, int row) { return Doc(map)->At(column, row).Values(); }
  int32_t Tile(int column, int row) { return Doc(map_)->At(column, row).tile; }
  HWND map_ = nullptr;
  HWND lastPressed_ = nullptr;
  bool lost_ = false;
  POINT lastPress_{};
};

// Each tool's drag in a scrolled window leaves the map, history, selection
// and tool state as the editing engine alone does given the same pointer
// (its questions answered No, as the program's are here).
TEST_F(MapEditing, EveryToolDragsAsTheEngineDoes) {
  const std::pair<ToolCommand, int32_t> tools[] = {
      {TOOL_EDIT, 0}, {TOOL_EDIT, 1}, {TOOL_WALL, 0}, {TOOL_FLAG, 0}, {TOOL_FLAG_POLE, 0}, {TOOL_SWITCH, 0},
      {TOOL_SPAWN, 0}, {TOOL_TILE_PICKER, 0}, {TOOL_SELECT, 0}, {TOOL_HOLDING_PEN, 0}, {TOOL_CONVEYOR, 0},
      {TOOL_BUNKER, TOOL_BUNKER_UP}, {TOOL_BRIDGE, TOOL_BRIDGE_LEFT_RIGHT}, {TOOL_COPY, 0}};
  for (auto [tool, option] : tools) {
    SCOPED_TRACE(tool);
    SetDlgItemTextA(App().infoPanel, win::kAnimOffsetEdit, "5");  // a pick writes its offset there
    HWND map = NewMap();
    SendMessageA(map, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 48), 0);
    SendMessageA(map, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 32), 0);
    ToolState& state = TheEditor().tools;
    Use(tool, tool == TOOL_EDIT ? 0 : option);
    state.animationMode = tool == TOOL_EDIT ? option : 0;
    state.currentTile = 120, state.blockWidth = 2, state.blockHeight = 1, state.currentAnimation = 1;
    Editor reference;
    ScriptedUserInterface ui;
    ScriptedMapWindows windows(reference);
    reference.ui = &ui, reference.windows = &windows, reference.tools = state, reference.tools.animOffsetText = "5";
    OpenMap& other = *CreateNewMAP(reference);
    for (OpenMap* open : {TheEditor().maps.Find(win::ToWindowId(map)), &other}) {
      open->view.selection = Rect{96, 96, 160, 128}, open->view.selectionShown = 1;
      open->view.selectionCells = SelectionCellsOf(open->view.selection);
      open->doc->At(5, 6).SetValues({-1, 1, 9});
    }
    std::vector<POINT> points;
    for (auto [c, r] : {std::pair{5, 6}, {6, 6}, {7, 8}, {9, 9}}) points.push_back(In(map, c, r));
    Drag(map, points);
    PointerGesture gesture;
    gesture.Press(reference, other.view.window, {points[0].x, points[0].y}, {48, 32});
    for (size_t k = 1; k < points.size(); ++k) gesture.Move(reference, other.view.window, {points[k].x, points[k].y}, {48, 32});
    gesture.Release(reference, other.view.window);

    int differ = 0, changed = 0;
    for (int i = 0; i < kCellCount; ++i) {
      differ += Doc(map)->cells[i].Values() != other.doc->cells[i].Values();
      changed += Doc(map)->cells[i].Values() != CellValues{};
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(changed, tool == TOOL_SELECT || tool == TOOL_COPY || tool == TOOL_TILE_PICKER ? 0 : 1);
    EXPECT_EQ(std::tuple(Doc(map)->undoSteps, Doc(map)->gameType, View(map)->selection, View(map)->selectionShown,
                         TheEditor().Selection(), state.currentToolCommand, state.animationMode),
              std::tuple(other.doc->undoSteps, other.doc->gameType, other.view.selection, other.view.selectionShown,
                         reference.Selection(), reference.tools.currentToolCommand, reference.tools.animationMode));
    if (tool == TOOL_TILE_PICKER) {  // the info panel shows the picked animation's state
      EXPECT_EQ(std::pair(IsDlgButtonChecked(App().infoPanel, win::kUseAnimCheck),
                          WindowText(GetDlgItem(App().infoPanel, win::kAnimOffsetEdit))),
                std::pair(UINT{BST_CHECKED}, std::string("9")));
    }
  }
}

// A 3 x 2 block, each cell entered its own step, then Undo and Redo from the
// menu and the keys, each shown at once.
TEST_F(MapEditing, TileBlocksCutAtTheMapEdgeUndoneAndRedone) {
  Use(TOOL_EDIT);
  ToolState& tools = TheEditor().tools;
  tools.currentTile = 100, tools.blockWidth = 3, tools.blockHeight = 2;
  SendMessageA(map_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4096), 0);  // as far right as it goes
  Drag(map_, {In(map_, 254, 10), In(map_, 254, 12)});
  EXPECT_EQ((std::vector{Tile(254, 10), Tile(255, 10), Tile(254, 11), Tile(255, 11), Tile(253, 10), Tile(255, 13)}),
            (std::vector{100, 101, 140, 141, BLANK_TILE, 141}));
  const std::pair<WPARAM, std::pair<int32_t, int32_t>> steps[] = {
      {CMD_UNDO, {141, BLANK_TILE}}, {MAKEWPARAM(CMD_UNDO, 1), {BLANK_TILE, BLANK_TILE}},
      {CMD_REDO, {141, BLANK_TILE}}, {MAKEWPARAM(CMD_REDO_KEY, 1), {141, 141}}};
  for (auto [command, tiles] : steps) {
    Command(LOWORD(command), HIWORD(command));
    const POINT last = In(map_, 255, 13);
    EXPECT_EQ(std::tuple(Tile(255, 11), Tile(255, 13), GrabClient(map_, false).At(last.x, last.y)),
              std::tuple(tiles.first, tiles.second, SheetColour(tiles.second, 8, 8))) << command;
  }
}

TEST_F(MapEditing, RubberBandInEveryDirection) {
  Use(TOOL_SELECT);
  SendMessageA(map_, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 32), 0);
  // From cell (10, 10): right and down take in the cell under the pointer,
  // left and up stop short of it.
  const std::pair<POINT, Rect> drags[] = {{{13, 12}, {160, 160, 224, 208}}, {{7, 8}, {128, 144, 160, 160}},
                                          {{13, 8}, {160, 144, 224, 160}}, {{7, 12}, {128, 160, 160, 208}}};
  for (auto [end, rect] : drags) {
    Drag(map_, {In(map_, 10, 10), In(map_, 9, 9), In(map_, end.x, end.y)});
    EXPECT_EQ(std::pair(View(map_)->selection, View(map_)->selectionShown), std::pair(rect, 1));
    EXPECT_EQ(TheEditor().Selection(), SelectionCellsOf(rect));
  }
}

TEST_F(MapEditing, FlagsAndSwitchesAskForTheGameTypeOnThePress) {
  for (auto [tool, title, name, type] : {std::tuple{TOOL_FLAG, "Flag Placed", "Flag Game", 1},
                                         std::tuple{TOOL_SWITCH, "Switch Placed", "Switch Game", 2}}) {
    Use(tool);
    dialogs.Clear();
    dialogs.Answer(IDNO);
    Click(map_, 20, 20);
    EXPECT_NE(Doc(map_)->gameType, type);
    dialogs.Answer(IDYES);
    Drag(map_, {In(map_, 30, 20), In(map_, 34, 20), In(map_, 38, 20)});  // asks once, on the press
    EXPECT_EQ(Doc(map_)->gameType, type);
    Click(map_, 40, 20);  // nothing left to ask
    ASSERT_EQ(dialogs.Boxes().size(), 2u);
    for (const SeenDialog& box : dialogs.Boxes())
      EXPECT_EQ(box.title + ": " + box.text, std::string(title) + ": Would you like to set the game type to \"" + name + "\"");
  }
}

// Held below the window with the right button down too, the drag pans the
// map in the capture loop, and only while auto-pan is on.
TEST_F(MapEditing, RightButtonBelowTheWindowPansWhileDragging) {
  Use(TOOL_SELECT);
  RECT client{};
  GetClientRect(map_, &client);
  for (int winpan : {0, 1}) {
    TheEditor().options.winpan = winpan;
    Drag(map_, {In(map_, 2, 2), POINT{40, client.bottom + 20}}, true, 300);
    EXPECT_EQ(std::pair(GetScrollPos(map_, SB_VERT) > 0, GetScrollPos(map_, SB_HORZ)), std::pair(winpan == 1, 0));
  }
}

// The clipboard's "ZOR" block as any other program reads and writes it.
std::vector<uint8_t> ClipboardBlock() {
  std::vector<uint8_t> bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(RegisterClipboardFormatA("ZOR")); const auto* p = static_cast<const uint8_t*>(data ? GlobalLock(data) : nullptr))
    bytes.assign(p, p + GlobalSize(data)), GlobalUnlock(data);
  CloseClipboard();
  return bytes;
}

void PutOnClipboard(const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  EXPECT_TRUE(SetClipboardData(RegisterClipboardFormatA("ZOR"), block));
  CloseClipboard();
}

// Ctrl+C in one map, the menu's Paste in another; Paste takes nothing from a
// block that is not "ZOR" or is short of its values. The toolbox's buttons
// run the same work with the toolbox owning the clipboard.
TEST_F(MapEditing, CopyInOneMapPasteInAnotherAndTheToolboxButtons) {
  const CellValues block[] = {{1, -1, -1}, {2, -1, -1}, {3, -1, -1}, {41, -1, -1}, {42, -1, -1}, {-1, 5, 3}};
  for (int k = 0; k < 6; ++k) Doc(map_)->At(10 + k % 3, 20 + k / 3).SetValues(block[k]);
  Use(TOOL_SELECT);
  Drag(map_, {In(map_, 10, 20), In(map_, 12, 21)});
  Command(CMD_COPY, true);
  const std::vector<uint8_t> copied = ClipboardBlock();
  ASSERT_EQ(copied, (std::vector<uint8_t>{'Z', 'O', 'R', '0', 0, 3, 0, 2, 0, 1, 0, 2, 0, 3, 0, 0x29, 0, 0x2A, 0x83, 5}));
  HWND other = NewMap();
  Drag(other, {In(other, 30, 25)});
  std::vector<uint8_t> foreign = copied;
  foreign[0] = 'X';
  for (const auto& bytes : {std::vector<uint8_t>(copied.begin(), copied.end() - 1), foreign, copied}) {
    PutOnClipboard(bytes);
    Command(CMD_PASTE);
  }
  for (int k = 0; k < 6; ++k) EXPECT_EQ(At(other, 30 + k % 3, 25 + k / 3), block[k]) << k;
  EXPECT_EQ(std::pair(Doc(other)->undoCount(), Doc(other)->modified), std::pair(1, 0));  // the last paste only

  SendMessageA(App().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(map_), 0);
  auto button = [&](int command) { SendMessageA(App().toolbox, WM_COMMAND, command, 0); };
  button(TOOL_CUT);
  EXPECT_EQ(std::pair(GetClipboardOwner(), Tile(11, 21)), std::pair(App().toolbox, BLANK_TILE));
  SendMessageA(map_, WM_KEYDOWN, VK_DOWN, 0);  // the selection one row down
  button(TOOL_PASTE);
  EXPECT_EQ(At(map_, 12, 22), block[5]);
  EXPECT_EQ(std::pair(Doc(map_)->undoCount(), TheEditor().tools.currentToolCommand), std::pair(2, int32_t{TOOL_SELECT}));
}

}  // namespace
}  // namespace quarl::wintest
