#include <gtest/gtest.h>

#include <set>

#include "base/string_table.h"
#include "map/map_checks.h"

namespace quarl {
namespace {

void PutAnim(MapDocument& doc, int column, int row, int32_t anim) {
  Cell& cell = doc.At(column, row);
  cell.tile = -1;
  cell.anim = anim;
  cell.data = 0;
}

void PutTile(MapDocument& doc, int column, int row, int32_t tile) {
  Cell& cell = doc.At(column, row);
  cell.tile = tile;
  cell.anim = -1;
  cell.data = -1;
}

// Every team present with a pen and a spawn, so the spawn check stays quiet.
void GiveEveryTeamPenAndSpawn(MapDocument& doc, int teams) {
  const int32_t pens[] = {146, 186, 276, 316};
  const int32_t spawns[] = {63, 103, 192, 232};
  for (int t = 0; t < teams; ++t) {
    PutTile(doc, t, 10, pens[t]);
    PutTile(doc, t, 11, spawns[t]);
  }
}

CheckResult CountAndCheckFlags(MapDocument& doc) {
  CountMapObjects(doc);
  return CheckFlags(doc);
}

TEST(ObjectTables, FlagsBelongToTheirTeamOnly) {
  const int32_t flags[] = {28, 37, 46, 65, 140};
  for (int team = 0; team <= 4; ++team)
    for (int other = 0; other <= 4; ++other)
      EXPECT_EQ(IsFlagAnim(team, flags[other]), team == other) << team << " " << other;
  EXPECT_FALSE(IsFlagAnim(5, 140));
  EXPECT_FALSE(IsFlagAnim(-1, 28));
  EXPECT_FALSE(IsFlagAnim(0, 25));  // a pole holding Red is no flag
}

TEST(ObjectTables, EveryPoleHasOneTeamAndEachColourOnce) {
  const int32_t poles[4][5] = {
      {25, 26, 27, 128, 28}, {32, 34, 35, 129, 37}, {40, 41, 43, 130, 46}, {58, 59, 60, 131, 65}};
  for (int team = 0; team < 4; ++team) {
    std::set<int> colours;
    for (int32_t pole : poles[team]) {
      for (int other = 0; other < 4; ++other) EXPECT_EQ(IsPoleAnim(other, pole), other == team) << pole;
      colours.insert(PoleFlagColour(pole));
      EXPECT_EQ(GetPoleAnim(team, PoleFlagColour(pole)), pole);
    }
    EXPECT_EQ(colours, (std::set<int>{0, 1, 2, 3, 4})) << team;
    EXPECT_EQ(PoleFlagColour(poles[team][4]), team);  // the own flag holds its own colour
  }
  EXPECT_EQ(GetPoleAnim(0, 1), 25);
  EXPECT_EQ(GetPoleAnim(1, 0), 32);
  EXPECT_EQ(GetPoleAnim(2, 3), 43);
  EXPECT_EQ(GetPoleAnim(3, 4), 131);
  EXPECT_EQ(PoleFlagColour(41), 1);
  EXPECT_EQ(PoleFlagColour(60), 2);
  EXPECT_EQ(PoleFlagColour(35), 3);
  EXPECT_EQ(PoleFlagColour(58), 0);
  EXPECT_EQ(PoleFlagColour(130), 4);
  EXPECT_FALSE(IsPoleAnim(4, 128));
  EXPECT_FALSE(IsPoleAnim(0, 140));
  EXPECT_FALSE(IsPoleAnim(0, SWITCH_ANIM));
  EXPECT_EQ(GetPoleAnim(4, 0), -1);
  EXPECT_EQ(GetPoleAnim(0, 7), -1);
}

TEST(ObjectTables, PopupTilesAreExactlyTheEight) {
  std::set<int32_t> found;
  for (int32_t tile = -1; tile < 1000; ++tile)
    if (IsPopupTile(tile)) found.insert(tile);
  EXPECT_EQ(found, (std::set<int32_t>{36, 37, 38, 39, 76, 77, 78, 79}));
}

TEST(CountMapObjects, CountsEachKindOfObject) {
  MapDocument doc;
  PutAnim(doc, 3, 4, 28);           // Green flag: a Green flag and a Green pole
  PutAnim(doc, 9, 4, 32);           // Red pole holding Green
  PutAnim(doc, 1, 200, 140);        // neutral flag
  PutAnim(doc, 2, 200, SWITCH_ANIM);
  PutAnim(doc, 3, 200, SWITCH_ANIM);
  PutTile(doc, 0, 0, 36);           // popup
  PutTile(doc, 255, 255, 79);       // popup in the very last cell
  CountMapObjects(doc);
  EXPECT_EQ(doc.flagCount, (std::array<uint8_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(doc.poleCount, (std::array<uint8_t, 4>{1, 1, 0, 0}));
  EXPECT_EQ(doc.poleTeams[0], (std::vector<uint8_t>{0}));
  EXPECT_EQ(doc.poleTeams[1], (std::vector<uint8_t>{0}));
  EXPECT_TRUE(doc.poleTeams[2].empty());
  EXPECT_EQ(doc.neutralFlagCount, 1);
  EXPECT_EQ(doc.switchCount, 2);
  EXPECT_EQ(doc.popupCount, 2);
}

TEST(CountMapObjects, OnlyCellsWithAnimAndDataAreObjects) {
  MapDocument doc;
  // An animation id left in a plain cell is not an object; its tile counts.
  Cell& plain = doc.At(5, 5);
  plain.tile = 37;
  plain.anim = 28;
  plain.data = -1;
  // An animated cell without an animation id falls back to its tile.
  Cell& noAnim = doc.At(6, 5);
  noAnim.tile = 38;
  noAnim.anim = -1;
  noAnim.data = 3;
  // A popup tile under an animation is hidden by it.
  Cell& hidden = doc.At(7, 5);
  hidden.tile = 39;
  hidden.anim = 46;
  hidden.data = 0;
  CountMapObjects(doc);
  EXPECT_EQ(doc.flagCount, (std::array<uint8_t, 4>{0, 0, 1, 0}));
  EXPECT_EQ(doc.popupCount, 2);
}

TEST(CountMapObjects, ReplacesStaleCountsAndLists) {
  MapDocument doc;
  doc.flagCount = {3, 3, 3, 3};
  doc.poleCount = {2, 0, 0, 0};
  doc.poleTeams[0] = {1, 1};
  doc.switchCount = 9;
  doc.neutralFlagCount = 4;
  doc.popupCount = 100;
  std::vector<ObjectRecord> objects(5);
  CountMapObjects(doc, &objects);
  EXPECT_EQ(doc.flagCount, (std::array<uint8_t, 4>{}));
  EXPECT_EQ(doc.poleCount, (std::array<uint8_t, 4>{}));
  for (const auto& teams : doc.poleTeams) EXPECT_TRUE(teams.empty());
  EXPECT_EQ(doc.switchCount, 0);
  EXPECT_EQ(doc.neutralFlagCount, 0);
  EXPECT_EQ(doc.popupCount, 0);
  EXPECT_TRUE(objects.empty());
}

TEST(CountMapObjects, ObjectListIsInCellIndexOrder) {
  MapDocument doc;
  PutAnim(doc, 200, 0, 41);    // Blue pole holding Red
  PutAnim(doc, 10, 1, 140);    // neutral flag
  PutAnim(doc, 11, 1, 25);     // Green pole holding Red
  PutAnim(doc, 0, 255, 65);    // Yellow flag, bottom row
  PutAnim(doc, 5, 0, SWITCH_ANIM);  // switches are not listed
  std::vector<ObjectRecord> objects;
  CountMapObjects(doc, &objects);
  ASSERT_EQ(objects.size(), 4u);
  EXPECT_EQ(objects[0].column, 200);
  EXPECT_EQ(objects[0].row, 0);
  EXPECT_EQ(objects[0].anim, 41);
  EXPECT_EQ(objects[1].anim, 140);
  EXPECT_EQ(objects[1].column, 10);
  EXPECT_EQ(objects[1].row, 1);
  EXPECT_EQ(objects[2].anim, 25);
  EXPECT_EQ(objects[3].anim, 65);
  EXPECT_EQ(objects[3].row, 255);
  EXPECT_EQ(doc.poleCount, (std::array<uint8_t, 4>{1, 0, 1, 1}));
  EXPECT_EQ(doc.poleTeams[2], (std::vector<uint8_t>{1}));
  EXPECT_EQ(doc.poleTeams[3], (std::vector<uint8_t>{3}));
}

TEST(CountMapObjects, ObjectListStopsAtItsCapacityButCountingGoesOn) {
  MapDocument doc;
  for (int i = 0; i < 2100; ++i) PutAnim(doc, i % 256, i / 256, 140);
  std::vector<ObjectRecord> objects;
  CountMapObjects(doc, &objects);
  EXPECT_EQ(objects.size(), kObjectListCapacity);
  EXPECT_EQ(objects.back().column, 2047 % 256);
  EXPECT_EQ(objects.back().row, 2047 / 256);
  EXPECT_EQ(doc.neutralFlagCount, 2100 % 256);
}

TEST(CountMapObjects, CountsWrapAroundLikeTheirFileFields) {
  MapDocument doc;
  // 256 Green poles holding Red, then one holding Blue: the count wraps to 1
  // and the last pole's colour has taken the first slot.
  for (int i = 0; i < 256; ++i) PutAnim(doc, i % 256, i / 256, 25);
  PutAnim(doc, 0, 1, 26);
  for (int i = 0; i < 300; ++i) PutAnim(doc, i % 256, 2 + i / 256, SWITCH_ANIM);
  for (int i = 0; i < 256; ++i) PutAnim(doc, i, 4, 37);  // Red flags
  CountMapObjects(doc);
  EXPECT_EQ(doc.poleCount[0], 1);
  EXPECT_EQ(doc.poleTeams[0], (std::vector<uint8_t>{2}));
  EXPECT_EQ(doc.switchCount, 300 - 256);
  EXPECT_EQ(doc.flagCount[1], 0);
  EXPECT_EQ(doc.poleCount[1], 0);
  EXPECT_TRUE(doc.poleTeams[1].empty());

  MapDocument popups;
  for (Cell& cell : popups.cells) cell.tile = 77;
  CountMapObjects(popups);
  EXPECT_EQ(popups.popupCount, 0);  // 65536 wraps to 0
  popups.cells.back().tile = 1;
  CountMapObjects(popups);
  EXPECT_EQ(popups.popupCount, 65535);
}

TEST(CheckFlags, EmptyMapHasTooFewFlagTypes) {
  MapDocument doc;
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_TOO_FEW_FLAG_TYPES, -1}));
}

TEST(CheckFlags, ActiveTypesAgainstTeamCount) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 28);
  PutAnim(doc, 1, 0, 37);
  PutAnim(doc, 2, 0, 46);
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_TOO_MANY_FLAG_TYPES, -1}));
  doc.teamCount = 4;
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_TOO_FEW_FLAG_TYPES, -1}));
  // Rule 3 comes before any pole count: the poles here do not match at all.
  doc.teamCount = 3;
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, 2}));
}

