// The report pages as velmar-calc --report-pdf writes them, looked at as a
// reader does: pdftoppm turns the pages into pictures, and the places where
// the header, the footer with its page number and the framed tables of an
// error calculation belong must carry ink; pdftotext gives back every line
// of the report text. The pictures are kept in the build tree for a look by
// eye.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

constexpr int kDpi = 50;

struct Command {
  int status = -1;
  std::string out;
};

Command shell(const std::string& command) {
  Command r;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return r;
  std::array<char, 4096> buf{};
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), pipe)) > 0;) r.out.append(buf.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

bool havePoppler() { return shell("command -v pdftoppm && command -v pdftotext && command -v pdfinfo").status == 0; }

// Ink in a rectangle given in millimetres from the top left corner of the
// sheet: the share of its pixels darker than mid grey.
double ink(const QImage& page, double x, double y, double w, double h) {
  const double px = kDpi / 25.4;
  int dark = 0;
  int all = 0;
  for (int j = static_cast<int>(y * px); j < static_cast<int>((y + h) * px) && j < page.height(); ++j) {
    for (int i = static_cast<int>(x * px); i < static_cast<int>((x + w) * px) && i < page.width(); ++i) {
      ++all;
      if (qGray(page.pixel(i, j)) < 128) ++dark;
    }
  }
  return all == 0 ? 0 : static_cast<double>(dark) / all;
}

// A framing line down a band: the largest share of dark pixels in one pixel
// column between x0 and x1 (mm), over the height from y to y + h.
double frame(const QImage& page, double x0, double x1, double y, double h) {
  const double px = kDpi / 25.4;
  double best = 0;
  for (int i = static_cast<int>(x0 * px); i <= static_cast<int>(x1 * px) && i < page.width(); ++i) {
    best = std::max(best, ink(page, i / px, y, 1 / px, h));
  }
  return best;
}

// Whitespace runs as one blank, ends trimmed.
QString collapsed(const QString& text) { return text.simplified(); }

class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils (pdftoppm, pdftotext) are not installed";
    std::string templ = ::testing::TempDir() + "velmar_report_pdf_XXXXXX";
    ASSERT_NE(::mkdtemp(templ.data()), nullptr);
    folder = templ;
    std::filesystem::create_directory(folder + "/Velmar");
  }
  void TearDown() override {
    std::error_code ec;
    if (!folder.empty()) std::filesystem::remove_all(folder, ec);
  }

  // Writes the PDF and the text of an example; the pages as pictures.
  std::vector<QImage> pages(const std::string& example, const std::string& extra = {}) {
    const Command run = shell("cd '" + folder + "' && " + VELMAR_CALC_PATH + " @" + VELMAR_EXAMPLES_DIR + "/" +
                              example + " " + extra + " --report-pdf report.pdf --report-text report.txt");
    EXPECT_EQ(run.status, 0) << example;
    const Command info = shell("pdfinfo '" + folder + "/report.pdf'");
    EXPECT_NE(info.out.find("595 x 842 pts (A4)"), std::string::npos) << info.out;
    EXPECT_EQ(shell("pdftoppm -r " + std::to_string(kDpi) + " -png '" + folder + "/report.pdf' '" + folder + "/page'")
                  .status,
              0);
    std::vector<QImage> images;
    QDir dir(QString::fromStdString(folder));
    for (const QString& name : dir.entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name)) {
      images.emplace_back(dir.filePath(name));
      // Kept for a look by eye.
      const QString shots = QStringLiteral(VELMAR_SCREENSHOT_DIR);
      QDir().mkpath(shots);
      images.back().save(QDir(shots).filePath(QString::fromStdString(example).section('.', 0, 0) + "_" + name));
    }
    return images;
  }

  std::string folder;
};

// Where the bands stand on the sheet (mm): the printable area begins 20 mm
// from the left and 10 mm from the top and ends 10 mm from the right and the
// bottom; the header is 22 mm high, the footer 14.8 mm.
void expectHeaderAndFooter(const QImage& page, int number) {
  SCOPED_TRACE("page " + std::to_string(number));
  EXPECT_GT(ink(page, 60, 10, 90, 5), 0.02) << "version line";
  EXPECT_GT(ink(page, 80, 21, 50, 4), 0.02) << "number line";
  EXPECT_GT(ink(page, 50, 25.3, 110, 4), 0.02) << "standards line";
  EXPECT_GT(ink(page, 20, 31.5, 180, 1.5), 0.3) << "rule under the header";
  EXPECT_GT(ink(page, 20, 271.4, 180, 1.5), 0.3) << "rule above the footer";
  EXPECT_GT(ink(page, 175, 273.5, 18, 4), 0.02) << "Страница";
  EXPECT_GT(ink(page, 194, 273.5, 6, 4), 0.02) << "page number";
  // Nothing in the margins.
  EXPECT_EQ(ink(page, 0, 0, 18, 297), 0) << "left margin";
  EXPECT_EQ(ink(page, 0, 0, 210, 9), 0) << "top margin";
  EXPECT_EQ(ink(page, 0, 288, 210, 9), 0) << "bottom margin";
}

