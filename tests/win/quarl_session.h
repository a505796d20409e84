#pragma once
// A fixture that runs the program's own start-up in the test process, in a
// fresh game directory of its own with a generated tile sheet, anims.dat,
// mrdata.dat and zlib.dll, and shuts it down afterwards.
//
//   TEST_F(QuarlSession, Something) {
//     ASSERT_TRUE(Start());                       // StartQuarl as WinMain runs it
//     SendMessageA(Frame(), WM_COMMAND, 40001, 0);  // File > New
//     ...
//   }
//
// dialogs (a DialogScript) answers every message box and file dialog.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/win/app_globals.h"
#include "test_support.h"

namespace quarl::wintest {

// Colour of entry i of the generated tile sheet's colour table; tile n is
// painted all in entry n % 256.
COLORREF TestSheetColour(int index);
// An 8-bit 640 x 1600 tiles.bmp image.
std::vector<uint8_t> MakeTestTileSheet();
// anims.dat with three animations: {10, 11}, {10, 11} (a zero slot ends
// it early) and {5}.
std::vector<uint8_t> MakeTestAnimations();
bool WriteBytes(const std::string& windowsPath, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& windowsPath);
bool FileExists(const std::string& windowsPath);

class QuarlSession : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs start-up with the program "installed" in the game directory; the
  // arguments are the text after the program name.
  bool Start(const std::string& arguments = "");
  // Closes the frame through its exit sequence (as File > Exit does).
  void Exit();

  HWND Frame() const { return win::App().frame; }
  win::AppGlobals& App() const { return win::App(); }
  Editor& TheEditor() const { return win::App().editor; }
  HMENU FrameMenu() const { return win::App().frameMenu; }
  // File > New through the frame's menu command.
  HWND NewMap();
  // The map windows of the MDI client, in creation order.
  std::vector<HWND> MapWindows() const;
  // Sends the frame WM_INITMENUPOPUP for its popup at position, as opening
  // it does, and returns the popup.
  HMENU OpenPopup(int position);

  // Writes a map made by the program's own saver to path.
  bool WriteMap(const std::string& windowsPath, const std::string& name);

  std::string gameDir;  // Windows path, no trailing backslash
  DialogScript dialogs;

 private:
  bool started_ = false;
  std::string startDir_;
};

}  // namespace quarl::wintest
