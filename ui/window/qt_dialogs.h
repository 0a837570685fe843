#pragma once
// The platform's common dialogs on Qt: the file dialogs of the input data
// (their title, folder, proposed name, the filter of the program's files and
// the default extension ".vdt") and the message box of one sentence.
#include "persistence/input_data_dialogs.h"

class QWidget;

namespace velmar::window {

class QtUserDialogs : public UserDialogs {
 public:
  explicit QtUserDialogs(QWidget* parent) : parent_(parent) {}
  std::string chooseFile(Kind kind, const FileDialog& dialog) override;
  void showMessage(const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace velmar::window
