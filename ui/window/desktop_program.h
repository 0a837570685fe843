#pragma once
// The desktop program as main() runs it in a start folder: the state of a
// measuring point with its form rules on the Qt timer and event loop, the
// main window, the start of the session and, when the window closes, its end.
#include <memory>
#include <string>

#include "ui/window/qt_services.h"

namespace velmar {
struct Session;
class UserDialogs;
}  // namespace velmar

namespace velmar::window {

class MainWindow;

class DesktopProgram {
 public:
  // The program's files live in "Velmar" under the start folder; the file
  // dialogs and message boxes are the given ones, or Qt's.
  explicit DesktopProgram(std::string startFolder, UserDialogs* dialogs = nullptr);
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  Session& session() const { return *session_; }
  MainWindow& window() const { return *window_; }

  // The start of the session, then the window is shown; a given input-data
  // file is then opened as "Загрузить" opens it.
  void start(const std::string& fileToOpen = {});

 private:
  QtOneShotTimer timer_;
  QtEventPump pump_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace velmar::window
