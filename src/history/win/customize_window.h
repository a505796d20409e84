#pragma once
// The Customize Mirror/Rotate window (window class "Quarl_CUSTOM_MR"): a
// popup owned by the frame that edits the live mirror and rotate tables in
// place, with its entry list ("CustMR_DATA"), tile picker ("CustMR_TILE")
// and animation picker ("CustMR_ANIM"). Its state that outlives it and the
// table edits are history/customize_tables.h's.

#include <windows.h>

#include "history/customize_tables.h"

namespace quarl::win {

// The window's children and buttons, by their ids.
enum CustomizeControl : int {
  kCustomizeEntryList = 1,
  kCustomizeTilePicker = 2,
  kCustomizeAnimationPicker = 3,
  kCustomizeDelete = 137,
  kCustomizeAdd = 138,
  kCustomizeMirrorTable = 139,
  kCustomizeRotateTable = 140,
  kCustomizeOk = 1017,
};

// Registers the four window classes unless they are registered already.
// False when a registration fails (a later call tries again).
bool RegisterCustomizeClasses();

// Creates the 500 x 500 window titled "Customize Mirror/Rotate" at the
// screen's centre, owned by the frame, showing the rotate table, and shows
// it; each call makes a new one. 1, or -1 when a class cannot be registered
// (the caller tells the user string 5); 0 when the window could not be
// created.
int OpenCustomizeWindow();

// The window made last (it may have been closed since).
HWND LastCustomizeWindow();

// The picks, the shown table and the selected entry; they last as long as
// the program.
CustomizeState& CustomizeWindowState();

}  // namespace quarl::win
