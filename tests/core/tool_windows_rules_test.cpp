// The tool windows' rules that the Win32 windows only show: toolbox
// geometry, popups and what their choices set, block picks in the tile
// palette, the animation palette's rows, the overview's jump, what a cell
// shows.

#include <gtest/gtest.h>

#include "map/tile_tables.h"
#include "tools/animation_palette.h"
#include "tools/cell_look.h"
#include "tools/overview.h"
#include "tools/tile_palette.h"
#include "tools/toolbox.h"

namespace quarl {
namespace {

std::vector<int> Commands(const std::vector<PopupItem>& items) {
  std::vector<int> out;
  for (const PopupItem& item : items) out.push_back(item.command);
  return out;
}

TEST(ToolboxRules, ButtonsGripAndHighlightInBothLayouts) {
  // Vertical: four a row, the last row holds only tool 16; the grip below.
  EXPECT_EQ(ToolButtonAt(127, 0, true), 3);
  EXPECT_EQ(ToolButtonAt(0, 32, true), 4);
  EXPECT_EQ(ToolButtonAt(31, 159, true), 16);
  EXPECT_EQ(ToolButtonAt(32, 128, true), -1);
  // Horizontal: one row of 17; nothing below it or past the last button.
  EXPECT_EQ(ToolButtonAt(543, 31, false), 16);
  EXPECT_EQ(ToolButtonAt(544, 0, false), -1);
  EXPECT_EQ(ToolButtonAt(40, 32, false), -1);
  EXPECT_FALSE(IsOnGrip(0, 159, true));
  EXPECT_TRUE(IsOnGrip(0, 160, true));
  for (int x : {551, 558}) EXPECT_FALSE(IsOnGrip(x, 10, false)) << x;
  for (int x : {552, 557}) EXPECT_TRUE(IsOnGrip(x, 10, false)) << x;
  // The first row starts 3 pixels down and is 29 high; later rows are whole.
  EXPECT_EQ(ToolHighlight(2, true), (SunkenFrame{64, 3, 32, 29}));
  EXPECT_EQ(ToolHighlight(7, true), (SunkenFrame{96, 32, 32, 32}));
  EXPECT_EQ(ToolHighlight(16, true), (SunkenFrame{0, 128, 32, 32}));
  EXPECT_EQ(ToolHighlight(16, false), (SunkenFrame{512, 3, 32, 29}));
}

TEST(ToolboxRules, DockingBands) {
  const int T = 40, W = 900;
  // Into the band below the menu bar: horizontal, from the vertical layout only.
  EXPECT_EQ(DockTargetAt(500, T + 36, W, T, true).ghost, (Rect{0, T, W, T + 36}));
  EXPECT_FALSE(DockTargetAt(500, T + 36, W, T, true).vertical);
  EXPECT_FALSE(DockTargetAt(500, T + 36, W, T, false).changes);
  // Into the left 130 pixels below it: vertical.
  const DockTarget left = DockTargetAt(129, T + 37, W, T, false);
  EXPECT_TRUE(left.changes && left.vertical);
  EXPECT_EQ(left.ghost, (Rect{0, T, 130, T + 170}));
  EXPECT_FALSE(DockTargetAt(130, T + 300, W, T, false).changes);
}

TEST(ToolboxRules, PopupItemsAndCommandNumbers) {
  InitTileTables();
  AnimationList animations;
  ToolState tools;
  const ToolboxAction walls = RunToolboxCommand(tools, TOOL_WALL);
  ASSERT_EQ(walls.popup.size(), 12u);
  EXPECT_EQ(walls.popup.front().command, 1125);
  EXPECT_EQ(walls.popup.back().command, 1136);
  EXPECT_EQ(walls.popup[11].tiles, std::vector<int32_t>(wallSets[11], wallSets[11] + 15));
  EXPECT_EQ(tools.currentTool, TOOL_WALL);
  EXPECT_EQ(tools.currentToolCommand, TOOL_EDIT);  // set by the choice
  EXPECT_TRUE(tools.wallSetPopupPending);

  // A bunker type, then its direction: 1228 .. 1231 with three types.
  EXPECT_EQ(Commands(RunToolboxCommand(tools, TOOL_BUNKER).popup), (std::vector<int>{1225, 1226, 1227}));
  const ToolboxAction directions = ChoosePopupItem(tools, 1226, animations);
  EXPECT_EQ(Commands(directions.popup), (std::vector<int>{1228, 1229, 1230, 1231}));
  EXPECT_EQ(tools.currentBunkerType, 1);
  EXPECT_TRUE(tools.otherPopupPending && !tools.wallSetPopupPending);
  ChoosePopupItem(tools, 1230, animations);
  EXPECT_EQ(tools.currentVariantCommand, TOOL_BUNKER_UP);
  EXPECT_EQ(tools.currentToolCommand, TOOL_BUNKER);

  // The pole's teams: every team but the current one, Neutral always last.
  tools.currentTeam = TEAM_BLUE;
  const ToolboxAction poles = RunToolboxCommand(tools, TOOL_FLAG_POLE);
  EXPECT_EQ(Commands(poles.popup), (std::vector<int>{1625, 1626, 1628, 1629}));
  EXPECT_EQ(poles.popup[2].text, "Yellow");
  ChoosePopupItem(tools, 1628, animations);
  EXPECT_EQ(tools.poleFlagTeam, TEAM_YELLOW);
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG_POLE);

