#include "tools/overview.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

TEST(Overview, CellColours) {
  // A new map's blank tile 280 = 0x118.
  EXPECT_EQ(OverviewCellColour(Cell{}), (OverviewColour{24, 24, 1}));
  // An animation placed in the editor shows its id; one read from a file
  // keeps tile 0 and is black.
  EXPECT_EQ(OverviewCellColour(Cell{-1, 300, 0}), (OverviewColour{44, 44, 1}));
  EXPECT_EQ(OverviewCellColour(Cell{0, 300, 0}), (OverviewColour{0, 0, 0}));
  // Only the low 16 bits of the tile word count.
  EXPECT_EQ(OverviewCellColour(Cell{0x12345, -1, -1}), (OverviewColour{0x45, 0x45, 0x23}));
}

TEST(Overview, PictureRowsFollowTheMapRows) {
  MapDocument doc;
  doc.At(255, 0).tile = 0x0102;
  doc.At(1, 2).tile = 7;
  const std::vector<uint8_t> picture = OverviewPicture(doc);
  ASSERT_EQ(picture.size(), 256u * 768u);
  EXPECT_EQ(picture[255 * 3], 2);  // blue
  EXPECT_EQ(picture[255 * 3 + 2], 1);  // red
  EXPECT_EQ(picture[2 * 768 + 3], 7);
  EXPECT_EQ(picture[2 * 768 + 5], 0);
  EXPECT_EQ(picture[768 + 3 + 2], 1);  // an untouched blank cell
}

TEST(Overview, OutlineOfTheShownPart) {
  EXPECT_EQ(OverviewOutlineOf(0, 0, 800, 600), (OverviewOutline{0, 0, 50, 37}));
  EXPECT_EQ(OverviewOutlineOf(320, 48, 815, 15), (OverviewOutline{20, 3, 50, 0}));
}

}  // namespace
}  // namespace quarl
