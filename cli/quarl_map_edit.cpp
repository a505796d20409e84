#include "quarl_map_edit.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include "editor/clipboard_commands.h"
#include "editor/editing_tools.h"
#include "editor/editor.h"
#include "editor/map_file_commands.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "editor/selection.h"
#include "editor/selection_transforms.h"
#include "editor/undo_commands.h"
#include "history/default_tables.h"
#include "map/tile_tables.h"
#include "native_zlib.h"
#include "quarl_map_json.h"

namespace quarl {
namespace {

constexpr int kDone = 0;
constexpr int kUnusable = 2;
// Pointer cells are kept within this distance of the map, so pixels stay small.
constexpr int kFarthestCell = 1 << 16;

// One script line split into words.
struct Line {
  int number = 0;
  std::vector<std::string> words;
  std::string rest;  // the text after the first word and one blank (for offset)
};

std::vector<Line> ReadScript(std::istream& in) {
  std::vector<Line> lines;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    Line line;
    line.number = number;
    const size_t hash = text.find('#');
    const std::string code = hash == std::string::npos ? text : text.substr(0, hash);
    std::istringstream words(code);
    for (std::string word; words >> word;) line.words.push_back(word);
    if (line.words.empty()) continue;
    const size_t first = code.find(line.words[0]);
    const size_t after = first + line.words[0].size();
    line.rest = after < code.size() ? code.substr(after + 1) : "";
    while (!line.rest.empty() && (line.rest.back() == ' ' || line.rest.back() == '\t')) line.rest.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// A bad line: its number and what is wrong with it.
struct ScriptError {
  int line;
  std::string what;
};

bool ParseInt(const std::string& word, long long low, long long high, int32_t& value) {
  if (word.empty() || word.size() > 12) return false;
  size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(word, &used, 10);
  } catch (...) {
    return false;
  }
  if (used != word.size() || v < low || v > high) return false;
  value = static_cast<int32_t>(v);
  return true;
}

// Questions are answered by an "answer" line right after the one that asked,
// else by the default; every message is printed as TITLE: TEXT.
class ScriptUserInterface : public UserInterface {
 public:
  Answer defaultAnswer = Answer::No;
  std::ostream* out = &std::cout;
  std::vector<Line>* lines = nullptr;
  size_t* next = nullptr;  // the line after the one running

  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override {
    std::string oneLine;
    for (char ch : text) oneLine += ch == '\n' ? std::string("\\n") : std::string(1, ch);
    *out << title << ": " << oneLine << "\n";
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (lines && next && *next < lines->size()) {
      const Line& line = (*lines)[*next];
      if (line.words.size() == 2 && line.words[0] == "answer" &&
          (line.words[1] == "yes" || line.words[1] == "no")) {
        ++*next;
        return line.words[1] == "yes" ? Answer::Yes : Answer::No;
      }
    }
    return defaultAnswer;
  }

  std::optional<std::string> ChooseSaveFileName() override {
    if (saveName.empty()) return std::nullopt;
    return std::exchange(saveName, std::string());
  }

  std::string saveName;
};

class EditSession {
 public:
  // A dry run checks a script before it runs: it prints nothing and saves
  // nothing, so a bad line is found before anything is written.
  // sink: where the prints and messages go; null for the dry run.
  EditSession(bool yes, std::ostream* sink) : windows_(editor_), dryRun_(sink == nullptr) {
    InitTileTables();
    if (dryRun_) {
      out_.setstate(std::ios::badbit);
    } else {
      out_.rdbuf(sink->rdbuf());
    }
    ui_.out = &out_;
    ui_.defaultAnswer = yes ? Answer::Yes : Answer::No;
    editor_.ui = &ui_;
    editor_.windows = &windows_;
    editor_.zlib = &zlib_;
    editor_.tables = DefaultMirrorRotateTables();
    editor_.tools.blockWidth = 1;
    editor_.tools.blockHeight = 1;
  }

