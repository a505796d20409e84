#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/replacing_file.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A failed or finished save leaves no temporary file behind.
std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteFileAtomically, ReplacesWholeFilesKeepingPermissionsOrFailsLeavingThem) {
  testing::TempDir dir;
  const std::string path = dir.File("out.map");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(5000, 0xA5)));
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  // A shorter file replaces a longer one completely: no old tail survives.
  const WriteResult result = WriteFileAtomically(path, Bytes("short"));
  EXPECT_TRUE(result.Ok() && result.failedStep == WriteStep::None && result.reason.empty());
  EXPECT_EQ(dir.Read("out.map"), "short");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
  const WriteResult missing = WriteFileAtomically(dir.File("no-such-dir/x.map"), Bytes("x"));
  EXPECT_EQ(missing.failedStep, WriteStep::Create);
  EXPECT_EQ(missing.reason, std::strerror(ENOENT));
  EXPECT_EQ(Names(dir.path), std::vector<std::string>{"out.map"});
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  testing::TempDir dir;
  fs::create_directories(dir.path / "maps");
  fs::create_directories(dir.path / "links");
  dir.Write("maps/real.map", "old");
  // Relative links are followed from the link's own directory, through a chain of them.
  fs::create_symlink("../maps/real.map", dir.path / "links/first.map");
  fs::create_symlink("first.map", dir.path / "links/second.map");
  ASSERT_TRUE(WriteFileAtomically((dir.path / "links/second.map").string(), Bytes("new")));
  EXPECT_EQ(dir.Read("maps/real.map"), "new");
  EXPECT_EQ(fs::read_symlink(dir.path / "links/second.map"), "first.map");
  EXPECT_EQ(Names(dir.path / "maps"), std::vector<std::string>{"real.map"});
  // A loop of links is refused, the links left as they were.
  fs::create_symlink("loop-b.map", dir.path / "loop-a.map");
  fs::create_symlink("loop-a.map", dir.path / "loop-b.map");
  EXPECT_EQ(WriteFileAtomically((dir.path / "loop-a.map").string(), Bytes("x")).reason, std::strerror(ELOOP));
  EXPECT_TRUE(fs::is_symlink(dir.path / "loop-a.map"));
}

}  // namespace
}  // namespace quarl
