#include "tools/animation_palette.h"

#include <cstdio>

namespace quarl {

std::string AnimationIdLabel(int id) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(id));
  return text;
}

Rect AnimationEdgeRect(const AnimationList& animations, int id) {
  const Animation* animation = animations.FindAnimation(id);
  if (!animation) return {};
  const int y = AnimationRowY(id);
  return {0, y, AnimationFrameX(animation->frameCount), y + kAnimationRowPixels};
}

}  // namespace quarl
