#include "app/win/tool_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "tools/win/tile_drawing.h"
#include "tools/animations_file.h"

namespace quarl::win {
namespace {

constexpr int kTile = 16;
constexpr int kSheetColumns = 40;

// ---- shared scrolling -----------------------------------------------------------

int ScrollStep(HWND hwnd, int bar, WPARAM wParam, int line, int page) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &si);
  int step = 0;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: step = -line; break;
    case SB_LINEDOWN: step = line; break;
    case SB_PAGEUP: step = -page; break;
    case SB_PAGEDOWN: step = page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: step = (si.nTrackPos - si.nPos) / kTile * kTile; break;
    default: break;
  }
  int position = std::clamp(si.nPos + step, si.nMin, std::max(si.nMin, si.nMax));
  int applied = position - si.nPos;
  if (applied != 0) {
    if (bar == SB_VERT)
      ScrollWindowEx(hwnd, 0, -applied, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    else
      ScrollWindowEx(hwnd, -applied, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    SetScrollPos(hwnd, bar, position, TRUE);
  }
  return applied;
}

void SetRange(HWND hwnd, int bar, int maximum) {
  SetScrollRange(hwnd, bar, 0, std::max(0, maximum), TRUE);
}

int SheetHeight() {
  BITMAP bm = {};
  if (!App().tileSheet || !GetObjectA(App().tileSheet, sizeof bm, &bm)) return 0;
  return bm.bmHeight;
}

int SheetWidth() {
  BITMAP bm = {};
  if (!App().tileSheet || !GetObjectA(App().tileSheet, sizeof bm, &bm)) return 0;
  return bm.bmWidth;
}

// ---- tile palette: the sheet, scrolled in steps of one tile -------------------

void OnTilePaletteCreate(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  SetRange(hwnd, SB_VERT, 1600 - rc.bottom);
  SetRange(hwnd, SB_HORZ, 640 - rc.right);
}

void OnTilePalettePaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  PaletteSelection palette(dc, app.sharedPalette);
  int x = GetScrollPos(hwnd, SB_HORZ), y = GetScrollPos(hwnd, SB_VERT);
  SetWindowOrgEx(dc, x, y, nullptr);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (!BitBlt(dc, 0, y, SheetWidth(), rc.bottom, app.sheetContext, 0, y, SRCCOPY)) {
    char text[64];
    std::snprintf(text, sizeof text, "BitBlt() failed: %iL", static_cast<int>(GetLastError()));
    MessageBoxA(nullptr, text, "tiles.bmp", MB_OK);
    app.stopFlag = 1;
  }
  SetWindowOrgEx(dc, 0, 0, nullptr);
}

void OnTilePaletteMouseMove(HWND hwnd, LPARAM lParam) {
  int x = LOWORD(lParam) + GetScrollPos(hwnd, SB_HORZ);
  int y = HIWORD(lParam) + GetScrollPos(hwnd, SB_VERT);
  char text[16];
  std::snprintf(text, sizeof text, "%i", x / kTile + (y / kTile) * kSheetColumns);
  if (App().infoPanel) SetDlgItemTextA(App().infoPanel, kTileDisplay, text);
}

LRESULT CALLBACK TilePaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnTilePaletteCreate(hwnd); return 0;
    case WM_SIZE: SetRange(hwnd, SB_VERT, SheetHeight() - HIWORD(lParam)); return 0;
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, 16, 64); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, 16, 16); return 0;
    case WM_PAINT: OnTilePalettePaint(hwnd); return 0;
    case WM_MOUSEMOVE: OnTilePaletteMouseMove(hwnd, lParam); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// ---- animation palette: one row per animation, its frames side by side --------

void OnAnimationPaletteSize(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  SetRange(hwnd, SB_HORZ, 200);
  SetRange(hwnd, SB_VERT, 4096 - rc.bottom);
}

void OnAnimationPalettePaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  PaletteSelection palette(dc, app.sharedPalette);
  int x0 = -GetScrollPos(hwnd, SB_HORZ), y0 = -GetScrollPos(hwnd, SB_VERT);
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, app.windowBrush ? app.windowBrush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (const Animation& animation : app.editor.animations.All()) {
    int y = y0 + static_cast<int>(animation.id) * kTile;
    if (y + kTile < 0 || y > rc.bottom) continue;
    for (size_t f = 0; f < animation.frames.size(); ++f) DrawTiles(dc, x0 + static_cast<int>(f) * kTile, y, animation.frames[f]);
  }
}

LRESULT CALLBACK AnimationPaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: OnAnimationPaletteSize(hwnd); return 0;
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, 16, 64); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, 16, 16); return 0;
    case WM_PAINT: OnAnimationPalettePaint(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// ---- toolbox: the picture of the current layout and the current tool ----------

struct ToolboxPictures {
  GdiObject<HBITMAP> vertical;
  GdiObject<HBITMAP> horizontal;
};
ToolboxPictures g_pictures;

bool VerticalLayout() { return App().editor.options.toolbox != 0; }

// A sunken square around the current tool.
void DrawSunkenFrame(HDC dc, int x, int y, int w, int h) {
  auto line = [dc](COLORREF colour, int x0, int y0, int x1, int y1) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    Selection selected(dc, pen.Get());
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  line(RGB(0, 0, 0), x, y, x + w + 1, y);
  line(RGB(0, 0, 0), x, y, x, y + h + 1);
  line(RGB(255, 255, 255), x, y + h + 1, x + w + 1, y + h + 1);
  line(RGB(255, 255, 255), x + w + 1, y, x + w + 1, y + h + 2);
  line(RGB(128, 128, 128), x + 1, y + 1, x + w, y + 1);
  line(RGB(128, 128, 128), x + 1, y + 1, x + 1, y + h);
  line(RGB(224, 224, 224), x + 1, y + h, x + w, y + h);
  line(RGB(224, 224, 224), x + w, y + 1, x + w, y + h + 1);
}

void OnToolboxPaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  PaletteSelection palette(dc, app.sharedPalette);
  bool vertical = VerticalLayout();
  HBITMAP picture = vertical ? g_pictures.vertical.Get() : g_pictures.horizontal.Get();
  MemoryContext memory(dc);
  PaletteSelection memoryPalette(memory.Get(), app.sharedPalette);
  BITMAP bm = {};
  if (picture && GetObjectA(picture, sizeof bm, &bm)) {
    Selection selected(memory.Get(), picture);
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, memory.Get(), 0, 0, SRCCOPY);
  }
  int tool = ToolIndex(app.editor.tools.currentTool);
  if (vertical) {
    int c = tool % 4, r = tool / 4;
    if (r == 0)
      DrawSunkenFrame(dc, c * 32, 3, 32, 29);
    else
      DrawSunkenFrame(dc, c * 32, r * 32, 32, 32);
  } else {
    DrawSunkenFrame(dc, tool * 32, 3, 32, 29);
  }
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT edge = {2, 0, rc.right - 4, 2};
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
}

// ---- toolbox tooltips ----------------------------------------------------------

constexpr const char* kToolTips[kToolCount] = {
    "Edit",         "Select",      "Copy",        "Cut",       "Paste",        "Bunker",
    "Bridge",       "Flag Dropper", "Flag Pole Dropper", "Switch Dropper", "Wall Tool", "Spawn Dropper",
    "Tile Picker",  "Holding Pen Dropper", "Rotate", "Mirror", "Conveyor"};

HWND g_toolTips = nullptr;

RECT ToolButtonRect(int tool) {
  if (VerticalLayout()) return {(tool % 4) * 32, (tool / 4) * 32, (tool % 4) * 32 + 32, (tool / 4) * 32 + 32};
  return {tool * 32, 0, tool * 32 + 32, 32};
}

