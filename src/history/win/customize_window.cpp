#include "history/win/customize_window.h"

#include <algorithm>
#include <string>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "resource_ids.h"
#include "tools/win/animation_palette_window.h"
#include "tools/win/scroll_steps.h"
#include "tools/win/tile_drawing.h"

namespace quarl::win {
namespace {

constexpr int kWindowSize = 500;
constexpr int kRow = 16;
constexpr int kSheetWidth = 640, kSheetHeight = 1600;
constexpr int kAnimationRows = 256;
constexpr int kAnimationPickerWidth = 200;

CustomizeState g_state;
HWND g_lastWindow = nullptr;

// Fonts of one window, made with it and released with it.
struct CustomizeFonts {
  HFONT buttons = nullptr;  // "Arial" 16, bold
  HFONT radios = nullptr;   // "Courier New" 15
};

MirrorRotateTables& Tables() { return App().editor.tables; }
MirrorRotateTable& Shown() { return ShownTable(Tables(), g_state); }

HWND Child(HWND window, int id) { return GetDlgItem(window, id); }
HWND Sibling(HWND child, int id) { return GetDlgItem(GetParent(child), id); }

int ClientWidth(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc.right;
}
int ClientHeight(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc.bottom;
}

void FillWindowColour(HDC dc, const RECT& rc) { FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW)); }

// ---- entry list -----------------------------------------------------------------

void SetListScrollRange(HWND list) {
  SetScrollMaximum(list, SB_VERT, kRow * Shown().Count() - ClientHeight(list));
}

// The "a" that marks an animation slot, white on the row, centred in its box.
void DrawAnimationLetter(HDC dc, int x, int y) {
  HFONT font = CreateFontA(0, 0, 0, 0, 900, 0, 0, 0, 0, 0, 0, 0, 0, "arial");
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  RECT box{x, y, x + kRow, y + kRow};
  DrawTextA(dc, "a", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

void DrawSlot(HDC dc, TileRef ref, int imageX, int letterX, int y) {
  if ((ref >> 16) == 1) {
    if (const Animation* animation = App().editor.animations.FindAnimation(ref & 0xFFFF);
        animation && !animation->frames.empty())
      DrawTiles(dc, imageX, y, animation->frames[0]);
    DrawAnimationLetter(dc, letterX, y);
  } else if ((ref >> 16) == 0) {
    DrawTiles(dc, imageX, y, static_cast<int32_t>(ref));
  }
}

void DrawEntry(HDC dc, int row, int y, int width) {
  const MirrorRotateEntry& entry = Shown().entries[static_cast<size_t>(row)];
  DrawSlot(dc, entry.slots[0], 0, 16, y);
  DrawSlot(dc, entry.slots[1], 64, 48, y);
  DrawSlot(dc, entry.slots[2], width - 82, width - 66, y);
  DrawSlot(dc, entry.slots[3], width - 20, width - 36, y);
}

LRESULT PaintEntryList(HWND list) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(list, &ps);
  RECT rc{};
  GetClientRect(list, &rc);
  FillWindowColour(dc, rc);
  const int position = GetScrollPos(list, SB_VERT);
  const int count = Shown().Count();
  const int last = std::min<int>(count - 1, rc.bottom / kRow + position / kRow);
  for (int row = position / kRow; row <= last; ++row) DrawEntry(dc, row, row * kRow - position, rc.right);
  if (g_state.selectedEntry >= 0 && g_state.selectedEntry < count) {
    RECT edge{0, g_state.selectedEntry * kRow - position, rc.right, (g_state.selectedEntry + 1) * kRow - position};
    DrawEdge(dc, &edge, EDGE_BUMP, BF_RECT);
  }
  EndPaint(list, &ps);
  return 0;
}

LRESULT ClickEntryList(HWND list, int x, int y) {
  const int row = y / kRow + GetScrollPos(list, SB_VERT) / kRow;
  if (ClickCustomizeEntry(g_state, Tables(), row, CustomizeSlotAt(x, ClientWidth(list)))) RepaintNow(list, true);
  return 0;
}

bool SetSlotCursor(HWND list) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(list, &p);
  if (CustomizeSlotAt(p.x, ClientWidth(list)) < 0) return false;
  SetCursor(LoadCursorA(App().instance, MAKEINTRESOURCEA(IDC_PICKER_CURSOR)));
  return true;
}

