#include "test_support.h"

#include <algorithm>

namespace quarl::wintest {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control holding a box's text
constexpr int kFileNameControl = 0x47c; // the file-name field of the common file dialogs

DialogScript* g_active = nullptr;  // the script whose hook is installed

std::string ClassName(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

}  // namespace

DialogScript::DialogScript() {
  g_active = this;
  hook_ = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

DialogScript::~DialogScript() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (g_active == this) g_active = nullptr;
}

std::vector<SeenDialog> DialogScript::Boxes() const {
  std::vector<SeenDialog> boxes;
  std::copy_if(seen_.begin(), seen_.end(), std::back_inserter(boxes),
               [](const SeenDialog& d) { return !d.fileDialog; });
  return boxes;
}

LRESULT CALLBACK DialogScript::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  DialogScript* self = g_active;
  if (self) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && ClassName(hwnd) == "#32770") self->OnActivate(hwnd);
    if (code == HCBT_DESTROYWND) std::erase(self->handled_, hwnd);
  }
  return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void DialogScript::OnActivate(HWND dialog) {
  // A box is activated again when another window closes over it; answer once.
  if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) return;
  handled_.push_back(dialog);

  SeenDialog seen;
  seen.title = WindowText(dialog);
  seen.owner = GetWindow(dialog, GW_OWNER);
  HWND fileName = GetDlgItem(dialog, kFileNameControl);
  if (fileName) {
    seen.fileDialog = true;
    if (!fileAnswers_.empty()) {
      seen.scripted = true;
      seen.text = fileAnswers_.front();
      fileAnswers_.pop_front();
    }
    if (!seen.text.empty()) {
      SetWindowTextA(fileName, seen.text.c_str());
      seen.answer = IDOK;
    } else {
      seen.answer = IDCANCEL;
    }
  } else {
    HWND text = GetDlgItem(dialog, kMessageTextId);
    seen.text = text ? WindowText(text) : "";
    int wanted = 0;
    if (!boxAnswers_.empty()) {
      wanted = boxAnswers_.front();
      boxAnswers_.pop_front();
      seen.scripted = true;
    }
    // Only a button the box has can answer it.
    if (wanted && GetDlgItem(dialog, wanted)) {
      seen.answer = wanted;
    } else {
      seen.scripted = false;
      for (int button : {IDOK, IDCANCEL, IDNO, IDYES})
        if (GetDlgItem(dialog, button)) {
          seen.answer = button;
          break;
        }
    }
  }
  seen_.push_back(seen);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(seen.answer, BN_CLICKED), 0);
}

std::string ToWindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void PumpMessages(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed), QS_ALLINPUT);
  }
}

Pixels ReadClientPixels(HWND hwnd) {
  Pixels pixels;
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rc;
  GetClientRect(hwnd, &rc);
  pixels.width = rc.right;
  pixels.height = rc.bottom;
  if (pixels.width <= 0 || pixels.height <= 0) return pixels;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(hwnd);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDc, dib);
  BitBlt(memoryDc, 0, 0, pixels.width, pixels.height, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);
  pixels.colours.resize(static_cast<size_t>(pixels.width * pixels.height));
  for (size_t i = 0; i < pixels.colours.size(); ++i) {
    uint32_t q = quads[i];  // 0x00RRGGBB in memory order B, G, R, 0
    pixels.colours[i] = RGB((q >> 16) & 0xFF, (q >> 8) & 0xFF, q & 0xFF);
  }
  SelectObject(memoryDc, old);
  DeleteObject(dib);
  DeleteDC(memoryDc);
  ReleaseDC(hwnd, windowDc);
  return pixels;
}

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string MenuItemText(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT MenuItemState(HMENU menu, int position) {
  return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

}  // namespace quarl::wintest
