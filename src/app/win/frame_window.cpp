#include "app/win/frame_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <iterator>

#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "app/win/info_panel.h"
#include "editor/map_file_commands.h"
#include "editor/new_map.h"
#include "editor/undo_commands.h"
#include "resource_ids.h"
#include "tools/win/animation_palette_window.h"
#include "tools/win/tile_palette_window.h"
#include "tools/win/toolbox_window.h"

namespace quarl::win {
namespace {

constexpr int kFrameMenuItems = 5;  // File, Edit, Options, Window, Help
constexpr UINT kTrayNotify = 0x333;

// ---- creation -----------------------------------------------------------------

void CreateMdiClient(HWND frame) {
  AppGlobals& app = App();
  RECT rc;
  GetClientRect(frame, &rc);
  CLIENTCREATESTRUCT ccs = {};
  ccs.hWindowMenu = nullptr;
  ccs.idFirstChild = FIRST_MDI_CHILD_ID;
  app.mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_SYSMENU,
                                  128, 0, rc.right - 256, rc.bottom, frame, nullptr, app.instance, &ccs);
  ShowWindow(app.mdiClient, SW_SHOW);
  SendMessageA(app.mdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(app.frameMenu),
               reinterpret_cast<LPARAM>(GetSubMenu(app.frameMenu, 3)));
  SendMessageA(app.mdiClient, WM_MDIREFRESHMENU, 0, 0);
}

LRESULT OnCreate(HWND hwnd) {
  AppGlobals& app = App();
  app.frameMenu = GetMenu(hwnd);
  CreateMdiClient(hwnd);
  app.frame = hwnd;

  if (CreateTilePalette(hwnd) == 0) app.stopFlag = 1;
  if (LoadAnimations(hwnd) == -1) app.stopFlag = 1;
  if (int code = CreateToolbox(hwnd); code != 0) {
    char format[512] = {};
    LoadStringA(app.instance, IDS_TOOL_WINDOWS, format, sizeof format);
    char text[600];
    std::snprintf(text, sizeof text, "%s [%i]", format, code);
    MessageBoxA(nullptr, text, "Error - Fatal", MB_OK);
    app.stopFlag = 1;
  }
  if (!RegisterInfoPanelClass()) {
    char text[200] = {};
    LoadStringA(app.instance, IDS_REGISTER_CLASS, text, sizeof text);
    MessageBoxA(nullptr, text, "Error", MB_OK);
    app.stopFlag = 1;
  }
  CreateInfoPanel(hwnd);
  BuildSharedPalette();
  return 0;
}

// ---- layout -------------------------------------------------------------------

void Place(HWND hwnd, const Placement& p) {
  if (hwnd) SetWindowPos(hwnd, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_SHOWWINDOW);
}

LRESULT OnSize(int width, int height) {
  AppGlobals& app = App();
  FrameLayout layout = ComputeFrameLayout(width, height, app.editor.options.toolbox != 0);
  Place(app.mdiClient, layout.mdiClient);
  Place(app.animationPalette, layout.animationPalette);
  Place(app.toolbox, layout.toolbox);
  Place(app.infoPanel, layout.infoPanel);
  Place(app.tilePalette, layout.tilePalette);
  RepaintNow(app.tilePalette);
  RepaintNow(app.animationPalette);
  return 1;
}

// ---- exit sequence ------------------------------------------------------------

LRESULT OnClose(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  AppGlobals& app = App();
  app.exitAllowed = 1;
  // Each map window asks about its own changes; a cancelled prompt clears
  // exitAllowed. A closed window removes its document, so the successor is
  // taken before each close.
  const OpenMapList& maps = app.editor.maps;
  for (auto it = maps.begin(); it != maps.end();) {
    auto next = std::next(it);
    if (HWND window = ToHwnd(it->view.window)) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    it = next;
  }
  if (app.exitAllowed != 1) return 0;
  if (app.animationPalette) DestroyWindow(app.animationPalette);
  if (app.tilePalette) DestroyWindow(app.tilePalette);
  app.animationPalette = app.tilePalette = nullptr;
  return DefFrameProcA(hwnd, app.mdiClient, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) == SC_CLOSE) return OnClose(hwnd, wParam, lParam);
  // Minimising to the notification area comes with the tray icon; until
  // then minimising works as usual.
  return DefFrameProcA(hwnd, App().mdiClient, WM_SYSCOMMAND, wParam, lParam);
}

