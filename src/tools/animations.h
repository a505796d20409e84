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

// The frame an animated cell with this data value shows: frame `data`,
// wrapping past the last one (data mod frame count). A negative offset other
// than -1 (typed into the info panel) takes the non-negative remainder, so it
// counts back from the end of the cycle: -2 with 3 frames shows frame 1.
// -1 for an animation without frames, which has nothing to show.
int FrameIndex(const Animation& animation, int32_t data);

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
