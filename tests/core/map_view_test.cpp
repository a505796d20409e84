// What a map window shows, decided without windows: the hover outline's size
// for the tool, and the frame an animated cell shows.
#include <gtest/gtest.h>

#include "editor/hover_outline.h"
#include "tools/animations.h"

namespace quarl {
namespace {

std::pair<int, int> Outline(ToolState tools) {
  const std::optional<OutlineCells> cells = HoverOutlineCells(tools);
  return cells ? std::pair{cells->columns, cells->rows} : std::pair{0, 0};
}

TEST(HoverOutlineCells, FollowTheTool) {
  ToolState tools;
  tools.blockWidth = 3, tools.blockHeight = 4;
  EXPECT_EQ(Outline(tools), std::pair(3, 4));  // the picked tile block
  tools.animationMode = 1;
  EXPECT_EQ(Outline(tools), std::pair(1, 1));
  tools.animationMode = 0, tools.blockWidth = 0;
  EXPECT_EQ(Outline(tools), std::pair(1, 1));
  for (int32_t command : {TOOL_FLAG, TOOL_SWITCH, TOOL_SPAWN}) {
    tools.currentToolCommand = command;
    EXPECT_EQ(Outline(tools), std::pair(3, 3)) << command;
  }
  tools.spawnKind = 1;  // a single-cell spawn
  EXPECT_EQ(Outline(tools), std::pair(1, 1));
  tools.currentToolCommand = TOOL_BUNKER;
  EXPECT_EQ(Outline(tools), std::pair(1, 1));
  tools.currentTool = TOOL_FLAG_POLE;  // by the tool, whatever its command
  EXPECT_EQ(Outline(tools), std::pair(3, 3));
  tools.currentTool = TOOL_EDIT;
  for (int32_t command : {TOOL_CONVEYOR, TOOL_MIRROR, TOOL_COPY, TOOL_BUNKER_LEFT}) {
    tools.currentToolCommand = command;  // the outline stays as it is
    EXPECT_EQ(Outline(tools), std::pair(0, 0)) << command;
  }
}

TEST(FrameIndex, IsTheDataModuloTheFramesCountedBackWhenNegative) {
  const Animation three{0, 3, {100, 101, 102}};
  EXPECT_EQ(FrameIndex(three, 2), 2);
  EXPECT_EQ(FrameIndex(three, 7), 1);
  EXPECT_EQ(FrameIndex(three, 127), 1);
  EXPECT_EQ(FrameIndex(three, -2), 1);
  EXPECT_EQ(FrameIndex(three, -4), 2);
  EXPECT_EQ(FrameIndex(Animation{0, 5, {100, 101}}, 3), 1);  // no more frames than it has
  EXPECT_EQ(FrameIndex(Animation{0, 0, {}}, 3), -1);
}

}  // namespace
}  // namespace quarl
