// The shell's rules that need no window: the .map association's program
// path, Map Information's OK, and the Customize window's hot zones and picks.

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/map_information.h"
#include "history/customize_tables.h"

namespace quarl {
namespace {

TEST(ShellRules, AssociationPathIsTheCommandLinesFirstWordUnquoted) {
  EXPECT_EQ(AssociationProgramPath("\"C:\\ZOR\\quarl.exe\" a.map"), "C:\\ZOR\\quarl.exe");
  EXPECT_EQ(AssociationProgramPath("C:\\ZOR\\quarl.exe"), "C:\\ZOR\\quarl.exe");
  // A blank cuts the path, quoted or not.
  EXPECT_EQ(AssociationProgramPath("\"C:\\Program Files\\quarl.exe\""), "C:\\Program");
  // Only the first 255 characters are looked at.
  const std::string longPath = "C:\\" + std::string(300, 'q');
  EXPECT_EQ(AssociationProgramPath(longPath), longPath.substr(0, 255));
  EXPECT_EQ(AssociationOpenCommand("C:\\ZOR\\quarl.exe"), "C:\\ZOR\\quarl.exe \"%*\"");
}

TEST(ShellRules, MapInformationOkStoresTheWeaponsAndGameTypeAndTitlesTheWindow) {
  MapDocument doc;
  MapInformationFields fields;
  fields.name = "Fort";
  fields.missiles = true;
  ApplyMapInformation(doc, fields);  // neither Frag nor Flag: Switch
  EXPECT_EQ((std::vector<int>{doc.bouncies, doc.missiles, doc.bombs, doc.gameType, doc.powerups}),
            (std::vector<int>{0, 1, 0, 2, 4}));
  EXPECT_EQ(MapInformationTitle(doc), "Fort");  // never saved
  fields.fragGame = fields.flagGame = true;     // Frag wins
  ApplyMapInformation(doc, fields);
  EXPECT_EQ(doc.gameType, 0);
  doc.path = "C:\\ZOR\\maps\\fort.map";
  EXPECT_EQ(MapInformationTitle(doc), "Fort (fort.map)");
  doc.name = std::string(300, 'n');
  EXPECT_EQ(MapInformationTitle(doc).size(), 255u);
}

TEST(ShellRules, CustomizeHotZonesAndPicksFillTheClickedSlot) {
  constexpr int w = 213;  // the entry list's width in a 500 x 500 window
  std::vector<int> slots;
  for (int x : {0, 15, 16, 63, 64, 80, 81, w - 83, w - 82, w - 66, w - 65, w - 21, w - 20, w - 4, w - 3})
    slots.push_back(CustomizeSlotAt(x, w));
  EXPECT_EQ(slots, (std::vector<int>{0, 0, -1, -1, 1, 1, -1, -1, 2, 2, -1, -1, 3, 3, -1}));

  MirrorRotateTables tables;
  tables.rotate.Add(), tables.rotate.Add();
  tables.mirror.Add();
  CustomizeState state;
  PickCustomizeTile(state, 5 * 16 + 15, 2 * 16, 32, 48);  // scrolled 2 tiles right and 3 down
  EXPECT_EQ(state.pickedTile, (3 + 2) * 40 + 5 + 2);
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 1, 3));
  EXPECT_EQ(tables.rotate.entries[1].slots[3], 207u);
  PickCustomizeAnimation(state, 40, 32);
  EXPECT_EQ(state.pickedAnimation, 4);
  EXPECT_FALSE(ClickCustomizeEntry(state, tables, 2, 0));  // past the end
  EXPECT_EQ(state.selectedEntry, 1);
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 0, 1));
  EXPECT_EQ(tables.rotate.entries[0].slots, (std::array<TileRef, 4>{0, 4 | ANIM_FLAG, 0, 0}));
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 1, -1));  // selects, writes nothing
  EXPECT_EQ(state.selectedEntry, 1);
  EXPECT_EQ(tables.mirror.entries[0].slots, (std::array<TileRef, 4>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace quarl
