// The frame's menus, commands and exit sequence, driven with real messages
// in a Wine session; message boxes and file dialogs answered by the script.

#include <gtest/gtest.h>

#include <fstream>

#include "app/win/startup.h"
#include "history/undo.h"
#include "quarl_session.h"
#include "resource_ids.h"

namespace quarl::wintest {
namespace {

bool Grayed(HMENU menu, int position) { return (MenuItemState(menu, position) & MF_GRAYED) != 0; }
bool Checked(HMENU menu, int position) { return (MenuItemState(menu, position) & MF_CHECKED) != 0; }

WPARAM FromAccelerator(int command) { return MAKEWPARAM(command, 1); }

class FrameCommands : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
  }
  MapDocument* Doc(HWND window) { return TheEditor().maps.FindMapDocument(win::ToWindowId(window)); }
  std::string MapPath(const std::string& name) { return gameDir + "\\" + name; }
};

// ---- menu state --------------------------------------------------------------

TEST_F(FrameCommands, MenuStateWithoutAMap) {
  HMENU file = OpenPopup(0);
  EXPECT_FALSE(Grayed(file, 0));  // New
  EXPECT_FALSE(Grayed(file, 1));  // Open
  EXPECT_TRUE(Grayed(file, 2));   // Save
  EXPECT_TRUE(Grayed(file, 3));   // Save As
  EXPECT_TRUE(Grayed(file, 5));   // Test Map
  EXPECT_FALSE(Grayed(file, 8));  // Exit

  HMENU edit = OpenPopup(1);
  for (int i = 0; i < GetMenuItemCount(edit); ++i) {
    if (!(MenuItemState(edit, i) & MF_SEPARATOR)) {
      EXPECT_TRUE(Grayed(edit, i)) << "Edit item " << i;
    }
  }
  HMENU window = OpenPopup(3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Grayed(window, i)) << "Window item " << i;

  HMENU options = OpenPopup(2);
  for (int i : {0, 1, 3, 4}) EXPECT_TRUE(Checked(options, i)) << "Options item " << i;
  TheEditor().options.flagscan = 0;
  options = OpenPopup(2);
  EXPECT_FALSE(Checked(options, 3));
  EXPECT_TRUE(Checked(options, 4));
}

TEST_F(FrameCommands, HelpMenuIsRebuiltWithOneItem) {
  for (int opening = 0; opening < 2; ++opening) {
    HMENU help = OpenPopup(4);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(MenuItemText(help, 0), "zormpd.rtf");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(CMD_HELP_DOCUMENT));
  }
}

TEST_F(FrameCommands, EditRuleFollowsTheActiveDocument) {
  HWND map = NewMap();
  ASSERT_NE(map, nullptr);
  MapDocument* doc = Doc(map);
  ASSERT_NE(doc, nullptr);

  HMENU file = OpenPopup(0);
  EXPECT_FALSE(Grayed(file, 2));
  EXPECT_FALSE(Grayed(file, 3));
  EXPECT_FALSE(Grayed(file, 5));
  HMENU window = OpenPopup(3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Grayed(window, i));

  HMENU edit = OpenPopup(1);
  EXPECT_TRUE(Grayed(edit, 0));   // Undo: nothing to undo
  EXPECT_TRUE(Grayed(edit, 1));   // Redo
  for (int i : {3, 4, 5, 6, 8}) EXPECT_TRUE(Grayed(edit, i)) << "no selection, item " << i;
  for (int i : {9, 11, 12, 14}) EXPECT_FALSE(Grayed(edit, i)) << "item " << i;

  TheEditor().ActiveView()->selectionShown = 1;
  SaveCellUndo(*doc, 0);
  doc->cells[0].tile = 9;
  PushUndoStep(*doc, 0, 1, 1, 0);
  edit = OpenPopup(1);
  EXPECT_FALSE(Grayed(edit, 0));
  EXPECT_TRUE(Grayed(edit, 1));
  for (int i : {3, 4, 5, 6, 8}) EXPECT_FALSE(Grayed(edit, i)) << "selection shown, item " << i;

  // While an overview shows a map, Overview is grayed.
  App().overviewWindow = App().toolbox;
  edit = OpenPopup(1);
  EXPECT_TRUE(Grayed(edit, 11));
  App().overviewWindow = nullptr;
}

