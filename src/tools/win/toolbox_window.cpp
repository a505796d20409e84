#include "tools/win/toolbox_window.h"

#include <commctrl.h>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "tools/tool_state.h"

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

// Tooltips, one per button of the current layout.

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

void OnClick(HWND hwnd, int x, int y) {
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

// Copy, Cut, Paste, Rotate and the Mirror popup's directions act at once:
// the frame runs them through its command table, as it runs the menu's Copy,
// Cut and Paste.
bool IsOneShotTool(int command) {
  return command == TOOL_COPY || command == TOOL_CUT || command == TOOL_PASTE || command == TOOL_ROTATE ||
         (command >= CMD_MIRROR_LEFT && command <= CMD_MIRROR_DOWN);
}

void OnCommand(int command) {
  if (IsOneShotTool(command)) {
    SendMessageA(App().frame, WM_COMMAND, static_cast<WPARAM>(command), 0);
    return;
  }
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
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_LBUTTONUP: OnClick(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
    case WM_COMMAND: if (HIWORD(wParam) == 0) OnCommand(LOWORD(wParam)); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

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

}  // namespace quarl::win
