#include "ui/window/settings_dialog.h"

#include <QVBoxLayout>

#include "core/form_events.h"
#include "measuring_point/session.h"
#include "ui/window/form_binding.h"

namespace velmar::window {

SettingsDialog::SettingsDialog(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), binding_(std::make_unique<FormBinding>(s.settings.registry)) {
  Settings& st = s_.settings;
  setObjectName(QStringLiteral("TForm1"));
  setModal(true);
  binding_->bindForm(st.TForm1, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(binding_->build(st.SettingsPages), 1);
  layout->addWidget(binding_->build(st.ButtonsPanel));
  binding_->finish();
  resize(sizeHint().expandedTo(QSize(560, 300)));
  st.closeWindow = [this] { QDialog::done(QDialog::Rejected); };
}

SettingsDialog::~SettingsDialog() {
  s_.settings.closeWindow = nullptr;
  binding_.reset();
}

void SettingsDialog::openSettings() {
  SettingsFormShow(s_);
  // It opens centred over the main window every time, wherever it was moved.
  setAttribute(Qt::WA_Moved, false);
  open();
}

void SettingsDialog::reject() { pressButton(s_.settings.CloseButton); }

}  // namespace velmar::window
