#pragma once
// The main window TForm2: the menus, the page control with every tab of the
// form model, the result pane Memo1 and the message pane Memo2 side by side
// under a splitter, and the status line Panel3 (status text, date, progress
// bar, clock). It owns the settings window, the about window and the formula
// editor. startProgram() runs the start of a session (the program's folder,
// the window geometry, the settings, the input data, the status text); the
// window's close then ends it (the session file and the geometry are written).
#include <QColor>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "ui/status_clock.h"

class QSplitter;

namespace velmar {
struct Session;
struct WindowGeometry;
struct LoadResult;
class Edit;
class Button;
class UserDialogs;
}  // namespace velmar

namespace velmar::window {

class AboutDialog;
class FormBinding;
class FormulaEditorDialog;
class ReportMenu;
class SettingsDialog;

class MainWindow : public QMainWindow {
 public:
  // The file dialogs and message boxes are the given ones, or Qt's.
  explicit MainWindow(Session& s, UserDialogs* dialogs = nullptr);
  ~MainWindow() override;

  FormBinding& binding() const { return *binding_; }
  FormulaEditorDialog& formulaEditor() const { return *editor_; }
  ReportMenu& reportMenu() const { return *report_; }
  SettingsDialog& settingsWindow() const { return *settings_; }
  AboutDialog& aboutWindow() const { return *about_; }
  QSplitter* panesSplitter() const { return panes_; }

  // The start of a session, before the window is shown: the folder "Velmar"
  // is made when missing, the dialogs open in the start folder, the saved
  // geometry is restored when the settings say TipPos (otherwise the window
  // is centred), the settings and the users are read, then the input data of
  // the start-up file or of the previous session (the defaults when they
  // cannot be read), and the status line says what was loaded. Once it has
  // run, closing the window writes the session file and the geometry.
  void startProgram();

  // Opens an input-data file as "Загрузить" does when the user chooses it in
  // the load dialog (the same messages for a file that is missing, empty,
  // unreadable or read in part, the load dialog then in its folder); the
  // status line says that its data were loaded. The desktop opens a .vdt
  // file this way: `velmar FILE.vdt`.
  bool openInputFile(const std::string& path);

  // The geometry as it would be saved now, and the saved one applied: the
  // main window within the screen, the settings window's size, the message
  // pane at least 200 pixels wide.
  WindowGeometry currentGeometry() const;
  void RestoreWindowGeometry(const WindowGeometry& g);

  // Shows a text in the status line in the given colour, bold when asked;
  // after the given number of seconds the text goes and the font is plain again.
  void ShowStatusText(const QString& text, const QColor& colour, bool bold, int seconds);
  // The status line after a load: what it loaded, or what it could not take.
  void showLoadResult(const LoadResult& r);

  // The "f(x).." button of an error field: the formula editor for that field.
  void openFormulaEditor(Edit& field);

 protected:
  // The status text is bold while the progress bar of a long run shows.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Shut-down of a started session: the session file and the geometry.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void setStatusBold(bool bold);
  void clearStatusText();
  void tickClock();
  void installMenus();
  void applyPaneWidth();
  void FormClose();

  Session& s_;
  std::unique_ptr<UserDialogs> ownDialogs_;
  UserDialogs& dialogs_;
  std::unique_ptr<FormBinding> binding_;
  FormulaEditorDialog* editor_ = nullptr;
  std::unique_ptr<ReportMenu> report_;
  SettingsDialog* settings_ = nullptr;
  AboutDialog* about_ = nullptr;
  bool started_ = false;
  int pendingPaneWidth_ = 0;  // the message pane's saved width, set once the window is laid out
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