LRESULT CALLBACK EntryListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: return PaintEntryList(hwnd);
    case WM_SIZE: SetListScrollRange(hwnd); return 0;
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, kRow, 80); return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && SetSlotCursor(hwnd)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      return ClickEntryList(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// ---- tile picker ----------------------------------------------------------------

void SetTilePickerRanges(HWND picker) {
  SetScrollMaximum(picker, SB_HORZ, kSheetWidth - ClientWidth(picker));
  SetScrollMaximum(picker, SB_VERT, kSheetHeight - ClientHeight(picker));
}

LRESULT PaintTilePicker(HWND picker) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(picker, &ps);
  RECT rc{};
  GetClientRect(picker, &rc);
  const int h = GetScrollPos(picker, SB_HORZ), v = GetScrollPos(picker, SB_VERT);
  BitBlt(dc, 0, 0, rc.right, rc.bottom, App().sheetContext, h, v, SRCCOPY);
  if (g_state.pickedAnimationFlag == 0) {
    const int tile = g_state.pickedTile;
    RECT focus{(tile % kSheetTilesPerRow) * kRow - h, (tile / kSheetTilesPerRow) * kRow - v, 0, 0};
    focus.right = focus.left + kRow;
    focus.bottom = focus.top + kRow;
    DrawFocusRect(dc, &focus);
  }
  EndPaint(picker, &ps);
  return 0;
}

LRESULT PickTile(HWND picker, int x, int y) {
  PickCustomizeTile(g_state, x, y, GetScrollPos(picker, SB_HORZ), GetScrollPos(picker, SB_VERT));
  RepaintNow(picker, true);
  RepaintNow(Sibling(picker, kCustomizeAnimationPicker), true);  // its highlight goes
  return 0;
}

LRESULT CALLBACK TilePickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: SetTilePickerRanges(hwnd); return 0;
    case WM_PAINT: return PaintTilePicker(hwnd);
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, kRow, 64); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, kRow, kRow); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return PickTile(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// ---- animation picker -----------------------------------------------------------

void SetAnimationPickerRanges(HWND picker) {
  SetScrollMaximum(picker, SB_HORZ, kAnimationPickerWidth);
  SetScrollMaximum(picker, SB_VERT, kAnimationRows * kRow - ClientHeight(picker));
}

void DrawAnimationRow(HDC dc, int id, int x0, int y) {
  DrawAnimationRowContents(dc, x0, y, id, kRow, nullptr);
  const Animation* animation = App().editor.animations.FindAnimation(id);
  if (id == g_state.pickedAnimation && g_state.pickedAnimationFlag == 1) {
    const int frames = animation ? animation->frameCount : 0;
    RECT edge{x0, y, x0 + 32 + kRow * frames, y + kRow};
    DrawEdge(dc, &edge, EDGE_BUMP, BF_RECT);
  }
}

LRESULT PaintAnimationPicker(HWND picker) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(picker, &ps);
  RECT rc{};
  GetClientRect(picker, &rc);
  FillWindowColour(dc, rc);
  const int h = GetScrollPos(picker, SB_HORZ), v = GetScrollPos(picker, SB_VERT);
  const int last = std::min<int>(kAnimationRows - 1, (v + rc.bottom) / kRow);
  for (int id = v / kRow; id <= last; ++id) DrawAnimationRow(dc, id, -h, id * kRow - v);
  EndPaint(picker, &ps);
  return 0;
}

