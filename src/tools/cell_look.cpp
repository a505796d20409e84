#include "tools/cell_look.h"

#include <cstdio>

namespace quarl {

CellLook CellLookOf(const Cell& cell, const AnimationList& animations) {
  if (!cell.IsAnimated()) return {false, cell.tile};
  const Animation* animation = animations.FindAnimation(cell.anim);
  const int frame = animation ? FrameIndex(*animation, cell.data) : -1;
  if (frame < 0) return {true, 0};
  return {false, animation->frames[static_cast<size_t>(frame)]};
}

std::string UnknownAnimationLabel(int32_t anim) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%x", static_cast<unsigned>(anim));
  if (digits[1] == '\0') return std::string("0") + digits[0];
  return std::string(digits, 2);
}

}  // namespace quarl
