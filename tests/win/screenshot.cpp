#include "screenshot.h"

#include <cstdint>
#include <vector>

#include "test_support.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace quarl::wintest {

bool SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages(50);
  RECT rc{};
  GetWindowRect(window, &rc);
  Pixels pixels{rc.right - rc.left, rc.bottom - rc.top, {}};
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, pixels.width, -pixels.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);
  for (int i = 0; bits && i < pixels.width * pixels.height; ++i)
    pixels.colours.push_back(RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF));
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
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
