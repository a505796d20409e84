#include "app/win/map_information_dialog.h"

#include <commctrl.h>

#include <string>

namespace quarl::win {
namespace {

void CheckWhen(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void SetSlider(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 4));
  SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
}

}  // namespace

void FillMapInformationDialog(HWND dialog, const MapDocument& doc) {
  SetDlgItemTextA(dialog, kMapNameEdit, doc.name.c_str());
  SetDlgItemTextA(dialog, kMapDescriptionEdit, doc.description.c_str());
  CheckWhen(dialog, kBounciesCheck, doc.bouncies == 1);
  CheckWhen(dialog, kMissilesCheck, doc.missiles == 1);
  CheckWhen(dialog, kBombsCheck, doc.bombs == 1);
  CheckWhen(dialog, kFragGameRadio, doc.gameType == 0);
  CheckWhen(dialog, kFlagGameRadio, doc.gameType == 1);
  CheckWhen(dialog, kSwitchGameRadio, doc.gameType != 0 && doc.gameType != 1);
  SetDlgItemTextA(dialog, kPlayersEdit, std::to_string(doc.maxPlayers).c_str());
  SetDlgItemTextA(dialog, kPowerupEdit, std::to_string(doc.powerups).c_str());
  SetDlgItemTextA(dialog, kTeamsEdit, std::to_string(doc.teamCount).c_str());
  SetDlgItemTextA(dialog, kHoldingEdit, std::to_string(doc.holding).c_str());
  SetSlider(dialog, kLaserDamageSlider, doc.laserDamage);
  SetSlider(dialog, kSpecialDamageSlider, doc.specialDamage);
  SetSlider(dialog, kRechargeRateSlider, doc.rechargeRate);
}

}  // namespace quarl::win