TEST_F(FrameCommands, MaximisedMapShiftsThePopupsByOne) {
  HWND map = NewMap();
  SendMessageA(App().mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(map), 0);
  PumpMessages(20);
  // The child's window menu goes in front (Wine also adds its caption
  // buttons at the end).
  ASSERT_GT(GetMenuItemCount(FrameMenu()), 5);
  ASSERT_NE(MenuItemText(FrameMenu(), 0), "&File");
  ASSERT_EQ(MenuItemText(FrameMenu(), 1), "&File");

  HMENU file = OpenPopup(1);
  EXPECT_FALSE(Grayed(file, 2));
  HMENU options = OpenPopup(3);
  EXPECT_TRUE(Checked(options, 1));
  HMENU help = OpenPopup(5);
  EXPECT_EQ(GetMenuItemCount(help), 1);

  // A new map opens maximised while the active one is.
  HWND second = NewMap();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(IsZoomed(second));

  // The map window's own Edit popup (its "Control" menu) gets the Edit rule
  // without the active-window condition.
  HMENU control = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_CONTROL_MENU));
  HMENU controlEdit = GetSubMenu(control, 1);
  EnableMenuItem(controlEdit, 9, MF_BYPOSITION | MF_GRAYED);
  SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(controlEdit), 1);
  EXPECT_TRUE(Grayed(controlEdit, 0));
  EXPECT_FALSE(Grayed(controlEdit, 9));
  DestroyMenu(control);
}

TEST_F(FrameCommands, OptionTogglesComeFromTheMenuOnly) {
  Options& options = TheEditor().options;
  SendMessageA(Frame(), WM_COMMAND, CMD_AUTO_PAN, 0);
  EXPECT_EQ(options.winpan, 0);
  EXPECT_FALSE(GetMenuState(FrameMenu(), CMD_AUTO_PAN, MF_BYCOMMAND) & MF_CHECKED);
  SendMessageA(Frame(), WM_COMMAND, CMD_AUTO_PAN, 0);
  EXPECT_EQ(options.winpan, 1);
  EXPECT_TRUE(GetMenuState(FrameMenu(), CMD_AUTO_PAN, MF_BYCOMMAND) & MF_CHECKED);

  for (int command : {CMD_MINTRAY, CMD_FLAG_SCAN, CMD_SPAWN_SCAN}) SendMessageA(Frame(), WM_COMMAND, command, 0);
  EXPECT_EQ(options.mintray, 0);
  EXPECT_EQ(options.flagscan, 0);
  EXPECT_EQ(options.shscan, 0);

  // The same numbers from an accelerator do nothing.
  for (int command : {CMD_MINTRAY, CMD_AUTO_PAN, CMD_FLAG_SCAN, CMD_SPAWN_SCAN})
    SendMessageA(Frame(), WM_COMMAND, FromAccelerator(command), 0);
  EXPECT_EQ(options.mintray, 0);
  EXPECT_EQ(options.winpan, 1);
  EXPECT_EQ(options.flagscan, 0);
}

// ---- New, Save, Save As, Open ---------------------------------------------------

TEST_F(FrameCommands, NewMakesAnUntitledActiveMapWindow) {
  HWND map = NewMap();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(GetParent(map), App().mdiClient);
  EXPECT_EQ(WindowText(map), "Untitled");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(App().mdiClient, WM_MDIGETACTIVE, 0, 0)), map);
  MapDocument* doc = Doc(map);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->name, "Untitled");
  EXPECT_TRUE(doc->path.empty());
  HWND second = NewMap();
  EXPECT_NE(second, map);
  EXPECT_EQ(TheEditor().maps.Size(), 2u);
  EXPECT_EQ(MapWindows(), (std::vector<HWND>{map, second}));
}

