// The options in the prefix's registry across restarts, the .map association
// written at start-up and minimising to the notification area.

#include <windows.h>
#include <shellapi.h>

#include "app/win/startup.h"
#include "app/win/tray_icon.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

// A value as the registry holds it: its type, then its bytes.
std::string RawValue(HKEY root, const std::string& key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return "(no key)";
  BYTE data[512] = {};
  DWORD type = 0, size = sizeof data;
  const LONG result = RegQueryValueExA(opened, name, nullptr, &type, data, &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS) return "(no value)";
  return std::to_string(type) + ":" + std::string(reinterpret_cast<const char*>(data), size);
}

std::string Option(const char* name) { return RawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl", name); }

std::string StoredString(const std::string& text) { return std::to_string(REG_SZ) + ":" + text + '\0'; }

class ShellOptions : public QuarlSession {
 protected:
  std::vector<int> Loaded() const {
    const Options& o = TheEditor().options;
    return {o.toolbox, o.mintray, o.winpan, o.flagscan, o.shscan};
  }
  bool MenuChecked(int command) { return GetMenuState(OpenPopup(2), command, MF_BYCOMMAND) & MF_CHECKED; }
  void Restart() {
    win::ShutDownQuarl();
    ASSERT_TRUE(Start());
  }
};

TEST_F(ShellOptions, AFirstRunHasEveryOptionOnTogglesComeBackAfterARestartAndCLoadsAsTwo) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl");
  ASSERT_TRUE(Start());
  EXPECT_EQ(Loaded(), (std::vector<int>{-97, -97, -97, -97, -97}));
  for (int command : {CMD_MINTRAY, CMD_AUTO_PAN, CMD_FLAG_SCAN, CMD_SPAWN_SCAN}) EXPECT_TRUE(MenuChecked(command));
  EXPECT_EQ(Option("winpan"), "(no key)");  // nothing is written before shutdown
  Command(CMD_AUTO_PAN);  // off
  Command(CMD_MINTRAY);   // off, then on again
  Command(CMD_MINTRAY);
  Restart();
  // Untouched options keep the zero byte a first run saves, and stay on.
  EXPECT_EQ((std::vector{Option("toolbox"), Option("winpan"), Option("mintray")}),
            (std::vector{StoredString(std::string(1, '\0')), StoredString("a"), StoredString("b")}));
  EXPECT_EQ(Loaded(), (std::vector<int>{-97, 1, 0, -97, -97}));
  EXPECT_EQ(std::pair(MenuChecked(CMD_AUTO_PAN), MenuChecked(CMD_MINTRAY)), std::pair(false, true));

  // A stored "c" loads as 2, which shows checked; its toggle turns it off.
  win::ShutDownQuarl();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  RegSetValueExA(key, "shscan", 0, REG_SZ, reinterpret_cast<const BYTE*>("c"), 2);
  RegCloseKey(key);
  ASSERT_TRUE(Start());
  EXPECT_EQ(std::pair(TheEditor().options.shscan, MenuChecked(CMD_SPAWN_SCAN)), std::pair(2, true));
  Command(CMD_SPAWN_SCAN);
  Restart();
  EXPECT_EQ(std::pair(Option("shscan"), TheEditor().options.shscan), std::pair(StoredString("a"), 0));
}

TEST_F(ShellOptions, StartUpTakesOverTheMapTypeWithTheProgramPathUnquoted) {
  HKEY other = nullptr;  // a .map type that belonged to another program
  RegCreateKeyExA(HKEY_CLASSES_ROOT, ".map", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &other, nullptr);
  RegSetValueExA(other, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("Other.Map"), 10);
  RegCloseKey(other);
  ASSERT_TRUE(Start("a.map"));  // the program's path is quoted on its command line
  const std::string program = gameDir + "\\quarl.exe";
  EXPECT_EQ(RawValue(HKEY_CLASSES_ROOT, ".map", nullptr), StoredString("Quarl.Document"));
  EXPECT_EQ(RawValue(HKEY_CLASSES_ROOT, "Quarl.Document", nullptr), StoredString("Map File"));
  EXPECT_EQ(RawValue(HKEY_CLASSES_ROOT, "Quarl.Document\\DefaultIcon", nullptr), StoredString(program + ",1"));
  EXPECT_EQ(RawValue(HKEY_CLASSES_ROOT, "Quarl.Document\\Shell\\open", "EditFlags"),
            std::to_string(REG_BINARY) + ":" + std::string("\0\1\0\0\0\0\0\0", 8));
  EXPECT_EQ(RawValue(HKEY_CLASSES_ROOT, "Quarl.Document\\Shell\\open\\command", nullptr),
            StoredString(program + " \"%*\""));
}

// Whether the frame's icon is in the notification area: only an icon that is
// there can be modified.
BOOL TrayIconShown(HWND frame) {
  NOTIFYICONDATAA probe = {};
  probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
  probe.hWnd = frame;
  return Shell_NotifyIconA(NIM_MODIFY, &probe);
}

TEST_F(ShellOptions, MinimisingGoesToTheTrayAndADoubleClickComesBack) {
  ASSERT_TRUE(Start());
  HWND frame = Frame();
  SendMessageA(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(std::tuple(IsWindowVisible(frame), IsIconic(frame), TrayIconShown(frame)), std::tuple(FALSE, FALSE, TRUE));
  SendMessageA(frame, win::kTrayNotifyMessage, 0, WM_LBUTTONDOWN);  // a single click does nothing
  SendMessageA(frame, win::kTrayNotifyMessage, 0, WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(frame));
  SendMessageA(frame, win::kTrayNotifyMessage, 0, WM_LBUTTONDBLCLK);
  EXPECT_EQ(std::pair(IsWindowVisible(frame), TrayIconShown(frame)), std::pair(TRUE, FALSE));
  SendMessageA(frame, WM_COMMAND, CMD_MINTRAY, 0);  // off: an ordinary minimise
  SendMessageA(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(std::pair(IsIconic(frame), TrayIconShown(frame)), std::pair(TRUE, FALSE));
}

}  // namespace
}  // namespace quarl::wintest
