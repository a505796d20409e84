#include "tools/win/animation_palette_window.h"

#include "base/string_table.h"
#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
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

void OnPaint(HWND hwnd) {
  AppGlobals& app = App();
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  PaletteSelection palette(dc, app.sharedPalette);
  int x0 = -GetScrollPos(hwnd, SB_HORZ), y0 = -GetScrollPos(hwnd, SB_VERT);
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, app.windowBrush ? app.windowBrush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (const Animation& animation : app.editor.animations.All()) {
    int y = y0 + static_cast<int>(animation.id) * kSheetTilePixels;
    if (y + kSheetTilePixels < 0 || y > rc.bottom) continue;
    for (size_t f = 0; f < animation.frames.size(); ++f) {
      DrawTiles(dc, x0 + static_cast<int>(f) * kSheetTilePixels, y, animation.frames[f]);
    }
  }
}

LRESULT CALLBACK AnimationPaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: OnSize(hwnd); return 0;
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, 16, 64); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, 16, 16); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int CreateAnimationPalette(HWND frame) {
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
  int code = 0;
  if (!RegisterClassA(&wc)) {
    code = LastErrorCode();
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
