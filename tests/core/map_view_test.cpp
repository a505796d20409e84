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
  tools.currentToolCommand = TOOL_SPAWN;
  EXPECT_EQ(Outline(tools), std::pair(3, 3));
  tools.currentToolCommand = TOOL_BUNKER;
  tools.currentTool = TOOL_FLAG_POLE;  // by the tool, whatever its command
  EXPECT_EQ(Outline(tools), std::pair(3, 3));
  tools.currentTool = TOOL_EDIT;
  tools.currentToolCommand = TOOL_CONVEYOR;
  EXPECT_EQ(Outline(tools), std::pair(0, 0));  // the outline stays as it is
}

TEST(FrameIndex, IsTheDataModuloTheFramesCountedBackWhenNegative) {
  const Animation three{0, 3, {100, 101, 102}};
  // No more frames than it has; none at all: -1.
  EXPECT_EQ((std::vector{FrameIndex(three, 7), FrameIndex(three, -2), FrameIndex(three, -4),
                         FrameIndex(Animation{0, 5, {100, 101}}, 3), FrameIndex(Animation{0, 0, {}}, 3)}),
            (std::vector{1, 1, 2, 1, -1}));
}

}  // namespace
}  // namespace quarl
