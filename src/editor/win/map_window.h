#pragma once
// The map window (class "newmap"): one per open map, an MDI child of the
// frame's MDI client.

#include <windows.h>

#include "editor/open_maps.h"

namespace quarl::win {

// Registers the "newmap" class; false when registration fails.
bool RegisterMapWindowClass();
// Creates, shows and activates the map's window with its status bar and
// window menu; returns it, or null.
HWND CreateMapWindow(OpenMap& map);
LRESULT CALLBACK MapWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Auto-pan: one line scroll of the map window for each of its set pan flags,
// when the Auto Pan option is on. True when any was sent. The main loop and
// the window's capture loop both call it while they wait.
bool AutoPanStep(HWND hwnd);

}  // namespace quarl::win
