#include "tools/win/toolbox_window.h"

#include <commctrl.h>

#include <vector>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "tools/tool_state.h"
#include "tools/toolbox.h"
#include "tools/win/tile_drawing.h"

namespace quarl::win {
namespace {

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

void OnPaint(HWND hwnd) {
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
  const SunkenFrame frame = ToolHighlight(ToolIndex(app.editor.tools.currentTool), vertical);
  DrawSunkenFrame(dc, frame.x, frame.y, frame.w, frame.h);
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT edge = {2, 0, rc.right - 4, 2};
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
}

// Tooltips, one per button of the current layout.

constexpr const char* kToolTips[kToolCount] = {
    "Edit",         "Select",      "Copy",        "Cut",       "Paste",        "Bunker",
    "Bridge",       "Flag Dropper", "Flag Pole Dropper", "Switch Dropper", "Wall Tool", "Spawn Dropper",
    "Tile Picker",  "Holding Pen Dropper", "Rotate", "Mirror", "Conveyor"};

HWND g_toolTips = nullptr;

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
    const Rect r = ToolButtonRect(tool, VerticalLayout());
    info.uFlags = TTF_CENTERTIP | TTF_SUBCLASS;
    info.uId = static_cast<UINT_PTR>(TOOL_EDIT + tool);
    info.rect = {r.left, r.top, r.right, r.bottom};
    info.hinst = App().instance;
    info.lpszText = const_cast<char*>(kToolTips[tool]);
    SendMessageA(g_toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void CreateToolTips(HWND toolbox) {
  g_toolTips = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | WS_VISIBLE | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, toolbox, nullptr,
                               App().instance, nullptr);
  ResetToolTips(toolbox);
}

// ---- popups ---------------------------------------------------------------------

// A picture item: the item's tiles drawn into a bitmap made like the sheet's.
HBITMAP PictureOf(const PopupItem& item) {
  HDC sheet = App().sheetContext;
  const int rows = static_cast<int>(item.tiles.size()) / item.columns;
  HBITMAP bitmap = CreateCompatibleBitmap(sheet, item.columns * kSheetTilePixels, rows * kSheetTilePixels);
  MemoryContext memory(sheet);
  PaletteSelection palette(memory.Get(), App().sharedPalette);
  Selection selected(memory.Get(), bitmap);
  for (size_t i = 0; i < item.tiles.size(); ++i) {
    const int column = static_cast<int>(i) % item.columns, row = static_cast<int>(i) / item.columns;
    DrawTiles(memory.Get(), column * kSheetTilePixels, row * kSheetTilePixels, item.tiles[i]);
  }
  return bitmap;
}

// Shows the popup centred at the cursor, owned by the toolbox. Its choice
// comes back as a command after the menu has closed; the pictures are
// deleted as soon as the menu is gone.
void ShowPopup(HWND toolbox, const std::vector<PopupItem>& items) {
  HMENU menu = CreatePopupMenu();
  std::vector<GdiObject<HBITMAP>> pictures;
  for (const PopupItem& item : items) {
    if (item.tiles.empty() || item.columns <= 0) {
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
    } else {
      pictures.emplace_back(PictureOf(item));
      AppendMenuA(menu, MF_BITMAP, static_cast<UINT_PTR>(item.command),
                  reinterpret_cast<LPCSTR>(pictures.back().Get()));
    }
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, toolbox, nullptr);
  DestroyMenu(menu);
}

void Carry(HWND toolbox, const ToolboxAction& action) {
  if (!action.message.empty()) MessageBoxA(nullptr, action.message.c_str(), action.messageTitle.c_str(), MB_OK);
  // Copy, cut, paste, rotate and mirror run through the frame's command table.
  if (action.frameCommand) SendMessageA(App().frame, WM_COMMAND, static_cast<WPARAM>(action.frameCommand), 0);
  if (action.repaintToolbox) RepaintNow(toolbox);
  if (!action.popup.empty()) ShowPopup(toolbox, action.popup);
}

void OnClick(HWND hwnd, int x, int y) {
  const int index = ToolButtonAt(x, y, VerticalLayout());
  if (index < 0) return;
  // The button's command, as another window would send it; then the
  // current tool for the tools a click selects.
  SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(TOOL_EDIT + index), 0);
  ToolState& tools = App().editor.tools;
  const ToolCommand tool = ToolAt(index);
  if (SelectedByClick(tool)) tools.currentTool = tool;
  RepaintNow(hwnd);
}

void OnCommand(HWND hwnd, int command) {
  Editor& editor = App().editor;
  bool chosen = false;
  ToolboxAction action = ChoosePopupItem(editor.tools, command, editor.animations, &chosen);
  if (!chosen) action = RunToolboxCommand(editor.tools, command);
  Carry(hwnd, action);
}

// A menu closed: a popup closed without a choice leaves the Edit tool.
void OnMenuSelect(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == 0xFFFF && lParam == 0 && DismissToolPopups(App().editor.tools)) RepaintNow(hwnd);
}

