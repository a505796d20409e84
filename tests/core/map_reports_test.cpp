#include <gtest/gtest.h>

#include <cstdint>

#include "app/map_reports.h"
#include "base/scripted_user_interface.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

void PutAnim(MapDocument& doc, int column, int row, int32_t anim) {
  Cell& cell = doc.At(column, row);
  cell.tile = -1;
  cell.anim = anim;
  cell.data = 0;
}

const char kEmptyPoleReport[] = "Green Team:\nRed Team:\nBlue Team:\nYellow Team:\n";

TEST(GeneralInformation, FlagMapWithTwoActiveTypes) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 28);
  PutAnim(doc, 1, 0, 28);
  PutAnim(doc, 2, 0, 28);
  PutAnim(doc, 0, 1, 37);
  PutAnim(doc, 0, 255, 37);
  doc.At(9, 9).tile = 76;  // a popup
  doc.gameType = 1;
  EXPECT_EQ(BuildMapReports(doc).general,
            "Flags:\n\tNeutral: 0, Green: 3, Red: 2\n\tBlue: 0, Yellow: 0\n\n\tNumber Active: 5\n"
            "\tNumber of Active Types: 2\n\tTotal: 5\nSwitches: 0\nPopups: 1\n\n"
            "Recommended game type: Flag game\nCurrent type: 1 (Flag game)\n\nNumber of Teams: 2");
}

TEST(GeneralInformation, NeutralFlagsCountInTheTotalOnly) {
  MapDocument doc;
  PutAnim(doc, 0, 0, 140);
  PutAnim(doc, 1, 0, 140);
  PutAnim(doc, 2, 0, 46);
  doc.teamCount = 3;
  doc.gameType = 9;
  const std::string text = BuildMapReports(doc).general;
  EXPECT_NE(text.find("\tNeutral: 2, Green: 0, Red: 0\n\tBlue: 1, Yellow: 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\tNumber Active: 1\n\tNumber of Active Types: 1\n\tTotal: 3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Current type: 9 (Switch game)\n\nNumber of Teams: 3"), std::string::npos) << text;
}

TEST(GeneralInformation, RecommendsTheGameTypeFromTheObjects) {
  MapDocument doc;
  EXPECT_NE(BuildMapReports(doc).general.find("Recommended game type: Frag game\n"), std::string::npos);
  PutAnim(doc, 4, 4, 140);
  EXPECT_NE(BuildMapReports(doc).general.find("Recommended game type: Flag game\n"), std::string::npos);
  PutAnim(doc, 5, 4, SWITCH_ANIM);
  const std::string text = BuildMapReports(doc).general;
  EXPECT_NE(text.find("Switches: 1\n"), std::string::npos);
  EXPECT_NE(text.find("Recommended game type: Switch game\n"), std::string::npos);
}

TEST(FlagPolesInformation, EmptyMapShowsTheFourHeadingsOnly) {
  MapDocument doc;
  EXPECT_EQ(BuildMapReports(doc).flagPoles, kEmptyPoleReport);
}

TEST(FlagPolesInformation, PolesAreListedUnderTheirOwnTeam) {
  MapDocument doc;
  PutAnim(doc, 7, 9, 25);     // Green pole holding Red
  PutAnim(doc, 8, 9, 41);     // Blue pole holding Red
  PutAnim(doc, 1, 10, 140);   // neutral flags are in the list but not in the report
  PutAnim(doc, 2, 10, 128);   // Green pole holding the neutral flag
  PutAnim(doc, 200, 255, 65); // Yellow flag
  EXPECT_EQ(BuildMapReports(doc).flagPoles,
            "Green Team:\n"
            "\t0: for Red flag (x,y,data: 7,9,0x19)\n"
            "\t1: for Neutral flag (x,y,data: 2,10,0x80)\n"
            "Red Team:\n"
            "Blue Team:\n"
            "\t0: for Red flag (x,y,data: 8,9,0x29)\n"
            "Yellow Team:\n"
            "\t0: for Yellow flag (x,y,data: 200,255,0x41)\n");
}

TEST(FlagPolesInformation, LongReportKeepsWholeLinesWithinTheBuffer) {
  MapDocument doc;
  for (int i = 0; i < 200; ++i) PutAnim(doc, i, 20, 26);   // Green poles holding Blue
  for (int i = 0; i < 200; ++i) PutAnim(doc, i, 30, 59);   // Yellow poles holding Red
  std::vector<ObjectRecord> objects;
  CountMapObjects(doc, &objects);
  const std::string full = FlagPolesInformationText(doc, objects, SIZE_MAX);
  const std::string cut = FlagPolesInformationText(doc, objects);
  ASSERT_GT(full.size(), kReportTextLimit);
  EXPECT_LE(cut.size(), kReportTextLimit);
  EXPECT_EQ(full.compare(0, cut.size(), cut), 0);
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut.back(), '\n');
  // The next line would not have fitted.
  const size_t nextEnd = full.find('\n', cut.size());
  EXPECT_GT(nextEnd + 1, kReportTextLimit);
  EXPECT_NE(full.find("\t199: for Red flag (x,y,data: 199,30,0x3B)\n"), std::string::npos);
}

TEST(FlagPolesInformation, PolesMissingFromAFullObjectListAreLeftOut) {
  MapDocument doc;
  for (int i = 0; i < 2048; ++i) PutAnim(doc, i % 256, i / 256, 140);
  PutAnim(doc, 0, 100, 26);  // after the list is full
  std::vector<ObjectRecord> objects;
  CountMapObjects(doc, &objects);
  ASSERT_EQ(doc.poleCount[0], 1);
  EXPECT_EQ(FlagPolesInformationText(doc, objects), kEmptyPoleReport);
}

TEST(ShowMapReports, ShowsBothReportsOfTheActiveMap) {
  testing::TestEditor t;
  Editor& editor = t.editor;
  ScriptedUserInterface& ui = t.ui;
  EXPECT_EQ(ShowMapReports(editor), 0);
  EXPECT_TRUE(ui.messages.empty());

  MapDocument* doc = testing::NewMap(t);
  ASSERT_TRUE(doc);
  doc->flagCount = {7, 7, 7, 7};  // stale values from a load are replaced
  doc->poleCount = {1, 0, 0, 0};
  doc->poleTeams[0] = {3};
  PutAnim(*doc, 3, 3, SWITCH_ANIM);
  EXPECT_EQ(ShowMapReports(editor), 1);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].title, "General Information");
  EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
  EXPECT_NE(ui.messages[0].text.find("Green: 0, Red: 0"), std::string::npos);
  EXPECT_NE(ui.messages[0].text.find("Recommended game type: Switch game"), std::string::npos);
  EXPECT_EQ(ui.messages[1].title, "Flag Poles Information");
  EXPECT_EQ(ui.messages[1].text, kEmptyPoleReport);
  EXPECT_EQ(doc->switchCount, 1);
  EXPECT_EQ(doc->flagCount, (std::array<uint8_t, 4>{}));
}

}  // namespace
}  // namespace quarl
