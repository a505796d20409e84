#include "history/win/customize_window.h"

#include "base/win/app_globals.h"
#include "resource_ids.h"

namespace quarl::win {
namespace {

constexpr int kOkButton = 1017;
constexpr int kWindowSize = 500;

LRESULT CALLBACK CustomizeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kOkButton) DestroyWindow(hwnd);
      return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterCustomizeClasses() {
  AppGlobals& app = App();
  // Shutdown unregisters the class, so a program started again registers anew.
  WNDCLASSA existing = {};
  if (GetClassInfoA(app.instance, "Quarl_CUSTOM_MR", &existing)) return true;
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = CustomizeProc;
  wc.hInstance = app.instance;
  wc.hIcon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "Quarl_CUSTOM_MR";
  return RegisterClassA(&wc) != 0;
}

int OpenCustomizeWindow() {
  if (!RegisterCustomizeClasses()) return -1;
  AppGlobals& app = App();
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - kWindowSize / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - kWindowSize / 2;
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT, "Quarl_CUSTOM_MR",
                                "Customize Mirror/Rotate",
                                WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU, x, y, kWindowSize,
                                kWindowSize, app.frame, nullptr, app.instance, nullptr);
  if (!window) return 0;
  ShowWindow(window, SW_SHOW);
  return 1;
}

}  // namespace quarl::win
