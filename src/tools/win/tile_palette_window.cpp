#include "tools/win/tile_palette_window.h"

#include <cstdio>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "base/win/info_panel_fields.h"
#include "resource_ids.h"
#include "tools/win/scroll_steps.h"
#include "tools/win/tile_drawing.h"

namespace quarl::win {
namespace {

BITMAP SheetBitmap() {
  BITMAP bm = {};
  if (!App().tileSheet || !GetObjectA(App().tileSheet, sizeof bm, &bm)) return BITMAP{};
  return bm;
}

bool IsEmpty(const Rect& r) { return r.left == r.right && r.top == r.bottom; }

// The highlight is a focus rectangle: drawing it again erases it. dc's
// origin must be at the scroll position (sheet pixels).
void DrawHighlight(HDC dc, const Rect& r) {
  if (IsEmpty(r)) return;
  RECT rc{r.left, r.top, r.right, r.bottom};
  DrawFocusRect(dc, &rc);
}

void OnCreate(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  SetScrollMaximum(hwnd, SB_VERT, 1600 - rc.bottom);
  SetScrollMaximum(hwnd, SB_HORZ, kSheetWidth - rc.right);
  App().editor.tools.paletteHighlight = Rect{};
}

void OnPaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  PaletteSelection palette(dc, app.sharedPalette);
  int x = GetScrollPos(hwnd, SB_HORZ), y = GetScrollPos(hwnd, SB_VERT);
  SetWindowOrgEx(dc, x, y, nullptr);
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (!BitBlt(dc, 0, y, SheetBitmap().bmWidth, rc.bottom, app.sheetContext, 0, y, SRCCOPY)) {
    char text[64];
    std::snprintf(text, sizeof text, "BitBlt() failed: %iL", static_cast<int>(GetLastError()));
    MessageBoxA(nullptr, text, "tiles.bmp", MB_OK);
    app.stopFlag = 1;
  }
  DrawHighlight(dc, app.editor.tools.paletteHighlight);
  SetWindowOrgEx(dc, 0, 0, nullptr);
}

// Makes the Edit tool current, as every pick in the palette does.
void SelectEditTool() {
  ToolState& tools = App().editor.tools;
  tools.currentTool = TOOL_EDIT;
  tools.currentToolCommand = TOOL_EDIT;
  RepaintNow(App().toolbox);
}

// A press picks a block: the highlight follows the pointer, raised to tile
// boundaries, until the left button is released. Only mouse messages are
// taken meanwhile, and they are not dispatched.
void PickBlock(HWND hwnd, int x, int y) {
  ToolState& tools = App().editor.tools;
  BlockPick pick(x, y, GetScrollPos(hwnd, SB_HORZ), GetScrollPos(hwnd, SB_VERT));
  HDC dc = GetDC(hwnd);
  SetWindowOrgEx(dc, GetScrollPos(hwnd, SB_HORZ), GetScrollPos(hwnd, SB_VERT), nullptr);
  DrawHighlight(dc, tools.paletteHighlight);
  tools.paletteHighlight = pick.Highlight();
  DrawHighlight(dc, tools.paletteHighlight);
  HWND previous = SetCapture(hwnd);
  // A capture taken away (another program, a system key) ends the pick too,
  // or the loop would wait for a release that never comes.
  while (GetCapture() == hwnd) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MBUTTONDBLCLK, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_LBUTTONUP || !(msg.wParam & MK_LBUTTON)) break;
    DrawHighlight(dc, tools.paletteHighlight);
    pick.MoveTo(LOWORD(msg.lParam), HIWORD(msg.lParam));
    tools.paletteHighlight = pick.Highlight();
    DrawHighlight(dc, tools.paletteHighlight);
  }
  SetWindowOrgEx(dc, 0, 0, nullptr);
  ReleaseDC(hwnd, dc);
  const BlockPick::Block block = pick.Picked();
  tools.currentTile = block.tile;
  tools.blockWidth = block.width;
  tools.blockHeight = block.height;
  SelectEditTool();
  ReleaseCapture();
  if (previous) SetCapture(previous);
}

// A double-click (after its two clicks picked one tile) returns to tiles.
void OnDoubleClick() {
  AppGlobals& app = App();
  if (app.infoPanel) CheckDlgButton(app.infoPanel, kUseAnimCheck, BST_UNCHECKED);
  app.editor.tools.animationMode = 0;
  SelectEditTool();
}

void OnMouseMove(HWND hwnd, LPARAM lParam) {
  int x = LOWORD(lParam) + GetScrollPos(hwnd, SB_HORZ);
  int y = HIWORD(lParam) + GetScrollPos(hwnd, SB_VERT);
  char text[16];
  std::snprintf(text, sizeof text, "%i", static_cast<int>(TileNumberAt(x, y)));
  if (App().infoPanel) SetDlgItemTextA(App().infoPanel, kTileDisplay, text);
}

LRESULT CALLBACK TilePaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_SIZE: SetScrollMaximum(hwnd, SB_VERT, SheetBitmap().bmHeight - HIWORD(lParam)); return 0;
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, 16, 64); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, 16, 16); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, lParam); return 0;
    case WM_LBUTTONDOWN: PickBlock(hwnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int CreateTilePalette(HWND frame) {
  AppGlobals& app = App();
  if (const int failed = RegisterWindowClass({.name = "zortiles",
                                               .procedure = TilePaletteProc,
                                               .style = CS_DBLCLKS | CS_OWNDC,
                                               .icon = app.appIcon,
                                               .cursor = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_PICKER_CURSOR)),
                                               .background = ColourBackground(COLOR_WINDOW)})) {
    return failed;
  }
  RECT rc;
  GetClientRect(frame, &rc);
  app.tilePalette = CreateWindowExA(WS_EX_CLIENTEDGE, "zortiles", nullptr,
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0, rc.bottom - 128,
                                    rc.right - 128, 128, frame, nullptr, app.instance, nullptr);
  if (!app.tilePalette) return LastErrorCode();
  ShowWindow(app.tilePalette, SW_SHOW);
  return 0;
}

}  // namespace quarl::win
