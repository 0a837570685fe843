#pragma once
// One user input addressed by the name of its control, "NAME=VALUE": an edit
// gets the text VALUE typed into it; a combo box or radio group selects item
// VALUE (0 is the first); an editable combo box gets VALUE as its text; a
// check box is set checked (1) or unchecked (0); a grid cell is addressed as
// NAME[col,row]=TEXT; a button or menu command is pressed with NAME=click.
// The batch tool, the tests, the input-data file and the settings go through
// here, so that a named input does exactly what the user's action does.
#include <optional>
#include <string>
#include <string_view>

namespace velmar {

struct Session;
class Control;

// What a text that does not convert into a number does.
enum class TextCheck {
  // It is refused with an error naming the control and the text.
  Strict,
  // It is typed like any other: the edit brings its previous text back
  // silently, as the window does.
  Lenient,
};

// A named input checked against the registry, ready to be applied.
struct NamedInput {
  enum class Action {
    TypeText,      // an edit: keyDown, the change, keyUp
    TypeComboText, // an editable combo box: its text
    ChooseItem,    // a combo box or radio group: item `index`
    SetCheck,      // a check box: checked when `index` is 1
    Press,         // a button or a menu command
    EditCell,      // a grid cell [col, row]: its text
  };
  Action action = Action::TypeText;
  Control* control = nullptr;
  std::string text;
  int index = 0;
  int col = 0;
  int row = 0;
};

// The input, or the reason it cannot be applied.
struct NamedInputResult {
  std::optional<NamedInput> input;
  std::string error;  // one line, empty when `input` is set
};

// Reads "NAME=VALUE" or "NAME[col,row]=VALUE" and checks it against the
// controls: the name is known and takes input (a control the window shows
// disabled, or inside a disabled one, takes none), an item index is one of the
// items, a check state is 0 or 1, a button takes "click", a cell is an input
// cell of the grid, an index is a decimal integer within int; with
// TextCheck::Strict the text of a number edit or a composition cell converts
// with the session's decimal separator. Throws nothing but std::bad_alloc.
NamedInputResult readNamedInput(const Session& s, std::string_view assignment, TextCheck check);

// Applies a checked input as the window applies the user's action.
void applyNamedInput(Session& s, const NamedInput& input);

// Reads and applies; returns the error, empty when the input was applied.
std::string applyNamedInput(Session& s, std::string_view assignment, TextCheck check);

// "TARGET does not take the text '…': it is no number with the decimal
// separator ','", for a text refused where a number is needed.
std::string textNotTaken(std::string_view target, std::string_view text, char separator);

// The text of a user's input quoted for a one-line message: in single quotes,
// at most its first 200 characters (an ellipsis marks the rest), control
// characters shown as '?'.
std::string quotedInput(std::string_view text);

}  // namespace velmar
