// Qt's own dialogs speak Russian whatever the system language: the file
// dialogs of "Сохранить" / "Загрузить", a message box, the context menu of an
// edit and the print preview's tool bar; and the date of the status line and
// the report where the system locale is the C fallback.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "ui/window/qt_services.h"

namespace velmar::window {
namespace {

QStringList buttonTexts(const QWidget& w) {
  QStringList texts;
  for (const QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
    if (!b->text().isEmpty() && b->isVisibleTo(&w)) texts << b->text();
  }
  return texts;
}

QStringList labelTexts(const QWidget& w) {
  QStringList texts;
  for (const QLabel* l : w.findChildren<QLabel*>()) {
    if (!l->text().isEmpty() && l->isVisibleTo(&w)) texts << l->text();
  }
  return texts;
}

QStringList actionTexts(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* a : actions) {
    if (!a->isSeparator() && !a->text().isEmpty()) texts << a->text().section(QLatin1Char('\t'), 0, 0);
  }
  return texts;
}

// Each dialog holds every Russian text expected of it, and none of the
// English ones it would show untranslated.
TEST(QtTexts, TheFileDialogsMessageBoxesEditMenuAndPrintPreviewSpeakRussian) {
  QFileDialog open(nullptr, QStringLiteral("Загрузка исходных данных"));
  open.setOption(QFileDialog::DontUseNativeDialog);
  open.setAcceptMode(QFileDialog::AcceptOpen);
  QFileDialog save(nullptr, QStringLiteral("Сохранение исходных данных"));
  save.setOption(QFileDialog::DontUseNativeDialog);
  save.setAcceptMode(QFileDialog::AcceptSave);
  QMessageBox question(QMessageBox::Question, QStringLiteral("Велмар"), QStringLiteral("?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QLineEdit edit;
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QPrinter printer;
  QPrintPreviewDialog preview(&printer);
  QStringList previewTips;
  for (const QAction* a : preview.findChild<QToolBar*>()->actions()) {
    if (!a->isSeparator() && !a->toolTip().isEmpty()) previewTips << a->toolTip();
  }
  struct Case {
    const char* what;
    QStringList shown;
    QStringList russian;
    QStringList english;
  };
  const Case cases[] = {
      {"load dialog", buttonTexts(open) + labelTexts(open),
       {"&Открыть", "Отмена", "&Имя файла:", "Типы файлов:", "Перейти к:"},
       {"&Open", "Cancel", "File &name:", "Look in:"}},
      {"save dialog", buttonTexts(save), {"&Сохранить", "Отмена"}, {"&Save", "Cancel"}},
      {"message box", buttonTexts(question), {"&Да", "&Нет", "Отмена"}, {"&Yes", "&No", "Cancel"}},
      {"context menu of an edit", actionTexts(menu->actions()),
       {"&Отменить действие", "&Повторить действие", "&Вырезать", "&Копировать", "В&ставить", "Удалить",
        "Выделить всё"},
       {"&Undo", "&Copy", "&Paste", "Select All"}},
      {"print preview", previewTips,
       {"По ширине", "На всю страницу", "Уменьшить", "Увеличить", "Первая страница", "Последняя страница",
        "Параметры страницы", "Печать"},
       {"Fit width", "Zoom in", "Print"}},
  };
  for (const Case& c : cases) {
    for (const QString& text : c.russian) EXPECT_TRUE(c.shown.contains(text)) << c.what << ": " << text.toStdString()
                                                                           << " in " << c.shown.join('|').toStdString();
    for (const QString& text : c.english) EXPECT_FALSE(c.shown.contains(text)) << c.what << ": " << text.toStdString();
  }
}

// The date of the status line and the report: the system's short form, and
// where the system locale is the C fallback the Russian one.
TEST(QtTexts, DatesInTheShortFormOfTheSystemOrAsARussianSystemWritesThem) {
  const QDate date(2026, 12, 9);
  struct Case {
    QLocale system;
    const char* shown;
  };
  const Case cases[] = {
      {QLocale::c(), "09.12.2026"},
      {QLocale(QLocale::Russian, QLocale::Russia), "09.12.2026"},
      {QLocale(QLocale::German, QLocale::Germany), "09.12.26"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "12/9/26"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shortDateText(c.system, date), QString::fromUtf8(c.shown)) << c.system.name().toStdString();
  }
}

}  // namespace
}  // namespace velmar::window
