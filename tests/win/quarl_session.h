#pragma once
// The fixture of the tests that start the program: its own start-up runs in
// the test process, in a fresh game directory holding a generated tile sheet,
// anims.dat, mrdata.dat and zlib.dll, and is shut down afterwards. dialogs
// answers every message box and file dialog.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/win/app_globals.h"
#include "resource_ids.h"
#include "test_support.h"

namespace quarl::wintest {

// Pixel (x, y) of tile n of the generated sheet has colour table entry
// (n + x + 16 y) mod 256: a tile's top-left pixel has entry n mod 256.
COLORREF SheetColour(int tile, int x = 0, int y = 0);
bool WriteBytes(const std::string& windowsPath, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& windowsPath);
bool FileExists(const std::string& windowsPath);

class QuarlSession : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Start-up as WinMain runs it, with the program in the game directory; the
  // arguments are the text after the program name.
  bool Start(const std::string& arguments = "");
  void Exit() { Command(CMD_EXIT); }  // File > Exit
  // A command from a menu, or from an accelerator (1 in the high word).
  void Command(int command, bool accelerator = false) { SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(command, accelerator), 0); }

  HWND Frame() const { return win::App().frame; }
  win::AppGlobals& App() const { return win::App(); }
  Editor& TheEditor() const { return win::App().editor; }
  HWND NewMap();  // File > New
  MapDocument* Doc(HWND map) const { return TheEditor().maps.FindMapDocument(win::ToWindowId(map)); }
  MapView* View(HWND map) const { return TheEditor().maps.FindView(win::ToWindowId(map)); }
  // WM_INITMENUPOPUP for the frame menu's popup at position, as opening it sends.
  HMENU OpenPopup(int position);
  // A map with that name and tile 77 at (3, 4), made by the program's own saver.
  bool WriteMap(const std::string& windowsPath, const std::string& name);

  std::string gameDir;  // Windows path, no trailing backslash
  DialogScript dialogs;

 private:
  bool started_ = false;
  std::string startDir_;
};

}  // namespace quarl::wintest
