#include "uncertainty/formula_editor.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/form_events.h"
#include "measuring_point/session.h"
#include "ui/form_rules.h"
#include "uncertainty/error_formula.h"

namespace velmar {
namespace {

std::string bars(std::string s) {
  for (char& c : s)
    if (c == '|') c = kFormulaBar;
  return s;
}

class FormulaEditorTest : public ::testing::Test {
 protected:
  ManualTimer timer;
  ScriptedEventPump pump;
  Session s{timer, pump, ','};
  FormulaEditorTest() { installFormRules(s); }

  void type(Edit& e, const std::string& text) { typeText(s, e, text); }

  const FormulaEditorButtonState& state(std::string_view caption) {
    states = formulaEditorButtonStates(s);
    const int i = formulaEditorButtonIndex(caption);
    EXPECT_GE(i, 0) << caption;
    return states.at(static_cast<size_t>(i < 0 ? 0 : i));
  }

  std::vector<FormulaEditorButtonState> states;
};

TEST_F(FormulaEditorTest, CaptionsAreUniqueAndEveryTokenIsPartOfTheLanguage) {
  std::set<std::string_view> captions;
  for (const auto& b : kFormulaEditorButtons) {
    EXPECT_TRUE(captions.insert(b.caption).second) << b.caption;
    EXPECT_FALSE(b.token.empty()) << b.caption;
    EXPECT_TRUE(checkFormulaSyntax(b.token)) << b.caption;
  }
  EXPECT_EQ(kFormulaEditorButtons[static_cast<size_t>(formulaEditorButtonIndex("|"))].token, "\x05");
  EXPECT_EQ(formulaEditorButtonIndex("nonexistent"), -1);
}

// Each variable button inserts the name the evaluator reads as that variable:
// a Latin letter where a Cyrillic one belongs (or the other way round) would
// make the formula fail or read another quantity.
TEST_F(FormulaEditorTest, EveryVariableButtonInsertsTheNameOfItsQuantity) {
  chooseItem(s, s.in.Raschet, 1);
  setCheckBox(s, s.in.pr_Rab, true);
  setCheckBox(s, s.in.pr_St, true);
  type(s.in.Qstr, "300");
  type(s.in.TauStr, "2");
  type(s.in.QpredMinStr, "11");
  type(s.in.QpredMaxStr, "12");
  type(s.in.Tstr, "13");
  type(s.in.TminStr, "14");
  type(s.in.TmaxStr, "15");
  type(s.in.PizbStr, "16");
  type(s.in.PizbprednStr, "17");
  type(s.in.PizbPredstr, "18");
  type(s.in.rrab_Str, "19");
  type(s.in.rrabMinStr, "21");
  type(s.in.rrabMaxStr, "22");
  type(s.in.rst_str, "0,7");
  type(s.in.rstMinStr, "23");
  type(s.in.rstMaxStr, "24");
  type(s.in.dPoStr, "25");
  type(s.in.ToStr, "26");
  type(s.in.PizboStr, "27");
  type(s.in.PbaroStr, "28");
  // Pressures reach the formula in the unit of their limit box: Pa here.
  chooseItem(s, s.in.PizbEd, 0);
  chooseItem(s, s.in.PizbPredEd, 0);
  struct Case {
    const char* caption;
    const char* value;
  };
  const Case cases[] = {
      {"Q", "150"},         {"Q\u043d", "11"},      {"Q\u0432", "12"},  {"t", "13"},
      {"t\u043d", "14"},    {"t\u0432", "15"},      {"P", "16"},        {"P\u043d", "17"},
      {"P\u0432", "18"},    {"r", "19"},            {"r\u043d", "21"},  {"r\u0432", "22"},
      {"r\u0441", "0,7"},   {"r\u0441\u043d", "23"}, {"r\u0441\u0432", "24"}, {"rc", "0,7"},
      {"to1", "25"},        {"to2", "26"},          {"to3", "27"},      {"to4", "28"},
  };
  for (const Case& c : cases) {
    const int i = formulaEditorButtonIndex(c.caption);
    ASSERT_GE(i, 0) << c.caption;
    const auto eval = evaluateFormulaEditorText(s, kFormulaEditorButtons[static_cast<size_t>(i)].token);
    EXPECT_EQ(eval.result, c.value) << c.caption;
    EXPECT_TRUE(eval.canRemember) << c.caption;
  }
}

TEST_F(FormulaEditorTest, HintsShowTheCurrentInputsWithTheirUnits) {
  type(s.in.Qstr, "1000");
  type(s.in.TauStr, "3");
  type(s.in.Tstr, "20,5");
  chooseItem(s, s.in.PizbEd, 1);
  type(s.in.PizbStr, "500");
  type(s.in.rrabMinStr, "1,5");
  type(s.in.dPoStr, "25");
  chooseItem(s, s.in.QpredMaxEd, 0);
  type(s.in.QpredMaxStr, "0,2");

  EXPECT_EQ(state("Q").hint, "333,3 м3/ч");
  EXPECT_EQ(state("t").hint, "20,5 °C");
  EXPECT_EQ(state("P").hint, "500 кПа");
  EXPECT_EQ(state("r\u043d").hint, "1,5 кг/м3");
  EXPECT_EQ(state("Q\u0432").hint, "0,2 м3/с");
  EXPECT_EQ(state("to1").hint,
            "25 °C (Температура окружающей среды в месте установки вычислительного устройства (to1))");
  EXPECT_EQ(state("7").hint, "");

  // Q has no value while the period is not positive.
  type(s.in.TauStr, "0");
  EXPECT_EQ(state("Q").hint, "");
}

TEST_F(FormulaEditorTest, QHintFollowsTheDecimalSeparator) {
  ManualTimer t2;
  ScriptedEventPump p2;
  Session dot(t2, p2, '.');
  installFormRules(dot);
  typeText(dot, dot.in.Qstr, "10");
  typeText(dot, dot.in.TauStr, "4");
  const auto st = formulaEditorButtonStates(dot);
  EXPECT_EQ(st[static_cast<size_t>(formulaEditorButtonIndex("Q"))].hint, "2.5 м3/ч");
}

struct EnablingCase {
  bool rab, st, pbar, ambient;
  bool t, pb, r, rs, to4, to1;
};

TEST_F(FormulaEditorTest, ButtonsAreEnabledByTheMeasuringSetup) {
  const EnablingCase cases[] = {
      // rab    st     pbar   ambient  t      pb     r      rs     to4    to1
      {false, false, true, false, true, true, false, false, false, false},
      {false, false, true, true, true, true, false, false, true, true},
      {false, false, false, true, true, false, false, false, false, true},
      {true, false, true, true, false, false, true, false, true, true},
      {true, true, true, false, false, false, true, true, false, false},
  };
  chooseItem(s, s.in.Raschet, 1);
  for (const EnablingCase& c : cases) {
    setCheckBox(s, s.in.pr_Pbar, c.pbar);
    setCheckBox(s, s.in.pr_Rab, c.rab);
    setCheckBox(s, s.in.pr_St, c.st);
    for (CheckBox* box : {&s.in.dPoCheck, &s.in.ToCheck, &s.in.PizboCheck, &s.in.PbaroCheck}) {
      setCheckBox(s, *box, c.ambient);
    }
    const std::string where = std::string("rab=") + std::to_string(c.rab) + " st=" + std::to_string(c.st) +
                              " pbar=" + std::to_string(c.pbar) + " ambient=" + std::to_string(c.ambient);
    for (const char* name : {"t", "t\u043d", "t\u0432", "P", "P\u043d", "P\u0432"}) {
      EXPECT_EQ(state(name).enabled, c.t) << name << " " << where;
    }
    for (const char* name : {"P\u0431", "P\u0431\u043d", "P\u0431\u0432"}) {
      EXPECT_EQ(state(name).enabled, c.pb) << name << " " << where;
    }
    for (const char* name : {"r", "r\u043d", "r\u0432"}) EXPECT_EQ(state(name).enabled, c.r) << name << " " << where;
    for (const char* name : {"r\u0441", "r\u0441\u043d", "r\u0441\u0432"}) {
      EXPECT_EQ(state(name).enabled, c.rs) << name << " " << where;
    }
    EXPECT_EQ(state("to4").enabled, c.to4) << where;
    for (const char* name : {"to1", "to2", "to3"}) EXPECT_EQ(state(name).enabled, c.to1) << name << " " << where;
    for (const char* name : {"0", "9", ",", "+", "^", "(", "|", "Q", "Q\u043d", "Q\u0432", "rc", "n2", "co2"}) {
      EXPECT_TRUE(state(name).enabled) << name << " " << where;
    }
  }
}

TEST_F(FormulaEditorTest, LiveEvaluationShowsTheValueOrTheMessage) {
  type(s.in.Tstr, "20");
  auto ok = evaluateFormulaEditorText(s, bars("0,5+0,01*|t|"));
  EXPECT_EQ(ok.result, "0,7");
  EXPECT_EQ(ok.message, "");
  EXPECT_TRUE(ok.canRemember);

  EXPECT_EQ(evaluateFormulaEditorText(s, "1/3").result, "0,33333333");
  EXPECT_EQ(evaluateFormulaEditorText(s, "2000/3").result, "666,66667");
  EXPECT_EQ(evaluateFormulaEditorText(s, "").result, "0");

  struct Bad {
    const char* text;
    const char* message;
  };
  const Bad bad[] = {
      {"2*", "Отсутствует операнд"},          {"1,2,3", "Два или более разделителя в числе"},
      {"(2+3", "Не согласованы скобки"},       {"2/(1-1)", "Деление на ноль"},
      {"Q5", "Отсутствует операция"},          {"|", "Ошибка в выражении"},
  };
  for (const Bad& b : bad) {
    const auto e = evaluateFormulaEditorText(s, b.text);
    EXPECT_EQ(e.result, "") << b.text;
    EXPECT_EQ(e.message, b.message) << b.text;
    EXPECT_FALSE(e.canRemember) << b.text;
  }
}

TEST_F(FormulaEditorTest, RememberWritesTheValueBehindAFormulaOnlyInAnErrorCalculation) {
  type(s.in.Tstr, "20");
  const std::string formula = bars("0,5+0,01*|t|");
  EXPECT_EQ(formulaEditorFieldText(s, formula), formula);
  chooseItem(s, s.in.Raschet, 1);
  EXPECT_EQ(formulaEditorFieldText(s, formula), formula + " = 0,7");
  // A plain number stays as typed.
  EXPECT_EQ(formulaEditorFieldText(s, "0,50"), "0,50");
}

TEST_F(FormulaEditorTest, TheEditorOpensWithoutTheDisplayPart) {
  EXPECT_EQ(formulaEditorInitialText(bars("0,5+0,01*|t| = 0,7")), bars("0,5+0,01*|t|"));
  EXPECT_EQ(formulaEditorInitialText("0,5"), "0,5");
  EXPECT_EQ(formulaEditorInitialText(""), "");
}

}  // namespace
}  // namespace velmar
