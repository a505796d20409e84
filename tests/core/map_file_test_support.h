#pragma once
// An editor wired to a scripted user interface and breakable real zlib, and a
// temporary directory.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "editor/map_file_commands.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "native_zlib.h"

namespace quarl::testing {

// Every message shown, as "title: text".
inline std::vector<std::string> Shown(const ScriptedUserInterface& ui) {
  std::vector<std::string> shown;
  for (const RecordedMessage& m : ui.messages) shown.push_back(m.title + ": " + m.text);
  return shown;
}
using Texts = std::vector<std::string>;

inline std::string DataPath(const std::string& name) { return std::string(QUARL_TEST_DATA_DIR) + "/" + name; }
inline std::string FixturePath(const std::string& name) { return DataPath("maps/" + name); }

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
}

// A fresh directory, removed with everything in it when the object goes.
struct TempDir {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("quarl-test-" + std::to_string(std::random_device{}()));
  TempDir() { std::filesystem::create_directories(path); }
  ~TempDir() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

// Real zlib that can be made missing, lack an entry point or fail to compress.
struct FakeZlibLibrary : ZlibLibrary {
  bool present = true, hasUncompress = true, hasCompress2 = true;
  int compressResult = 0;  // anything but 0 makes Compress2 fail with it
  int loads = 0;

  struct Binding : ZlibBinding {
    std::unique_ptr<ZlibBinding> real = NativeZlibLibrary().Load("");
    const FakeZlibLibrary& lib;
    explicit Binding(const FakeZlibLibrary& l) : lib(l) {}
    bool HasUncompress() const override { return lib.hasUncompress; }
    bool HasCompress2() const override { return lib.hasCompress2; }
    int Uncompress(uint8_t* d, unsigned long* dl, const uint8_t* s, unsigned long sl) override {
      return real->Uncompress(d, dl, s, sl);
    }
    int Compress2(uint8_t* d, unsigned long* dl, const uint8_t* s, unsigned long sl, int level) override {
      return lib.compressResult ? lib.compressResult : real->Compress2(d, dl, s, sl, level);
    }
  };
  std::unique_ptr<ZlibBinding> Load(const std::string&) override {
    ++loads;
    return present ? std::make_unique<Binding>(*this) : nullptr;
  }
};

// Map windows that also record focus and full repaints.
struct RecordingMapWindows : ScriptedMapWindows {
  using ScriptedMapWindows::ScriptedMapWindows;
  std::vector<WindowId> focused, fullRepaints;
  void FocusWindow(WindowId window) override { focused.push_back(window); }
  void ForceFullRepaint(WindowId window) override { fullRepaints.push_back(window); }
};

// An editor with scripted answers and windows, and zlib that tests can break.
struct TestEditor {
  Editor editor;
  ScriptedUserInterface ui;
  RecordingMapWindows windows{editor};
  FakeZlibLibrary zlib;
  TestEditor() { editor.ui = &ui, editor.windows = &windows, editor.zlib = &zlib; }
  MapDocument* Active() { return editor.ActiveDocument(); }
  const std::string& Title() { return windows.titles.at(editor.activeMapWindow); }
};

// Open as the editor runs it, with its result as a number.
inline int Open(TestEditor& t, const std::string& path) { return static_cast<int>(OpenMapFile(t.editor, path)); }

}  // namespace quarl::testing
