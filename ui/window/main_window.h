#pragma once
// The main window TForm2: the menus, the page control with every tab of the
// form model, the result pane Memo1 and the message pane Memo2 side by side
// under a splitter, and the status line Panel3 (status text, date, progress
// bar, clock).
#include <QColor>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

#include "ui/status_clock.h"

class QSplitter;

namespace velmar {
struct Session;
class Edit;
class Button;
}  // namespace velmar

namespace velmar::window {

class FormBinding;
class FormulaEditorDialog;
class ReportMenu;

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(Session& s);
  ~MainWindow() override;

  FormBinding& binding() const { return *binding_; }
  FormulaEditorDialog& formulaEditor() const { return *editor_; }
  ReportMenu& reportMenu() const { return *report_; }
  QSplitter* panesSplitter() const { return panes_; }

  // Shows a text in the status line in the given colour, bold when asked;
  // after the given number of seconds the text goes and the font is plain again.
  void ShowStatusText(const QString& text, const QColor& colour, bool bold, int seconds);

  // The "f(x).." button of an error field: the formula editor for that field.
  void openFormulaEditor(Edit& field);

 protected:
  // The status text is bold while the progress bar of a long run shows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setStatusBold(bool bold);
  void clearStatusText();
  void tickClock();

  Session& s_;
  std::unique_ptr<FormBinding> binding_;
  FormulaEditorDialog* editor_ = nullptr;
  std::unique_ptr<ReportMenu> report_;
  QSplitter* panes_ = nullptr;
  QTimer statusTimer_;
  QTimer clockTimer_;
  StatusClock clock_;
  std::vector<Button*> formulaButtons_;  // the "f(x).." buttons whose click this window handles
};

// The default geometry: sized to show the tabs and both panes on a
// 1366×768 screen, centred on the available area of the screen.
void placeOnScreen(QMainWindow& window);

}  // namespace velmar::window
