// libFuzzer target: any bytes as the content of an input-data file. The first
// byte keeps that many twentieths of the lines of a window's own file in front
// of the rest, so the foreign bytes land on any line. The load must end (no
// crash, no hang), leave the window idle with no "nan" or "inf" in the result
// pane, and (for one input in four, to keep the pace) what the window then
// holds must save and load back to the same file, every line read and every
// text taken (but for the diameter series: every load orders it as
// "Упорядочить" does, and a value that its five significant digits change is
// read again from the rows below the ordered list). The bytes go through the
// reader's own decoding and splitting; the file system calls around them are
// tested apart.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/safe_file.h"
#include "measuring_point/input_data.h"
#include "measuring_point/session.h"
#include "measuring_point/start_up.h"
#include "persistence/input_file.h"
#include "ui/form_rules.h"

namespace {

struct Harness {
  Harness() : s(timer, pump, ',') {
    s.files.startFolder = "/nonexistent";  // no names or materials lists
    velmar::installFormRules(s);
    startUp(s);
    base = velmar::textFileBytes(velmar::inputFileTexts(s));
  }
  velmar::ManualTimer timer;
  velmar::ScriptedEventPump pump;
  velmar::Session s;
  std::string base;
};

bool clean(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) {
    if (l.find("nan") != std::string::npos || l.find("inf") != std::string::npos) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness* h = new Harness;
  std::string bytes;
  if (size > 0) {
    const size_t lines = 585 * (data[0] % 21) / 20;
    size_t end = 0;
    for (size_t i = 0; i < lines; ++i) end = h->base.find('\n', end) + 1;
    bytes = h->base.substr(0, end);
    bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
  }
  velmar::LoadInputLines(h->s, velmar::splitTextLines(bytes, false));
  if (!h->s.in.CalcIdle || !clean(h->s.in.Memo1.lines())) std::abort();
  if (size < 2 || (data[1] & 3) != 0) return 0;

  const std::vector<std::string> first = velmar::inputFileTexts(h->s);
  velmar::LoadNote note;
  velmar::LoadInputLines(h->s, velmar::splitTextLines(velmar::textFileBytes(first), false), &note);
  // What the window holds after any load is taken back whole.
  if (note.stop != velmar::LoadNote::Stop::None || !note.refused.empty()) std::abort();
  std::vector<std::string> second = velmar::inputFileTexts(h->s);
  for (size_t i = 510; i < 560; ++i) second[i] = first[i];  // lines 511-560: the series
  if (velmar::textFileBytes(second) != velmar::textFileBytes(first)) std::abort();
  return 0;
}
