#pragma once
// The outside services of a calculation pass on the Qt event loop: the
// one-shot recalculation timer TimerProv on a QTimer, the points where a pass
// lets the window process pending events, and the system's number settings.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTimer>

#include "core/platform.h"

namespace velmar::window {

class QtOneShotTimer : public OneShotTimer {
 public:
  QtOneShotTimer();
  void start() override { timer_.start(); }
  void stop() override { timer_.stop(); }
  bool running() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

class QtEventPump : public EventPump {
 public:
  void processPendingEvents() override;
};

// The decimal separator of the system's regional settings: ',' or '.'
// (another separator, which the number formats cannot write, gives '.').
char systemDecimalSeparator();

// A date as the status line and the report show it: in the short form of
// the system's regional settings, and where the system has none (the C or
// POSIX locale, whose short form is English) as a Russian system writes it,
// 09.12.2026.
QString shortDateText(const QLocale& system, const QDate& date);

// The core converts numbers with the C library in the "C" numeric locale; a
// QApplication on Unix adopts the environment's locale for every category, so
// the window puts LC_NUMERIC back once the application exists.
void keepNumericLocaleNeutral();

}  // namespace velmar::window
