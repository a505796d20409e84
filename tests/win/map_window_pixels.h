#pragma once
// Reading a map window's client area back. Its private context keeps the
// window origin at the scroll position, so the copy starts at that origin.

#include <windows.h>

#include <cstdint>

#include "test_support.h"

namespace quarl::win {

// Client pixels as they are now, without a repaint (outlines stay).
inline wintest::Pixels GrabClient(HWND hwnd) {
  wintest::Pixels pixels;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  pixels.width = rc.right;
  pixels.height = rc.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC windowDc = GetDC(hwnd);
  POINT origin{};
  GetWindowOrgEx(windowDc, &origin);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDc, dib);
  BitBlt(memoryDc, 0, 0, pixels.width, pixels.height, windowDc, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);
  pixels.colours.resize(static_cast<size_t>(pixels.width) * pixels.height);
  for (size_t i = 0; i < pixels.colours.size(); ++i) {
    pixels.colours[i] = RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF);
  }
  SelectObject(memoryDc, old);
  DeleteObject(dib);
  DeleteDC(memoryDc);
  ReleaseDC(hwnd, windowDc);
  return pixels;
}

// Client pixels after a repaint at once.
inline wintest::Pixels RepaintAndGrab(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
  return GrabClient(hwnd);
}

}  // namespace quarl::win
