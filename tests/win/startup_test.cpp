// Start-up and shutdown through the program's own path: the frame and its
// tool windows, and the start-up messages.

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/update_list.h"
#include "app/win/frame_window.h"
#include "app/win/startup.h"
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
    const RECT rc = PlacedRect(window);
    EXPECT_EQ((std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom}),
              (std::vector<LONG>{p.x, p.y, p.x + p.width, p.y + p.height}));
  }
  EXPECT_EQ((std::vector{layout.mdiClient.x, layout.mdiClient.y, layout.mdiClient.width, layout.tilePalette.y}),
            (std::vector{130, verticalToolbox ? 0 : 36, int(client.right) - 260, int(client.bottom) - 80}));
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
  ExpectLaidOut(Frame(), true);
  TheEditor().options.toolbox = 0;
  ExpectLaidOut(Frame(), false);
  EXPECT_EQ(TheEditor().programDirectory, gameDir);
  EXPECT_EQ(TheEditor().animations.Size(), 3u);
  EXPECT_EQ(GrabClient(App().tilePalette).At(17, 3), SheetColour(1, 1, 3));
  SendMessageA(App().tilePalette, WM_VSCROLL, SB_LINEDOWN, 0);  // the sheet's next row at the top
  EXPECT_EQ(GrabClient(App().tilePalette).At(2, 15), SheetColour(40, 2, 15));
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

TEST_F(Startup, RunsTheUpdateList) {
  ASSERT_TRUE(WriteBytes(gameDir + "\\fresh.bin", {1, 2, 3}));
  ASSERT_TRUE(WriteBytes(gameDir + "\\plovnik.upd", FormatUpdateList({{"fresh.bin", "installed.bin"}})));
  ASSERT_TRUE(Start());
  EXPECT_EQ(ReadBytes(gameDir + "\\installed.bin"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(FileExists(gameDir + "\\fresh.bin"));

}

}  // namespace
}  // namespace quarl::wintest
