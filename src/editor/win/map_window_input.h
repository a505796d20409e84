#pragma once
// The map window's mouse gestures and selection keys (map_window_input.cpp),
// and the few helpers they share with the rest of the window
// (map_window.cpp). Internal to the map window.

#include <windows.h>

#include "editor/map_view.h"

namespace quarl::win {

// Auto-pan arms when the pointer comes this close to an edge; while the mouse
// moves the bottom margin also covers the status bar.
constexpr int kPanMargin = 17;
constexpr int kMovePanBottomMargin = 33;

SIZE MapClientSize(HWND hwnd);

// The first edge the pointer is near sets its flag alone; away from every
// edge all four are cleared.
void ArmAutoPan(MapView& view, int px, int py, SIZE client, int rightMargin, int leftMargin,
                int bottomMargin, int topMargin);

// "(x,y): (column,row)" in the window's status bar.
void ShowCellInStatusBar(const MapView& view, int column, int row);

// A left press: one gesture with the current tool, holding the mouse capture
// until the button is released.
void OnLeftButtonDown(HWND hwnd, int px, int py, WPARAM keys);

// An arrow key or F1 (alt: it came as WM_SYSKEYDOWN). False for any other
// key, which the caller passes on to default processing.
bool OnSelectionKey(HWND hwnd, WPARAM key, bool alt);

}  // namespace quarl::win