// Replaces the tooltip tools with the buttons of the current layout.
void ResetToolTips(HWND toolbox) {
  if (!g_toolTips) return;
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.hwnd = toolbox;
  int count = static_cast<int>(SendMessageA(g_toolTips, TTM_GETTOOLCOUNT, 0, 0));
  for (int id = TOOL_EDIT + count; id >= TOOL_EDIT; --id) {
    info.uId = static_cast<UINT_PTR>(id);
    SendMessageA(g_toolTips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  for (int tool = 0; tool < kToolCount; ++tool) {
    info.uFlags = TTF_CENTERTIP | TTF_SUBCLASS;
    info.uId = static_cast<UINT_PTR>(TOOL_EDIT + tool);
    info.rect = ToolButtonRect(tool);
    info.hinst = App().instance;
    info.lpszText = const_cast<char*>(kToolTips[tool]);
    SendMessageA(g_toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void CreateToolTips(HWND toolbox) {
  g_toolTips = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, toolbox, nullptr, App().instance, nullptr);
  ResetToolTips(toolbox);
}

// Tools that become current by a click; the others act at once or through
// their popups, which come with the toolbox's full behaviour.
bool IsClickTool(int tool) { return tool == 0 || tool == 1 || tool == 7 || tool == 9 || tool == 12; }

void OnToolboxClick(HWND hwnd, int x, int y) {
  int index = -1;
  if (VerticalLayout())
    index = (y / 32) * 4 + x / 32;
  else if (y < 32)
    index = x / 32;
  if (index < 0 || index >= kToolCount) return;
  SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(TOOL_EDIT + index), 0);
  if (IsClickTool(index)) App().editor.tools.currentTool = ToolAt(index);
  RepaintNow(hwnd);
}

void OnToolboxCommand(int command) {
  ToolState& tools = App().editor.tools;
  if (command == TOOL_EDIT || command == TOOL_SELECT || command == TOOL_FLAG || command == TOOL_SWITCH ||
      command == TOOL_TILE_PICKER || command < TOOL_EDIT || command > TOOL_CONVEYOR)
    tools.currentToolCommand = command;
}

LRESULT CALLBACK ToolboxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateToolTips(hwnd); return 0;
    case WM_SIZE: ResetToolTips(hwnd); return 0;
    case WM_DESTROY:
      if (g_toolTips) DestroyWindow(g_toolTips);
      g_toolTips = nullptr;
      return 0;
    case WM_PAINT: OnToolboxPaint(hwnd); return 0;
    case WM_LBUTTONUP: OnToolboxClick(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
    case WM_COMMAND: if (HIWORD(wParam) == 0) OnToolboxCommand(LOWORD(wParam)); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// ---- info panel ---------------------------------------------------------------

struct ControlSpec {
  int id;
  const char* cls;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int x, y, w, h;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
const ControlSpec kInfoControls[] = {
    {kAnimOffsetEdit, "EDIT", "", kChild | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 85, 2, 30, 18},
    {kTileDisplay, "EDIT", "", kChild | ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 45, 22, 70, 18},
    {kOffsetDisplay, "EDIT", "", kChild | ES_READONLY | ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 65, 42, 50, 18},
    {kUseAnimCheck, "BUTTON", "", kChild | BS_CHECKBOX, 0, 103, 62, 20, 18},
    {107, "BUTTON", "Green", kChild | BS_RADIOBUTTON | BS_LEFTTEXT, 0, 5, 91, 113, 20},
    {108, "BUTTON", "Red", kChild | BS_RADIOBUTTON | BS_LEFTTEXT, 0, 5, 113, 113, 20},
    {109, "BUTTON", "Blue", kChild | BS_RADIOBUTTON | BS_LEFTTEXT, 0, 5, 135, 113, 20},
    {110, "BUTTON", "Yellow", kChild | BS_RADIOBUTTON | BS_LEFTTEXT, 0, 5, 157, 113, 20},
    {111, "BUTTON", "Neutral", kChild | BS_RADIOBUTTON | BS_LEFTTEXT, 0, 5, 179, 113, 20},
};

void OnInfoPanelCreate(HWND hwnd) {
  AppGlobals& app = App();
  for (const ControlSpec& c : kInfoControls) {
    HWND control = CreateWindowExA(c.exStyle, c.cls, c.text, c.style, c.x, c.y, c.w, c.h, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), app.instance, nullptr);
    if (c.id != kUseAnimCheck) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(app.panelFont), TRUE);
  }
  CheckDlgButton(hwnd, kFirstTeamButton, BST_CHECKED);
  app.editor.tools.currentTeam = TEAM_GREEN;
}

void OnInfoPanelPaint(HWND hwnd) {
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 255));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  struct Label {
    const char* text;
    RECT rc;
  };
  const Label labels[] = {{"Anim Offset:", {4, 2, 80, 20}},
                          {"Tile:", {4, 20, 80, 42}},
                          {"Offset:", {4, 42, 80, 62}},
                          {"Use Anim:", {4, 62, 80, 82}}};
  for (Label label : labels) DrawTextA(dc, label.text, -1, &label.rc, DT_SINGLELINE | DT_VCENTER);
  RECT separator = {5, 88, 118, 90};
  DrawEdge(dc, &separator, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void OnTeamButton(HWND hwnd, int id) {
  ToolState& tools = App().editor.tools;
  for (int button = kFirstTeamButton; button < kFirstTeamButton + 5; ++button) CheckDlgButton(hwnd, button, BST_UNCHECKED);
  CheckDlgButton(hwnd, id, BST_CHECKED);
  tools.currentTeam = id - kFirstTeamButton;
  if (tools.currentTool == TOOL_FLAG_POLE && tools.currentTeam == TEAM_NEUTRAL) {
    MessageBoxA(nullptr, "You are unable to place Neutral Flag poles.\nAutomatically switching to Flag Tool",
                "Quick Info", MB_OK);
    tools.currentTool = TOOL_FLAG;
    tools.currentToolCommand = TOOL_FLAG;
    RepaintNow(App().toolbox);
  }
}

void OnAnimOffsetUpdate(HWND hwnd) {
  char text[8] = {};
  GetDlgItemTextA(hwnd, kAnimOffsetEdit, text, 5);
  int value = std::atoi(text);
  if (value < 0 || value > 127) {
    char clamped[8];
    std::snprintf(clamped, sizeof clamped, "%i", std::clamp(value, 0, 127));
    SetDlgItemTextA(hwnd, kAnimOffsetEdit, clamped);
  }
}

LRESULT OnInfoPanelCommand(HWND hwnd, WPARAM wParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  ToolState& tools = App().editor.tools;
  if (id == kUseAnimCheck) {
    tools.animationMode = tools.animationMode == 0 ? 1 : 0;
    CheckDlgButton(hwnd, kUseAnimCheck, tools.animationMode == 1 ? BST_CHECKED : BST_UNCHECKED);
  } else if (id >= kFirstTeamButton && id < kFirstTeamButton + 5) {
    OnTeamButton(hwnd, id);
  } else if ((id == kTileDisplay || id == kOffsetDisplay) && code == EN_SETFOCUS) {
    DestroyCaret();
  } else if (id == kAnimOffsetEdit && code == EN_UPDATE) {
    OnAnimOffsetUpdate(hwnd);
  }
  return 0;
}

LRESULT OnInfoPanelColour(HDC dc, HWND control) {
  AppGlobals& app = App();
  int id = GetDlgCtrlID(control);
  if (id != kUseAnimCheck && (id < kFirstTeamButton || id >= kFirstTeamButton + 5))
    return reinterpret_cast<LRESULT>(app.windowBrush);
  SetBkMode(dc, TRANSPARENT);
  static const COLORREF kTeamColours[4] = {RGB(0, 255, 0), RGB(204, 0, 0), RGB(0, 0, 204), RGB(255, 255, 0)};
  int team = id - kFirstTeamButton;
  if (team >= 0 && team < 4) SetTextColor(dc, kTeamColours[team]);
  return reinterpret_cast<LRESULT>(app.faceBrush);
}

LRESULT CALLBACK InfoPanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnInfoPanelCreate(hwnd); return 0;
    case WM_PAINT: OnInfoPanelPaint(hwnd); return 0;
    case WM_COMMAND: return OnInfoPanelCommand(hwnd, wParam);
    case WM_CTLCOLORSTATIC: return OnInfoPanelColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: PostQuitMessage(0); return 0;  // the main loop ignores it
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int CreateTilePalette(HWND frame) {
  AppGlobals& app = App();
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = TilePaletteProc;
  wc.hInstance = app.instance;
  wc.hIcon = app.appIcon;
  wc.hCursor = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_PICKER_CURSOR));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "zortiles";
  if (!RegisterClassA(&wc)) return 0;
  RECT rc;
  GetClientRect(frame, &rc);
  app.tilePalette = CreateWindowExA(WS_EX_CLIENTEDGE, "zortiles", nullptr,
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0, rc.bottom - 128,
                                    rc.right - 128, 128, frame, nullptr, app.instance, nullptr);
  if (!app.tilePalette) return 0;
  ShowWindow(app.tilePalette, SW_SHOW);
  return 1;
}

int LoadAnimations(HWND frame) {
  AppGlobals& app = App();
  // The core reads anims.dat and tells the user when it is missing.
  if (quarl::LoadAnimations(app.editor.programDirectory, app.editor.animations, *app.editor.ui) == -1) return -1;

  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = AnimationPaletteProc;
  wc.hInstance = app.instance;
  wc.hIcon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = "anims";
  if (!RegisterClassA(&wc)) {
    char text[256] = {};
    LoadStringA(app.instance, IDS_REGISTER_CLASS, text, sizeof text);
    MessageBoxA(nullptr, text, "Error - Fatal", MB_OK);
    app.stopFlag = 1;
  }
  RECT rc;
  GetClientRect(frame, &rc);
  app.animationPalette = CreateWindowExA(WS_EX_CLIENTEDGE, "anims", "Animations",
                                         WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, rc.right - 128, 0,
                                         128, rc.bottom, frame, nullptr, app.instance, nullptr);
  ShowWindow(app.animationPalette, SW_SHOW);
  return 1;
}

int CreateToolbox(HWND frame) {
  AppGlobals& app = App();
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = ToolboxProc;
  wc.hInstance = app.instance;
  wc.hIcon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "zortoolbox";
  if (!RegisterClassA(&wc)) {
    DWORD error = GetLastError();
    return error ? static_cast<int>(error) : -1;
  }
  g_pictures.vertical.Reset(static_cast<HBITMAP>(LoadImageA(app.instance, MAKEINTRESOURCEA(IDB_TOOLBOX_VERTICAL),
                                                            IMAGE_BITMAP, 127, 168, LR_CREATEDIBSECTION)));
  g_pictures.horizontal.Reset(static_cast<HBITMAP>(LoadImageA(
      app.instance, MAKEINTRESOURCEA(IDB_TOOLBOX_HORIZONTAL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  app.toolbox = CreateWindowExA(WS_EX_WINDOWEDGE, "zortoolbox", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 148, 200,
                                frame, nullptr, app.instance, nullptr);
  if (!app.toolbox) {
    DWORD error = GetLastError();
    return error ? static_cast<int>(error) : -1;
  }
  return 0;
}

bool RegisterInfoPanelClass() {
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = InfoPanelProc;
  wc.hInstance = App().instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "zorinfo";
  return RegisterClassA(&wc) != 0;
}

HWND CreateInfoPanel(HWND frame) {
  AppGlobals& app = App();
  app.infoPanel = CreateWindowExA(WS_EX_CLIENTEDGE, "zorinfo", nullptr, WS_CHILD | WS_VISIBLE, 0, 172, 128, 1,
                                  frame, nullptr, app.instance, nullptr);
  return app.infoPanel;
}

}  // namespace quarl::win
