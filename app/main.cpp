// velmar: the desktop program. The current folder is its start folder: it
// keeps its files in "Velmar" there. It creates the main window with the
// state of a measuring point, reads the settings and the input data of the
// previous session (or of the start-up file the settings name, or the
// defaults), runs the first calculation and shows the window; when the window
// closes it writes the session file and the window geometry. Without a
// display it says so on one line and exits with status 3.
//
//   velmar [FILE.vdt]         the window; a given input-data file is opened as
//                             "Загрузить" opens it
//   velmar --version | --help
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/version.h"
#include "ui/window/desktop_program.h"
#include "ui/window/qt_services.h"
#include "ui/window/qt_translations.h"

namespace {

constexpr int kNoDisplay = 3;
constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: velmar [FILE.vdt]\n"
    "       velmar --version | --help\n"
    "Opens the main window of Velmar, the calculator of gas volumes at standard conditions and\n"
    "of their errors. The current folder is the start folder: the program keeps its files in\n"
    "its folder Velmar. At start it loads the last session (or the start-up file of the\n"
    "settings); a FILE.vdt given is then opened as the menu command \"Загрузить\" opens it.\n"
    "  --version   print the program's version and exit\n"
    "  --help      print this text and exit\n"
    "exit status: 0 the window was closed, 2 a usage error, 3 no display\n";

// --version and --help answer before any display is looked for.
bool answeredAtOnce(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("velmar %s\n", std::string(velmar::kProgramVersion).c_str());
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
  }
  return false;
}

// The input-data file to open, from the arguments Qt left (its own options,
// such as -platform, it takes itself); an unknown option or a second file is
// a usage error.
bool fileToOpen(const QStringList& args, std::string& file) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    std::string problem;
    if (a.startsWith(QLatin1Char('-'))) {
      problem = "unknown option '" + a.left(200).toStdString() + "'";
    } else if (!file.empty()) {
      problem = "one input-data file at a time: '" + a.left(200).toStdString() + "' is a second one";
    }
    if (!problem.empty()) {
      std::fprintf(stderr, "velmar: %s (see velmar --help)\n", problem.c_str());
      return false;
    }
    file = a.toStdString();
  }
  return true;
}

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
  if (answeredAtOnce(argc, argv)) return 0;
  if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
    noDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
  }
  const QtMessageHandler previous = qInstallMessageHandler(platformMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  velmar::window::keepNumericLocaleNeutral();
  velmar::window::installQtTranslations(app);
  std::string file;
  if (!fileToOpen(QApplication::arguments(), file)) return kUsageError;

  velmar::window::DesktopProgram program(QDir::currentPath().toStdString());
  program.start(file);
  return app.exec();
}
