#pragma once
// The about window "О программе": the program's name and version.
#include <QDialog>

class QLabel;

namespace velmar::window {

class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent);
  QLabel* versionLabel() const { return version_; }

 private:
  QLabel* version_ = nullptr;
};

}  // namespace velmar::window
