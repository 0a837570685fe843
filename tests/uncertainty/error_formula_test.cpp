#include "uncertainty/error_formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace velmar {
namespace {

// Tests write the absolute-value bar as "|"; the stored text has the character 5.
std::string bars(std::string s) {
  for (char& c : s)
    if (c == '|') c = kFormulaBar;
  return s;
}

FormulaVariables pointVariables() {
  FormulaVariables v;
  v.Q = 120.0;
  v.t = 20.0;
  v.to1 = 25.0;
  return v;
}

FormulaResult eval(const std::string& text, const FormulaVariables& v = pointVariables()) {
  return evalFormula(bars(text), v);
}

TEST(ErrorFormula, TemperatureDependentErrorIsSymmetricInT) {
  for (double t : {-20.0, 20.0}) {
    FormulaVariables v = pointVariables();
    v.t = t;
    const FormulaResult r = eval("0,5+0,01*|t|", v);
    ASSERT_EQ(r.code, 0) << t;
    EXPECT_DOUBLE_EQ(r.value, 0.7) << t;
    EXPECT_EQ(r.display, "0,7");
    EXPECT_TRUE(r.isFormula);
  }
}

struct ValueCase {
  const char* text;
  double expected;
};

TEST(ErrorFormula, PrecedenceAssociativityAndGroups) {
  const ValueCase cases[] = {
      {"2^3^2", 64},       {"2+3*4^2", 50},   {"(2+3)*4", 20},       {"(5)", 5},
      {"((5))", 5},        {"8-3-2", 3},      {"64/4/2", 8},         {"2*3^2", 18},
      {"10-2*3", 4},       {"(1+2)*(3+4)", 21}, {"|2-5|*2", 6},      {"2*|3-5|+1", 5},
      {"|(1-3)|", 2},      {"(|1-3|)", 2},    {"|1-3|*|2-6|", 8},    {"-t", -20},
      {"-2^2", -4},        {"-(2+3)*2", -10}, {"-t+1", -19},         {"1,5*2", 3},
      {"1,", 1},           {"0,25", 0.25},    {"007", 7},            {"t/to1", 0.8},
      {"2^(1/2)*2^(1/2)", std::sqrt(2.0) * std::sqrt(2.0)},         {"(0-2)^3", -8},
      {"0^0", 1},          {"10^(0-400)", 0}, {"Q*t/(to1-5)", 120},
  };
  for (const ValueCase& c : cases) {
    const FormulaResult r = eval(c.text);
    EXPECT_EQ(r.code, 0) << c.text;
    EXPECT_DOUBLE_EQ(r.value, c.expected) << c.text;
  }
  FormulaVariables v = pointVariables();
  v.t = -7.5;
  EXPECT_DOUBLE_EQ(eval("|t|", v).value, 7.5);
  v.t = 15;
  EXPECT_DOUBLE_EQ(eval("-t", v).value, -15);
}

struct CodeCase {
  const char* text;
  int code;
};

TEST(ErrorFormula, FaultyTextsGetTheirCode) {
  const CodeCase cases[] = {
      // Character and neighbour check.
      {"2*-t", 6}, {"(-t)", 6}, {"2(3)", 6}, {"to5", 6}, {"()", 6}, {"(2)3", 6}, {"tt", 6},
      {"2,+3", 6}, {"2 + 3", 6}, {"x", 6}, {"2|3", 2}, {"P(", 6}, {"\xD0", 6}, {"\xD0\xA0", 6},
      // Operands missing.
      {"2*", 5}, {"*2", 5}, {"+2", 5}, {"^2", 5}, {"-", 5}, {"|t||t|", 5},
      // Reading.
      {"1,2,3", 1}, {"1,2,", 1}, {",5", 3}, {"2+,5", 3}, {"Q5", 2}, {"rr", 2}, {"co1", 2},
      {"n3", 2}, {"(2)(3)", 2}, {"rс", 2}, {"б", 6}, {"o1", 6}, {"|*2|", 6}, {"|-t|", 6},
      // Brackets.
      {"(2+3", 4}, {"t)", 4}, {"|t", 4}, {"(|t)|", 4}, {"|(t|)", 4}, {"t|+|5", 4}, {"(", 4},
      // Nested bar pairs are refused, also through parentheses.
      {"|2*|t|-5|", 6}, {"|2*(|t-1|+1)|", 6}, {"|(|t|)|", 6},
      // Arithmetic.
      {"2/(1-1)", 7}, {"1/0,0", 7}, {"1/(t-t)", 7}, {"0^(0-1)", 7}, {"(0-8)^(1/3)", 6},
      {"10^400", 6}, {"10^300*10^300", 6}, {"1/10^(0-300)/10^(0-300)", 6},
  };
  for (const CodeCase& c : cases) {
    const FormulaResult r = eval(c.text);
    EXPECT_EQ(r.code, c.code) << c.text;
    EXPECT_EQ(r.value, 0.0) << c.text;
    EXPECT_EQ(r.display, formulaMessage(c.code)) << c.text;
  }
  EXPECT_EQ(eval("2*-t").display, "Ошибка в выражении");
  EXPECT_EQ(eval("2*").display, "Отсутствует операнд");
  EXPECT_EQ(eval("1,2,3").display, "Два или более разделителя в числе");
  EXPECT_EQ(eval(",5").display, "Неправильная позиция разделителя в числе");
  EXPECT_EQ(eval("(2+3").display, "Не согласованы скобки");
  EXPECT_EQ(eval("2/(1-1)").display, "Деление на ноль");
  EXPECT_EQ(eval("Q5").display, "Отсутствует операция");
}

TEST(ErrorFormula, LiteralsOutsideTheDoubleRange) {
  EXPECT_EQ(eval("1" + std::string(400, '0')).code, 6);
  const FormulaResult tiny = eval("0," + std::string(400, '0') + "1");
  EXPECT_EQ(tiny.code, 0);
  EXPECT_EQ(tiny.value, 0.0);
}

TEST(ErrorFormula, EveryVariableNameReadsItsOwnValue) {
  FormulaVariables v;
  std::vector<std::pair<const char*, double*>> names = {
      {"Qн", &v.Qn}, {"Qв", &v.Qv}, {"t", &v.t},     {"tн", &v.tn},   {"tв", &v.tv},   {"P", &v.P},
      {"Pн", &v.Pn}, {"Pв", &v.Pv}, {"Pб", &v.Pb},   {"Pбн", &v.Pbn}, {"Pбв", &v.Pbv}, {"r", &v.r},
      {"rн", &v.rn}, {"rв", &v.rv}, {"rc", &v.rc},   {"rсн", &v.rsn}, {"rсв", &v.rsv}, {"n2", &v.n2},
      {"n", &v.n2},  {"co2", &v.co2}, {"c", &v.co2}, {"to1", &v.to1}, {"to2", &v.to2}, {"to3", &v.to3},
      {"to4", &v.to4}};
  for (std::size_t i = 0; i < names.size(); ++i) *names[i].second = 1.5 + static_cast<double>(i);
  v.Q = 99.0;
  for (const auto& [name, field] : names) {
    const FormulaResult r = evalFormula(name, v);
    EXPECT_EQ(r.code, 0) << name;
    EXPECT_EQ(r.value, *field) << name;
  }
  EXPECT_EQ(evalFormula("Q", v).value, 99.0);
  EXPECT_EQ(evalFormula("Pбн-Pб", v).value, v.Pbn - v.Pb);
  EXPECT_EQ(evalFormula("n2*c", v).value, v.n2 * v.co2);
}

TEST(ErrorFormula, QWithoutAPeriodHasNoValue) {
  FormulaVariables v = pointVariables();
  EXPECT_EQ(evalFormula("0,2*Qв/Q", v).code, 0);
  v.Q.reset();
  const FormulaResult r = evalFormula("0,2*Qв/Q", v);
  EXPECT_EQ(r.code, 6);
  EXPECT_EQ(r.value, 0.0);
  EXPECT_EQ(evalFormula("0,2*Qв", v).code, 0);
  v.t = std::nan("");
  EXPECT_EQ(evalFormula("t", v).code, 6);
  v.t = HUGE_VAL;
  EXPECT_EQ(evalFormula("t", v).code, 6);
}

TEST(ErrorFormula, LongTextsAreReadInOnePass) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "(\x05";
  EXPECT_EQ(evalFormula(deep + "1", pointVariables()).code, 4);
  EXPECT_EQ(evalFormula(std::string(1000000, '7'), pointVariables()).code, 6);  // overflows
}

