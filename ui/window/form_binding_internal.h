#pragma once
// What the parts of FormBinding share: the length of a caption in letters,
// and the guard that keeps the model's own changes from travelling back as
// user events while they are put into the widgets.
#include <string_view>

namespace velmar::window::binding {

inline int codePoints(std::string_view text) {
  int n = 0;
  for (unsigned char ch : text) {
    if ((ch & 0xC0) != 0x80) ++n;
  }
  return n;
}

// Holds the guard while the model's changes are put into the widgets.
class Updating {
 public:
  explicit Updating(int& counter) : counter_(counter) { ++counter_; }
  ~Updating() { --counter_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;

 private:
  int& counter_;
};

}  // namespace velmar::window::binding