// ---- docking ----------------------------------------------------------------------

// The grip drag: a ghost of the other layout follows the cursor's band
// until the button is released; the frame then lays itself out again.
void DockingDrag(HWND toolbox) {
  AppGlobals& app = App();
  HWND frame = app.frame;
  const int T = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYFRAME);
  HDC dc = GetWindowDC(frame);
  RECT ghost{};
  auto ghostShown = [&ghost] { return !(ghost.left == ghost.right || ghost.top == ghost.bottom); };
  SetCapture(toolbox);
  while (GetCapture() == toolbox) {  // a capture taken away ends the drag
    MSG msg;
    if (!PeekMessageA(&msg, toolbox, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_LBUTTONUP || !(msg.wParam & MK_LBUTTON)) break;
    POINT cursor{};
    GetCursorPos(&cursor);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(frame, &placement);
    const RECT& normal = placement.rcNormalPosition;
    const bool vertical = app.editor.options.toolbox != 0;
    const DockTarget target =
        DockTargetAt(cursor.x - normal.left, cursor.y - normal.top, normal.right - normal.left, T, vertical);
    if (!target.changes) continue;
    const RECT want{target.ghost.left, target.ghost.top, target.ghost.right, target.ghost.bottom};
    if (ghostShown() && EqualRect(&ghost, &want)) continue;
    if (ghostShown()) DrawFocusRect(dc, &ghost);
    ghost = want;
    DrawFocusRect(dc, &ghost);
    app.editor.options.toolbox = target.vertical ? 1 : 0;
  }
  if (ghostShown()) DrawFocusRect(dc, &ghost);
  RECT client{};
  GetClientRect(frame, &client);
  SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  ReleaseDC(frame, dc);
  RepaintNow(toolbox);
  ReleaseCapture();
}

LRESULT CALLBACK ToolboxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_CREATE: CreateToolTips(hwnd); return 0;
    case WM_SIZE: ResetToolTips(hwnd); return 0;
    case WM_DESTROY:
      if (g_toolTips) DestroyWindow(g_toolTips);
      g_toolTips = nullptr;
      return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_LBUTTONUP: OnClick(hwnd, x, y); return 0;
    case WM_LBUTTONDOWN:
      if (IsOnGrip(x, y, VerticalLayout())) DockingDrag(hwnd);
      return 0;
    case WM_COMMAND: if (HIWORD(wParam) == 0) OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_MENUSELECT: OnMenuSelect(hwnd, wParam, lParam); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int CreateToolbox(HWND frame) {
  AppGlobals& app = App();
  if (const int failed = RegisterWindowClass({.name = "zortoolbox",
                                               .procedure = ToolboxProc,
                                               .style = CS_DBLCLKS | CS_OWNDC,
                                               .icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL)),
                                               .cursor = LoadCursorA(nullptr, IDC_ARROW),
                                               .background = ColourBackground(COLOR_BTNFACE)})) {
    return failed;
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

}  // namespace quarl::win