TEST_F(ReportPdf, AnErrorCalculationHasTextPagesAndTheErrorTablePage) {
  const std::vector<QImage> images = pages("gerg91_error.args");
  ASSERT_EQ(images.size(), 3u);
  for (size_t i = 0; i < images.size(); ++i) expectHeaderAndFooter(images[i], static_cast<int>(i) + 1);
  // The text fills the first page and runs over onto the second.
  EXPECT_GT(ink(images[0], 20, 45, 100, 220), 0.02);
  EXPECT_GT(ink(images[1], 20, 35, 100, 20), 0.02);
  EXPECT_EQ(ink(images[1], 20, 200, 180, 60), 0) << "the end of the text leaves the rest of page 2 blank";
  // The error-table page: the title, then the left frames of both tables
  // running down their height, and the signature under Table 2.
  const QImage& tables = images[2];
  EXPECT_GT(ink(tables, 40, 35, 130, 12), 0.02) << "title";
  // Table 1 from about 56 to 152 mm, Table 2 from 157 to 218 mm, both
  // 172.8 mm wide.
  EXPECT_GT(frame(tables, 19, 21, 65, 80), 0.9) << "left frame of Table 1";
  EXPECT_GT(frame(tables, 191.5, 194, 65, 80), 0.9) << "right frame of Table 1";
  EXPECT_GT(frame(tables, 19, 21, 165, 45), 0.9) << "left frame of Table 2";
  EXPECT_GT(frame(tables, 191.5, 194, 165, 45), 0.9) << "right frame of Table 2";
  EXPECT_GT(ink(tables, 40, 65, 150, 80), 0.03) << "cells of Table 1";
  EXPECT_GT(ink(tables, 40, 165, 150, 45), 0.03) << "cells of Table 2";
  EXPECT_EQ(frame(tables, 196, 200, 65, 150), 0) << "nothing right of the tables";
  EXPECT_GT(ink(tables, 20, 219, 60, 8), 0.02) << "signature";
  EXPECT_EQ(ink(tables, 20, 230, 180, 40), 0);

  // Every line of the report text is in the PDF, in its order.
  std::ifstream textFile(folder + "/report.txt");
  std::stringstream text;
  text << textFile.rdbuf();
  const Command pdfText = shell("pdftotext -layout '" + folder + "/report.pdf' -");
  ASSERT_EQ(pdfText.status, 0);
  QStringList pdfLines;
  for (const QString& l : QString::fromStdString(pdfText.out).split('\n')) {
    if (!collapsed(l).isEmpty()) pdfLines << collapsed(l);
  }
  qsizetype at = 0;
  int compared = 0;
  for (const QString& l : QString::fromStdString(text.str()).split('\n')) {
    const QString line = collapsed(l);
    if (line.isEmpty()) continue;
    const qsizetype found = pdfLines.indexOf(line, at);
    EXPECT_GE(found, 0) << line.toStdString();
    if (found >= 0) at = found + 1;
    ++compared;
  }
  EXPECT_GT(compared, 50);
  const QString all = QString::fromStdString(pdfText.out);
  EXPECT_TRUE(all.contains(QStringLiteral("Программный комплекс \"Велмар\", версия 1.001")));
  EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Расчет N 0 +от "))));
  EXPECT_TRUE(all.contains(QStringLiteral("Таблица 1. Относительная погрешность измерения расхода природного газа")));
  EXPECT_TRUE(all.contains(QStringLiteral("Расчет выполнил")));
  for (const char* page : {"Страница 1", "Страница 2", "Страница 3"}) {
    EXPECT_TRUE(collapsed(all).contains(QString::fromUtf8(page))) << page;
  }
}

