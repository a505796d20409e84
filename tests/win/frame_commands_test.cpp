// The frame's menus, commands and exit sequence, driven with real messages;
// message boxes and file dialogs answered by the script.

#include <gtest/gtest.h>

#include "history/undo.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

bool Grayed(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED; }

std::string ItemText(HMENU menu, int position) {
  char text[64] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

class FrameCommands : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    TheEditor().options.shscan = 0;  // an empty map would fail the spawn check
  }
  std::string MapPath(const std::string& name) { return gameDir + "\\" + name; }
  bool ZlibLoaded() { return GetModuleHandleA((gameDir + "\\zlib.dll").c_str()) != nullptr; }
};

TEST_F(FrameCommands, PopupsTakeTheCommandStatesAlsoWhenAMaximisedMapShiftsThemAndOptionsToggle) {
  EXPECT_EQ(std::pair(Grayed(OpenPopup(0), CMD_SAVE), Grayed(OpenPopup(0), CMD_NEW)), std::pair(true, false));
  EXPECT_TRUE(GetMenuState(OpenPopup(2), CMD_AUTO_PAN, MF_BYCOMMAND) & MF_CHECKED);
  SendMessageA(App().mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(NewMap()), 0);
  EXPECT_EQ(ItemText(App().frameMenu, 1), "&File");  // the map's window menu goes in front
  EXPECT_FALSE(Grayed(OpenPopup(1), CMD_SAVE));
  for (int opening = 0; opening < 2; ++opening) {  // Help is rebuilt with one item each time
    HMENU help = OpenPopup(5);
    EXPECT_EQ(std::tuple(GetMenuItemCount(help), GetMenuItemID(help, 0), ItemText(help, 0)),
              std::tuple(1, UINT{CMD_HELP_DOCUMENT}, std::string("zormpd.rtf")));
  }
  EXPECT_TRUE(IsZoomed(NewMap()));  // a new map opens maximised while the active one is
  Command(CMD_AUTO_PAN);
  Command(CMD_FLAG_SCAN, true);  // options toggle from the menu only
  EXPECT_EQ(std::pair(TheEditor().options.winpan, TheEditor().options.flagscan), std::pair(0, 1));
  EXPECT_FALSE(GetMenuState(App().frameMenu, CMD_AUTO_PAN, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(FrameCommands, SaveAsSaveAndOpenGoThroughTheFileDialogs) {
  HWND map = NewMap();
  Doc(map)->name = "Fort";
  dialogs.AnswerFile("");
  Command(CMD_SAVE, true);  // Ctrl+S of a new map asks; cancelled, nothing happens
  dialogs.AnswerFile(MapPath("fort"));
  Command(CMD_SAVE_AS);
  EXPECT_EQ(WindowText(map), "Fort (fort.map)");
  EXPECT_FALSE(ZlibLoaded());  // bound for the save only
  ASSERT_TRUE(DeleteFileA(MapPath("fort.map").c_str()));
  Command(CMD_SAVE);
  Command(CMD_SAVE_AS, true);  // Save As has no key
  SendMessageA(map, WM_SYSCOMMAND, SC_CLOSE, 0);
  dialogs.AnswerFile(MapPath("fort.map"));
  Command(CMD_OPEN, true);  // Ctrl+O
  std::vector<std::string> seen;
  for (const SeenDialog& d : dialogs.Seen()) seen.push_back(d.title);
  EXPECT_EQ(seen, (std::vector<std::string>{"Save As...", "Save As...", "Open a map..."}));
  EXPECT_EQ(dialogs.Seen()[2].owner, Frame());
  ASSERT_EQ(TheEditor().maps.Size(), 1u);
  EXPECT_EQ(WindowText(win::ToHwnd(TheEditor().activeMapWindow)), "Fort (fort.map)");
}

TEST_F(FrameCommands, SaveWithoutAUsableZlibTellsTheUserAndWritesNothing) {
  Doc(NewMap())->path = MapPath("nozlib.map");
  ASSERT_TRUE(DeleteFileA((gameDir + "\\zlib.dll").c_str()));
  Command(CMD_SAVE);
  ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_NOT_ZLIB).c_str(), (gameDir + "\\zlib.dll").c_str(), FALSE));
  Command(CMD_SAVE);
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[0].title + ": " + dialogs.Boxes()[0].text, "Save...: Unable to find zlib.dll\nSave not possible");
  EXPECT_EQ(dialogs.Boxes()[0].owner, nullptr);
  EXPECT_EQ(dialogs.Boxes()[1].text, "Invalid zlib.dll\nSave not possible");
  EXPECT_FALSE(FileExists(MapPath("nozlib.map")));
  EXPECT_FALSE(ZlibLoaded());  // released after the attempt
}

