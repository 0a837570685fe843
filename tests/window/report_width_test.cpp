// No text of a report page stands beyond the printable width (20 mm from
// the left edge of the sheet to 10 mm from its right edge): the captions of
// the error tables, the signature line and every text line are wrapped,
// never cut off. Each case is a report a metrologist writes; its pages are
// read back with pdftotext -bbox, which gives the box of every word.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/wait.h>

#include "core/form_events.h"
#include "measuring_point/named_input.h"
#include "core/platform.h"
#include "measuring_point/session.h"
#include "measuring_point/start_up.h"
#include "measuring_point/session_file.h"
#include "report/report_text.h"
#include "ui/form_rules.h"
#include "ui/window/report_pages.h"
#include "uncertainty/formula_editor.h"

namespace velmar::window {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;
constexpr double kLeft = 20 * kPointsPerMm;
constexpr double kRight = (210 - 10) * kPointsPerMm;
constexpr double kTolerance = 1.0;  // pt: the side bearing of a glyph

struct Word {
  double xMin;
  double xMax;
  QString text;
};

QString output(const std::string& command) {
  QByteArray out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return {};
  std::array<char, 4096> buf{};
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;) out.append(buf.data(), static_cast<qsizetype>(n));
  pclose(pipe);
  return QString::fromUtf8(out);
}

std::vector<Word> wordsOf(const QString& pdf) {
  std::vector<Word> words;
  const QString html = output("pdftotext -bbox '" + pdf.toStdString() + "' -");
  static const QRegularExpression word(
      QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re"));
  for (auto m = word.globalMatch(html); m.hasNext();) {
    const auto match = m.next();
    words.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3)});
  }
  return words;
}

// The worked error calculation, in a start folder of its own.
class ReportWidth : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "poppler-utils are not installed";
    ASSERT_TRUE(folder.isValid());
  }
  std::unique_ptr<Session> workedErrorCalculation() {
    auto s = std::make_unique<Session>(timer, pump, ',');
    s->files.startFolder = folder.path().toStdString();
    installFormRules(*s);
    startWithDefaults(*s);
    std::ifstream file(std::string(VELMAR_EXAMPLES_DIR) + "/gerg91_error.args");
    for (std::string line; std::getline(file, line);) {
      if (line.rfind("--set ", 0) != 0) continue;
      EXPECT_EQ(applyNamedInput(*s, line.substr(6), TextCheck::Strict), "") << line;
    }
    return s;
  }
  void calculate() {
    for (int pass = 0; pass < 20 && timer.running(); ++pass) timer.runOut();
  }

  QTemporaryDir folder;
  ManualTimer timer;
  ScriptedEventPump pump;
};

TEST_F(ReportWidth, NoWordOfTheNamedReportsStandsBeyondThePrintableWidth) {
  // A formula of few terms written out long: the line of its field runs
  // past 84 characters.
  const std::string formula = "0,5+0,0" + std::string(40, '0') + "1*Qв/Q+0,1*t/100";
  const std::string longName =
      "Константинопольский-Преображенский Александр Владимирович, ведущий инженер-метролог отдела "
      "метрологического обеспечения коммерческого учета газа";
  struct Case {
    const char* title;
    std::function<void(Session&)> inputs;
    std::string user;
    std::vector<QString> shown;  // words that must be on the pages whole
  };
  const Case cases[] = {
      {"carbon dioxide, the uncertainty wording",
       [](Session& s) {
         ASSERT_EQ(applyNamedInput(s, "sreda=6", TextCheck::Strict), "");
         ASSERT_EQ(applyNamedInput(s, "TipPogr=1", TextCheck::Strict), "");
       },
       "",
       {QStringLiteral("углерода")}},
      {"a long name in the signature", [](Session&) {}, longName,
       {QStringLiteral("Константинопольский-Преображенский"), QStringLiteral("коммерческого"), QStringLiteral("газа")}},
      {"a long formula in an error field",
       [&formula](Session& s) {
         const std::string text = formulaEditorFieldText(s, formula);
         keyDown(s, s.in.dP1sisstr);
         changeText(s, s.in.dP1sisstr, text);
         keyUp(s, s.in.dP1sisstr);
       },
       "",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const std::unique_ptr<Session> s = workedErrorCalculation();
    c.inputs(*s);
    calculate();
    ASSERT_TRUE(s->in.N2_.enabled()) << "a message is raised: " << (s->in.Memo2.lines().empty() ? "" : s->in.Memo2.lines()[0]) << " in " << s->in.dP1sisstr.text();
    const ReportDocument doc = BuildReportText(*s, {0, c.user}, "09.12.2026");
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(writeReportPdf(doc, pdf));
    // The fonts the pages are laid out for, or the ones of the same widths.
    const QString fonts = output("pdffonts '" + pdf.toStdString() + "'");
    EXPECT_TRUE(fonts.contains(QStringLiteral("TimesNewRoman")) || fonts.contains(QStringLiteral("LiberationSerif")))
        << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("CourierNew")) || fonts.contains(QStringLiteral("LiberationMono")))
        << fonts.toStdString();
    const std::vector<Word> words = wordsOf(pdf);
    ASSERT_GT(words.size(), 100u);
    for (const Word& w : words) {
      EXPECT_GE(w.xMin, kLeft - kTolerance) << w.text.toStdString();
      EXPECT_LE(w.xMax, kRight + kTolerance) << w.text.toStdString();
    }
    for (const QString& expected : c.shown) {
      EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.text.contains(expected); }))
          << expected.toStdString();
    }
    // The formula goes on in the next line, whole.
    if (c.user.empty() && c.shown.empty()) {
      QString all;
      for (const Word& w : words) all += w.text;
      EXPECT_TRUE(all.contains(QString::fromStdString(formula).remove(QLatin1Char(' ')))) << all.toStdString();
    }
  }
}

}  // namespace
}  // namespace velmar::window
