#pragma once
// The game's animations, read from anims.dat: sequences of tiles numbered
// 0, 1, 2, ... in file order.

#include <cstdint>
#include <string>
#include <vector>

namespace quarl {

constexpr int kAnimationRecordSize = 66;
constexpr int kMaxAnimationFrames = 32;

struct Animation {
  uint32_t id = 0;
  uint8_t frameCount = 0;
  std::vector<int32_t> frames;  // tile numbers, frameCount of them
};

class AnimationList {
 public:
  // The animation with that id, or null.
  const Animation* FindAnimation(int64_t id) const;
  size_t Size() const { return animations_.size(); }
  const std::vector<Animation>& All() const { return animations_; }
  void Append(Animation animation);
  void Clear() { animations_.clear(); }

 private:
  std::vector<Animation> animations_;  // index = id
};

}  // namespace quarl
