// Editing in the running program with real mouse and key messages: every
// tool's drag through the map window's capture loop, tile blocks, the rubber
// band, the game-type questions, Undo and Redo, auto-pan, the selection keys,
// and Copy, Cut, Paste and Mirror through the Windows clipboard.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/scripted_user_interface.h"
#include "base/string_table.h"
#include "base/win/info_panel_fields.h"
#include "editor/editing_tools.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

// The engine alone, with windows and questions scripted (answered No, as
// the program's boxes are here unless a test says otherwise).
struct Reference {
  Editor editor;
  ScriptedUserInterface ui;
  ScriptedMapWindows windows{editor};
  OpenMap* map = nullptr;
  Reference() { editor.ui = &ui, editor.windows = &windows, map = CreateNewMAP(editor); }
  MapDocument* Doc() { return map->doc.get(); }
  MapView& View() { return map->view; }
  WindowId Window() { return map->view.window; }
};

class MapEditing : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    SetWindowPos(Frame(), nullptr, 0, 0, 1280, 1000, SWP_NOZORDER);
    map_ = NewMap();
    ASSERT_TRUE(IsWindow(map_));
    SendMessageA(App().mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(map_), 0);  // the maps after it too
  }
  void Use(ToolCommand tool, int32_t variant = 0) {
    ToolState& tools = TheEditor().tools;
    tools.currentTool = tool, tools.currentToolCommand = tool, tools.currentVariantCommand = variant;
  }
  void ScrollTo(HWND map, int x, int y) {
    SendMessageA(map, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, x), 0);
    SendMessageA(map, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, y), 0);
  }
  // The middle of a map cell in the window's client pixels.
  POINT In(HWND map, int column, int row) {
    return {column * 16 + 8 - GetScrollPos(map, SB_HORZ), row * 16 + 8 - GetScrollPos(map, SB_VERT)};
  }
  // The user's hand, on another thread: the pointer put on each point in
  // turn, the left button (and the right one, if asked) pressed on the first
  // and released on the last after holdMs. Each move waits until the window
  // has shown its cell in the status bar, and the moves wait for the capture,
  // so that a question asked on the press has been answered by then.
  void Drag(HWND map, std::vector<POINT> points, bool rightButton = false, DWORD holdMs = 0) {
    for (POINT& p : points) ClientToScreen(map, &p);
    // A second press on the same spot of a window soon after the first is a double click.
    if (map == lastPressed_ && points[0].x == lastPress_.x && points[0].y == lastPress_.y) Sleep(GetDoubleClickTime() + 50);
    lastPressed_ = map, lastPress_ = points[0];
    const DWORD thread = GetCurrentThreadId();
    HWND status = win::ToHwnd(View(map)->statusBar);
    // The pointer is put on the first point here, with this thread taking
    // the window system's events meanwhile, so that the press lands there.
    SetCursorPos(points[0].x, points[0].y);
    PumpUntil([&] {
      POINT at{};
      return GetCursorPos(&at) && at.x == points[0].x && at.y == points[0].y;
    }, 2000);
    PumpMessages(20);
    std::atomic<bool> done = false;
    std::thread hand([&] {
      auto buttons = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE, input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
      };
      auto statusText = [status] {
        char text[64] = {};
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text);
      };
      auto waitFor = [](auto done) {
        for (int k = 0; k < 400 && !done(); ++k) Sleep(5);
      };
      buttons(rightButton ? MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      waitFor([&] { return GetGUIThreadInfo(thread, &info) && info.hwndCapture == map; });
      for (size_t k = 1; k < points.size(); ++k) {
        const std::string before = statusText();
        SetCursorPos(points[k].x, points[k].y);
        waitFor([&] { return statusText() != before; });
      }
      Sleep(holdMs);
      buttons(rightButton ? MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
      waitFor([&] { return !(GetGUIThreadInfo(thread, &info) && info.hwndCapture == map); });
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 10000);
    hand.join();
  }
  void Click(HWND map, int column, int row) { Drag(map, {In(map, column, row)}); }
  CellValues At(HWND map, int column, int row) { return Doc(map)->At(column, row).Values(); }
  void Command(WPARAM command) { SendMessageA(Frame(), WM_COMMAND, command, 0); }
  HWND map_ = nullptr;
  HWND lastPressed_ = nullptr;
  POINT lastPress_{};
};

