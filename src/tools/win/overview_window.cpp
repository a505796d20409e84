#include "tools/win/overview_window.h"

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "tools/overview.h"

namespace quarl::win {
namespace {

constexpr int kPictureSize = kMapCells;  // one pixel per cell

HWND MapWindowOf(const MapDocument* doc) {
  for (const OpenMap& map : App().editor.maps) {
    if (map.doc.get() == doc) return ToHwnd(map.view.window);
  }
  return nullptr;
}

// The window keeps a 256 x 256 client area at the screen's centre.
void OnSize(HWND hwnd) {
  const int width = kPictureSize + 2 * GetSystemMetrics(SM_CXFRAME);
  const int height = kPictureSize + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
  MoveWindow(hwnd, x, y, width, height, TRUE);
  ShowWindow(hwnd, SW_SHOW);
}

void DrawViewOutline(HDC dc, HWND mapWindow) {
  RECT client{};
  if (!mapWindow || !GetClientRect(mapWindow, &client)) return;
  const OverviewOutline o = OverviewOutlineOf(GetScrollPos(mapWindow, SB_HORZ), GetScrollPos(mapWindow, SB_VERT),
                                              client.right, client.bottom);
  PatBlt(dc, o.left, o.top, o.width + 1, 1, WHITENESS);
  PatBlt(dc, o.left, o.top, 1, o.height + 1, WHITENESS);
  PatBlt(dc, o.left, o.top + o.height, o.width + 1, 1, WHITENESS);
  PatBlt(dc, o.left + o.width, o.top, 1, o.height + 1, WHITENESS);
}

void OnPaint(HWND hwnd) {
  PaintContext paint(hwnd);
  const MapDocument* doc = App().overviewDoc;
  if (!doc) return;
  const std::vector<uint8_t> picture = OverviewPicture(*doc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kPictureSize;
  info.bmiHeader.biHeight = -kPictureSize;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biXPelsPerMeter = 1;
  info.bmiHeader.biYPelsPerMeter = 1;
  SetDIBitsToDevice(paint.Get(), 0, 0, kPictureSize, kPictureSize, 0, 0, 0, kPictureSize, picture.data(), &info,
                    DIB_RGB_COLORS);
  DrawViewOutline(paint.Get(), MapWindowOf(doc));
}

// Centres the overview's map window on cell (x, y), as far as its scroll
// ranges allow, and repaints it and the overview.
void Jump(HWND hwnd, int x, int y) {
  AppGlobals& app = App();
  HWND mapWindow = MapWindowOf(app.overviewDoc);
  RECT active{};
  if (!mapWindow || !GetClientRect(ToHwnd(app.editor.activeMapWindow), &active)) return;
  const OverviewJump jump = OverviewJumpTo(x, y, active.right, active.bottom);
  // The outlines in the window are painted over: forget them.
  if (MapView* view = app.editor.maps.FindView(ToWindowId(mapWindow))) view->hoverRect = Rect{};
  SetScrollPos(mapWindow, SB_HORZ, jump.scrollX, TRUE);
  SetScrollPos(mapWindow, SB_VERT, jump.scrollY, TRUE);
  RedrawWindow(mapWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
}

void OnDestroy() {
  App().overviewWindow = nullptr;
  App().overviewDoc = nullptr;
  PostQuitMessage(0);  // the main loop ignores it
}

LRESULT CALLBACK OverviewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return 0;
    case WM_SIZE: OnSize(hwnd); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_LBUTTONDOWN: Jump(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) Jump(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RefreshOverview(const MapDocument* doc) {
  if (App().overviewWindow && doc && App().overviewDoc == doc) InvalidateRect(App().overviewWindow, nullptr, FALSE);
}

int OpenOverview(MapDocument& doc) {
  AppGlobals& app = App();
  RegisterWindowClass({.name = "overview",  // fails, harmlessly, after the first opening
                       .procedure = OverviewProc,
                       .style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC,
                       .icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_TRAY)),
                       .cursor = LoadCursorA(nullptr, IDC_ARROW),
                       .background = GetSysColorBrush(COLOR_MENU)});

  app.overviewDoc = &doc;
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 128;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - 128;
  HWND window = CreateWindowExA(0, "overview", "Overview", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                x, y, 286, 286, app.frame, nullptr, app.instance, nullptr);
  if (!window) {
    app.overviewDoc = nullptr;
    return 0;
  }
  app.overviewWindow = window;
  ShowWindow(window, SW_SHOW);
  return 1;
}

}  // namespace quarl::win
