#pragma once
// The user's actions on the controls of the main window. The window, the
// batch tool and the tests all deliver input through these, so that a test
// that "types 20 into Tstr" runs exactly what a user's keystrokes run.
#include <string>

namespace velmar {

struct FormContext;
class Edit;
class Choice;
class CheckBox;
class Button;
class StringGrid;
class ComboBox;
class MenuItem;

// Stops and starts TimerProv and sets InputChanged: the calculation runs one
// second after the last input event.
void scheduleCalculation(FormContext& s);

// A key goes down in an edit: its text becomes PrevText and a calculation is
// scheduled; some edits parse the text they hold.
void keyDown(FormContext& s, Edit& edit);
// A key comes up in an edit.
void keyUp(FormContext& s, Edit& edit);
// What every change of an edit's text runs (its onChange): a value edit
// parses the text, then the edit's form rule follows.
void editTextChanged(FormContext& s, Edit& edit);
// The text of an edit changes as the user types (after keyDown).
void changeText(FormContext& s, Edit& edit, std::string text);
// What typing a whole text into an edit does: keyDown, change, keyUp.
void typeText(FormContext& s, Edit& edit, std::string text);
// The user selects an item of a combo box or radio group.
void chooseItem(FormContext& s, Choice& choice, int index);
// The user types a text into an editable combo box (the medium name).
void typeComboText(FormContext& s, ComboBox& box, std::string text);
// The user clicks a check box (its state toggles, its rule runs).
void clickCheckBox(FormContext& s, CheckBox& box);
// The user sets a check box: a click when the state differs.
void setCheckBox(FormContext& s, CheckBox& box, bool checked);
void pressButton(FormContext& s, Button& button);
// Runs the command when it and every menu above it are enabled.
void chooseMenu(FormContext& s, MenuItem& item);
// The user edits a grid cell: the text changes, then the key comes up.
void editCell(FormContext& s, StringGrid& grid, int col, int row, std::string text);

// The same actions on a form that starts no calculation (the settings
// window): the control changes as the user changes it and its own rule runs.
void changeText(Edit& edit, std::string text);
void chooseItem(Choice& choice, int index);
void clickCheckBox(CheckBox& box);
void pressButton(Button& button);

}  // namespace velmar
