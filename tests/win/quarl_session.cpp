#include "quarl_session.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/tile_sheet_writer.h"
#include "app/win/startup.h"
#include "app/win/win_zlib.h"
#include "base/scripted_user_interface.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "map/map_files.h"

namespace quarl::wintest {
namespace {

std::vector<uint8_t> TileSheet() {  // 640 x 1600, 8 bits
  std::array<PaletteColour, 256> palette;
  for (int i = 0; i < 256; ++i) palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3), static_cast<uint8_t>(255 - i)};
  std::vector<uint8_t> pixels(640 * 1600);
  for (int y = 0; y < 1600; ++y)
    for (int x = 0; x < 640; ++x) pixels[y * 640 + x] = static_cast<uint8_t>((y / 16) * 40 + x / 16 + x % 16 + y % 16 * 16);
  return EncodeIndexedBmp(640, 1600, palette, pixels);
}

}  // namespace

COLORREF SheetColour(int tile, int x, int y) {
  const int i = (tile + x + 16 * y) % 256;
  return RGB(i, (i * 3) & 0xFF, 255 - i);
}

bool WriteBytes(const std::string& windowsPath, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(windowsPath.c_str(), "wb");
  const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return f && std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> ReadBytes(const std::string& windowsPath) {
  std::ifstream in(windowsPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool FileExists(const std::string& windowsPath) { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

void QuarlSession::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string work = ToWindowsPath(QUARL_TEST_WORK_DIR);
  gameDir = work + "\\" + info->test_suite_name() + "." + info->name();
  std::error_code ignored;  // a fresh directory each run: remove what an earlier run left
  std::filesystem::remove_all(gameDir, ignored);
  std::filesystem::create_directories(gameDir, ignored);
  // Animations {10, 11}, {10, 11} (a zero slot ends it) and {5} (bit 15 is no part of a tile).
  std::vector<uint8_t> anims(3 * 66);
  for (auto [at, slot] : {std::pair{0, 2}, {2, 10}, {4, 11}, {66, 3}, {68, 10}, {70, 11}, {74, 12}, {132, 1}, {134, 0x8005}})
    anims[at] = static_cast<uint8_t>(slot), anims[at + 1] = static_cast<uint8_t>(slot >> 8);
  ASSERT_TRUE(WriteBytes(gameDir + "\\tiles.bmp", TileSheet()));
  ASSERT_TRUE(WriteBytes(gameDir + "\\anims.dat", anims));
  ASSERT_TRUE(WriteBytes(gameDir + "\\mrdata.dat", SerializeMrdata(DefaultMirrorRotateTables())));
  ASSERT_TRUE(CopyFileA(ToWindowsPath(QUARL_ZLIB_DLL).c_str(), (gameDir + "\\zlib.dll").c_str(), FALSE));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  startDir_ = current;
  // The program keeps its options in the prefix's registry between runs:
  // each test starts with all five on ("b").
  HKEY options = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &options,
                            nullptr), ERROR_SUCCESS);
  for (const char* name : {"toolbox", "mintray", "winpan", "flagscan", "shscan"})
    RegSetValueExA(options, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("b"), 2);
  RegCloseKey(options);
}

void QuarlSession::TearDown() {
  if (started_) win::ShutDownQuarl();
  PumpMessages(20);
  SetCurrentDirectoryA(startDir_.c_str());
}

bool QuarlSession::Start(const std::string& arguments) {
  SetCurrentDirectoryA(gameDir.c_str());
  const std::string commandLine = "\"" + gameDir + "\\quarl.exe\"" + (arguments.empty() ? "" : " " + arguments);
  started_ = win::StartQuarl(GetModuleHandleA(nullptr), commandLine, arguments);
  PumpMessages(30);
  return started_;
}

HWND QuarlSession::NewMap() {
  SendMessageA(Frame(), WM_COMMAND, CMD_NEW, 0);
  return win::ToHwnd(TheEditor().activeMapWindow);
}

HMENU QuarlSession::OpenPopup(int position) {
  HMENU popup = GetSubMenu(App().frameMenu, position);
  SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
  return popup;
}

bool QuarlSession::WriteMap(const std::string& windowsPath, const std::string& name) {
  MapDocument doc;
  doc.name = name;
  doc.At(3, 4).tile = 77;
  ScriptedUserInterface ui;
  auto zlib = win::WinZlibLibrary().Load(gameDir);
  auto bytes = zlib ? BuildMapFile(doc, *zlib, ui) : std::nullopt;
  return bytes && WriteBytes(windowsPath, *bytes);
}

}  // namespace quarl::wintest
