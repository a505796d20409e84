#include "base/win/app_globals.h"

#include <memory>

namespace quarl::win {
namespace {
std::unique_ptr<AppGlobals> g_app = std::make_unique<AppGlobals>();
}  // namespace

AppGlobals& App() { return *g_app; }

void ResetApp() { g_app = std::make_unique<AppGlobals>(); }

int RegisterWindowClass(const WindowClass& windowClass) {
  WNDCLASSA wc = {};
  wc.style = windowClass.style;
  wc.lpfnWndProc = windowClass.procedure;
  wc.hInstance = App().instance;
  wc.hIcon = windowClass.icon;
  wc.hCursor = windowClass.cursor;
  wc.hbrBackground = windowClass.background;
  wc.lpszMenuName = windowClass.menu;
  wc.lpszClassName = windowClass.name;
  return RegisterClassA(&wc) ? 0 : LastErrorCode();
}

}  // namespace quarl::win
