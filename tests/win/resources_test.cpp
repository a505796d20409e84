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

}  // namespace
