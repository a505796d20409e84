// The map windows' caption buttons are drawn with the Marlett symbol font;
// without it in the Wine prefix they show as the letters "0 1 r".

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(CaptionButtons, MarlettIsInstalledForTheCaptionGlyphs) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  EXPECT_EQ(std::string(face), "Marlett");
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
}

}  // namespace