LRESULT PickAnimation(HWND picker, int y) {
  PickCustomizeAnimation(g_state, y, GetScrollPos(picker, SB_VERT));
  RepaintNow(picker, true);
  RepaintNow(Sibling(picker, kCustomizeTilePicker), true);  // its focus rectangle goes
  return 0;
}

LRESULT CALLBACK AnimationPickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_SIZE: SetAnimationPickerRanges(hwnd); return 0;
    case WM_PAINT: return PaintAnimationPicker(hwnd);
    case WM_VSCROLL: ScrollStep(hwnd, SB_VERT, wParam, kRow, 80); return 0;
    case WM_HSCROLL: ScrollStep(hwnd, SB_HORZ, wParam, kRow, kRow); return 0;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return PickAnimation(hwnd, static_cast<short>(HIWORD(lParam)));
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// ---- the Customize window -------------------------------------------------------

HWND CreateChild(HWND parent, DWORD exStyle, const char* cls, DWORD style, int x, int y, int w, int h, int id) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
}

HWND CreateButton(HWND parent, const char* text, DWORD style, int x, int y, int w, int h, int id, HFONT font) {
  HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return button;
}

void ShowTable(HWND window, int32_t table) {
  CheckDlgButton(window, kCustomizeRotateTable, table == CUSTOMIZE_ROTATE_TABLE ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window, kCustomizeMirrorTable, table == CUSTOMIZE_MIRROR_TABLE ? BST_CHECKED : BST_UNCHECKED);
  ShowCustomizeTable(g_state, Tables(), table);
  HWND list = Child(window, kCustomizeEntryList);
  SetListScrollRange(list);
  RepaintNow(list, true);
  RepaintNow(window, true);
}

LRESULT OnCreate(HWND window) {
  auto* fonts = new CustomizeFonts;
  fonts->buttons = CreateFontA(16, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  fonts->radios = CreateFontA(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fonts));

  constexpr DWORD kScrolled = WS_VSCROLL | WS_HSCROLL;
  CreateChild(window, WS_EX_CLIENTEDGE, "CustMR_TILE", kScrolled, 0, 388, 500, 112, kCustomizeTilePicker);
  CreateChild(window, WS_EX_CLIENTEDGE, "CustMR_ANIM", kScrolled, 333, 0, 167, 388, kCustomizeAnimationPicker);
  CreateChild(window, WS_EX_CLIENTEDGE, "CustMR_DATA", WS_VSCROLL, 0, 20, 333, 348, kCustomizeEntryList);
  constexpr DWORD kPush = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
  CreateButton(window, "OK", kPush, 240, 318, 50, 30, kCustomizeOk, fonts->buttons);
  CreateButton(window, "Add", kPush, 240, 40, 50, 30, kCustomizeAdd, fonts->buttons);
  CreateButton(window, "Delete", kPush, 240, 75, 50, 30, kCustomizeDelete, fonts->buttons);
  constexpr DWORD kRadio = BS_RADIOBUTTON | BS_LEFTTEXT;
  CreateButton(window, "Mirror Table", kRadio, 218, 110, 110, 20, kCustomizeMirrorTable, fonts->radios);
  CreateButton(window, "Rotate Table", kRadio, 218, 135, 110, 20, kCustomizeRotateTable, fonts->radios);
  ShowTable(window, CUSTOMIZE_ROTATE_TABLE);
  return 0;
}

void OnSize(HWND window, int w, int h) {
  const int left = 2 * w / 3, top = 7 * h / 9;
  MoveWindow(Child(window, kCustomizeAnimationPicker), left, 0, w - left, top, TRUE);
  MoveWindow(Child(window, kCustomizeTilePicker), 0, top, w, h - top, TRUE);
  MoveWindow(Child(window, kCustomizeEntryList), 0, 20, left - 120, top - 20, TRUE);
}

