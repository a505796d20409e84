#pragma once
// The program's process-wide Win32 objects, set up at start-up and released
// at shutdown, and the editor state they serve.

#include <windows.h>

#include "editor/editor.h"

namespace quarl::win {

struct AppGlobals {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND mdiClient = nullptr;
  HWND infoPanel = nullptr;
  HWND tilePalette = nullptr;
  HWND animationPalette = nullptr;
  HWND toolbox = nullptr;
  HWND overviewWindow = nullptr;  // 0 while no overview is open
  MapDocument* overviewDoc = nullptr;  // the map the overview shows; null while none is open
  HMENU frameMenu = nullptr;
  HACCEL accelerators = nullptr;
  HICON appIcon = nullptr;
  HFONT panelFont = nullptr;
  HBRUSH faceBrush = nullptr;
  HBRUSH windowBrush = nullptr;
  HBITMAP tileSheet = nullptr;
  HDC sheetContext = nullptr;      // memory DC with the tile sheet selected
  HPALETTE sharedPalette = nullptr;
  int stopFlag = 0;
  int exitAllowed = 1;
  Editor editor;
};

AppGlobals& App();
// Starts over with fresh globals (shutdown does this, so the program can
// be started again in the same process, as the tests do).
void ResetApp();

// The tool windows' creation functions all answer the same way: 0 when the
// window exists, otherwise a nonzero code: the system's error, or -1 when it
// gave none or the window's data could not be read (the user has been told).
inline int LastErrorCode() {
  const DWORD error = GetLastError();
  return error ? static_cast<int>(error) : -1;
}

// What the program's window classes set; everything else stays zero and the
// instance is the program's.
struct WindowClass {
  const char* name = nullptr;
  WNDPROC procedure = nullptr;
  UINT style = 0;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  const char* menu = nullptr;
};

// Registers the class: 0, or the nonzero code LastErrorCode gives.
int RegisterWindowClass(const WindowClass& windowClass);

// A system colour's brush as a class background takes it (COLOR_x + 1).
inline HBRUSH ColourBackground(int systemColour) {
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(systemColour + 1));
}

inline HWND ToHwnd(WindowId id) { return reinterpret_cast<HWND>(id); }
inline WindowId ToWindowId(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

}  // namespace quarl::win