TEST_F(FrameCommands, SaveAsAddsTheExtensionAndTitlesTheWindow) {
  TheEditor().options.shscan = 0;  // an empty map would fail the spawn check
  HWND map = NewMap();
  MapDocument* doc = Doc(map);
  doc->name = "Arena";
  doc->modified = 1;
  dialogs.AnswerFile(MapPath("arena"));
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE_AS, 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_TRUE(dialogs.Seen()[0].fileDialog);
  EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");
  EXPECT_EQ(doc->path, MapPath("arena.map"));
  EXPECT_TRUE(FileExists(MapPath("arena.map")));
  EXPECT_FALSE(FileExists(MapPath("arena")));
  EXPECT_EQ(doc->modified, 0);
  EXPECT_EQ(WindowText(map), "Arena (arena.map)");
  EXPECT_EQ(GetModuleHandleA((gameDir + "\\zlib.dll").c_str()), nullptr);  // bound for the save only

  // A name already ending in ".MAP" is kept as it is.
  dialogs.AnswerFile(MapPath("BIG.MAP"));
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE_AS, 0);
  EXPECT_EQ(doc->path, MapPath("BIG.MAP"));
  EXPECT_EQ(WindowText(map), "Arena (BIG.MAP)");

  // Save of a named map asks nothing and rewrites its file.
  DeleteFileA(MapPath("BIG.MAP").c_str());
  dialogs.Clear();
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE, 0);
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_TRUE(FileExists(MapPath("BIG.MAP")));
}

TEST_F(FrameCommands, SaveOfANewMapAsksForANameAndCancelWritesNothing) {
  HWND map = NewMap();
  dialogs.AnswerFile("");
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE, 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Save As...");
  EXPECT_TRUE(Doc(map)->path.empty());
  EXPECT_EQ(WindowText(map), "Untitled");

  // Ctrl+S is Save too; Save As has no key.
  dialogs.Clear();
  dialogs.AnswerFile(MapPath("keyed.map"));
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_SAVE), 0);
  EXPECT_TRUE(FileExists(MapPath("keyed.map")));
  dialogs.Clear();
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_SAVE_AS), 0);
  EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(FrameCommands, OpenShowsTheDialogAndLoadsTheMap) {
  ASSERT_TRUE(WriteMap(MapPath("fort.map"), "Fort"));
  dialogs.AnswerFile(MapPath("fort.map"));
  SendMessageA(Frame(), WM_COMMAND, CMD_OPEN, 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Open a map...");
  EXPECT_EQ(dialogs.Seen()[0].owner, Frame());
  HWND map = win::ToHwnd(TheEditor().activeMapWindow);
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(WindowText(map), "Fort (fort.map)");
  MapDocument* doc = Doc(map);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->name, "Fort");
  EXPECT_EQ(doc->At(3, 4).tile, 77);
  EXPECT_EQ(doc->path, MapPath("fort.map"));

  // Cancelled: nothing opens. Ctrl+O shows the same dialog.
  dialogs.Clear();
  dialogs.AnswerFile("");
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_OPEN), 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Open a map...");
  EXPECT_EQ(TheEditor().maps.Size(), 1u);
}

TEST_F(FrameCommands, SaveWithoutZlibTellsTheUser) {
  HWND map = NewMap();
  Doc(map)->path = MapPath("nozlib.map");
  ASSERT_TRUE(DeleteFileA((gameDir + "\\zlib.dll").c_str()));
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE, 0);
  auto boxes = dialogs.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Save...");
  EXPECT_EQ(boxes[0].text, "Unable to find zlib.dll\nSave not possible");
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_FALSE(FileExists(MapPath("nozlib.map")));
}

TEST_F(FrameCommands, SaveWithAZlibLackingCompress2IsRefused) {
  HWND map = NewMap();
  Doc(map)->path = MapPath("badzlib.map");
  ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_NOT_ZLIB).c_str(), (gameDir + "\\zlib.dll").c_str(), FALSE));
  SendMessageA(Frame(), WM_COMMAND, CMD_SAVE, 0);
  auto boxes = dialogs.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Save...");
  EXPECT_EQ(boxes[0].text, "Invalid zlib.dll\nSave not possible");
  EXPECT_FALSE(FileExists(MapPath("badzlib.map")));
  // The library is released after the attempt.
  EXPECT_EQ(GetModuleHandleA((gameDir + "\\zlib.dll").c_str()), nullptr);
}

// ---- exit sequence ----------------------------------------------------------------