// Each tool's drag in a scrolled window leaves the map, history, selection
// and tool state exactly as the editing engine does given the same pointer.
TEST_F(MapEditing, EveryToolDragsAsTheEngineDoes) {
  const std::pair<ToolCommand, int32_t> tools[] = {
      {TOOL_EDIT, 0}, {TOOL_EDIT, 1}, {TOOL_WALL, 0}, {TOOL_FLAG, 0}, {TOOL_FLAG_POLE, 0}, {TOOL_SWITCH, 0},
      {TOOL_SPAWN, 0}, {TOOL_TILE_PICKER, 0}, {TOOL_SELECT, 0}, {TOOL_HOLDING_PEN, 0}, {TOOL_CONVEYOR, 0},
      {TOOL_BUNKER, TOOL_BUNKER_UP}, {TOOL_BRIDGE, TOOL_BRIDGE_LEFT_RIGHT}, {TOOL_COPY, 0}};
  for (auto [tool, option] : tools) {
    SCOPED_TRACE(tool);
    SetDlgItemTextA(App().infoPanel, win::kAnimOffsetEdit, "5");  // a pick writes its offset there
    HWND map = NewMap();
    ScrollTo(map, 48, 32);
    Reference reference;
    ToolState& state = TheEditor().tools;
    Use(tool, tool == TOOL_EDIT ? 0 : option);
    state.animationMode = tool == TOOL_EDIT ? option : 0;
    state.currentTile = 120, state.blockWidth = 2, state.blockHeight = 1, state.currentAnimation = 1;
    reference.editor.tools = state;
    reference.editor.tools.animOffsetText = "5";
    for (MapView* view : {View(map), &reference.View()}) {
      view->selection = Rect{96, 96, 160, 128}, view->selectionShown = 1;
      view->selectionCells = SelectionCellsOf(view->selection);
    }
    for (MapDocument* doc : {Doc(map), reference.Doc()}) doc->At(5, 6).SetValues({-1, 1, 9});

    const std::vector<std::pair<int, int>> cells = {{5, 6}, {6, 6}, {7, 8}, {9, 9}};
    std::vector<POINT> points;
    for (auto [c, r] : cells) points.push_back(In(map, c, r));
    Drag(map, points);
    PointerGesture gesture;
    const ScrollPosition scroll{48, 32};
    gesture.Press(reference.editor, reference.Window(), {points[0].x, points[0].y}, scroll);
    for (size_t k = 1; k < points.size(); ++k) gesture.Move(reference.editor, reference.Window(), {points[k].x, points[k].y}, scroll);
    gesture.Release(reference.editor, reference.Window());

    int differ = 0, changed = 0;
    for (int i = 0; i < kCellCount; ++i) {
      differ += Doc(map)->cells[i].Values() != reference.Doc()->cells[i].Values();
      changed += Doc(map)->cells[i].Values() != CellValues{};
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(changed, tool == TOOL_SELECT || tool == TOOL_COPY || tool == TOOL_TILE_PICKER ? 0 : 1);
    EXPECT_EQ(Doc(map)->undoSteps, reference.Doc()->undoSteps);
    EXPECT_EQ(Doc(map)->gameType, reference.Doc()->gameType);
    EXPECT_EQ(View(map)->selection, reference.View().selection);
    EXPECT_EQ(View(map)->selectionShown, reference.View().selectionShown);
    EXPECT_EQ(TheEditor().Selection(), reference.editor.Selection());
    EXPECT_EQ(state.currentToolCommand, reference.editor.tools.currentToolCommand);
    EXPECT_EQ(state.animationMode, reference.editor.tools.animationMode);
  }
}

TEST_F(MapEditing, TileBlockIsCutAtTheMapEdgeAndShownAtOnce) {
  Use(TOOL_EDIT);
  ToolState& tools = TheEditor().tools;
  tools.currentTile = 100, tools.blockWidth = 3, tools.blockHeight = 2;
  ScrollTo(map_, 4096, 0);  // as far right as it goes
  Click(map_, 254, 10);
  EXPECT_EQ((std::vector<int32_t>{At(map_, 254, 10).tile, At(map_, 255, 10).tile, At(map_, 254, 11).tile,
                                  At(map_, 255, 11).tile, At(map_, 253, 10).tile}),
            (std::vector<int32_t>{100, 101, 140, 141, BLANK_TILE}));
  EXPECT_EQ(Doc(map_)->undoCount(), 1);
  const POINT last = In(map_, 255, 11);
  EXPECT_EQ(GrabClient(map_, false).At(last.x, last.y), SheetColour(141, 8, 8));
}

TEST_F(MapEditing, RubberBandInEveryDirection) {
  Use(TOOL_SELECT);
  ScrollTo(map_, 32, 32);
  // From cell (10, 10): right and down take in the cell under the pointer,
  // left and up stop short of it.
  const std::pair<POINT, Rect> drags[] = {{{13, 12}, {160, 160, 224, 208}},
                                          {{7, 8}, {128, 144, 160, 160}},
                                          {{13, 8}, {160, 144, 224, 160}},
                                          {{7, 12}, {128, 160, 160, 208}}};
  for (auto [end, rect] : drags) {
    Drag(map_, {In(map_, 10, 10), In(map_, 9, 9), In(map_, end.x, end.y)});
    EXPECT_EQ(View(map_)->selection, rect);
    EXPECT_EQ(View(map_)->selectionShown, 1);
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
    for (const SeenDialog& box : dialogs.Boxes()) {
      EXPECT_EQ(box.title, title);
      EXPECT_EQ(box.text, std::string("Would you like to set the game type to \"") + name + "\"");
    }
  }
}

TEST_F(MapEditing, UndoAndRedoFromTheMenuAndTheKeys) {
  Use(TOOL_EDIT);
  TheEditor().tools.currentTile = 33, TheEditor().tools.blockWidth = TheEditor().tools.blockHeight = 1;
  Drag(map_, {In(map_, 2, 2), In(map_, 3, 2)});  // one step per cell
  const std::pair<WPARAM, std::pair<int32_t, int32_t>> steps[] = {
      {CMD_UNDO, {33, BLANK_TILE}}, {MAKEWPARAM(CMD_UNDO, 1), {BLANK_TILE, BLANK_TILE}},
      {CMD_REDO, {33, BLANK_TILE}}, {MAKEWPARAM(CMD_REDO_KEY, 1), {33, 33}}};
  for (auto [command, tiles] : steps) {
    Command(command);
    EXPECT_EQ(std::pair(At(map_, 2, 2).tile, At(map_, 3, 2).tile), tiles) << command;
    const POINT second = In(map_, 3, 2);
    EXPECT_EQ(GrabClient(map_, false).At(second.x, second.y), SheetColour(tiles.second, 8, 8)) << command;
  }
}

TEST_F(MapEditing, RightButtonBelowTheWindowPansWhileDragging) {
  Use(TOOL_SELECT);
  RECT client{};
  GetClientRect(map_, &client);
  for (int winpan : {0, 1}) {
    TheEditor().options.winpan = winpan;
    Drag(map_, {In(map_, 2, 2), POINT{40, client.bottom + 20}}, true, 300);
    EXPECT_EQ(GetScrollPos(map_, SB_VERT) > 0, winpan == 1);
    EXPECT_EQ(GetScrollPos(map_, SB_HORZ), 0);
  }
}

TEST_F(MapEditing, ArrowKeysMoveAndResizeTheSelection) {
  Use(TOOL_SELECT);
  Drag(map_, {In(map_, 5, 5), In(map_, 6, 6)});
  auto key = [&](UINT message, WPARAM vk) {
    SendMessageA(map_, message, vk, 0);
    return TheEditor().Selection();
  };
  EXPECT_EQ(key(WM_KEYDOWN, VK_RIGHT), (SelectionCells{5 * 256 + 6, 2, 2}));
  EXPECT_EQ(key(WM_SYSKEYDOWN, VK_DOWN), (SelectionCells{5 * 256 + 6, 2, 3}));  // Alt grows at the bottom
  key(WM_KEYDOWN, VK_F1);
  EXPECT_EQ(key(WM_SYSKEYDOWN, VK_DOWN), (SelectionCells{6 * 256 + 6, 2, 2}));  // now the top edge follows
  key(WM_SYSKEYDOWN, VK_F1);
  EXPECT_EQ(GetScrollPos(map_, SB_HORZ), 0);
  RECT client{};
  GetClientRect(map_, &client);
  View(map_)->selection = Rect{client.right - 32, 0, client.right - 16, 16};  // at the window's right edge
  key(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(GetScrollPos(map_, SB_HORZ), 32);  // two lines keep it in view
  View(map_)->selectionShown = 0;
  key(WM_KEYDOWN, VK_DOWN);  // without a selection a key scrolls a line
  EXPECT_EQ(GetScrollPos(map_, SB_VERT), 16);
}

// The clipboard's "ZOR" data, read as any other program would.
std::vector<uint8_t> ClipboardBlock() {
  std::vector<uint8_t> bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(RegisterClipboardFormatA("ZOR"))) {
    const auto* p = static_cast<const uint8_t*>(GlobalLock(data));
    if (p) bytes.assign(p, p + GlobalSize(data)), GlobalUnlock(data);
  }
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

TEST_F(MapEditing, CopyInOneMapPasteInAnotherThroughTheClipboard) {
  const CellValues block[] = {{1, -1, -1}, {2, -1, -1}, {3, -1, -1}, {41, -1, -1}, {42, -1, -1}, {-1, 5, 3}};
  for (int k = 0; k < 6; ++k) Doc(map_)->At(10 + k % 3, 20 + k / 3).SetValues(block[k]);
  Use(TOOL_SELECT);
  Drag(map_, {In(map_, 10, 20), In(map_, 12, 21)});
  Command(MAKEWPARAM(CMD_COPY, 1));
  EXPECT_EQ(ClipboardBlock(), (std::vector<uint8_t>{'Z', 'O', 'R', '0', 0, 3, 0, 2, 0, 1, 0, 2, 0, 3, 0, 0x29, 0, 0x2A, 0x83, 5}));

  HWND other = NewMap();
  Drag(other, {In(other, 30, 25)});
  Command(CMD_PASTE);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(At(other, 30 + k % 3, 25 + k / 3), block[k]) << k;
  EXPECT_EQ(Doc(other)->undoCount(), 1);
  EXPECT_EQ(Doc(other)->modified, 0);
}

// The toolbox's buttons run the same work as the menu, the toolbox owning the clipboard.
TEST_F(MapEditing, ToolboxCopyMirrorCutAndPaste) {
  TheEditor().tables.mirror.entries.clear();  // every tile mirrors as itself
  for (int c = 0; c < 3; ++c) Doc(map_)->At(10 + c, 20).tile = 3001 + c;
  Use(TOOL_SELECT);
  Drag(map_, {In(map_, 10, 20), In(map_, 12, 20)});
  auto button = [&](int command) { SendMessageA(App().toolbox, WM_COMMAND, command, 0); };
  button(TOOL_COPY);
  EXPECT_EQ(GetClipboardOwner(), App().toolbox);
  EXPECT_EQ(ClipboardBlock().size(), 14u);
  button(CMD_MIRROR_RIGHT);
  EXPECT_EQ((std::vector<int32_t>{At(map_, 13, 20).tile, At(map_, 14, 20).tile, At(map_, 15, 20).tile}),
            (std::vector<int32_t>{3003, 3002, 3001}));
  EXPECT_EQ(TheEditor().tools.mirrorDirection, 1);
  button(TOOL_CUT);
  EXPECT_EQ(At(map_, 11, 20).tile, BLANK_TILE);
  SendMessageA(map_, WM_KEYDOWN, VK_DOWN, 0);
  button(TOOL_PASTE);
  EXPECT_EQ((std::vector<int32_t>{At(map_, 10, 21).tile, At(map_, 11, 21).tile, At(map_, 12, 21).tile}),
            (std::vector<int32_t>{3001, 3002, 3003}));
  EXPECT_EQ(Doc(map_)->undoCount(), 3);
  EXPECT_EQ(TheEditor().tools.currentToolCommand, TOOL_SELECT);
}

TEST_F(MapEditing, PasteRefusesForeignAndShortBlocksAndNeedsASelection) {
  const std::vector<uint8_t> full = {'Z', 'O', 'R', '0', 0, 2, 0, 2, 0, 1, 0, 2, 0, 3, 0, 4};
  PutOnClipboard(full);
  Command(CMD_COPY);  // no selection yet: told so, the clipboard kept
  Command(CMD_PASTE);
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[1].text, StringText(IDS_NO_SELECTION));
  EXPECT_EQ(dialogs.Boxes()[1].title, "Error - Non-Fatal");
  EXPECT_EQ(ClipboardBlock(), full);

  Use(TOOL_SELECT);
  Drag(map_, {In(map_, 5, 5)});
  std::vector<uint8_t> foreign = full;
  foreign[0] = 'X';
  for (const auto& bytes : {std::vector<uint8_t>(full.begin(), full.end() - 1), foreign}) {
    PutOnClipboard(bytes);  // one byte short of its last value; not "ZOR"
    Command(CMD_PASTE);
    EXPECT_EQ(At(map_, 5, 5), CellValues{});
    EXPECT_EQ(Doc(map_)->undoCount(), 0);
  }
  PutOnClipboard(full);
  Command(CMD_PASTE);
  EXPECT_EQ((std::vector<int32_t>{At(map_, 5, 5).tile, At(map_, 6, 5).tile, At(map_, 5, 6).tile, At(map_, 6, 6).tile}),
            (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(dialogs.Boxes().size(), 2u);
}

}  // namespace
}  // namespace quarl::wintest
