// Start-up and shutdown through the program's own path: the frame and its
// tool windows, and the start-up messages.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/update_list.h"
#include "app/win/frame_window.h"
#include "app/win/startup.h"
#include "app/win/info_panel.h"
#include "base/string_table.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

// Each tool window sits where the layout for the frame's client size puts it.
void ExpectLaidOut(HWND frame, bool verticalToolbox) {
  RECT client;
  GetClientRect(frame, &client);
  SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  const win::FrameLayout layout = win::ComputeFrameLayout(client.right, client.bottom, verticalToolbox);
  const win::AppGlobals& app = win::App();
  for (auto [window, p] : {std::pair{app.mdiClient, layout.mdiClient}, {app.animationPalette, layout.animationPalette},
                           {app.toolbox, layout.toolbox}, {app.infoPanel, layout.infoPanel},
                           {app.tilePalette, layout.tilePalette}}) {
    RECT rc;
    GetWindowRect(window, &rc);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
    const RECT want{p.x, p.y, p.x + p.width, p.y + p.height};
    EXPECT_TRUE(EqualRect(&rc, &want)) << "at " << rc.left << "," << rc.top << " to " << rc.right << "," << rc.bottom;
  }
  EXPECT_EQ(layout.mdiClient.x, 130);
  EXPECT_EQ(layout.mdiClient.width, client.right - 260);
  EXPECT_EQ(layout.tilePalette.y, client.bottom - 80);
  EXPECT_EQ(layout.mdiClient.y, verticalToolbox ? 0 : 36);
}

using Startup = QuarlSession;

TEST_F(Startup, CreatesTheFrameAndItsToolWindowsAtTheirPlaces) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_EQ(FindWindowA("zormaped", "Quarl"), Frame());
  RECT wr;
  GetWindowRect(Frame(), &wr);
  MINMAXINFO info = {};
  SendMessageA(Frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ((std::vector<LONG>{wr.right - wr.left, wr.bottom - wr.top, info.ptMinTrackSize.x, info.ptMinTrackSize.y}),
            (std::vector<LONG>{800, 512, 800, 512}));  // its size, and the smallest it can be made
  EXPECT_EQ(WindowText(App().animationPalette), "Animations");
  ExpectLaidOut(Frame(), true);
  TheEditor().options.toolbox = 0;
  ExpectLaidOut(Frame(), false);
  EXPECT_EQ(TheEditor().programDirectory, gameDir);
  EXPECT_EQ(TheEditor().animations.Size(), 3u);
}

TEST_F(Startup, PalettesShowTheSheetAndTheToolboxItsToolsAndTips) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(GrabClient(App().tilePalette).At(17, 3), SheetColour(1, 1, 3));
  SendMessageA(App().tilePalette, WM_VSCROLL, SB_LINEDOWN, 0);  // the sheet's next row at the top
  EXPECT_EQ(GrabClient(App().tilePalette).At(2, 15), SheetColour(40, 2, 15));
  const Pixels anims = GrabClient(App().animationPalette);
  EXPECT_EQ(anims.At(34, 2), SheetColour(10, 2, 2));   // animation 0, frame 0 (frames from x = 32)
  EXPECT_EQ(anims.At(50, 2), SheetColour(11, 2, 2));   // animation 0, frame 1
  EXPECT_EQ(anims.At(34, 34), SheetColour(5, 2, 2));   // animation 2, bit 15 dropped
  EXPECT_NE(anims.At(66, 18), SheetColour(12, 2, 2));  // animation 1 ended at its zero slot
  // The toolbox marks the current tool with a sunken frame; picking Select moves it.
  EXPECT_EQ(GrabClient(App().toolbox).At(10, 3), RGB(0, 0, 0));
  SendMessageA(App().toolbox, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
  EXPECT_EQ(TheEditor().tools.currentToolCommand, TOOL_SELECT);
  EXPECT_EQ(GrabClient(App().toolbox).At(42, 3), RGB(0, 0, 0));
  EXPECT_NE(GrabClient(App().toolbox).At(10, 3), RGB(0, 0, 0));
  HWND tips = nullptr;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr));)
    if (SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) == 17) tips = w;
  ASSERT_NE(tips, nullptr);
  for (auto [id, name] : {std::pair{500, "Edit"}, {508, "Flag Pole Dropper"}, {516, "Conveyor"}}) {
    char text[80] = {};
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool, tool.hwnd = App().toolbox, tool.uId = static_cast<UINT_PTR>(id), tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, name);
  }
}

