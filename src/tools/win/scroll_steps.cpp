#include "tools/win/scroll_steps.h"

#include <algorithm>

namespace quarl::win {
namespace {

constexpr int kTile = 16;

}  // namespace

int ScrollStep(HWND hwnd, int bar, WPARAM request, int line, int page, bool thumbInTiles) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &si);
  int step = 0;
  switch (LOWORD(request)) {
    case SB_LINEUP: step = -line; break;
    case SB_LINEDOWN: step = line; break;
    case SB_PAGEUP: step = -page; break;
    case SB_PAGEDOWN: step = page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      step = static_cast<int>(HIWORD(request)) - si.nPos;
      if (thumbInTiles) step = step / kTile * kTile;
      break;
    default: break;
  }
  int position = std::clamp(si.nPos + step, si.nMin, std::max(si.nMin, si.nMax));
  int applied = position - si.nPos;
  if (applied != 0) {
    if (bar == SB_VERT)
      ScrollWindowEx(hwnd, 0, -applied, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
      ScrollWindowEx(hwnd, -applied, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    SetScrollPos(hwnd, bar, position, TRUE);
  }
  return applied;
}

void SetScrollMaximum(HWND hwnd, int bar, int maximum) {
  SetScrollRange(hwnd, bar, 0, std::max(0, maximum), TRUE);
}

}  // namespace quarl::win
