#include <gtest/gtest.h>

#include "app/map_reports.h"
#include "base/string_table.h"
#include "map/map_checks.h"

namespace quarl {
namespace {

void PutAnim(MapDocument& doc, int column, int row, int32_t anim) { doc.At(column, row).SetValues({-1, anim, 0}); }
void PutTile(MapDocument& doc, int column, int row, int32_t tile) { doc.At(column, row).SetValues({tile, -1, -1}); }

CheckResult Flags(MapDocument& doc) {
  CountMapObjects(doc);
  return CheckFlags(doc);
}

TEST(CountMapObjects, CountsEachKindAndListsPolesInCellIndexOrder) {
  MapDocument doc;
  doc.flagCount = {3, 3, 3, 3};  // stale values are replaced
  doc.poleTeams[3] = {1, 1};
  PutAnim(doc, 200, 0, 41);                // Blue pole holding Red
  PutAnim(doc, 10, 1, 140);                // neutral flag
  PutAnim(doc, 11, 1, 28);                 // Green flag: a Green flag and a Green pole
  PutAnim(doc, 0, 255, 65);                // Yellow flag, bottom row
  PutAnim(doc, 5, 0, SWITCH_ANIM);         // switches are counted, not listed
  PutTile(doc, 255, 255, 79);              // popup in the very last cell
  doc.At(5, 5).SetValues({37, 28, -1});    // an animation id left in a plain cell is no object
  doc.At(7, 5).SetValues({39, 46, 0});     // a popup tile under an animation is hidden
  std::vector<ObjectRecord> objects(3);
  CountMapObjects(doc, &objects);
  using Counts = std::array<uint8_t, 4>;
  EXPECT_EQ(std::tuple(doc.flagCount, doc.poleCount, doc.poleTeams[2]),
            std::tuple(Counts{1, 0, 1, 1}, Counts{1, 0, 2, 1}, std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(doc.neutralFlagCount + doc.switchCount * 10 + doc.popupCount * 100, 1 + 10 + 200);
  ASSERT_EQ(objects.size(), 5u);
  EXPECT_EQ((std::vector<int>{objects[0].column, objects[1].anim, objects[1].row, objects[4].row}),
            (std::vector<int>{200, 140, 1, 255}));

  // The list stops at its capacity; the counts wrap like their file fields:
  // 256 Green poles holding Red and one holding Blue give one pole.
  MapDocument many;
  for (int i = 0; i < 2100; ++i) PutAnim(many, i % 256, 1 + i / 256, i < 256 ? 25 : 140);
  PutAnim(many, 0, 250, 26);
  CountMapObjects(many, &objects);
  EXPECT_EQ(std::tuple(objects.size(), many.poleTeams[0], int{many.neutralFlagCount}),
            std::tuple(kObjectListCapacity, std::vector<uint8_t>{2}, (2100 - 256) % 256));
}

TEST(CheckFlags, ActiveTypesAgainstTheTeamCountThenPolesFromYellowDown) {
  MapDocument doc;
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_TOO_FEW_FLAG_TYPES, -1}));
  for (int32_t flag : {28, 37, 46}) PutAnim(doc, flag, 0, flag);
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_TOO_MANY_FLAG_TYPES, -1}));
  doc.teamCount = 4;
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_TOO_FEW_FLAG_TYPES, -1}));
  PutAnim(doc, 65, 0, 65);  // each flag is its own pole
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_YELLOW}));
  for (int32_t pole : {27, 35, 43}) PutAnim(doc, pole, 1, pole);  // the other teams' poles for Yellow's flag
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_BLUE}));
}

TEST(CheckFlags, PolesOfOtherTeamsCountForTheFlagTheyHold) {
  MapDocument doc;
  // A Green flag, a Red pole holding Green, a Red flag, a Green pole holding Red.
  for (auto [column, anim] : {std::pair{0, 28}, {1, 32}, {2, 37}, {3, 25}}) PutAnim(doc, column, 0, anim);
  EXPECT_EQ(Flags(doc), CheckResult{});
  PutAnim(doc, 4, 0, 40);  // a Blue pole holding Green: one pole too many
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_LESS_FLAGS_THAN_POLES, TEAM_GREEN}));
  for (int column : {4, 1}) PutTile(doc, column, 0, BLANK_TILE);
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_GREEN}));
}

