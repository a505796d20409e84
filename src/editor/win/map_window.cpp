// The map window: draws the map's cells from the tile sheet, scrolls in whole
// cells, keeps the status bar and the info panel readouts current, arms the
// auto-pan flags, asks to save on close and publishes the active map. The
// left button's gestures and the selection keys are map_window_input.cpp's.

#include "editor/win/map_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "app/commands.h"
#include "editor/hover_outline.h"
#include "editor/map_file_commands.h"
#include "editor/win/map_window_input.h"
#include "resource_ids.h"
#include "tools/cell_look.h"
#include "tools/win/overview_window.h"
#include "tools/win/tile_drawing.h"

namespace quarl::win {
namespace {

constexpr char kClassName[] = "newmap";
constexpr int kStatusBarId = 112;
constexpr int kStatusBarHeight = 20;
constexpr int kMinTrackSize = 300;
constexpr int kLineStep = kCellPixels;
constexpr int kPageStep = 4 * kCellPixels;
// Info panel fields written here.
constexpr int kTileFieldId = 103;
constexpr int kOffsetFieldId = 105;

// --- helpers -------------------------------------------------------------------

OpenMap* FindMap(HWND hwnd) { return App().editor.maps.Find(ToWindowId(hwnd)); }
MapView* FindView(HWND hwnd) { return App().editor.maps.FindView(ToWindowId(hwnd)); }

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool IsEmptyOutline(const Rect& r) { return r.left == r.right && r.top == r.bottom; }

void LayoutStatusBar(const MapView& view, int width, int height) {
  HWND bar = ToHwnd(view.statusBar);
  if (!bar) return;
  SetWindowPos(bar, nullptr, 0, height - kStatusBarHeight, width, kStatusBarHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  int partEdges[1] = {width};
  SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(partEdges));
}

void ClearAutoPan(MapView& view) { view.autoPan.fill(0); }

// --- painting ------------------------------------------------------------------

// A cell whose animation the list does not hold: a white square one pixel
// larger than the cell, labelled with its id (tools/cell_look.h).
void DrawUnknownAnimation(HDC dc, int x, int y, int32_t anim) {
  RECT square{x, y, x + kUnknownAnimationSquare, y + kUnknownAnimationSquare};
  FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const std::string label = UnknownAnimationLabel(anim);
  GdiObject<HFONT> font(
      CreateFontA(0, 0, 1, 1, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x100000, "MS San Serif"));
  Selection selected(dc, font.Get());
  DrawTextA(dc, label.c_str(), 2, &square, DT_SINGLELINE);
}

void DrawCell(HDC dc, const Cell& cell, int x, int y) {
  const CellLook look = CellLookOf(cell, App().editor.animations);
  if (look.unknownAnimation)
    DrawUnknownAnimation(dc, x, y, cell.anim);
  else
    DrawTiles(dc, x, y, look.tile);
}

void OnPaint(HWND hwnd) {
  OpenMap* map = FindMap(hwnd);
  if (!map) {
    // Validate the area all the same, or the window would be asked forever.
    PaintContext paint(hwnd);
    return;
  }
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  if (App().sharedPalette) {
    SelectPalette(dc, App().sharedPalette, FALSE);
    RealizePalette(dc);
  }

  // The origin stays at the scroll position after painting, so the outlines
  // drawn later through GetDC are given in map pixels too.
  const int sx = GetScrollPos(hwnd, SB_HORZ);
  const int sy = GetScrollPos(hwnd, SB_VERT);
  SetWindowOrgEx(dc, sx, sy, nullptr);

  const SIZE client = MapClientSize(hwnd);
  LayoutStatusBar(map->view, client.cx, client.cy);

  // Cells wholly outside the area being painted would be clipped away, so
  // the walk starts and stops at its edges. The clip box is read after the
  // origin moved, so it is in map pixels whatever origin the context had.
  RECT box{};
  if (GetClipBox(dc, &box) == NULLREGION) return;
  const int left = std::max<int>(box.left, sx);
  const int top = std::max<int>(box.top, sy);
  const int right = std::min<int>(box.right, sx + client.cx);
  const int bottom = std::min<int>(box.bottom, sy + client.cy);
  for (int row = top / kCellPixels; row < kMapCells && row * kCellPixels < bottom; ++row) {
    const Cell* cells = &map->doc->cells[static_cast<size_t>(row) * kMapCells];
    for (int column = left / kCellPixels; column < kMapCells && column * kCellPixels < right;
         ++column) {
      DrawCell(dc, cells[column], column * kCellPixels, row * kCellPixels);
    }
  }
  // Every edit and scroll ends in a paint here: the overview follows.
  RefreshOverview(map->doc.get());

  if (map->view.selectionShown) {
    RECT selection = ToRect(map->view.selection);
    DrawFocusRect(dc, &selection);
  }
}

// --- scrolling -----------------------------------------------------------------

int ScrollStep(int code, int thumb, int position) {
  switch (code) {
    case SB_LINEUP: return -kLineStep;
    case SB_LINEDOWN: return kLineStep;
    case SB_PAGEUP: return -kPageStep;
    case SB_PAGEDOWN: return kPageStep;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return (thumb - position) / kCellPixels * kCellPixels;
    default: return 0;
  }
}

void OnScroll(HWND hwnd, int bar, int code, int thumb) {
  // The whole area is repainted below, so the outline needs no erasing.
  if (MapView* view = FindView(hwnd)) view->hoverRect = Rect{};

  int minimum = 0, maximum = 0;
  GetScrollRange(hwnd, bar, &minimum, &maximum);
  const int position = GetScrollPos(hwnd, bar);
  int target = position + ScrollStep(code, thumb, position);
  if (target < minimum) target = minimum;
  if (target > maximum) target = maximum;
  const int step = target - position;
  if (step == 0) return;

  if (bar == SB_HORZ) {
    ScrollWindow(hwnd, -step, 0, nullptr, nullptr);
  } else {
    ScrollWindow(hwnd, 0, -step, nullptr, nullptr);
  }
  SetScrollPos(hwnd, bar, position / kCellPixels * kCellPixels + step, TRUE);
  RepaintNow(hwnd);
}

// --- sizing ----------------------------------------------------------------------

void OnCreate(HWND hwnd) {
  const SIZE client = MapClientSize(hwnd);
  SetScrollRange(hwnd, SB_VERT, 0, kMapPixels - client.cy, TRUE);
  SetScrollRange(hwnd, SB_HORZ, 0, kMapPixels - client.cx, TRUE);
}

// Lays the window out for a new client size; the caller then passes the
// message on to default processing.
void OnSize(HWND hwnd, int width, int height) {
  SetScrollRange(hwnd, SB_VERT, 0, kMapPixels - height + kStatusBarHeight, TRUE);
  SetScrollRange(hwnd, SB_HORZ, 0, kMapPixels - width, TRUE);
  if (MapView* view = FindView(hwnd)) LayoutStatusBar(*view, width, height);
}

// --- the pointer -----------------------------------------------------------------

void MoveHoverOutline(HWND hwnd, MapView& view, int mx, int my) {
  std::optional<OutlineCells> size = HoverOutlineCells(App().editor.tools);
  if (!size) return;
  WindowContext dc(hwnd);
  if (!IsEmptyOutline(view.hoverRect)) {
    RECT old = ToRect(view.hoverRect);
    DrawFocusRect(dc.Get(), &old);
  }
  const int left = mx / kCellPixels * kCellPixels;
  const int top = my / kCellPixels * kCellPixels;
  view.hoverRect = Rect{left, top, left + size->columns * kCellPixels, top + size->rows * kCellPixels};
  RECT outline = ToRect(view.hoverRect);
  DrawFocusRect(dc.Get(), &outline);
}

void EraseHoverOutline(HWND hwnd, MapView& view) {
  if (!IsEmptyOutline(view.hoverRect)) {
    WindowContext dc(hwnd);
    RECT old = ToRect(view.hoverRect);
    DrawFocusRect(dc.Get(), &old);
  }
  view.hoverRect = Rect{};
}

void ShowCellReadouts(const MapDocument& doc, int column, int row) {
  HWND panel = App().infoPanel;
  if (!panel || column < 0 || row < 0 || column >= kMapCells || row >= kMapCells) return;
  const Cell& cell = doc.At(column, row);
  char text[16];
  if (!cell.IsAnimated()) {
    std::snprintf(text, sizeof text, "%i", cell.tile);
    SetDlgItemTextA(panel, kTileFieldId, text);
    return;
  }
  std::snprintf(text, sizeof text, "%i", cell.anim);
  SetDlgItemTextA(panel, kTileFieldId, text);
  std::snprintf(text, sizeof text, "%i", cell.data);
  SetDlgItemTextA(panel, kOffsetFieldId, text);
}

void OnMouseMove(HWND hwnd, int px, int py, WPARAM keys) {
  OpenMap* map = FindMap(hwnd);
  if (!map) return;
  const int mx = px + GetScrollPos(hwnd, SB_HORZ);
  const int my = py + GetScrollPos(hwnd, SB_VERT);
  const int column = mx / kCellPixels;
  const int row = my / kCellPixels;

  MoveHoverOutline(hwnd, map->view, mx, my);
  ShowCellReadouts(*map->doc, column, row);
  if (keys & MK_RBUTTON) {
    ArmAutoPan(map->view, px, py, MapClientSize(hwnd), kPanMargin, kPanMargin, kMovePanBottomMargin,
               kPanMargin);
  }
  ShowCellInStatusBar(map->view, column, row);
}

void OnNonClientMouseMove(HWND hwnd) {
  MapView* view = FindView(hwnd);
  if (!view) return;
  ClearAutoPan(*view);
  EraseHoverOutline(hwnd, *view);
}

void OnRightButtonDown(HWND hwnd, int px, int py) {
  if (MapView* view = FindView(hwnd)) {
    ArmAutoPan(*view, px, py, MapClientSize(hwnd), kPanMargin, kPanMargin, kPanMargin, kPanMargin);
  }
}

void OnRightButtonUp(HWND hwnd) {
  if (MapView* view = FindView(hwnd)) ClearAutoPan(*view);
}

// --- the window menu -------------------------------------------------------------

HMENU ControlEditMenu(HWND hwnd) {
  HMENU control = GetSubMenu(GetSystemMenu(hwnd, FALSE), 0);
  return control ? GetSubMenu(control, 1) : nullptr;
}

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

void OnInitMenuPopup(HWND hwnd, HMENU popup) {
  if (!popup || popup != ControlEditMenu(hwnd)) return;
  const CommandContext context{App().editor, App().overviewWindow != nullptr};
  const int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    if (IsSeparator(popup, position)) continue;
    const CommandState state = CommandStateOf(static_cast<int>(GetMenuItemID(popup, position)), context);
    EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
  }
}

// The close prompt. True when the window may close.
bool ConfirmClose(HWND hwnd) {
  OpenMap* map = FindMap(hwnd);
  if (!map || map->doc->modified != 1) return true;

  std::string text = "Would you like to save " + map->doc->name + "?";
  switch (MessageBoxA(nullptr, text.c_str(), "Close..", MB_YESNOCANCEL)) {
    case IDYES:
      // Only a written file lets the window go: a failed save (including a
      // missing zlib) keeps the map open rather than losing its changes.
      if (SaveMapFile(App().editor, *map, map->doc->path.empty()) == SaveResult::Written) return true;
      App().exitAllowed = 0;
      return false;
    case IDNO:
      return true;
    default:
      App().exitAllowed = 0;
      return false;
  }
}

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam < 0xF000) {
    // Commands of the Control popup belong to the frame.
    SendMessageA(App().frame, WM_COMMAND, wParam, 0);
    return 0;
  }
  if ((wParam & 0xFFF0) == SC_CLOSE && !ConfirmClose(hwnd)) return 0;
  return DefMDIChildProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
}

