// quarl-artgen: draws the program's icons, cursors and toolbox pictures and
// writes them as .ico, .cur and 24-bit .bmp files for the resource compiler.
// Runs on the build machine: quarl-artgen <output directory>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kFace{192, 192, 192};
constexpr Rgb kShadow{128, 128, 128};
constexpr Rgb kDark{64, 64, 64};
constexpr Rgb kRed{200, 30, 30};
constexpr Rgb kGreen{30, 150, 40};
constexpr Rgb kBlue{40, 70, 200};
constexpr Rgb kYellow{240, 200, 40};
constexpr Rgb kBrown{140, 90, 40};
constexpr Rgb kPink{240, 150, 160};
constexpr Rgb kSteel{150, 160, 175};
constexpr Rgb kBrick{170, 70, 40};

// A picture with an alpha mask (used by icons and cursors).
class Canvas {
 public:
  Canvas(int w, int h, Rgb background, bool opaque = true)
      : w_(w), h_(h), px_(static_cast<size_t>(w * h), background), alpha_(static_cast<size_t>(w * h), opaque) {}

  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgb At(int x, int y) const { return px_[static_cast<size_t>(y * w_ + x)]; }
  bool Opaque(int x, int y) const { return alpha_[static_cast<size_t>(y * w_ + x)]; }

  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[static_cast<size_t>(y * w_ + x)] = c;
    alpha_[static_cast<size_t>(y * w_ + x)] = true;
  }
  void Fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) Set(i, j, c);
  }
  void Frame(int x, int y, int w, int h, Rgb c) {
    Fill(x, y, w, 1, c);
    Fill(x, y + h - 1, w, 1, c);
    Fill(x, y, 1, h, c);
    Fill(x + w - 1, y, 1, h, c);
  }
  // A line of the given thickness (a square brush walked along it).
  void Line(double x0, double y0, double x1, double y1, Rgb c, int thickness = 1) {
    int steps = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
    for (int s = 0; s <= steps; ++s) {
      double t = static_cast<double>(s) / steps;
      int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
      int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
      Fill(x - thickness / 2, y - thickness / 2, thickness, thickness, c);
    }
  }
  void Disc(double cx, double cy, double r, Rgb c) {
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
      for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) Set(x, y, c);
  }
  void Ring(double cx, double cy, double r, double thickness, Rgb c) {
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
      for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
        double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
        if (d <= r && d > r - thickness) Set(x, y, c);
      }
  }
  // A filled triangle.
  void Triangle(double ax, double ay, double bx, double by, double cx, double cy, Rgb c) {
    auto edge = [](double x0, double y0, double x1, double y1, double x, double y) {
      return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
    };
    int minX = static_cast<int>(std::min({ax, bx, cx})), maxX = static_cast<int>(std::max({ax, bx, cx})) + 1;
    int minY = static_cast<int>(std::min({ay, by, cy})), maxY = static_cast<int>(std::max({ay, by, cy})) + 1;
    for (int y = minY; y <= maxY; ++y)
      for (int x = minX; x <= maxX; ++x) {
        double px = x + 0.5, py = y + 0.5;
        double e0 = edge(ax, ay, bx, by, px, py), e1 = edge(bx, by, cx, cy, px, py), e2 = edge(cx, cy, ax, ay, px, py);
        if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) Set(x, y, c);
      }
  }
  // Copies another canvas in at (x, y), opaque pixels only.
  void Paste(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.Height(); ++j)
      for (int i = 0; i < src.Width(); ++i)
        if (src.Opaque(i, j)) Set(x + i, y + j, src.At(i, j));
  }

 private:
  int w_, h_;
  std::vector<Rgb> px_;
  std::vector<bool> alpha_;
};

// ---- the 17 tool pictures, each drawn into a 32 x 32 cell -------------------

void DrawPencil(Canvas& c) {
  for (int k = -3; k <= 3; ++k) c.Line(22 + k * 0.7, 5 + k * 0.7, 10 + k * 0.7, 17 + k * 0.7, kYellow, 2);
  c.Line(24, 3, 28, 7, kPink, 5);
  c.Triangle(8, 15, 15, 22, 5, 26, Rgb{230, 200, 150});
  c.Triangle(6, 22, 9, 25, 5, 26, kBlack);
  c.Line(25, 9, 13, 21, kBrown, 1);
}

void DrawSelection(Canvas& c) {
  // A marching-ants rectangle.
  for (int i = 5; i <= 26; ++i) {
    Rgb col = ((i / 3) % 2) ? kBlack : kWhite;
    c.Set(i, 6, col);
    c.Set(i, 25, col);
    if (i <= 25) {
      c.Set(5, i, col);
      c.Set(26, i, col);
    }
  }
  c.Disc(26, 25, 2.5, kBlue);
}

