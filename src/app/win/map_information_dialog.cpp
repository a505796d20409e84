#include "app/win/map_information_dialog.h"

#include <commctrl.h>

#include <string>

#include "app/map_information.h"
#include "base/win/app_globals.h"
#include "resource_ids.h"

namespace quarl::win {
namespace {

void CheckWhen(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void SetSlider(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 4));
  SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, position);
}

HWND g_lastDialog = nullptr;

void DefaultBeep() { MessageBeep(static_cast<UINT>(-1)); }
MapInformationBeep g_beep = DefaultBeep;

std::string FieldText(HWND dialog, int id) {
  const HWND field = GetDlgItem(dialog, id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A number field's text as the dialog reads it: at most four characters.
std::string NumberText(HWND dialog, int id) {
  char text[kMapInfoNumberChars + 1] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

int SliderPosition(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0)); }

// Teams, Players and Holding are put back into their ranges as they are typed.
void CheckNumberWhileTyping(HWND dialog, int id) {
  MapInfoNumber field;
  switch (id) {
    case kTeamsEdit: field = MapInfoNumber::kTeams; break;
    case kPlayersEdit: field = MapInfoNumber::kPlayers; break;
    case kHoldingEdit: field = MapInfoNumber::kHolding; break;
    default: return;
  }
  if (const auto corrected = CorrectedNumberText(field, NumberText(dialog, id))) {
    SetDlgItemTextA(dialog, id, corrected->c_str());
    g_beep();
  }
}

void OnOk(HWND dialog) {
  Editor& editor = App().editor;
  if (MapDocument* doc = editor.ActiveDocument()) {
    MapInformationFields fields;
    fields.name = FieldText(dialog, kMapNameEdit);
    fields.description = FieldText(dialog, kMapDescriptionEdit);
    fields.laserDamage = SliderPosition(dialog, kLaserDamageSlider);
    fields.specialDamage = SliderPosition(dialog, kSpecialDamageSlider);
    fields.rechargeRate = SliderPosition(dialog, kRechargeRateSlider);
    fields.bouncies = Checked(dialog, kBounciesCheck);
    fields.missiles = Checked(dialog, kMissilesCheck);
    fields.bombs = Checked(dialog, kBombsCheck);
    fields.players = NumberText(dialog, kPlayersEdit);
    fields.powerup = NumberText(dialog, kPowerupEdit);
    fields.holding = NumberText(dialog, kHoldingEdit);
    fields.teams = NumberText(dialog, kTeamsEdit);
    fields.fragGame = Checked(dialog, kFragGameRadio);
    fields.flagGame = Checked(dialog, kFlagGameRadio);
    ApplyMapInformation(*doc, fields);
    if (editor.windows) editor.windows->SetWindowTitle(editor.activeMapWindow, MapInformationTitle(*doc));
  }
  DestroyWindow(dialog);
}

INT_PTR CALLBACK MapInformationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return FALSE;  // no control takes the focus
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_UPDATE) {
        CheckNumberWhileTyping(dialog, LOWORD(wParam));
      } else if (LOWORD(wParam) == kMapInfoOk && HIWORD(wParam) == 0) {
        OnOk(dialog);
      } else if (LOWORD(wParam) == kMapInfoCancel) {
        DestroyWindow(dialog);
      }
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    default: return FALSE;
  }
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

HWND OpenMapInformationDialog() {
  AppGlobals& app = App();
  const MapDocument* doc = app.editor.ActiveDocument();
  if (!doc) return nullptr;
  HWND dialog = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_MAP_INFORMATION), app.frame,
                                   MapInformationProc, 0);
  if (!dialog) return nullptr;
  g_lastDialog = dialog;
  ShowWindow(dialog, SW_SHOW);
  FillMapInformationDialog(dialog, *doc);
  return dialog;
}

HWND LastMapInformationDialog() { return g_lastDialog; }

void SetMapInformationBeep(MapInformationBeep beep) { g_beep = beep ? beep : DefaultBeep; }

}  // namespace quarl::win
