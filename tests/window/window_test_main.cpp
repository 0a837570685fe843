// The window tests run on the offscreen platform with a 1366×768 screen. With
// --measure-start-up the binary instead starts the program as velmar starts
// in an empty folder, and prints how long construction, the settings, the
// form rules with the first pass, and showing took; then, the window closed,
// how long the next start took, which reads the session file; and the
// decimal separator the session got.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <iostream>

#include "measuring_point/session.h"
#include "ui/window/desktop_program.h"
#include "ui/window/main_window.h"
#include "ui/window/qt_services.h"
#include "ui/window/qt_translations.h"

namespace {

// A 1366×768 screen for the offscreen platform, so that the window gets the
// size it has on the smallest screen it must fit.
// Returns the file that describes the screen, to be removed once the
// platform has read it.
QString useSmallScreen() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return {};
  const QString path = QDir::temp().filePath(
      QStringLiteral("velmar-window-tests-screen-%1.json").arg(QCoreApplication::applicationPid()));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1366, "height": 768,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toUtf8());
    return path;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  return {};
}

int measureStartUp(int argc, char** argv, const QString& screenFile) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  if (!screenFile.isEmpty()) QFile::remove(screenFile);
  velmar::window::keepNumericLocaleNeutral();
  velmar::window::installQtTranslations(app);
  // The first start in an empty start folder, as velmar starts.
  QTemporaryDir folder;
  if (!folder.isValid()) return 1;
  char separator = '.';
  {
    velmar::window::DesktopProgram program(folder.path().toStdString());
    program.start();
    if (!QTest::qWaitForWindowExposed(&program.window())) return 1;
    std::cout << "start-up: " << clock.elapsed() << " ms\n";
    separator = program.session().decimalSeparator;
    program.window().close();  // the session file and the geometry are written
  }
  // The next start reads the settings, the geometry and the session file.
  clock.restart();
  velmar::window::DesktopProgram again(folder.path().toStdString());
  again.start();
  if (!QTest::qWaitForWindowExposed(&again.window())) return 1;
  std::cout << "start-up with a session file: " << clock.elapsed() << " ms\n"
            << "decimal separator: " << separator << "\n";
  return 0;
}

// The offscreen platform reports that it cannot pass size hints to a window
// system; that says nothing about the program.
QtMessageHandler standardMessages = nullptr;

void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  if (standardMessages != nullptr) standardMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  bool listing = false;
  bool measure = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0) listing = true;
    if (std::strcmp(argv[i], "--measure-start-up") == 0) measure = true;
  }
  const QString screenFile = useSmallScreen();
  if (measure) return measureStartUp(argc, argv, screenFile);
  ::testing::InitGoogleTest(&argc, argv);
  if (listing) {
    if (!screenFile.isEmpty()) QFile::remove(screenFile);
    return RUN_ALL_TESTS();
  }
  QDir().mkpath(QStringLiteral(VELMAR_SCREENSHOT_DIR));
  standardMessages = qInstallMessageHandler(quietPlatformNotes);
  QApplication app(argc, argv);
  if (!screenFile.isEmpty()) QFile::remove(screenFile);
  velmar::window::keepNumericLocaleNeutral();
  velmar::window::installQtTranslations(app);
  return RUN_ALL_TESTS();
}
