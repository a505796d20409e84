#include "app/settings.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

std::vector<int> Values(const Options& o) { return {o.toolbox, o.mintray, o.winpan, o.flagscan, o.shscan}; }

Options Load(std::map<std::string, std::string> values) {
  MemorySettingsStore store;
  store.values = std::move(values);
  return LoadOptions(store);
}

TEST(Settings, LoadTurnsAFirstRunOnAndRepeatsTheValueBeforeAMissingOne) {
  EXPECT_EQ(Values(Load({})), (std::vector<int>{-97, -97, -97, -97, -97}));
  EXPECT_EQ(Values(Load({{"toolbox", "a"}, {"winpan", "c"}, {"shscan", "b"}})), (std::vector<int>{0, 0, 2, 2, 1}));
  // A value too long for the buffer reads as missing; an empty one as a zero byte; 255 - 'a' as a signed byte.
  EXPECT_EQ(Values(Load({{"toolbox", "b"}, {"mintray", "ab"}, {"winpan", ""}, {"flagscan", "\xff"}})),
            (std::vector<int>{1, 1, -97, -98, -98}));
}

TEST(Settings, SavedOptionsLoadBack) {
  MemorySettingsStore store;
  Options options;
  options.toolbox = 0, options.mintray = 1, options.winpan = -97, options.flagscan = 2;
  options.shscan = 257;  // only the low 8 bits are kept
  SaveOptions(store, options);
  EXPECT_EQ(store.values.at("winpan"), std::string(1, '\0'));
  EXPECT_EQ(Values(LoadOptions(store)), (std::vector<int>{0, 1, -97, 2, 1}));
}

}  // namespace
}  // namespace quarl
