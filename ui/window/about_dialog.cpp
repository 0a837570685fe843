#include "ui/window/about_dialog.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/window/qt_text.h"

namespace velmar::window {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("О программе"));
  setModal(true);
  auto* name = new QLabel(QStringLiteral("Программный комплекс \"Велмар\""));
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  name->setFont(bold);
  version_ = new QLabel(QStringLiteral("Версия ") + toQt(kProgramVersion));
  version_->setObjectName(QStringLiteral("Version"));
  auto* purpose = new QLabel(
      QStringLiteral("Расчет объема природного газа и технических газов, приведенного к стандартным условиям,\n"
                     "погрешности (неопределенности) его измерения и внутреннего диаметра расходомера"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  layout->addWidget(name);
  layout->addWidget(version_);
  layout->addWidget(purpose);
  layout->addWidget(buttons);
}

}  // namespace velmar::window