  bool Open(const std::string& path) {
    return OpenMapFile(editor_, path) == OpenResult::Loaded;
  }

  // Runs the script; the error of the first bad line, if any.
  std::optional<ScriptError> Run(std::vector<Line>& lines) {
    ui_.lines = &lines;
    ui_.next = &next_;
    std::optional<ScriptError> error;
    for (next_ = 0; next_ < lines.size() && !error;) {
      const Line& line = lines[next_++];
      std::string what = RunLine(line);
      if (!what.empty()) error = ScriptError{line.number, what};
    }
    // Questions after the script (the final save's) take no answer lines.
    ui_.lines = nullptr;
    ui_.next = nullptr;
    return error;
  }

  // Saves the active map as Save As would; empty when it was written.
  std::string SaveActive(const std::string& path) {
    MapDocument* doc = editor_.ActiveDocument();
    if (!doc) return "no map is open";
    SaveSettings settings;
    settings.saveAs = true;
    settings.flagScan = editor_.options.flagscan != 0;
    settings.spawnScan = editor_.options.shscan != 0;
    ui_.saveName = path;
    std::string reason;
    if (SaveMapDocument(*doc, settings, &zlib_, ui_, &reason) != SaveResult::Written) {
      return "cannot write " + path + (reason.empty() ? "" : ": " + reason);
    }
    return {};
  }

