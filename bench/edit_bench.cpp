// quarl-edit-bench: Fill Selection, Undo and Redo of a whole-map selection,
// and the heap a document holds after 1000 single-cell edits.
//
// Times are medians over the rounds; each round fills the 256 x 256
// selection with a tile, then undoes and redoes that step. The heap figure
// counts the bytes live through operator new from before the map is made to
// after the edits (cells, histories and the open-map record).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "base/scripted_user_interface.h"
#include "editor/editing_tools.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "editor/selection.h"
#include "editor/undo_commands.h"
#include "map/tile_tables.h"

namespace {
std::atomic<long long> liveBytes{0};
}

// Every allocation carries its size in front, so the live total is exact.
void* operator new(std::size_t size) {
  void* block = std::malloc(size + 16);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  liveBytes += static_cast<long long>(size);
  return static_cast<char*>(block) + 16;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  void* block = static_cast<char*>(p) - 16;
  liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace quarl {
namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Run() {
  InitTileTables();
  Editor editor;
  ScriptedUserInterface ui;
  ScriptedMapWindows windows(editor);
  editor.ui = &ui;
  editor.windows = &windows;

  const long long before = liveBytes;
  OpenMap* map = CreateNewMAP(editor);
  if (!map) return 1;
  const WindowId window = map->view.window;
  editor.tools.blockWidth = editor.tools.blockHeight = 1;
  PointerGesture gesture;
  for (int i = 0; i < 1000; ++i) {
    editor.tools.currentTile = i % 400;
    const int cell = (i * 7919) % kCellCount;  // spread over the map
    gesture.Press(editor, window, {cell % kMapCells * 16 + 8, cell / kMapCells * 16 + 8}, {});
    gesture.Release(editor, window);
  }
  const long long heap = liveBytes - before;

  SelectAll(editor, window);
  std::vector<double> fill, undo, redo;
  for (int round = 0; round < 30; ++round) {
    editor.tools.currentTile = round;
    auto start = Clock::now();
    FillSelection(editor, window);
    fill.push_back(Milliseconds(start));
    start = Clock::now();
    UndoLastStep(editor);
    undo.push_back(Milliseconds(start));
    start = Clock::now();
    RedoLastStep(editor);
    redo.push_back(Milliseconds(start));
  }
  std::printf("256 x 256 selection: Fill Selection %.2f ms, Undo %.2f ms, Redo %.2f ms (target under 10 ms each)\n",
              Median(fill), Median(undo), Median(redo));
  std::printf("document after 1000 single-cell edits: %.2f MB on the heap (target under 4 MB)\n",
              static_cast<double>(heap) / (1024.0 * 1024.0));
  return 0;
}

}  // namespace
}  // namespace quarl

int main() { return quarl::Run(); }