  // Five-tile spawns ask for a style next; its pictures are 3 x 3.
  RunToolboxCommand(tools, TOOL_SPAWN);
  const ToolboxAction styles = ChoosePopupItem(tools, 1825, animations);
  EXPECT_EQ(Commands(styles.popup), (std::vector<int>{1827, 1828, 1829}));
  EXPECT_EQ(styles.popup[2].columns, 3);
  ChoosePopupItem(tools, 1829, animations);
  EXPECT_EQ(tools.spawnStyle, 8);
  EXPECT_TRUE(ChoosePopupItem(tools, 1826, animations).popup.empty());
  EXPECT_EQ(tools.spawnKind, 1);
}

TEST(ToolboxRules, DismissalNeutralPoleAndOneShots) {
  AnimationList animations;
  ToolState tools;
  // A popup closed without a choice leaves the Edit tool.
  RunToolboxCommand(tools, TOOL_HOLDING_PEN);
  EXPECT_EQ(tools.currentTool, TOOL_HOLDING_PEN);
  EXPECT_TRUE(DismissToolPopups(tools));
  EXPECT_EQ(tools.currentTool, TOOL_EDIT);
  EXPECT_FALSE(DismissToolPopups(tools));  // nothing pending any more

  // Mirror: the dismissal comes first, so the command goes back to Edit's.
  tools.currentTool = TOOL_SELECT;
  RunToolboxCommand(tools, TOOL_MIRROR);
  EXPECT_EQ(tools.currentTool, TOOL_SELECT);
  DismissToolPopups(tools);
  const ToolboxAction mirror = ChoosePopupItem(tools, 1327, animations);
  EXPECT_EQ(mirror.frameCommand, TOOL_MIRROR);
  EXPECT_EQ(tools.mirrorDirection, 2);
  EXPECT_EQ(tools.currentToolCommand, TOOL_EDIT);

  tools.currentTeam = TEAM_NEUTRAL;
  const ToolboxAction refused = RunToolboxCommand(tools, TOOL_FLAG_POLE);
  EXPECT_EQ(refused.messageTitle, "Error - Quick Info");
  EXPECT_EQ(refused.message, "Neutral flag poles are not possible\nMust start as a flag.");
  EXPECT_TRUE(refused.popup.empty());
  EXPECT_EQ(tools.currentTool, TOOL_FLAG);
  EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);

  // One-shot buttons go to the frame and leave the tool as it was.
  for (int command : {TOOL_COPY, TOOL_CUT, TOOL_PASTE, TOOL_ROTATE}) {
    EXPECT_EQ(RunToolboxCommand(tools, command).frameCommand, command);
    EXPECT_EQ(tools.currentToolCommand, TOOL_FLAG);
  }
  // A number that is no popup item changes nothing.
  bool chosen = true;
  RunToolboxCommand(tools, TOOL_BRIDGE);
  ChoosePopupItem(tools, 1727, animations, &chosen);
  EXPECT_FALSE(chosen);
  EXPECT_TRUE(tools.otherPopupPending);
}

