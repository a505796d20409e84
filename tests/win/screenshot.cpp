#include "screenshot.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "test_support.h"

namespace quarl::wintest {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// An 8-bit RGB PNG, each row unfiltered.
std::vector<uint8_t> EncodePng(const Pixels& pixels) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < pixels.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < pixels.width; ++x) {
      const COLORREF c = pixels.At(x, y);
      raw.insert(raw.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32(header, static_cast<uint32_t>(pixels.width));
  PutU32(header, static_cast<uint32_t>(pixels.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

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
  if (pixels.colours.empty()) return false;

  const std::string directory = ToWindowsPath(QUARL_SCREENSHOT_DIR);
  CreateDirectoryA(directory.c_str(), nullptr);
  const std::vector<uint8_t> png = EncodePng(pixels);
  FILE* f = std::fopen((directory + "\\" + name + ".png").c_str(), "wb");
  const bool written = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return f && std::fclose(f) == 0 && written;
}

}  // namespace quarl::wintest
