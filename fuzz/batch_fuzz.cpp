// libFuzzer target over the whole batch path: the input is read as an option
// file (one option a line, "--name value" split at the first blank, "#"
// lines skipped), given to the batch tool as its argument list, and the
// panes it prints are checked. Option files named by "@", the input-data
// files of --load and --save and the files of --report-text and
// --report-pdf, and the folder, summary and reports of --batch are left out: the fuzzer is not to read or write the
// machine's files. Any input must end with exit status 0, 1 or 2 and panes
// without "nan" or "inf" for a number.
#include "cli/batch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> optionsOf(std::string_view text) {
  std::vector<std::string> args;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text = end == text.npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line[0] == '@') continue;
    const std::size_t space = line.find(' ');
    if (line.rfind("--", 0) == 0 && space != std::string::npos) {
      args.push_back(line.substr(0, space));
      args.push_back(line.substr(space + 1));
    } else {
      args.push_back(line);
    }
  }
  // The options that read or write a file, with the file name after them.
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--load" || args[i] == "--save" || args[i] == "--report-text" || args[i] == "--report-pdf" ||
        args[i] == "--batch" || args[i] == "--summary" || args[i] == "--reports") {
      ++i;
      continue;
    }
    kept.push_back(args[i]);
  }
  return kept;
}

// A word "nan" or "inf" (any case, a sign before it) in a pane line.
bool showsNonNumber(const std::string& panes) {
  std::string lower;
  for (char c : panes) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  for (std::string_view word : {"nan", "inf"}) {
    for (std::size_t at = lower.find(word); at != lower.npos; at = lower.find(word, at + 1)) {
      const bool startsWord = at == 0 || lower[at - 1] == ' ' || lower[at - 1] == '-' || lower[at - 1] == '+';
      const char after = at + 3 < lower.size() ? lower[at + 3] : ' ';
      if (startsWord && (after == ' ' || after == '\n' || after == 'i')) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = optionsOf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (args.size() > 400) return 0;  // a long input is the same options again
  std::string program = "velmar-calc";
  std::vector<char*> argv{program.data()};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::ostringstream out;
  std::ostringstream err;
  std::streambuf* const coutBuf = std::cout.rdbuf(out.rdbuf());
  std::streambuf* const cerrBuf = std::cerr.rdbuf(err.rdbuf());
  const int status = velmar::runBatch(static_cast<int>(argv.size() - 1), argv.data());
  std::cout.rdbuf(coutBuf);
  std::cerr.rdbuf(cerrBuf);

  if (status < 0 || status > 2) std::abort();
  if (status == 2 && err.str().rfind("velmar-calc: ", 0) != 0) std::abort();
  if (status != 2 && showsNonNumber(out.str())) std::abort();
  return 0;
}
