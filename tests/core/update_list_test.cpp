#include <gtest/gtest.h>

#include "app/update_list.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using std::filesystem::exists;

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
  std::vector<std::string> Shown(const std::string& title) {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : ui.messages) texts.push_back(m.title == title ? m.text : "titled " + m.title);
    return texts;
  }
};

TEST_F(UpdateListRun, CopiesOverDestinationsDeletesSourcesAndReportsFailures) {
  EXPECT_EQ(RunUpdateList(editor), 0);  // no list: nothing
  const std::vector<uint8_t> list =
      FormatUpdateList({{"gone.new", "gone.dat"}, {"mrdata.new", "mrdata.dat"}, {"x.new", "no-such-folder/x.dat"}});
  testing::WriteBytes(dir.path / kUpdateListName, list);
  dir.Write("mrdata.dat", "a much longer old file than the new one");
  dir.Write("mrdata.new", "new");
  dir.Write("x.new", "X");
  EXPECT_EQ(RunUpdateList(editor), 1);
  EXPECT_EQ(Shown("Failed to install:"), (std::vector<std::string>{"gone.new", "x.new"}));
  EXPECT_EQ(dir.Read("mrdata.dat"), "new");
  // A failed copy keeps its source.
  EXPECT_EQ((std::pair{exists(dir.path / "mrdata.new"), exists(dir.path / "x.new")}), (std::pair{false, true}));
  EXPECT_EQ(testing::ReadBytes(dir.path / kUpdateListName), list);  // the list is only read
}

TEST_F(UpdateListRun, DamagedListInstallsNothingAndSaysSo) {
  dir.Write("a.new", "A");
  dir.Write(kUpdateListName, "\x05" "a.new" "\x05" "a.dat" "\x09" "b.n");
  EXPECT_EQ(RunUpdateList(editor), -1);
  EXPECT_EQ(Shown("Failed to install:"), std::vector<std::string>{"plovnik.upd is damaged: the list ends inside the "
                                                                  "source name that starts at byte 12.\nNothing in it was installed."});
  EXPECT_FALSE(exists(dir.path / "a.dat"));
}

}  // namespace
}  // namespace quarl
