#include "app/win/frame_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <iterator>

#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "app/commands.h"
#include "app/map_reports.h"
#include "app/settings.h"
#include "app/win/info_panel.h"
#include "app/win/map_information_dialog.h"
#include "app/win/tray_icon.h"
#include "history/win/customize_window.h"
#include "editor/map_file_commands.h"
#include "editor/new_map.h"
#include "editor/selection.h"
#include "editor/selection_transforms.h"
#include "editor/undo_commands.h"
#include "editor/win/system_clipboard.h"
#include "resource_ids.h"
#include "tools/win/animation_palette_window.h"
#include "tools/win/overview_window.h"
#include "tools/win/tile_palette_window.h"
#include "tools/win/toolbox_window.h"

namespace quarl::win {
namespace {

constexpr int kFrameMenuItems = 5;  // File, Edit, Options, Window, Help

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

  // Each tool window answers 0, or a code after which the program stops.
  if (CreateTilePalette(hwnd) != 0) app.stopFlag = 1;
  if (CreateAnimationPalette(hwnd) != 0) app.stopFlag = 1;
  if (int code = CreateToolbox(hwnd); code != 0) {
    char format[512] = {};
    LoadStringA(app.instance, IDS_TOOL_WINDOWS, format, sizeof format);
    char text[600];
    std::snprintf(text, sizeof text, "%s [%i]", format, code);
    MessageBoxA(nullptr, text, "Error - Fatal", MB_OK);
    app.stopFlag = 1;
  }
  if (CreateInfoPanel(hwnd) != 0) {
    char text[200] = {};
    LoadStringA(app.instance, IDS_REGISTER_CLASS, text, sizeof text);
    MessageBoxA(nullptr, text, "Error", MB_OK);
    app.stopFlag = 1;
  }
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
  if ((wParam & 0xFFF0) == SC_MINIMIZE && App().editor.options.mintray != 0) {
    MinimizeToTray(hwnd);
    return 0;
  }
  return DefFrameProcA(hwnd, App().mdiClient, WM_SYSCOMMAND, wParam, lParam);
}

// ---- menu state -----------------------------------------------------------------

const CommandTable& Commands();

// Every item of the popup with a command of the table takes the state the
// table gives it; separators, submenus and the Window menu's list of maps
// (which marks the active one) are left as they are.
void ApplyCommandStates(HMENU popup) {
  const CommandContext context{App().editor, App().overviewWindow != nullptr};
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id == static_cast<UINT>(-1) || !Commands().Defines(static_cast<int>(id))) continue;
    const CommandState state = CommandStateOf(static_cast<int>(id), context);
    EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void RebuildHelpMenu(HMENU popup) {
  for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i) DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
  AppendMenuA(popup, MF_STRING, CMD_HELP_DOCUMENT, "zormpd.rtf");
}

LRESULT OnInitMenuPopup(HMENU popup) {
  HMENU menu = App().frameMenu;
  // A maximised map window puts its own window-menu item in front of the
  // frame's five menus; the Help menu is the last of those.
  const int help = GetMenuItemCount(menu) > kFrameMenuItems ? kFrameMenuItems : kFrameMenuItems - 1;
  if (popup == GetSubMenu(menu, help)) {
    RebuildHelpMenu(popup);
  } else {
    ApplyCommandStates(popup);
  }
  return 0;
}

// ---- commands -----------------------------------------------------------------

