#pragma once
// The numbered messages of the calculation. No input is ever refused: every
// check raises a numbered message, the routines skip what depends on an input
// whose message is raised, and after each pass all raised messages are listed
// together, each as "[n]  text". The numbers are what the user sees; they are
// fixed.
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace velmar {

inline constexpr int kMessageCount = 180;

// Texts of messages 1..180; index n-1 holds message n. Numbers without a text
// are never raised by any check.
extern const std::array<std::string_view, kMessageCount> MessageTable;

std::string_view messageText(int n);

// Consecutive message numbers, both ends included.
struct MessageRange {
  int first;
  int last;
};

// One flag per message: raised means the message applies.
class FailureFlags {
 public:
  // As the main window is created: every message that has a text is raised;
  // the first pass clears or recomputes them all.
  FailureFlags();

  bool raised(int n) const { return valid(n) && flags_[static_cast<size_t>(n - 1)]; }
  void raise(int n) {
    if (valid(n)) flags_[static_cast<size_t>(n - 1)] = true;
  }
  void clear(int n) {
    if (valid(n)) flags_[static_cast<size_t>(n - 1)] = false;
  }
  void set(int n, bool on) { on ? raise(n) : clear(n); }
  void clearRange(int from, int to) {
    for (int n = from; n <= to; ++n) clear(n);
  }
  void clearRange(MessageRange r) { clearRange(r.first, r.last); }
  bool anyRaised() const;
  bool anyRaisedIn(int from, int to) const;
  bool anyRaisedIn(MessageRange r) const { return anyRaisedIn(r.first, r.last); }
  bool anyRaisedOf(std::span<const int> numbers) const {
    for (int n : numbers) {
      if (raised(n)) return true;
    }
    return false;
  }

 private:
  static bool valid(int n) { return n >= 1 && n <= kMessageCount; }
  std::array<bool, kMessageCount> flags_{};
};

// Optional second lines of the messages. Only note 2 is ever set: the reason
// a gas-property method gave for not computing. A note keeps its text until
// it is replaced and is shown whenever its message is raised.
class MessageNotes {
 public:
  const std::string& note(int n) const;
  void setNote(int n, std::string text);

 private:
  std::array<std::string, kMessageCount> notes_{};
};

}  // namespace velmar