TEST_F(Startup, MissingOrDamagedDataFilesAreReported) {
  const struct {
    const char* file;
    bool cut, starts;
    std::string title, text;
  } cases[] = {
      {"tiles.bmp", false, false, "Error - Fatal", StringText(IDS_NO_TILES_BMP)},
      {"tiles.bmp", true, false, "Error - Fatal", "tiles.bmp is not a bitmap Quarl can read:\n"},
      {"anims.dat", false, true, "Error - Fatal", StringText(IDS_NO_ANIMS_DAT)},
      {"mrdata.dat", false, true, "Error - Non-Fatal", StringText(IDS_NO_MRDATA)},
  };
  SetCurrentDirectoryA(gameDir.c_str());  // tiles.bmp is looked for there
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string path = gameDir + "\\" + c.file;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_TRUE(c.cut ? WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100)) : DeleteFileA(path.c_str()));
    dialogs.Clear();
    EXPECT_EQ(win::StartQuarl(GetModuleHandleA(nullptr), "\"" + gameDir + "\\quarl.exe\"", ""), c.starts);
    ASSERT_EQ(dialogs.Seen().size(), 1u);
    EXPECT_EQ(dialogs.Seen()[0].title, c.title);
    EXPECT_EQ(dialogs.Seen()[0].text.substr(0, c.text.size()), c.text);
    EXPECT_EQ(FindWindowA("zormaped", nullptr) != nullptr, c.starts);
    // No anims.dat stops the program after start-up; shutdown writes mrdata.dat.
    EXPECT_EQ(c.starts && App().stopFlag, c.file[0] == 'a');
    if (c.starts) win::ShutDownQuarl();
    EXPECT_EQ(FileExists(path), c.cut || c.file[0] == 'm');
    WriteBytes(path, bytes);
  }
}

TEST_F(Startup, RunsTheUpdateListAndTheInfoPanelSetsTheToolState) {
  ASSERT_TRUE(WriteBytes(gameDir + "\\fresh.bin", {1, 2, 3}));
  ASSERT_TRUE(WriteBytes(gameDir + "\\plovnik.upd", FormatUpdateList({{"fresh.bin", "installed.bin"}})));
  ASSERT_TRUE(Start());
  EXPECT_EQ(ReadBytes(gameDir + "\\installed.bin"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(FileExists(gameDir + "\\fresh.bin"));

  HWND panel = App().infoPanel;
  ToolState& tools = TheEditor().tools;
  EXPECT_EQ(IsDlgButtonChecked(panel, 107), BST_CHECKED);  // Green
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(109, BN_CLICKED), 0);
  EXPECT_EQ(tools.currentTeam, TEAM_BLUE);
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(104, BN_CLICKED), 0);
  EXPECT_EQ(tools.animationMode, 1);
  char text[16] = {};
  SetDlgItemTextA(panel, 102, "200");  // the animation offset stops at 127
  GetDlgItemTextA(panel, 102, text, sizeof text);
  EXPECT_STREQ(text, "127");
  // Neutral while the Flag Pole Dropper is current switches to the Flag Dropper.
  tools.currentTool = TOOL_FLAG_POLE;
  tools.currentToolCommand = TOOL_FLAG_POLE;
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(111, BN_CLICKED), 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Quick Info");
  EXPECT_EQ(dialogs.Seen()[0].text, "You are unable to place Neutral Flag poles.\nAutomatically switching to Flag Tool");
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);
  EXPECT_EQ(tools.currentTeam, TEAM_NEUTRAL);
  SendMessageA(App().tilePalette, WM_MOUSEMOVE, 0, MAKELPARAM(3 * 16 + 2, 16 + 5));  // the tile under the pointer
  GetDlgItemTextA(panel, 103, text, sizeof text);
  EXPECT_STREQ(text, "43");
}

}  // namespace
}  // namespace quarl::wintest