TEST_F(FrameCommands, ExitAsksEachModifiedMapInTurnAndACancelStopsIt) {
  HWND first = NewMap(), second = NewMap(), third = NewMap();
  Doc(first)->name = "One";
  Doc(third)->name = "Three";
  Doc(first)->modified = Doc(third)->modified = 1;
  dialogs.Answer(IDCANCEL);
  dialogs.Answer(IDNO);
  Exit();
  ASSERT_EQ(dialogs.Boxes().size(), 2u);  // in list order; the unmodified map asks nothing
  EXPECT_EQ(dialogs.Boxes()[0].title + ": " + dialogs.Boxes()[0].text, "Close..: Would you like to save One?");
  EXPECT_EQ(dialogs.Boxes()[1].text, "Would you like to save Three?");
  EXPECT_TRUE(IsWindow(first) && IsWindow(Frame()) && IsWindow(App().tilePalette));
  EXPECT_FALSE(IsWindow(second) || IsWindow(third));
  EXPECT_EQ(App().stopFlag, 0);
  dialogs.Answer(IDYES);  // saves, then the frame closes
  dialogs.AnswerFile(MapPath("kept.map"));
  Exit();
  EXPECT_TRUE(FileExists(MapPath("kept.map")));
  EXPECT_EQ(std::pair(IsWindow(first), App().stopFlag), std::pair(FALSE, 1));
}

TEST_F(FrameCommands, RealKeysGoThroughTheAcceleratorTable) {
  MapDocument* doc = Doc(NewMap());
  SaveCellUndo(*doc, 7);
  doc->cells[7].tile = 3;
  PushUndoStep(*doc, 7, 1, 1, HISTORY_REGION);
  BYTE keys[256] = {};
  auto press = [&](WPARAM key, bool control) {
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg = {Frame(), WM_KEYDOWN, key, 1, 0, {}};
    return TranslateAcceleratorA(Frame(), App().accelerators, &msg) != 0;
  };
  EXPECT_TRUE(press(VK_BACK, true));  // Ctrl+Backspace undoes
  EXPECT_EQ(doc->cells[7].tile, BLANK_TILE);
  Command(CMD_REDO_KEY);  // Redo's key id from a menu does nothing
  EXPECT_EQ(doc->cells[7].tile, BLANK_TILE);
  EXPECT_TRUE(press('R', true));
  EXPECT_EQ(doc->cells[7].tile, 3);
  EXPECT_FALSE(press('R', false));
  EXPECT_TRUE(press(VK_DELETE, false));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST_F(FrameCommands, TestMapAsksThenStartsTheGameWithTeamAndFileName) {
  ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_FAKE_ZOR).c_str(), (gameDir + "\\zor.exe").c_str(), FALSE));
  HWND map = NewMap();
  Doc(map)->name = "Ring";
  for (int answer : {IDNO, IDOK, IDYES}) dialogs.Answer(answer);
  Command(CMD_TEST_MAP);
  Command(CMD_TEST_MAP);  // a map never saved has no file name
  Command(CMD_TEST_MAP, true);  // no key
  const std::string ask = "Map Test: Is Ring in " + gameDir +
                          "\\maps?\n\nNote: flags/switches do not work in offline mode. they require online mode";
  std::vector<std::string> seen;
  for (const SeenDialog& box : dialogs.Boxes()) seen.push_back(box.title + ": " + box.text);
  EXPECT_EQ(seen, (std::vector<std::string>{ask, "Map Test: Save the map in your ZOR map directory first", ask,
                                            "Test Map: Error parsing filename"}));
  // The stand-in game records its arguments and its directory.
  for (auto [team, shown] : {std::pair{TEAM_BLUE, "2"}, {TEAM_NEUTRAL, "0"}}) {
    const std::string record = gameDir + "\\zor-run.txt";
    DeleteFileA(record.c_str());
    Doc(map)->path = gameDir + "\\maps\\arena.map";
    TheEditor().tools.currentTeam = team;
    dialogs.Answer(IDYES);
    Command(CMD_TEST_MAP);
    ASSERT_TRUE(PumpUntil([&] { return ReadBytes(record).size() > 2; }, 10000));
    PumpMessages(100);
    const std::vector<uint8_t> run = ReadBytes(record);
    EXPECT_EQ(std::string(run.begin(), run.end()), std::string(shown) + " arena.map\n" + gameDir + "\n");
  }
}

}  // namespace
}  // namespace quarl::wintest
