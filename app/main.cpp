// velmar: the desktop program. The current folder is its start folder: it
// keeps its files in "Velmar" there. It creates the main window with the
// state of a measuring point, reads the settings and the input data of the
// previous session (or of the start-up file the settings name, or the
// defaults), runs the first calculation and shows the window; when the window
// closes it writes the session file and the window geometry. Without a
// display it says so on one line and exits with status 3.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/window/desktop_program.h"
#include "ui/window/qt_services.h"

namespace {

constexpr int kNoDisplay = 3;

bool isSet(const char* name) {
  const QByteArray v = qgetenv(name);
  return !v.isEmpty();
}

std::string& lastPlatformMessage() {
  static std::string message;
  return message;
}

[[noreturn]] void noDisplay(const std::string& reason) {
  std::string line = "velmar: no display available, the window cannot be shown";
  if (!reason.empty()) line += " (" + reason + ")";
  line += "; set DISPLAY or WAYLAND_DISPLAY, or use the batch tool velmar-calc\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(kNoDisplay);
}

// While the platform opens, Qt's own messages are held back: a platform that
// cannot open ends the program with the one-line message instead of an abort.
void platformMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) noDisplay(lastPlatformMessage());
  if (lastPlatformMessage().empty()) {
    lastPlatformMessage() = message.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
    noDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
  }
  const QtMessageHandler previous = qInstallMessageHandler(platformMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  velmar::window::keepNumericLocaleNeutral();

  velmar::window::DesktopProgram program(QDir::currentPath().toStdString());
  program.start();
  return app.exec();
}
