#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "app/update_list.h"
#include "temp_directory.h"

namespace quarl {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

ParsedUpdateList Parse(const Bytes& bytes) { return ParseUpdateList(bytes.data(), bytes.size()); }

ParsedUpdateList Parse(const std::string& text) { return Parse(ToBytes(text)); }

TEST(ParseUpdateList, ReadsLengthPrefixedPairs) {
  const std::string text = std::string("\x05new.a\x05old.a") + "\x03" "b.n" "\x07" "sub/b.o";
  const ParsedUpdateList list = Parse(text);
  EXPECT_TRUE(list.damage.empty());
  EXPECT_EQ(list.entries, (std::vector<UpdateEntry>{{"new.a", "old.a"}, {"b.n", "sub/b.o"}}));
  EXPECT_EQ(FormatUpdateList(list.entries), ToBytes(text));
  EXPECT_TRUE(Parse(Bytes{}).entries.empty());
  EXPECT_TRUE(Parse(Bytes{}).damage.empty());
}

TEST(ParseUpdateList, TextModeBytesAreOrdinaryData) {
  // A length of 13 or 26 and names holding CR LF or byte 26 all survive.
  std::string source(13, 'x');
  source[3] = '\r';
  source[4] = '\n';
  std::string destination(26, 'y');
  destination[0] = '\x1a';
  const std::vector<UpdateEntry> entries = {{source, destination}};
  const Bytes bytes = FormatUpdateList(entries);
  ASSERT_EQ(bytes[0], 13);
  const ParsedUpdateList list = Parse(bytes);
  EXPECT_TRUE(list.damage.empty()) << list.damage;
  EXPECT_EQ(list.entries, entries);
}

TEST(ParseUpdateList, LongestNamesAreAccepted) {
  const std::vector<UpdateEntry> entries = {{std::string(127, 's'), std::string(127, 'd')}};
  EXPECT_EQ(Parse(FormatUpdateList(entries)).entries, entries);
}

TEST(ParseUpdateList, DamagedListsGiveNoEntries) {
  const std::string good = "\x01" "a" "\x01" "b";
  struct Case {
    std::string bytes;
    std::string damage;
  };
  const std::vector<Case> cases = {
      {good + std::string("\x00", 1) + "\x01" "c", "the source name's length is 0 (byte 4); names are 1 to 127 bytes"},
      {good + "\x01" "c" "\x80" + std::string(128, 'd'),
       "the destination name's length is 128 (byte 6); names are 1 to 127 bytes"},
      {"\xff" + std::string(255, 'e'), "the source name's length is 255 (byte 0); names are 1 to 127 bytes"},
      {good + "\x05" "abc", "the list ends inside the source name that starts at byte 4"},
      {good + "\x01" "c", "the list ends before the destination name's length (byte 6)"},
      {good + "\x01" "c" "\x03" "de", "the list ends inside the destination name that starts at byte 6"},
      {std::string("\x03" "a\0b" "\x01" "c", 6), "the source name at byte 0 holds a zero byte"},
      {good + "\x01" "c" + std::string("\x01\0", 2), "the destination name at byte 6 holds a zero byte"},
  };
  for (const Case& c : cases) {
    const ParsedUpdateList list = Parse(c.bytes);
    EXPECT_TRUE(list.entries.empty()) << c.damage;
    EXPECT_EQ(list.damage, c.damage);
  }
  EXPECT_FALSE(Parse(std::string("\x01", 1)).damage.empty());
}

// A program directory with a scripted user interface.
struct UpdateFixture : ::testing::Test {
  testing::TempDirectory dir;
  Editor editor;
  ScriptedUserInterface ui;

