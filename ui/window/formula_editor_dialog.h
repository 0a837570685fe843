#pragma once
// The formula editor window "Калькулятор": opened by the "f(x).." button of an
// error field, modal over the main window. It shows the field's formula in
// the input line, evaluates it at every change (the value, or the message in
// red), inserts the token of every button at the caret, and "Запомнить"
// writes the formula back into the field as the user's change of that field.
#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmar {
struct Session;
class Edit;
}  // namespace velmar

namespace velmar::window {

class FormulaEditorDialog : public QDialog {
 public:
  FormulaEditorDialog(Session& s, QWidget* parent);

  // Loads the field's formula and the current hints and enabling; the
  // caller shows the window (open() for the tests, exec() for the user).
  void prepare(Edit& field);
  // prepare, then the modal run; returns true when "Запомнить" closed it.
  bool edit(Edit& field);

  QLineEdit* inputLine() const { return input_; }
  QLineEdit* resultBox() const { return result_; }
  QLabel* messageLine() const { return message_; }
  QPushButton* rememberButton() const { return remember_; }
  QPushButton* cancelButton() const { return cancel_; }
  // The button with the given caption ("7", "|", "t\u043d" …), nullptr when there is none.
  QPushButton* button(const QString& caption) const;
  Edit* field() const { return field_; }

 private:
  void evaluate();
  void rememberFormula();

  Session& s_;
  Edit* field_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* result_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* remember_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::vector<QPushButton*> buttons_;  // parallel to kFormulaEditorButtons
};

}  // namespace velmar::window
