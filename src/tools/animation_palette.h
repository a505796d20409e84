#pragma once
// The animation palette's layout apart from its window, in palette pixels
// (client pixels plus the scroll positions): row r shows animation id r, its
// id in lower-case hexadecimal at the left and its frames from x = 32.

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "tools/animations.h"

namespace quarl {

constexpr int kAnimationRowPixels = 16;
constexpr int kAnimationFramesLeft = 32;
constexpr int kAnimationRowWidth = 200;  // the part of a row a repaint fills
constexpr int kAnimationIdWidth = 16;
constexpr int kAnimationPaletteLineStep = 16;
constexpr int kAnimationPalettePageStep = 80;

// Where frame f of the row of animation `id` starts.
inline int AnimationFrameX(int f) { return kAnimationFramesLeft + f * kAnimationRowPixels; }
inline int AnimationRowY(int id) { return id * kAnimationRowPixels; }

// The id as the row shows it: "a" for 10, "ff" for 255.
std::string AnimationIdLabel(int id);

// The bump edge around the current animation's row: x from 0 to 32 + 16 x
// its frame count. Empty (all zero) when the id has no animation.
Rect AnimationEdgeRect(const AnimationList& animations, int id);

// The row a click at client y picks with the palette scrolled to scrollY.
inline int AnimationAtClick(int y, int scrollY) {
  return y / kAnimationRowPixels + scrollY / kAnimationRowPixels;
}

// The rows a paint draws: from scrollY / 16 to clientHeight / 16 + scrollY / 16.
struct RowSpan {
  int first = 0, last = 0;
};
inline RowSpan AnimationRowsShown(int scrollY, int clientHeight) {
  return {scrollY / kAnimationRowPixels, clientHeight / kAnimationRowPixels + scrollY / kAnimationRowPixels};
}

}  // namespace quarl