TEST_F(FrameCommands, ExitWithTwoModifiedMapsCancelFirstAcceptSecond) {
  HWND first = NewMap();
  HWND second = NewMap();
  Doc(first)->modified = 1;
  Doc(first)->name = "One";
  Doc(second)->modified = 1;
  Doc(second)->name = "Two";
  dialogs.Answer(IDCANCEL);
  dialogs.Answer(IDNO);
  Exit();
  PumpMessages(30);
  auto boxes = dialogs.Boxes();
  ASSERT_EQ(boxes.size(), 2u);  // each map asked once, in list order
  EXPECT_EQ(boxes[0].title, "Close..");
  EXPECT_EQ(boxes[0].text, "Would you like to save One?");
  EXPECT_EQ(boxes[1].text, "Would you like to save Two?");
  EXPECT_TRUE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_TRUE(IsWindow(Frame()));
  EXPECT_EQ(App().stopFlag, 0);
  EXPECT_EQ(App().exitAllowed, 0);
  EXPECT_EQ(TheEditor().maps.Size(), 1u);
  EXPECT_TRUE(IsWindow(App().tilePalette));

  // Asked again, the remaining map may go: the frame closes.
  dialogs.Answer(IDNO);
  Exit();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(App().stopFlag, 1);
  EXPECT_TRUE(TheEditor().maps.Empty());
}

TEST_F(FrameCommands, ExitSavesWhenTheUserSaysYes) {
  TheEditor().options.shscan = 0;
  HWND map = NewMap();
  Doc(map)->modified = 1;
  dialogs.Answer(IDYES);
  dialogs.AnswerFile(MapPath("kept.map"));
  Exit();
  ASSERT_EQ(dialogs.Seen().size(), 2u);
  EXPECT_TRUE(dialogs.Seen()[1].fileDialog);
  EXPECT_TRUE(FileExists(MapPath("kept.map")));
  EXPECT_EQ(App().stopFlag, 1);
}

TEST_F(FrameCommands, ExitWithNoMapsClosesAtOnce) {
  HWND frame = Frame();
  Exit();
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(App().stopFlag, 1);
  // The main loop then ends at once.
  win::RunMainLoop();
}

TEST_F(FrameCommands, UnmodifiedMapsCloseWithoutQuestions) {
  HWND map = NewMap();
  SendMessageA(Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_FALSE(IsWindow(map));
  EXPECT_EQ(App().stopFlag, 1);
}

// ---- accelerators and menu sources --------------------------------------------------

TEST_F(FrameCommands, RedoByCtrlRAndByTheMenuUndoByBoth) {
  HWND map = NewMap();
  MapDocument* doc = Doc(map);
  SaveCellUndo(*doc, 5);
  doc->cells[5].tile = 42;
  PushUndoStep(*doc, 5, 1, 1, 0);

  SendMessageA(Frame(), WM_COMMAND, CMD_UNDO, 0);  // Edit > Undo
  EXPECT_EQ(doc->cells[5].tile, BLANK_TILE);
  EXPECT_EQ(doc->redoCount(), 1);

  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_REDO), 0);  // no key sends 50008
  SendMessageA(Frame(), WM_COMMAND, CMD_REDO_KEY, 0);               // 50009 from a menu
  EXPECT_EQ(doc->cells[5].tile, BLANK_TILE);

  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_REDO_KEY), 0);  // Ctrl+R
  EXPECT_EQ(doc->cells[5].tile, 42);
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_UNDO), 0);  // Ctrl+Z
  EXPECT_EQ(doc->cells[5].tile, BLANK_TILE);
  SendMessageA(Frame(), WM_COMMAND, CMD_REDO, 0);  // Edit > Redo
  EXPECT_EQ(doc->cells[5].tile, 42);

  // Exit and the window arrangement have no keys.
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_EXIT), 0);
  EXPECT_TRUE(IsWindow(Frame()));
}

