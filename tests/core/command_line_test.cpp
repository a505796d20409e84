#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace quarl {
namespace {

TEST(CommandLine, DirectoryAndMapNames) {
  EXPECT_EQ(CommandLineDirectory("\"C:\\Games\\ZOR\\quarl.exe\""), "C:\\Games\\ZOR");
  EXPECT_EQ(CommandLineDirectory("C:\\Games\\quarl.exe a.map"), "C:\\Games");
  EXPECT_EQ(CommandLineDirectory("quarl.exe"), "");
  // The last backslash inside a quoted document path gives a directory that
  // does not exist; start-up then stays where it was.
  EXPECT_EQ(CommandLineDirectory("\"C:\\Q\\quarl.exe\" \"C:\\maps\\x.map\""), "C:\\Q\\quarl.exe\" \"C:\\maps");

  using Names = std::vector<std::string>;
  EXPECT_EQ(MapArgumentsInOpenOrder("a.map b.map c.map"), (Names{"c.map", "b.map", "a.map"}));
  EXPECT_EQ(MapArgumentsInOpenOrder(""), Names{});
  EXPECT_EQ(MapArgumentsInOpenOrder("a.map "), (Names{"", "a.map"}));
  EXPECT_EQ(MapArgumentsInOpenOrder("C:\\my maps\\x.map"), (Names{"maps\\x.map", "C:\\my"}));
  EXPECT_EQ(MapArgumentsInOpenOrder("\"C:\\x.map\""), Names{"\"C:\\x.map\""});
}

}  // namespace
}  // namespace quarl
