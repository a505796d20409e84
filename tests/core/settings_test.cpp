#include "app/settings.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

std::vector<int> Values(const Options& o) { return {o.toolbox, o.mintray, o.winpan, o.flagscan, o.shscan}; }

TEST(Settings, LoadReadsOneSignedByteAndRepeatsTheValueBeforeAMissingOrLongOne) {
  MemorySettingsStore store;
  EXPECT_EQ(Values(LoadOptions(store)), (std::vector<int>{-97, -97, -97, -97, -97}));  // a first run: all on
  store.values = {{"toolbox", "a"}, {"mintray", "ab"}, {"winpan", "c"}, {"flagscan", ""}, {"shscan", "\xff"}};
  EXPECT_EQ(Values(LoadOptions(store)), (std::vector<int>{0, 0, 2, -97, -98}));  // "ab" is too long; 0xff - 'a' < 0
}

TEST(Settings, SavedOptionsLoadBack) {
  MemorySettingsStore store;
  SaveOptions(store, Options{0, 1, -97, 2, 257});  // only the low 8 bits are kept
  EXPECT_EQ(store.values["toolbox"] + store.values["mintray"] + store.values["winpan"], std::string("ab\0", 3));
  EXPECT_EQ(Values(LoadOptions(store)), (std::vector<int>{0, 1, -97, 2, 1}));
}

}  // namespace
}  // namespace quarl
