#include "tools/animations.h"

namespace quarl {

const Animation* AnimationList::FindAnimation(int64_t id) const {
  if (id < 0 || id >= static_cast<int64_t>(animations_.size())) return nullptr;
  return &animations_[static_cast<size_t>(id)];
}

int FrameIndex(const Animation& animation, int32_t data) {
  const int count = static_cast<int>(animation.frames.size()) < animation.frameCount
                        ? static_cast<int>(animation.frames.size())
                        : animation.frameCount;
  if (count <= 0) return -1;
  if (data >= 0 && data < count) return data;
  const int wrapped = data % count;
  return wrapped < 0 ? wrapped + count : wrapped;
}

void AnimationList::Append(Animation animation) {
  animation.id = static_cast<uint32_t>(animations_.size());
  animations_.push_back(std::move(animation));
}

}  // namespace quarl
