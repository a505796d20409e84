#pragma once
// The Map Information dialog (dialog resource 111, "Map Information"): a
// modeless dialog owned by the frame that edits the map's header settings.
// The rules it applies are app/map_information.h's. Each Info opens a
// further dialog; OK writes into the map that is active when it is pressed.

#include <windows.h>

#include "map/map_document.h"

namespace quarl::win {

// The dialog's controls.
enum MapInformationControl : int {
  kMapNameEdit = 1003,
  kMapDescriptionEdit = 1004,
  kBounciesCheck = 1005,
  kMissilesCheck = 1006,
  kBombsCheck = 1007,
  kLaserDamageSlider = 1009,
  kSpecialDamageSlider = 1010,
  kRechargeRateSlider = 1011,
  kPlayersEdit = 1012,
  kHoldingEdit = 1014,
  kTeamsEdit = 1015,
  kPowerupEdit = 1016,
  kMapInfoOk = 1017,
  kMapInfoCancel = 1018,
  kFragGameRadio = 1019,
  kSwitchGameRadio = 1020,
  kFlagGameRadio = 1021,
};

// Shows the document's settings in the dialog: name and description, the
// three weapons checked when they are 1, the game type's radio button
// (Switch for any type but 0 and 1), the four numbers in decimal, and the
// three sliders set to 0..4 at the document's values.
void FillMapInformationDialog(HWND dialog, const MapDocument& doc);

// Info: opens a dialog on the active map, filled from it; nothing (null)
// without an active map.
HWND OpenMapInformationDialog();

// The dialog opened last (it may have been closed since).
HWND LastMapInformationDialog();

// What a corrected number field sounds: the default beep (MessageBeep with
// -1) unless replaced, as the tests do to count the beeps.
using MapInformationBeep = void (*)();
void SetMapInformationBeep(MapInformationBeep beep);

}  // namespace quarl::win