TEST(ErrorFormula, SlotCapacity) {
  auto sum = [](int terms) {
    std::string s = "1";
    for (int i = 1; i < terms; ++i) s += "+1";
    return s;
  };
  EXPECT_EQ(eval(sum(20)).value, 20);
  EXPECT_EQ(eval(sum(21)).code, 6);
  EXPECT_EQ(eval("-" + sum(19)).value, 17);  // the leading 0 takes a slot
  EXPECT_EQ(eval("-" + sum(20)).code, 6);
  EXPECT_EQ(eval("(" + sum(18) + ")").value, 18);  // "(" and ")" take a slot each
  EXPECT_EQ(eval("(" + sum(19) + ")").code, 6);
}

TEST(ErrorFormula, DisplayPartAndPlainNumbers) {
  EXPECT_EQ(eval("2+3 = 99").value, 5);
  EXPECT_EQ(eval("2+3=99").code, 5);  // the character before "=" belongs to the display part
  EXPECT_EQ(eval("Qв=1").value, 120);  // a two-byte letter is removed whole
  EXPECT_EQ(prepareFormulaText(" = 0,7"), "");
  const FormulaResult empty = eval("");
  EXPECT_EQ(empty.code, 0);
  EXPECT_EQ(empty.value, 0.0);
  EXPECT_FALSE(empty.isFormula);
  for (const char* plain : {"0,5", "-5", "12", "5,", "0,5 = 3"}) EXPECT_FALSE(eval(plain).isFormula) << plain;
  for (const char* formula : {"t", "2+3", ",5", "2*", "|5|"}) EXPECT_TRUE(eval(formula).isFormula) << formula;
  const FormulaResult negZero = eval("0*(0-1)");
  EXPECT_FALSE(std::signbit(negZero.value));
  EXPECT_EQ(negZero.display, "0");
}