TEST(CheckFlags, NeutralFlagsAndSwitches) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 140);  // lifts the active-type rule, so the pole rule speaks
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_NEUTRAL}));
  for (int32_t pole : {128, 129}) PutAnim(doc, pole - 127, 0, pole);  // Green and Red poles holding it
  EXPECT_EQ(Flags(doc), CheckResult{});
  PutAnim(doc, 3, 0, 131);  // poles of absent teams still count
  EXPECT_EQ(Flags(doc), (CheckResult{IDS_LESS_FLAGS_THAN_POLES, TEAM_NEUTRAL}));
  MapDocument switches;
  PutAnim(switches, 0, 0, SWITCH_ANIM);
  EXPECT_EQ(Flags(switches), CheckResult{});  // two teams, a switch game
  switches.teamCount = 3;
  EXPECT_EQ(Flags(switches), (CheckResult{IDS_SWITCHES_MORE_THAN_2_TEAMS, -1}));
  PutAnim(switches, 255, 255, 65);
  EXPECT_EQ(Flags(switches), (CheckResult{IDS_SWITCHES_AND_FLAGS, -1}));
}

TEST(CheckSpawnsAndPens, PensBeforeSpawnsForPlayingTeamsThenNoneForAbsentOnes) {
  MapDocument doc;
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_GREEN}));
  PutTile(doc, 0, 0, 146);
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_SPAWN_FOR_TEAM, TEAM_GREEN}));
  PutTile(doc, 1, 0, 63);
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_RED}));
  PutAnim(doc, 2, 0, 142);                 // Red pen animation
  PutAnim(doc, 3, 0, 164);                 // Red spawn animation
  doc.At(50, 50).SetValues({316, 7, 0});   // a Yellow pen tile under an animation does not count
  EXPECT_EQ(CheckSpawnsAndPens(doc), CheckResult{});
  PutAnim(doc, 255, 255, 165);  // Blue spawn animation in the last cell
  PutTile(doc, 254, 255, 316);  // a Yellow pen: Blue is still reported first
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_SPAWN_FOR_ABSENT_TEAM, TEAM_BLUE}));
  PutTile(doc, 255, 255, BLANK_TILE);
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_PEN_FOR_ABSENT_TEAM, TEAM_YELLOW}));
  doc.teamCount = 4;
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_BLUE}));
  EXPECT_EQ(CheckMessage({IDS_LESS_FLAGS_THAN_POLES, 4}), "Less flags than there are flag poles for them (Neutral)");
}

TEST(MapReports, GeneralInformationCountsAndRecommends) {
  MapDocument doc;
  EXPECT_NE(BuildMapReports(doc).general.find("Recommended game type: Frag game\n"), std::string::npos);
  for (int column : {0, 1, 2}) PutAnim(doc, column, 0, 28);
  PutAnim(doc, 0, 255, 37);
  PutAnim(doc, 5, 5, 140);  // neutral flags count in the total only
  doc.At(9, 9).tile = 76;   // a popup
  doc.gameType = 9;
  EXPECT_EQ(BuildMapReports(doc).general,
            "Flags:\n\tNeutral: 1, Green: 3, Red: 1\n\tBlue: 0, Yellow: 0\n\n\tNumber Active: 4\n"
            "\tNumber of Active Types: 2\n\tTotal: 5\nSwitches: 0\nPopups: 1\n\n"
            "Recommended game type: Flag game\nCurrent type: 9 (Switch game)\n\nNumber of Teams: 2");
}

TEST(MapReports, FlagPolesAreListedUnderTheirOwnTeam) {
  MapDocument doc;
  PutAnim(doc, 7, 9, 25);      // Green pole holding Red
  PutAnim(doc, 8, 9, 41);      // Blue pole holding Red
  PutAnim(doc, 1, 10, 140);    // neutral flags are in the list but not in the report
  PutAnim(doc, 2, 10, 128);    // Green pole holding the neutral flag
  PutAnim(doc, 200, 255, 65);  // Yellow flag
  EXPECT_EQ(BuildMapReports(doc).flagPoles,
            "Green Team:\n\t0: for Red flag (x,y,data: 7,9,0x19)\n\t1: for Neutral flag (x,y,data: 2,10,0x80)\n"
            "Red Team:\nBlue Team:\n\t0: for Red flag (x,y,data: 8,9,0x29)\n"
            "Yellow Team:\n\t0: for Yellow flag (x,y,data: 200,255,0x41)\n");
}

}  // namespace
}  // namespace quarl
