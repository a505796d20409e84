#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/replacing_file.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

namespace fs = std::filesystem;
using TempDirectory = testing::TempDir;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 8));
  return bytes;
}

// A failed or finished save leaves no temporary file behind.
std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Lowers a resource limit for the life of the object.
struct ScopedLimit {
  ScopedLimit(int r, rlim_t soft) : resource(r) {
    getrlimit(resource, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = soft;
    setrlimit(resource, &lowered);
  }
  ~ScopedLimit() { setrlimit(resource, &saved); }
  int resource;
  rlimit saved{};
};

// No new descriptor can be opened while it lives: the limit sits at the
// lowest free descriptor number.
struct NoFreeDescriptors {
  static rlim_t LowestFree() {
    const int fd = dup(0);
    close(fd);
    return static_cast<rlim_t>(fd);
  }
  ScopedLimit limit{RLIMIT_NOFILE, LowestFree()};
};

// Files stop growing at limit bytes; writes beyond fail with EFBIG instead of
// raising SIGXFSZ.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) : limit(RLIMIT_FSIZE, bytes) { saved = std::signal(SIGXFSZ, SIG_IGN); }
  ~FileSizeLimit() { std::signal(SIGXFSZ, saved); }
  ScopedLimit limit;
  void (*saved)(int) = nullptr;
};

TEST(WriteFileAtomically, CreatesAndReplacesWholeFiles) {
  TempDirectory dir;
  const std::string path = (dir / "out.map").string();
  ASSERT_TRUE(WriteFileAtomically(path, Pattern(5000)));
  EXPECT_EQ(testing::ReadBytes(path), Pattern(5000));
  // A shorter file replaces a longer one completely: no old tail survives.
  const WriteResult result = WriteFileAtomically(path, Bytes("short"));
  EXPECT_TRUE(result.Ok() && result.failedStep == WriteStep::None && result.reason.empty());
  EXPECT_EQ(dir.Read("out.map"), "short");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"out.map"});
}

TEST(WriteFileAtomically, FailuresLeaveTheOldFileAsItWas) {
  TempDirectory dir;
  const std::string path = (dir / "keep.map").string();
  dir.Write("keep.map", "the old map");
  const struct {
    int limit;  // 0: no descriptors left; else a file size limit; -1: a missing folder
    WriteStep step;
    int error;
  } cases[] = {{0, WriteStep::Create, EMFILE}, {4096, WriteStep::Write, EFBIG}, {-1, WriteStep::Create, ENOENT}};
  for (const auto& c : cases) {
    WriteResult result;
    {
      std::optional<NoFreeDescriptors> noDescriptors;
      std::optional<FileSizeLimit> diskFull;
      c.limit == 0 ? (void)noDescriptors.emplace() : c.limit > 0 ? (void)diskFull.emplace(c.limit) : void();
      result = WriteFileAtomically(c.limit < 0 ? (dir / "no-such-dir" / "x.map").string() : path, Pattern(100000));
    }
    EXPECT_EQ(result.failedStep, c.step) << c.error;
    EXPECT_EQ(result.reason, std::strerror(c.error));
    EXPECT_EQ(dir.Read("keep.map"), "the old map");
  }
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"keep.map"});
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  TempDirectory dir;
  fs::create_directories(dir / "maps");
  fs::create_directories(dir / "links");
  dir.Write("maps/real.map", "old");
  // Relative links are followed from the link's own directory, through a
  // chain of them.
  fs::create_symlink("../maps/real.map", dir / "links/first.map");
  fs::create_symlink("first.map", dir / "links/second.map");
  ASSERT_TRUE(WriteFileAtomically((dir / "links/second.map").string(), Bytes("new")));
  EXPECT_EQ(dir.Read("maps/real.map"), "new");
  EXPECT_EQ(fs::read_symlink(dir / "links/second.map"), "first.map");
  EXPECT_EQ(Names(dir / "maps"), std::vector<std::string>{"real.map"});

  // A loop of links is refused, the links left as they were.
  fs::create_symlink("loop-b.map", dir / "loop-a.map");
  fs::create_symlink("loop-a.map", dir / "loop-b.map");
  EXPECT_EQ(WriteFileAtomically((dir / "loop-a.map").string(), Bytes("x")).reason, std::strerror(ELOOP));
  EXPECT_TRUE(fs::is_symlink(dir / "loop-a.map"));
}

TEST(WriteFileAtomically, KeepsPermissionsAndTakesLongNames) {
  TempDirectory dir;
  dir.Write("private.map", "old");
  fs::permissions(dir / "private.map", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically((dir / "private.map").string(), Bytes("new")));
  EXPECT_EQ(fs::status(dir / "private.map").permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write);

  // A name of the longest length a directory entry allows: the temporary
  // file's name must still fit.
  const std::string longest(251, 'n');
  ASSERT_TRUE(WriteFileAtomically((dir / (longest + ".map")).string(), Bytes("long")));
  EXPECT_EQ(dir.Read(longest + ".map"), "long");
  EXPECT_EQ(WriteFileAtomically((dir / (longest + "x.map")).string(), Bytes("x")).reason,
            std::strerror(ENAMETOOLONG));
}

}  // namespace
}  // namespace quarl
