#include "ui/window/report_pages.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <memory>

#include "core/safe_file.h"
#include "ui/window/qt_text.h"

namespace velmar::window {

namespace {

// Page geometry, mm.
constexpr double kPageWidth = 210;
constexpr double kPageHeight = 297;
constexpr double kMarginTop = 10;
constexpr double kMarginBottom = 10;
constexpr double kMarginLeft = 20;
constexpr double kMarginRight = 10;
constexpr double kHeaderHeight = 22.0;
constexpr double kNumberLineTop = 11.0;
constexpr double kStandardsLineTop = 15.3;
constexpr double kFooterHeight = 14.8;
constexpr double kRuleWidth = 0.5;  // the 2-pixel rules under the header and above the footer
constexpr double kNameBoxWidth = 152.7;
constexpr double kNameBoxHeight = 10.8;
constexpr double kPageNumberBoxWidth = 6.6;
constexpr double kTextTop = 8.5;  // the text below the name at the top of the first text page
// The error tables: two leading cells (merged in the header rows) and five
// value cells; header rows and the rows of Table 2 single height, the rows
// of Table 1 double height.
constexpr double kLeadCellWidth = 27.65;
constexpr double kValueCellWidth = 23.5;
constexpr double kHeaderRowHeight = 6.6;
constexpr double kDoubleRowHeight = 13.0;
constexpr double kCellPadding = 0.8;
constexpr double kFrameWidth = 0.2;
constexpr double kCaptionGap = 2.0;

constexpr int kResolution = 600;  // dpi of the PDF files

// The pages are laid out for Times New Roman and Courier New; Liberation
// Serif and Liberation Mono have their widths and stand in where they are
// missing.
QFont serif(double points, bool bold) {
  QFont f;
  f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
  f.setStyleHint(QFont::Serif);
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

QFont fixedPitch(double points) {
  QFont f;
  f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSizeF(points);
  return f;
}

// Paints on one device in millimetres measured from the top left corner of
// the printable area.
class PagePainter {
 public:
  PagePainter(const ReportDocument& doc, QPagedPaintDevice& device) : doc_(doc), device_(device) {}

  int run() {
    if (!painter_.begin(&device_)) return 0;
    dpmm_ = device_.logicalDpiY() / 25.4;
    const QRectF area = device_.pageLayout().paintRect(QPageLayout::Millimeter);
    width_ = area.width();
    height_ = area.height();
    textPages();
    if (doc_.errorTables) errorTablePage(*doc_.errorTables);
    painter_.end();
    return page_;
  }

 private:
  double px(double mm) const { return mm * dpmm_; }
  QRectF box(double x, double y, double w, double h) const { return {px(x), px(y), px(w), px(h)}; }
  // The height of one line of a font, mm.
  double lineHeight(const QFont& f) const { return QFontMetricsF(f, &device_).lineSpacing() / dpmm_; }

  // One line in a band of fixed height (the header): a text wider than the
  // band is set smaller, as nothing may run off the printable width.
  void text(const QRectF& r, int flags, const std::string& t, const QFont& f) {
    const QString line = toQt(t);
    painter_.setFont(flags & Qt::TextWordWrap ? f : fitted(f, line, r.width()));
    painter_.drawText(r, flags, line);
  }

  // A text broken at blanks into lines no wider than the width (px); the
  // blanks that indent it indent every line it is broken into. A word wider
  // than the width by itself sets the whole text smaller: the last resort.
  struct Wrapped {
    QFont font;
    QStringList lines;
  };
  Wrapped wrapped(const QString& text, QFont font, double width) const {
    auto indentOf = [](const QString& p) {
      qsizetype n = 0;
      while (n < p.size() && p[n] == QLatin1Char(' ')) ++n;
      return n;
    };
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    double widest = 0;
    {
      const QFontMetricsF m(font, &device_);
      for (const QString& p : paragraphs) {
        const QString indent(indentOf(p), QLatin1Char(' '));
        for (const QString& word : p.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
          widest = std::max(widest, m.horizontalAdvance(indent + word));
        }
      }
    }
    if (widest > width) font.setPointSizeF(std::max(1.0, std::floor(font.pointSizeF() * width / widest * 10) / 10));
    const QFontMetricsF m(font, &device_);
    Wrapped out{font, {}};
    for (const QString& p : paragraphs) {
      const QString indent(indentOf(p), QLatin1Char(' '));
      QString rest = p;
      while (m.horizontalAdvance(rest) > width) {
        // The last blank after the indent that leaves the head within the width.
        qsizetype cut = -1;
        for (qsizetype i = rest.indexOf(QLatin1Char(' '), indent.size()); i > 0;
             i = rest.indexOf(QLatin1Char(' '), i + 1)) {
          if (m.horizontalAdvance(rest.left(i)) > width) break;
          cut = i;
        }
        if (cut <= 0) break;  // one word, already set small enough
        out.lines << rest.left(cut);
        qsizetype next = cut;
        while (next < rest.size() && rest[next] == QLatin1Char(' ')) ++next;
        rest = indent + rest.mid(next);
      }
      out.lines << rest;
    }
    return out;
  }

  // A caption or a signature: wrapped to the printable width; returns its
  // height, mm.
  double paragraph(double y, const std::string& t, const QFont& f, int align) {
    const Wrapped w = wrapped(toQt(t), f, px(width_));
    const double step = lineHeight(w.font);
    painter_.setFont(w.font);
    double at = y;
    for (const QString& line : w.lines) {
      painter_.drawText(box(0, at, width_, step), align | Qt::AlignTop, line);
      at += step;
    }
    return at - y;
  }

  void rule(double y) {
    painter_.setPen(QPen(Qt::black, px(kRuleWidth)));
    painter_.drawLine(QPointF(0, px(y)), QPointF(px(width_), px(y)));
  }

  // A new page with the header and footer; returns the top of its detail band, mm.
  double newPage() {
    if (page_ > 0) device_.newPage();
    ++page_;
    const QFont title = serif(10, true);
    const QFont small = serif(8, true);
    text(box(0, 0, width_, kNumberLineTop), Qt::AlignHCenter | Qt::AlignTop, doc_.versionLine, title);
    text(box(0, kNumberLineTop, width_, kStandardsLineTop - kNumberLineTop), Qt::AlignHCenter | Qt::AlignTop,
         doc_.numberLine, small);
    text(box(0, kStandardsLineTop, width_, kHeaderHeight - kStandardsLineTop), Qt::AlignHCenter | Qt::AlignTop,
         doc_.standardsLine, small);
    rule(kHeaderHeight);
    const double footer = height_ - kFooterHeight;
    rule(footer);
    const double inside = footer + kRuleWidth + 1.0;
    text(box(0, inside, kNameBoxWidth, kNameBoxHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, doc_.name,
         small);
    const double numberLeft = width_ - kPageNumberBoxWidth;
    text(box(kNameBoxWidth, inside, numberLeft - kNameBoxWidth - 1.0, kNameBoxHeight), Qt::AlignRight | Qt::AlignTop,
         "Страница", small);
    text(box(numberLeft, inside, kPageNumberBoxWidth, kNameBoxHeight), Qt::AlignRight | Qt::AlignTop,
         std::to_string(page_), small);
    return kHeaderHeight + kRuleWidth + 1.0;
  }

  double bandBottom() const { return height_ - kFooterHeight - 1.0; }

  void textPages() {
    const QFont mono = fixedPitch(10);
    const double step = lineHeight(mono);
    double top = newPage();
    text(box(0, top, kNameBoxWidth, kNameBoxHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, doc_.name,
         serif(8, true));
    double y = top + kTextTop;
    const double ascent = QFontMetricsF(mono, &device_).ascent() / dpmm_;
    for (const std::string& text : doc_.lines) {
      // A line wider than the page goes on in the lines below it.
      const Wrapped w = wrapped(toQt(text), mono, px(width_));
      for (const QString& line : w.lines) {
        if (y + step > bandBottom()) y = newPage();
        painter_.setFont(w.font);
        painter_.drawText(QPointF(0, px(y + ascent)), line);
        y += step;
      }
    }
  }

  void cell(double x, double y, double w, double h, const std::string& t, int align) {
    painter_.setPen(QPen(Qt::black, px(kFrameWidth)));
    painter_.drawRect(box(x, y, w, h));
    const QRectF inner = box(x + kCellPadding, y + 0.3, w - 2 * kCellPadding, h - 0.6);
    const QString text = toQt(t);
    painter_.save();
    painter_.setClipRect(box(x, y, w, h));
    painter_.setFont(fitted(painter_.font(), text, inner.width()));
    painter_.drawText(inner, align | Qt::AlignTop, text);
    painter_.restore();
  }

  // A cell text wider than its cell (a long caption of the varied quantity,
  // or a font wider than the one the table was laid out for) is set in a
  // smaller size, so that the frame cuts none of it off.
  QFont fitted(QFont font, const QString& text, double width) const {
    double widest = 0;
    const QFontMetricsF metrics(font, &device_);
    for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest > width) font.setPointSizeF(std::max(1.0, std::floor(font.pointSizeF() * width / widest * 10) / 10));
    return font;
  }

  // One framed table; returns its bottom, mm.
  double table(const ReportTable& t, double y, double rowHeight) {
    painter_.setFont(serif(10, false));
    const double lead = 2 * kLeadCellWidth;
    const int right = Qt::AlignRight;
    cell(0, y, lead, kHeaderRowHeight, t.lead1, right);
    for (int c = 0; c < 5; ++c)
      cell(lead + c * kValueCellWidth, y, kValueCellWidth, kHeaderRowHeight, t.head1[c], right);
    y += kHeaderRowHeight;
    cell(0, y, lead, kHeaderRowHeight, t.lead2, right);
    for (int c = 0; c < 5; ++c)
      cell(lead + c * kValueCellWidth, y, kValueCellWidth, kHeaderRowHeight, t.head2[c], right);
    y += kHeaderRowHeight;
    cell(0, y, lead, kHeaderRowHeight, t.lead3, Qt::AlignHCenter);
    cell(lead, y, 5 * kValueCellWidth, kHeaderRowHeight, t.span3, Qt::AlignHCenter);
    y += kHeaderRowHeight;
    for (const auto& row : t.body) {
      cell(0, y, kLeadCellWidth, rowHeight, row[0], right);
      cell(kLeadCellWidth, y, kLeadCellWidth, rowHeight, row[1], right);
      for (int c = 0; c < 5; ++c) cell(lead + c * kValueCellWidth, y, kValueCellWidth, rowHeight, row[2 + c], right);
      y += rowHeight;
    }
    return y;
  }

  void errorTablePage(const ErrorTablePage& p) {
    double y = newPage();
    // The title takes at least three lines, the captions and the signature
    // as many as their words need.
    const QFont title = serif(12, false);
    y += std::max(paragraph(y, p.title, title, Qt::AlignHCenter), 3 * lineHeight(title)) + kCaptionGap;
    const QFont label = serif(10, false);
    y += paragraph(y, p.caption1, label, Qt::AlignLeft);
    y = table(p.table1, y + 1.0, kDoubleRowHeight) + kCaptionGap;
    y += paragraph(y, p.caption2, label, Qt::AlignLeft);
    y = table(p.table2, y + 1.0, kHeaderRowHeight) + 2 * kCaptionGap;
    paragraph(y, p.signature, label, Qt::AlignLeft);
  }

  const ReportDocument& doc_;
  QPagedPaintDevice& device_;
  QPainter painter_;
  double dpmm_ = 1;
  double width_ = 0;
  double height_ = 0;
  int page_ = 0;
};

}  // namespace

QPageLayout reportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom), QPageLayout::Millimeter);
}

