#include "app/win/startup.h"

#include <commctrl.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/tile_sheet.h"
#include "app/update_list.h"
#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "app/win/file_association.h"
#include "app/win/frame_window.h"
#include "app/win/registry_settings.h"
#include "app/win/tray_icon.h"
#include "app/win/win_user_interface.h"
#include "app/win/win_zlib.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "editor/map_file_commands.h"
#include "editor/win/map_window.h"
#include "map/tile_tables.h"
#include "resource_ids.h"

namespace quarl::win {
namespace {

WinUserInterface g_userInterface;
WinMapWindows g_mapWindows;
WinZlibLibrary g_zlib;

// Start-up messages go through a 256-byte buffer, as the string table's
// texts fit in it.
void ShowStartupString(int id, const char* title) {
  char text[256] = {};
  LoadStringA(App().instance, static_cast<UINT>(id), text, sizeof text);
  MessageBoxA(nullptr, text, title, MB_OK);
}

void CreateBrushesAndFont(AppGlobals& app) {
  app.panelFont = CreateFontA(13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "arial");
  app.faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  app.windowBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
}

std::vector<uint8_t> ReadFileBytes(const char* name) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(name, "rb")) {
    uint8_t chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
  }
  return bytes;
}

bool TileSheetIsReadable() {
  FILE* f = std::fopen("tiles.bmp", "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

// The program directory: the one the command line names when it exists,
// else the directory the program was started in. The working directory is
// left alone; every file the program finds there is opened by its full path.
void FindProgramDirectory(AppGlobals& app, const std::string& commandLine) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  std::string directory = CommandLineDirectory(commandLine.substr(0, 259));
  char full[MAX_PATH] = {};
  const DWORD attributes = directory.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(directory.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
      GetFullPathNameA(directory.c_str(), sizeof full, full, nullptr) > 0) {
    app.editor.programDirectory = full;
  } else {
    app.editor.programDirectory = current;
  }
}

void LoadMirrorRotateData(Editor& editor) {
  editor.tables = DefaultMirrorRotateTables();
  MrdataStatus status = LoadMirrorRotateTables(editor.programDirectory, editor.tables);
  if (status == MrdataStatus::CannotOpen) {
    ShowStartupString(IDS_NO_MRDATA, "Error - Non-Fatal");
  } else if (status != MrdataStatus::Loaded) {
    // A damaged file is refused whole; the built-in tables stay in force.
    MessageBoxA(nullptr, MrdataStatusText(status).c_str(), "Error - Non-Fatal", MB_OK);
  }
}

void OpenCommandLineMaps(const std::string& arguments) {
  for (const std::string& name : MapArgumentsInOpenOrder(arguments)) OpenMapFile(App().editor, name);
}

void ReleaseResources(AppGlobals& app) {
  if (app.appIcon) DestroyIcon(app.appIcon);
  if (app.sheetContext) DeleteDC(app.sheetContext);
  if (app.sharedPalette) DeleteObject(app.sharedPalette);
  if (app.panelFont) DeleteObject(app.panelFont);
  if (app.faceBrush) DeleteObject(app.faceBrush);
  if (app.windowBrush) DeleteObject(app.windowBrush);
  if (app.tileSheet) DeleteObject(app.tileSheet);
  if (app.accelerators) DestroyAcceleratorTable(app.accelerators);
  app.appIcon = nullptr;
  app.sheetContext = nullptr;
  app.sharedPalette = nullptr;
  app.panelFont = nullptr;
  app.faceBrush = app.windowBrush = nullptr;
  app.tileSheet = nullptr;
  app.accelerators = nullptr;
}

// The info panel's class goes too, so that a later start in the same
// process can register it again.
void UnregisterClasses(HINSTANCE instance) {
  for (const char* name : {"newmap", "zormaped", "anims", "zortiles", "overview", "zortoolbox", "Quarl_CUSTOM_MR", "zorinfo"})
    UnregisterClassA(name, instance);
}

}  // namespace