TEST(ErrorFormula, SyntaxCheck) {
  for (const char* ok : {"", "0,5+0,01*|t|", "|t|*2", "2*|t|", "Pбн", "rсв+rc", "to4", "3 = x y"})
    EXPECT_TRUE(checkFormulaSyntax(bars(ok))) << ok;
  for (const char* bad : {"(+1", "(^2", "(5)1", "(5)t", "1*)", "1-+2", "1,(", "1,t", "2Q", "tP", "нt",
                          "o5", "2 ", "a"})
    EXPECT_FALSE(checkFormulaSyntax(bars(bad))) << bad;
  EXPECT_FALSE(checkFormulaSyntax("|"));  // a typed "|" is not the bar
}

TEST(ErrorFormulaText, ValueDisplayKeepsThreeSignificantDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.7, "0,7"},          {0, "0"},             {1234.5, "1230"},    {0.012345, "0,0123"},
      {-0.0045678, "-0,00457"}, {1.0 / 3, "0,333"}, {2.0 / 3, "0,667"}, {0.9996, "1"},
      {99.96, "100"},        {2.125, "2,12"},      {3.625, "3,62"},     {1.375, "1,38"},
      {12.25, "12,2"},        {0.3345, "0,334"},
      {0.000001234, "0,000001"}, {0.0000015, "0,000002"}, {0.0000025, "0,000002"},
      {0.0000001, "0"},      {-0.0000001, "0"},    {1e20, "100000000000000000000"},
  };
  for (const auto& [v, text] : cases) EXPECT_EQ(formatFormulaValue(v), text) << v;
}

TEST(ErrorFormulaText, HintAndEditorValues) {
  const std::pair<double, const char*> hints[] = {
      {0.7, "0,7"},         {1.0 / 3, "0,3333333333"}, {2.0 / 3, "0,6666666667"}, {100, "100"},
      {-2.5, "-2,5"},       {std::ldexp(1.0, -11), "0,0004882812"},
      {3 * std::ldexp(1.0, -11), "0,0014648438"}, {1e-11, "0"}, {-1e-11, "0"},
  };
  for (const auto& [v, text] : hints) EXPECT_EQ(formatFormulaHintValue(v), text) << v;
  const std::pair<double, const char*> editor[] = {
      {0.7, "0,7"},   {1.0 / 3, "0,33333333"}, {123456789, "123456790"}, {1e-10, "0,0000000001"},
      {-12.5, "-12,5"}, {0, "0"},              {100, "100"},             {1e20, "100000000000000000000"},
  };
  for (const auto& [v, text] : editor) EXPECT_EQ(formatFormulaEditorValue(v), text) << v;
}

