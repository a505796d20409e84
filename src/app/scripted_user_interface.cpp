#include "app/scripted_user_interface.h"

namespace quarl {

Answer ScriptedUserInterface::ShowMessage(const std::string& text, const std::string& title,
                                          Buttons buttons) {
  Answer answer = Answer::Ok;
  if (buttons != Buttons::Ok) {
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    } else {
      answer = defaultAnswer;
    }
  }
  messages.push_back({text, title, buttons, answer});
  if (onMessage) onMessage(messages.back());
  return answer;
}

std::optional<std::string> ScriptedUserInterface::ChooseSaveFileName() {
  ++saveDialogs;
  if (saveFileNames.empty()) return std::nullopt;
  std::string name = saveFileNames.front();
  saveFileNames.pop_front();
  if (name.empty()) return std::nullopt;
  return name;
}

WindowId ScriptedUserInterface::CreateMapWindow(MapDocument& doc) {
  if (!windowCreationSucceeds) return 0;
  WindowId window = nextWindow_++;
  titles[window] = "Untitled";
  return window;
}

// As the map window's destruction does: the document goes, and the first
// remaining map (or none) becomes the active one.
void ScriptedUserInterface::DestroyMapWindow(WindowId window) {
  titles.erase(window);
  editor_.maps.RemoveMapDocument(window);
  MapDocument* first = editor_.maps.First();
  editor_.activeMapWindow = first ? first->hwnd : 0;
}

}  // namespace quarl
