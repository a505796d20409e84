#pragma once
// The five user options. 0 is off, any other value on.

#include <cstdint>

namespace quarl {

struct Options {
  int32_t toolbox = 1;   // toolbox layout: nonzero vertical
  int32_t mintray = 1;   // minimising puts the frame in the notification area
  int32_t winpan = 1;    // auto-pan
  int32_t flagscan = 1;  // saving runs the flag check
  int32_t shscan = 1;    // saving runs the spawn and holding pen check
};

}  // namespace quarl