// ---- menu state -----------------------------------------------------------------

void SetGrayed(HMENU popup, int position, bool grayed) {
  EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (grayed ? MF_GRAYED : MF_ENABLED));
}

void SetChecked(HMENU popup, int position, bool checked) {
  CheckMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void ApplyEditRule(HMENU popup, bool needsActiveWindow) {
  const Editor& editor = App().editor;
  const MapDocument* doc = editor.ActiveDocument();
  int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) continue;
    bool grayed = (needsActiveWindow && editor.activeMapWindow == 0) ||
                  (i == 11 && App().overviewWindow != nullptr) ||
                  (i == 1 && doc && doc->redoCount() == 0) || (i == 0 && doc && doc->undoCount() == 0) ||
                  (i >= 3 && i <= 8 && doc && editor.ActiveView()->selectionShown == 0);
    SetGrayed(popup, i, grayed);
  }
}

void RebuildHelpMenu(HMENU popup) {
  for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i) DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
  AppendMenuA(popup, MF_STRING, CMD_HELP_DOCUMENT, "zormpd.rtf");
}

LRESULT OnInitMenuPopup(HMENU popup) {
  AppGlobals& app = App();
  const Options& options = app.editor.options;
  bool haveMap = app.editor.activeMapWindow != 0;
  HMENU menu = app.frameMenu;
  // A maximised map window puts its own window-menu item in front.
  int k = GetMenuItemCount(menu) > kFrameMenuItems ? 1 : 0;
  if (k == 1 && GetMenuItemID(popup, 11) == CMD_OVERVIEW) ApplyEditRule(popup, false);

  if (popup == GetSubMenu(menu, k)) {
    for (int position : {2, 3, 5}) SetGrayed(popup, position, !haveMap);
  } else if (popup == GetSubMenu(menu, k + 1)) {
    ApplyEditRule(popup, true);
  } else if (popup == GetSubMenu(menu, k + 2)) {
    SetChecked(popup, 0, options.mintray != 0);
    SetChecked(popup, 1, options.winpan != 0);
    SetChecked(popup, 3, options.flagscan != 0);
    SetChecked(popup, 4, options.shscan != 0);
  } else if (popup == GetSubMenu(menu, k + 3)) {
    for (int position : {0, 1, 2}) SetGrayed(popup, position, !haveMap);
  } else if (popup == GetSubMenu(menu, k + 4)) {
    RebuildHelpMenu(popup);
  }
  return 0;
}

// ---- commands -----------------------------------------------------------------

void OpenHelpDocument() {
  const std::string& directory = App().editor.programDirectory;
  SetCurrentDirectoryA(directory.c_str());
  ShellExecuteA(nullptr, "open", "zormpd.rtf", nullptr, directory.c_str(), SW_SHOWNORMAL);
}

void ToggleOption(int32_t& option, UINT command) {
  option = option == 0 ? 1 : 0;
  CheckMenuItem(App().frameMenu, command, MF_BYCOMMAND | (option == 1 ? MF_CHECKED : MF_UNCHECKED));
}

void OpenWithDialog(HWND frame) {
  char name[261] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = frame;
  ofn.hInstance = App().instance;
  ofn.lpstrFilter = "Map Files\0*.map\0\0";
  ofn.nFilterIndex = 0;
  ofn.lpstrFile = name;
  ofn.nMaxFile = 260;
  ofn.lpstrTitle = "Open a map...";
  ofn.lpstrDefExt = "map";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOREADONLYRETURN | OFN_NONETWORKBUTTON;
  if (GetOpenFileNameA(&ofn)) OpenMapFile(App().editor, ofn.lpstrFile);
}

