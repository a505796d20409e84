#include "tools/win/animation_palette_window.h"

#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "base/win/info_panel_fields.h"
#include "tools/animation_palette.h"
#include "tools/animations_file.h"
#include "tools/win/scroll_steps.h"
#include "tools/win/tile_drawing.h"

namespace quarl::win {
namespace {

void OnSize(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  SetScrollMaximum(hwnd, SB_HORZ, 200);
  SetScrollMaximum(hwnd, SB_VERT, 4096 - rc.bottom);
}

// One row of the palette in palette pixels (dc's origin at the scroll
// position): the window colour over x = 0 .. 200, the frames from x = 32,
// the id at the left; the bump edge when it is the current animation.
void DrawRow(HDC dc, int id, int idWidth, bool current) {
  AppGlobals& app = App();
  DrawAnimationRowContents(dc, 0, AnimationRowY(id), id, idWidth,
                           app.panelFont ? app.panelFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  if (current) {
    const Rect e = AnimationEdgeRect(app.editor.animations, id);
    RECT edge{e.left, e.top, e.right, e.bottom};
    if (e.right > e.left) DrawEdge(dc, &edge, EDGE_BUMP, BF_RECT);
  }
}

void OnPaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  SetBkMode(dc, TRANSPARENT);
  const int sx = GetScrollPos(hwnd, SB_HORZ), sy = GetScrollPos(hwnd, SB_VERT);
  SetWindowOrgEx(dc, sx, sy, nullptr);
  PaletteSelection palette(dc, app.sharedPalette);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const RowSpan rows = AnimationRowsShown(sy, rc.bottom);
  for (int id = rows.first; id <= rows.last; ++id)
    DrawRow(dc, id, kAnimationIdWidth, id == app.editor.tools.currentAnimation);
  SetWindowOrgEx(dc, 0, 0, nullptr);
}

// A click picks the row under it (the x coordinate does not matter); a
// double click also turns animation mode on. Either way the Edit tool
// becomes current.
void Pick(HWND hwnd, int y, bool doubleClick) {
  AppGlobals& app = App();
  ToolState& tools = app.editor.tools;
  const int sy = GetScrollPos(hwnd, SB_VERT);
  HDC dc = GetDC(hwnd);
  SetWindowOrgEx(dc, GetScrollPos(hwnd, SB_HORZ), sy, nullptr);
  PaletteSelection palette(dc, app.sharedPalette);
  DrawRow(dc, tools.currentAnimation, 20, false);
  tools.currentAnimation = AnimationAtClick(y, sy);
  const Rect e = AnimationEdgeRect(app.editor.animations, tools.currentAnimation);
  RECT edge{e.left, e.top, e.right, e.bottom};
  if (e.right > e.left) DrawEdge(dc, &edge, EDGE_BUMP, BF_RECT);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  ReleaseDC(hwnd, dc);
  if (doubleClick) {
    tools.animationMode = 1;
    if (app.infoPanel) CheckDlgButton(app.infoPanel, kUseAnimCheck, BST_CHECKED);
  }
  tools.currentTool = TOOL_EDIT;
  tools.currentToolCommand = TOOL_EDIT;
  RepaintNow(app.toolbox);
}

LRESULT CALLBACK AnimationPaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: OnSize(hwnd); return 0;
    case WM_VSCROLL:
      ScrollStep(hwnd, SB_VERT, wParam, kAnimationPaletteLineStep, kAnimationPalettePageStep);
      RepaintNow(hwnd);
      return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, 16, 16, false); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_LBUTTONUP: Pick(hwnd, static_cast<short>(HIWORD(lParam)), false); return 0;
    case WM_LBUTTONDBLCLK: Pick(hwnd, static_cast<short>(HIWORD(lParam)), true); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void DrawAnimationRowContents(HDC dc, int x0, int y, int id, int idWidth, HFONT font) {
  RECT row{x0, y, x0 + kAnimationRowWidth, y + kAnimationRowPixels};
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
  if (const Animation* animation = App().editor.animations.FindAnimation(id)) {
    for (size_t f = 0; f < animation->frames.size(); ++f)
      DrawTiles(dc, x0 + AnimationFrameX(static_cast<int>(f)), y, animation->frames[f]);
  }
  const std::string label = AnimationIdLabel(id);
  RECT text{x0, y, x0 + idWidth, y + kAnimationRowPixels};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  DrawTextA(dc, label.c_str(), -1, &text, DT_SINGLELINE);
  if (old) SelectObject(dc, old);
}

int CreateAnimationPalette(HWND frame) {
  AppGlobals& app = App();
  // The core reads anims.dat and tells the user when it is missing.
  if (quarl::LoadAnimations(app.editor.programDirectory, app.editor.animations, *app.editor.ui) == -1) return -1;

  const int code = RegisterWindowClass({.name = "anims",
                                        .procedure = AnimationPaletteProc,
                                        .style = CS_DBLCLKS | CS_OWNDC,
                                        .icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL)),
                                        .cursor = LoadCursorA(nullptr, IDC_ARROW),
                                        .background = GetSysColorBrush(COLOR_WINDOW)});
  if (code) {
    char text[256] = {};
    LoadStringA(app.instance, IDS_REGISTER_CLASS, text, sizeof text);
    MessageBoxA(nullptr, text, "Error - Fatal", MB_OK);
  }
  RECT rc;
  GetClientRect(frame, &rc);
  app.animationPalette = CreateWindowExA(WS_EX_CLIENTEDGE, "anims", "Animations",
                                         WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, rc.right - 128, 0,
                                         128, rc.bottom, frame, nullptr, app.instance, nullptr);
  ShowWindow(app.animationPalette, SW_SHOW);
  return code;
}

}  // namespace quarl::win
