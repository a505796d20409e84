#pragma once
// What a map cell shows, as the map window draws it and quarl-map renders
// it: a plain cell its tile; an animated cell the frame its data selects;
// an animation the list does not hold, or one without frames, a white
// square one pixel larger than the cell labelled with the id.

#include <cstdint>
#include <string>

#include "map/map_document.h"
#include "tools/animations.h"

namespace quarl {

constexpr int kUnknownAnimationSquare = 17;

struct CellLook {
  bool unknownAnimation = false;
  int32_t tile = 0;  // the sheet tile to copy, when the animation is known
  bool operator==(const CellLook&) const = default;
};

CellLook CellLookOf(const Cell& cell, const AnimationList& animations);

// The label of an unknown animation: the first two lower-case hexadecimal
// digits of the id, a single digit with a leading zero ("0a" for 10; a
// negative id reads as its 32-bit pattern).
std::string UnknownAnimationLabel(int32_t anim);

}  // namespace quarl
