#include "app/win/win_user_interface.h"

#include <windows.h>
#include <commdlg.h>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "editor/win/map_window.h"

namespace quarl::win {

Answer WinUserInterface::ShowMessage(const std::string& text, const std::string& title, Buttons buttons) {
  UINT type = buttons == Buttons::YesNo ? MB_YESNO : buttons == Buttons::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
  switch (MessageBoxA(nullptr, text.c_str(), title.c_str(), type)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDCANCEL: return Answer::Cancel;
    default: return Answer::Ok;
  }
}

std::optional<std::string> WinUserInterface::ChooseSaveFileName() {
  char name[261] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = App().frame;
  ofn.hInstance = App().instance;
  ofn.lpstrFilter = "Map Files\0*.map\0\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = 260;
  ofn.lpstrInitialDir = App().editor.programDirectory.c_str();
  ofn.lpstrTitle = "Save As...";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
  if (!GetSaveFileNameA(&ofn)) return std::nullopt;
  return std::string(name);
}

bool WinMapWindows::RegisterMapWindowClass() { return win::RegisterMapWindowClass(); }

WindowId WinMapWindows::CreateMapWindow(OpenMap& map) { return ToWindowId(win::CreateMapWindow(map)); }

void WinMapWindows::DestroyMapWindow(WindowId window) {
  // The map window removes its document from the open-map list as it goes.
  SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(window)), 0);
}

void WinMapWindows::SetWindowTitle(WindowId window, const std::string& title) {
  SetWindowTextA(ToHwnd(window), title.c_str());
}

void WinMapWindows::FocusWindow(WindowId window) { SetFocus(ToHwnd(window)); }

void WinMapWindows::RepaintWindow(WindowId window) { RepaintNow(ToHwnd(window)); }

void WinMapWindows::ForceFullRepaint(WindowId window) {
  // Scroll the client area down by its height and back, so that every part
  // of it is painted afresh.
  HWND hwnd = ToHwnd(window);
  RECT rc;
  GetClientRect(hwnd, &rc);
  ScrollWindowEx(hwnd, 0, rc.bottom, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  ScrollWindowEx(hwnd, 0, -rc.bottom, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdateWindow(hwnd);
}

}  // namespace quarl::win