// --- activation and destruction ----------------------------------------------------

void OnMdiActivate(HWND hwnd, HWND activated) {
  if (activated == hwnd) ActivateMapWindow(App().editor, ToWindowId(hwnd));
}

void OnDestroy(HWND hwnd) {
  // Other windows post the same; the main loop ends on its stop flag only.
  PostQuitMessage(0);

  AppGlobals& app = App();
  Editor& editor = app.editor;
  const MapDocument* doc = editor.maps.FindMapDocument(ToWindowId(hwnd));
  const bool overviewShowsThis = doc && app.overviewWindow && app.overviewDoc == doc;
  const WindowId next = CloseMapWindow(editor, ToWindowId(hwnd));

  // While the frame itself is going (its destruction set the stop flag)
  // there is nothing left to give the focus to.
  if (!app.stopFlag) {
    if (next) {
      SetFocus(ToHwnd(next));
    } else if (app.frame) {
      SetFocus(app.frame);
    }
  }
  if (overviewShowsThis) DestroyWindow(app.overviewWindow);
}

// --- creation ----------------------------------------------------------------------

HWND CreateStatusBar(HWND window) {
  HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | CCS_NORESIZE,
                             0, kMinTrackSize - kStatusBarHeight, kMinTrackSize, kStatusBarHeight,
                             window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                             App().instance, nullptr);
  if (!bar) return nullptr;
  int partEdges[2] = {75, 150};
  SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(partEdges));
  SendMessageA(bar, SB_SETTEXTA, 0 | SBT_POPOUT, reinterpret_cast<LPARAM>(""));
  SendMessageA(bar, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("0.00%"));
  return bar;
}

