// velmar: the desktop program. It creates the main window with the state of a
// measuring point, applies the form's rules and runs the first calculation,
// then shows the window. Without a display it says so on one line and exits
// with status 3.
#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/session.h"
#include "core/start_up.h"
#include "ui/form_rules.h"
#include "ui/window/main_window.h"
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

  velmar::window::QtOneShotTimer timer;
  velmar::window::QtEventPump pump;
  velmar::Session session(timer, pump, velmar::window::systemDecimalSeparator());
  velmar::installFormRules(session);
  velmar::window::MainWindow window(session);
  velmar::startUp(session);
  // The input data of a previous session are not kept yet: the window starts
  // from its initial texts, and the status line does not claim otherwise.
  window.show();
  return app.exec();
}
