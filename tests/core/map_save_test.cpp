#include <gtest/gtest.h>

#include <cstdlib>

#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::Open;
using testing::ReadBytes;
using testing::TestEditor;

// A test editor whose saves run no checks, for tests about other things.
struct QuietEditor : TestEditor {
  QuietEditor() { editor.options.flagscan = editor.options.shscan = 0; }
};

// Save or Save As of the active map as the editor runs them, with the result as a number.
int Save(TestEditor& t, bool saveAs = false) {
  return static_cast<int>(SaveMapFile(t.editor, *t.editor.maps.Find(t.editor.activeMapWindow), saveAs));
}

MapDocument& NewMap(TestEditor& t, const std::string& path = "") {
  MapDocument& doc = *CreateNewMAP(t.editor)->doc.get();
  doc.name = "Fort";
  doc.path = path;
  doc.modified = 1;
  return doc;
}

// Python reads the saved header's length and version and inflates the cells with its own zlib.
TEST(SaveMapFile, WritesAFileThatPythonReads) {
  if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not available";
  testing::TempDir dir;
  QuietEditor t;
  ASSERT_EQ(Open(t, testing::FixturePath("level1.map")), 1);
  MapDocument& doc = *t.Active();
  doc.path = dir.File("from-python.map");
  doc.modified = 1;
  ASSERT_EQ(Save(t), 1);
  EXPECT_EQ((std::pair{doc.modified, int{doc.version}}), (std::pair{0, 3}));
  const std::string check = testing::DataPath("make_map_fixtures.py") + " --check " + doc.path + " 1";
  EXPECT_EQ(std::system(("python3 " + check).c_str()), 0);
}

TEST(SaveMapFile, AsksForANameAppliesTheExtensionRuleAndTitlesTheWindow) {
  testing::TempDir dir;
  QuietEditor t;
  MapDocument& doc = NewMap(t);
  EXPECT_EQ(Save(t), 0);  // no path yet: asks; cancelled: nothing happens
  EXPECT_EQ(std::pair(doc.path, t.zlib.loads), std::pair(std::string(), 0));
  t.ui.saveFileNames = {dir.File("saved\\arena")};
  ASSERT_EQ(Save(t), 1);
  EXPECT_EQ(doc.path + "|" + t.Title(), dir.File("saved\\arena.map") + "|Fort (arena.map)");
  t.ui.saveFileNames = {dir.File("SHOUT.MAP")};  // Save As asks even with a path
  ASSERT_EQ(Save(t, true), 1);
  EXPECT_EQ(doc.path, dir.File("SHOUT.MAP"));
  ASSERT_EQ(Save(t), 1);
  EXPECT_EQ(t.ui.saveDialogs, 3);
  EXPECT_EQ((std::vector{WithMapExtension("abcd"), WithMapExtension(".MaP"), WithMapExtension("C:\\m\\a.map.bak")}),
            (std::vector<std::string>{"untitled.map", ".MaP", "C:\\m\\a.map.bak.map"}));
}

TEST(SaveMapFile, FailuresAreReportedAndLeaveTheOldFileUntouched) {
  testing::TempDir dir;
  const std::vector<uint8_t> old = ReadBytes(testing::FixturePath("level6.map"));
  testing::WriteBytes(dir.File("keep.map"), old);
  using Break = void (*)(QuietEditor&, MapDocument&);
  const std::tuple<Break, int, std::string> cases[] = {
      {[](QuietEditor& t, MapDocument&) { t.zlib.present = false; }, -1, "Unable to find zlib.dll\nSave not possible"},
      {[](QuietEditor& t, MapDocument&) { t.zlib.hasCompress2 = false; }, -1, "Invalid zlib.dll\nSave not possible"},
      {[](QuietEditor& t, MapDocument&) { t.zlib.compressResult = -5; }, 0,
       "Unable to compress the map\nSave not possible"},
      {[](QuietEditor&, MapDocument& d) { d.name.assign(65500, 'n'), d.description.assign(200, 'd'); }, 0, ""},
      {[](QuietEditor&, MapDocument& d) { d.path += "/x.map"; }, 0, "Error: Unable to open a file descriptor"},
  };
  for (const auto& [breakIt, result, text] : cases) {
    SCOPED_TRACE(text);
    QuietEditor t;
    MapDocument& doc = NewMap(t, dir.File("keep.map"));
    breakIt(t, doc);
    EXPECT_EQ(Save(t), result);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    const std::string shown = testing::Shown(t.ui)[0], wanted = text.starts_with("Error") ? text : "Save...: " + text;
    EXPECT_EQ(text.empty() ? shown.substr(0, wanted.size()) : shown, wanted);
    EXPECT_EQ(std::pair(ReadBytes(dir.File("keep.map")) == old, doc.modified), std::pair(true, 1));
  }
}

TEST(SaveMapFile, ChecksRunByOptionAndGameTypeAfterTheObjectsAreCounted) {
  testing::TempDir dir;
  // An empty two-team map: too few flag types and no pen for Green.
  const std::string flag = "Possible Flag Error!: Less active types of flags than there are number of teams";
  const std::string pens = "Spawn/Holding Pen Error!: Holding pen non-existant for a team that exists (Green)";
  const std::tuple<int, int, int, testing::Texts> cases[] = {
      {1, 1, 1, {flag, pens}}, {0, 1, 1, {pens}}, {2, 1, 0, {flag}}, {1, 0, 0, {}}};
  for (const auto& [gameType, flagscan, shscan, expected] : cases) {
    SCOPED_TRACE(gameType * 100 + flagscan * 10 + shscan);
    TestEditor t;
    t.editor.options.flagscan = flagscan, t.editor.options.shscan = shscan;
    NewMap(t, dir.File("checked.map")).gameType = static_cast<uint8_t>(gameType);
    ASSERT_EQ(Save(t), 1);  // a finding never stops the save
    EXPECT_EQ(testing::Shown(t.ui), expected);
  }
  QuietEditor t;
  MapDocument& doc = NewMap(t, dir.File("counted.map"));
  doc.flagCount = {0, 9, 0, 0};
  doc.cells[300].SetValues({0, 28, 0});  // Green's flag in its own pole
  ASSERT_EQ(Save(t), 1);
  ASSERT_EQ(Open(t, doc.path), 1);
  EXPECT_EQ(t.Active()->flagCount, (std::array<uint8_t, 4>{1, 0, 0, 0}));
}

}  // namespace
}  // namespace quarl
