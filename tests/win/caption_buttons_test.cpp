// The map window's caption buttons, as Wine draws them: the glyphs come from
// the Marlett symbol font, and without it they show as the letters "0 1 r".

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quarl_session.h"

namespace quarl::wintest {
namespace {

// The whole window, frame and caption included, as it is on the screen.
Pixels GrabWindow(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pixels pixels;
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  pixels.width = rc.right - rc.left;
  pixels.height = rc.bottom - rc.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC windowDc = GetWindowDC(hwnd);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDc, dib);
  BitBlt(memoryDc, 0, 0, pixels.width, pixels.height, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const uint32_t*>(bits);
  pixels.colours.resize(static_cast<size_t>(pixels.width) * pixels.height);
  for (size_t i = 0; i < pixels.colours.size(); ++i)
    pixels.colours[i] = RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF);
  SelectObject(memoryDc, old);
  DeleteObject(dib);
  DeleteDC(memoryDc);
  ReleaseDC(hwnd, windowDc);
  return pixels;
}

// The dark pixels (glyph ink, antialiased edges included) of one caption
// button's face, with their bounding box.
struct Glyph {
  std::vector<std::vector<bool>> ink;  // [y][x] inside the box
  int width = 0, height = 0;
  int top = 0;  // box top, from the top of the face
  int faceHeight = 0;
  bool At(int x, int y) const { return ink[y][x]; }
};

int Brightness(COLORREF c) { return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3; }

// The button is found through the window's own hit test (a row and a column
// through the caption), its face as the light pixels of that cell.
Glyph FindGlyph(HWND hwnd, const Pixels& pixels, LRESULT hit) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  auto hits = [&](int x, int y) {
    return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y)) == hit;
  };
  const int band = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  int left = pixels.width, right = -1, top = band, bottom = -1;
  for (int x = 0; x < pixels.width; ++x)
    if (hits(x, band / 2 + 1)) left = std::min(left, x), right = std::max(right, x);
  for (int y = 0; y < band && right >= 0; ++y)
    if (hits((left + right) / 2, y)) top = std::min(top, y), bottom = std::max(bottom, y);
  Glyph glyph;
  if (right < 0) return glyph;
  int fl = right + 1, fr = left - 1, ft = bottom + 1, fb = top - 1;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (Brightness(pixels.At(x, y)) >= 230) fl = std::min(fl, x), fr = std::max(fr, x), ft = std::min(ft, y), fb = std::max(fb, y);
  auto dark = [&](int x, int y) { return Brightness(pixels.At(x, y)) < 160; };
  int gl = fr + 1, gr = fl - 1, gt = fb + 1, gb = ft - 1;
  for (int y = ft; y <= fb; ++y)
    for (int x = fl; x <= fr; ++x)
      if (dark(x, y)) gl = std::min(gl, x), gr = std::max(gr, x), gt = std::min(gt, y), gb = std::max(gb, y);
  if (gr < gl) return glyph;
  glyph.width = gr - gl + 1;
  glyph.height = gb - gt + 1;
  glyph.top = gt - ft;
  glyph.faceHeight = fb - ft + 1;
  for (int y = gt; y <= gb; ++y) {
    glyph.ink.emplace_back();
    for (int x = gl; x <= gr; ++x) glyph.ink.back().push_back(dark(x, y));
  }
  return glyph;
}

using CaptionButtons = QuarlSession;

// Minimise is a bar along the bottom, maximise a hollow box with a heavy
// top edge, close an X; the letters "0", "1" and "r" are none of these.
TEST_F(CaptionButtons, MapWindowButtonsShowTheirSymbols) {
  ASSERT_TRUE(Start());
  HWND map = NewMap();
  ASSERT_TRUE(IsWindow(map));
  const Pixels pixels = GrabWindow(map);

  const Glyph minimise = FindGlyph(map, pixels, HTMINBUTTON);
  ASSERT_GT(minimise.width, 0) << "no minimise button";
  EXPECT_GE(minimise.width, 3 * minimise.height) << "not a flat bar";
  EXPECT_GE(minimise.top, minimise.faceHeight / 2) << "not along the bottom";

  const Glyph maximise = FindGlyph(map, pixels, HTMAXBUTTON);
  ASSERT_GT(maximise.width, 0) << "no maximise button";
  ASSERT_GE(maximise.height, 3);
  for (int x = 0; x < maximise.width; ++x) EXPECT_TRUE(maximise.At(x, 0) || maximise.At(x, 1)) << "top edge broken at " << x;
  EXPECT_FALSE(maximise.At(maximise.width / 2, maximise.height / 2 + 1)) << "not hollow";
  EXPECT_LE(std::abs(maximise.width - maximise.height), 3) << "not a box";

  const Glyph close = FindGlyph(map, pixels, HTCLOSE);
  ASSERT_GT(close.width, 0) << "no close button";
  EXPECT_LE(std::abs(close.width - close.height), 1) << "not square";
  const int w = close.width - 1, h = close.height - 1;
  EXPECT_TRUE(close.At(0, 0) && close.At(w, 0) && close.At(0, h) && close.At(w, h)) << "corners of the X missing";
  EXPECT_TRUE(close.At(w / 2, h / 2)) << "the X does not cross";
  EXPECT_FALSE(close.At(w / 2, 0) || close.At(0, h / 2)) << "not an X";
}

}  // namespace
}  // namespace quarl::wintest
