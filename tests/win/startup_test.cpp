// Start-up and shutdown through the program's own path, in a real Wine
// session: what the frame and its tool windows look like, and the start-up
// messages.

#include <gtest/gtest.h>

#include "test_support.h"

#include <commctrl.h>

#include "base/string_table.h"
#include "app/update_list.h"
#include "app/win/frame_window.h"
#include "app/win/startup.h"
#include "app/win/info_panel.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

RECT RectInFrame(HWND child, HWND frame) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void ExpectPlaced(HWND child, HWND frame, const win::Placement& p, const char* what) {
  ASSERT_NE(child, nullptr) << what;
  RECT rc = RectInFrame(child, frame);
  EXPECT_EQ(rc.left, p.x) << what;
  EXPECT_EQ(rc.top, p.y) << what;
  EXPECT_EQ(rc.right - rc.left, p.width) << what;
  EXPECT_EQ(rc.bottom - rc.top, p.height) << what;
  EXPECT_TRUE(IsWindowVisible(child)) << what;
}

using Startup = QuarlSession;

TEST_F(Startup, CreatesTheFrameAndItsToolWindowsAtTheirPlaces) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(dialogs.Seen().empty());
  EXPECT_EQ(App().stopFlag, 0);
  HWND frame = Frame();
  ASSERT_TRUE(IsWindow(frame));
  EXPECT_EQ(ClassOf(frame), "zormaped");
  EXPECT_EQ(WindowText(frame), "Quarl");
  RECT wr;
  GetWindowRect(frame, &wr);
  EXPECT_EQ(wr.right - wr.left, 800);
  EXPECT_EQ(wr.bottom - wr.top, 512);
  EXPECT_EQ(GetMenu(frame), FrameMenu());

  EXPECT_EQ(ClassOf(App().mdiClient), "MDIClient");
  EXPECT_EQ(ClassOf(App().tilePalette), "zortiles");
  EXPECT_EQ(ClassOf(App().animationPalette), "anims");
  EXPECT_EQ(WindowText(App().animationPalette), "Animations");
  EXPECT_EQ(ClassOf(App().toolbox), "zortoolbox");
  EXPECT_EQ(ClassOf(App().infoPanel), "zorinfo");

  RECT client;
  GetClientRect(frame, &client);
  auto layout = win::ComputeFrameLayout(client.right, client.bottom, true);
  ExpectPlaced(App().mdiClient, frame, layout.mdiClient, "MDI client");
  ExpectPlaced(App().animationPalette, frame, layout.animationPalette, "animation palette");
  ExpectPlaced(App().toolbox, frame, layout.toolbox, "toolbox");
  ExpectPlaced(App().infoPanel, frame, layout.infoPanel, "info panel");
  ExpectPlaced(App().tilePalette, frame, layout.tilePalette, "tile palette");
  // The numbers themselves, for this client size.
  EXPECT_EQ(layout.mdiClient.x, 130);
  EXPECT_EQ(layout.mdiClient.width, client.right - 260);
  EXPECT_EQ(layout.tilePalette.y, client.bottom - 80);

  // Start-up state: the program directory is the one of the command line,
  // the animations are read, the tool state is the Edit tool and Green.
  EXPECT_EQ(TheEditor().programDirectory, gameDir);
  EXPECT_EQ(TheEditor().animations.Size(), 3u);
  EXPECT_EQ(TheEditor().tools.currentToolCommand, 500);
  EXPECT_EQ(IsDlgButtonChecked(App().infoPanel, 107), BST_CHECKED);
  for (int id = 102; id <= 111; ++id) {
    if (id != 106) {
      EXPECT_NE(GetDlgItem(App().infoPanel, id), nullptr) << id;
    }
  }
}

