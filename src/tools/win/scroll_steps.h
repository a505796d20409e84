#pragma once
// Scrolling of the palettes and pickers: line and page steps of their own,
// thumb moves in whole tiles, and the contents moved by what was applied.

#include <windows.h>

namespace quarl::win {

// Applies one WM_HSCROLL or WM_VSCROLL request to the window's bar (SB_HORZ
// or SB_VERT): line and page steps as given, the thumb's distance cut toward
// zero to whole 16-pixel tiles (or taken exactly), the position kept in the
// bar's range. Scrolls the contents and returns the distance moved.
int ScrollStep(HWND hwnd, int bar, WPARAM request, int line, int page, bool thumbInTiles = true);

// Sets the bar's range to 0..maximum (0 when maximum is negative), redrawing.
void SetScrollMaximum(HWND hwnd, int bar, int maximum);

}  // namespace quarl::win
