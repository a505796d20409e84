#pragma once
// Helpers shared by the .map tests: an editor wired to a scripted user
// interface and real zlib, temporary directories, and the cell pattern that
// tests/data/make_map_fixtures.py writes into its fixtures.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "editor/map_file_commands.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "map/zlib_library.h"
#include "native_zlib.h"

namespace quarl::testing {

// The fixture script's pattern_word: word i of pattern seed.
inline uint16_t PatternWord(uint32_t i, uint32_t seed) {
  uint32_t h = i * 2654435761u + seed * 40503u;
  h ^= h >> 15;
  uint32_t kind = h % 32;
  if (kind < 26) return 280;
  if (kind < 30) return static_cast<uint16_t>((h >> 5) % 1200);
  uint32_t anim = (h >> 8) & 0xFF;
  uint32_t data = (h >> 16) & 0x7F;
  return static_cast<uint16_t>(0x8000 | (data << 8) | anim);
}

// What a cell decoded from word w holds.
inline CellValues ValuesOfWord(uint16_t w) {
  if (w & 0x8000) return {0, w & 0xFF, (w >> 8) & 0x7F};
  return {w & 0x7FFF, -1, -1};
}

inline std::string FixturePath(const std::string& name) {
  return std::string(QUARL_TEST_DATA_DIR) + "/maps/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("quarl-map-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A zlib that can be missing, lack an entry point or fail to compress; the
// working parts are real zlib.
class FakeZlibLibrary : public ZlibLibrary {
 public:
  bool present = true;
  bool hasUncompress = true;
  bool hasCompress2 = true;
  int compressResult = 0;  // anything but 0 makes Compress2 fail with it
  int loads = 0;

  std::unique_ptr<ZlibBinding> Load(const std::string& dir) override;

 private:
  NativeZlibLibrary real_;
};

class FakeZlibBinding : public ZlibBinding {
 public:
  FakeZlibBinding(std::unique_ptr<ZlibBinding> real, const FakeZlibLibrary& lib) : real_(std::move(real)), lib_(lib) {}
  bool HasUncompress() const override { return lib_.hasUncompress; }
  bool HasCompress2() const override { return lib_.hasCompress2; }
  int Uncompress(uint8_t* dest, unsigned long* destLen, const uint8_t* source, unsigned long sourceLen) override {
    return real_->Uncompress(dest, destLen, source, sourceLen);
  }
  int Compress2(uint8_t* dest, unsigned long* destLen, const uint8_t* source, unsigned long sourceLen,
                int level) override {
    if (lib_.compressResult != 0) return lib_.compressResult;
    return real_->Compress2(dest, destLen, source, sourceLen, level);
  }

 private:
  std::unique_ptr<ZlibBinding> real_;
  const FakeZlibLibrary& lib_;
};

inline std::unique_ptr<ZlibBinding> FakeZlibLibrary::Load(const std::string& dir) {
  ++loads;
  if (!present) return nullptr;
  return std::make_unique<FakeZlibBinding>(real_.Load(dir), *this);
}

// Map windows that also record focus and full repaints.
struct RecordingMapWindows : ScriptedMapWindows {
  using ScriptedMapWindows::ScriptedMapWindows;
  std::vector<WindowId> focused;
  std::vector<WindowId> fullRepaints;
  void FocusWindow(WindowId window) override { focused.push_back(window); }
  void ForceFullRepaint(WindowId window) override { fullRepaints.push_back(window); }
};

// An editor with scripted answers and windows, and zlib that tests can break.
struct TestEditor {
  Editor editor;
  ScriptedUserInterface ui;
  RecordingMapWindows windows{editor};
  FakeZlibLibrary zlib;
  TestEditor() {
    editor.ui = &ui;
    editor.windows = &windows;
    editor.zlib = &zlib;
  }
  MapDocument* Active() { return editor.ActiveDocument(); }
  WindowId WindowOf(const MapDocument& doc) {
    for (const OpenMap& map : editor.maps) {
      if (map.doc.get() == &doc) return map.view.window;
    }
    return 0;
  }
};

// Open and Save as the editor runs them, with their results as numbers.
inline int Open(TestEditor& t, const std::string& path) { return static_cast<int>(OpenMapFile(t.editor, path)); }
inline int Save(TestEditor& t, MapDocument& doc, int saveAs) {
  OpenMap* map = t.editor.maps.Find(t.WindowOf(doc));
  return map ? static_cast<int>(SaveMapFile(t.editor, *map, saveAs != 0)) : -99;
}
inline MapDocument* NewMap(TestEditor& t) {
  OpenMap* map = CreateNewMAP(t.editor);
  return map ? map->doc.get() : nullptr;
}

}  // namespace quarl::testing
