// The map window's input: a left press runs one gesture of the current tool
// through the editing engine (editor/editing_tools.h) in a capture loop of
// its own, and the arrow keys and F1 move and resize the selection
// (editor/selection.h). What the tools write is the engine's; here are the
// messages, the capture, auto-pan and the tool windows' repaints.

#include "editor/win/map_window_input.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"
#include "base/win/info_panel_fields.h"
#include "editor/editing_tools.h"
#include "editor/selection.h"
#include "editor/win/map_window.h"

namespace quarl::win {
namespace {

// While a pan flag is set the capture loop scrolls this often without
// waiting for the mouse.
constexpr DWORD kPanIntervalMs = 15;

OpenMap* FindMap(HWND hwnd) { return App().editor.maps.Find(ToWindowId(hwnd)); }

ScrollPosition ScrollOf(HWND hwnd) { return {GetScrollPos(hwnd, SB_HORZ), GetScrollPos(hwnd, SB_VERT)}; }

// A pick changed the tool state: the windows that show it follow.
void ShowToolChanges(const GestureEffects& effects) {
  AppGlobals& app = App();
  const ToolState& tools = app.editor.tools;
  if (effects.infoPanel && app.infoPanel) {
    CheckDlgButton(app.infoPanel, kUseAnimCheck, tools.animationMode ? BST_CHECKED : BST_UNCHECKED);
    // The field keeps the tool state's text, held to its range.
    SetDlgItemTextA(app.infoPanel, kAnimOffsetEdit, tools.animOffsetText.c_str());
  }
  if (effects.toolbox) RepaintNow(app.toolbox);
  if (effects.tilePalette) RepaintNow(app.tilePalette);
  if (effects.animationPalette) RepaintNow(app.animationPalette);
}

// Takes the next mouse message of any of this thread's windows, scrolling
// while it waits. Other messages stay queued until the gesture ends.
MSG NextMouseMessage(HWND hwnd) {
  MSG msg{};
  while (!PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    if (AutoPanStep(hwnd)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kPanIntervalMs, QS_ALLINPUT);
    } else {
      WaitMessage();
    }
  }
  return msg;
}

// The capture loop: until the button goes up (or a mouse message comes
// without it), each new cell the pointer enters is a drag step.
void FollowPointer(HWND hwnd, PointerGesture& gesture) {
  Editor& editor = App().editor;
  const WindowId window = ToWindowId(hwnd);
  for (;;) {
    const MSG msg = NextMouseMessage(hwnd);
    OpenMap* map = FindMap(hwnd);
    if (!map) return;
    const int px = GET_X_LPARAM(msg.lParam);
    const int py = GET_Y_LPARAM(msg.lParam);
    if (msg.wParam & MK_RBUTTON) {
      ArmAutoPan(map->view, px, py, MapClientSize(hwnd), kPanMargin, kPanMargin, kMovePanBottomMargin, kPanMargin);
    }
    if (msg.message == WM_LBUTTONUP) return;
    if (msg.message == WM_RBUTTONUP) map->view.autoPan.fill(0);
    if (!(msg.wParam & MK_LBUTTON)) return;

    const ScrollPosition scroll = ScrollOf(hwnd);
    const int32_t column = CellOfPixel(px + scroll.x);
    const int32_t row = CellOfPixel(py + scroll.y);
    if (column == gesture.LastColumn() && row == gesture.LastRow()) continue;
    ShowCellInStatusBar(map->view, column, row);
    ShowToolChanges(gesture.Move(editor, window, ClientPoint{px, py}, scroll));
  }
}

}  // namespace

void OnLeftButtonDown(HWND hwnd, int px, int py, WPARAM keys) {
  OpenMap* map = FindMap(hwnd);
  if (!map) return;
  Editor& editor = App().editor;
  const WindowId window = ToWindowId(hwnd);
  SetFocus(hwnd);
  if (keys & MK_RBUTTON) {
    ArmAutoPan(map->view, px, py, MapClientSize(hwnd), kPanMargin, kPanMargin, kPanMargin, kPanMargin);
  }
  PointerGesture gesture;
  ShowToolChanges(gesture.Press(editor, window, ClientPoint{px, py}, ScrollOf(hwnd)));
  HWND previous = SetCapture(hwnd);
  FollowPointer(hwnd, gesture);
  ShowToolChanges(gesture.Release(editor, window));
  ReleaseCapture();
  if (previous && previous != hwnd) SetCapture(previous);
}

bool OnSelectionKey(HWND hwnd, WPARAM key, bool alt) {
  SelectionKey selectionKey;
  switch (key) {
    case VK_LEFT: selectionKey = SelectionKey::kLeft; break;
    case VK_RIGHT: selectionKey = SelectionKey::kRight; break;
    case VK_UP: selectionKey = SelectionKey::kUp; break;
    case VK_DOWN: selectionKey = SelectionKey::kDown; break;
    case VK_F1: selectionKey = SelectionKey::kF1; break;
    default: return false;
  }
  const ScrollPosition scroll = ScrollOf(hwnd);
  const SIZE client = MapClientSize(hwnd);
  const KeyScroll lines = PressSelectionKey(App().editor, ToWindowId(hwnd), selectionKey, alt,
                                            KeyViewport{scroll.x, scroll.y, client.cx, client.cy});
  for (int k = 0; k < std::abs(lines.horizontalLines); ++k) {
    SendMessageA(hwnd, WM_HSCROLL, lines.horizontalLines < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
  }
  for (int k = 0; k < std::abs(lines.verticalLines); ++k) {
    SendMessageA(hwnd, WM_VSCROLL, lines.verticalLines < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  }
  return true;
}

bool AutoPanStep(HWND hwnd) {
  struct Step {
    UINT message;
    WPARAM request;
  };
  static constexpr Step kSteps[4] = {
      {WM_HSCROLL, SB_LINELEFT}, {WM_HSCROLL, SB_LINERIGHT}, {WM_VSCROLL, SB_LINEUP}, {WM_VSCROLL, SB_LINEDOWN}};
  if (!App().editor.options.winpan) return false;
  bool sent = false;
  for (int flag = 0; flag < 4; ++flag) {
    OpenMap* map = FindMap(hwnd);  // looked up again after each scroll, which may have closed it
    if (!map || !map->view.autoPan[static_cast<size_t>(flag)]) continue;
    SendMessageA(hwnd, kSteps[flag].message, kSteps[flag].request, 0);
    sent = true;
  }
  return sent;
}

}  // namespace quarl::win
