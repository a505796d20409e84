#pragma once
// A user interface without windows: answers questions from a script and
// records every message. Used by the tests and by quarl-map.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/user_interface.h"

namespace quarl {

struct RecordedMessage {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::Ok;
  Answer answer = Answer::Ok;
};

class ScriptedUserInterface : public UserInterface {
 public:
  // Answers given in order to the questions (Yes/No and Yes/No/Cancel boxes);
  // when they run out, defaultAnswer is given. OK boxes take no answer.
  std::deque<Answer> answers;
  Answer defaultAnswer = Answer::No;
  // File names given in order to the Save As dialog; empty: cancelled.
  std::deque<std::string> saveFileNames;
  // Called for every message as it is shown (quarl-map prints them).
  std::function<void(const RecordedMessage&)> onMessage;

  std::vector<RecordedMessage> messages;
  int saveDialogs = 0;

  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override;
  std::optional<std::string> ChooseSaveFileName() override;
};

}  // namespace quarl