int paintReport(const ReportDocument& doc, QPagedPaintDevice& device) {
  device.setPageLayout(reportPageLayout());
  return PagePainter(doc, device).run();
}

QByteArray reportPdf(const ReportDocument& doc) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle(toQt(doc.name));
    writer.setCreator(toQt(doc.versionLine));
    if (paintReport(doc, writer) == 0) return {};
  }
  return bytes;
}

bool writeReportPdf(const ReportDocument& doc, const QString& path) {
  const QByteArray bytes = reportPdf(doc);
  return !bytes.isEmpty() &&
         writeFileSafely(fromQt(path), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

namespace {
// The batch tool's streams carry its own output only: Qt's notes about the
// platform (no runtime folder, no window system) are not for its user.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
}  // namespace

std::shared_ptr<void> startReportsWithoutWindow() {
  if (QCoreApplication::instance() != nullptr) return {};
  qInstallMessageHandler(quiet);
  // No window is shown: the offscreen platform needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velmar-calc";
  static char* argv[] = {name, nullptr};
  auto app = std::make_shared<QGuiApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // the program's own number conversions stay locale-free
  return app;
}

bool writeReportPdfWithoutWindow(const ReportDocument& doc, const std::string& path) {
  const std::shared_ptr<void> app = startReportsWithoutWindow();
  return writeReportPdf(doc, toQt(path));
}

}  // namespace velmar::window
