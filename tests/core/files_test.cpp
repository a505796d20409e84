// Files written whole or not at all, and the update list that installs new files over old ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/update_list.h"
#include "base/replacing_file.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

namespace fs = std::filesystem;
using std::filesystem::exists;

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
  EXPECT_EQ(testing::ReadBytes(dir.path / "out.map"), Bytes("short"));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, fs::perms::owner_read | fs::perms::owner_write);
  const WriteResult missing = WriteFileAtomically(dir.File("no-such-dir/x.map"), Bytes("x"));
  EXPECT_EQ(std::pair(missing.failedStep, missing.reason), std::pair(WriteStep::Create, std::string(strerror(ENOENT))));
  EXPECT_EQ(Names(dir.path), std::vector<std::string>{"out.map"});
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  testing::TempDir dir;
  fs::create_directories(dir.path / "maps");
  fs::create_directories(dir.path / "links");
  testing::WriteBytes(dir.path / "maps/real.map", Bytes("old"));
  // Relative links are followed from the link's own directory, through a chain of them.
  fs::create_symlink("../maps/real.map", dir.path / "links/first.map");
  fs::create_symlink("first.map", dir.path / "links/second.map");
  ASSERT_TRUE(WriteFileAtomically((dir.path / "links/second.map").string(), Bytes("new")));
  EXPECT_EQ(testing::ReadBytes(dir.path / "maps/real.map"), Bytes("new"));
  EXPECT_EQ(fs::read_symlink(dir.path / "links/second.map"), "first.map");
  EXPECT_EQ(Names(dir.path / "maps"), std::vector<std::string>{"real.map"});
  // A loop of links is refused, the links left as they were.
  fs::create_symlink("loop-b.map", dir.path / "loop-a.map");
  fs::create_symlink("loop-a.map", dir.path / "loop-b.map");
  EXPECT_EQ(WriteFileAtomically((dir.path / "loop-a.map").string(), Bytes("x")).reason, std::strerror(ELOOP));
  EXPECT_TRUE(fs::is_symlink(dir.path / "loop-a.map"));
}

ParsedUpdateList Parse(const std::string& text) {
  return ParseUpdateList(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

TEST(UpdateList, ReadsLengthPrefixedPairsOfRawBytes) {
  const std::string text = "\x05new.a\x05old.a\x03" "b.n\x07sub/b.o";
  EXPECT_EQ(Parse(text).entries, (std::vector<UpdateEntry>{{"new.a", "old.a"}, {"b.n", "sub/b.o"}}));
  // Lengths of 13, 26 and 127 and names holding CR LF or byte 26 survive.
  const std::vector<UpdateEntry> entries = {{"x\r\nxxxxxxxxxx", std::string(26, '\x1a')}, {std::string(127, 's'), "d"}};
  const std::vector<uint8_t> bytes = FormatUpdateList(entries);
  EXPECT_EQ(ParseUpdateList(bytes.data(), bytes.size()).entries, entries);
}

TEST(UpdateList, DamagedListsGiveNoEntries) {
  const std::string good = "\x01" "a" "\x01" "b";
  const std::pair<std::string, std::string> cases[] = {
      {good + std::string("\x00", 1) + "\x01" "c", "the source name's length is 0 (byte 4); names are 1 to 127 bytes"},
      {good + "\x01" "c" + std::string("\x01\0", 2), "the destination name at byte 6 holds a zero byte"},
  };
  for (const auto& [bytes, damage] : cases) {
    const ParsedUpdateList parsed = Parse(bytes);
    EXPECT_TRUE(parsed.entries.empty() && parsed.damage == damage) << parsed.damage;
  }
}

struct UpdateListRun : ::testing::Test {
  testing::TempDir dir;
  Editor editor;
  ScriptedUserInterface ui;
  UpdateListRun() { editor.ui = &ui, editor.programDirectory = dir.path.string(); }
};

TEST_F(UpdateListRun, CopiesOverDestinationsDeletesSourcesAndReportsFailures) {
  EXPECT_EQ(RunUpdateList(editor), 0);  // no list: nothing
  const std::vector<uint8_t> list =
      FormatUpdateList({{"gone.new", "gone.dat"}, {"mrdata.new", "mrdata.dat"}, {"x.new", "no-such-folder/x.dat"}});
  testing::WriteBytes(dir.path / kUpdateListName, list);
  testing::WriteBytes(dir.path / "mrdata.dat", Bytes("a much longer old file than the new one"));
  testing::WriteBytes(dir.path / "mrdata.new", Bytes("new"));
  testing::WriteBytes(dir.path / "x.new", Bytes("X"));
  EXPECT_EQ(RunUpdateList(editor), 1);
  EXPECT_EQ(testing::Shown(ui), (testing::Texts{"Failed to install:: gone.new", "Failed to install:: x.new"}));
  EXPECT_EQ(testing::ReadBytes(dir.path / "mrdata.dat"), Bytes("new"));
  // A failed copy keeps its source.
  EXPECT_EQ((std::pair{exists(dir.path / "mrdata.new"), exists(dir.path / "x.new")}), (std::pair{false, true}));
  EXPECT_EQ(testing::ReadBytes(dir.path / kUpdateListName), list);  // the list is only read
}

TEST_F(UpdateListRun, DamagedListInstallsNothingAndSaysSo) {
  testing::WriteBytes(dir.path / "a.new", Bytes("A"));
  testing::WriteBytes(dir.path / kUpdateListName, Bytes("\x05" "a.new" "\x05" "a.dat" "\x09" "b.n"));
  EXPECT_EQ(RunUpdateList(editor), -1);
  EXPECT_EQ(testing::Shown(ui), testing::Texts{"Failed to install:: plovnik.upd is damaged: the list ends inside the "
                                               "source name that starts at byte 12.\nNothing in it was installed."});
  EXPECT_FALSE(exists(dir.path / "a.dat"));
}

}  // namespace
}  // namespace quarl
