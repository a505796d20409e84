#pragma once
// The frame window (class "zormaped"): the MDI frame around the map windows
// and the tool windows, its menus and commands and the exit sequence.

#include <windows.h>

namespace quarl::win {

bool RegisterFrameClass();
LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the shared palette from the colour table of the program
// directory's tiles.bmp and realises it in the sheet context.
void BuildSharedPalette();

// Window positions for a frame client area of width x height.
struct Placement {
  int x = 0, y = 0, width = 0, height = 0;
};
struct FrameLayout {
  Placement mdiClient, animationPalette, toolbox, infoPanel, tilePalette;
};
FrameLayout ComputeFrameLayout(int width, int height, bool verticalToolbox);

}  // namespace quarl::win
