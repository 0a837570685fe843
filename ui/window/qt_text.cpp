#include "ui/window/qt_text.h"

#include "uncertainty/error_formula.h"

namespace velmar::window {

QString toQt(std::string_view text) {
  QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  s.replace(QChar(kFormulaBar), QChar(kBarGlyph));
  return s;
}

std::string fromQt(const QString& text) {
  QString s = text;
  s.replace(QChar(kBarGlyph), QChar(kFormulaBar));
  return s.toStdString();
}

}  // namespace velmar::window
