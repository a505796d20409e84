#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "base/string_table.h"
#include "temp_directory.h"
#include "tools/animations_file.h"

namespace quarl {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Record(uint8_t frameCount, const std::vector<uint16_t>& slots, uint8_t unused = 0) {
  Bytes record(kAnimationRecordSize, 0);
  record[0] = frameCount;
  record[1] = unused;
  for (size_t i = 0; i < slots.size() && i < 32; ++i) {
    record[2 + 2 * i] = static_cast<uint8_t>(slots[i] & 0xFF);
    record[3 + 2 * i] = static_cast<uint8_t>(slots[i] >> 8);
  }
  return record;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

AnimationList Parse(const Bytes& bytes) {
  AnimationList list;
  const size_t appended = ParseAnimations(bytes.data(), bytes.size(), list);
  EXPECT_EQ(appended, list.Size());
  return list;
}

std::vector<int32_t> Frames(const AnimationList& list, int64_t id) {
  const Animation* animation = list.FindAnimation(id);
  EXPECT_NE(animation, nullptr) << id;
  if (!animation) return {};
  EXPECT_EQ(animation->frameCount, animation->frames.size());
  return animation->frames;
}

TEST(ParseAnimations, ZeroSlotEndsFramesAndNextRecordStartsSixtySixBytesOn) {
  const AnimationList list = Parse(Concat({Record(3, {10, 11, 0, 12}), Record(1, {77})}));
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{10, 11}));
  EXPECT_EQ(Frames(list, 1), (std::vector<int32_t>{77}));
}

TEST(ParseAnimations, FrameCountDecidesHowManySlotsAreFrames) {
  std::vector<uint16_t> full;
  for (uint16_t i = 1; i <= 32; ++i) full.push_back(static_cast<uint16_t>(i + 100));
  const AnimationList list = Parse(Concat({Record(255, full), Record(33, full), Record(32, full),
                                           Record(2, full), Record(0, full)}));
  ASSERT_EQ(list.Size(), 5u);
  EXPECT_EQ(Frames(list, 0).size(), 32u);
  EXPECT_EQ(Frames(list, 0).back(), 132);
  EXPECT_EQ(Frames(list, 1).size(), 32u);
  EXPECT_EQ(Frames(list, 2).size(), 32u);
  EXPECT_EQ(Frames(list, 3), (std::vector<int32_t>{101, 102}));
  EXPECT_TRUE(Frames(list, 4).empty());
}

TEST(ParseAnimations, BitFifteenIsDropped) {
  const AnimationList list = Parse(Concat({Record(4, {0x8005, 0xFFFF, 0x8000, 9}), Record(1, {0x8000})}));
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{5, 0x7FFF}));  // 0x8000 has no tile bits: the end
  EXPECT_TRUE(Frames(list, 1).empty());
}

TEST(ParseAnimations, IdsAreFilePositions) {
  Bytes bytes;
  for (int k = 0; k < 256; ++k) {
    // Contents that vary and sometimes are empty must not change numbering.
    const Bytes record = Record(static_cast<uint8_t>(k % 5), {static_cast<uint16_t>(k % 3), 1, 2, 3}, 0xFF);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  const AnimationList list = Parse(bytes);
  ASSERT_EQ(list.Size(), 256u);
  for (uint32_t k = 0; k < 256; ++k) {
    const Animation* animation = list.FindAnimation(k);
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->id, k);
  }
  EXPECT_EQ(list.FindAnimation(256), nullptr);
  EXPECT_EQ(list.FindAnimation(-1), nullptr);
  EXPECT_EQ(Frames(list, 7), (std::vector<int32_t>{1, 1}));  // 7 % 5 = 2 frames of slots 1, 1, ...
  EXPECT_TRUE(Frames(list, 9).empty());                      // first slot 0
}

TEST(ParseAnimations, TrailingPartialRecordKeepsOnlyWholeSlots) {
  const Bytes whole = Record(3, {4, 5, 6});
  EXPECT_EQ(Parse(Bytes{}).Size(), 0u);

  // One stray byte: an animation without frames.
  AnimationList list = Parse(Concat({whole, Bytes{3}}));
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{4, 5, 6}));
  EXPECT_TRUE(Frames(list, 1).empty());

  // Two whole slots and half of the third.
  Bytes cut(whole.begin(), whole.begin() + 2 + 5);
  list = Parse(Concat({whole, cut}));
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(Frames(list, 1), (std::vector<int32_t>{4, 5}));

  // Only a partial record.
  list = Parse(Bytes(whole.begin(), whole.begin() + 4));
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{4}));
}

TEST(ReadAnimationsFile, ReadsRecordsWrittenByAnotherTool) {
  AnimationList list;
  ASSERT_EQ(ReadAnimationsFile(std::filesystem::path(QUARL_TEST_DATA_DIR) / "anims" / "three_records.dat", list),
            1);
  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(Frames(list, 0), (std::vector<int32_t>{10, 11}));
  EXPECT_EQ(Frames(list, 1), (std::vector<int32_t>{300, 0x7FFF}));
  std::vector<int32_t> oneToThirtyTwo;
  for (int32_t i = 1; i <= 32; ++i) oneToThirtyTwo.push_back(i);
  EXPECT_EQ(Frames(list, 2), oneToThirtyTwo);
}

TEST(LoadAnimations, ReadsAnimsDatFromTheProgramDirectory) {
  testing::TempDirectory dir;
  ScriptedUserInterface ui;
  AnimationList animations;
  const Bytes bytes = Concat({Record(2, {8, 9}), Record(1, {0x8010})});
  dir.Write("anims.dat", std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(LoadAnimations(dir.Path(), animations, ui), 1);
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_EQ(animations.Size(), 2u);
  EXPECT_EQ(Frames(animations, 1), (std::vector<int32_t>{16}));

  // Loading again replaces the list instead of adding to it.
  EXPECT_EQ(LoadAnimations(dir.Path(), animations, ui), 1);
  EXPECT_EQ(animations.Size(), 2u);
}

TEST(LoadAnimations, MissingFileIsFatal) {
  testing::TempDirectory dir;
  ScriptedUserInterface ui;
  AnimationList animations;
  EXPECT_EQ(LoadAnimations(dir.Path(), animations, ui), -1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Unable to locate anims.dat\nQuarl must be in the same directory as ZOR.exe");
  EXPECT_EQ(ui.messages[0].title, "Error - Fatal");
  EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
  EXPECT_EQ(animations.Size(), 0u);

  // A directory of that name cannot be read as the file either.
  std::filesystem::create_directory(dir / "anims.dat");
  EXPECT_EQ(LoadAnimations(dir.Path(), animations, ui), -1);
  EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace quarl
