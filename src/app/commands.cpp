#include "app/commands.h"

namespace quarl {

CommandState CommandStateOf(int command, const CommandContext& context) {
  const Editor& editor = context.editor;
  const bool haveMap = editor.activeMapWindow != 0;
  const MapDocument* doc = editor.ActiveDocument();
  const MapView* view = editor.ActiveView();
  const Options& options = editor.options;
  switch (command) {
    case CMD_SAVE:
    case CMD_SAVE_AS:
    case CMD_TEST_MAP:
    case CMD_TILE_VERTICAL:
    case CMD_TILE_HORIZONTAL:
    case CMD_CASCADE:
    case CMD_SELECT_ALL:
    case CMD_INFO:
    case CMD_MAP_CHECK:
      return {haveMap};
    case CMD_UNDO:
      return {haveMap && !(doc && doc->undoCount() == 0)};
    case CMD_REDO:
      return {haveMap && !(doc && doc->redoCount() == 0)};
    case CMD_COPY:
    case CMD_CUT:
    case CMD_PASTE:
    case CMD_DELETE:
    case CMD_FILL_SELECTION:
      return {haveMap && !(view && view->selectionShown == 0)};
    case CMD_OVERVIEW:
      return {haveMap && !context.overviewShown};
    case CMD_MINTRAY: return {true, options.mintray != 0};
    case CMD_AUTO_PAN: return {true, options.winpan != 0};
    case CMD_FLAG_SCAN: return {true, options.flagscan != 0};
    case CMD_SPAWN_SCAN: return {true, options.shscan != 0};
    default:
      return {};
  }
}

int AcceleratorCommand(int command) {
  switch (command) {
    case CMD_NEW:
    case CMD_OPEN:
    case CMD_SAVE:
    case CMD_UNDO:
    case CMD_COPY:
    case CMD_CUT:
    case CMD_PASTE:
    case CMD_FILL_SELECTION:
    case CMD_SELECT_ALL:
    case CMD_DELETE:
      return command;
    case CMD_REDO_KEY:  // Ctrl+R carries its own id and redoes
      return CMD_REDO;
    default:
      return 0;
  }
}

bool CommandTable::Run(int command, CommandSource source) const {
  if (source == CommandSource::Accelerator) {
    command = AcceleratorCommand(command);
    if (command == 0) return true;
  }
  auto found = actions_.find(command);
  if (found == actions_.end()) return false;
  if (found->second) found->second();
  return true;
}

}  // namespace quarl