void SaveActive(bool saveAs) {
  Editor& editor = App().editor;
  if (OpenMap* map = editor.maps.Find(editor.activeMapWindow)) SaveMapFile(editor, *map, saveAs);
}

void TestMap() {
  Editor& editor = App().editor;
  MapDocument* doc = editor.ActiveDocument();
  if (!doc) return;
  char text[1024];
  std::snprintf(text, sizeof text,
                "Is %s in %s\\maps?\n\nNote: flags/switches do not work in offline mode. they require online mode",
                doc->name.c_str(), editor.programDirectory.c_str());
  if (MessageBoxA(nullptr, text, "Map Test", MB_YESNO) != IDYES) {
    MessageBoxA(nullptr, "Save the map in your ZOR map directory first", "Map Test", MB_OK);
    return;
  }
  std::string path = doc->path.substr(0, 199);
  size_t slash = path.rfind('\\');
  if (slash == std::string::npos) {
    MessageBoxA(nullptr, "Error parsing filename", "Test Map", MB_OK);
    return;
  }
  int team = editor.tools.currentTeam == TEAM_NEUTRAL ? 0 : editor.tools.currentTeam;
  char parameters[300];
  std::snprintf(parameters, sizeof parameters, "%i %s", team, path.c_str() + slash + 1);
  ShellExecuteA(nullptr, "open", "zor.exe", parameters, editor.programDirectory.c_str(), SW_SHOW);
}

void NewMap() {
  // CreateNewMAP links the document only once its window exists, and has
  // told the user when it could not.
  CreateNewMAP(App().editor);
}

// Commands the frame hands on to work that is not part of this window yet
// (clipboard, selection, overview, map information, reports, the Customize
// window). They do nothing until those arrive.
bool IsPendingCommand(int command) {
  switch (command) {
    case CMD_COPY: case CMD_CUT: case CMD_PASTE: case CMD_FILL_SELECTION: case CMD_SELECT_ALL:
    case CMD_DELETE: case CMD_OVERVIEW: case CMD_INFO: case CMD_MAP_CHECK: case CMD_CUSTOMIZE_MR:
      return true;
    default:
      return false;
  }
}

LRESULT OnAcceleratorCommand(HWND hwnd, int command) {
  Editor& editor = App().editor;
  switch (command) {
    case CMD_NEW: NewMap(); break;
    case CMD_OPEN: SendMessageA(hwnd, WM_COMMAND, CMD_OPEN, 0); break;
    case CMD_SAVE: SaveActive(false); break;
    case CMD_UNDO: UndoLastStep(editor); break;
    case CMD_REDO_KEY: RedoLastStep(editor); break;
    default: break;  // keys of pending commands, and commands without a key
  }
  return 0;
}

LRESULT OnMenuCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  AppGlobals& app = App();
  Editor& editor = app.editor;
  Options& options = editor.options;
  int command = LOWORD(wParam);
  switch (command) {
    case CMD_NEW: NewMap(); return 0;
    case CMD_OPEN: OpenWithDialog(hwnd); return 0;
    case CMD_SAVE: SaveActive(false); return 0;
    case CMD_SAVE_AS: SaveActive(true); return 0;
    case CMD_EXIT: SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); return 0;
    case CMD_MINTRAY: ToggleOption(options.mintray, CMD_MINTRAY); return 0;
    case CMD_AUTO_PAN: ToggleOption(options.winpan, CMD_AUTO_PAN); return 0;
    case CMD_FLAG_SCAN: ToggleOption(options.flagscan, CMD_FLAG_SCAN); return 0;
    case CMD_SPAWN_SCAN: ToggleOption(options.shscan, CMD_SPAWN_SCAN); return 0;
    case CMD_UNDO: UndoLastStep(editor); return 0;
    case CMD_REDO: RedoLastStep(editor); return 0;
    case CMD_TILE_VERTICAL: SendMessageA(app.mdiClient, WM_MDITILE, MDITILE_VERTICAL, 0); return 0;
    case CMD_TILE_HORIZONTAL: SendMessageA(app.mdiClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); return 0;
    case CMD_CASCADE: SendMessageA(app.mdiClient, WM_MDICASCADE, 0, 0); return 0;
    case CMD_TEST_MAP: TestMap(); return 0;
    default:
      if (IsPendingCommand(command)) return 0;
      // 50009 from a menu, and the Window menu's list of map windows.
      return DefFrameProcA(hwnd, app.mdiClient, WM_COMMAND, wParam, lParam);
  }
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  int command = LOWORD(wParam);
  if (command == CMD_HELP_DOCUMENT) {
    OpenHelpDocument();
    return 0;
  }
  if (HIWORD(wParam) == 1) return OnAcceleratorCommand(hwnd, command);
  return OnMenuCommand(hwnd, wParam, lParam);
}