// Replaces "Next" and its separator in the window menu by the Control popup
// (the map commands) and an empty item under it.
void EditWindowMenu(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  const int count = GetMenuItemCount(menu);
  if (DeleteMenu(menu, SC_NEXTWINDOW, MF_BYCOMMAND) && count >= 2 &&
      IsSeparator(menu, count - 2)) {
    DeleteMenu(menu, static_cast<UINT>(count - 2), MF_BYPOSITION);
  }
  if (HMENU control = LoadMenuA(App().instance, MAKEINTRESOURCEA(IDM_CONTROL_MENU))) {
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(control), "Control");
  }
  InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, 0, "");
}

// While a maximised map is active the MDI client puts its window-menu item in
// front of the frame's five menus.
bool FrameMenuHoldsOnlyItsOwn() {
  HMENU bar = App().frame ? GetMenu(App().frame) : nullptr;
  return bar && GetMenuItemCount(bar) == 5;
}

}  // namespace

SIZE MapClientSize(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void ArmAutoPan(MapView& view, int px, int py, SIZE client, int rightMargin, int leftMargin,
                int bottomMargin, int topMargin) {
  ClearAutoPan(view);
  if (client.cx - px < rightMargin) {
    view.autoPan[PAN_RIGHT] = 1;
  } else if (px < leftMargin) {
    view.autoPan[PAN_LEFT] = 1;
  } else if (client.cy - py < bottomMargin) {
    view.autoPan[PAN_DOWN] = 1;
  } else if (py < topMargin) {
    view.autoPan[PAN_UP] = 1;
  }
}

void ShowCellInStatusBar(const MapView& view, int column, int row) {
  char status[64];
  std::snprintf(status, sizeof status, "(x,y): (%i,%i)", column, row);
  SendMessageA(ToHwnd(view.statusBar), SB_SETTEXTA, 0 | SBT_POPOUT, reinterpret_cast<LPARAM>(status));
}

bool RegisterMapWindowClass() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  const HINSTANCE instance = App().instance;
  return RegisterWindowClass({.name = kClassName,
                              .procedure = MapWindowProc,
                              .style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT |
                                       CS_BYTEALIGNWINDOW,
                              .icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAP)),
                              .cursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MAP_CURSOR)),
                              .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}) == 0;
}

