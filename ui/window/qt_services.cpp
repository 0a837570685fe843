#include "ui/window/qt_services.h"

#include <QCoreApplication>
#include <QLocale>
#include <clocale>

namespace velmar::window {

QtOneShotTimer::QtOneShotTimer() {
  timer_.setSingleShot(true);
  timer_.setInterval(kIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (onTimeout) onTimeout();
  });
}

void QtEventPump::processPendingEvents() { QCoreApplication::processEvents(); }

char systemDecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point == QStringLiteral(",") ? ',' : '.';
}

QString shortDateText(const QLocale& system, const QDate& date) {
  if (system.language() == QLocale::C) return date.toString(QStringLiteral("dd.MM.yyyy"));
  return system.toString(date, QLocale::ShortFormat);
}

void keepNumericLocaleNeutral() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace velmar::window
