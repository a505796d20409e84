// What a map window shows, decided without windows, and the files it is drawn
// from: the hover outline, the frame an animated cell shows, anims.dat, the tile sheet.
#include <gtest/gtest.h>

#include "app/tile_sheet.h"
#include "app/tile_sheet_writer.h"
#include "editor/hover_outline.h"
#include "map_file_test_support.h"
#include "tools/animations.h"
#include "tools/animations_file.h"

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
  tools.currentToolCommand = TOOL_BUNKER, tools.currentTool = TOOL_FLAG_POLE;  // by the tool, whatever its command
  EXPECT_EQ(Outline(tools), std::pair(3, 3));
  tools.currentTool = TOOL_EDIT, tools.currentToolCommand = TOOL_CONVEYOR;
  EXPECT_EQ(Outline(tools), std::pair(0, 0));  // the outline stays as it is
}

TEST(FrameIndex, IsTheDataModuloTheFramesCountedBackWhenNegative) {
  const Animation three{0, 3, {100, 101, 102}};
  // No more frames than it has; none at all: -1.
  EXPECT_EQ((std::vector{FrameIndex(three, 7), FrameIndex(three, -2), FrameIndex(three, -4),
                         FrameIndex(Animation{0, 5, {100, 101}}, 3), FrameIndex(Animation{0, 0, {}}, 3)}),
            (std::vector{1, 1, 2, 1, -1}));
}

const std::string kFile = testing::DataPath("anims/three_records.dat");

std::vector<int32_t> Frames(const AnimationList& list, int64_t id) {
  const Animation* animation = list.FindAnimation(id);
  EXPECT_NE(animation, nullptr) << id;
  EXPECT_EQ(animation ? animation->frameCount : 0u, animation ? animation->frames.size() : 0u);
  return animation ? animation->frames : std::vector<int32_t>{};
}

// The fixture (written by Python, see tests/data/anims/README.md): a zero
// slot ends the frames, bit 15 is no part of a tile number, and no more than
// 32 slots are frames whatever the count says.
TEST(AnimationsFile, ReadsRecordsWrittenByAnotherTool) {
  AnimationList list;
  ASSERT_EQ(ReadAnimationsFile(kFile, list), 1);
  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{10, 11}));
  EXPECT_EQ(Frames(list, 1), (std::vector<int32_t>{300, 0x7FFF}));
  EXPECT_EQ(Frames(list, 2).size() + Frames(list, 2).back(), 32u + 32);
  EXPECT_EQ(list.FindAnimation(3), nullptr);
  // A trailing partial record is an animation of the whole slots it holds.
  const std::vector<uint8_t> bytes = testing::ReadBytes(kFile);
  for (auto [size, frames] : {std::pair<size_t, size_t>{66 + 1, 0}, {66 + 2 + 3, 1}, {4, 1}}) {
    AnimationList part;
    EXPECT_EQ(ParseAnimations(bytes.data(), size, part), size / 66 + 1) << size;
    EXPECT_EQ(Frames(part, static_cast<int64_t>(size / 66)).size(), frames) << size;
  }
}

TEST(AnimationsFile, LoadReadsAnimsDatFromTheProgramDirectoryOrIsFatal) {
  testing::TempDir dir;
  ScriptedUserInterface ui;
  AnimationList animations;
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), -1);  // the Windows start-up test checks its message
  testing::WriteBytes(dir.path / "anims.dat", testing::ReadBytes(kFile));
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), 1);
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), 1);  // replaces the list
  EXPECT_EQ(animations.Size(), 3u);
}

// The program's own sheet writer: a sheet it writes must pass.
std::vector<uint8_t> Sheet(int width, int height) {
  return EncodeIndexedBmp(width, height, {}, std::vector<uint8_t>(static_cast<size_t>(width * height)));
}

TEST(TileSheet, WholeSheetsPassAndDamageIsNamed) {
  auto sheet = Sheet(640, 1600);
  EXPECT_EQ(TileSheetProblem(sheet), "");
  EXPECT_EQ(TileSheetProblem(Sheet(3, 2)), "");
  EXPECT_NE(TileSheetProblem(std::span(sheet).first(100)), "");  // cut in the table
  EXPECT_EQ(TileSheetProblem(std::span(sheet).first(sheet.size() - 1)), "the file ends before its last pixel row");
  EXPECT_EQ(TileSheetProblem(std::span<const uint8_t>()), "the file is shorter than a bitmap header");
  // A huge height, run-length encoding, pixels inside the colour table.
  for (auto [at, value] : {std::pair<size_t, uint32_t>{22, 0x7FFFFFFF}, {30, 1}, {10, 60}}) {
    auto broken = sheet;
    for (int i = 0; i < 4; ++i) broken[at + i] = static_cast<uint8_t>(value >> (8 * i));
    EXPECT_NE(TileSheetProblem(broken), "") << at;
  }
}

}  // namespace
}  // namespace quarl