TEST(ToolboxRules, SpawnStylePictures) {
  InitTileTables();
  AnimationList animations;
  for (int id = 0; id < 256; ++id) animations.Append({0, 1, {1000 + id}});
  const std::vector<int32_t> edges = SpawnStylePicture(0, animations);
  const int32_t* green = spawnObjects[0];
  EXPECT_EQ(edges, (std::vector<int32_t>{0, 1000 + green[0], 0, 1000 + green[1], green[2], 1000 + green[3], 0,
                                          1000 + green[4], 0}));
  const std::vector<int32_t> corners = SpawnStylePicture(2, animations);
  EXPECT_EQ(corners[0], 1000 + spawnObjects[8][0]);
  EXPECT_EQ(corners[8], 1000 + spawnObjects[8][4]);
  EXPECT_EQ(corners[3], 103);
}

TEST(TilePaletteRules, BlockPicksInFourDirections) {
  // A press at client (50, 19) on a palette scrolled 16 down anchors tile
  // (3, 2), sheet pixel (48, 32); moves are client positions.
  auto pick = [](int px, int py) {
    BlockPick p(50, 19, 0, 16);
    p.MoveTo(static_cast<uint16_t>(px), static_cast<uint16_t>(py));
    return p.Picked();
  };
  EXPECT_EQ(BlockPick(50, 19, 0, 16).Picked(), (BlockPick::Block{83, 1, 1}));  // a click
  EXPECT_EQ(pick(90, 40), (BlockPick::Block{83, 3, 2}));                       // right and down
  EXPECT_EQ(pick(20, 40), (BlockPick::Block{82, 1, 2}));                       // left: the anchor's column is out
  EXPECT_EQ(pick(90, 0), (BlockPick::Block{43, 3, 1}));                        // up
  EXPECT_EQ(pick(20, 0), (BlockPick::Block{42, 1, 1}));                        // left and up
  EXPECT_EQ(pick(36, 40), (BlockPick::Block{83, 0, 2}));                       // within the anchor's column: zero wide
  EXPECT_EQ(pick(90, 5), (BlockPick::Block{83, 3, 0}));                        // within the row above: zero high
  // The right edge stops at the sheet's; a pointer left of the window reads large.
  EXPECT_EQ(pick(0xFFF0, 40).width, (640 - 48) / 16);
  BlockPick p(50, 19, 0, 16);
  p.MoveTo(20, 0);
  EXPECT_EQ(p.Highlight(), (Rect{32, 16, 48, 32}));
  EXPECT_EQ(TileNumberAt(0x10010, 0), 1);  // words are 16-bit
  EXPECT_EQ(TileNumberAt(-20, 17), 40 - 1);
}

TEST(AnimationPaletteRules, RowsEdgesAndPicks) {
  AnimationList animations;
  animations.Append({0, 3, {5, 6, 7}});
  animations.Append({0, 0, {}});
  EXPECT_EQ(AnimationIdLabel(255), "ff");
  EXPECT_EQ(AnimationEdgeRect(animations, 0), (Rect{0, 0, 80, 16}));
  EXPECT_EQ(AnimationEdgeRect(animations, 1), (Rect{0, 16, 32, 32}));
  EXPECT_EQ(AnimationEdgeRect(animations, 2), Rect{});
  EXPECT_EQ(AnimationAtClick(15, 0), 0);
  EXPECT_EQ(AnimationAtClick(16, 40), 3);  // 40 scrolls two whole rows
  EXPECT_EQ(AnimationRowsShown(40, 100).last, 8);
}

TEST(OverviewRules, JumpCentresOnWholeCells) {
  EXPECT_EQ(OverviewJumpTo(0, 0, 800, 600), (OverviewJump{-400, -288}));
  EXPECT_EQ(OverviewJumpTo(100, 50, 815, 31), (OverviewJump{1600 - 400, 800}));
}

TEST(CellLookRules, FramesAndUnknownAnimations) {
  AnimationList animations;
  animations.Append({0, 3, {5, 6, 7}});
  animations.Append({0, 0, {}});
  EXPECT_EQ(CellLookOf(Cell{12, -1, -1}, animations), (CellLook{false, 12}));
  EXPECT_EQ(CellLookOf(Cell{12, 0, 7}, animations), (CellLook{false, 6}));
  EXPECT_TRUE(CellLookOf(Cell{0, 1, 0}, animations).unknownAnimation);
  EXPECT_TRUE(CellLookOf(Cell{0, 10, 0}, animations).unknownAnimation);
  EXPECT_EQ(UnknownAnimationLabel(10), "0a");
  EXPECT_EQ(UnknownAnimationLabel(0x1ff), "1f");
  EXPECT_EQ(UnknownAnimationLabel(-1), "ff");
}

}  // namespace
}  // namespace quarl