void DrawPage(Canvas& c, int x, int y, Rgb lines) {
  c.Fill(x, y, 14, 18, kWhite);
  c.Frame(x, y, 14, 18, kBlack);
  for (int k = 0; k < 4; ++k) c.Fill(x + 3, y + 4 + k * 3, 8, 1, lines);
}

void DrawCopy(Canvas& c) {
  DrawPage(c, 5, 4, kShadow);
  DrawPage(c, 13, 10, kBlue);
}

void DrawCut(Canvas& c) {
  c.Line(10, 4, 20, 19, kSteel, 2);
  c.Line(22, 4, 12, 19, kSteel, 2);
  c.Ring(9, 23, 5, 2, kRed);
  c.Ring(23, 23, 5, 2, kRed);
  c.Disc(16, 13, 1.2, kBlack);
}

void DrawPaste(Canvas& c) {
  c.Fill(6, 6, 20, 23, kBrown);
  c.Frame(6, 6, 20, 23, kBlack);
  c.Fill(12, 3, 8, 5, kSteel);
  c.Frame(12, 3, 8, 5, kBlack);
  DrawPage(c, 12, 12, kBlue);
}

void DrawBunker(Canvas& c) {
  c.Fill(4, 10, 24, 16, kShadow);
  c.Triangle(4, 10, 28, 10, 16, 4, kDark);
  c.Frame(4, 10, 24, 16, kBlack);
  c.Fill(9, 15, 14, 3, kBlack);
  for (int x = 6; x < 28; x += 6) c.Fill(x, 21, 3, 3, kDark);
}

void DrawBridge(Canvas& c) {
  c.Fill(2, 20, 28, 8, kBlue);
  for (int x = 3; x < 30; x += 4) c.Fill(x, 12, 3, 7, kBrown);
  c.Fill(2, 11, 28, 2, kDark);
  c.Fill(2, 18, 28, 2, kDark);
  c.Fill(4, 19, 3, 9, kDark);
  c.Fill(25, 19, 3, 9, kDark);
}

void DrawFlag(Canvas& c) {
  c.Fill(9, 5, 2, 23, kBrown);
  c.Triangle(11, 5, 26, 10, 11, 16, kRed);
  c.Fill(6, 27, 8, 2, kDark);
}

void DrawFlagPole(Canvas& c) {
  c.Fill(15, 3, 3, 23, kSteel);
  c.Frame(15, 3, 3, 23, kDark);
  c.Disc(16.5, 3, 2.5, kYellow);
  c.Fill(8, 26, 17, 4, kDark);
  c.Fill(11, 23, 11, 3, kShadow);
}

void DrawSwitch(Canvas& c) {
  c.Fill(6, 20, 20, 8, kDark);
  c.Frame(6, 20, 20, 8, kBlack);
  c.Line(16, 20, 23, 8, kSteel, 3);
  c.Disc(23, 7, 3.5, kRed);
  c.Disc(11, 24, 1.5, kGreen);
}

void DrawWall(Canvas& c) {
  c.Fill(3, 5, 26, 22, Rgb{220, 210, 190});
  for (int row = 0; row < 4; ++row) {
    int y = 5 + row * 6;
    int offset = (row % 2) ? 5 : 0;
    for (int x = 3 - offset; x < 29; x += 10) {
      int x0 = std::max(x + 1, 3), x1 = std::min(x + 10, 29);
      c.Fill(x0, y + 1, x1 - x0, 5, kBrick);
    }
  }
}

void DrawSpawn(Canvas& c) {
  c.Ring(16, 16, 12, 2, kGreen);
  c.Ring(16, 16, 7, 2, kGreen);
  c.Disc(16, 16, 3, kYellow);
  for (int k = 0; k < 4; ++k) {
    double a = k * 3.14159265 / 2;
    c.Line(16 + std::cos(a) * 8, 16 + std::sin(a) * 8, 16 + std::cos(a) * 14, 16 + std::sin(a) * 14, kGreen, 2);
  }
}

void DrawPicker(Canvas& c) {
  c.Line(8, 24, 20, 12, kSteel, 3);
  c.Line(19, 13, 25, 7, kDark, 5);
  c.Disc(26, 6, 3.5, kRed);
  c.Line(5, 27, 8, 24, kBlack, 2);
  c.Fill(3, 27, 3, 3, kBlue);
}

void DrawHoldingPen(Canvas& c) {
  c.Fill(5, 5, 22, 22, Rgb{200, 230, 200});
  c.Frame(5, 5, 22, 22, kDark);
  c.Frame(6, 6, 20, 20, kDark);
  for (int x = 10; x < 26; x += 5) c.Fill(x, 6, 2, 20, kSteel);
  c.Disc(16, 16, 3, kRed);
}

