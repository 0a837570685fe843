#pragma once
// The clock of the status line: every 1.5 s it shows the time as hours
// without a leading zero, minutes and seconds with two digits each; the
// separators alternate between ":" and a blank at every tick, starting with
// ":", so the clock visibly ticks.
#include <string>

namespace velmar {

// The clock text of one moment: "9:05:07" with colons, "9 05 07" without.
std::string clockText(int hours, int minutes, int seconds, bool colons);

class StatusClock {
 public:
  static constexpr int kIntervalMs = 1500;
  // The text of the next tick; the first tick shows colons.
  std::string tick(int hours, int minutes, int seconds);

 private:
  bool colons_ = true;
};

}  // namespace velmar