bool StartQuarl(HINSTANCE instance, const std::string& commandLine, const std::string& arguments) {
  ResetApp();  // empty open-map and animation lists, stop flag 0, tool command 500
  AppGlobals& app = App();
  app.instance = instance;
  app.editor.ui = &g_userInterface;
  app.editor.windows = &g_mapWindows;
  app.editor.zlib = &g_zlib;

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);  // tooltips, status bars, trackbars
  CreateBrushesAndFont(app);
  app.appIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUARL), IMAGE_ICON, 16, 16, 0));
  if (!RegisterFrameClass()) {
    ShowStartupString(IDS_REGISTER_CLASS, "Error");
    ReleaseResources(app);
    return false;
  }
  app.frameMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_FRAME_MENU));

  // tiles.bmp is looked for where the program was started from; everything
  // after it in the program directory found below.
  if (!TileSheetIsReadable()) {
    ShowStartupString(IDS_NO_TILES_BMP, "Error - Fatal");
    DestroyMenu(app.frameMenu);
    app.frameMenu = nullptr;
    ReleaseResources(app);
    UnregisterClasses(instance);
    return false;
  }
  // A damaged sheet never reaches the system's loader; every window draws
  // from the sheet, so without it there is nothing to edit with.
  std::string problem = TileSheetProblem(ReadFileBytes("tiles.bmp"));
  if (problem.empty())
    app.tileSheet = static_cast<HBITMAP>(LoadImageA(nullptr, "tiles.bmp", IMAGE_BITMAP, 0, 0,
                                                    LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION));
  if (!app.tileSheet) {
    std::string text = "tiles.bmp is not a bitmap Quarl can read";
    if (!problem.empty()) text += ":\n" + problem;
    MessageBoxA(nullptr, text.c_str(), "Error - Fatal", MB_OK);
    DestroyMenu(app.frameMenu);
    app.frameMenu = nullptr;
    ReleaseResources(app);
    UnregisterClasses(instance);
    return false;
  }

  FindProgramDirectory(app, commandLine);
  RegisterFileAssociation(commandLine);
  LoadMirrorRotateData(app.editor);
  RunUpdateList(app.editor);  // plovnik.upd, when there is one
  InitTileTables();
  app.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_FRAME));
  app.sheetContext = CreateCompatibleDC(nullptr);
  if (app.tileSheet) SelectObject(app.sheetContext, app.tileSheet);
  {
    // Before the frame: its layout follows the toolbox option.
    RegistrySettingsStore store(RegistrySettingsStore::Access::kOpen);
    app.editor.options = LoadOptions(store);
  }

  app.frame = CreateWindowExA(0, "zormaped", "Quarl",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 800, 512,
                              nullptr, app.frameMenu, instance, nullptr);
  ShowWindow(app.frame, SW_SHOW);
  OpenCommandLineMaps(arguments);
  return true;
}

bool AutoPanActiveMap() {
  const Editor& editor = App().editor;
  return editor.ActiveView() && AutoPanStep(ToHwnd(editor.activeMapWindow));
}

WPARAM RunMainLoop() {
  AppGlobals& app = App();
  MSG msg = {};
  WPARAM last = 0;
  while (!app.stopFlag) {
    bool panning = AutoPanActiveMap();
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // Nothing queued: sleep until input arrives, or until the next pan
      // step is due while the map pans on its own.
      if (panning)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kAutoPanIntervalMs, QS_ALLINPUT);
      else
        WaitMessage();
      continue;
    }
    last = msg.wParam;
    // WM_QUIT is dispatched like any other message: only the stop flag ends the loop.
    if (!TranslateAcceleratorA(app.frame, app.accelerators, &msg)) TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return last;
}

void ShutDownQuarl() {
  AppGlobals& app = App();
  if (app.frame) RemoveTrayIcon(app.frame);
  // A frame still standing (a test that stopped early) goes first, so that
  // its windows do not outlive the objects they draw with.
  if (app.frame && IsWindow(app.frame)) DestroyWindow(app.frame);
  ReleaseResources(app);
  app.editor.maps.Clear();
  UnregisterClasses(app.instance);
  SaveMirrorRotateTables(app.editor.programDirectory, app.editor.tables);
  RegistrySettingsStore store(RegistrySettingsStore::Access::kCreate);
  SaveOptions(store, app.editor.options);
  app.frame = nullptr;
}

}  // namespace quarl::win
