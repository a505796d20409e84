// The program's resources as Windows loads them.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/string_table.h"
#include "resource_ids.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

TEST(Resources, StringsEqualTheCoreTable) {
  int found = 0;
  for (int id = 0; id < 64; ++id) {
    char text[512] = {};
    const int length = LoadStringA(Instance(), static_cast<UINT>(id), text, sizeof text);
    EXPECT_EQ(std::string(text, static_cast<size_t>(length)), quarl::StringText(id)) << "string " << id;
    found += length > 0;
  }
  EXPECT_EQ(found, 17);
}

TEST(Resources, ToolboxPicturesHoldAPictureInEachToolCell) {
  for (auto [id, width, height] : {std::tuple{IDB_TOOLBOX_VERTICAL, 127, 168}, {IDB_TOOLBOX_HORIZONTAL, 600, 36}}) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info)) << id;
    EXPECT_EQ(info.bmWidth, width);
    EXPECT_EQ(info.bmHeight, height);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int tool = 0; tool < 17; ++tool) {
      const int x0 = width > height ? tool * 32 : tool % 4 * 32, y0 = width > height ? 0 : tool / 4 * 32;
      int ink = 0;  // pixels other than the button face
      for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x) ink += GetPixel(dc, x0 + x, y0 + y) != RGB(192, 192, 192);
      EXPECT_GT(ink, 40) << "tool " << tool << " of bitmap " << id;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

TEST(Resources, AcceleratorsCarryTheirCommands) {
  ACCEL entries[32];
  const int count = CopyAcceleratorTableA(LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDA_FRAME)), entries, 32);
  EXPECT_EQ(count, 13);
  auto command = [&](WORD key) {
    for (int i = 0; i < count; ++i)
      if (entries[i].key == key && (entries[i].fVirt & ~FNOINVERT) == (FVIRTKEY | FCONTROL)) return int{entries[i].cmd};
    return -1;
  };
  EXPECT_EQ(command('S'), CMD_SAVE);
  EXPECT_EQ(command('O'), CMD_OPEN);
  EXPECT_EQ(command('G'), CMD_FILL_SELECTION);
  EXPECT_EQ(command('A'), -1);  // Save As has no key
}

}  // namespace
