#pragma once
// The editor's commands by id: whether each is enabled and checked for the
// editor's state, and what runs it. The frame menu, each map window's
// "Control" popup, the toolbox's one-shot buttons and the accelerators all
// go through this table; nothing looks at a menu item's position.

#include <functional>
#include <map>

#include "editor/editor.h"
#include "resource_ids.h"

namespace quarl {

enum class CommandSource { Menu, Accelerator };

struct CommandState {
  bool enabled = true;
  bool checked = false;
  bool operator==(const CommandState&) const = default;
};

// What the state depends on besides the editor.
struct CommandContext {
  const Editor& editor;
  bool overviewShown = false;  // the overview window shows a map
};

// The state of a menu item with this command. Commands the table does not
// know are enabled and unchecked.
CommandState CommandStateOf(int command, const CommandContext& context);

// The command an accelerator key carries out, or 0 when the key does nothing
// (commands without a key, such as Save As and the option toggles).
int AcceleratorCommand(int command);

class CommandTable {
 public:
  using Action = std::function<void()>;

  void Define(int command, Action action) { actions_[command] = std::move(action); }

  // Runs a command as it arrived. False when the table has nothing to run for
  // it (the caller gives it to default processing: the Window menu's list of
  // maps, and Redo's second id from a menu); an accelerator without an
  // action of its own is taken and does nothing.
  bool Run(int command, CommandSource source) const;

  bool Defines(int command) const { return actions_.count(command) != 0; }

 private:
  std::map<int, Action> actions_;
};

}  // namespace quarl
