#pragma once
// The formula editor "Калькулятор" without its window: the buttons that insert
// the tokens of an error formula, their hints with the current inputs and
// their enabling, the live evaluation of the input line and the text that
// "Запомнить" writes into the field that opened the editor.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

struct ErrorContext;

struct FormulaEditorButton {
  std::string_view caption;  // what the button shows
  std::string_view token;    // what it inserts at the caret
};

// Digits, the separator, the operators, the brackets, the bar (inserted as the
// control character 5) and the variables. "rс" (Cyrillic с, with the density
// meter at standard conditions) and "rc" (Latin, always available) both
// insert the Latin "rc".
inline constexpr auto kFormulaEditorButtons = std::to_array<FormulaEditorButton>({
    {"0", "0"},
    {"1", "1"},
    {"2", "2"},
    {"3", "3"},
    {"4", "4"},
    {"5", "5"},
    {"6", "6"},
    {"7", "7"},
    {"8", "8"},
    {"9", "9"},
    {",", ","},
    {"+", "+"},
    {"-", "-"},
    {"*", "*"},
    {"/", "/"},
    {"^", "^"},
    {"(", "("},
    {")", ")"},
    {"|", "\x05"},
    {"Q", "Q"},
    {"Q\u043d", "Q\u043d"},
    {"Q\u0432", "Q\u0432"},
    {"t", "t"},
    {"t\u043d", "t\u043d"},
    {"t\u0432", "t\u0432"},
    {"P", "P"},
    {"P\u043d", "P\u043d"},
    {"P\u0432", "P\u0432"},
    {"P\u0431", "P\u0431"},
    {"P\u0431\u043d", "P\u0431\u043d"},
    {"P\u0431\u0432", "P\u0431\u0432"},
    {"r", "r"},
    {"r\u043d", "r\u043d"},
    {"r\u0432", "r\u0432"},
    {"r\u0441", "rc"},
    {"r\u0441\u043d", "r\u0441\u043d"},
    {"r\u0441\u0432", "r\u0441\u0432"},
    {"rc", "rc"},
    {"n2", "n2"},
    {"co2", "co2"},
    {"to1", "to1"},
    {"to2", "to2"},
    {"to3", "to3"},
    {"to4", "to4"},
});

// Index of the button with the given caption, -1 when there is none.
int formulaEditorButtonIndex(std::string_view caption);

struct FormulaEditorButtonState {
  bool enabled = true;
  std::string hint;  // the current input the variable stands for; empty for the others
};

// States of kFormulaEditorButtons, in their order, for
// the current inputs as the editor is shown.
std::vector<FormulaEditorButtonState> formulaEditorButtonStates(const ErrorContext& s);

// The text the input line opens with: the field's text without the display part.
std::string formulaEditorInitialText(std::string_view fieldText);

struct FormulaEditorEvaluation {
  std::string result;   // the result box: the value with up to 8 significant digits; empty on an error
  std::string message;  // the red message line: empty on success
  bool canRemember = false;  // "Запомнить" is enabled
};

// Evaluates the input line with the current values of the variables.
FormulaEditorEvaluation evaluateFormulaEditorText(const ErrorContext& s, std::string_view text);

// The field text "Запомнить" writes: the input line, followed for a formula in
// an error calculation by " = " and its value as an evaluated field shows it.
std::string formulaEditorFieldText(const ErrorContext& s, std::string_view text);

}  // namespace velmar
