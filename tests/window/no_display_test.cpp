#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct Outcome {
  bool finished;
  QProcess::ExitStatus status;
  int code;
  QString out;
  QString err;
};

Outcome runVelmar(const QProcessEnvironment& env, int waitMs = 30000) {
  QProcess velmar;
  velmar.setProcessEnvironment(env);
  // The program keeps its files under its start folder: a folder of its own.
  QTemporaryDir startFolder;
  velmar.setWorkingDirectory(startFolder.path());
  velmar.start(QStringLiteral(VELMAR_APP_PATH), {});
  const bool finished = velmar.waitForFinished(waitMs);
  if (!finished) {
    velmar.kill();
    velmar.waitForFinished(5000);
  }
  return {finished, velmar.exitStatus(), velmar.exitCode(), QString::fromUtf8(velmar.readAllStandardOutput()),
          QString::fromUtf8(velmar.readAllStandardError())};
}

// Without a display the program says so on one line and exits with status 3:
// no abort, no core dump, no trace of Qt's own.
TEST(NoDisplay, TheProgramExplainsOnOneLineAndExitsWithStatus3) {
  struct Case {
    const char* title;
    std::vector<std::pair<const char*, const char*>> vars;
  };
  const Case cases[] = {
      {"empty environment", {}},
      {"a display that does not exist", {{"DISPLAY", ":97"}}},
      {"an unknown platform", {{"QT_QPA_PLATFORM", "nowhere"}}},
  };
  for (const Case& c : cases) {
    QProcessEnvironment env;
    for (const auto& [name, value] : c.vars) env.insert(QString::fromUtf8(name), QString::fromUtf8(value));
    const Outcome o = runVelmar(env);
    ASSERT_TRUE(o.finished) << c.title;
    EXPECT_EQ(o.status, QProcess::NormalExit) << c.title;
    EXPECT_EQ(o.code, 3) << c.title << ": " << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty()) << c.title;
    EXPECT_TRUE(o.err.startsWith(QStringLiteral("velmar: no display available"))) << o.err.toStdString();
    EXPECT_EQ(o.err.count(QLatin1Char('\n')), 1) << c.title << ": " << o.err.toStdString();
  }
}

// With the offscreen platform the program starts and keeps running.
TEST(NoDisplay, WithAPlatformTheProgramRuns) {
  QProcessEnvironment env;
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  const Outcome o = runVelmar(env, 2000);
  EXPECT_FALSE(o.finished) << o.code << " " << o.err.toStdString();
}

}  // namespace
