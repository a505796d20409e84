#include "app/map_information.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

using Field = MapInfoNumber;

TEST(MapInformation, TypingOutOfRangeIsCorrectedAtOnce) {
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, "5"), "4");
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, "1"), "2");
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, "4"), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, "2"), std::nullopt);
  // Players: 7 may stay, 70 becomes 64.
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, "7"), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, "70"), "64");
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, "64"), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, "1"), "2");
  // Holding has no upper limit.
  EXPECT_EQ(CorrectedNumberText(Field::kHolding, "0"), "1");
  EXPECT_EQ(CorrectedNumberText(Field::kHolding, "9999"), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kPowerup, "0"), std::nullopt);
  // An empty field is in range; text without digits counts as 0.
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, ""), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, ""), std::nullopt);
  EXPECT_EQ(CorrectedNumberText(Field::kTeams, "x"), "2");
  // Only four characters are read.
  EXPECT_EQ(CorrectedNumberText(Field::kPlayers, "00030"), std::nullopt);
}

TEST(MapInformation, OkStoresDefaultsForEmptyFieldsAndBytesOtherwise) {
  EXPECT_EQ(StoredNumber(Field::kPlayers, ""), 64);
  EXPECT_EQ(StoredNumber(Field::kTeams, ""), 2);
  EXPECT_EQ(StoredNumber(Field::kHolding, ""), 12);
  EXPECT_EQ(StoredNumber(Field::kPowerup, ""), 4);
  EXPECT_EQ(StoredNumber(Field::kHolding, "300"), 44);
  EXPECT_EQ(StoredNumber(Field::kPowerup, "255"), 255);
  EXPECT_EQ(StoredNumber(Field::kPowerup, "12ab"), 12);
  EXPECT_EQ(StoredNumber(Field::kPlayers, "12345"), 210);  // 1234 mod 256
}

}  // namespace
}  // namespace quarl