TEST(ErrorFormulaText, FieldAndHintTexts) {
  const std::string formula = bars("0,5+0,01*|t|");
  const FormulaVariables v = pointVariables();
  FormulaFieldTexts f = formulaFieldTexts(formula, evalFormula(formula, v), true);
  EXPECT_EQ(f.text, formula + " = 0,7");
  EXPECT_EQ(f.hint, formula + " =0,7");
  const std::string stale = formula + " = 0,9";  // an old display part is replaced
  EXPECT_EQ(formulaFieldTexts(stale, evalFormula(stale, v), true).text, formula + " = 0,7");
  f = formulaFieldTexts(stale, evalFormula(stale, v), false);
  EXPECT_EQ(f.text, formula);
  EXPECT_EQ(f.hint, formula);
  f = formulaFieldTexts("2* = 5", evalFormula("2* = 5", v), true);  // failed: the formula alone
  EXPECT_EQ(f.text, "2*");
  EXPECT_EQ(f.hint, "2*");
  f = formulaFieldTexts("0,5", evalFormula("0,5", v), true);
  EXPECT_EQ(f.text, "0,5");
  EXPECT_EQ(f.hint, "0,5");
  f = formulaFieldTexts("0,5 = 3", evalFormula("0,5 = 3", v), true);  // a plain number stays as typed
  EXPECT_EQ(f.text, "0,5 = 3");
  EXPECT_EQ(f.hint, "0,5 =0,5");
}

// Random texts over the alphabet of the language and a few foreign characters:
// every text ends with a code of the table and a finite value.
TEST(ErrorFormulaRandom, AnyTextEndsWithACodeAndAFiniteValue) {
  const std::vector<std::string> alphabet = {
      "0", "1", "2", "5", "9", ",", ",", "+", "-", "*", "/", "^", "(", ")", "(", ")", "\x05", "\x05",
      "P", "Q", "c", "n", "o", "r", "t", "б", "в", "н", "с", "2", "1", "=", " ", "|", "x", "\xD0", "\xFF"};
  std::mt19937 rng(20240601);
  FormulaVariables v = pointVariables();
  v.P = 1e300;
  v.r = -3.5;
  v.n2 = 0.0;
  for (int i = 0; i < 200000; ++i) {
    v.Q = i % 7 == 0 ? std::nullopt : std::optional<double>(120.0);
    std::string text;
    const int len = static_cast<int>(rng() % 24);
    for (int k = 0; k < len; ++k) text += alphabet[rng() % alphabet.size()];
    const FormulaResult r = evalFormula(text, v);
    ASSERT_GE(r.code, 0) << text;
    ASSERT_LE(r.code, 7) << text;
    ASSERT_TRUE(std::isfinite(r.value)) << text;
    if (r.code != 0) {
      ASSERT_EQ(r.value, 0.0) << text;
      ASSERT_EQ(r.display, formulaMessage(r.code)) << text;
    }
    if (!checkFormulaSyntax(text)) {
      ASSERT_EQ(r.code, 6) << text;
    }
    // Number texts hold digits, a comma and a leading minus only: never nan or inf.
    const FormulaFieldTexts f = formulaFieldTexts(text, r, true);
    const std::size_t eq = f.hint.rfind('=');
    if (r.code == 0) {
      ASSERT_EQ(r.display.find_first_not_of("-0123456789,"), std::string::npos) << text;
    }
    if (eq != std::string::npos) {
      ASSERT_EQ(f.hint.find_first_not_of("-0123456789,", eq + 1), std::string::npos) << text;
    }
  }
}

// Random well-formed expressions, built as trees with a known value, must
// evaluate to exactly the value of the tree (the same operations in the same
// order), or fail when the tree's arithmetic has no finite value.
struct Node {
  char op = 0;  // 0 leaf, '|' absolute value, '(' redundant parentheses, else a binary operator
  std::string text;
  double value = 0.0;
  std::unique_ptr<Node> a, b;
};

int precedence(const Node& n) {
  switch (n.op) {
    case '+': case '-': return 1;
    case '*': case '/': return 2;
    case '^': return 3;
    default: return 4;
  }
}

struct TreeOutcome {
  bool ok = true;
  double value = 0.0;
  int slots = 0;
  bool nestedBars = false;
};