void OpenHelpDocument() {
  const std::string& directory = App().editor.programDirectory;
  const std::string document = directory + "\\zormpd.rtf";
  ShellExecuteA(nullptr, "open", document.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
}

void ToggleOption(int32_t& option, UINT command) {
  quarl::ToggleOption(option);
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
  const std::string game = editor.programDirectory + "\\zor.exe";
  ShellExecuteA(nullptr, "open", game.c_str(), parameters, editor.programDirectory.c_str(), SW_SHOW);
}

void OpenCustomize() {
  if (OpenCustomizeWindow() != -1) return;
  char text[200] = {};
  LoadStringA(App().instance, IDS_REGISTER_CLASS, text, sizeof text);
  MessageBoxA(nullptr, text, "Error - Non-Fatal", MB_OK);
}

void NewMap() {
  // CreateNewMAP links the document only once its window exists, and has
  // told the user when it could not.
  CreateNewMAP(App().editor);
}

// The frame's commands. Each action finds the program's state when it runs
// (a test starts the program several times in one process). Those whose work
// is not part of the program yet (the overview, Map Information and
// Customize windows) are listed with no action: they do nothing until that
// work lands.
CommandTable BuildCommandTable() {
  CommandTable table;
  auto editor = [] () -> Editor& { return App().editor; };
  auto options = [] () -> Options& { return App().editor.options; };
  table.Define(CMD_NEW, NewMap);
  table.Define(CMD_OPEN, [] { OpenWithDialog(App().frame); });
  table.Define(CMD_SAVE, [] { SaveActive(false); });
  table.Define(CMD_SAVE_AS, [] { SaveActive(true); });
  table.Define(CMD_EXIT, [] { SendMessageA(App().frame, WM_SYSCOMMAND, SC_CLOSE, 0); });
  table.Define(CMD_MINTRAY, [=] { ToggleOption(options().mintray, CMD_MINTRAY); });
  table.Define(CMD_AUTO_PAN, [=] { ToggleOption(options().winpan, CMD_AUTO_PAN); });
  table.Define(CMD_FLAG_SCAN, [=] { ToggleOption(options().flagscan, CMD_FLAG_SCAN); });
  table.Define(CMD_SPAWN_SCAN, [=] { ToggleOption(options().shscan, CMD_SPAWN_SCAN); });
  table.Define(CMD_UNDO, [=] { UndoLastStep(editor()); });
  table.Define(CMD_REDO, [=] { RedoLastStep(editor()); });
  table.Define(CMD_TILE_VERTICAL, [] { SendMessageA(App().mdiClient, WM_MDITILE, MDITILE_VERTICAL, 0); });
  table.Define(CMD_TILE_HORIZONTAL, [] { SendMessageA(App().mdiClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); });
  table.Define(CMD_CASCADE, [] { SendMessageA(App().mdiClient, WM_MDICASCADE, 0, 0); });
  table.Define(CMD_TEST_MAP, TestMap);
  table.Define(CMD_MAP_CHECK, [=] { ShowMapReports(editor()); });
  table.Define(CMD_INFO, [] { OpenMapInformationDialog(); });
  table.Define(CMD_CUSTOMIZE_MR, OpenCustomize);
  table.Define(CMD_SELECT_ALL, [=] { SelectAll(editor(), editor().activeMapWindow); });
  table.Define(CMD_FILL_SELECTION, [=] { FillSelection(editor(), editor().activeMapWindow); });
  table.Define(CMD_DELETE, [=] { DeleteSelection(editor(), editor().activeMapWindow); });
  auto activeMap = [] { return ToHwnd(App().editor.activeMapWindow); };
  table.Define(CMD_COPY, [=] { CopySelection(editor(), activeMap(), false); });
  table.Define(CMD_CUT, [=] { CopySelection(editor(), activeMap(), true); });
  table.Define(CMD_PASTE, [=] { PasteClipboard(editor(), activeMap()); });
  // The toolbox's one-shot buttons: the same work, the toolbox owning the
  // clipboard.
  table.Define(TOOL_COPY, [=] { CopySelection(editor(), App().toolbox, false), RepaintNow(activeMap()); });
  table.Define(TOOL_CUT, [=] { CopySelection(editor(), App().toolbox, true), RepaintNow(activeMap()); });
  table.Define(TOOL_PASTE, [=] { PasteClipboard(editor(), App().toolbox), RepaintNow(activeMap()); });
  table.Define(TOOL_ROTATE, [=] { RotateSelection(editor()); });
  // The Mirror popup's choice has set the direction already.
  table.Define(TOOL_MIRROR, [=] { MirrorSelection(editor()); });
  table.Define(CMD_OVERVIEW, [=] {
    if (MapDocument* doc = editor().ActiveDocument(); doc && !App().overviewWindow) OpenOverview(*doc);
  });
  return table;
}

const CommandTable& Commands() {
  static const CommandTable table = BuildCommandTable();
  return table;
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  int command = LOWORD(wParam);
  if (command == CMD_HELP_DOCUMENT) {
    OpenHelpDocument();
    return 0;
  }
  const CommandSource source = HIWORD(wParam) == 1 ? CommandSource::Accelerator : CommandSource::Menu;
  if (Commands().Run(command, source)) return 0;
  // The Window menu's list of map windows, and Redo's second id from a menu.
  return DefFrameProcA(hwnd, App().mdiClient, WM_COMMAND, wParam, lParam);
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
  const std::string sheet = app.editor.programDirectory + "\\tiles.bmp";
  if (FILE* f = std::fopen(sheet.c_str(), "rb")) {
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
  return RegisterWindowClass({.name = "zormaped",
                              .procedure = FrameWindowProc,
                              .style = CS_DBLCLKS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                              .icon = App().appIcon,
                              .cursor = LoadCursorA(nullptr, IDC_ARROW),
                              .background = ColourBackground(COLOR_BTNFACE),
                              .menu = MAKEINTRESOURCEA(IDM_FRAME_MENU)}) == 0;
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
    case kTrayNotifyMessage: return OnTrayNotify(hwnd, lParam);
    case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    case WM_COMMAND: return OnCommand(hwnd, wParam, lParam);
    default: return DefFrameProcA(hwnd, App().mdiClient, message, wParam, lParam);
  }
}

}  // namespace quarl::win
