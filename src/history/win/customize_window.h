#pragma once
// The Customize Mirror/Rotate window (window class "Quarl_CUSTOM_MR"): a
// popup owned by the frame that edits the mirror and rotate tables in place,
// with its entry list ("CustMR_DATA"), tile picker ("CustMR_TILE") and
// animation picker ("CustMR_ANIM"). Its state that outlives it and the
// table edits are history/customize_tables.h's.
// Here so far: the window's class and the window, which OK closes. Its
// buttons, the entry list and the pickers come next.

#include <windows.h>

namespace quarl::win {

// Registers "Quarl_CUSTOM_MR" unless it is registered already. False when
// the registration fails (a later call tries again).
bool RegisterCustomizeClasses();

// Creates the 500 x 500 window titled "Customize Mirror/Rotate" at the
// screen's centre, owned by the frame, and shows it; each call makes a new
// one. 1, or -1 when the class cannot be registered (the caller tells the
// user string 5); 0 when the window could not be created.
int OpenCustomizeWindow();

}  // namespace quarl::win
