#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/map_information.h"
#include "history/customize_tables.h"

namespace quarl {
namespace {

TEST(ShellRules, CommandLineDirectoryMapNamesAndAssociationPath) {
  EXPECT_EQ(CommandLineDirectory("\"C:\\Games\\ZOR\\quarl.exe\""), "C:\\Games\\ZOR");
  EXPECT_EQ(MapArgumentsInOpenOrder("a.map b.map c.map"), (std::vector<std::string>{"c.map", "b.map", "a.map"}));
  EXPECT_EQ(AssociationProgramPath("\"C:\\Program Files\\quarl.exe\""), "C:\\Program");  // a blank cuts it
  EXPECT_EQ(AssociationOpenCommand("C:\\ZOR\\quarl.exe"), "C:\\ZOR\\quarl.exe \"%*\"");
}

TEST(ShellRules, MapInformationCorrectsTypedNumbersAndStoresBytes) {
  using enum MapInfoNumber;
  const std::tuple<MapInfoNumber, const char*, std::optional<std::string>> typed[] = {
      {kTeams, "5", "4"}, {kTeams, "1", "2"}, {kTeams, "4", {}}, {kTeams, "x", "2"}, {kPlayers, "70", "64"},
      {kPlayers, "00030", {}}, {kHolding, "0", "1"}, {kHolding, "9999", {}}};  // Holding has no upper limit
  for (const auto& [field, text, corrected] : typed) EXPECT_EQ(CorrectedNumberText(field, text), corrected) << text;
  // Empty fields store their defaults; numbers keep their low byte; four characters are read.
  const std::tuple<MapInfoNumber, const char*, int> stored[] = {
      {kPlayers, "", 64}, {kHolding, "", 12}, {kHolding, "300", 44}, {kPowerup, "12ab", 12}, {kPlayers, "12345", 210}};
  for (const auto& [field, text, byte] : stored) EXPECT_EQ(StoredNumber(field, text), byte) << text;
}

TEST(ShellRules, MapInformationOkStoresTheWeaponsAndGameType) {
  MapDocument doc;
  MapInformationFields fields;
  fields.name = "Fort", fields.missiles = true;
  ApplyMapInformation(doc, fields);  // neither Frag nor Flag: Switch
  EXPECT_EQ((std::vector<int>{doc.bouncies, doc.missiles, doc.bombs, doc.gameType, doc.powerups}),
            (std::vector<int>{0, 1, 0, 2, 4}));
  fields.fragGame = fields.flagGame = true;  // Frag wins
  ApplyMapInformation(doc, fields);
  EXPECT_EQ(doc.gameType, 0);
}

TEST(ShellRules, CustomizeHotZonesPicksAddAndDelete) {
  std::vector<int> slots;  // the entry list 213 wide, as in a 500 x 500 window
  for (int x : {15, 16, 64, 80, 81, 130, 131, 148, 193, 210}) slots.push_back(CustomizeSlotAt(x, 213));
  EXPECT_EQ(slots, (std::vector<int>{0, -1, 1, 1, -1, -1, 2, -1, 3, -1}));
  MirrorRotateTables tables;
  CustomizeState state;
  AddCustomizeEntry(state, tables), AddCustomizeEntry(state, tables);  // to the rotate table, shown first
  PickCustomizeAnimation(state, 40, 32);
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 0, 1));
  PickCustomizeTile(state, 5 * 16 + 15, 2 * 16, 32, 48);  // scrolled 2 tiles right and 3 down
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 1, 3));
  EXPECT_FALSE(ClickCustomizeEntry(state, tables, 2, 0));  // past the end: the selection stays
  EXPECT_EQ(std::tuple(tables.rotate.entries[0].slots[1], tables.rotate.entries[1].slots[3], state.selectedEntry),
            std::tuple(4 | ANIM_FLAG, (3 + 2) * 40 + 5 + 2u, 1));
  tables.mirror.Add();  // a shorter table shown: the selection moves to its end, and a delete empties it
  ShowCustomizeTable(state, tables, CUSTOMIZE_MIRROR_TABLE);
  DeleteSelectedEntry(state, tables);
  EXPECT_EQ(std::pair(state.selectedEntry, tables.mirror.Count()), std::pair(-1, 0));
}

}  // namespace
}  // namespace quarl