TEST_F(FrameCommands, RealKeysGoThroughTheAcceleratorTable) {
  HWND map = NewMap();
  MapDocument* doc = Doc(map);
  SaveCellUndo(*doc, 7);
  doc->cells[7].tile = 3;
  PushUndoStep(*doc, 7, 1, 1, 0);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  auto press = [&](WPARAM key, bool control) {
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg = {};
    msg.hwnd = Frame();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    return TranslateAcceleratorA(Frame(), App().accelerators, &msg) != 0;
  };
  EXPECT_TRUE(press(VK_BACK, true));  // Ctrl+Backspace undoes
  EXPECT_EQ(doc->cells[7].tile, BLANK_TILE);
  EXPECT_TRUE(press('R', true));
  EXPECT_EQ(doc->cells[7].tile, 3);
  EXPECT_FALSE(press('R', false));  // plain R is no accelerator
  EXPECT_TRUE(press(VK_DELETE, false));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST_F(FrameCommands, WindowArrangementCommands) {
  HWND first = NewMap();
  HWND second = NewMap();
  SendMessageA(Frame(), WM_COMMAND, CMD_TILE_VERTICAL, 0);
  RECT a, b;
  GetWindowRect(first, &a);
  GetWindowRect(second, &b);
  EXPECT_EQ(a.top, b.top);
  EXPECT_NE(a.left, b.left);
  SendMessageA(Frame(), WM_COMMAND, CMD_TILE_HORIZONTAL, 0);
  GetWindowRect(first, &a);
  GetWindowRect(second, &b);
  EXPECT_EQ(a.left, b.left);
  EXPECT_NE(a.top, b.top);
  SendMessageA(Frame(), WM_COMMAND, CMD_CASCADE, 0);
  GetWindowRect(first, &a);
  GetWindowRect(second, &b);
  EXPECT_NE(a.left, b.left);
  EXPECT_NE(a.top, b.top);
}

// ---- Test Map -------------------------------------------------------------------

class TestMapCommand : public FrameCommands {
 protected:
  void SetUp() override {
    FrameCommands::SetUp();
    ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_FAKE_ZOR).c_str(), (gameDir + "\\zor.exe").c_str(), FALSE));
  }
  // What the stand-in game recorded: its arguments and working directory.
  std::vector<std::string> GameRun() {
    std::string file = gameDir + "\\zor-run.txt";
    PumpUntil([&] { return FileExists(file) && ReadBytes(file).size() > 2; }, 10000);
    PumpMessages(100);
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(TestMapCommand, NoAsksToSaveInTheMapsDirectoryFirst) {
  HWND map = NewMap();
  Doc(map)->name = "Ring";
  dialogs.Answer(IDNO);
  SendMessageA(Frame(), WM_COMMAND, CMD_TEST_MAP, 0);
  auto boxes = dialogs.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title, "Map Test");
  EXPECT_EQ(boxes[0].text, "Is Ring in " + gameDir +
                               "\\maps?\n\nNote: flags/switches do not work in offline mode. they require online mode");
  EXPECT_EQ(boxes[1].title, "Map Test");
  EXPECT_EQ(boxes[1].text, "Save the map in your ZOR map directory first");
}

TEST_F(TestMapCommand, AMapNeverSavedCannotBeTested) {
  NewMap();
  dialogs.Answer(IDYES);
  SendMessageA(Frame(), WM_COMMAND, CMD_TEST_MAP, 0);
  auto boxes = dialogs.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, "Test Map");
  EXPECT_EQ(boxes[1].text, "Error parsing filename");
  EXPECT_FALSE(FileExists(gameDir + "\\zor-run.txt"));
}

TEST_F(TestMapCommand, StartsTheGameWithTeamAndFileName) {
  HWND map = NewMap();
  Doc(map)->path = gameDir + "\\maps\\arena.map";
  TheEditor().tools.currentTeam = TEAM_BLUE;
  dialogs.Answer(IDYES);
  SendMessageA(Frame(), WM_COMMAND, CMD_TEST_MAP, 0);
  auto run = GameRun();
  ASSERT_EQ(run.size(), 2u);
  EXPECT_EQ(run[0], "2 arena.map");
  EXPECT_EQ(run[1], gameDir);
  EXPECT_EQ(dialogs.Boxes().size(), 1u);
}

TEST_F(TestMapCommand, NeutralIsPassedAsTeamZero) {
  HWND map = NewMap();
  Doc(map)->path = gameDir + "\\maps\\arena.map";
  TheEditor().tools.currentTeam = TEAM_NEUTRAL;
  dialogs.Answer(IDYES);
  SendMessageA(Frame(), WM_COMMAND, CMD_TEST_MAP, 0);
  auto run = GameRun();
  ASSERT_FALSE(run.empty());
  EXPECT_EQ(run[0], "0 arena.map");
}

TEST_F(TestMapCommand, HasNoAccelerator) {
  HWND map = NewMap();
  Doc(map)->path = gameDir + "\\maps\\arena.map";
  SendMessageA(Frame(), WM_COMMAND, FromAccelerator(CMD_TEST_MAP), 0);
  EXPECT_TRUE(dialogs.Seen().empty());
}

}  // namespace
}  // namespace quarl::wintest