void HeaderText(HDC dc, RECT box, const char* text, UINT align, bool filled) {
  if (filled) FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  DrawTextA(dc, text, -1, &box, align | DT_SINGLELINE);
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const int wl = ClientWidth(Child(window, kCustomizeEntryList));
  const bool mirror = g_state.shownTable == CUSTOMIZE_MIRROR_TABLE;
  HFONT font = CreateFontA(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "courier new");
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  HeaderText(dc, {0, 0, 64, 20}, "Tile", DT_LEFT, false);
  HeaderText(dc, {60, 0, 88, 20}, mirror ? "Vert" : "90\xB0", DT_CENTER, true);
  HeaderText(dc, {wl - 84, 0, wl - 54, 20}, mirror ? "Horz" : "180\xB0", mirror ? DT_CENTER : DT_LEFT, true);
  HeaderText(dc, {wl - 30, 0, wl, 20}, mirror ? "H/V" : "270\xB0", DT_RIGHT, true);
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(window, &ps);
  return 0;
}

void OnCommand(HWND window, int command) {
  HWND list = Child(window, kCustomizeEntryList);
  switch (command) {
    case kCustomizeRotateTable: ShowTable(window, CUSTOMIZE_ROTATE_TABLE); break;
    case kCustomizeMirrorTable: ShowTable(window, CUSTOMIZE_MIRROR_TABLE); break;
    case kCustomizeDelete:
      DeleteSelectedEntry(g_state, Tables());
      SetListScrollRange(list);
      RepaintNow(list, true);
      break;
    case kCustomizeAdd:
      AddCustomizeEntry(g_state, Tables());
      SetListScrollRange(list);
      RepaintNow(list, true);
      break;
    case kCustomizeOk: DestroyWindow(window); break;
    default: break;
  }
}

void OnDestroy(HWND window) {
  auto* fonts = reinterpret_cast<CustomizeFonts*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!fonts) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DeleteObject(fonts->buttons);
  DeleteObject(fonts->radios);
  delete fonts;
}

LRESULT CALLBACK CustomizeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_SIZE: OnSize(hwnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_DESTROY: OnDestroy(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

bool Register(const char* name, WNDPROC procedure, HCURSOR cursor, int background) {
  AppGlobals& app = App();
  // Shutdown unregisters the window's class, so a program started again
  // registers it anew; the children's classes may still be there.
  WNDCLASSA existing = {};
  if (GetClassInfoA(app.instance, name, &existing)) return true;
  return RegisterWindowClass({.name = name,
                              .procedure = procedure,
                              .style = CS_OWNDC | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                              .icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUARL)),
                              .cursor = cursor,
                              .background = ColourBackground(background)}) == 0;
}

}  // namespace

bool RegisterCustomizeClasses() {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR picker = LoadCursorA(App().instance, MAKEINTRESOURCEA(IDC_PICKER_CURSOR));
  return Register("Quarl_CUSTOM_MR", CustomizeProc, arrow, COLOR_BTNFACE) &&
         Register("CustMR_TILE", TilePickerProc, picker, COLOR_WINDOW) &&
         Register("CustMR_ANIM", AnimationPickerProc, arrow, COLOR_WINDOW) &&
         Register("CustMR_DATA", EntryListProc, arrow, COLOR_WINDOW);
}

int OpenCustomizeWindow() {
  if (!RegisterCustomizeClasses()) return -1;
  AppGlobals& app = App();
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - kWindowSize / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - kWindowSize / 2;
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT, "Quarl_CUSTOM_MR",
                                "Customize Mirror/Rotate",
                                WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU, x, y, kWindowSize,
                                kWindowSize, app.frame, nullptr, app.instance, nullptr);
  if (!window) return 0;
  g_lastWindow = window;
  ShowWindow(window, SW_SHOW);
  return 1;
}

HWND LastCustomizeWindow() { return g_lastWindow; }

CustomizeState& CustomizeWindowState() { return g_state; }

}  // namespace quarl::win