 private:
  // Runs one line; an empty result when it was good.
  std::string RunLine(const Line& line) {
    const std::vector<std::string>& w = line.words;
    const std::string& command = w[0];
    const size_t args = w.size() - 1;
    auto bad = [&]() { return "bad arguments to " + command; };
    ToolState& tools = editor_.tools;

    if (command == "tool") {
      static const std::pair<const char*, ToolCommand> kTools[] = {
          {"edit", TOOL_EDIT},   {"select", TOOL_SELECT}, {"bunker", TOOL_BUNKER},
          {"bridge", TOOL_BRIDGE}, {"flag", TOOL_FLAG},   {"pole", TOOL_FLAG_POLE},
          {"switch", TOOL_SWITCH}, {"wall", TOOL_WALL},   {"spawn", TOOL_SPAWN},
          {"picker", TOOL_TILE_PICKER}, {"pen", TOOL_HOLDING_PEN}, {"conveyor", TOOL_CONVEYOR}};
      if (args != 1) return bad();
      for (const auto& [name, tool] : kTools) {
        if (w[1] == name) {
          tools.currentTool = tool;
          tools.currentToolCommand = tool;
          return {};
        }
      }
      return bad();
    }
    if (command == "team") return args == 1 && ParseInt(w[1], 0, 4, tools.currentTeam) ? "" : bad();
    if (command == "poleflag") return args == 1 && ParseInt(w[1], 0, 4, tools.poleFlagTeam) ? "" : bad();
    if (command == "wallset") {
      return args == 1 && ParseInt(w[1], 0, wallSetCount - 1, tools.currentWallSet) ? "" : bad();
    }
    if (command == "anim") return args == 1 && ParseInt(w[1], 0, 255, tools.currentAnimation) ? "" : bad();
    if (command == "tile") {
      if (args != 1 && args != 3) return bad();
      int32_t tile = 0, width = 1, height = 1;
      if (!ParseInt(w[1], 0, 0x7FFF, tile)) return bad();
      if (args == 3 && (!ParseInt(w[2], 0, kMapCells, width) || !ParseInt(w[3], 0, kMapCells, height))) return bad();
      tools.currentTile = tile, tools.blockWidth = width, tools.blockHeight = height;
      return {};
    }
    if (command == "animmode") {
      if (args != 1 || (w[1] != "on" && w[1] != "off")) return bad();
      tools.animationMode = w[1] == "on" ? 1 : 0;
      return {};
    }
    if (command == "offset") {
      tools.animOffsetText = line.rest;
      return {};
    }
    if (command == "bunker") {
      int32_t type = 0;
      const int32_t direction = args == 2 ? Direction(w[2]) : -1;
      if (args != 2 || !ParseInt(w[1], 0, bunkerTypeCount - 1, type) || direction < 0) return bad();
      tools.currentBunkerType = type;
      tools.currentVariantCommand = TOOL_BUNKER_LEFT + direction;
      return {};
    }
    if (command == "bridge") {
      if (args != 1 || (w[1] != "updown" && w[1] != "leftright")) return bad();
      tools.currentVariantCommand = w[1] == "updown" ? TOOL_BRIDGE_UP_DOWN : TOOL_BRIDGE_LEFT_RIGHT;
      return {};
    }
    if (command == "spawn") {
      if (args == 1 && w[1] == "single") {
        tools.spawnKind = 1;
        return {};
      }
      int32_t style = 0;
      if (args != 2 || w[1] != "five" || !ParseInt(w[2], 0, 2, style)) return bad();
      tools.spawnKind = 0;
      tools.spawnStyle = style * 4;
      return {};
    }
    if (command == "pen") {
      if (args != 1 || (w[1] != "tile" && w[1] != "anim")) return bad();
      tools.holdingPenKind = w[1] == "anim" ? 1 : 0;
      return {};
    }
    if (command == "conveyor") {
      const int32_t direction = args == 1 ? Direction(w[1]) : -1;
      if (direction < 0) return bad();
      tools.conveyorDirection = direction;
      return {};
    }
    if (command == "press" || command == "move" || command == "release" || command == "click") {
      int32_t x = 0, y = 0;
      if (args != 2 || !ParseInt(w[1], -kFarthestCell, kFarthestCell, x) ||
          !ParseInt(w[2], -kFarthestCell, kFarthestCell, y)) {
        return bad();
      }
      const WindowId window = editor_.activeMapWindow;
      const ClientPoint point = PointIn(x, y);
      if (command == "press" || command == "click") gesture_.Press(editor_, window, point, scroll_);
      if (command == "move") gesture_.Move(editor_, window, point, scroll_);
      if (command == "release" || command == "click") {
        gesture_.Move(editor_, window, point, scroll_);  // the cell of the release
        gesture_.Release(editor_, window);
      }
      return {};
    }
    if (command == "select") {
      int32_t v[4];
      if (args != 4) return bad();
      for (int i = 0; i < 4; ++i) {
        if (!ParseInt(w[1 + i], i < 2 ? -kFarthestCell : 0, kFarthestCell, v[i])) return bad();
      }
      const ToolCommand tool = tools.currentTool;
      const int32_t toolCommand = tools.currentToolCommand;
      tools.currentToolCommand = TOOL_SELECT;
      const WindowId window = editor_.activeMapWindow;
      PointerGesture band;
      band.Press(editor_, window, PointIn(v[0], v[1]), scroll_);
      // The pointer ends inside the last cell, so the band's corner is its
      // far side; with no width (height) it ends left of (above) the start.
      band.Move(editor_, window, PointIn(v[0] + v[2] - 1, v[1] + v[3] - 1), scroll_);
      band.Release(editor_, window);
      tools.currentTool = tool;
      tools.currentToolCommand = toolCommand;
      return {};
    }
    if (args == 0) {
      if (command == "selectall") return SelectAll(editor_, editor_.activeMapWindow), "";
      if (command == "fill") return FillSelection(editor_, editor_.activeMapWindow), "";
      if (command == "delete") return DeleteSelection(editor_, editor_.activeMapWindow), "";
      if (command == "copy" || command == "cut") {
        std::optional<std::vector<uint8_t>> bytes =
            command == "copy" ? CopySelectionBytes(editor_) : CutSelectionBytes(editor_);
        if (bytes) clipboard_ = std::move(bytes);
        return {};
      }
      if (command == "paste") {
        if (clipboard_) {
          PasteClipboardBytes(editor_, *clipboard_);
        } else if (!editor_.ActiveDocument() || editor_.Selection().start < 0) {
          PasteClipboardBytes(editor_, {});  // tells of the missing selection
        }
        return {};
      }
      if (command == "rotate") return RotateSelection(editor_), "";
      if (command == "undo") return UndoLastStep(editor_), "";
      if (command == "redo") return RedoLastStep(editor_), "";
      if (command == "new") return CreateNewMAP(editor_), "";
    }
    if (command == "mirror") {
      const int32_t direction = args == 1 ? Direction(w[1]) : -1;
      if (direction < 0) return bad();
      tools.mirrorDirection = direction;
      MirrorSelection(editor_);
      return {};
    }
    if (command == "key") return args == 1 ? Key(w[1]) : bad();
    if (command == "answer") {
      // Taken by the question of the line before; here there is none.
      return args == 1 && (w[1] == "yes" || w[1] == "no") ? "" : bad();
    }
    if (command == "open") {
      if (line.rest.empty()) return bad();
      OpenMapFile(editor_, line.rest);
      return {};
    }
    if (command == "switch") {
      int32_t n = 0;
      if (args != 1 || !ParseInt(w[1], 1, static_cast<long long>(editor_.maps.Size()), n)) return bad();
      auto it = editor_.maps.begin();
      std::advance(it, n - 1);
      ActivateMapWindow(editor_, it->view.window);
      return {};
    }
    if (command == "save") {
      if (line.rest.empty()) return bad();
      return dryRun_ ? std::string() : SaveActive(line.rest);
    }
    if (command == "print") return args >= 1 ? Print(w) : bad();
    return "unknown command " + command;
  }

