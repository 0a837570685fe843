#include "ui/status_clock.h"

namespace velmar {

namespace {

std::string twoDigits(int v) {
  if (v < 0) v = 0;
  v %= 100;
  return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

}  // namespace

std::string clockText(int hours, int minutes, int seconds, bool colons) {
  const char sep = colons ? ':' : ' ';
  return std::to_string(hours < 0 ? 0 : hours) + sep + twoDigits(minutes) + sep + twoDigits(seconds);
}

std::string StatusClock::tick(int hours, int minutes, int seconds) {
  std::string text = clockText(hours, minutes, seconds, colons_);
  colons_ = !colons_;
  return text;
}

}  // namespace velmar