HWND CreateMapWindow(OpenMap& map) {
  AppGlobals& app = App();
  if (!app.mdiClient) return nullptr;

  MDICREATESTRUCTA create{};
  create.szClass = kClassName;
  create.szTitle = "Untitled";
  create.hOwner = app.instance;
  create.x = 0;
  create.y = 0;
  create.cx = kMinTrackSize;
  create.cy = kMinTrackSize;
  create.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                 WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (!FrameMenuHoldsOnlyItsOwn()) create.style |= WS_MAXIMIZE;
  HWND window = reinterpret_cast<HWND>(
      SendMessageA(app.mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  if (!window) return nullptr;

  map.view.window = ToWindowId(window);
  ShowWindow(window, SW_SHOW);
  app.editor.activeMapWindow = map.view.window;

  map.view.statusBar = ToWindowId(CreateStatusBar(window));
  const SIZE client = MapClientSize(window);
  SendMessageA(window, WM_SIZE, IsZoomed(window) ? SIZE_MAXIMIZED : SIZE_RESTORED,
               MAKELPARAM(client.cx, client.cy));
  EditWindowMenu(window);
  return window;
}

LRESULT CALLBACK MapWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(hwnd);
      return 0;
    case WM_SIZE:
      OnSize(hwnd, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_GETMINMAXINFO: {
      // The MDI defaults give the maximised placement; the minimum is ours.
      DefMDIChildProcA(hwnd, message, wParam, lParam);
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = POINT{kMinTrackSize, kMinTrackSize};
      return 0;
    }
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_HSCROLL:
      OnScroll(hwnd, SB_HORZ, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(hwnd, SB_VERT, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
      return 0;
    case WM_NCMOUSEMOVE:
      OnNonClientMouseMove(hwnd);
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnSelectionKey(hwnd, wParam, message == WM_SYSKEYDOWN)) return 0;
      break;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_RBUTTONUP:
      OnRightButtonUp(hwnd);
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(hwnd, reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      return OnSysCommand(hwnd, wParam, lParam);
    case WM_MDIACTIVATE:
      OnMdiActivate(hwnd, reinterpret_cast<HWND>(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(hwnd);
      return 0;
    default:
      break;
  }
  return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

}  // namespace quarl::win
