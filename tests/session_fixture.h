#pragma once
// A freshly started measuring point driven as the batch tool drives it:
// virtual time for TimerProv and a scripted event pump.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/form_events.h"
#include "measuring_point/named_input.h"
#include "measuring_point/session.h"
#include "measuring_point/start_up.h"
#include "test_support.h"
#include "ui/form_rules.h"

namespace velmar::testing {

struct TestPoint {
  explicit TestPoint(char separator = ',') : s(timer, pump, separator) {
    installFormRules(s);
    startUp(s);
  }

  void type(Edit& e, const std::string& text) { typeText(s, e, text); }
  void choose(Choice& c, int index) { chooseItem(s, c, index); }
  void check(CheckBox& box, bool on) { setCheckBox(s, box, on); }
  void cell(StringGrid& g, int col, int row, const std::string& text) { editCell(s, g, col, row, text); }
  // One input by the control's name, as velmar-calc --set NAME=VALUE gives
  // it; a text the control does not take is a fault of the test.
  void set(const std::string& name, const std::string& value) {
    const std::string error = applyNamedInput(s, name + "=" + value, TextCheck::Strict);
    if (!error.empty()) throw std::runtime_error(error);
  }
  void set(std::initializer_list<std::pair<const char*, const char*>> inputs) {
    for (const auto& [name, value] : inputs) set(name, value);
  }
  // The "--set NAME=VALUE" lines of an option file under examples/, in their
  // order, and the pass that follows.
  void example(const std::string& name) {
    std::ifstream in(examplePath(name));
    if (!in) ADD_FAILURE() << "cannot read examples/" << name;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("--set ", 0) != 0) continue;
      const size_t eq = line.find('=');
      if (eq != std::string::npos) set(line.substr(6, eq - 6), line.substr(eq + 1));
    }
    settle();
  }
  // Lets the timer run out until no further pass is scheduled.
  void settle() {
    for (int i = 0; i < 20 && timer.running(); ++i) timer.runOut();
  }
  const std::vector<std::string>& memo1() const { return s.in.Memo1.lines(); }
  const std::vector<std::string>& memo2() const { return s.in.Memo2.lines(); }
  bool raised(int n) const { return s.flags.raised(n); }
  // The first line of Memo1 that starts with the given text, or "".
  std::string line(const std::string& start) const {
    for (const auto& l : memo1()) {
      if (l.rfind(start, 0) == 0) return l;
    }
    return {};
  }

  // Natural gas by GERG-91 mod., a volume of dry gas: the bundled example.
  void gerg91Example() {
    choose(s.in.metod, 1);
    choose(s.in.VlTip, 0);
    type(s.in.rststr, "0,7");
    type(s.in.n2str, "1");
    type(s.in.co2str, "0,5");
    type(s.in.Tstr, "20");
    type(s.in.PizbStr, "500000");
    type(s.in.PbarStr, "101325");
    type(s.in.Qstr, "1000");
  }

  ManualTimer timer;
  ScriptedEventPump pump;
  Session s;
};

}  // namespace velmar::testing