  static int32_t Direction(const std::string& word) {
    if (word == "left") return 0;
    if (word == "right") return 1;
    if (word == "up") return 2;
    if (word == "down") return 3;
    return -1;
  }

  // A pointer in the middle of cell (x, y), in client pixels.
  ClientPoint PointIn(int32_t x, int32_t y) const {
    return {x * kCellPixels + kCellPixels / 2 - scroll_.x, y * kCellPixels + kCellPixels / 2 - scroll_.y};
  }

  std::string Key(const std::string& word) {
    const bool alt = word.rfind("alt+", 0) == 0;
    const std::string name = alt ? word.substr(4) : word;
    SelectionKey key;
    if (name == "left") key = SelectionKey::kLeft;
    else if (name == "right") key = SelectionKey::kRight;
    else if (name == "up") key = SelectionKey::kUp;
    else if (name == "down") key = SelectionKey::kDown;
    else if (name == "f1") key = SelectionKey::kF1;
    else return "bad arguments to key";
    const KeyViewport viewport{scroll_.x, scroll_.y, kClientWidth, kClientHeight};
    const KeyScroll scroll = PressSelectionKey(editor_, editor_.activeMapWindow, key, alt, viewport);
    // The window scrolls by lines of one cell, within its scroll range.
    scroll_.x = std::clamp(scroll_.x + scroll.horizontalLines * kCellPixels, 0, kMapPixels - kClientWidth);
    scroll_.y = std::clamp(scroll_.y + scroll.verticalLines * kCellPixels, 0, kMapPixels - kClientHeight);
    return {};
  }