void DrawRotate(Canvas& c) {
  c.Ring(16, 16, 11, 3, kBlue);
  c.Fill(16, 3, 14, 14, kFace);  // open the ring at its upper right
  c.Triangle(14, 2, 14, 12, 21, 7, kBlue);
}

void DrawMirror(Canvas& c) {
  for (int y = 3; y < 30; y += 4) c.Fill(15, y, 2, 2, kDark);
  c.Triangle(3, 16, 12, 7, 12, 25, kBlue);
  c.Triangle(29, 16, 20, 7, 20, 25, Rgb{150, 180, 240});
}

void DrawConveyor(Canvas& c) {
  c.Fill(3, 11, 26, 10, kDark);
  c.Disc(7, 16, 5, kShadow);
  c.Disc(25, 16, 5, kShadow);
  c.Disc(7, 16, 1.5, kBlack);
  c.Disc(25, 16, 1.5, kBlack);
  c.Triangle(12, 12, 12, 20, 17, 16, kYellow);
  c.Triangle(17, 12, 17, 20, 22, 16, kYellow);
}

using ToolDrawer = void (*)(Canvas&);
constexpr ToolDrawer kTools[17] = {DrawPencil, DrawSelection, DrawCopy,       DrawCut,    DrawPaste, DrawBunker,
                                   DrawBridge, DrawFlag,      DrawFlagPole,   DrawSwitch, DrawWall,  DrawSpawn,
                                   DrawPicker, DrawHoldingPen, DrawRotate,    DrawMirror, DrawConveyor};

Canvas ToolCell(int tool) {
  Canvas cell(32, 32, kFace);
  kTools[tool](cell);
  // A raised button edge around each picture.
  cell.Fill(0, 0, 32, 1, kWhite);
  cell.Fill(0, 0, 1, 32, kWhite);
  cell.Fill(0, 31, 32, 1, kShadow);
  cell.Fill(31, 0, 1, 32, kShadow);
  return cell;
}

// The grip: raised ridges the user drags to dock the toolbox.
void DrawGripHorizontal(Canvas& c, int x, int y, int w) {
  for (int k = 0; k < 2; ++k) {
    c.Fill(x, y + 1 + k * 4, w, 1, kWhite);
    c.Fill(x, y + 2 + k * 4, w, 1, kShadow);
  }
}
void DrawGripVertical(Canvas& c, int x, int y, int h) {
  for (int k = 0; k < 2; ++k) {
    c.Fill(x + k * 3, y, 1, h, kWhite);
    c.Fill(x + 1 + k * 3, y, 1, h, kShadow);
  }
}

Canvas VerticalToolbox() {
  Canvas c(127, 168, kFace);
  for (int i = 0; i < 17; ++i) c.Paste(ToolCell(i), (i % 4) * 32, (i / 4) * 32);
  DrawGripHorizontal(c, 4, 160, 119);
  return c;
}

Canvas HorizontalToolbox() {
  Canvas c(600, 36, kFace);
  for (int i = 0; i < 17; ++i) c.Paste(ToolCell(i), i * 32, 0);
  DrawGripVertical(c, 552, 2, 32);
  return c;
}

// ---- icons and cursors ------------------------------------------------------

Canvas AppIcon(int size) {
  Canvas c(size, size, kBlack, false);
  double s = size / 32.0;
  c.Fill(static_cast<int>(2 * s), static_cast<int>(2 * s), static_cast<int>(28 * s), static_cast<int>(28 * s), kDark);
  // A 4 x 4 checker of map tiles with a pencil across it.
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      c.Fill(static_cast<int>((3 + x * 7) * s), static_cast<int>((3 + y * 7) * s), static_cast<int>(6 * s),
             static_cast<int>(6 * s), ((x + y) % 2) ? kGreen : Rgb{90, 190, 90});
  c.Line(27 * s, 5 * s, 9 * s, 23 * s, kYellow, std::max(2, static_cast<int>(4 * s)));
  c.Line(9 * s, 23 * s, 5 * s, 27 * s, kBlack, std::max(1, static_cast<int>(2 * s)));
  return c;
}

Canvas MapIcon(int size) {
  Canvas c(size, size, kBlack, false);
  double s = size / 32.0;
  c.Fill(static_cast<int>(3 * s), static_cast<int>(5 * s), static_cast<int>(26 * s), static_cast<int>(22 * s), kBlue);
  c.Fill(static_cast<int>(7 * s), static_cast<int>(9 * s), static_cast<int>(12 * s), static_cast<int>(9 * s), kGreen);
  c.Fill(static_cast<int>(15 * s), static_cast<int>(15 * s), static_cast<int>(10 * s), static_cast<int>(8 * s), kGreen);
  c.Frame(static_cast<int>(3 * s), static_cast<int>(5 * s), static_cast<int>(26 * s), static_cast<int>(22 * s), kBlack);
  c.Triangle(21 * s, 7 * s, 27 * s, 10 * s, 21 * s, 13 * s, kRed);
  return c;
}

