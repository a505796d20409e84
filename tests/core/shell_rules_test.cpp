// The shell's rules that need no window: the command line, the .map
// association's program path, Map Information's fields and OK, and the
// Customize window's hot zones, picks and entry list.

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/map_information.h"
#include "history/customize_tables.h"

namespace quarl {
namespace {

TEST(ShellRules, CommandLineDirectoryMapNamesAndAssociationPath) {
  EXPECT_EQ(CommandLineDirectory("\"C:\\Games\\ZOR\\quarl.exe\""), "C:\\Games\\ZOR");
  EXPECT_EQ(CommandLineDirectory("quarl.exe"), "");
  using Names = std::vector<std::string>;
  EXPECT_EQ(MapArgumentsInOpenOrder("a.map b.map c.map"), (Names{"c.map", "b.map", "a.map"}));

  EXPECT_EQ(AssociationProgramPath("\"C:\\ZOR\\quarl.exe\" a.map"), "C:\\ZOR\\quarl.exe");
  EXPECT_EQ(AssociationProgramPath("\"C:\\Program Files\\quarl.exe\""), "C:\\Program");  // a blank cuts it
  EXPECT_EQ(AssociationOpenCommand("C:\\ZOR\\quarl.exe"), "C:\\ZOR\\quarl.exe \"%*\"");
}

TEST(ShellRules, MapInformationCorrectsTypedNumbersAndStoresBytes) {
  using Field = MapInfoNumber;
  using Text = std::optional<std::string>;
  const std::tuple<Field, const char*, Text> typed[] = {
      {Field::kTeams, "5", "4"},  {Field::kTeams, "1", "2"},       {Field::kTeams, "4", std::nullopt},
      {Field::kTeams, "x", "2"},  {Field::kPlayers, "70", "64"},   {Field::kPlayers, "00030", std::nullopt},
      {Field::kHolding, "0", "1"}, {Field::kHolding, "9999", std::nullopt},  // no upper limit
  };
  for (const auto& [field, text, corrected] : typed) EXPECT_EQ(CorrectedNumberText(field, text), corrected) << text;
  // Empty fields store their defaults; numbers keep their low byte; four characters are read.
  EXPECT_EQ((std::vector<int>{StoredNumber(Field::kPlayers, ""), StoredNumber(Field::kHolding, ""),
                              StoredNumber(Field::kHolding, "300"), StoredNumber(Field::kPowerup, "12ab"),
                              StoredNumber(Field::kPlayers, "12345")}),
            (std::vector<int>{64, 12, 44, 12, 210}));
}

TEST(ShellRules, MapInformationOkStoresTheWeaponsAndGameTypeAndTitlesTheWindow) {
  MapDocument doc;
  MapInformationFields fields;
  fields.name = "Fort";
  fields.missiles = true;
  ApplyMapInformation(doc, fields);  // neither Frag nor Flag: Switch
  EXPECT_EQ((std::vector<int>{doc.bouncies, doc.missiles, doc.bombs, doc.gameType, doc.powerups}),
            (std::vector<int>{0, 1, 0, 2, 4}));
  fields.fragGame = fields.flagGame = true;     // Frag wins
  ApplyMapInformation(doc, fields);
  EXPECT_EQ(doc.gameType, 0);
  doc.path = "C:\\ZOR\\maps\\fort.map";
  EXPECT_EQ(MapInformationTitle(doc), "Fort (fort.map)");
}

TEST(ShellRules, CustomizeHotZonesPicksAndSelection) {
  constexpr int w = 213;  // the entry list's width in a 500 x 500 window
  std::vector<int> slots;
  for (int x : {15, 16, 64, 80, 81, w - 83, w - 82, w - 65, w - 20, w - 3}) slots.push_back(CustomizeSlotAt(x, w));
  EXPECT_EQ(slots, (std::vector<int>{0, -1, 1, 1, -1, -1, 2, -1, 3, -1}));

  MirrorRotateTables tables;
  tables.rotate.Add(), tables.rotate.Add();
  tables.mirror.Add();
  CustomizeState state;
  PickCustomizeTile(state, 5 * 16 + 15, 2 * 16, 32, 48);  // scrolled 2 tiles right and 3 down
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 1, 3));
  EXPECT_EQ(tables.rotate.entries[1].slots[3], (3 + 2) * 40 + 5 + 2u);
  PickCustomizeAnimation(state, 40, 32);
  EXPECT_FALSE(ClickCustomizeEntry(state, tables, 2, 0));  // past the end
  EXPECT_EQ(state.selectedEntry, 1);
  EXPECT_TRUE(ClickCustomizeEntry(state, tables, 0, 1));
  EXPECT_EQ(tables.rotate.entries[0].slots, (std::array<TileRef, 4>{0, 4 | ANIM_FLAG, 0, 0}));
  // A shorter table shown: the selection moves to its end, and deletes go from there.
  tables.mirror.Add(), tables.mirror.Add();
  state.selectedEntry = 7;
  ShowCustomizeTable(state, tables, CUSTOMIZE_MIRROR_TABLE);
  EXPECT_EQ(state.selectedEntry, 2);
  tables.mirror.entries[1].slots[0] = 5;
  DeleteSelectedEntry(state, tables);  // the last entry: the one before is selected
  DeleteSelectedEntry(state, tables);
  EXPECT_EQ(tables.mirror.entries, (std::vector<MirrorRotateEntry>{{}}));
}

}  // namespace
}  // namespace quarl
