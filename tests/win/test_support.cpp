#include "test_support.h"

#include <algorithm>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace quarl::wintest {
namespace {

constexpr int kMessageTextId = 0xFFFF;   // a box's text
constexpr int kFileNameControl = 0x47c;  // the file dialogs' name field
DialogScript* g_active = nullptr;

}  // namespace

DialogScript::DialogScript() : hook_(SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId())) {
  g_active = this;
}

DialogScript::~DialogScript() {
  UnhookWindowsHookEx(hook_);
  g_active = nullptr;
}

std::vector<SeenDialog> DialogScript::Boxes() const {
  std::vector<SeenDialog> boxes;
  std::copy_if(seen_.begin(), seen_.end(), std::back_inserter(boxes), [](const SeenDialog& d) { return !d.fileDialog; });
  return boxes;
}

LRESULT CALLBACK DialogScript::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = reinterpret_cast<HWND>(wParam);
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (g_active && code == HCBT_ACTIVATE && std::string(name) == "#32770") g_active->OnActivate(hwnd);
  if (g_active && code == HCBT_DESTROYWND) std::erase(g_active->handled_, hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogScript::OnActivate(HWND dialog) {
  // A box is activated again when another window closes over it; answer once.
  if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) return;
  handled_.push_back(dialog);
  SeenDialog seen{WindowText(dialog), "", false, IDCANCEL, GetWindow(dialog, GW_OWNER)};
  if (HWND fileName = GetDlgItem(dialog, kFileNameControl)) {
    seen.fileDialog = true;
    if (!fileAnswers_.empty()) seen.text = fileAnswers_.front(), fileAnswers_.pop_front();
    if (!seen.text.empty()) SetWindowTextA(fileName, seen.text.c_str()), seen.answer = IDOK;
  } else {
    seen.text = WindowText(GetDlgItem(dialog, kMessageTextId));
    seen.answer = 0;
    if (!boxAnswers_.empty()) seen.answer = boxAnswers_.front(), boxAnswers_.pop_front();
    // Only a button the box has can answer it.
    for (int button : {IDOK, IDCANCEL, IDNO, IDYES})
      if ((!seen.answer || !GetDlgItem(dialog, seen.answer)) && GetDlgItem(dialog, button)) seen.answer = button;
  }
  seen_.push_back(seen);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(seen.answer, BN_CLICKED), 0);
}

std::string ToWindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

RECT PlacedRect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void SetClientSize(HWND hwnd, int width, int height) {
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  SetWindowPos(hwnd, nullptr, 0, 0, width + (window.right - window.left) - client.right,
               height + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

void PumpMessages(DWORD ms) { PumpUntil([] { return false; }, ms); }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  for (const DWORD start = GetTickCount();;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed), QS_ALLINPUT);
  }
}

Pixels GrabArea(HDC dc, int x, int y, int width, int height) {
  Pixels pixels{width, height, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memoryDc = CreateCompatibleDC(dc);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDc, dib);
  BitBlt(memoryDc, 0, 0, width, height, dc, x, y, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);  // 0x00RRGGBB
  for (int i = 0; bits && i < width * height; ++i)
    pixels.colours.push_back(RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF));
  SelectObject(memoryDc, old);
  DeleteObject(dib);
  DeleteDC(memoryDc);
  return pixels;
}

Pixels GrabClient(HWND hwnd, bool repaint) {
  if (repaint) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HDC windowDc = GetDC(hwnd);
  POINT origin{};
  GetWindowOrgEx(windowDc, &origin);
  Pixels pixels = GrabArea(windowDc, origin.x, origin.y, rc.right, rc.bottom);
  ReleaseDC(hwnd, windowDc);
  return pixels;
}

bool SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages(50);
  RECT rc{};
  GetWindowRect(window, &rc);
  if (rc.right <= rc.left || rc.bottom <= rc.top) return false;
  HDC screen = GetDC(nullptr);
  const Pixels pixels = GrabArea(screen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  ReleaseDC(nullptr, screen);
  return SavePng(pixels, name);
}

bool SavePng(const Pixels& pixels, const std::string& name) {
  if (pixels.colours.empty()) return false;
  const std::string directory = ToWindowsPath(QUARL_SCREENSHOT_DIR);
  CreateDirectoryA(directory.c_str(), nullptr);
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.colours.size() * 3);
  for (COLORREF c : pixels.colours) rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  const std::string path = directory + "\\" + name + ".png";
  return stbi_write_png(path.c_str(), pixels.width, pixels.height, 3, rgb.data(), pixels.width * 3) != 0;
}

}  // namespace quarl::wintest
