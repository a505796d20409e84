#include "quarl_session.h"

#include <algorithm>
#include <cstdio>

#include "base/scripted_user_interface.h"
#include "app/win/startup.h"
#include "app/win/win_zlib.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "map/map_files.h"
#include "resource_ids.h"
#include "tile_sheet_bmp.h"

namespace quarl::wintest {
namespace {

std::string WindowsWorkDir() { return ToWindowsPath(QUARL_TEST_WORK_DIR); }

void MakeDirectories(const std::string& windowsPath) {
  for (size_t at = 3; at != std::string::npos; at = windowsPath.find('\\', at + 1))
    CreateDirectoryA(windowsPath.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(windowsPath.c_str(), nullptr);
}

}  // namespace

COLORREF TestSheetColour(int index) {
  return RGB(index, (index * 3) & 0xFF, 255 - index);
}

std::vector<uint8_t> MakeTestTileSheet() {
  // Tile n is filled with colour n mod 256.
  return test::EncodeTestSheet(
      [](int i) {
        COLORREF c = TestSheetColour(i);
        return test::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
      },
      [](int x, int y) { return static_cast<uint8_t>(((y / 16) * 40 + x / 16) % 256); });
}

std::vector<uint8_t> MakeTestAnimations() {
  std::vector<uint8_t> out;
  auto record = [&out](int count, std::vector<int> slots) {
    size_t start = out.size();
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(0);
    slots.resize(32, 0);
    for (int s : slots) test::detail::PutU16(out, static_cast<uint16_t>(s));
    EXPECT_EQ(out.size() - start, 66u);
  };
  record(2, {10, 11});
  record(3, {10, 11, 0, 12});
  record(1, {0x8005});  // bit 15 is not part of the tile number
  return out;
}

bool WriteBytes(const std::string& windowsPath, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(windowsPath.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> ReadBytes(const std::string& windowsPath) {
  std::vector<uint8_t> bytes;
  FILE* f = std::fopen(windowsPath.c_str(), "rb");
  if (!f) return bytes;
  uint8_t chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  return bytes;
}

bool FileExists(const std::string& windowsPath) {
  return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void QuarlSession::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  gameDir = WindowsWorkDir() + "\\" + info->test_suite_name() + "." + info->name();
  // A fresh directory each run: remove what an earlier run left.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((gameDir + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((gameDir + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  MakeDirectories(gameDir);
  ASSERT_TRUE(WriteBytes(gameDir + "\\tiles.bmp", MakeTestTileSheet()));
  ASSERT_TRUE(WriteBytes(gameDir + "\\anims.dat", MakeTestAnimations()));
  ASSERT_TRUE(WriteBytes(gameDir + "\\mrdata.dat", SerializeMrdata(DefaultMirrorRotateTables())));
  ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_ZLIB_DLL).c_str(), (gameDir + "\\zlib.dll").c_str(), FALSE));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  startDir_ = current;
}

void QuarlSession::TearDown() {
  if (started_) win::ShutDownQuarl();
  PumpMessages(20);
  SetCurrentDirectoryA(startDir_.c_str());
}

bool QuarlSession::Start(const std::string& arguments) {
  SetCurrentDirectoryA(gameDir.c_str());
  std::string commandLine = "\"" + gameDir + "\\quarl.exe\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  started_ = win::StartQuarl(GetModuleHandleA(nullptr), commandLine, arguments);
  PumpMessages(30);
  return started_;
}

void QuarlSession::Exit() { SendMessageA(Frame(), WM_COMMAND, CMD_EXIT, 0); }

HWND QuarlSession::NewMap() {
  SendMessageA(Frame(), WM_COMMAND, CMD_NEW, 0);
  return win::ToHwnd(TheEditor().activeMapWindow);
}

std::vector<HWND> QuarlSession::MapWindows() const {
  std::vector<HWND> windows;
  for (HWND child = GetWindow(App().mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (std::string(cls) == "newmap") windows.push_back(child);
  }
  std::sort(windows.begin(), windows.end(), [](HWND a, HWND b) {
    return GetWindowLongPtrA(a, GWLP_ID) < GetWindowLongPtrA(b, GWLP_ID);
  });
  return windows;
}

HMENU QuarlSession::OpenPopup(int position) {
  HMENU popup = GetSubMenu(FrameMenu(), position);
  SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
  return popup;
}

bool QuarlSession::WriteMap(const std::string& windowsPath, const std::string& name) {
  win::WinZlibLibrary library;
  auto zlib = library.Load(gameDir);
  if (!zlib) return false;
  MapDocument doc;
  doc.name = name;
  doc.At(3, 4).tile = 77;
  ScriptedUserInterface ui;
  auto bytes = BuildMapFile(doc, *zlib, ui);
  return bytes && WriteBytes(windowsPath, *bytes);
}

}  // namespace quarl::wintest
