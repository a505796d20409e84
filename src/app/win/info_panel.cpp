#include "app/win/info_panel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/win/app_globals.h"
#include "base/win/gdi.h"

namespace quarl::win {
namespace {

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

void OnCreate(HWND hwnd) {
  AppGlobals& app = App();
  for (const ControlSpec& c : kInfoControls) {
    HWND control = CreateWindowExA(c.exStyle, c.cls, c.text, c.style, c.x, c.y, c.w, c.h, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), app.instance, nullptr);
    if (c.id != kUseAnimCheck) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(app.panelFont), TRUE);
  }
  CheckDlgButton(hwnd, kFirstTeamButton, BST_CHECKED);
  app.editor.tools.currentTeam = TEAM_GREEN;
}

void OnPaint(HWND hwnd) {
  PaintContext paint(hwnd);
  HDC dc = paint.Get();
  // The labels in the panel font, as the fields beside them: the system
  // font's "Anim Offset:" would run under its field.
  Selection font(dc, App().panelFont ? static_cast<HGDIOBJ>(App().panelFont) : GetStockObject(SYSTEM_FONT));
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
    SetDlgItemTextA(hwnd, kAnimOffsetEdit, clamped);  // updates again, with the clamped text
    return;
  }
  // Placing, filling and the edit scripts read the offset from the tool state.
  App().editor.tools.animOffsetText = text;
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
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

LRESULT OnControlColour(HDC dc, HWND control) {
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
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_COMMAND: return OnCommand(hwnd, wParam);
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: PostQuitMessage(0); return 0;  // the main loop ignores it
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

int RegisterInfoPanelClass() {
  return RegisterWindowClass({.name = "zorinfo",
                              .procedure = InfoPanelProc,
                              .style = CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW,
                              .cursor = LoadCursorA(nullptr, IDC_ARROW),
                              .background = ColourBackground(COLOR_BTNFACE)});
}

}  // namespace

int CreateInfoPanel(HWND frame) {
  const int code = RegisterInfoPanelClass();
  AppGlobals& app = App();
  app.infoPanel = CreateWindowExA(WS_EX_CLIENTEDGE, "zorinfo", nullptr, WS_CHILD | WS_VISIBLE, 0, 172, 128, 1,
                                  frame, nullptr, app.instance, nullptr);
  return code;
}

}  // namespace quarl::win
