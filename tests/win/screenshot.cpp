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
