// How long one full repaint of a maximised map window takes: the window is
// invalidated and painted at once (RedrawWindow with RDW_INVALIDATE and
// RDW_UPDATENOW) many times, timed with QueryPerformanceCounter.
//
// Two layouts: the frame's own (MDI client between the tool columns) and an
// MDI client that fills the whole frame, both with the frame maximised.
// Run under Wine on a 1920 x 1080 display (scripts/with-wine.sh gives one).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/win/app_globals.h"
#include "editor/win/map_window.h"
#include "editor/new_map.h"
#include "resource_ids.h"
#include "tile_sheet_bmp.h"

namespace quarl::win {
namespace {

constexpr char kFrameClass[] = "quarlpaintbenchframe";
constexpr int kWarmUpPaints = 10;
constexpr int kTimedPaints = 300;

class BenchUi : public UserInterface, public MapWindows {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return Answer::Cancel;
  }
  std::optional<std::string> ChooseSaveFileName() override { return std::nullopt; }
  WindowId CreateMapWindow(OpenMap& map) override { return ToWindowId(win::CreateMapWindow(map)); }
  void DestroyMapWindow(WindowId window) override {
    SendMessageA(App().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ToHwnd(window)), 0);
  }
  void SetWindowTitle(WindowId window, const std::string& title) override {
    SetWindowTextA(ToHwnd(window), title.c_str());
  }
};

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcA(hwnd, App().mdiClient, message, wParam, lParam);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool LoadSheet(const std::string& path) {
  AppGlobals& app = App();
  app.tileSheet = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!app.tileSheet) return false;
  app.sheetContext = CreateCompatibleDC(nullptr);
  SelectObject(app.sheetContext, app.tileSheet);
  RGBQUAD table[256];
  GetDIBColorTable(app.sheetContext, 0, 256, table);
  std::vector<char> record(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(record.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 256;
  for (int i = 0; i < 256; ++i)
    logical->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  app.sharedPalette = CreatePalette(logical);
  SelectPalette(app.sheetContext, app.sharedPalette, FALSE);
  RealizePalette(app.sheetContext);
  return true;
}

// A busy map: every cell a different tile, one in eight animated.
void FillMap(MapDocument& doc) {
  for (int r = 0; r < kMapCells; ++r) {
    for (int c = 0; c < kMapCells; ++c) {
      Cell& cell = doc.At(c, r);
      if ((c + r) % 8 == 0) {
        cell.SetValues({-1, (c * 3 + r) % 16, (c + 2 * r) % 128});
      } else {
        cell.tile = (c * 7 + r * 131) % 4000;
      }
    }
  }
}

struct Result {
  SIZE client{};
  double averageMs = 0, bestMs = 0, medianMs = 0;
};

Result MeasureRepaints(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  Result result;
  result.client = SIZE{rc.right, rc.bottom};
  for (int i = 0; i < kWarmUpPaints; ++i) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < kTimedPaints; ++i) {
    QueryPerformanceCounter(&start);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    Pump();  // lets the window's picture reach the display between paints
  }
  double total = 0;
  for (double t : times) total += t;
  std::sort(times.begin(), times.end());
  result.averageMs = total / static_cast<double>(times.size());
  result.bestMs = times.front();
  result.medianMs = times[times.size() / 2];
  return result;
}

void Report(const char* layout, const Result& r) {
  const int columns = (r.client.cx + 15) / 16, rows = (r.client.cy + 15) / 16;
  std::printf("%-34s client %4ld x %4ld (%5d cells): average %7.3f ms, median %7.3f ms, best %7.3f ms over %d repaints\n",
              layout, r.client.cx, r.client.cy, columns * rows, r.averageMs, r.medianMs, r.bestMs, kTimedPaints);
}

int Run() {
  AppGlobals& app = App();
  app.instance = GetModuleHandleA(nullptr);
  BenchUi ui;
  app.editor.ui = &ui;
  app.editor.windows = &ui;

  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string sheetPath = std::string(temp) + "quarl-paint-bench-tiles.bmp";
  if (!test::WriteTestSheet(sheetPath) || !LoadSheet(sheetPath)) {
    std::fprintf(stderr, "cannot make the tile sheet %s\n", sheetPath.c_str());
    return 1;
  }
  for (int id = 0; id < 16; ++id) {
    Animation animation;
    animation.frameCount = static_cast<uint8_t>(2 + id % 5);
    for (int f = 0; f < animation.frameCount; ++f) animation.frames.push_back(1000 + id * 10 + f);
    app.editor.animations.Append(animation);
  }

  WNDCLASSA frameClass{};
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = app.instance;
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frameClass.lpszClassName = kFrameClass;
  RegisterClassA(&frameClass);
  if (!RegisterMapWindowClass()) return 1;
  app.editor.mapWindowClassTried = app.editor.mapWindowClassRegistered = true;
  app.frameMenu = LoadMenuA(app.instance, MAKEINTRESOURCEA(IDM_FRAME_MENU));
  app.frame = CreateWindowExA(0, kFrameClass, "Quarl", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              0, 0, 800, 512, nullptr, app.frameMenu, app.instance, nullptr);
  ShowWindow(app.frame, SW_SHOWMAXIMIZED);
  PumpFor(500);  // the display's answer to the maximise comes as window events
  RECT frameRect{};
  GetWindowRect(app.frame, &frameRect);
  if (frameRect.right - frameRect.left < GetSystemMetrics(SM_CXSCREEN)) {
    // Without a window manager the maximise may not take: the same size by hand.
    SetWindowPos(app.frame, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_SHOWWINDOW);
    Pump();
  }
  RECT frameClient{};
  GetClientRect(app.frame, &frameClient);
  const int w = frameClient.right, h = frameClient.bottom;
  std::printf("display %d x %d, frame client %d x %d (%s)\n", GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), w, h, IsZoomed(app.frame) ? "maximised" : "screen-sized");

  CLIENTCREATESTRUCT ccs{GetSubMenu(app.frameMenu, 3), FIRST_MDI_CHILD_ID};
  app.mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                  130, 0, w - 260, h - 82, app.frame, nullptr, app.instance, &ccs);
  OpenMap* opened = CreateNewMAP(app.editor);
  if (!opened) return 1;
  FillMap(*opened->doc);
  HWND map = ToHwnd(opened->view.window);
  SendMessageA(app.mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(map), 0);
  SendMessageA(map, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1000), 0);
  SendMessageA(map, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 800), 0);
  Pump();
  Report("frame layout (tool columns beside)", MeasureRepaints(map));

  MoveWindow(app.mdiClient, 0, 0, w, h, TRUE);
  Pump();
  Report("MDI client over the whole frame", MeasureRepaints(map));

  DestroyWindow(app.frame);
  Pump();
  DeleteFileA(sheetPath.c_str());
  return 0;
}

}  // namespace
}  // namespace quarl::win

int main() { return quarl::win::Run(); }