Canvas TrayIcon(int size) {
  Canvas c = AppIcon(size);
  double s = size / 32.0;
  c.Ring(24 * s, 24 * s, 7 * s, std::max(1.0, 2 * s), kRed);
  return c;
}

// Cursors: black outline, white inside, drawn on a transparent canvas.
Canvas CrossCursor() {
  Canvas c(32, 32, kBlack, false);
  c.Fill(15, 2, 3, 29, kBlack);
  c.Fill(2, 15, 29, 3, kBlack);
  c.Fill(16, 3, 1, 27, kWhite);
  c.Fill(3, 16, 27, 1, kWhite);
  c.Frame(12, 12, 9, 9, kBlack);
  return c;
}

Canvas PickerCursor() {
  Canvas c(32, 32, kBlack, false);
  c.Line(1, 30, 14, 17, kBlack, 4);
  c.Line(1, 30, 14, 17, kWhite, 1);
  c.Line(13, 18, 22, 9, kBlack, 6);
  c.Disc(24, 7, 5, kBlack);
  c.Disc(24, 7, 3, kWhite);
  return c;
}

// ---- file writers -----------------------------------------------------------

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A bottom-up 24-bit device-independent bitmap file.
std::vector<uint8_t> Bmp24(const Canvas& c) {
  int stride = (c.Width() * 3 + 3) & ~3;
  uint32_t imageSize = static_cast<uint32_t>(stride * c.Height());
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(c.Width()));
  Put32(out, static_cast<uint32_t>(c.Height()));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = c.Height() - 1; y >= 0; --y) {
    size_t rowStart = out.size();
    for (int x = 0; x < c.Width(); ++x) {
      Rgb p = c.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    while (out.size() - rowStart < static_cast<size_t>(stride)) out.push_back(0);
  }
  return out;
}

// The image of one icon or cursor entry: a 32-bit colour bitmap followed by
// the 1-bit transparency mask, stacked as Windows expects (height doubled).
std::vector<uint8_t> IconImage(const Canvas& c) {
  std::vector<uint8_t> out;
  int w = c.Width(), h = c.Height();
  int maskStride = ((w + 31) / 32) * 4;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(w));
  Put32(out, static_cast<uint32_t>(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(w * h * 4 + maskStride * h));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      Rgb p = c.At(x, y);
      bool on = c.Opaque(x, y);
      out.push_back(on ? p.b : 0);
      out.push_back(on ? p.g : 0);
      out.push_back(on ? p.r : 0);
      out.push_back(on ? 255 : 0);
    }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
    for (int x = 0; x < w; ++x)
      if (!c.Opaque(x, y)) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// An .ico (type 1) or .cur (type 2, with hot spots) file of several images.
std::vector<uint8_t> IconFile(const std::vector<Canvas>& images, int type, int hotX = 0, int hotY = 0) {
  std::vector<std::vector<uint8_t>> blobs;
  for (const Canvas& c : images) blobs.push_back(IconImage(c));
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(type));
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(images[i].Width()));
    out.push_back(static_cast<uint8_t>(images[i].Height()));
    out.push_back(0);
    out.push_back(0);
    Put16(out, type == 1 ? 1 : static_cast<uint32_t>(hotX));
    Put16(out, type == 1 ? 32 : static_cast<uint32_t>(hotY));
    Put32(out, static_cast<uint32_t>(blobs[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(blobs[i].size());
  }
  for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarl-artgen <output directory>\n");
    return 2;
  }
  std::string dir = argv[1];
  struct Output {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Output outputs[] = {
      {"toolbox_vertical.bmp", Bmp24(VerticalToolbox())},
      {"toolbox_horizontal.bmp", Bmp24(HorizontalToolbox())},
      {"quarl.ico", IconFile({AppIcon(16), AppIcon(32)}, 1)},
      {"map.ico", IconFile({MapIcon(16), MapIcon(32)}, 1)},
      {"tray.ico", IconFile({TrayIcon(16), TrayIcon(32)}, 1)},
      {"map.cur", IconFile({CrossCursor()}, 2, 16, 16)},
      {"picker.cur", IconFile({PickerCursor()}, 2, 1, 30)},
  };
  for (const Output& o : outputs) {
    if (!WriteFile(dir + "/" + o.name, o.bytes)) {
      std::fprintf(stderr, "quarl-artgen: cannot write %s/%s\n", dir.c_str(), o.name);
      return 1;
    }
  }
  return 0;
}
