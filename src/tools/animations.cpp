#include "tools/animations.h"

namespace quarl {

const Animation* AnimationList::FindAnimation(int64_t id) const {
  if (id < 0 || id >= static_cast<int64_t>(animations_.size())) return nullptr;
  return &animations_[static_cast<size_t>(id)];
}

void AnimationList::Append(Animation animation) {
  animation.id = static_cast<uint32_t>(animations_.size());
  animations_.push_back(std::move(animation));
}

}  // namespace quarl
