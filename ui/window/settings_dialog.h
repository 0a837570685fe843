#pragma once
// The settings window TForm1 "Настройка", built from the settings model by
// the generic binders as the main window is built from the input record:
// the tabs "Настройка" and "Пользователи" and the buttons under them. It
// opens modal and centred over the main window; closing it with Esc or the
// window's close button is "Закрыть".
#include <QDialog>
#include <memory>

namespace velmar {
struct Session;
}

namespace velmar::window {

class FormBinding;

class SettingsDialog : public QDialog {
 public:
  SettingsDialog(Session& s, QWidget* parent);
  ~SettingsDialog() override;

  FormBinding& binding() const { return *binding_; }
  // "Настройка программы": the load dialog opens in "Velmar", the new-user
  // box is hidden, and the window opens modal, centred over the main window.
  void openSettings();
  // Esc, the window's close button: "Закрыть".
  void reject() override;

 private:
  Session& s_;
  std::unique_ptr<FormBinding> binding_;
};

}  // namespace velmar::window
