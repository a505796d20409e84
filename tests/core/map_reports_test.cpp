#include <gtest/gtest.h>

#include "app/map_reports.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

void PutAnim(MapDocument& doc, int column, int row, int32_t anim) { doc.At(column, row).SetValues({-1, anim, 0}); }

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

TEST(MapReports, ShowMapReportsShowsBothReportsOfTheActiveMapRecounted) {
  testing::TestEditor t;
  EXPECT_EQ(ShowMapReports(t.editor), 0);
  MapDocument* doc = testing::NewMap(t);
  doc->poleCount = {1, 0, 0, 0};  // a stale count from a load is replaced
  PutAnim(*doc, 3, 3, SWITCH_ANIM);
  EXPECT_EQ(ShowMapReports(t.editor), 1);
  ASSERT_EQ(t.ui.messages.size(), 2u);
  EXPECT_EQ(t.ui.messages[0].title, "General Information");
  EXPECT_EQ(testing::Shown(t.ui)[1], "Flag Poles Information: Green Team:\nRed Team:\nBlue Team:\nYellow Team:\n");
}

}  // namespace
}  // namespace quarl
