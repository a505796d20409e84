#include <gtest/gtest.h>

#include "map_file_test_support.h"
#include "tools/animations_file.h"

namespace quarl {
namespace {

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
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), -1);
  EXPECT_EQ(testing::Shown(ui),
            testing::Texts{"Error - Fatal: Unable to locate anims.dat\nQuarl must be in the same directory as ZOR.exe"});
  testing::WriteBytes(dir.path / "anims.dat", testing::ReadBytes(kFile));
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), 1);
  EXPECT_EQ(LoadAnimations(dir.path, animations, ui), 1);  // replaces the list
  EXPECT_EQ(animations.Size(), 3u);
}

}  // namespace
}  // namespace quarl