TEST(CheckFlags, PolesOfOtherTeamsCountForTheFlagTheyHold) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 28);  // Green flag
  PutAnim(doc, 1, 0, 32);  // Red pole holding Green
  PutAnim(doc, 2, 0, 37);  // Red flag
  PutAnim(doc, 3, 0, 25);  // Green pole holding Red
  EXPECT_EQ(CountAndCheckFlags(doc), CheckResult{});

  PutAnim(doc, 4, 0, 40);  // a Blue pole holding Green: one pole too many
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_LESS_FLAGS_THAN_POLES, TEAM_GREEN}));

  PutTile(doc, 4, 0, BLANK_TILE);
  PutTile(doc, 1, 0, BLANK_TILE);  // Green now lacks the Red team's pole
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_GREEN}));
}

TEST(CheckFlags, TeamsAreCheckedFromYellowDown) {
  MapDocument doc;
  doc.teamCount = 4;
  PutAnim(doc, 0, 0, 28);
  PutAnim(doc, 1, 0, 37);
  PutAnim(doc, 2, 0, 46);
  PutAnim(doc, 3, 0, 65);
  // Each flag is its own pole: 1 pole per colour, 4 needed.
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_YELLOW}));
  PutAnim(doc, 4, 0, 27);
  PutAnim(doc, 5, 0, 35);
  PutAnim(doc, 6, 0, 43);
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_BLUE}));
}