  UpdateFixture() {
    editor.ui = &ui;
    editor.programDirectory = dir.Path().string();
  }
  void WriteList(const std::vector<UpdateEntry>& entries) {
    const Bytes bytes = FormatUpdateList(entries);
    dir.Write(kUpdateListName, std::string(bytes.begin(), bytes.end()));
  }
};

TEST_F(UpdateFixture, NoListDoesNothing) {
  EXPECT_EQ(RunUpdateList(editor), 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UpdateFixture, EmptyListCopiesAndShowsNothing) {
  dir.Write(kUpdateListName, "");
  dir.Write("tiles.bmp", "old");
  EXPECT_EQ(RunUpdateList(editor), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dir.Read("tiles.bmp"), "old");
  EXPECT_TRUE(dir.Exists(kUpdateListName));
}

TEST_F(UpdateFixture, MissingFirstSourceIsReportedAndTheSecondIsInstalled) {
  WriteList({{"gone.new", "gone.dat"}, {"anims.new", "anims.dat"}});
  dir.Write("anims.new", "fresh animations");
  EXPECT_EQ(RunUpdateList(editor), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "gone.new");
  EXPECT_EQ(ui.messages[0].title, "Failed to install:");
  EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
  EXPECT_FALSE(dir.Exists("gone.dat"));
  EXPECT_EQ(dir.Read("anims.dat"), "fresh animations");
  EXPECT_FALSE(dir.Exists("anims.new"));
}

TEST_F(UpdateFixture, ExistingDestinationIsOverwrittenAndTheListIsKept) {
  WriteList({{"mrdata.new", "mrdata.dat"}});
  const std::string listBytes = dir.Read(kUpdateListName);
  dir.Write("mrdata.dat", "a much longer old file than the new one");
  dir.Write("mrdata.new", "new");
  EXPECT_EQ(RunUpdateList(editor), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dir.Read("mrdata.dat"), "new");
  EXPECT_FALSE(dir.Exists("mrdata.new"));
  EXPECT_EQ(dir.Read(kUpdateListName), listBytes);
}

TEST_F(UpdateFixture, SecondRunReportsEverySourceMovedTheFirstTime) {
  WriteList({{"a.new", "a.dat"}, {"b.new", "b.dat"}, {"c.new", "c.dat"}});
  dir.Write("a.new", "A");
  dir.Write("c.new", "C");
  EXPECT_EQ(RunUpdateList(editor), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "b.new");
  ui.messages.clear();

  EXPECT_EQ(RunUpdateList(editor), 1);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].text, "a.new");
  EXPECT_EQ(ui.messages[1].text, "b.new");
  EXPECT_EQ(ui.messages[2].text, "c.new");
  for (const RecordedMessage& message : ui.messages) EXPECT_EQ(message.title, "Failed to install:");
  EXPECT_EQ(dir.Read("a.dat"), "A");
  EXPECT_EQ(dir.Read("c.dat"), "C");
}

TEST_F(UpdateFixture, NamesMayBeAbsoluteOrInSubdirectories) {
  testing::TempDirectory elsewhere;
  elsewhere.Write("download.bin", "payload");
  std::filesystem::create_directory(dir / "data");
  const std::string absoluteSource = (elsewhere / "download.bin").string();
  ASSERT_LE(absoluteSource.size(), kMaxUpdateNameLength);
  WriteList({{absoluteSource, "data/file.bin"}});
  EXPECT_EQ(RunUpdateList(editor), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dir.Read("data/file.bin"), "payload");
  EXPECT_FALSE(elsewhere.Exists("download.bin"));
}

TEST_F(UpdateFixture, FailedCopyKeepsTheSource) {
  WriteList({{"x.new", "no-such-folder/x.dat"}, {"dir.new", "dir.dat"}});
  dir.Write("x.new", "X");
  std::filesystem::create_directory(dir / "dir.new");  // a folder is not copied as a file
  EXPECT_EQ(RunUpdateList(editor), 1);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "x.new");
  EXPECT_EQ(ui.messages[1].text, "dir.new");
  EXPECT_TRUE(dir.Exists("x.new"));
  EXPECT_FALSE(dir.Exists("dir.dat"));
}

TEST_F(UpdateFixture, FailedRemoveIsReportedAfterTheCopy) {
  struct KeepSources : UpdateFileOperations {
    bool Remove(const std::filesystem::path&) override { return false; }
  } files;
  dir.Write("p.new", "P");
  dir.Write("p.dat", "old");
  dir.Write("q.new", "Q");
  const int installed = InstallUpdateEntries({{"p.new", "p.dat"}, {"q.new", "q.dat"}}, dir.Path(), ui, files);
  EXPECT_EQ(installed, 2);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "p.new");
  EXPECT_EQ(ui.messages[0].title, "Failed to remove:");
  EXPECT_EQ(ui.messages[1].text, "q.new");
  EXPECT_EQ(ui.messages[1].title, "Failed to remove:");
  EXPECT_EQ(dir.Read("p.dat"), "P");
  EXPECT_EQ(dir.Read("q.dat"), "Q");
}

TEST_F(UpdateFixture, DamagedListInstallsNothingAndSaysSo) {
  dir.Write("a.new", "A");
  std::string bytes = "\x05" "a.new" "\x05" "a.dat" "\x09" "b.n";
  dir.Write(kUpdateListName, bytes);
  EXPECT_EQ(RunUpdateList(editor), -1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Failed to install:");
  EXPECT_EQ(ui.messages[0].text,
            "plovnik.upd is damaged: the list ends inside the source name that starts at byte 12.\n"
            "Nothing in it was installed.");
  EXPECT_TRUE(dir.Exists("a.new"));
  EXPECT_FALSE(dir.Exists("a.dat"));
  EXPECT_EQ(dir.Read(kUpdateListName), bytes);
}

TEST_F(UpdateFixture, AFolderNamedLikeTheListIsNoList) {
  std::filesystem::create_directory(dir / kUpdateListName);
  EXPECT_EQ(RunUpdateList(editor), 0);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace quarl
