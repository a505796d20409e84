#pragma once
// Small value types every layer shares.

#include <cstdint>

namespace quarl {

// Opaque handle of a window; the Win32 layer stores an HWND in it.
using WindowId = std::uintptr_t;

// A rectangle: left, top, right, bottom. Map pixels unless said otherwise.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

}  // namespace quarl
