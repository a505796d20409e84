// A plain map window used until the full one (src/editor/win/map_window.cpp)
// is part of the tree: an MDI child per document that keeps activeMapWindow
// up to date, forwards its window-menu commands to the frame, asks before
// closing a modified map and removes its document when it is destroyed. It
// paints nothing but its background. The build picks it only while
// map_window.cpp does not exist.

#include <cstdio>

#include "app/win/app_globals.h"
#include "editor/win/map_window.h"
#include "map/map_files.h"
#include "resource_ids.h"

namespace quarl::win {
namespace {

constexpr char kClassName[] = "newmap";

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam < 0xF000) {
    SendMessageA(App().frame, WM_COMMAND, wParam, 0);
    return 0;
  }
  if ((wParam & 0xFFF0) != SC_CLOSE) return DefMDIChildProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);

  Editor& editor = App().editor;
  MapDocument* doc = editor.maps.FindMapDocument(ToWindowId(hwnd));
  if (doc && doc->modified == 1) {
    char text[512];
    std::snprintf(text, sizeof text, "Would you like to save %s?", doc->name.c_str());
    switch (MessageBoxA(nullptr, text, "Close..", MB_YESNOCANCEL)) {
      case IDYES:
        if (SaveMapFile(editor, *doc, doc->path.empty() ? 1 : 0) == 0) {
          App().exitAllowed = 0;
          return 0;
        }
        break;
      case IDNO:
        break;
      default:
        App().exitAllowed = 0;
        return 0;
    }
  }
  return DefMDIChildProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
}

void OnMdiActivate(HWND hwnd, HWND activated) {
  if (activated == hwnd) App().editor.activeMapWindow = ToWindowId(hwnd);
}

void OnDestroy(HWND hwnd) {
  Editor& editor = App().editor;
  if (editor.activeMapWindow == ToWindowId(hwnd)) editor.activeMapWindow = 0;
  editor.maps.RemoveMapDocument(ToWindowId(hwnd));
}

}  // namespace

bool RegisterMapWindowClass() {
  WNDCLASSA wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = MapWindowProc;
  wc.hInstance = App().instance;
  wc.hIcon = LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_MAP));
  wc.hCursor = LoadCursorA(App().instance, MAKEINTRESOURCEA(IDC_MAP_CURSOR));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

HWND CreateMapWindow(MapDocument& doc) {
  AppGlobals& app = App();
  // A new map opens maximised exactly when the active one is (the MDI client
  // then adds the child's own menu item to the frame's five).
  bool maximised = app.frameMenu && GetMenuItemCount(GetMenu(app.frame)) != 5;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | (maximised ? WS_MAXIMIZE : 0);
  HWND hwnd = CreateWindowExA(WS_EX_MDICHILD, kClassName, "Untitled", style, 0, 0, 300, 300, app.mdiClient,
                              nullptr, app.instance, nullptr);
  if (!hwnd) return nullptr;
  doc.hwnd = ToWindowId(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  app.editor.activeMapWindow = ToWindowId(hwnd);
  return hwnd;
}

LRESULT CALLBACK MapWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      return OnSysCommand(hwnd, wParam, lParam);
    case WM_MDIACTIVATE:
      OnMdiActivate(hwnd, reinterpret_cast<HWND>(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(hwnd);
      break;
  }
  return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

}  // namespace quarl::win
