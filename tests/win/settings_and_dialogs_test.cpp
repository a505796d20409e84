// The options in the registry, and the Map Information dialog's controls
// filled from a document, under Wine.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/win/map_information_dialog.h"
#include "app/win/registry_settings.h"
#include "test_support.h"

namespace quarl::wintest {
namespace {

void DeleteQuarlKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl"); }

TEST(RegistrySettings, OptionsAreTwoByteStringsUnderTheQuarlKey) {
  DeleteQuarlKey();
  {
    win::RegistrySettingsStore store(win::RegistrySettingsStore::Access::kOpen);
    EXPECT_FALSE(store.IsOpen());  // loading does not create the key
    EXPECT_EQ(LoadOptions(store).winpan, -97);  // a first run: everything on
  }
  Options options;
  options.toolbox = 0;
  options.winpan = -97;
  options.shscan = 2;
  {
    win::RegistrySettingsStore store(win::RegistrySettingsStore::Access::kCreate);
    ASSERT_TRUE(store.IsOpen());
    SaveOptions(store, options);
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quarl", 0, KEY_READ, &key), ERROR_SUCCESS);
  auto value = [&](const char* name) {
    BYTE data[8] = {0x55, 0x55, 0x55};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::string(reinterpret_cast<const char*>(data), size);
  };
  EXPECT_EQ(value("toolbox"), std::string("a\0", 2));
  EXPECT_EQ(value("shscan"), std::string("c\0", 2));
  RegCloseKey(key);

  win::RegistrySettingsStore store(win::RegistrySettingsStore::Access::kOpen);
  const Options loaded = LoadOptions(store);
  // toolbox, mintray, winpan (a zero byte reads back as it was saved), flagscan, shscan
  EXPECT_EQ((std::vector<int>{loaded.toolbox, loaded.mintray, loaded.winpan, loaded.flagscan, loaded.shscan}),
            (std::vector<int>{0, 1, -97, 1, 2}));
  DeleteQuarlKey();
}

class MapInformationDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    for (int id : {1003, 1004, 1012, 1014, 1015, 1016}) Add("EDIT", id, ES_MULTILINE);
    for (int id : {1005, 1006, 1007}) Add("BUTTON", id, BS_AUTOCHECKBOX);
    for (int id : {1019, 1020, 1021}) Add("BUTTON", id, BS_AUTORADIOBUTTON);
    for (int id : {1009, 1010, 1011}) Add(TRACKBAR_CLASSA, id, TBS_NOTICKS);
  }
  void TearDown() override { DestroyWindow(host); }
  void Add(const char* cls, int id, DWORD style) {
    CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 50, 20, host,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  std::string Text(int id) { return WindowText(GetDlgItem(host, id)); }
  bool Checked(int id) { return IsDlgButtonChecked(host, id) == BST_CHECKED; }
  LRESULT Slider(int id, UINT message) { return SendDlgItemMessageA(host, id, message, 0, 0); }

  HWND host = nullptr;
};

TEST_F(MapInformationDialog, ShowsTheDocumentsSettings) {
  MapDocument doc;
  doc.name = "Arena";
  doc.description = "two\r\nlines";
  doc.bouncies = 1, doc.missiles = 0, doc.bombs = 2;  // only 1 checks the box
  doc.gameType = 2, doc.maxPlayers = 16, doc.powerups = 0, doc.teamCount = 4, doc.holding = 200;
  doc.laserDamage = 3, doc.rechargeRate = 4;
  win::FillMapInformationDialog(host, doc);
  EXPECT_EQ(Text(1003) + "|" + Text(1004) + "|" + Text(1012) + "|" + Text(1016) + "|" + Text(1015) + "|" + Text(1014),
            "Arena|two\r\nlines|16|0|4|200");
  EXPECT_EQ((std::vector<bool>{Checked(1005), Checked(1006), Checked(1007), Checked(1020)}),
            (std::vector<bool>{true, false, false, true}));  // the last: Switch game
  EXPECT_EQ(Slider(1009, TBM_GETPOS), 3);
  EXPECT_EQ(Slider(1011, TBM_GETPOS), 4);
  EXPECT_EQ(Slider(1011, TBM_GETRANGEMAX), 4);

  doc.gameType = 1;
  win::FillMapInformationDialog(host, doc);
  EXPECT_TRUE(Checked(1021));  // Flag game
  EXPECT_FALSE(Checked(1020));
}

}  // namespace
}  // namespace quarl::wintest
