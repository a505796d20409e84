// The Map Information dialog driven through its real controls, and the two
// Map Check report boxes.

#include <windows.h>
#include <commctrl.h>

#include "app/map_reports.h"
#include "app/win/map_information_dialog.h"
#include "quarl_session.h"

namespace quarl::wintest {
namespace {

int g_beeps = 0;

class MapInformation : public QuarlSession {
 protected:
  void SetUp() override {
    QuarlSession::SetUp();
    ASSERT_TRUE(Start());
    g_beeps = 0;
    win::SetMapInformationBeep([] { ++g_beeps; });
  }
  void TearDown() override {
    win::SetMapInformationBeep(nullptr);
    QuarlSession::TearDown();
  }
  HWND OpenInfo() {
    Command(CMD_INFO);
    return win::LastMapInformationDialog();
  }
  // Replaces a field's text the way typing does: select it all, then type.
  void Type(HWND dialog, int id, const std::string& keys) {
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(field, EM_SETSEL, 0, -1);
    if (keys.empty()) SendMessageA(field, WM_CHAR, VK_BACK, 0);
    for (char key : keys) SendMessageA(field, WM_CHAR, static_cast<WPARAM>(key), 0);
  }
  std::string Field(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
  void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  void PutAnim(MapDocument& doc, int column, int row, int32_t anim) { doc.At(column, row).SetValues({-1, anim, 0}); }
};

TEST_F(MapInformation, ClampsWhileTypingCancelKeepsTheMapAndOkWritesIntoTheMapActiveThen) {
  Command(CMD_INFO);  // no map: no dialog
  EXPECT_EQ(FindWindowA(nullptr, "Map Information"), nullptr);

  HWND first = NewMap();
  MapDocument& opened = *Doc(first);
  opened.name = "Arena";
  opened.description = "Two bases\r\nand a bridge";
  opened.gameType = 2;
  opened.holding = 9;
  HWND dialog = OpenInfo();
  ASSERT_TRUE(dialog && IsWindowVisible(dialog));
  EXPECT_TRUE(SaveScreenshot(dialog, "map_information"));
  EXPECT_EQ(std::pair(WindowText(dialog), GetWindow(dialog, GW_OWNER)), std::pair(std::string("Map Information"), Frame()));
  EXPECT_EQ(Field(dialog, win::kMapNameEdit) + "|" + Field(dialog, win::kHoldingEdit) + "|" +
                Field(dialog, win::kMapDescriptionEdit), "Arena|9|Two bases\r\nand a bridge");
  EXPECT_EQ(IsDlgButtonChecked(dialog, win::kSwitchGameRadio), BST_CHECKED);
  // Cancel and the close box write nothing (the first map is looked at last).
  Type(dialog, win::kMapNameEdit, "Cancelled");
  Press(dialog, win::kMapInfoCancel);
  HWND closed = OpenInfo();
  Type(closed, win::kMapNameEdit, "Closed");
  SendMessageA(closed, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog) || IsWindow(closed));
  dialog = OpenInfo();

  // Each field's text after typing, and the beeps it took.
  std::vector<std::string> seen;
  auto typed = [&](int id, const std::string& keys) {
    g_beeps = 0;
    Type(dialog, id, keys);
    seen.push_back(Field(dialog, id) + "/" + std::to_string(g_beeps));
  };
  // (every rule of the corrections is the core's, in shell_rules_test)
  typed(win::kTeamsEdit, "5");
  typed(win::kPlayersEdit, "70");
  typed(win::kHoldingEdit, "300");  // no upper limit while typing
  typed(win::kPowerupEdit, "999");  // never corrected
  EXPECT_EQ(seen, (std::vector<std::string>{"4/1", "64/1", "300/0", "999/0"}));

  Type(dialog, win::kPlayersEdit, "");  // empty fields take their defaults on OK
  Type(dialog, win::kTeamsEdit, "");
  Type(dialog, win::kMapNameEdit, "Fort");
  SendMessageA(GetDlgItem(dialog, win::kLaserDamageSlider), TBM_SETPOS, TRUE, 4);
  CheckRadioButton(dialog, win::kFragGameRadio, win::kFlagGameRadio, win::kFlagGameRadio);

  HWND second = NewMap();  // now the active map
  Doc(second)->path = gameDir + "\\fort.map";
  Press(dialog, win::kMapInfoOk);
  EXPECT_FALSE(IsWindow(dialog));
  const MapDocument& doc = *Doc(second);
  EXPECT_EQ(doc.name + " " + WindowText(second), "Fort Fort (fort.map)");
  EXPECT_EQ((std::vector<int>{doc.holding, doc.maxPlayers, doc.teamCount, doc.powerups, doc.laserDamage,
                              doc.gameType, doc.modified}),
            (std::vector<int>{44, 64, 2, 999 % 256, 4, 1, 1}));
  EXPECT_EQ(opened.name + " " + std::to_string(opened.modified), "Arena 0");
}

// What the reports say is the core's (map_reports_test); here, that the
// command shows both of the active map's, recounted, in message boxes.
TEST_F(MapInformation, MapCheckShowsTheGeneralAndFlagPoleReportsOfTheActiveMap) {
  Command(CMD_MAP_CHECK);  // no map: no boxes
  EXPECT_TRUE(dialogs.Boxes().empty());
  MapDocument& doc = *Doc(NewMap());
  for (int column : {0, 1, 2}) PutAnim(doc, column, 0, 28);  // green flags on green poles
  PutAnim(doc, 7, 9, 25);                                    // a green pole holding a red flag
  const MapReportTexts expected = BuildMapReports(doc);
  Command(CMD_MAP_CHECK);
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  EXPECT_EQ(dialogs.Boxes()[0].title + "|" + dialogs.Boxes()[0].text, "General Information|" + expected.general);
  EXPECT_EQ(dialogs.Boxes()[1].title + "|" + dialogs.Boxes()[1].text, "Flag Poles Information|" + expected.flagPoles);
  EXPECT_NE(expected.flagPoles.find("for Red flag (x,y,data: 7,9,0x19)"), std::string::npos);
}

}  // namespace
}  // namespace quarl::wintest