std::string render(const Node& n, TreeOutcome& out, bool insideBars) {
  if (n.op == 0) {
    ++out.slots;
    return n.text;
  }
  if (n.op == '|' || n.op == '(') {
    out.slots += 2;
    if (n.op == '|' && insideBars) out.nestedBars = true;
    const std::string inner = render(*n.a, out, insideBars || n.op == '|');
    return n.op == '|' ? "\x05" + inner + "\x05" : "(" + inner + ")";
  }
  auto side = [&](const Node& child, bool right) {
    const bool group = precedence(child) < precedence(n) || (right && precedence(child) == precedence(n));
    if (group) out.slots += 2;
    const std::string s = render(child, out, insideBars);
    return group ? "(" + s + ")" : s;
  };
  const std::string left = side(*n.a, false);
  return left + n.op + side(*n.b, true);
}

double evaluateTree(const Node& n, bool& ok) {
  if (n.op == 0) return n.value;
  const double x = evaluateTree(*n.a, ok);
  if (n.op == '|') return std::fabs(x);
  if (n.op == '(') return x;
  const double y = evaluateTree(*n.b, ok);
  double r = 0.0;
  switch (n.op) {
    case '+': r = x + y; break;
    case '-': r = x - y; break;
    case '*': r = x * y; break;
    case '/': ok = ok && y != 0.0; r = ok ? x / y : 0.0; break;
    default:
      ok = ok && !(x == 0.0 && y < 0.0) && !(x < 0.0 && std::trunc(y) != y);
      r = ok ? std::pow(x, y) : 0.0;
  }
  ok = ok && std::isfinite(r);
  return r;
}

std::unique_ptr<Node> randomTree(std::mt19937& rng, int depth, const FormulaVariables& v) {
  auto n = std::make_unique<Node>();
  const unsigned pick = rng() % 10;
  if (depth == 0 || pick < 3) {
    static const std::pair<const char*, double> numbers[] = {{"2", 2}, {"0,5", 0.5}, {"13", 13}, {"1,25", 1.25},
                                                             {"0", 0}, {"3", 3},     {"0,1", 0.1}};
    const std::pair<const char*, double> variables[] = {{"t", v.t}, {"Q", *v.Q}, {"Pбн", v.Pbn}, {"rсв", v.rsv},
                                                        {"to3", v.to3}, {"c", v.co2}};
    const auto& [text, value] = rng() % 2 ? numbers[rng() % 7] : variables[rng() % 6];
    n->text = text;
    n->value = value;
    return n;
  }
  n->op = pick == 3 ? '|' : pick == 4 ? '(' : "+-*/^"[rng() % 5];
  n->a = randomTree(rng, depth - 1, v);
  if (n->op != '|' && n->op != '(') n->b = randomTree(rng, depth - 1, v);
  return n;
}

TEST(ErrorFormulaRandom, WellFormedExpressionsMatchTheirTree) {
  FormulaVariables v;
  v.t = -7.5;
  v.Q = 12.3;
  v.Pbn = 0.0;
  v.rsv = 0.68;
  v.to3 = 21.0;
  v.co2 = 1.9;
  std::mt19937 rng(7);
  int compared = 0;
  for (int i = 0; i < 30000; ++i) {
    const auto tree = randomTree(rng, 1 + static_cast<int>(rng() % 5), v);
    TreeOutcome out;
    std::string text = render(*tree, out, false);
    bool ok = true;
    double expected = evaluateTree(*tree, ok);
    if (text.rfind("0-", 0) == 0 && rng() % 2) text.erase(0, 1);  // "-x" reads as "0-x"
    const FormulaResult r = evalFormula(text, v);
    if (out.nestedBars) {  // refused, or "||" reported as a missing operand
      EXPECT_TRUE(r.code == 5 || r.code == 6) << text << " gave " << r.code;
    } else if (out.slots > kFormulaSlots) {
      EXPECT_EQ(r.code, 6) << text;
    } else if (!ok) {
      EXPECT_TRUE(r.code == 6 || r.code == 7) << text << " gave " << r.code;
    } else {
      ASSERT_EQ(r.code, 0) << text;
      EXPECT_EQ(r.value, expected == 0.0 ? 0.0 : expected) << text;
      ++compared;
    }
  }
  EXPECT_GT(compared, 10000);
}

}  // namespace
}  // namespace velmar
