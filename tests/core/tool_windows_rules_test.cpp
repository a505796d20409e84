// The tool windows' rules that their Win32 windows only show: toolbox
// geometry and docking bands, what popups, choices and dismissal do to the
// tool state, block picks, the overview.

#include <gtest/gtest.h>

#include "map/tile_tables.h"
#include "tools/overview.h"
#include "tools/tile_palette.h"
#include "tools/toolbox.h"

namespace quarl {
namespace {

TEST(ToolboxRules, ButtonsGripHighlightAndDockingBands) {
  EXPECT_EQ(ToolButtonAt(31, 159, true), 16);  // the last row holds tool 16 only
  EXPECT_EQ(ToolButtonAt(32, 128, true) + ToolButtonAt(544, 0, false), -2);
  EXPECT_FALSE(IsOnGrip(0, 159, true) || IsOnGrip(551, 9, false) || IsOnGrip(558, 9, false));
  EXPECT_TRUE(IsOnGrip(0, 160, true) && IsOnGrip(552, 9, false) && IsOnGrip(557, 9, false));

  const int T = 40, W = 900;
  const DockTarget bar = DockTargetAt(500, T + 36, W, T, true), column = DockTargetAt(129, T + 37, W, T, false);
  EXPECT_TRUE(bar.changes && !bar.vertical && column.changes && column.vertical);
  EXPECT_EQ(bar.ghost, (Rect{0, T, W, T + 36}));
  EXPECT_EQ(column.ghost, (Rect{0, T, 130, T + 170}));
  EXPECT_FALSE(DockTargetAt(500, T + 36, W, T, false).changes);  // the band docks the bar only from the column
}

TEST(ToolboxRules, ChoicesDismissalNeutralPoleAndOneShots) {
  InitTileTables();
  AnimationList animations;
  ToolState tools;
  // A popup's tool is current while it is open; the choice sets the command.
  RunToolboxCommand(tools, TOOL_BUNKER);
  EXPECT_EQ((std::pair<int, int>{tools.currentTool, tools.currentToolCommand}),
            (std::pair<int, int>{TOOL_BUNKER, TOOL_EDIT}));
  ChoosePopupItem(tools, 1226, animations);
  EXPECT_TRUE(tools.otherPopupPending);  // the direction popup is open
  ChoosePopupItem(tools, 1230, animations);
  EXPECT_EQ((std::pair<int, int>{tools.currentVariantCommand, tools.currentToolCommand}),
            (std::pair<int, int>{TOOL_BUNKER_UP, TOOL_BUNKER}));

  // Mirror's choice comes after its popup's closing.
  tools.currentTool = TOOL_SELECT;
  RunToolboxCommand(tools, TOOL_MIRROR);
  EXPECT_EQ(tools.currentTool, TOOL_SELECT);
  DismissToolPopups(tools);
  EXPECT_EQ(ChoosePopupItem(tools, 1327, animations).frameCommand, TOOL_MIRROR);
  EXPECT_EQ((std::pair<int, int>{tools.mirrorDirection, tools.currentToolCommand}), (std::pair<int, int>{2, TOOL_EDIT}));

  tools.currentTeam = TEAM_BLUE;
  const ToolboxAction poles = RunToolboxCommand(tools, TOOL_FLAG_POLE);
  ASSERT_EQ(poles.popup.size(), 4u);
  EXPECT_EQ(poles.popup[2].command, 1628);  // Blue left out, Neutral last
  tools.currentTeam = TEAM_NEUTRAL;
  const ToolboxAction refused = RunToolboxCommand(tools, TOOL_FLAG_POLE);
  EXPECT_EQ(refused.message, "Neutral flag poles are not possible\nMust start as a flag.");
  EXPECT_TRUE(refused.popup.empty());
  for (int command : {TOOL_COPY, TOOL_ROTATE}) EXPECT_EQ(RunToolboxCommand(tools, command).frameCommand, command);
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);
}

TEST(TilePaletteRules, BlockPicksInFourDirections) {
  // A press at client (50, 19), scrolled 16 down, anchors tile (3, 2) at sheet
  // pixel (48, 32); moves are client positions raised to tile edges.
  auto pick = [](int px, int py) {
    BlockPick p(50, 19, 0, 16);
    p.MoveTo(static_cast<uint16_t>(px), static_cast<uint16_t>(py));
    return p.Picked();
  };
  EXPECT_EQ(BlockPick(50, 19, 0, 16).Picked(), (BlockPick::Block{83, 1, 1}));
  EXPECT_EQ(pick(90, 40), (BlockPick::Block{83, 3, 2}));  // right and down
  EXPECT_EQ(pick(20, 40), (BlockPick::Block{82, 1, 2}));  // left: the anchor's column is out
  EXPECT_EQ(pick(90, 0), (BlockPick::Block{43, 3, 1}));   // up
  EXPECT_EQ(pick(20, 0), (BlockPick::Block{42, 1, 1}));   // left and up
  EXPECT_EQ(pick(36, 40), (BlockPick::Block{83, 0, 2}));  // within the anchor's column: zero wide
  EXPECT_EQ(pick(90, 5), (BlockPick::Block{83, 3, 0}));   // within the row above: zero high
  EXPECT_EQ(pick(0xFFF0, 40).width, (640 - 48) / 16);     // left of the window reads large: the sheet's edge
  EXPECT_EQ(TileNumberAt(-20, 17), 39);                    // divided toward zero
}

TEST(OverviewRules, PictureAndOutline) {
  MapDocument doc;
  doc.At(255, 0).tile = 0x0102;
  doc.At(1, 2).tile = 7;
  const std::vector<uint8_t> picture = OverviewPicture(doc);
  ASSERT_EQ(picture.size(), 256u * 768u);
  EXPECT_EQ((std::vector<int>{picture[255 * 3], picture[255 * 3 + 2], picture[2 * 768 + 3], picture[2 * 768 + 5]}),
            (std::vector<int>{2, 1, 7, 0}));
  EXPECT_EQ(OverviewOutlineOf(320, 48, 815, 15), (OverviewOutline{20, 3, 50, 0}));
}

}  // namespace
}  // namespace quarl