TEST_F(Startup, HorizontalToolboxLayoutAndMinimumSize) {
  ASSERT_TRUE(Start());
  TheEditor().options.toolbox = 0;
  RECT client;
  GetClientRect(Frame(), &client);
  SendMessageA(Frame(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  auto layout = win::ComputeFrameLayout(client.right, client.bottom, false);
  EXPECT_EQ(layout.toolbox.width, client.right);
  EXPECT_EQ(layout.mdiClient.y, 36);
  EXPECT_EQ(layout.mdiClient.height, client.bottom - 118);
  ExpectPlaced(App().mdiClient, Frame(), layout.mdiClient, "MDI client");
  ExpectPlaced(App().toolbox, Frame(), layout.toolbox, "toolbox");
  ExpectPlaced(App().infoPanel, Frame(), layout.infoPanel, "info panel");
  ExpectPlaced(App().animationPalette, Frame(), layout.animationPalette, "animation palette");

  // Shrinking below 800 x 512 is refused.
  SetWindowPos(Frame(), nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
  MINMAXINFO info = {};
  SendMessageA(Frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 800);
  EXPECT_EQ(info.ptMinTrackSize.y, 512);
}

TEST_F(Startup, TilePaletteShowsTheSheetAndToolboxItsPicture) {
  ASSERT_TRUE(Start());
  Pixels tiles = ReadClientPixels(App().tilePalette);
  ASSERT_GT(tiles.width, 100);
  ASSERT_GT(tiles.height, 40);
  // Top-left pixel of tiles 0, 1, 5 and 40 (the second sheet row).
  EXPECT_EQ(tiles.At(0, 0), TestSheetColour(0));
  EXPECT_EQ(tiles.At(17, 3), TestSheetColour(1));
  EXPECT_EQ(tiles.At(5 * 16 + 8, 8), TestSheetColour(5));
  EXPECT_EQ(tiles.At(2, 16 + 2), TestSheetColour(40));

  // Scrolling down a line shows the next sheet row at the top.
  SendMessageA(App().tilePalette, WM_VSCROLL, SB_LINEDOWN, 0);
  tiles = ReadClientPixels(App().tilePalette);
  EXPECT_EQ(tiles.At(2, 2), TestSheetColour(40));

  // The toolbox marks the current tool (Edit) with a sunken frame: black
  // along its top at (0, 3).
  Pixels toolbox = ReadClientPixels(App().toolbox);
  EXPECT_EQ(toolbox.At(10, 3), RGB(0, 0, 0));
  EXPECT_EQ(toolbox.At(1, 10), RGB(128, 128, 128));

  // Picking the Select tool moves the mark to the second button.
  SendMessageA(App().toolbox, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
  EXPECT_EQ(TheEditor().tools.currentTool, TOOL_SELECT);
  EXPECT_EQ(TheEditor().tools.currentToolCommand, 501);
  toolbox = ReadClientPixels(App().toolbox);
  EXPECT_EQ(toolbox.At(42, 3), RGB(0, 0, 0));
  EXPECT_NE(toolbox.At(10, 3), RGB(0, 0, 0));
}

TEST_F(Startup, ToolboxButtonsHaveTheirTooltips) {
  ASSERT_TRUE(Start());
  HWND tips = nullptr;
  for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
       w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
    if (SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) > 0) tips = w;  // popups are owned by the frame
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 17);
  auto tool = [&](int id, RECT* rect) {
    char text[80] = {};
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = App().toolbox;
    info.uId = static_cast<UINT_PTR>(id);
    info.lpszText = text;
    SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    if (rect) *rect = info.rect;
    return std::string(text);
  };
  RECT rect;
  EXPECT_EQ(tool(500, nullptr), "Edit");
  EXPECT_EQ(tool(508, nullptr), "Flag Pole Dropper");
  EXPECT_EQ(tool(516, &rect), "Conveyor");
  EXPECT_EQ(rect.left, 0);  // button 16: row 4, column 0 of the vertical layout
  EXPECT_EQ(rect.top, 128);

  // The horizontal layout puts the buttons in one row.
  TheEditor().options.toolbox = 0;
  RECT client;
  GetClientRect(Frame(), &client);
  SendMessageA(Frame(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 17);
  tool(516, &rect);
  EXPECT_EQ(rect.left, 16 * 32);
  EXPECT_EQ(rect.top, 0);
}

TEST_F(Startup, AnimationPaletteDrawsEachAnimationsFrames) {
  ASSERT_TRUE(Start());
  Pixels anims = ReadClientPixels(App().animationPalette);
  EXPECT_EQ(anims.At(2, 2), TestSheetColour(10));   // animation 0, frame 0
  EXPECT_EQ(anims.At(18, 2), TestSheetColour(11));  // animation 0, frame 1
  EXPECT_EQ(anims.At(2, 34), TestSheetColour(5));   // animation 2, bit 15 dropped
  EXPECT_NE(anims.At(34, 18), TestSheetColour(12)); // animation 1 ended at its zero slot
}

TEST_F(Startup, MissingTileSheetIsFatal) {
  ASSERT_TRUE(DeleteFileA((gameDir + "\\tiles.bmp").c_str()));
  EXPECT_FALSE(Start());
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Error - Fatal");
  EXPECT_EQ(dialogs.Seen()[0].text, StringText(IDS_NO_TILES_BMP));
  EXPECT_EQ(FindWindowA("zormaped", nullptr), nullptr);
}

TEST_F(Startup, UnreadableTileSheetIsFatalToo) {
  std::vector<uint8_t> sheet = MakeTestTileSheet();
  sheet.resize(100);  // cut inside the colour table
  ASSERT_TRUE(WriteBytes(gameDir + "\\tiles.bmp", sheet));
  EXPECT_FALSE(Start());
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Error - Fatal");
  EXPECT_EQ(dialogs.Seen()[0].text.rfind("tiles.bmp is not a bitmap Quarl can read:\n", 0), 0u)
      << dialogs.Seen()[0].text;
  EXPECT_EQ(FindWindowA("zormaped", nullptr), nullptr);
}

TEST_F(Startup, MissingAnimationsStopAfterStartUp) {
  ASSERT_TRUE(DeleteFileA((gameDir + "\\anims.dat").c_str()));
  ASSERT_TRUE(Start());
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Error - Fatal");
  EXPECT_EQ(dialogs.Seen()[0].text, StringText(IDS_NO_ANIMS_DAT));
  EXPECT_EQ(App().stopFlag, 1);
  // The loop ends on its first pass.
  win::RunMainLoop();
}

TEST_F(Startup, MissingMirrorRotateDataIsReportedAndWrittenAtShutdown) {
  ASSERT_TRUE(DeleteFileA((gameDir + "\\mrdata.dat").c_str()));
  ASSERT_TRUE(Start());
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Error - Non-Fatal");
  EXPECT_EQ(dialogs.Seen()[0].text, StringText(IDS_NO_MRDATA));
  Exit();
  win::RunMainLoop();
  win::ShutDownQuarl();
  EXPECT_TRUE(FileExists(gameDir + "\\mrdata.dat"));
}

TEST_F(Startup, TileSheetIsLookedForInTheStartDirectoryAndDataInTheProgramDirectory) {
  // Started from another directory: tiles.bmp must be there; the program
  // directory still comes from the command line.
  std::string elsewhere = gameDir + "\\elsewhere";
  CreateDirectoryA(elsewhere.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(elsewhere + "\\tiles.bmp", MakeTestTileSheet()));
  SetCurrentDirectoryA(elsewhere.c_str());
  std::string commandLine = "\"" + gameDir + "\\quarl.exe\"";
  ASSERT_TRUE(win::StartQuarl(GetModuleHandleA(nullptr), commandLine, ""));
  EXPECT_EQ(TheEditor().programDirectory, gameDir);
  EXPECT_EQ(TheEditor().animations.Size(), 3u);  // read from the program directory
  win::ShutDownQuarl();
  DeleteFileA((elsewhere + "\\tiles.bmp").c_str());
  RemoveDirectoryA(elsewhere.c_str());
}

TEST_F(Startup, RunsTheUpdateListBeforeTheFrameExists) {
  ASSERT_TRUE(WriteBytes(gameDir + "\\fresh.bin", {1, 2, 3}));
  ASSERT_TRUE(WriteBytes(gameDir + "\\plovnik.upd", FormatUpdateList({{"fresh.bin", "installed.bin"}})));
  ASSERT_TRUE(Start());
  EXPECT_EQ(ReadBytes(gameDir + "\\installed.bin"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(FileExists(gameDir + "\\fresh.bin"));
  EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(Startup, InfoPanelTeamsUseAnimAndOffset) {
  ASSERT_TRUE(Start());
  HWND panel = App().infoPanel;
  ToolState& tools = TheEditor().tools;
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(109, BN_CLICKED), 0);  // Blue
  EXPECT_EQ(tools.currentTeam, TEAM_BLUE);
  EXPECT_EQ(IsDlgButtonChecked(panel, 109), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(panel, 107), BST_UNCHECKED);

  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(104, BN_CLICKED), 0);
  EXPECT_EQ(tools.animationMode, 1);
  EXPECT_EQ(IsDlgButtonChecked(panel, 104), BST_CHECKED);
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(104, BN_CLICKED), 0);
  EXPECT_EQ(tools.animationMode, 0);
  EXPECT_EQ(IsDlgButtonChecked(panel, 104), BST_UNCHECKED);

  // Typing 200 into the animation offset turns it into 127.
  SetDlgItemTextA(panel, 102, "200");
  char text[16] = {};
  GetDlgItemTextA(panel, 102, text, sizeof text);
  EXPECT_STREQ(text, "127");
  SetDlgItemTextA(panel, 102, "");
  GetDlgItemTextA(panel, 102, text, sizeof text);
  EXPECT_STREQ(text, "");

  // Neutral while the Flag Pole Dropper is current switches to the Flag Dropper.
  tools.currentTool = TOOL_FLAG_POLE;
  tools.currentToolCommand = TOOL_FLAG_POLE;
  SendMessageA(panel, WM_COMMAND, MAKEWPARAM(111, BN_CLICKED), 0);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].title, "Quick Info");
  EXPECT_EQ(dialogs.Seen()[0].text,
            "You are unable to place Neutral Flag poles.\nAutomatically switching to Flag Tool");
  EXPECT_EQ(tools.currentTool, TOOL_FLAG);
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);
  EXPECT_EQ(tools.currentTeam, TEAM_NEUTRAL);
  EXPECT_EQ(IsDlgButtonChecked(panel, 111), BST_CHECKED);

  // Moving over the tile palette shows the tile number under the pointer.
  SendMessageA(App().tilePalette, WM_MOUSEMOVE, 0, MAKELPARAM(3 * 16 + 2, 16 + 5));
  GetDlgItemTextA(panel, 103, text, sizeof text);
  EXPECT_STREQ(text, "43");
}

}  // namespace
}  // namespace quarl::wintest
