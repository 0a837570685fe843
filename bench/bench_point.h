#pragma once
// One measuring point of the main window for the benchmarks: the session with
// its form rules and first pass, inputs typed or given by name, the bundled
// example option files, and one calculation pass as after an input.
#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "core/form_events.h"
#include "measuring_point/calculation_driver.h"
#include "measuring_point/named_input.h"
#include "measuring_point/session.h"
#include "measuring_point/start_up.h"
#include "ui/form_rules.h"

namespace velmar::bench {

struct BenchPoint {
  ManualTimer timer;
  ScriptedEventPump pump;
  Session s{timer, pump, ','};
  BenchPoint() {
    installFormRules(s);
    startUp(s);
  }

  void type(Edit& e, const char* text) { typeText(s, e, text); }
  void set(const std::string& name, const std::string& value) {
    const std::string error = applyNamedInput(s, name + "=" + value, TextCheck::Strict);
    if (!error.empty()) throw std::runtime_error(error);
  }
  // The "--set NAME=VALUE" lines of an option file under examples/.
  void example(const std::string& name) {
    std::ifstream file(std::string(VELMAR_EXAMPLES_DIR) + "/" + name);
    if (!file) throw std::runtime_error("no examples/" + name);
    for (std::string line; std::getline(file, line);) {
      if (line.rfind("--set ", 0) != 0) continue;
      const size_t eq = line.find('=');
      if (eq == std::string::npos) throw std::runtime_error(line);
      set(line.substr(6, eq - 6), line.substr(eq + 1));
    }
  }
  // The timer's pending passes run out, as one second after the last input.
  void settle() {
    for (int i = 0; i < 20 && timer.running(); ++i) timer.runOut();
  }
  void pass() {
    s.in.InputChanged = true;  // as after an input: the pass restarts once from the cross-checks
    timer.stop();
    RunCalculation(s);
  }
  // A raised message makes the figure meaningless.
  void check(benchmark::State& state) {
    if (!s.in.Memo2.lines().empty()) state.SkipWithError(s.in.Memo2.lines().front().c_str());
  }
};

}  // namespace velmar::bench
