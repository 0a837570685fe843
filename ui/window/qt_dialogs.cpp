#include "ui/window/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "persistence/settings.h"
#include "ui/window/qt_text.h"

namespace velmar::window {

std::string QtUserDialogs::chooseFile(Kind kind, const FileDialog& d) {
  QFileDialog dialog(parent_, toQt(d.title), toQt(d.initialDir));
  dialog.setNameFilter(toQt(kInputFileFilter));
  dialog.setDefaultSuffix(toQt(kInputFileSuffix));
  if (kind == Kind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (!d.fileName.empty()) dialog.selectFile(toQt(d.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return fromQt(dialog.selectedFiles().first());
}

void QtUserDialogs::showMessage(const std::string& text) {
  QMessageBox::warning(parent_, QStringLiteral("Программный комплекс \"Велмар\""), toQt(text));
}

}  // namespace velmar::window