TEST(CheckFlags, NeutralFlagsNeedPolesOfEveryTeamCount) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 140);
  // A neutral flag lifts the active-type rule, so the pole rule speaks.
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_MORE_FLAGS_THAN_POLES, TEAM_NEUTRAL}));
  PutAnim(doc, 1, 0, 128);
  PutAnim(doc, 2, 0, 129);
  EXPECT_EQ(CountAndCheckFlags(doc), CheckResult{});
  // Poles of absent teams still count.
  PutAnim(doc, 3, 0, 131);
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_LESS_FLAGS_THAN_POLES, TEAM_NEUTRAL}));
}

TEST(CheckFlags, SwitchesWithFlagsOrWithManyTeams) {
  MapDocument doc;
  PutAnim(doc, 0, 0, SWITCH_ANIM);
  EXPECT_EQ(CountAndCheckFlags(doc), CheckResult{});  // two teams, a switch game
  doc.teamCount = 3;
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_SWITCHES_MORE_THAN_2_TEAMS, -1}));
  PutAnim(doc, 1, 0, 140);
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_SWITCHES_AND_FLAGS, -1}));
  PutTile(doc, 1, 0, BLANK_TILE);
  doc.teamCount = 2;
  PutAnim(doc, 255, 255, 65);
  EXPECT_EQ(CountAndCheckFlags(doc), (CheckResult{IDS_SWITCHES_AND_FLAGS, -1}));
}

