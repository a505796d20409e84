#include "base/scripted_user_interface.h"

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

}  // namespace quarl
