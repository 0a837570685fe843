// The command lines of both programs as the man pages give them: the
// version, the help, and a usage error, each with its exit status.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "core/version.h"
#include "report/report_document.h"

namespace {

TEST(CommandLine, VersionHelpAndUsageErrorsOfBothPrograms) {
  const QString version = QString::fromUtf8(velmar::kProgramVersion.data(),
                                            static_cast<qsizetype>(velmar::kProgramVersion.size()));
  struct Case {
    const char* program;
    QStringList args;
    int code;
    QString out;  // the whole standard output, or its start when it ends with "…"
    QString err;  // the start of the standard error
  };
  const Case cases[] = {
      // No display is needed to ask for the version or the help.
      {VELMAR_APP_PATH, {QStringLiteral("--version")}, 0, QStringLiteral("velmar ") + version + '\n', {}},
      {VELMAR_APP_PATH, {QStringLiteral("--help")}, 0, QStringLiteral("usage: velmar [FILE.vdt]\n…"), {}},
      {VELMAR_CALC_PATH, {QStringLiteral("--version")}, 0, QStringLiteral("velmar-calc ") + version + '\n', {}},
      {VELMAR_CALC_PATH, {QStringLiteral("--help")}, 0, QStringLiteral("usage: velmar-calc […"), {}},
      // With a platform, an unknown option or a second file is a usage error.
      {VELMAR_APP_PATH, {QStringLiteral("--bogus")}, 2, {}, QStringLiteral("velmar: unknown option '--bogus'")},
      {VELMAR_APP_PATH, {QStringLiteral("a.vdt"), QStringLiteral("b.vdt")}, 2, {},
       QStringLiteral("velmar: one input-data file at a time: 'b.vdt'")},
      {VELMAR_CALC_PATH, {QStringLiteral("--bogus")}, 2, {}, QStringLiteral("velmar-calc: unknown option '--bogus'")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " " + c.args.join(' ').toStdString());
    QTemporaryDir folder;
    QProcess p;
    QProcessEnvironment env;
    if (c.code == 2) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder.path());
    p.start(QString::fromUtf8(c.program), c.args);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), c.code);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (c.out.endsWith(QChar(0x2026))) {
      EXPECT_TRUE(out.startsWith(c.out.chopped(1))) << out.toStdString();
      EXPECT_TRUE(out.contains(QStringLiteral("--version"))) << out.toStdString();
    } else {
      EXPECT_EQ(out, c.out);
    }
    EXPECT_TRUE(err.startsWith(c.err)) << err.toStdString();
  }
}

// The report's version line carries the same version.
TEST(CommandLine, TheReportVersionLineNamesTheProgramsVersion) {
  EXPECT_EQ(std::string(velmar::kReportVersionLine),
            "Программный комплекс \"Велмар\", версия " + std::string(velmar::kProgramVersion));
  EXPECT_EQ(std::string(velmar::kProgramVersion), "1.001");
}

}  // namespace