// The words of a PDF that stand, wholly or in part, outside the printable
// area (20 mm from the left edge of the sheet, 10 mm from the right): text
// cut off by a frame or running into a margin.
QStringList wordsOutsideThePrintableArea(const std::string& pdf) {
  constexpr double kPointsPerMm = 72 / 25.4;
  const Command boxes = shell("pdftotext -bbox '" + pdf + "' -");
  EXPECT_EQ(boxes.status, 0);
  QStringList outside;
  static const QRegularExpression word(
      QString::fromUtf8("<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
  for (auto it = word.globalMatch(QString::fromStdString(boxes.out)); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(1).toDouble() < 19.5 * kPointsPerMm || m.captured(2).toDouble() > 200.5 * kPointsPerMm) {
      outside << m.captured(3);
    }
  }
  return outside;
}

// With density meters the tables vary the densities: the long captions of
// the leading cells are set smaller rather than cut off by the frame.
TEST_F(ReportPdf, EveryCaptionOfTheErrorTablesFitsItsCell) {
  const std::vector<QImage> images =
      pages("gerg91_error.args",
            "--set pr_Rab=1 --set pr_St=1 --set rrab_Str=4 --set rst_str=0,7 --set rrabMinStr=1 --set rrabMaxStr=10 "
            "--set rstMinStr=0,6 --set rstMaxStr=1 --set KTrrabminStr=3 --set KTrrabMaxStr=5 --set KTrstMinStr=0,68 "
            "--set KTrstMaxStr=0,72");
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(wordsOutsideThePrintableArea(folder + "/report.pdf").join(' ').toStdString(), "");
  const Command text = shell("pdftotext -f 2 -l 2 '" + folder + "/report.pdf' -");
  const QString page = collapsed(QString::fromStdString(text.out));
  EXPECT_TRUE(page.contains(QStringLiteral("Плотность при раб. усл.,кг/м3"))) << text.out;
  EXPECT_TRUE(page.contains(QStringLiteral("Плотность при станд. усл.,кг/м3"))) << text.out;
}

TEST_F(ReportPdf, AVolumeCalculationHasOnePageAndEachReportTheNextNumber) {
  std::vector<QImage> images = pages("gerg91_dry.args");
  ASSERT_EQ(images.size(), 1u);
  expectHeaderAndFooter(images[0], 1);
  std::ifstream number(folder + "/Velmar/n.vdt");
  std::string stored;
  std::getline(number, stored);
  EXPECT_EQ(stored, "1\r");
  // A calculation name of many lines stays inside its boxes: under the
  // footer rule and at the top of the text, nothing runs into the margin.
  std::string name;
  for (int i = 0; i < 40; ++i) name += "Узел учета газа N " + std::to_string(i) + " ";
  images = pages("gerg91_dry.args", "'--set=NameIzmTrub=" + name + "'");
  ASSERT_EQ(images.size(), 1u);
  expectHeaderAndFooter(images[0], 1);
  EXPECT_GT(ink(images[0], 20, 273.5, 140, 10), 0.02) << "the name in the footer";
  const Command pdfText = shell("pdftotext '" + folder + "/report.pdf' -");
  EXPECT_TRUE(QString::fromStdString(pdfText.out).contains(QRegularExpression(QStringLiteral("Расчет N 1 +от "))));
}

// A current folder without the program's folder gets none: every report
// there is number 0. Where the folder is, a number file that cannot be
// rewritten is said on stderr, the pages being written all the same.
TEST_F(ReportPdf, TheNumberAdvancesOnlyInTheProgramFolderAndAnUnwritableNumberIsSaid) {
  std::filesystem::remove_all(folder + "/Velmar");
  const std::string report = "cd '" + folder + "' && " + VELMAR_CALC_PATH + " @" + VELMAR_EXAMPLES_DIR +
                             "/gerg91_dry.args --report-pdf report.pdf 2>err.txt >/dev/null; s=$?; cat err.txt; exit $s";
  for (int i = 0; i < 2; ++i) {
    const Command run = shell(report);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    const Command pdfText = shell("pdftotext '" + folder + "/report.pdf' -");
    EXPECT_TRUE(QString::fromStdString(pdfText.out).contains(QRegularExpression(QStringLiteral("Расчет N 0 +от "))));
  }
  EXPECT_FALSE(std::filesystem::exists(folder + "/Velmar"));
  std::filesystem::create_directories(folder + "/Velmar/n.vdt");
  std::filesystem::remove(folder + "/report.pdf");
  const Command run = shell(report);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "velmar-calc: the next calculation number could not be written to 'Velmar/n.vdt': Is a directory\n");
  EXPECT_TRUE(std::filesystem::exists(folder + "/report.pdf"));
}

// A message raised (no volume): no pages, status 1 and the reason on stderr;
// the calculation number is not advanced.
TEST_F(ReportPdf, NoPagesWhileAMessageIsRaised) {
  const Command run = shell("cd '" + folder + "' && " + VELMAR_CALC_PATH +
                            " --decimal-separator , --set metod=1 --set rststr=0,7 --report-pdf report.pdf 2>err.txt; s=$?; cat err.txt; exit $s");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("velmar-calc: no report is written while a message is raised"), std::string::npos) << run.out;
  EXPECT_FALSE(std::filesystem::exists(folder + "/report.pdf"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/Velmar/n.vdt"));
}

}  // namespace
