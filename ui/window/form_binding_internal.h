#pragma once
// What the parts of FormBinding share: the length of a caption in letters,
// and the guard that keeps the model's own changes from travelling back as
// user events while they are put into the widgets.
#include <string>
#include <string_view>
#include <vector>

namespace velmar::window::binding {

inline int codePoints(std::string_view text) {
  int n = 0;
  for (unsigned char ch : text) {
    if ((ch & 0xC0) != 0x80) ++n;
  }
  return n;
}

// A caption written with a run of blanks where an edit or a box belongs
// ("от                до", " +          * |t|"): its parts between such
// gaps, trimmed; one part when it has no gap. Shorter runs only align words.
inline constexpr size_t kGapBlanks = 8;
inline std::vector<std::string> gapParts(std::string_view caption) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < caption.size() && caption[start] == ' ') ++start;
  size_t end = caption.size();
  while (end > start && caption[end - 1] == ' ') --end;
  size_t from = start;
  for (size_t i = start; i < end;) {
    if (caption[i] != ' ') {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < end && caption[j] == ' ') ++j;
    if (j - i >= kGapBlanks) {
      parts.emplace_back(caption.substr(from, i - from));
      from = j;
    }
    i = j;
  }
  parts.emplace_back(caption.substr(from, end - from));
  return parts;
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
