#include "ui/window/formula_editor_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/form_events.h"
#include "measuring_point/session.h"
#include "ui/window/qt_text.h"
#include "uncertainty/formula_editor.h"

namespace velmar::window {

namespace {

// The button groups of the window, by caption: the keypad, the operators,
// then one row per quantity with its measuring limits.
const std::vector<std::vector<const char*>> kKeypad = {
    {"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}, {"0", ","}};
const std::vector<std::vector<const char*>> kOperators = {{"+", "-", "*", "/"}, {"^", "(", ")", "|"}};
const std::vector<std::vector<const char*>> kVariables = {
    {"Q", "Q\u043d", "Q\u0432"},
    {"t", "t\u043d", "t\u0432"},
    {"P", "P\u043d", "P\u0432"},
    {"P\u0431", "P\u0431\u043d", "P\u0431\u0432"},
    {"r", "r\u043d", "r\u0432"},
    {"r\u0441", "r\u0441\u043d", "r\u0441\u0432"},
    {"rc", "n2", "co2"},
    {"to1", "to2", "to3", "to4"},
};

}  // namespace

FormulaEditorDialog::FormulaEditorDialog(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName(QStringLiteral("TFormClc"));
  setWindowTitle(QStringLiteral("Калькулятор"));
  setModal(true);

  input_ = new QLineEdit;
  input_->setObjectName(QStringLiteral("Edit1"));
  input_->setMinimumWidth(420);
  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("Label5"));
  QPalette red = message_->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  message_->setPalette(red);
  result_ = new QLineEdit;
  result_->setObjectName(QStringLiteral("Edit9"));
  result_->setReadOnly(true);
  result_->setFixedWidth(160);

  buttons_.assign(kFormulaEditorButtons.size(), nullptr);
  auto makeGroup = [this](const QString& title, const std::vector<std::vector<const char*>>& rows) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->setSpacing(3);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c) {
        const char* caption = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
        const int index = formulaEditorButtonIndex(caption);
        if (index < 0) continue;
        const FormulaEditorButton& def = kFormulaEditorButtons[static_cast<size_t>(index)];
        auto* b = new QPushButton(toQt(def.caption));
        b->setObjectName(QStringLiteral("button ") + toQt(def.caption));
        b->setAutoDefault(false);
        b->setFixedWidth(44);
        b->setFocusPolicy(Qt::NoFocus);
        const QString token = toQt(def.token);
        connect(b, &QPushButton::clicked, this, [this, token] {
          input_->insert(token);
          input_->setFocus();
        });
        buttons_[static_cast<size_t>(index)] = b;
        grid->addWidget(b, r, c);
      }
    }
    return box;
  };

  remember_ = new QPushButton(QStringLiteral("Запомнить"));
  remember_->setAutoDefault(false);
  cancel_ = new QPushButton(QStringLiteral("Отмена"));
  cancel_->setAutoDefault(false);
  connect(remember_, &QPushButton::clicked, this, [this] { rememberFormula(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
  connect(input_, &QLineEdit::textChanged, this, [this] { evaluate(); });

  auto* resultRow = new QHBoxLayout;
  resultRow->addWidget(new QLabel(QStringLiteral("=")));
  resultRow->addWidget(result_);
  resultRow->addStretch(1);

  auto* keys = new QHBoxLayout;
  keys->addWidget(makeGroup(QString(), kKeypad), 0, Qt::AlignTop);
  keys->addWidget(makeGroup(QString(), kOperators), 0, Qt::AlignTop);
  keys->addWidget(makeGroup(QString(), kVariables), 0, Qt::AlignTop);

  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  commands->addWidget(remember_);
  commands->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(input_);
  layout->addWidget(message_);
  layout->addLayout(resultRow);
  layout->addLayout(keys);
  layout->addLayout(commands);
}

QPushButton* FormulaEditorDialog::button(const QString& caption) const {
  const int index = formulaEditorButtonIndex(fromQt(caption));
  return index < 0 ? nullptr : buttons_[static_cast<size_t>(index)];
}

void FormulaEditorDialog::prepare(Edit& field) {
  field_ = &field;
  const auto states = formulaEditorButtonStates(s_);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i] == nullptr) continue;
    buttons_[i]->setEnabled(states[i].enabled);
    buttons_[i]->setToolTip(toQt(states[i].hint));
  }
  input_->setText(toQt(formulaEditorInitialText(field.text())));
  evaluate();
  input_->setFocus();
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

bool FormulaEditorDialog::edit(Edit& field) {
  prepare(field);
  return exec() == QDialog::Accepted;
}

void FormulaEditorDialog::evaluate() {
  const FormulaEditorEvaluation e = evaluateFormulaEditorText(s_, fromQt(input_->text()));
  result_->setText(toQt(e.result));
  message_->setText(toQt(e.message));
  remember_->setEnabled(e.canRemember);
}

void FormulaEditorDialog::rememberFormula() {
  if (field_ == nullptr || !remember_->isEnabled()) return;
  const std::string text = formulaEditorFieldText(s_, fromQt(input_->text()));
  // The field changes as if the user had typed the formula into it: the
  // previous text is kept, the calculation is scheduled and the field parsed.
  keyDown(s_, *field_);
  changeText(s_, *field_, text);
  keyUp(s_, *field_);
  accept();
}

}  // namespace velmar::window
