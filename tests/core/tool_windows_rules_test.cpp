#include <gtest/gtest.h>

#include "map/map_document.h"
#include "map/tile_tables.h"
#include "tools/tile_palette.h"
#include "tools/toolbox.h"

namespace quarl {
namespace {

TEST(ToolboxRules, ButtonsGripAndDockingBands) {
  EXPECT_EQ(std::tuple(ToolButtonAt(31, 159, true), ToolButtonAt(32, 128, true), ToolButtonAt(544, 0, false)),
            std::tuple(16, -1, -1));  // the last row holds tool 16 only
  EXPECT_FALSE(IsOnGrip(0, 159, true) || IsOnGrip(551, 9, false) || IsOnGrip(558, 9, false));
  EXPECT_TRUE(IsOnGrip(0, 160, true) && IsOnGrip(552, 9, false) && IsOnGrip(557, 9, false));
  const DockTarget bar = DockTargetAt(500, 76, 900, 40, true), column = DockTargetAt(129, 77, 900, 40, false);
  EXPECT_EQ(std::tuple(bar.changes, bar.vertical, bar.ghost), std::tuple(true, false, Rect{0, 40, 900, 76}));
  EXPECT_EQ(std::tuple(column.changes, column.vertical, column.ghost), std::tuple(true, true, Rect{0, 40, 130, 210}));
  EXPECT_FALSE(DockTargetAt(500, 76, 900, 40, false).changes);  // the band docks the bar only from the column
}

TEST(ToolboxRules, ChoicesDismissalAndNeutralPoles) {
  using P = std::pair<int, int>;
  InitTileTables();
  AnimationList animations;
  ToolState tools;
  RunToolboxCommand(tools, TOOL_BUNKER);  // a popup's tool is current while it is open
  EXPECT_EQ((P{tools.currentTool, tools.currentToolCommand}), (P{TOOL_BUNKER, TOOL_EDIT}));
  ChoosePopupItem(tools, 1226, animations);  // a type opens the direction popup, whose choice sets the command
  ChoosePopupItem(tools, 1230, animations);
  EXPECT_EQ((P{tools.currentVariantCommand, tools.currentToolCommand}), (P{TOOL_BUNKER_UP, TOOL_BUNKER}));
  RunToolboxCommand(tools, TOOL_MIRROR);  // Mirror's choice comes after its popup's closing
  DismissToolPopups(tools);
  EXPECT_EQ(ChoosePopupItem(tools, 1327, animations).frameCommand, TOOL_MIRROR);
  EXPECT_EQ((P{tools.mirrorDirection, tools.currentToolCommand}), (P{2, TOOL_EDIT}));
  tools.currentTeam = TEAM_BLUE;
  const ToolboxAction poles = RunToolboxCommand(tools, TOOL_FLAG_POLE);
  EXPECT_EQ((P{static_cast<int>(poles.popup.size()), poles.popup.at(2).command}), (P{4, 1628}));  // Neutral last
  tools.currentTeam = TEAM_NEUTRAL;
  EXPECT_EQ(RunToolboxCommand(tools, TOOL_FLAG_POLE).message,
            "Neutral flag poles are not possible\nMust start as a flag.");
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);  // the flag tool instead
}

TEST(TilePaletteRules, BlockPicksInFourDirections) {
  // A press at client (50, 19), scrolled 16 down, anchors tile (3, 2) at sheet pixel (48, 32); moves are
  // client positions raised to tile edges. Going left or up leaves the anchor's column or row out.
  const std::tuple<int, int, BlockPick::Block> moves[] = {
      {90, 40, {83, 3, 2}}, {20, 40, {82, 1, 2}}, {90, 0, {43, 3, 1}}, {20, 0, {42, 1, 1}},
      {36, 40, {83, 0, 2}}, {90, 5, {83, 3, 0}},  // within the anchor's column, or the row above: zero wide or high
      {0xFFF0, 40, {83, 37, 2}}};                  // left of the window reads large: to the sheet's edge
  EXPECT_EQ(BlockPick(50, 19, 0, 16).Picked(), (BlockPick::Block{83, 1, 1}));
  for (const auto& [x, y, picked] : moves) {
    BlockPick pick(50, 19, 0, 16);
    pick.MoveTo(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    EXPECT_EQ(pick.Picked(), picked) << x << "," << y;
  }
  EXPECT_EQ(TileNumberAt(-20, 17), 39);  // divided toward zero
}

}  // namespace
}  // namespace quarl