LRESULT OnPaint(HWND hwnd) {
  PaintContext paint(hwnd);  // nothing to draw: the children cover the frame
  return 0;
}

LRESULT OnDestroy() {
  App().stopFlag = 1;
  PostQuitMessage(0);
  return 0;
}

}  // namespace

FrameLayout ComputeFrameLayout(int w, int h, bool verticalToolbox) {
  FrameLayout layout;
  if (verticalToolbox) {
    layout.mdiClient = {130, 0, w - 260, h - 82};
    layout.animationPalette = {w - 128, 0, 128, h};
    layout.toolbox = {0, 0, 128, 170};
    layout.infoPanel = {0, 172, 128, h - 254};
  } else {
    layout.mdiClient = {130, 36, w - 260, h - 118};
    layout.animationPalette = {w - 128, 36, 128, h - 36};
    layout.toolbox = {0, 0, w, 36};
    layout.infoPanel = {0, 36, 128, h - 254};
  }
  layout.tilePalette = {0, h - 80, w - 128, 80};
  return layout;
}

void BuildSharedPalette() {
  AppGlobals& app = App();
  // The sheet is taken to be an 8-bit bitmap: its 256-entry colour table
  // follows the 54 header bytes.
  uint8_t table[1024] = {};
  if (FILE* f = std::fopen("tiles.bmp", "rb")) {
    uint8_t header[54];
    if (std::fread(header, 1, sizeof header, f) == sizeof header) {
      size_t got = std::fread(table, 1, sizeof table, f);
      (void)got;  // a short table leaves the rest black
    }
    std::fclose(f);
  }
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[255];
  } record = {};
  record.head.palVersion = 0x300;
  record.head.palNumEntries = 256;
  PALETTEENTRY* entries = record.head.palPalEntry;
  for (int i = 0; i < 256; ++i) {
    entries[i].peRed = table[i * 4 + 2];
    entries[i].peGreen = table[i * 4 + 1];
    entries[i].peBlue = table[i * 4];
    entries[i].peFlags = 0;
  }
  if (app.sharedPalette) DeleteObject(app.sharedPalette);
  app.sharedPalette = CreatePalette(&record.head);
  if (app.sheetContext && app.sharedPalette) {
    SelectPalette(app.sheetContext, app.sharedPalette, FALSE);
    RealizePalette(app.sheetContext);
  }
}

bool RegisterFrameClass() {
  AppGlobals& app = App();
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = FrameWindowProc;
  wc.hInstance = app.instance;
  wc.hIcon = app.appIcon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDM_FRAME_MENU);
  wc.lpszClassName = "zormaped";
  return RegisterClassA(&wc) != 0;
}

LRESULT CALLBACK FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(LOWORD(lParam), HIWORD(lParam));
    case WM_PAINT: return OnPaint(hwnd);
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {800, 512};
      return 0;
    case WM_SYSCOMMAND: return OnSysCommand(hwnd, wParam, lParam);
    case kTrayNotify: return 0;  // the tray icon is not shown yet
    case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    case WM_COMMAND: return OnCommand(hwnd, wParam, lParam);
    default: return DefFrameProcA(hwnd, App().mdiClient, message, wParam, lParam);
  }
}

}  // namespace quarl::win