TEST(CheckSpawnsAndPens, PensBeforeSpawnsForPlayingTeams) {
  MapDocument doc;
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_GREEN}));
  PutTile(doc, 0, 0, 146);
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_SPAWN_FOR_TEAM, TEAM_GREEN}));
  PutTile(doc, 1, 0, 147);
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_RED}));
  PutAnim(doc, 2, 0, 142);  // Red pen animation
  PutAnim(doc, 3, 0, 164);  // Red spawn animation
  EXPECT_EQ(CheckSpawnsAndPens(doc), CheckResult{});
  doc.teamCount = 4;
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_BLUE}));
}

TEST(CheckSpawnsAndPens, AbsentTeamsMustHaveNone) {
  MapDocument doc;
  GiveEveryTeamPenAndSpawn(doc, 2);
  PutTile(doc, 100, 255, 316);  // Yellow pen in the bottom row
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_PEN_FOR_ABSENT_TEAM, TEAM_YELLOW}));
  PutTile(doc, 100, 255, BLANK_TILE);
  PutAnim(doc, 255, 255, 165);  // Blue spawn animation in the last cell
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_SPAWN_FOR_ABSENT_TEAM, TEAM_BLUE}));
  PutAnim(doc, 254, 255, 144);  // a Yellow pen: Blue is still reported first
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_SPAWN_FOR_ABSENT_TEAM, TEAM_BLUE}));
  doc.teamCount = 3;
  EXPECT_EQ(CheckSpawnsAndPens(doc), (CheckResult{IDS_NO_PEN_FOR_TEAM, TEAM_BLUE}));
}

TEST(CheckSpawnsAndPens, PlainCellsCountTilesAnimatedCellsCountAnims) {
  MapDocument doc;
  GiveEveryTeamPenAndSpawn(doc, 2);
  Cell& cell = doc.At(50, 50);
  cell.tile = 316;  // a Yellow pen tile under an animation does not count
  cell.anim = 7;
  cell.data = 0;
  Cell& other = doc.At(51, 50);
  other.tile = 5;
  other.anim = 144;  // a Yellow pen animation in a plain cell does not count
  other.data = -1;
  EXPECT_EQ(CheckSpawnsAndPens(doc), CheckResult{});
}

TEST(CheckMessage, AddsTheTeamName) {
  EXPECT_EQ(CheckMessage({IDS_TOO_FEW_FLAG_TYPES, -1}), "Less active types of flags than there are number of teams");
  EXPECT_EQ(CheckMessage({IDS_NO_PEN_FOR_TEAM, 0}), "Holding pen non-existant for a team that exists (Green)");
  EXPECT_EQ(CheckMessage({IDS_PEN_FOR_ABSENT_TEAM, 3}), "Holding pen exists for non-existant team (Yellow)");
  EXPECT_EQ(CheckMessage({IDS_MORE_FLAGS_THAN_POLES, 4}), "More flags than there are flag poles for them (Neutral)");
  EXPECT_EQ(CheckMessage({IDS_LESS_FLAGS_THAN_POLES, 9}), "Less flags than there are flag poles for them (Neutral)");
  EXPECT_EQ(CheckMessage({IDS_SWITCHES_AND_FLAGS, -1}),
            "Switches and flags reside in the map.\nChoose one or the other");
}

}  // namespace
}  // namespace quarl
