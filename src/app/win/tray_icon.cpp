#include "app/win/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "base/win/app_globals.h"

namespace quarl::win {
namespace {

// The record in its first, 88-byte form (on 32-bit Windows): a tip of at
// most 63 characters and no balloon fields.
NOTIFYICONDATAA TrayRecord(HWND frame) {
  NOTIFYICONDATAA record;
  std::memset(&record, 0, sizeof record);
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = frame;
  record.uID = 0;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayNotifyMessage;
  record.hIcon = App().appIcon;
  std::strcpy(record.szTip, "ZOR maped");
  return record;
}

}  // namespace

void MinimizeToTray(HWND frame) {
  NOTIFYICONDATAA record = TrayRecord(frame);
  Shell_NotifyIconA(NIM_ADD, &record);
  ShowWindow(frame, SW_HIDE);
}

LRESULT OnTrayNotify(HWND frame, LPARAM notification) {
  if (notification != WM_LBUTTONDBLCLK) return 0;
  ShowWindow(frame, SW_SHOW);
  RemoveTrayIcon(frame);
  return 0;
}

void RemoveTrayIcon(HWND frame) {
  NOTIFYICONDATAA record = TrayRecord(frame);
  Shell_NotifyIconA(NIM_DELETE, &record);
}

}  // namespace quarl::win
