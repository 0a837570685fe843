#pragma once
// The user's answers to the file dialogs and the message boxes, scripted:
// each file dialog takes the next answer (an empty one cancels) and records
// what it showed; each message box records its sentence.
#include <deque>
#include <string>
#include <vector>

#include "persistence/input_data_dialogs.h"
#include "persistence/settings.h"

namespace velmar::testing {

struct ScriptedDialogs : UserDialogs {
  struct Shown {
    Kind kind;
    FileDialog dialog;
  };
  std::string chooseFile(Kind kind, const FileDialog& dialog) override {
    shown.push_back({kind, dialog});
    if (answers.empty()) return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void showMessage(const std::string& text) override { messages.push_back(text); }

  std::deque<std::string> answers;
  std::vector<Shown> shown;
  std::vector<std::string> messages;
};

}  // namespace velmar::testing
