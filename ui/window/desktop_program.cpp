#include "ui/window/desktop_program.h"

#include "measuring_point/session.h"
#include "ui/form_rules.h"
#include "ui/window/main_window.h"

namespace velmar::window {

DesktopProgram::DesktopProgram(std::string startFolder, UserDialogs* dialogs)
    : session_(std::make_unique<Session>(timer_, pump_, systemDecimalSeparator())) {
  session_->files.startFolder = std::move(startFolder);
  installFormRules(*session_);
  window_ = std::make_unique<MainWindow>(*session_, dialogs);
}

DesktopProgram::~DesktopProgram() {
  window_.reset();
  session_.reset();
}

void DesktopProgram::start(const std::string& fileToOpen) {
  window_->startProgram();
  window_->show();
  if (!fileToOpen.empty()) window_->openInputFile(fileToOpen);
}

}  // namespace velmar::window
