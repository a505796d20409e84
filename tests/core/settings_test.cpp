#include "app/settings.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

Options Load(std::map<std::string, std::string> values) {
  MemorySettingsStore store;
  store.values = std::move(values);
  return LoadOptions(store);
}

TEST(Settings, AFirstRunTurnsEveryOptionOn) {
  const Options options = Load({});
  EXPECT_EQ(options.toolbox, -97);
  EXPECT_EQ(options.mintray, -97);
  EXPECT_EQ(options.winpan, -97);
  EXPECT_EQ(options.flagscan, -97);
  EXPECT_EQ(options.shscan, -97);
}

TEST(Settings, AMissingValueRepeatsTheOneBeforeIt) {
  const Options options = Load({{"toolbox", "a"}, {"winpan", "c"}, {"shscan", "b"}});
  EXPECT_EQ(options.toolbox, 0);
  EXPECT_EQ(options.mintray, 0);
  EXPECT_EQ(options.winpan, 2);
  EXPECT_EQ(options.flagscan, 2);
  EXPECT_EQ(options.shscan, 1);
  // A value too long for the buffer reads as missing; an empty one as a zero byte.
  const Options odd = Load({{"toolbox", "b"}, {"mintray", "ab"}, {"winpan", ""}, {"flagscan", "\xff"}});
  EXPECT_EQ(odd.mintray, 1);
  EXPECT_EQ(odd.winpan, -97);
  EXPECT_EQ(odd.flagscan, -98);  // 255 - 'a' as a signed byte
  EXPECT_EQ(odd.shscan, -98);
}

TEST(Settings, SavedOptionsLoadBack) {
  MemorySettingsStore store;
  Options options;
  options.toolbox = 0;
  options.mintray = 1;
  options.winpan = -97;
  options.flagscan = 2;
  options.shscan = 257;  // only the low 8 bits are kept
  SaveOptions(store, options);
  EXPECT_EQ(store.values.at("toolbox"), "a");
  EXPECT_EQ(store.values.at("mintray"), "b");
  EXPECT_EQ(store.values.at("winpan"), std::string(1, '\0'));
  EXPECT_EQ(store.values.at("flagscan"), "c");
  EXPECT_EQ(store.values.at("shscan"), "b");
  const Options loaded = LoadOptions(store);
  EXPECT_EQ(loaded.toolbox, 0);
  EXPECT_EQ(loaded.mintray, 1);
  EXPECT_EQ(loaded.winpan, -97);
  EXPECT_EQ(loaded.flagscan, 2);
  EXPECT_EQ(loaded.shscan, 1);
}

}  // namespace
}  // namespace quarl
