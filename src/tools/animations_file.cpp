#include "tools/animations_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "base/string_table.h"

namespace quarl {
namespace {

constexpr size_t kRecordHeaderBytes = 2;  // frame count, unused byte
constexpr uint16_t kTileBits = 0x7FFF;    // bit 15 of a slot means nothing to the editor

Animation ParseRecord(const uint8_t* record, size_t available) {
  Animation animation;
  const size_t wanted = std::min<size_t>(record[0], kMaxAnimationFrames);
  const size_t slotsPresent = available > kRecordHeaderBytes ? (available - kRecordHeaderBytes) / 2 : 0;
  const size_t slots = std::min(wanted, slotsPresent);
  for (size_t i = 0; i < slots; ++i) {
    const uint8_t* slot = record + kRecordHeaderBytes + 2 * i;
    const uint16_t frame = static_cast<uint16_t>(slot[0] | (slot[1] << 8)) & kTileBits;
    if (frame == 0) break;
    animation.frames.push_back(frame);
  }
  animation.frameCount = static_cast<uint8_t>(animation.frames.size());
  return animation;
}

}  // namespace

size_t ParseAnimations(const uint8_t* bytes, size_t size, AnimationList& list) {
  size_t count = 0;
  for (size_t offset = 0; offset < size; offset += kAnimationRecordSize) {
    const size_t available = std::min<size_t>(kAnimationRecordSize, size - offset);
    list.Append(ParseRecord(bytes + offset, available));
    ++count;
  }
  return count;
}

int ReadAnimationsFile(const std::filesystem::path& path, AnimationList& list) {
  list.Clear();
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return -1;
  std::ifstream file(path, std::ios::binary);
  if (!file) return -1;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return -1;
  ParseAnimations(bytes.data(), bytes.size(), list);
  return 1;
}

int LoadAnimations(const std::filesystem::path& programDirectory, AnimationList& list, UserInterface& ui) {
  if (ReadAnimationsFile(programDirectory / "anims.dat", list) == 1) return 1;
  ui.Tell(StringText(IDS_NO_ANIMS_DAT), "Error - Fatal");
  return -1;
}

}  // namespace quarl