  std::string Print(const std::vector<std::string>& w) {
    const std::string& what = w[1];
    const MapDocument* doc = editor_.ActiveDocument();
    if (what == "cells") {
      int32_t v[4];
      if (w.size() != 6) return "bad arguments to print";
      for (int i = 0; i < 4; ++i) {
        if (!ParseInt(w[2 + i], 0, kMapCells, v[i])) return "bad arguments to print";
      }
      if (v[0] + v[2] > kMapCells || v[1] + v[3] > kMapCells) return "bad arguments to print";
      if (!doc) return "no map is open";
      out_ << CellsJson(*doc, v[0], v[1], v[2], v[3]).dump() << "\n";
      return {};
    }
    if (w.size() != 2) return "bad arguments to print";
    if (what == "clipboard") {
      if (!clipboard_) {
        out_ << "null\n";
        return {};
      }
      static const char kHex[] = "0123456789abcdef";
      std::string hex;
      for (uint8_t byte : *clipboard_) hex += {kHex[byte >> 4], kHex[byte & 15]};
      out_ << Json(hex).dump() << "\n";
      return {};
    }
    if (!doc) return "no map is open";
    if (what == "selection") {
      const MapView& view = *editor_.ActiveView();
      const SelectionCells cells = view.selectionCells;
      Json j;
      j["start"] = cells.start;
      j["width"] = cells.width;
      j["height"] = cells.height;
      j["shown"] = view.selectionShown == 1;
      j["rect"] = {view.selection.left, view.selection.top, view.selection.right, view.selection.bottom};
      out_ << j.dump() << "\n";
      return {};
    }
    if (what == "history") {
      auto steps = [](const std::vector<HistoryStep>& list) {
        Json array = Json::array();
        for (const HistoryStep& s : list) {
          array.push_back({{"cell", s.cell}, {"width", s.width}, {"height", s.height}, {"kind", s.kind}});
        }
        return array;
      };
      Json j;
      j["undo"] = steps(doc->undoSteps);
      j["redo"] = steps(doc->redoSteps);
      out_ << j.dump() << "\n";
      return {};
    }
    if (what == "info") {
      RawHeaderStart header;
      header.magic = doc->magic;
      header.version = doc->version;
      out_ << DocumentJson(*doc, header).dump() << "\n";
      return {};
    }
    return "bad arguments to print";
  }

  static constexpr int32_t kClientWidth = 640;
  static constexpr int32_t kClientHeight = 480;

  std::ostream out_{nullptr};
  Editor editor_;
  ScriptUserInterface ui_;
  ScriptedMapWindows windows_;
  NativeZlibLibrary zlib_;
  PointerGesture gesture_;
  ScrollPosition scroll_;
  std::optional<std::vector<uint8_t>> clipboard_;
  size_t next_ = 0;  // the script line after the one running
  bool dryRun_ = false;
};

}  // namespace

int RunEditScript(const std::string& map, const std::string& out, const std::string& script, bool yes,
                  std::string& printed) {
  std::vector<Line> lines;
  if (script == "-") {
    lines = ReadScript(std::cin);
  } else {
    std::ifstream file(script);
    if (!file) {
      std::cerr << "quarl-map: cannot read " << script << "\n";
      return kUnusable;
    }
    lines = ReadScript(file);
  }
  {
    EditSession check(yes, nullptr);
    if (!check.Open(map)) {
      std::cerr << "quarl-map: cannot load " << map << "\n";
      return kUnusable;
    }
    if (const std::optional<ScriptError> error = check.Run(lines)) {
      std::cerr << "quarl-map: line " << error->line << ": " << error->what << "\n";
      return kUnusable;
    }
  }
  std::ostringstream shown;
  EditSession session(yes, &shown);
  // What the script printed comes out however it ends.
  struct Collect {
    std::ostringstream& from;
    std::string& to;
    ~Collect() { to += from.str(); }
  } collect{shown, printed};
  if (!session.Open(map)) {
    std::cerr << "quarl-map: cannot load " << map << "\n";
    return kUnusable;
  }
  if (const std::optional<ScriptError> error = session.Run(lines)) {
    std::cerr << "quarl-map: line " << error->line << ": " << error->what << "\n";
    return kUnusable;
  }
  if (!out.empty()) {
    const std::string failed = session.SaveActive(out);
    if (!failed.empty()) {
      std::cerr << "quarl-map: " << failed << "\n";
      return kUnusable;
    }
  }
  return kDone;
}

}  // namespace quarl
